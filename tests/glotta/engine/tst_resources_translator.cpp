// The resource-string translator: texts registered with it come back from
// QCoreApplication::translate in the engine's current language, the order in
// which translators are asked, the one interception in the application, the
// lookups of the list, the stored lists and when they are stored.

#include "tests/glotta/engine/engine_fixture.h"

#include "glotta/engine/resources_translator.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/unit_list.h"
#include "toolkit/core/exception.h"
#include "toolkit/core/value_stream.h"

#include <QApplication>
#include <QJsonArray>
#include <QTest>
#include <QThread>
#include <memory>

namespace {
// Qt's own route for a text: what a tr() or a standard button gets.
QString Loaded(const char *Text, const char *Context = "QPlatformTheme")
{
    return QCoreApplication::translate(Context, Text);
}

// A form ResForm with the engine of the fixture, whose language English
// (tests/data/lang/resources) translates for ResForm.Res1: Zrušit, OK and a
// two-line text; for ResForm.Res2: Zrušit; and globally: Ano and Zrušit.
struct TResFixture
{
    TEngineFixture F;

    TResFixture()
    {
        F.CopyAll(QStringLiteral("resources"));
        F.Form->setObjectName(QStringLiteral("ResForm"));
        F.Engine->RescanLanguages();
    }
    template<typename T = TResourcesTranslator>
    T *Add(const QString &Name)
    {
        auto *R = new T(F.Form.get());
        R->setObjectName(Name);
        R->SetGlottaEngine(F.Engine);
        return R;
    }
};

class TPreferredTranslator : public TResourcesTranslator
{
public:
    using TResourcesTranslator::TResourcesTranslator;
    bool IsPreferred() const override { return true; }
};

// Counts the announcements of a changed translator list that reach the application.
class TLanguageChangeCounter : public QObject
{
public:
    int Count = 0;
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Watched == qApp && Event->type() == QEvent::LanguageChange)
            ++Count;
        return false;
    }
};

QJsonValue Stored(const TCustomResourcesTranslator &T, void (TCustomResourcesTranslator::*Write)(TValueWriter &) const)
{
    TValueWriter W;
    (T.*Write)(W);
    return W.Result();
}
} // namespace

class TestResourcesTranslator : public QObject
{
    Q_OBJECT
private slots:
    void init() { QCOMPARE(TCustomResourcesTranslator::Translators().size(), 0); }

    void translatesThroughQt_data()
    {
        QTest::addColumn<QString>("Resource");
        QTest::addColumn<QString>("Design");
        QTest::addColumn<bool>("Global");
        QTest::addColumn<QString>("Asked");
        QTest::addColumn<QString>("InDesign");
        QTest::addColumn<QString>("InEnglish");
        QTest::newRow("design form until the language has it")
            << "Cancel" << "Zrušit" << false << "Cancel" << "Zrušit" << "Cancel (en)";
        QTest::newRow("other letter case stays") << "Cancel" << "Zrušit" << false << "cancel" << "cancel" << "cancel";
        QTest::newRow("unregistered text stays") << "Cancel" << "Zrušit" << false << "Close" << "Close" << "Close";
        QTest::newRow("own design form") << "OK" << "" << false << "OK" << "OK" << "Okay";
        QTest::newRow("line break") << "Two lines" << "řádek\r\ndva" << false << "Two lines" << "řádek\r\ndva"
                                    << "line\r\ntwo";
        QTest::newRow("no translation keeps the design form")
            << "Help" << "Nápověda" << false << "Help" << "Nápověda" << "Nápověda";
        QTest::newRow("global lexicon when connected") << "&Yes" << "Ano" << true << "&Yes" << "Ano" << "Yes (global)";
        // The list's own line is final, even where the global lexicon has the same text.
        QTest::newRow("own line beats a global entry") << "Cancel" << "Zrušit" << true << "Cancel" << "Zrušit"
                                                       << "Cancel (en)";
        QTest::newRow("global lexicon only when connected") << "&Yes" << "Ano" << false << "&Yes" << "Ano" << "Ano";
    }
    void translatesThroughQt()
    {
        QFETCH(QString, Resource);
        QFETCH(QString, Design);
        QFETCH(bool, Global);
        QFETCH(QString, Asked);
        QFETCH(QString, InDesign);
        QFETCH(QString, InEnglish);
        TResFixture X;
        auto *R = X.Add(QStringLiteral("Res1"));
        R->SetGlobalLexicon(Global);
        R->RegisterResourceString(Resource, Design);
        const QByteArray Text = Asked.toUtf8();
        QCOMPARE(Loaded(Text.constData()), InDesign);
        QCOMPARE(Loaded(Text.constData(), "MyDialog"), InDesign); // every context
        QCOMPARE(X.F.Engine->Translate(QStringLiteral("English")), QStringLiteral("English"));
        QCOMPARE(Loaded(Text.constData()), InEnglish);
        X.F.Engine->Translate(QStringLiteral("čeština"));
        QCOMPARE(Loaded(Text.constData()), InDesign);
    }

    void registrationKeepsOneEntryPerText()
    {
        TResourcesTranslator R;
        R.RegisterResourceString(QString(), QStringLiteral("Nic"));
        QCOMPARE(R.RegisteredStrings(), 0);
        R.RegisterResourceString(QStringLiteral("Line\nbreak"), QStringLiteral("řádek\r\ndva"));
        R.RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Storno"));
        R.RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        QCOMPARE(R.RegisteredStrings(), 2);
        const TResourcesList &L = R.List();
        const int Cancel = L.IndexOf(QStringLiteral("Cancel"));
        QCOMPARE(L.GetDesignString(Cancel), QStringLiteral("Zrušit"));
        QVERIFY(L.GetResourceInfo(Cancel)->Blind());
        QCOMPARE(L.GetResourceInfo(Cancel)->UnitId(), 0);
        QVERIFY(L.UnsortedItemsExists());
        QCOMPARE(L.GetDesignString(L.IndexOf(QStringLiteral("Line\nbreak"))), QStringLiteral("řádek'#13''#10'dva"));
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Zrušit"));
        QCOMPARE(Loaded("Line\nbreak"), QStringLiteral("řádek\r\ndva"));
    }

    void lookupsOfTheList()
    {
        TResourcesTranslator R;
        R.RegisterResourceString(QStringLiteral("B text"), QStringLiteral("druhý\r\nřádek"));
        R.RegisterResourceString(QStringLiteral("A text"), QStringLiteral("první"));
        QCOMPARE(R.MaxItemIndex(), 1);
        // Items follow the list's order, sorted by the loaded text.
        QCOMPARE(R.GetItem(0), QStringLiteral("první"));
        QCOMPARE(R.GetItem(1), QStringLiteral("druhý\r\nřádek"));
        QCOMPARE(R.GetLocStr(1), QStringLiteral("druhý'#13''#10'řádek"));
        for (int Outside : {-1, 2}) {
            QVERIFY(!R.IsDefined(Outside));
            QCOMPARE(R.GetItem(Outside), QString());
            QCOMPARE(R.GetLocStr(Outside), QString());
        }
        QVERIFY(R.IsDefined(QStringLiteral("druhý'#13''#10'řádek")));
        QVERIFY(!R.IsDefined(QStringLiteral("První")));
        QVERIFY(!R.IsDefined(QStringLiteral("A text"))); // a key is no design form
    }

    void firstCreatedDecides()
    {
        TResFixture X;
        auto *First = X.Add(QStringLiteral("Res1"));
        auto *Second = X.Add(QStringLiteral("Res2"));
        Second->RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        X.F.Engine->Translate(QStringLiteral("English"));
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Cancel (second)"));
        First->RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Cancel (en)"));
        // A preferred translator, though created last, goes before both.
        auto *Preferred = X.Add<TPreferredTranslator>(QStringLiteral("Res3"));
        Preferred->RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Přerušit"));
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Přerušit"));
        delete Preferred;
        delete First;
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Cancel (second)"));
        delete Second;
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Cancel"));
    }

    void loadedTextKeepsItsLanguage()
    {
        TResFixture X;
        X.Add(QStringLiteral("Res1"))->RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        const QString Before = QCoreApplication::translate("QDialogButtonBox", "Cancel");
        X.F.Engine->Translate(QStringLiteral("en"));
        QCOMPARE(Before, QStringLiteral("Zrušit"));
        QCOMPARE(QCoreApplication::translate("QDialogButtonBox", "Cancel"), QStringLiteral("Cancel (en)"));
    }

    void oneInterceptionWhileTranslatorsExist()
    {
        TLanguageChangeCounter Counter;
        qApp->installEventFilter(&Counter);
        QVERIFY(!TCustomResourcesTranslator::InterceptionInstalled());
        auto First = std::make_unique<TResourcesTranslator>();
        QVERIFY(TCustomResourcesTranslator::InterceptionInstalled());
        auto Second = std::make_unique<TResourcesTranslator>();
        QCoreApplication::processEvents();
        QCOMPARE(Counter.Count, 1); // installed once, by the first
        Second->RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        First.reset();
        QVERIFY(TCustomResourcesTranslator::InterceptionInstalled());
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Zrušit"));
        Second.reset();
        QVERIFY(!TCustomResourcesTranslator::InterceptionInstalled());
        QCoreApplication::processEvents();
        QCOMPARE(Counter.Count, 2); // removed with the last
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Cancel"));
        qApp->removeEventFilter(&Counter);
    }

    void otherThreadsKeepQtsText()
    {
        TResourcesTranslator R;
        R.RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        QString InWorker;
        std::unique_ptr<QThread> Worker(QThread::create([&InWorker] { InWorker = Loaded("Cancel"); }));
        Worker->start();
        QVERIFY(Worker->wait(5000));
        QCOMPARE(InWorker, QStringLiteral("Cancel"));
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Zrušit"));
    }

    void storedListsReplaceTheRegisteredTexts()
    {
        TResourcesTranslator R;
        R.RegisterResourceString(QStringLiteral("Old"), QStringLiteral("Starý"));
        TValueReader Reader(QJsonArray{"1;cs", "SCancel", "Cancel", "Zrušit", 3, "", "Two\r\nlines",
                                       "Dva'#13''#10'řádky", 1048576});
        R.ReadResources(Reader);
        QCOMPARE(R.RegisteredStrings(), 2);
        QCOMPARE(R.List().LibraryLangCode, QStringLiteral("cs"));
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Zrušit"));
        QCOMPARE(Loaded("Two\r\nlines"), QStringLiteral("Dva\r\nřádky"));
        QCOMPARE(Loaded("Old"), QStringLiteral("Old"));
        QCOMPARE(Stored(R, &TCustomResourcesTranslator::WriteResources),
                 QJsonValue(QJsonArray{"1;cs", "SCancel", "Cancel", "Zrušit", 3, "", "Two\r\nlines",
                                       "Dva'#13''#10'řádky", 1048576}));

        TValueReader Other(QJsonArray{"2;cs", "", "New", "Nový", 0});
        try {
            R.ReadResources(Other);
            QFAIL("a list of another version was read");
        } catch (const EReadError &E) {
            QCOMPARE(E.Message(), QStringLiteral("Glotta can not retrieve a list of resource strings!"));
        }
        QCOMPARE(R.RegisteredStrings(), 2);
        QCOMPARE(Loaded("Cancel"), QStringLiteral("Zrušit"));
        QCOMPARE(Loaded("New"), QStringLiteral("New"));

        TValueReader Units(QJsonArray{"", "Main=main.cpp", "Tools"});
        R.ReadUnits(Units);
        QCOMPARE(R.UnitList().ToStringList(), (QStringList{"", "Main=main.cpp", "Tools"}));
        QCOMPARE(Stored(R, &TCustomResourcesTranslator::WriteUnits),
                 QJsonValue(QJsonArray{"", "Main=main.cpp", "Tools"}));
    }

    void storesListsWhenTheyDiffer_data()
    {
        QTest::addColumn<QString>("Case");
        QTest::addColumn<bool>("Expected");
        QTest::newRow("no ancestor, no entries") << "none-empty" << false;
        QTest::newRow("no ancestor, entries") << "none" << true;
        QTest::newRow("ancestor alike") << "alike" << false;
        QTest::newRow("ancestor with another design form") << "design" << true;
        QTest::newRow("ancestor with fewer units") << "fewer units" << true;
        QTest::newRow("ancestor with a unit in other case") << "unit case" << true;
        QTest::newRow("ancestor of another kind") << "other kind" << true;
    }
    void storesListsWhenTheyDiffer()
    {
        QFETCH(QString, Case);
        QFETCH(bool, Expected);
        auto Fill = [](TResourcesTranslator &T, const QString &Design, const QStringList &Units) {
            T.RegisterResourceString(QStringLiteral("Cancel"), Design);
            T.UnitList().SetStrings(Units);
        };
        TResourcesTranslator T;
        TResourcesTranslator Ancestor;
        QObject OtherKind;
        const QStringList Units{"", "Main"};
        if (Case != QLatin1String("none-empty"))
            Fill(T, QStringLiteral("Zrušit"), Units);
        if (Case == QLatin1String("alike"))
            Fill(Ancestor, QStringLiteral("Zrušit"), Units);
        else if (Case == QLatin1String("design"))
            Fill(Ancestor, QStringLiteral("Storno"), Units);
        else if (Case == QLatin1String("fewer units"))
            Fill(Ancestor, QStringLiteral("Zrušit"), {""});
        else if (Case == QLatin1String("unit case"))
            Fill(Ancestor, QStringLiteral("Zrušit"), {"", "main"});
        const QObject *A = Case.startsWith(QLatin1String("none")) ? nullptr
                           : Case == QLatin1String("other kind") ? &OtherKind
                                                                  : &Ancestor;
        QCOMPARE(T.StoresLists(A), Expected);
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestResourcesTranslator T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_resources_translator.moc"
