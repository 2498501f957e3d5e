// The installer window's language combo: what it lists before and after the
// engine's initialisation, and a user's pick of "english" with the mouse.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"
#include "glotta/engine/language_file.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestLanguageCombo : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

private slots:
    // The first window of the process: its engine is the first of its key and offers the editor.
    void pickEnglishWithTheMouse()
    {
        TBoxRecorder Boxes;
        Platform.Locale = "cs";
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, ProgramDir.path()));
        TLangCombo *Box = Form->LangCombo1;
        // The start-up's first lexicon lookup initialised the engine: the
        // command entries follow the languages, in Czech.
        QStringList Items;
        for (int i = 0; i < Box->count(); ++i)
            Items.append(Box->itemText(i));
        QCOMPARE(Items, (QStringList{"čeština", "english", "> Přidat jazyk <", "> Upravit jazyk <"}));
        QCOMPARE(Box->currentText(), QStringLiteral("čeština"));
        QStringList Events;
        Form->GlottaEngine1->OnChangeLanguage = [&](QObject *Sender) {
            Events.append("engine");
            Form->GlottaEngine1ChangeLanguage(Sender);
        };
        Box->OnChangeLanguage = [&](QObject *) { Events.append("combo"); };

        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Box->showPopup();
        QAbstractItemView *View = Box->view();
        QVERIFY(QTest::qWaitForWindowExposed(View->window()));
        // The list ignores a release that follows its opening too closely.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(View->viewport(), Qt::LeftButton, Qt::NoModifier,
                          View->visualRect(View->model()->index(1, 0)).center());
        QTRY_COMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("english"));
        QCOMPARE(Form->GlottaEngine1->CurrentLanguageISO(), QStringLiteral("en"));
        QCOMPARE(Events, (QStringList{"engine", "combo"}));
        QCOMPARE(Box->currentText(), QStringLiteral("english"));
        QCOMPARE(Box->itemText(2), QStringLiteral("> Add <"));
        QVERIFY(Form->Memo1->toPlainText().startsWith("This is installation program"));
        QCOMPARE(Form->windowTitle(), QStringLiteral("Local installation of program Dilnex"));
        QCOMPARE(Form->konecb->text(), QStringLiteral("close"));
        QCOMPARE(Form->pokracovatb->text(), QStringLiteral("continue"));
        QVERIFY(Boxes.Boxes.isEmpty());
    }

    // A language file dropped into the language folder is listed after the
    // languages of the program once the folder is scanned, and switches like them; the
    // designed texts come back with the design language.
    void droppedLanguageFile()
    {
        TBoxRecorder Boxes;
        Platform.Locale = "cs";
        QTemporaryDir Dir;
        QVERIFY(QDir(Dir.path()).mkpath("lang"));
        QFile File(Dir.filePath("lang/deutsch.lng"));
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write(EncodeLanguageFile({"[LANGUAGE_FILE]",
                                       "0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%FILEVER=THLF1;",
                                       "0\t\"Lokale Installation von Dilnex\"\t%COMPONENT=Form1;\t%OWNER=;",
                                       "0\t\"Schließen\"\t%COMPONENT=konecb;\t%OWNER=Form1;",
                                       "0\t%LEXICON_STRINGS", "0\t%SMART_STRINGS"},
                                      TLFEncoding::Unicode));
        File.close();
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Dir.path()));
        // The folder beside this test program stands in for the one beside
        // the installer: pointing the engine there rescans it.
        Form->GlottaEngine1->SetLangSubdirectory(Dir.filePath("lang"));
        const QString Designed = Form->windowTitle(), DesignedClose = Form->konecb->text();
        TLangCombo *Box = Form->LangCombo1;
        QCOMPARE(Box->itemText(2), QStringLiteral("Deutsch"));
        // A pick from the list, as the keyboard or the mouse makes it.
        auto Pick = [Box](int Index) {
            Box->setCurrentIndex(Index);
            emit Box->activated(Index);
        };
        Pick(2);
        QCOMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(Form->windowTitle(), QStringLiteral("Lokale Installation von Dilnex"));
        QCOMPARE(Form->konecb->text(), QStringLiteral("Schließen"));
        // Texts the file does not translate keep their designed text.
        QCOMPARE(Form->pokracovatb->text(), QStringLiteral("pokračovat"));
        Pick(0);
        QCOMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(Form->windowTitle(), Designed);
        QCOMPARE(Form->konecb->text(), DesignedClose);
        QVERIFY(Boxes.Boxes.isEmpty());
    }
};

QTEST_MAIN(TestLanguageCombo)
#include "tst_language_combo.moc"
