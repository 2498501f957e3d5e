// The engine core: discovery of languages (design language, resources, files
// and the override between them), switching with its events and requests,
// the menu list, the multi-engine rule, the design-language setters and the
// lookups for lexicons.

#include "tests/glotta/engine/engine_fixture.h"

#include "glotta/engine/form_lexicon.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/spans.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

class TestEngineCore : public QObject
{
    Q_OBJECT

private slots:
    void freshEngine()
    {
        TGlottaCore E;
        QCOMPARE(E.LData()->Languages.ToStringList(), QStringList{"Design language"});
        QCOMPARE(E.GetISOCode(0), QString());
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("Design language"));
        QCOMPARE(E.LangFileExtension(), QStringLiteral(".lng"));
        QCOMPARE(E.LangFileEncoding(), TLFEncoding::Unicode);
        QVERIFY(E.GetIsMultiEngine());
        // The library lexicon heads the registry.
        QCOMPARE(E.LData()->SpanClients->Components().value(0), dynamic_cast<QObject *>(E.LangFormLexicon()));
    }

    void designIdentity()
    {
        TGlottaCore E;
        E.SetDesignLangISOCode("cs - Czech");
        QCOMPARE(E.DesignLanguageName(), QStringLiteral("Czech"));
        QCOMPARE(E.CurrentLanguageISO(), QStringLiteral("cs"));
        E.SetDesignLanguageName("čeština");
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
        // The name set by the design no longer follows the code.
        E.SetDesignLangISOCode("sk - Slovak");
        QCOMPARE(E.DesignLanguageName(), QStringLiteral("čeština"));
        QCOMPARE(E.GetISOCode(0), QStringLiteral("sk"));
    }

    // The name under which the chosen language would be remembered: the
    // engine's own key stands for no name; only a change is reported.
    void cookieName()
    {
        struct TCookieEngine : TGlottaCore
        {
            int Changes = 0;
            void CookieNameChanged() override { ++Changes; }
        } E;
        E.setObjectName(QStringLiteral("CookieEngine"));
        E.SetCookieName(QStringLiteral("Lang"));
        QCOMPARE(E.CookieName(), QStringLiteral("Lang"));
        QCOMPARE(E.Changes, 1);
        E.SetCookieName(QStringLiteral("Lang"));
        QCOMPARE(E.Changes, 1);
        E.SetCookieName(E.EngineKey());
        QCOMPARE(E.CookieName(), QString());
        QCOMPARE(E.Changes, 2);
    }

    // The queries a program asks of the language list.
    void languageQueries()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.WriteLanguage("de.lng", "Deutsch", "de");
        E.RescanLanguages();
        QStringList Target{"old"};
        E.AssignLanguagesList(&Target);
        QCOMPARE(Target, (QStringList{"čeština", "Deutsch"}));
        E.AssignLanguagesList(nullptr);
        QVERIFY(E.LangExists("Deutsch"));
        QVERIFY(E.LangExists("de"));
        QVERIFY(E.LangExists("cs"));
        QVERIFY(!E.LangExists("fr"));
        QVERIFY(!E.LangExists("Français"));
    }

    void discovery()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        E.Resources.insert("ENGLISH", LangData("english_resource.lng"));
        // a.LNG: "čeština", named like the design language (listed again);
        // b.lng: "Deutsch", code "DE"; c.lng: no header name; d.lng: signature
        // "[OTHER]"; e.txt: a language under another extension.
        F.CopyAll("discovery");
        QVERIFY(QFile::link(F.Path("missing"), F.Path("f.lng"))); // unreadable
        QDir(F.Dir.path()).mkdir("g.lng");
        E.SetLangResources({"ENGLISH", "ABSENT"});
        QCOMPARE(F.Languages(), (QStringList{"čeština", "english", "čeština", "Deutsch"}));
        QCOMPARE(E.LData()->LangCodes.ToStringList(), (QStringList{"cs", "en", "cs", "de"}));
        QCOMPARE(E.LData()->FileNames.Strings(1), QStringLiteral("ENGLISH"));
        QCOMPARE(E.LData()->FileNames.Strings(3), F.Path("b.lng"));
        // The resource that cannot be opened is dropped.
        QCOMPARE(E.LangResources(), QStringList{"ENGLISH"});
        // Resources are not editable unless allowed; files are.
        QCOMPARE(E.LData()->EditableLangs.ToStringList(), (QStringList{"čeština", "Deutsch"}));
        QCOMPARE(E.LData()->Flags.Count(), 4);
        // Requests by the design language's name still select position 0.
        QCOMPARE(E.Translate("čeština"), QStringLiteral("čeština"));
        QCOMPARE(E.LData()->DataStruct->Count(), 0);
    }

    void resourceOverride()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        E.Resources.insert("ENGLISH", LangData("english_resource.lng")); // text "from resource"
        F.Copy("english_file.lng", "en.lng");                            // text "from file", no code
        E.SetLangResources({"ENGLISH"});
        // Not allowed: the resource entry stays and the file is ignored.
        QCOMPARE(F.Languages(), (QStringList{"čeština", "english"}));
        QCOMPARE(E.GetLanguageFile("english"), QStringLiteral("ENGLISH"));
        QCOMPARE(E.Translate("en"), QStringLiteral("english"));
        QCOMPARE(E.LData()->DataStruct->GetTranslation(0), QStringLiteral("from resource"));
        int Changes = 0;
        E.OnChangeLanguage = [&](QObject *) { ++Changes; };
        // Allowed: the file replaces the resource (keeping the resource's code),
        // and the current language is loaded again from it.
        E.SetLangResourcesAllowEdit(true);
        QCOMPARE(E.GetLanguageFile("english"), F.Path("en.lng"));
        QCOMPARE(E.GetISOCode("english"), QStringLiteral("en"));
        QCOMPARE(Changes, 1);
        QCOMPARE(E.LData()->DataStruct->GetTranslation(0), QStringLiteral("from file"));
        // And back.
        E.SetLangResourcesAllowEdit(false);
        QCOMPARE(E.GetLanguageFile("english"), QStringLiteral("ENGLISH"));
        QCOMPARE(Changes, 2);
        QCOMPARE(E.LData()->DataStruct->GetTranslation(0), QStringLiteral("from resource"));
    }

    void translateEvents()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.Copy("deutsch.lng", "de.lng");
        E.RescanLanguages();
        QStringList Log;
        TDesignedLexicon Lexicon(F.Form.get());
        Lexicon.setObjectName("Lexicon1");
        Lexicon.OnChangeLanguage = [&](QObject *) { Log << "lexicon " + Lexicon.LMComponentLanguage; };
        Lexicon.SetGlottaEngine(&E);
        Log.clear();
        bool Allow = true;
        E.OnChangeLangQuery = [&](QObject *Sender, bool &Continue) {
            QCOMPARE(Sender, &E);
            Log << "query";
            Continue = Allow;
        };
        E.OnChangeLanguage = [&](QObject *) { Log << "engine " + E.CurrentLanguage(); };
        QCOMPARE(E.Translate("DE"), QStringLiteral("Deutsch"));
        QCOMPARE(Log, (QStringList{"query", "lexicon Deutsch", "engine Deutsch"}));
        Log.clear();
        QCOMPARE(E.Translate("fr"), QStringLiteral("Deutsch"));
        QCOMPARE(Log, QStringList{"query"});
        Log.clear();
        Allow = false;
        QCOMPARE(E.Translate(">"), QStringLiteral("Deutsch"));
        Allow = true;
        // ">" on the last language wraps to the design language.
        QCOMPARE(E.Translate(">"), QStringLiteral("čeština"));
        QCOMPARE(E.CurrentLanguageISO(), QStringLiteral("cs"));
        Log.clear();
        // The current name or code changes nothing, not even the query.
        E.SetCurrentLanguage("cs");
        E.SetCurrentLanguage("čeština");
        QCOMPARE(Log, QStringList());
    }

    void menuListAndLibraryTexts()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.Copy("deutsch.lng", "de.lng");
        E.RescanLanguages();
        QVERIFY(!E.GetIsMultiEngine());
        QCOMPARE(E.LData()->LangMenu.ToStringList(), (QStringList{"čeština", "Deutsch"}));
        E.InitEngine(true);
        // Czech design language: the library speaks Czech.
        QCOMPARE(E.LData()->LangMenu.ToStringList(),
                 (QStringList{"čeština", "Deutsch", "> Přidat jazyk <", "> Upravit jazyk <"}));
        QCOMPARE(E.LData()->Flags.Count(), 4);
        E.Translate("de");
        QCOMPARE(E.LData()->LangMenu.ToStringList().mid(2), (QStringList{"> Hinzufügen <", "> Bearbeiten <"}));
        E.SetLangEditorVisible(false);
        QCOMPARE(E.LData()->LangMenu.ToStringList().mid(2), QStringList{"> Hinzufügen <"});
        // The create entry opens the editor, which without a window keeps the language.
        int Before = 0, After = 0;
        E.OnBeforeEdit = [&](QObject *) { ++Before; };
        E.OnAfterEdit = [&](QObject *) { ++After; };
        QCOMPARE(E.Translate("> Hinzufügen <"), QStringLiteral("Deutsch"));
        QCOMPARE(Before, 1);
        QCOMPARE(After, 1);
    }

    void secondEngineIsMultiEngine()
    {
        TEngineFixture F;
        TTestEngine Second(F.Form.get());
        Second.setObjectName("GlottaEngine1");
        QVERIFY(Second.GetIsMultiEngine());
        QVERIFY(!Second.LangCreatorVisible());
        Second.InitEngine(false);
        QCOMPARE(Second.LData()->LangMenu.Count(), 1);
        int Before = 0;
        Second.OnBeforeEdit = [&](QObject *) { ++Before; };
        QCOMPARE(Second.Translate("> Add <"), QStringLiteral("Design language"));
        QCOMPARE(Before, 0);
    }

    void defaultLanguageAtInitialisation()
    {
        TEngineFixture F;
        F.Copy("deutsch.lng", "de.lng");
        F.Engine->RescanLanguages();
        F.Engine->SetDefaultLanguage("Deutsch");
        QVERIFY(F.Engine->InitEngine(true));
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        // Changing the default while it is current switches.
        F.Engine->SetDefaultLanguage("čeština");
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("čeština"));
    }

    // A language without a code has an empty entry among the codes; the empty
    // request (no default language at start-up) must not pick it.
    void emptyRequestKeepsTheLanguage()
    {
        TEngineFixture F;
        F.Copy("english_file.lng", "en.lng"); // no code
        F.Engine->RescanLanguages();
        QCOMPARE(F.Engine->LData()->LangCodes.Strings(1), QString());
        QVERIFY(F.Engine->InitEngine(true));
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(F.Engine->Translate(""), QStringLiteral("čeština"));
        QCOMPARE(F.Engine->CurrentLanguageISO(), QStringLiteral("cs"));
    }

    void translateString()
    {
        TEngineFixture F;
        // Deutsch (superior Base): item 0 "Null'#13''#10'zwei", global pairs
        // Ano/Ja and jedna/"eins (global)"; Base: item 1 "eins (base)", global
        // pair dva/"zwei (global, base)". Their lexicon is StringsForm.Lexicon1.
        F.CopyAll("translate_string");
        F.Form->setObjectName("StringsForm");
        TTestEngine &E = *F.Engine;
        E.RescanLanguages();
        TDesignedLexicon Lexicon(F.Form.get());
        Lexicon.setObjectName("Lexicon1");
        Lexicon.SetItems({"nula", "jedna", "dva", ""});
        Lexicon.SetGlottaEngine(&E);
        E.Translate("de");
        QCOMPARE(Lexicon.GetItem(0), QStringLiteral("Null\r\nzwei"));
        QCOMPARE(Lexicon.GetItem(1), QStringLiteral("eins (base)"));
        QCOMPARE(Lexicon.GetItem(2), QStringLiteral("dva"));
        QCOMPARE(Lexicon.GetItem(3), QString());
        // Connected to the global lexicon: a closer global translation wins.
        Lexicon.SetGlobalLexicon(true);
        QCOMPARE(Lexicon.GetItem(1), QStringLiteral("eins (global)"));
        QCOMPARE(Lexicon.GetItem(2), QStringLiteral("zwei (global, base)"));
        // A global translation never replaces the language's own item.
        QCOMPARE(Lexicon.GetItem(0), QStringLiteral("Null\r\nzwei"));
        QCOMPARE(E.TranslateString("Ano", nullptr, -1), QStringLiteral("Ja"));
        QCOMPARE(E.GlobalToOriginal("Ja"), QStringLiteral("Ano"));
        QCOMPARE(E.GlobalToLink("Ja"), QStringLiteral("«\"Ano\"»"));
        QCOMPARE(E.GlobalToLink("none"), QStringLiteral("«\"none\"»"));
        QCOMPARE(E.GlobalToLink(""), QString());
        E.Translate("čeština");
        QCOMPARE(Lexicon.GetItem(0), QStringLiteral("nula"));
    }

    void editorBridge()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        E.Resources.insert("ENGLISH", LangData("english_resource.lng"));
        E.SetLangResources({"ENGLISH"});
        E.SetLangResourcesAllowEdit(true);
        // Editing a resource language writes it out as a file first.
        QVERIFY(E.LData()->EditorAction(TEditorActions::eaLoadLangForEdit, "english"));
        QCOMPARE(E.GetLanguageFile("english"), F.Path("ENGLISH.lng"));
        QFile Out(F.Path("ENGLISH.lng"));
        QVERIFY(Out.open(QIODevice::ReadOnly));
        QCOMPARE(Out.readAll(), E.Resources["ENGLISH"]);
        QCOMPARE(int(E.LData()->DataStruct->GetChangeable(0)), 3); // no client owns it
        // Create a language from it and save it.
        QVERIFY(E.LData()->EditorAction(TEditorActions::eaLoadLangForCreate, "english"));
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, QStringLiteral("english"));
        E.LData()->EditorLang = "Pirate";
        E.LData()->EditorISO = "PI - Pirate";
        QVERIFY(E.LData()->EditorAction(TEditorActions::eaCreateLang, QString()));
        QCOMPARE(E.CurrentLanguageISO(), QStringLiteral("pi"));
        QVERIFY(E.LData()->EditorAction(TEditorActions::eaSaveLang, E.UniqueLangFileName("Pirate")));
        E.RescanLanguages();
        QCOMPARE(E.GetLanguageFile("pi"), F.Path("Pirate.lng"));
        QVERIFY(E.LoadLanguage("Pirate", TLoadFlags()));
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, QStringLiteral("english"));
        QVERIFY(!E.LData()->EditorAction(TEditorActions::eaLoadLangForEdit, "Klingon"));
    }

    // A component's handler that destroys one component and attaches another
    // while a switch walks the registry disturbs neither the walk nor the
    // components after it.
    void registryWalkSurvivesChanges()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.Copy("deutsch.lng", "de.lng");
        E.RescanLanguages();
        E.InitEngine(false);
        auto Make = [&](const QString &Name) {
            auto *L = new TDesignedLexicon(F.Form.get());
            L->setObjectName(Name);
            L->SetGlottaEngine(&E);
            return L;
        };
        TDesignedLexicon *First = Make("First");
        QPointer<TDesignedLexicon> Second = Make("Second");
        TDesignedLexicon *Third = Make("Third");
        QPointer<TDesignedLexicon> Late;
        First->OnChangeLanguage = [&](QObject *) {
            if (Late)
                return;
            delete Second.data();
            Late = Make("Late");
            for (int i = 0; i < 64; ++i) // grow the registry well past its capacity
                Make(QStringLiteral("More%1").arg(i));
        };
        E.Translate("de");
        QVERIFY(!Second);
        QVERIFY(Late);
        QCOMPARE(First->LMComponentLanguage, QStringLiteral("Deutsch"));
        QCOMPARE(Third->LMComponentLanguage, QStringLiteral("Deutsch"));
        QCOMPARE(Late->LMComponentLanguage, QStringLiteral("Deutsch")); // took the language when attached
        QCOMPARE(E.LData()->SpanClients->Count(), 1 + 2 + 1 + 64); // the library lexicon, First, Third, Late, More…
    }

    // Switching back to a language parsed before reads nothing, as long as
    // none of the files of its chain has changed since.
    void switchingBackUsesTheParsedLanguage()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        E.Resources.insert("DE", LangData("deutsch.lng"));
        E.Resources.insert("EN", LangData("english_resource.lng"));
        E.SetLangResources({"DE", "EN"});
        F.CopyAll("notrans");
        E.RescanLanguages();
        auto Text = [&E](const QString &LineID) {
            const int i = E.LData()->DataStruct->Find(LineID);
            return i < 0 ? QString() : E.LData()->DataStruct->GetTranslation(i);
        };
        E.ResourceReads = 0;
        E.Translate("de");
        E.Translate("english");
        QCOMPARE(E.ResourceReads, 2);
        for (const QString Request : {"de", "čeština", "de", "english", "de"}) {
            E.Translate(Request);
            QCOMPARE(E.CurrentLanguage(), E.LData()->Languages.Strings(E.LData()->IndexOfLanguage(Request)));
        }
        QCOMPARE(E.ResourceReads, 2);
        QCOMPARE(E.CurrentLanguageISO(), QStringLiteral("de"));
        QCOMPARE(Text("Button1@Form1#0["), QStringLiteral("Schließen"));

        // A changed superior file is read again, with the changed text.
        E.Translate("Child");
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, QStringLiteral("Base"));
        QCOMPARE(Text("B@F#0["), QStringLiteral("inherited"));
        E.Translate("de");
        WriteBytes(F.Path("base.lng"), LangFile({"[LANGUAGE_FILE]", HeaderLine("Base"),
                                                 "0\t\"inherited, then changed\"\t%COMPONENT=B;\t%OWNER=F;"}));
        E.Translate("Child");
        QCOMPARE(Text("B@F#0["), QStringLiteral("inherited, then changed"));

        // A file the engine writes is read again too, whatever its stamp.
        E.Translate("de");
        E.SaveLanguage("Child", "", "", F.Path("child.lng"));
        E.Translate("Child");
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, QStringLiteral("čeština"));
        QCOMPARE(Text("Button1@Form1#0["), QStringLiteral("Schließen"));
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestEngineCore T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_engine_core.moc"
