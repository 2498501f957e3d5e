// The engine component: flag images of the languages, the language menu it
// fills and keeps checked, its initialisation at the program's first
// activation, also with several engines, and its discovery when a stored
// design creates it.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/store/flag_icon.h"
#include "glotta/widgets/glotta_classes.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"
#include "toolkit/widgets/application.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QTest>

namespace {
QRgb Pixel(const QIcon &Icon, int X, int Y)
{
    return Icon.pixmap(FlagSize, FlagSize).toImage().pixel(X, Y);
}

QStringList Captions(const QMenu &Menu)
{
    QStringList L;
    for (QAction *A : Menu.actions())
        L.append(A->text());
    return L;
}

QStringList Checked(const QMenu &Menu)
{
    QStringList L;
    for (QAction *A : Menu.actions())
        if (A->isChecked())
            L.append(A->text());
    return L;
}

// An engine that notes each initialisation in a shared log.
class TLoggingEngine : public TGlottaEngine
{
public:
    TLoggingEngine(QObject *Owner, QStringList &Log) : TGlottaEngine(Owner), fLog(Log) {}
    bool InitEngine(bool AutoLanguage) override
    {
        fLog.append(objectName());
        return TGlottaEngine::InitEngine(AutoLanguage);
    }

private:
    QStringList &fLog;
};

// A data holder that counts the discoveries of every engine created while
// it is installed.
class TCountingData : public TLangCoreData
{
public:
    using TLangCoreData::TLangCoreData;
    static inline int Scans = 0;
    void Rescan(const TLanguageSources &Sources) override
    {
        ++Scans;
        TLangCoreData::Rescan(Sources);
    }
};

struct TCountingScans
{
    TCountingScans()
    {
        TCountingData::Scans = 0;
        TGlottaEngine::SetDataFactory([](TGlottaCore *E) -> TLangCoreData * { return new TCountingData(E); });
    }
    ~TCountingScans() { TGlottaEngine::SetDataFactory(nullptr); }
};

// What an engine's discovery produced, as lists to compare.
QList<QStringList> Discovered(const TGlottaEngine &E)
{
    const TLangCoreData &D = *E.LData();
    return {D.Languages.ToStringList(), D.FileNames.ToStringList(), D.LangCodes.ToStringList(),
            D.EditableLangs.ToStringList(), D.LangMenu.ToStringList(), E.LangResources(),
            {E.DesignLangISOCode(), E.CurrentLanguage(), QString::number(E.FlagsList().size())}};
}

void Activate()
{
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
}
} // namespace

class TestGlottaEngine : public QObject
{
    Q_OBJECT
private slots:
    void flagImages()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.WriteLanguage("de.lng", "Deutsch", "de", FlagBitmap(QSize(16, 16), Qt::blue));
        F.WriteLanguage("xx.lng", "Plain", "xx");
        F.WriteLanguage("yy.lng", "Tiny", "yy", QByteArray("BM12345"));
        E.RescanLanguages();
        const TLangCoreData &D = *E.LData();
        QCOMPARE(E.FlagsList().size(), D.Flags.Count());
        const int De = D.Languages.IndexOf("Deutsch"), Plain = D.Languages.IndexOf("Plain"),
                  Tiny = D.Languages.IndexOf("Tiny");
        QVERIFY(De > 0 && Plain > 0 && Tiny > 0);
        QCOMPARE(Pixel(E.FlagsList()[De], 8, 8), qRgb(0, 0, 255));
        // No flag section: the empty flag, the engine's grey built-in one.
        QCOMPARE(qAlpha(Pixel(E.FlagsList()[Plain], 8, 8)), 255);
        QCOMPARE(Pixel(E.FlagsList()[Plain], 8, 8), E.EmptyFlag().Image().pixel(8, 8));
        // Ten bytes or fewer, and the design language without a flag: the
        // white square, white being the transparent colour.
        for (int i : {0, Tiny})
            for (int Y = 0; Y < FlagSize; ++Y)
                QCOMPARE(qAlpha(Pixel(E.FlagsList()[i], 8, Y)), 0);

        // A 32 x 16 design flag is stored as 16 x 8 placed five rows down.
        QImage Wide(32, 16, QImage::Format_RGB32);
        Wide.fill(Qt::red);
        QByteArray Png;
        QBuffer Out(&Png);
        Out.open(QIODevice::WriteOnly);
        Wide.save(&Out, "PNG");
        E.SetDesignLangFlag(TPicture(Png));
        QCOMPARE(E.DesignLangFlag().Image().size(), QSize(16, 16));
        QVERIFY(E.DesignLangFlag().Bytes().startsWith("BM"));
        QCOMPARE(qAlpha(Pixel(E.FlagsList()[0], 8, 4)), 0);
        QCOMPARE(Pixel(E.FlagsList()[0], 8, 5), qRgb(255, 0, 0));
        QCOMPARE(Pixel(E.FlagsList()[0], 8, 12), qRgb(255, 0, 0));
        QCOMPARE(qAlpha(Pixel(E.FlagsList()[0], 8, 13)), 0);

        // Once initialised, the command entries have their built-in pictures.
        E.InitEngine(false);
        QCOMPARE(D.LangMenu.Count(), D.Languages.Count() + 2);
        QCOMPARE(E.FlagsList().size(), D.LangMenu.Count());
        for (int i = D.Languages.Count(); i < D.LangMenu.Count(); ++i) {
            TPicture P;
            QCOMPARE(E.LoadFlagPicture(P, i), fkBitmap);
        }
    }

    // A switch rebuilds the menu list's images from pictures already decoded;
    // only a flag that changed in its file is decoded again.
    void flagsDecodedOncePerVersion()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.WriteLanguage("de.lng", "Deutsch", "de", FlagBitmap(QSize(16, 16), Qt::blue));
        F.WriteLanguage("it.lng", "Italiano", "it", FlagBitmap(QSize(16, 16), Qt::green));
        F.WriteLanguage("xx.lng", "Plain", "xx");
        E.RescanLanguages();
        // Initialised, the menu list holds its command entries' pictures too.
        E.InitEngine(false);
        const int First = E.FlagDecodes();
        QVERIFY(First > 0);
        for (const char *Language : {"Deutsch", "Italiano", "Deutsch"})
            QCOMPARE(E.Translate(Language), QString::fromLatin1(Language));
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(E.FlagDecodes(), First);

        F.WriteLanguage("it.lng", "Italiano", "it", FlagBitmap(QSize(16, 16), Qt::red));
        // Same size, and written within the file system clock's tick the
        // modification time may not move: a new version says so by its time.
        QFile Rewritten(F.Path("it.lng"));
        QVERIFY(Rewritten.open(QIODevice::ReadWrite));
        QVERIFY(Rewritten.setFileTime(Rewritten.fileTime(QFileDevice::FileModificationTime).addSecs(2),
                                      QFileDevice::FileModificationTime));
        Rewritten.close();
        E.RescanLanguages();
        QCOMPARE(E.FlagDecodes(), First + 1);
        const TLangCoreData &D = *E.LData();
        QCOMPARE(Pixel(E.FlagsList()[D.Languages.IndexOf("Italiano")], 8, 8), qRgb(255, 0, 0));
        QCOMPARE(Pixel(E.FlagsList()[D.Languages.IndexOf("Deutsch")], 8, 8), qRgb(0, 0, 255));
    }

    void languageMenu()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.WriteLanguage("de.lng", "Deutsch", "de", FlagBitmap(QSize(16, 16), Qt::blue));
        E.RescanLanguages();
        QMenu Menu;
        for (int i = 0; i < 6; ++i)
            Menu.addAction(QStringLiteral("old %1").arg(i));
        Menu.addSeparator();
        E.SetLanguageMenu(&Menu);
        // The surplus items went; the current language is checked.
        QCOMPARE(Captions(Menu), (QStringList{"čeština", "Deutsch"}));
        QCOMPARE(Checked(Menu), QStringList{"čeština"});
        for (QAction *A : Menu.actions())
            QVERIFY(A->isCheckable());

        E.Translate("de");
        QCOMPARE(Checked(Menu), QStringList{"Deutsch"});
        // A pick switches; the engine keeps the marks right.
        Menu.actions()[0]->trigger();
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(Checked(Menu), QStringList{"čeština"});
        // A refused switch leaves the mark on the current language, and
        // Translate says it did not switch.
        E.OnChangeLangQuery = [](QObject *, bool &Continue) { Continue = false; };
        Menu.actions()[1]->trigger();
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(Checked(Menu), QStringList{"čeština"});
        bool Switched = true;
        QCOMPARE(E.Translate("de", &Switched), QStringLiteral("čeština"));
        QVERIFY(!Switched);
        E.OnChangeLangQuery = nullptr;
        QCOMPARE(E.Translate("de", &Switched), QStringLiteral("Deutsch"));
        QVERIFY(Switched);
        QCOMPARE(E.Translate("xx", &Switched), QStringLiteral("Deutsch"));
        QVERIFY(!Switched);

        // A caption given another text (by a client, the editor or the
        // program) still picks the language its entry names.
        Menu.actions()[0]->setText(QStringLiteral("&Czech"));
        Menu.actions()[1]->setText(QStringLiteral("German"));
        Menu.actions()[0]->trigger();
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
        Menu.actions()[1]->trigger();
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("Deutsch"));
        E.Translate("cs");

        // The command entries join; a menu list that shrinks takes items away.
        E.InitEngine(false);
        QCOMPARE(Menu.actions().size(), 4);
        E.SetLangCreatorVisible(false);
        E.SetLangEditorVisible(false);
        QCOMPARE(Captions(Menu), (QStringList{"čeština", "Deutsch"}));
    }

    void menuFlags()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.WriteLanguage("de.lng", "Deutsch", "de", FlagBitmap(QSize(16, 16), Qt::blue));
        E.RescanLanguages();
        QMenu Menu;
        E.SetLangMenuFlags(false);
        E.SetLanguageMenu(&Menu);
        for (QAction *A : Menu.actions())
            QVERIFY(A->icon().isNull());
        E.SetLangMenuFlags(true);
        QCOMPARE(Pixel(Menu.actions()[1]->icon(), 8, 8), qRgb(0, 0, 255));
        E.SetLangMenuFlags(false);
        for (QAction *A : Menu.actions())
            QVERIFY(A->icon().isNull());
        E.SetLangMenuFlags(true);
        // A menu the engine lets go keeps its items but shows no flags.
        QMenu Other;
        E.SetLanguageMenu(&Other);
        QCOMPARE(Menu.actions().size(), 2);
        for (QAction *A : Menu.actions())
            QVERIFY(A->icon().isNull());
        QCOMPARE(Other.actions().size(), 2);
    }

    void storedDesignScansOnce_data()
    {
        QTest::addColumn<bool>("EngineFirst");
        // The control is loaded before the engine has scanned, or after.
        QTest::newRow("engine after its control") << false;
        QTest::newRow("engine before its control") << true;
    }
    void storedDesignScansOnce()
    {
        QFETCH(bool, EngineFirst);
        RegisterGlottaClasses();
        TEngineFixture F;
        F.WriteLanguage("de.lng", "Deutsch", "de", FlagBitmap(QSize(16, 16), Qt::blue));
        F.WriteLanguage("sk.lng", "Slovenčina", "sk");
        const QByteArray Flag = FlagBitmap(QSize(16, 16), Qt::red);

        // Every property here asks for a rescan when set on a ready engine.
        const QJsonObject Engine{
            {"class", "TGlottaEngine"},
            {"name", "GlottaEngine1"},
            {"properties", QJsonObject{{"LangSubdirectory", F.Dir.path()},
                                       {"LangFileExtension", "LNG"},
                                       {"DesignLangISOCode", "cs - Czech"},
                                       {"DesignLanguageName", "čeština"},
                                       {"LangResources", QJsonArray{"absent"}},
                                       {"LangCreatorVisible", false},
                                       {"DesignLangFlag", QString::fromLatin1(Flag.toBase64())}}}};
        const QJsonObject Combo{{"class", "TLangCombo"},
                                {"name", "LangCombo1"},
                                {"properties", QJsonObject{{"GlottaEngine", "GlottaEngine1"}}}};
        // Each row's forms are new names, so each engine is the first of its key.
        static int Row = 0;
        ++Row;
        const QJsonObject Design{{"class", "TForm"},
                                 {"name", QStringLiteral("ScanForm%1").arg(Row)},
                                 {"components", EngineFirst ? QJsonArray{Engine, Combo} : QJsonArray{Combo, Engine}}};
        TForm Form;
        {
            TCountingScans Counting;
            ReadDesignFromBytes(&Form, QJsonDocument(Design).toJson(), "scan design");
            QCOMPARE(TCountingData::Scans, 1);
        }
        auto *Loaded = Form.findChild<TGlottaEngine *>("GlottaEngine1");
        auto *Box = Form.findChild<TLangCombo *>("LangCombo1");
        QVERIFY(Loaded && Box);

        // The same engine built in code scans on construction and on its
        // setters, and ends with the same languages.
        QWidget Other;
        Other.setObjectName(QStringLiteral("ScanFormInCode%1").arg(Row));
        TCountingScans Counting;
        auto *Built = new TGlottaEngine(&Other);
        QVERIFY(TCountingData::Scans > 0);
        QCOMPARE(Built->LData()->Languages.Count(), 1);
        Built->setObjectName("GlottaEngine1");
        Built->SetLangSubdirectory(F.Dir.path());
        Built->SetLangFileExtension("LNG");
        Built->SetDesignLangISOCode("cs - Czech");
        Built->SetDesignLanguageName("čeština");
        Built->SetLangResources({"absent"});
        Built->SetLangCreatorVisible(false);
        Built->SetDesignLangFlag(TPicture(Flag));
        TLangCombo BuiltBox;
        BuiltBox.SetGlottaEngine(Built);

        QCOMPARE(Discovered(*Loaded), Discovered(*Built));
        QCOMPARE(Loaded->LData()->Languages.ToStringList(), (QStringList{"čeština", "Deutsch", "Slovenčina"}));
        QCOMPARE(Pixel(Loaded->FlagsList()[0], 8, 8), qRgb(255, 0, 0));
        QCOMPARE(ComboItems(*Box), ComboItems(BuiltBox));
        QCOMPARE(Box->currentIndex(), 0);
    }

    void menuGoneBeforeEngineAndAfter()
    {
        TEngineFixture F;
        auto *Menu = new QMenu;
        F.Engine->SetLanguageMenu(Menu);
        delete Menu;
        QCOMPARE(F.Engine->LanguageMenu(), nullptr);
        F.Engine->Translate(">"); // refills nothing that is gone

        QMenu Kept;
        Kept.addAction(QStringLiteral("not the engine's"));
        TEngineFixture G;
        G.Engine->SetLanguageMenu(&Kept);
        QCOMPARE(Kept.actions().size(), 1);
        G.Form.reset();
        // The engine's items went with it.
        QVERIFY(Kept.actions().isEmpty());
    }

    void firstActivation_data()
    {
        QTest::addColumn<QString>("destroyed");
        QTest::addColumn<QStringList>("firstRun");
        // The later engine saved the earlier one's handler, which saved the program's.
        QTest::newRow("both engines") << QString() << QStringList{"Second", "First", "program"};
        QTest::newRow("first engine gone") << "First" << QStringList{"Second", "program"};
        QTest::newRow("second engine gone") << "Second" << QStringList{"First", "program"};
    }

    void firstActivation()
    {
        QFETCH(QString, destroyed);
        QFETCH(QStringList, firstRun);
        QStringList Log;
        SetApplicationOnActivate([&Log](QObject *Sender) {
            QCOMPARE(Sender, qGuiApp);
            Log.append("program");
        });
        {
            QWidget FormA, FormB;
            FormA.setObjectName("ActivationFormA");
            FormB.setObjectName("ActivationFormB");
            auto *First = new TLoggingEngine(&FormA, Log);
            First->setObjectName("First");
            auto *Second = new TLoggingEngine(&FormB, Log);
            Second->setObjectName("Second");
            if (destroyed == "First")
                delete First;
            else if (destroyed == "Second")
                delete Second;
            Activate();
            QCOMPARE(Log, firstRun);
            for (TGlottaEngine *E : FormA.findChildren<TGlottaEngine *>() + FormB.findChildren<TGlottaEngine *>())
                QVERIFY(E->IsInitialized());
            // Later activations reach only the program's handler.
            Log.clear();
            Activate();
            QCOMPARE(Log, QStringList{"program"});
        }
        // Gone engines leave the program's handler in place.
        Log.clear();
        Activate();
        QCOMPARE(Log, QStringList{"program"});
        SetApplicationOnActivate(nullptr);
    }

    void engineGoneBeforeActivation()
    {
        // Created and destroyed in order, engines give the program back its handler.
        QStringList Log;
        SetApplicationOnActivate([&Log](QObject *) { Log.append("program"); });
        {
            QWidget Form;
            Form.setObjectName("GoneForm");
            (new TLoggingEngine(&Form, Log))->setObjectName("GlottaEngine1");
        }
        Activate();
        QCOMPARE(Log, QStringList{"program"});
        SetApplicationOnActivate(nullptr);
    }
};

QTEST_MAIN(TestGlottaEngine)
#include "tst_glotta_engine.moc"
