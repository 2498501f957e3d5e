// The installer's languages: Czech by design, English from the language
// resource built into the program, switching by the user locale's code, and
// the built-in English file being exactly what the writer produces.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestInstallerLanguages : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

    std::unique_ptr<TForm1> Create(const QString &Locale)
    {
        Platform = TFakePlatform();
        Platform.Locale = Locale;
        return std::unique_ptr<TForm1>(TForm1::Create(&Platform, ProgramDir.path()));
    }

private slots:
    void initTestCase()
    {
        // No language files beside the test program.
        QVERIFY(!QDir(QCoreApplication::applicationDirPath() + "/lang").exists());
    }

    // The first window of the process: its engine is the first of its key and offers the editor.
    void czechWindowSwitches()
    {
        TBoxRecorder Boxes;
        auto Form = Create("cs");
        TGlottaEngine *E = Form->GlottaEngine1;
        QCOMPARE(E->LData()->Languages.ToStringList(), (QStringList{"čeština", "english"}));
        QCOMPARE(E->LData()->LangCodes.ToStringList(), (QStringList{"cs", "en"}));
        QCOMPARE(E->GetLanguageFile("en"), QStringLiteral("ENGLISH"));
        QCOMPARE(E->LData()->EditableLangs.ToStringList(), QStringList{"english"});
        // The start-up's first lexicon lookup initialised the engine: the
        // command entries are offered, in Czech.
        QVERIFY(E->IsInitialized());
        QCOMPARE(E->LData()->LangMenu.ToStringList(),
                 (QStringList{"čeština", "english", "> Přidat jazyk <", "> Upravit jazyk <"}));

        int Changes = 0;
        E->OnChangeLanguage = [&](QObject *Sender) {
            ++Changes;
            Form->GlottaEngine1ChangeLanguage(Sender);
        };
        QCOMPARE(E->Translate("en"), QStringLiteral("english"));
        QCOMPARE(Changes, 1);
        QCOMPARE(E->CurrentLanguageISO(), QStringLiteral("en"));
        QCOMPARE(E->LData()->CurrentSuperiorLang.Name, QStringLiteral("čeština"));
        QCOMPARE(Form->Lexicon1->GetItem(fmSetupError), QStringLiteral("Setup Error."));
        QVERIFY(Form->Memo1->toPlainText().startsWith("This is installation program"));
        QCOMPARE(E->LData()->LangMenu.ToStringList().mid(2), (QStringList{"> Add <", "> Edit <"}));

        QCOMPARE(E->Translate("de"), QStringLiteral("english"));
        QCOMPARE(Changes, 1);

        QCOMPARE(E->Translate(">"), QStringLiteral("čeština"));
        QCOMPARE(Changes, 2);
        QCOMPARE(Form->Lexicon1->GetItem(fmSetupError), QStringLiteral("Chyba instalace."));
        QVERIFY(Form->Memo1->toPlainText().startsWith("Instalační program"));
    }

    void englishLocaleStartsInEnglish()
    {
        TBoxRecorder Boxes;
        auto Form = Create("en");
        QCOMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("english"));
        QVERIFY(Form->Memo1->toPlainText().startsWith("This is installation program"));
        QCOMPARE(Form->Lexicon1->GetItem(fmNeedsAdmin), QStringLiteral("The installation program must be run under an administrator account."));
    }

    void englishResourceIsWhatTheWriterWrites()
    {
        TBoxRecorder Boxes;
        auto Form = Create("en");
        TGlottaEngine *E = Form->GlottaEngine1;
        QTemporaryDir Dir;
        E->SetLangSubdirectory(Dir.path());
        E->LData()->EditorLang = "english";
        E->LData()->EditorISO = "en";
        const QString Out = Dir.filePath("out.lng");
        QVERIFY(E->LData()->EditorAction(TEditorActions::eaSaveLang, Out));
        QFile Written(Out), Resource(QStringLiteral(GLOTTA_ENGLISH_LNG)), Built(":/lang/ENGLISH");
        QVERIFY(Written.open(QIODevice::ReadOnly));
        QVERIFY(Resource.open(QIODevice::ReadOnly));
        QVERIFY(Built.open(QIODevice::ReadOnly));
        const QByteArray Bytes = Written.readAll();
        QCOMPARE(Bytes, Resource.readAll());
        QCOMPARE(Bytes, Built.readAll());
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestInstallerLanguages T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_installer_languages.moc"
