// Import and export of exchange files through the engine of a small window:
// every refusal leaves the language files and the shown language as they
// were; an import into a language never replaces its own translations
// unless the dictionary allows it; exports match their golden files; a
// failed write keeps the earlier file.

#include "tests/glotta/engine/exchange/exchange_window.h"
#include "glotta/engine/exchange/import_refusal.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/flag_icon.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {
enum TSetup { sNone = 0, sEnglishCurrent = 1, sVanishedListed = 2, sLibraryUnnamed = 4 };

// The library's texts with a placeholder in "cannot be imported", so that
// the refusal shows its reason.
void ShowRefusalReasons(TGlottaCore &Engine)
{
    TInternalLangDefs Texts = EnglishTexts();
    Texts[2 + liCannotImport] = QStringLiteral("refused %d");
    Engine.LangFormLexicon()->LoadLang(Texts);
}

int ImportRefusal(TGlottaCore &Engine, const QString &FileName, bool ToCurrent, QString &Message)
{
    try {
        Engine.ImportFromFile(FileName, ToCurrent);
    } catch (const EImportExport &E) {
        Message = E.Message();
        return -1;
    }
    return 0;
}

// A file-size limit that makes writes fail (as a full disk would), lifted again at the end of the scope.
struct TWriteLimit
{
    rlimit Old{};
    explicit TWriteLimit(rlim_t Bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &Old);
        rlimit Limit = Old;
        Limit.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~TWriteLimit() { setrlimit(RLIMIT_FSIZE, &Old); }
};

QByteArray ReadAll(const QString &Path)
{
    QFile F(Path);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// Data holder of an engine whose editor is open.
class TEditorOpenData : public TLangCoreData
{
public:
    using TLangCoreData::TLangCoreData;
    bool EditorOpened() const override { return true; }
};
} // namespace

class TestExchangeImport : public QObject
{
    Q_OBJECT
private slots:
    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("toCurrent");
        QTest::addColumn<int>("setup");
        QTest::addColumn<int>("reason");
        QTest::newRow("missing file") << QString() << false << int(sNone) << int(irFileMissing);
        QTest::newRow("design language current") << "lexicon/keep.llx" << true << int(sNone)
                                                 << int(irDesignLanguageCurrent);
        QTest::newRow("three lines") << "refused/too_few_lines.llx" << false << int(sNone) << int(irTooFewLines);
        QTest::newRow("reference code") << "refused/reference_code.llx" << false << int(sNone)
                                        << int(irReferenceCode);
        QTest::newRow("dictionary reference code")
            << "refused/reference_code.txt" << false << int(sNone) << int(irReferenceCode);
        QTest::newRow("reference name") << "refused/reference_name.llx" << false << int(sNone)
                                        << int(irReferenceName);
        QTest::newRow("file version") << "refused/file_version.llx" << false << int(sNone) << int(irFileVersion);
        QTest::newRow("other language") << "refused/other_language.llx" << true << int(sEnglishCurrent)
                                        << int(irOtherLanguage);
        QTest::newRow("dictionary of another language")
            << "refused/other_language.txt" << true << int(sEnglishCurrent) << int(irOtherLanguage);
        QTest::newRow("target file vanished") << "refused/target_vanished.llx" << false << int(sVanishedListed)
                                              << int(irTargetNotLoaded);
        QTest::newRow("no header") << "refused/no_header.llx" << false << int(sNone) << int(irNoHeader);
        QTest::newRow("header on the last line") << "refused/header_last.llx" << false << int(sNone)
                                                 << int(irNoHeader);
        QTest::newRow("library lexicon unnamed") << "refused/library_unnamed.llx" << true
                                                 << int(sEnglishCurrent | sLibraryUnnamed) << int(irLibraryUnnamed);
        // Refused after English was loaded as the target: the design language comes back.
        QTest::newRow("lexicon unnamed") << "refused/lexicon_unnamed.llx" << false << int(sNone)
                                         << int(irLexiconUnnamed);
        QTest::newRow("smart lexicon unnamed") << "refused/smart_unnamed.llx" << false << int(sEnglishCurrent)
                                               << int(irSmartLexiconUnnamed);
        // Refused after a pair had gone into the store.
        QTest::newRow("smart lexicon unnamed after a pair")
            << "refused/smart_unnamed_late.llx" << true << int(sEnglishCurrent) << int(irSmartLexiconUnnamed);
        QTest::newRow("dictionary without its language") << "refused/unlabelled.txt" << false << int(sNone)
                                                         << int(irDictionaryUnlabelled);
    }
    void refusalsChangeNothing()
    {
        QFETCH(QString, file);
        QFETCH(bool, toCurrent);
        QFETCH(int, setup);
        QFETCH(int, reason);
        TExchangeWindow W;
        if (setup & sVanishedListed) {
            W.CopyExchange("vanished.lng", "vanished.lng");
            W.Engine->RescanLanguages();
            QFile::remove(W.Path("vanished.lng"));
        }
        if (setup & sEnglishCurrent)
            W.Engine->Translate("en");
        if (setup & sLibraryUnnamed) {
            W.Engine->SetTranslateGlotta(true);
            W.Engine->setObjectName(QString());
            dynamic_cast<QObject *>(W.Engine->LangFormLexicon())->setObjectName(QString());
            QVERIFY(W.Engine->LibraryLexiconPath().isEmpty());
        }
        ShowRefusalReasons(*W.Engine);
        const QString Path = file.isEmpty() ? W.Path("missing.llx") : ExchangeDataPath(file);
        const QString Language = W.Engine->CurrentLanguage();
        const QStringList Texts = W.Texts();
        const auto Files = W.Files();

        QString Message;
        QCOMPARE(ImportRefusal(*W.Engine, Path, toCurrent, Message), -1);
        QCOMPARE(Message, QStringLiteral("refused %1").arg(reason));
        QCOMPARE(W.Files(), Files);
        QCOMPARE(W.Engine->CurrentLanguage(), Language);
        QCOMPARE(W.Texts(), Texts);
        // Nothing of the import stays in the language, not even for a later switch.
        W.Engine->Translate("cs");
        W.Engine->Translate(Language);
        QCOMPARE(W.Texts(), Texts);
    }

    void builtInRefusalTextIsTheLibraryItem()
    {
        TExchangeWindow W;
        QString Message;
        QCOMPARE(ImportRefusal(*W.Engine, W.Path("missing.llx"), false, Message), -1);
        QCOMPARE(Message, W.Engine->LangFormLexicon()->GetItem(liCannotImport));
    }

    // Into the current language (English, which translates Label1 and item
    // 1 itself): an own translation stays unless the dictionary says
    // "$overwrite_existing" is true; the kind of a file is told by its
    // lines, not its extension. The merged language is saved and shown.
    void importIntoCurrentLanguage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("dictionary keeps own") << "dictionary/keep.txt" << 2
                                              << QStringList{"Close", "Yes", "a=b", "Jedna", "Error", "Shut"};
        QTest::newRow("dictionary overwrites") << "dictionary/overwrite.txt" << 4
                                               << QStringList{"Shut", "Yes", "a=b", "Jedna", "Fault", "Shut"};
        QTest::newRow("dictionary named .lng") << "dictionary/lexicon_like.lng" << 1
                                               << QStringList{"Close", "Yes", "a=b", "Jedna", "Error", "Zavřít"};
        QTest::newRow("lexicon file keeps own") << "lexicon/keep.llx" << 3
                                                << QStringList{"Close", "Yes", "a=b", "One", "Error", "Shut"};
        QTest::newRow("lexicon file named .txt") << "lexicon/as_text.txt" << 1
                                                 << QStringList{"Close", "Yes", "a=b", "Jedna", "Error", "Zavřít"};
    }
    void importIntoCurrentLanguage()
    {
        QFETCH(QString, file);
        QFETCH(int, count);
        QFETCH(QStringList, texts);
        TExchangeWindow W;
        W.Engine->Translate("en");
        QCOMPARE(W.Texts(), (QStringList{"Close", "Ano", "a=b", "Jedna", "Error", "Zavřít"}));
        QCOMPARE(W.Engine->ImportFromFile(ExchangeDataPath(file), true), count);
        QCOMPARE(W.Engine->CurrentLanguage(), QStringLiteral("english"));
        QCOMPARE(W.Texts(), texts);
        // Saved: a fresh switch reads the same from the file.
        W.Engine->Translate("cs");
        W.Engine->Translate("en");
        QCOMPARE(W.Texts(), texts);
        QCOMPARE(W.Files().keys(), QStringList{"english.lng"});
    }

    // One pair reaches every kind of client: the property client's line
    // (or, connected to the global lexicon, the global lexicon), the
    // designed lexicon's item and the translator's smart lexicon; a named
    // smart section reaches only the translator it names.
    void pairsReachEveryKindOfClient_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("global");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("globalAno");
        QTest::addColumn<QString>("translatorAno");
        QTest::newRow("dictionary") << "dictionary/keep.txt" << false << 4 << "Yes" << "" << "Yes";
        QTest::newRow("dictionary, client on the global lexicon")
            << "dictionary/keep.txt" << true << 4 << "Yes" << "Yes" << "Yes";
        QTest::newRow("named smart section") << "lexicon/translator.llx" << false << 1 << "Ano" << "" << "Ja";
    }
    void pairsReachEveryKindOfClient()
    {
        QFETCH(QString, file);
        QFETCH(bool, global);
        QFETCH(int, count);
        QFETCH(QString, button);
        QFETCH(QString, globalAno);
        QFETCH(QString, translatorAno);
        TExchangeWindow W;
        // The resource-string translator keeps its translations in a smart
        // lexicon named after it, keyed by the designed texts.
        auto *Translator = new TCustomResourcesTranslator(W.Form.get());
        Translator->setObjectName("Translator1");
        Translator->RegisterResourceString("Yes", "Ano");
        Translator->RegisterResourceString("Close", "Zavřít");
        Translator->SetGlottaEngine(W.Engine);
        W.Client->SetGlobalLexicon(global);
        W.Engine->Translate("en");
        QCOMPARE(W.Engine->ImportFromFile(ExchangeDataPath(file), true), count);
        QCOMPARE(W.Button1->text(), button);
        const TSmartLexiconData &Smart = *W.Engine->LData()->SmartLexicon;
        QCOMPARE(Smart.ReadItem("Ano"), globalAno);
        QCOMPARE(Smart.ReadItem("Form1.Translator1", "Ano"), translatorAno);
        // What Qt asks the translator for the loaded text comes from the import.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Yes"),
                 translatorAno.isEmpty() ? QStringLiteral("Ano") : translatorAno);
    }

    // A designed text holding "=" is written with the "=" as a code and
    // matched again when the dictionary comes back.
    void equalsSignSurvivesDictionary()
    {
        TExchangeWindow W;
        W.Engine->Translate("en");
        const QString File = W.Path("out.txt");
        W.Engine->ExportToFile(File);
        QString Text = QString::fromUtf16(reinterpret_cast<const char16_t *>(ReadAll(File).constData() + 2));
        QVERIFY2(Text.contains("\r\na'#61'b=\r\n"), qPrintable(Text));
        Text.replace("\r\na'#61'b=\r\n", "\r\na'#61'b=x=y\r\n");
        QFile F(File);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("\xFF\xFE", 2);
        F.write(reinterpret_cast<const char *>(Text.utf16()), Text.size() * 2);
        F.close();
        // Label2, and item 2, whose designed text Label1 shares and English
        // does not translate: the dictionary offers Label1's translation.
        QCOMPARE(W.Engine->ImportFromFile(File, true), 2);
        QCOMPARE(W.Label2->text(), QStringLiteral("x=y"));
        QCOMPARE(W.Lexicon->GetItem(2), QStringLiteral("Close"));
    }

    void exportMatchesGolden_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lexicon file") << "english.llx";
        QTest::newRow("dictionary") << "english.txt";
    }
    void exportMatchesGolden()
    {
        QFETCH(QString, name);
        TExchangeWindow W;
        W.Engine->SetLangFileEncoding(TLFEncoding::UTF8);
        W.Engine->Translate("en");
        // A global pair of the language goes into the lexicon file as well.
        W.Engine->LData()->SmartLexicon->AddItem("Ne", "No", 0);
        W.Engine->ExportToFile(W.Path(name));
        QCOMPARE(ReadAll(W.Path(name)), ReadAll(ExchangeDataPath("golden/" + name)));
    }

    // A language's own flag travels in the lexicon file and comes in with
    // the new language; the placeholder the list shows for a language
    // without a flag is no flag (English's export has none: see its golden file).
    void flagTravelsWithLexiconFile()
    {
        TExchangeWindow W;
        W.Copy("deutsch_flag.lng", "deutsch.lng");
        W.Engine->RescanLanguages();
        W.Engine->Translate("de");
        const QByteArray Flag = W.Engine->FlagImage("de")->data();
        QVERIFY(Flag.startsWith("BM"));
        W.Engine->ExportToFile(W.Path("de.llx"));
        QCOMPARE(FlagIconStream().data(), Flag);
        W.Engine->LData()->ExportLanguage(W.Path("flagged.llx"), "Flagged", QString());
        W.Engine->Translate("cs");
        // Button1's "Ano" is not in the window's German; the flag counts one.
        QCOMPARE(W.Engine->ImportFromFile(W.Path("flagged.llx"), false), 2);
        QCOMPARE(W.Engine->CurrentLanguage(), QStringLiteral("Flagged"));
        QVERIFY(QFile::exists(W.Path("flagged.lng")));
        QCOMPARE(W.Engine->FlagImage("Flagged")->data(), Flag);
    }

    void designLanguageIsNotExported()
    {
        TExchangeWindow W;
        try {
            W.Engine->ExportToFile(W.Path("out.llx"));
            QFAIL("exported the design language");
        } catch (const EImportExport &E) {
            // In the library's language, which follows the design language.
            QCOMPARE(E.Message(), CzechTexts()[2 + liCannotExportDesign]);
            W.Engine->LangFormLexicon()->LoadLang(EnglishTexts());
            QCOMPARE(W.Engine->LangFormLexicon()->GetItem(liCannotExportDesign),
                     QStringLiteral("The design language of the application can not be exported"));
        }
        QVERIFY(!QFile::exists(W.Path("out.llx")));
    }

    void failedWriteKeepsEarlierFile()
    {
        TExchangeWindow W;
        W.Engine->Translate("en");
        const QString File = W.Path("out.llx");
        WriteBytes(File, "earlier");
        {
            TWriteLimit Limit(16);
            QVERIFY_THROWS_EXCEPTION(EOSError, W.Engine->ExportToFile(File));
        }
        QCOMPARE(ReadAll(File), QByteArray("earlier"));
        // An import whose save fails leaves the language file and the shown
        // language as they were.
        const auto Files = W.Files();
        const QStringList Texts = W.Texts();
        {
            TWriteLimit Limit(16);
            QVERIFY_THROWS_EXCEPTION(EOSError, W.Engine->ImportFromFile(ExchangeDataPath("dictionary/keep.txt"), true));
        }
        QCOMPARE(W.Files(), Files);
        QCOMPARE(W.Texts(), Texts);
        QCOMPARE(W.Engine->LData()->DataStruct->Find("Button1", "Form1", 0, ""), -1);
    }

    // With the editor open, an import into the current language reads a
    // bundle's entry for that language and saves nothing.
    void bundles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("buttonTranslated");
        // The rest of the file would be a readable dictionary.
        QTest::newRow("count 0") << "bundle/count_zero.lng" << 0 << false;
        QTest::newRow("entry of the current language") << "bundle/two_languages.lng" << 1 << true;
        // No bundle: read as text, which holds nothing to take.
        QTest::newRow("count past the end") << "bundle/count_past_end.lng" << 0 << false;
    }
    void bundles()
    {
        QFETCH(QString, file);
        QFETCH(int, count);
        QFETCH(bool, buttonTranslated);
        TGlottaEngine::SetDataFactory([](TGlottaCore *E) -> TLangCoreData * { return new TEditorOpenData(E); });
        TExchangeWindow W;
        TGlottaEngine::SetDataFactory(nullptr);
        W.Engine->Translate("en");
        const auto Files = W.Files();
        QCOMPARE(W.Engine->ImportFromFile(ExchangeDataPath(file), true), count);
        const int Line = W.Engine->LData()->DataStruct->Find("Button1", "Form1", 0, "");
        QCOMPARE(Line >= 0, buttonTranslated);
        if (buttonTranslated)
            QCOMPARE(W.Engine->LData()->DataStruct->GetTranslation(Line), QStringLiteral("Yes"));
        QCOMPARE(W.Files(), Files);
    }
};

QTEST_MAIN(TestExchangeImport)
#include "tst_exchange_import.moc"
