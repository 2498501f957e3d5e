// Stored designs: reading, writing back unchanged, binding events, and
// refusing bad designs with a message that names the place.

#include "toolkit/widgets/class_registry.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"
#include "toolkit/widgets/message_box.h"
#include "toolkit/widgets/status_bar.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// A component with one property of each stored kind and extra data through the value stream.
class TSample : public QObject, public TComponentHooks
{
    Q_OBJECT
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(uint Mask MEMBER Mask)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(TKind Kind MEMBER Kind)
    Q_PROPERTY(QObject *Link MEMBER Link)
public:
    enum TKind { kOne, kTwo };
    Q_ENUM(TKind)
    explicit TSample(QObject *Parent = nullptr) : QObject(Parent), LoadingWhenCreated(IsLoading())
    {
        connect(this, &QObject::objectNameChanged, this, [this] { LoadingWhenNamed = IsLoading(); });
    }
    // A component that reacts to its name learns it while loading, so the
    // work the name starts can wait for Loaded().
    bool LoadingWhenNamed = false;
    // A component the reader creates knows it from its constructor on.
    const bool LoadingWhenCreated;
    QString Text;
    int Number = 0;
    uint Mask = 0;
    bool Flag = false;
    QStringList Lines;
    TKind Kind = kOne;
    QObject *Link = nullptr;
    QStringList Data;
    QStringList Log;
    TNotifyEvent OnPing;
    void Loaded() override
    {
        TComponentHooks::Loaded();
        Log << QStringLiteral("loaded; link %1").arg(Link ? Link->objectName() : QString());
        LoadOrder() << objectName();
    }
    // Every Loaded() of the test's components and forms, in the order they ran.
    static QStringList &LoadOrder()
    {
        static QStringList Order;
        return Order;
    }
};

// Components whose constructors make a TSample of their own in code, one
// with hooks of its own and one without.
class TSampleMaker : public TSample
{
    Q_OBJECT
public:
    explicit TSampleMaker(QObject *Parent) : TSample(Parent), Made(new TSample(this)) {}
    TSample *Made;
};

class TPlainMaker : public QObject
{
    Q_OBJECT
public:
    explicit TPlainMaker(QObject *Parent) : QObject(Parent), Made(new TSample(this)) {}
    TSample *Made;
};

// Registered only as a base (no create function), and a subclass of it
// that is not registered at all.
class TAbstractSample : public TSample
{
    Q_OBJECT
public:
    using TSample::TSample;
};

class TUnregisteredSample : public TAbstractSample
{
    Q_OBJECT
public:
    using TAbstractSample::TAbstractSample;
};

class TSampleForm : public TForm
{
    Q_OBJECT
public:
    const bool LoadingWhenCreated = IsLoading();
    TSampleForm()
    {
        PublishMethod(QStringLiteral("FormCreate"), &TSampleForm::FormCreate);
        PublishMethod(QStringLiteral("ButtonClick"), &TSampleForm::ButtonClick);
        PublishMethod(QStringLiteral("Query"), &TSampleForm::Query);
    }
    QStringList Log;
    void Loaded() override
    {
        TForm::Loaded();
        TSample::LoadOrder() << objectName();
    }
    void FormCreate(QObject *) { Log << QStringLiteral("create"); }
    void ButtonClick(QObject *Sender)
    {
        Log << QStringLiteral("click ") + Sender->objectName();
        throw Exception(QStringLiteral("boom"));
    }
    void Query(QObject *, bool &) {}
};

void Register()
{
    RegisterToolkitClasses();
    if (TClassRegistry::Find(QStringLiteral("TSample")))
        return;
    TClassInfo Sample{QStringLiteral("TSample"), &TSample::staticMetaObject, QStringLiteral("QObject"),
                      [](QObject *Owner) { return new TSample(Owner); },
                      PublishedProperties(&TSample::staticMetaObject),
                      {MemberEvent<TSample, void(QObject *)>(QStringLiteral("OnPing"), &TSample::OnPing)}};
    Sample.Properties.append(DataProperty(
        QStringLiteral("Data"),
        [](const QObject *O, TValueWriter &W) {
            W.WriteListBegin();
            for (const QString &S : static_cast<const TSample *>(O)->Data)
                W.WriteString(S);
            W.WriteListEnd();
        },
        [](QObject *O, TValueReader &R) {
            R.ReadListBegin();
            while (!R.EndOfList())
                static_cast<TSample *>(O)->Data << R.ReadString();
            R.ReadListEnd();
        }));
    TClassRegistry::Register(Sample);
    TClassRegistry::Register({QStringLiteral("TSampleMaker"), &TSampleMaker::staticMetaObject, QStringLiteral("TSample"),
                              [](QObject *Owner) { return new TSampleMaker(Owner); }, {}, {}});
    TClassRegistry::Register({QStringLiteral("TAbstractSample"), &TAbstractSample::staticMetaObject,
                              QStringLiteral("TSample"), nullptr, {}, {}});
    TClassRegistry::Register({QStringLiteral("TPlainMaker"), &TPlainMaker::staticMetaObject, QStringLiteral("QObject"),
                              [](QObject *Owner) { return new TPlainMaker(Owner); }, {}, {}});
    TClassRegistry::Register({QStringLiteral("TSampleForm"), &TSampleForm::staticMetaObject, QStringLiteral("TForm"),
                              [](QObject *) { return new TSampleForm; }, {}, {}});
}

const char *const GoodDesign = R"({
  "class": "TSampleForm", "name": "Form7",
  "properties": {"Caption": "Sample", "ClientSize": [300, 200], "OnCreate": "FormCreate"},
  "components": [
    {"class": "QPushButton", "name": "Button1",
     "properties": {"Bounds": [10, 10, 80, 24], "Caption": "&Go", "OnClick": "ButtonClick", "Tag": 5, "Anchors": ["akRight", "akBottom"]}},
    {"class": "TStatusBar", "name": "Bar", "properties": {"Align": "alBottom", "Bounds": [0, 180, 300, 20],
     "SimplePanel": true, "SimpleText": "ready", "Panels": [{"Text": "a", "Width": 40}]}},
    {"class": "TSample", "name": "Sample1",
     "properties": {"Text": "t", "Number": -3, "Mask": 4000000000, "Flag": true, "Lines": ["x", "y"], "Kind": "kTwo",
                    "Link": "Button1", "Data": ["d1", "d2"], "OnPing": "FormCreate"}}
  ]
})";
} // namespace

class TestDesign : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Register(); }

    // Loaded() runs for the components in the order they were created and
    // for the root last: a form's own work then finds its children loaded.
    void loadedRunsRootLast()
    {
        TSample::LoadOrder().clear();
        TSampleForm Form;
        ReadDesignFromBytes(&Form, R"({"class": "TSampleForm", "name": "Root",
            "components": [{"class": "TSample", "name": "First"}, {"class": "TSample", "name": "Second"},
                           {"class": "TSample", "name": "Third"}]})",
                            QStringLiteral("order.json"));
        QCOMPARE(TSample::LoadOrder(), QStringList({"First", "Second", "Third", "Root"}));
        QVERIFY(!Form.IsLoading());
    }

    void readsBindsAndWritesBack()
    {
        QStringList Boxes;
        const TMessageBoxHandler Old = SetMessageBoxHandler([&](const QString &T, const QString &, quint32) {
            Boxes << T;
            return 1;
        });
        TSampleForm Form;
        ReadDesignFromBytes(&Form, GoodDesign, QStringLiteral("sample.json"));
        QCOMPARE(Form.Log, QStringList{QStringLiteral("create")});
        auto *Sample = Form.findChild<TSample *>(QStringLiteral("Sample1"));
        QVERIFY(Sample);
        QVERIFY(!Sample->IsLoading());
        QVERIFY(Sample->LoadingWhenNamed);
        // The reference was resolved before Loaded ran.
        QCOMPARE(Sample->Log, QStringList{QStringLiteral("loaded; link Button1")});
        QCOMPARE(Sample->Mask, 4000000000u);
        QCOMPARE(Sample->Kind, TSample::kTwo);
        QCOMPARE(Sample->Data, QStringList({"d1", "d2"}));
        auto *Button = Form.findChild<QPushButton *>(QStringLiteral("Button1"));
        QCOMPARE(Tag(Button), 5);

        // An exception escaping a bound handler reaches the default error report.
        Button->click();
        QCOMPARE(Form.Log.last(), QStringLiteral("click Button1"));
        QCOMPARE(Boxes, QStringList{QStringLiteral("Exception: boom")});
        SetMessageBoxHandler(Old);

        QCOMPARE(WriteDesign(&Form), QJsonDocument::fromJson(GoodDesign));
    }

    void anchorsAndDocking()
    {
        TSampleForm Form;
        ReadDesignFromBytes(&Form, GoodDesign, QStringLiteral("sample.json"));
        Form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Form));
        Form.resize(400, 260);
        QTRY_COMPARE(Form.size(), QSize(400, 260));
        auto *Button = Form.findChild<QPushButton *>(QStringLiteral("Button1"));
        QCOMPARE(Button->geometry(), QRect(110, 70, 80, 24)); // kept its distance to the right and bottom
        QCOMPARE(Form.findChild<TStatusBar *>()->geometry(), QRect(0, 240, 400, 20));
    }

    // A non-visual component listed inside another one belongs to the form,
    // and is written back among the form's components.
    void nestedNonVisualBelongsToTheForm()
    {
        TSampleForm Form;
        ReadDesignFromBytes(&Form, R"({"class": "TSampleForm", "name": "Form7", "components": [
            {"class": "TSample", "name": "S1", "components": [{"class": "TSample", "name": "S2"}]}]})",
                            QStringLiteral("nested.json"));
        auto *S2 = Form.findChild<TSample *>(QStringLiteral("S2"));
        QVERIFY(S2);
        QCOMPARE(S2->parent(), &Form);
        QCOMPARE(WriteDesign(&Form).object().value(QStringLiteral("components")),
                 QJsonValue(QJsonDocument::fromJson(
                                R"([{"class": "TSample", "name": "S1"}, {"class": "TSample", "name": "S2"}])")
                                .array()));
    }

    // Components the reader creates, the root among them, are loading in
    // their constructors already, so work that their properties would redo
    // can wait for Loaded(). What a constructor makes in code is no part of
    // the design and does not stay loading, whatever made it.
    void loadingFromConstruction()
    {
        TSample InCode;
        QVERIFY(!InCode.LoadingWhenCreated);

        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("makers.json"));
        QFile File(Path);
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write(R"({"class": "TSampleForm", "name": "Form8", "components": [
            {"class": "TSample", "name": "S1"}, {"class": "TSampleMaker", "name": "M1"},
            {"class": "TPlainMaker", "name": "P1"}]})");
        File.close();
        std::unique_ptr<QObject> Root(CreateFromDesign(Path));
        auto *Form = qobject_cast<TSampleForm *>(Root.get());
        QVERIFY(Form);
        QVERIFY(Form->LoadingWhenCreated);
        auto *S1 = Form->findChild<TSample *>(QStringLiteral("S1"));
        auto *M1 = Form->findChild<TSampleMaker *>(QStringLiteral("M1"));
        auto *P1 = Form->findChild<TPlainMaker *>(QStringLiteral("P1"));
        QVERIFY(S1 && M1 && P1);
        QVERIFY(S1->LoadingWhenCreated);
        QVERIFY(M1->LoadingWhenCreated);
        QVERIFY(!M1->Made->LoadingWhenCreated);
        // Created first, it took the mark meant for its maker, and was let go.
        QVERIFY(P1->Made->LoadingWhenCreated);
        for (TSample *S : Form->findChildren<TSample *>()) {
            QVERIFY(!S->IsLoading());
            QCOMPARE(S->Log.size(), S->LoadingWhenCreated ? 1 : 0);
        }
    }

    void refusesBadDesigns_data()
    {
        QTest::addColumn<QByteArray>("design");
        QTest::addColumn<QString>("message");
        auto With = [](const char *Component) {
            return QByteArray(R"({"class": "TSampleForm", "name": "Form7", "components": [)") + Component + "]}";
        };
        QTest::newRow("not JSON") << QByteArray("{\"class\": ") << "bad.json: not a stored design";
        QTest::newRow("design of another class")
            << QByteArray(R"({"class": "TSample", "name": "S1"})")
            << "bad.json, component 'S1': the design is of class 'TSample', not of the root's class 'TSampleForm'";
        QTest::newRow("unknown root class") << QByteArray(R"({"class": "TNope", "name": "F"})")
                                            << "bad.json, component 'F': unknown class 'TNope'";
        QTest::newRow("unknown class")
            << With(R"({"class": "QFancy", "name": "X1"})") << "bad.json, component 'X1': unknown class 'QFancy'";
        QTest::newRow("abstract class")
            << With(R"({"class": "TAbstractSample", "name": "A1"})")
            << "bad.json, component 'A1': class 'TAbstractSample' is abstract and cannot be created";
        QTest::newRow("unknown property")
            << With(R"({"class": "QLabel", "name": "L1", "properties": {"Colour": "red"}})")
            << "bad.json, component 'L1', property 'Colour': unknown property of class 'QLabel'";
        QTest::newRow("text for an integer")
            << With(R"({"class": "TSample", "name": "S1", "properties": {"Number": "3"}})")
            << "bad.json, component 'S1', property 'Number': an integer expected";
        QTest::newRow("fraction for an integer")
            << With(R"({"class": "TSample", "name": "S1", "properties": {"Number": 1.5}})")
            << "bad.json, component 'S1', property 'Number': an integer expected";
        QTest::newRow("negative for unsigned")
            << With(R"({"class": "TSample", "name": "S1", "properties": {"Mask": -1}})")
            << "bad.json, component 'S1', property 'Mask': an integer in range expected";
        QTest::newRow("unknown enum member")
            << With(R"({"class": "TSample", "name": "S1", "properties": {"Kind": "kThree"}})")
            << "bad.json, component 'S1', property 'Kind': unknown value 'kThree'";
        QTest::newRow("list of the wrong length")
            << With(R"({"class": "QLabel", "name": "L1", "properties": {"Bounds": [1, 2, 3]}})")
            << "bad.json, component 'L1', property 'Bounds': a list of 4 integers expected";
        QTest::newRow("missing reference")
            << With(R"({"class": "TSample", "name": "S1", "properties": {"Link": "Nobody"}})")
            << "bad.json, component 'S1', property 'Link': no component named 'Nobody'";
        QTest::newRow("unknown method")
            << With(R"({"class": "QPushButton", "name": "B1", "properties": {"OnClick": "Nope"}})")
            << "bad.json, component 'B1', property 'OnClick': the form has no method 'Nope'";
        QTest::newRow("method of another shape")
            << With(R"({"class": "QPushButton", "name": "B1", "properties": {"OnClick": "Query"}})")
            << "bad.json, component 'B1', property 'OnClick': the method does not fit the event OnClick";
        QTest::newRow("stream data of the wrong kind")
            << With(R"({"class": "TSample", "name": "S1", "properties": {"Data": ["a", 1]}})")
            << "bad.json, component 'S1', property 'Data': Invalid property value: text expected";
        QTest::newRow("bad picture") << QByteArray(R"({"class": "TSampleForm", "name": "F", "properties": {"Font": {"Height": -2}}})")
                                     << "bad.json, component 'F', property 'Font': a positive font height expected";
        QTest::newRow("duplicate name")
            << With(R"({"class": "QLabel", "name": "L1"}, {"class": "QLabel", "name": "l1"})")
            << "bad.json, component 'l1': a second component of that name";
        QTest::newRow("control inside a non-visual component")
            << With(R"({"class": "TSample", "name": "S1", "components": [{"class": "QLabel", "name": "L1"}]})")
            << "bad.json, component 'L1': a control inside the non-visual component 'S1'";
    }

    // A component whose nearest registered class is abstract is refused by
    // the writer rather than written as a design no reader takes.
    void writerRefusesAbstractClass()
    {
        TSampleForm Form;
        Form.setObjectName(QStringLiteral("Form1"));
        auto *Sample = new TUnregisteredSample(&Form);
        Sample->setObjectName(QStringLiteral("Odd1"));
        try {
            WriteDesign(&Form);
            QFAIL("the design was written");
        } catch (const EDesignError &E) {
            QCOMPARE(E.Message(), QStringLiteral("component 'Odd1' of class 'TUnregisteredSample': not registered, and "
                                                 "class 'TAbstractSample' is abstract and cannot be created"));
        }
        QVERIFY(TClassRegistry::Defaults(*TClassRegistry::Find(QStringLiteral("TAbstractSample"))).isEmpty());
    }

    void refusesBadDesigns()
    {
        QFETCH(QByteArray, design);
        QFETCH(QString, message);
        TSampleForm Form;
        try {
            ReadDesignFromBytes(&Form, design, QStringLiteral("bad.json"));
            QFAIL("the design was accepted");
        } catch (const EDesignError &E) {
            QVERIFY2(E.Message().startsWith(message), qPrintable(E.Message()));
        }
    }
};

QTEST_MAIN(TestDesign)
#include "tst_design.moc"
