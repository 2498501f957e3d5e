// The client framework on plain objects: a small client that translates a
// "Text" property of each component (and a "Filter" property as a file
// filter) stands in for the widget side.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/engine/glotta_component.h"
#include "glotta/engine/spans.h"
#include "glotta/store/component_structure.h"

#include <QApplication>
#include <QTest>

namespace {
constexpr quint16 TextID = 0;
constexpr quint16 FilterID = 96;

class TTextClient : public TGlottaCPC
{
public:
    using TGlottaCPC::TGlottaCPC;
    void ProcessComponent(QObject *C, bool Collect) override
    {
        TGlottaCPC::ProcessComponent(C, Collect);
        if (C->objectName().isEmpty())
            return;
        const QVariant Text = C->property("Text");
        if (Text.isValid()) {
            const QString T = ProcessStringProperty(C, TextID, Text.toString(), Collect, C->property("Ref").toString());
            if (!Collect)
                C->setProperty("Text", T);
        }
        const QVariant Filter = C->property("Filter");
        if (Filter.isValid()) {
            const QString T = ProcessFilter(C, FilterID, Collect, Filter.toString());
            if (!Collect)
                C->setProperty("Filter", T);
        }
    }
};

QObject *Component(QObject *Owner, const QString &Name, const QString &Text)
{
    auto *C = new QObject(Owner);
    C->setObjectName(Name);
    C->setProperty("Text", Text);
    return C;
}

QString Text(QObject *Owner, const QString &Name)
{
    if (Owner->objectName() == Name)
        return Owner->property("Text").toString();
    return Owner->findChild<QObject *>(Name)->property("Text").toString();
}

// Form1 with the components the German fixture translates.
struct TClientFixture : TEngineFixture
{
    TTextClient *Client;
    TClientFixture()
    {
        Form->setObjectName("Form1");
        Form->setProperty("Text", "formulář");
        Component(Form.get(), "Button1", "Button1"); // its caption is its name
        Component(Form.get(), "SaveB", "uložit");
        Component(Form.get(), "Keep", "ponechat");
        Component(Form.get(), "Digits", "12:30");
        Component(Form.get(), "Dlg", QString())->setProperty("Filter", "Textové soubory|*.txt|Vše|*.*");
        Copy("client/deutsch.lng", "de.lng");
        Engine->RescanLanguages();
        Client = new TTextClient(Form.get());
        Client->setObjectName("GlottaClient1");
    }
    QStringList DesignLines() const
    {
        QStringList L;
        for (int i = 0; i < Client->DesignStruct().Count(); ++i)
            L << Client->DesignStruct().LineID(i) + "=" + Client->DesignStruct().GetTranslation(i);
        return L;
    }
};
} // namespace

class TestGlottaComponent : public QObject
{
    Q_OBJECT
private slots:
    // The form's own handler runs once, with the client as sender, before or
    // after the engine's initialisation; what it changes before is collected
    // as designed.
    void startUpOrder_data()
    {
        QTest::addColumn<bool>("AfterCreate");
        QTest::addColumn<bool>("EngineReadyInHandler");
        QTest::addColumn<QString>("DesignedSave");
        QTest::newRow("handler after initialisation") << false << true << "uložit";
        QTest::newRow("handler before initialisation") << true << false << "změněno";
    }
    void startUpOrder()
    {
        QFETCH(bool, AfterCreate);
        QFETCH(bool, EngineReadyInHandler);
        QFETCH(QString, DesignedSave);
        TClientFixture F;
        F.Client->SetInitAfterCreateForm(AfterCreate);
        F.Client->SetGlottaEngine(F.Engine);
        F.Client->CSInitialized = false; // attached in code: collected at once; start again
        F.Client->DesignStruct().Clear();
        int Runs = 0;
        bool Ready = false;
        F.Client->OwnerOnCreate = [&](QObject *Sender) {
            ++Runs;
            QCOMPARE(Sender, F.Client);
            Ready = F.Engine->IsInitialized();
            F.Form->findChild<QObject *>("SaveB")->setProperty("Text", "změněno");
        };
        F.Engine->SetDefaultLanguage("de");
        F.Client->OwnerCreated(F.Form.get());
        F.Client->OwnerCreated(F.Form.get());
        QCOMPARE(Runs, 1);
        QCOMPARE(Ready, EngineReadyInHandler);
        QCOMPARE(F.Client->DesignStruct().GetString("SaveB", "Form1", TextID, ""), DesignedSave);
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(F.Client->LMComponentLanguage, QStringLiteral("Deutsch"));
    }

    // Texts equal to their name, without letters, or equal to their
    // reference are not collected; the form's line has no owner.
    void collectedLines()
    {
        TClientFixture F;
        Component(F.Form.get(), "Linked", "Otevřít")->setProperty("Ref", "Otevřít");
        F.Client->SetGlottaEngine(F.Engine);
        QCOMPARE(F.DesignLines(), (QStringList{"Dlg@Form1#96[[*:*]=Vše", "Dlg@Form1#96[[*:txt]=Textové soubory",
                                              "Form1@#0[=formulář", "Keep@Form1#0[=ponechat",
                                              "SaveB@Form1#0[=uložit"}));
        QCOMPARE(F.Engine->LData()->SpanClients->SpanName(1), QStringLiteral("Form1"));
    }

    void clientTranslation_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<bool>("Global");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("own line") << "SaveB" << false << "Speichern";
        QTest::newRow("own line is final for a global client") << "SaveB" << true << "Speichern";
        QTest::newRow("excluded line: the designed text") << "Keep" << false << "ponechat";
        QTest::newRow("excluded line: not from the global lexicon") << "Keep" << true << "ponechat";
        QTest::newRow("no line: designed text") << "Other" << false << "uložit";
        QTest::newRow("no line: global lexicon") << "Other" << true << "Sichern (global)";
        QTest::newRow("not collected, no line") << "Missing" << true << "";
    }
    void clientTranslation()
    {
        QFETCH(QString, Name);
        QFETCH(bool, Global);
        QFETCH(QString, Expected);
        TClientFixture F;
        Component(F.Form.get(), "Other", "uložit");
        F.Client->SetGlobalLexicon(Global);
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->Translate("de");
        QCOMPARE(F.Client->ClientTranslation(Name, "Form1", TextID, ""), Expected);
        QCOMPARE(Text(F.Form.get(), Name == "Missing" ? "SaveB" : Name),
                 Name == "Missing" ? QStringLiteral("Speichern") : Expected);
    }

    // Every designed text comes back after a switch and back, also one the
    // language translated although it was never collected (a caption equal
    // to its name), and the same without an engine.
    void switchAndBackRestores_data()
    {
        QTest::addColumn<bool>("Detach");
        QTest::newRow("design language") << false;
        QTest::newRow("engine detached") << true;
    }
    void switchAndBackRestores()
    {
        QFETCH(bool, Detach);
        TClientFixture F;
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->InitEngine(true);
        QCOMPARE(F.Engine->Translate("de"), QStringLiteral("Deutsch"));
        QCOMPARE(Text(F.Form.get(), "Form1"), QStringLiteral("Formular"));
        QCOMPARE(Text(F.Form.get(), "Button1"), QStringLiteral("Schließen"));
        // Remembered apart: the design structure keeps only collected texts.
        QVERIFY(F.Client->DesignStruct().Find("Button1@Form1#0[") < 0);
        QCOMPARE(F.Form->findChild<QObject *>("Dlg")->property("Filter").toString(),
                 QStringLiteral("Textdateien|*.txt|Vše|*.*"));
        if (Detach)
            F.Client->SetGlottaEngine(nullptr);
        else
            QCOMPARE(F.Engine->Translate("čeština"), QStringLiteral("čeština"));
        for (const auto &[Name, Designed] : QList<std::pair<QString, QString>>{
                 {"Form1", "formulář"}, {"Button1", "Button1"}, {"SaveB", "uložit"}, {"Keep", "ponechat"}})
            QCOMPARE(Text(F.Form.get(), Name), Designed);
        QCOMPARE(F.Form->findChild<QObject *>("Dlg")->property("Filter").toString(),
                 QStringLiteral("Textové soubory|*.txt|Vše|*.*"));
    }

    // Pairs of description and mask; the path of a pair is its mask.
    void filters_data()
    {
        QTest::addColumn<QString>("Filter");
        QTest::addColumn<QStringList>("Collected");
        QTest::addColumn<QString>("Applied");
        QTest::newRow("two pairs") << "Textové soubory|*.txt|Vše|*.*"
                                   << QStringList{"Dlg@Form1#96[[*:*]", "Dlg@Form1#96[[*:txt]"}
                                   << "Textdateien|*.txt|Vše|*.*";
        QTest::newRow("trailing description without a mask is dropped")
            << "Textové soubory|*.txt|Vše" << QStringList{"Dlg@Form1#96[[*:txt]"} << "Textdateien|*.txt";
        QTest::newRow("no pair: kept as it is") << "*.txt" << QStringList{} << "*.txt";
        QTest::newRow("empty") << "" << QStringList{} << "";
        QTest::newRow("masks with separators") << "Obrázky|*.png;*.jpg"
                                               << QStringList{"Dlg@Form1#96[[*:png *:jpg]"} << "Obrázky|*.png;*.jpg";
    }
    void filters()
    {
        QFETCH(QString, Filter);
        QFETCH(QStringList, Collected);
        QFETCH(QString, Applied);
        TClientFixture F;
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->Translate("de");
        TComponentStructure &DS = F.Client->DesignStruct();
        DS.Clear();
        QObject *Dlg = F.Form->findChild<QObject *>("Dlg");
        QCOMPARE(F.Client->ProcessFilter(Dlg, FilterID, true, Filter), Filter);
        QStringList IDs;
        for (int i = 0; i < DS.Count(); ++i)
            IDs << DS.LineID(i);
        QCOMPARE(IDs, Collected);
        QCOMPARE(F.Client->ProcessFilter(Dlg, FilterID, false, Filter), Applied);
    }

    // Another form's translations by the other form's name; the form's own
    // caption keeps its line.
    void translateAs()
    {
        TClientFixture F;
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->Translate("de");
        QCOMPARE(Text(F.Form.get(), "SaveB"), QStringLiteral("Speichern"));
        F.Client->TranslateAs("Form2");
        QCOMPARE(F.Client->GetLanguageOwner(), QStringLiteral("Form2"));
        QCOMPARE(Text(F.Form.get(), "SaveB"), QStringLiteral("Anderes Formular"));
        QCOMPARE(Text(F.Form.get(), "Form1"), QStringLiteral("Formular"));
        QVERIFY(F.Client->DesignStruct().Find("SaveB@Form2#0[") >= 0);
        // Back under its own name, and a renaming that finds nothing does nothing.
        F.Client->TranslateAs("Form1");
        QCOMPARE(Text(F.Form.get(), "SaveB"), QStringLiteral("Speichern"));
    }

    void addComponent()
    {
        TClientFixture F;
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->Translate("de");
        QWidget OtherForm;
        OtherForm.setObjectName("OtherForm");
        QObject *Foreign = Component(&OtherForm, "Foreign", "cizí");
        const QStringList Before = F.DesignLines();
        QVERIFY(!F.Client->AddComponent(Foreign, QString(), true));
        QCOMPARE(F.DesignLines(), Before);
        QCOMPARE(Foreign->property("Text").toString(), QStringLiteral("cizí"));
        // A component of the form created later, named by the call.
        QObject *Late = Component(F.Form.get(), QString(), "později");
        QVERIFY(F.Client->AddComponent(Late, "SaveB2", true));
        QCOMPARE(Late->objectName(), QStringLiteral("SaveB2"));
        QVERIFY(F.Client->DesignStruct().Find("SaveB2@Form1#0[") >= 0);
        // TranslateComponent: a line of the data is applied to an uncollected text.
        QObject *Unnamed = Component(F.Form.get(), QString(), "x");
        F.Client->TranslateComponent(Unnamed, "Button1");
        QCOMPARE(Unnamed->property("Text").toString(), QStringLiteral("Schließen"));
    }

    // Rebuilding the structure puts the designed texts back, collects them
    // anew and shows the current language again.
    void recreateTransStruct()
    {
        TClientFixture F;
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->Translate("de");
        F.Form->findChild<QObject *>("Keep")->setProperty("Text", "nový text"); // a text changed by the program
        F.Client->RecreateTransStruct();
        QCOMPARE(Text(F.Form.get(), "SaveB"), QStringLiteral("Speichern"));
        QCOMPARE(F.Client->DesignStruct().GetString("SaveB", "Form1", TextID, ""), QStringLiteral("uložit"));
        QCOMPARE(F.Client->LMComponentLanguage, QStringLiteral("Deutsch"));
    }

    void objectMapName()
    {
        TClientFixture F;
        int A = 0, B = 0;
        QCOMPARE(F.Client->ObjectMapName(&A, "Uložit &vše"), QStringLiteral("Uložitvše"));
        // Kept for the item even when its caption shows a translation later.
        QCOMPARE(F.Client->ObjectMapName(&A, "Save all"), QStringLiteral("Uložitvše"));
        QCOMPARE(F.Client->ObjectMapName(&B, "..."), QString());
        QCOMPARE(F.Client->ObjMapCount(), 1);
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestGlottaComponent T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_glotta_component.moc"
