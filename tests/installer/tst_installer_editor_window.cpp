// The editor window driven as a user drives it, opened from the installer
// window's language combo: a new language created, translated and saved,
// then edited again and closed without saving.

#include "tests/glotta/engine/engine_fixture.h"
#include "tests/installer/editor_window_driver.h"
#include "tests/installer/fake_platform.h"
#include "glotta/engine/lexicon.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/widgets/editor/language_manager.h"
#include "glotta/widgets/editor/text_fit.h"
#include "glotta/widgets/editor/vcl_lang_data.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"
#include "installer/form1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>


class TestInstallerEditorWindow : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

private slots:
    void initTestCase() { InstallLanguageEditor(); }

    void createThenEditWithoutSaving()
    {
        TBoxRecorder Boxes;
        Platform.Locale = "cs";
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, ProgramDir.path()));
        TGlottaEngine *Engine = Form->GlottaEngine1;
        Engine->SetLangSubdirectory(ProgramDir.filePath("lang"));
        // The user names a file elsewhere, with another extension.
        QString Offered;
        TLanguageManager::ChooseSaveFile = [&](QWidget *, const QString &, const QString &Dir, const QString &) {
            Offered = Dir;
            return QStringLiteral("/elsewhere/deutsch.txt");
        };

        TBoxRecorder &Refused = Boxes;
        QVERIFY(WithEditor(Form.get(), "> Přidat jazyk <", [&Refused](TLanguageManager *W) {
            Photograph(W, "choosing");
            Pick(W->LangCombo, "english");
            Pick(W->ISOCombo, "de - German");
            QCOMPARE(W->ISOCombo->currentText(), QStringLiteral("de"));
            QCOMPARE(W->LangEdit->text(), QStringLiteral("German"));
            // A name the list holds, in other letter case, is refused.
            W->LangEdit->clear();
            QTest::keyClicks(W->LangEdit, "ENGLISH");
            QTest::mouseClick(W->AddLangButton, Qt::LeftButton);
            QCOMPARE(Refused.Boxes.size(), 1);
            QCOMPARE(Refused.Boxes[0].Text, "ENGLISH " + W->LData->EditorLex[liNameExists]);
            QVERIFY(!W->LangFilesPanel->isEnabled());
            W->LangEdit->clear();
            QTest::keyClicks(W->LangEdit, "Deutsch");
            QVERIFY(W->AddLangButton->isVisible());
            QTest::mouseClick(W->AddLangButton, Qt::LeftButton);
            QVERIFY(W->LangFilesPanel->isEnabled());
            QCOMPARE(W->GroupCombo->currentText(), QStringLiteral("Form1"));
            Pick(W->ObjectCombo, "konecb");
            TypeValue(W, "Caption", "Schließen");
            Pick(W->ObjectCombo, "pokracovatb");
            TypeValue(W, "Caption", "weiter");
            Photograph(W, "client");
            Pick(W->GroupCombo, "Form1.Lexicon1");
            TypeValue(W, "Item[17]", "Die Installation ist abgeschlossen");
            Photograph(W, "lexicon");
            // The filter leaves the rows still to do: the item just
            // translated goes, the inherited ones stay.
            W->ToDoCheck->setChecked(true);
            QVERIFY(W->LangListEditor->isRowHidden(GridRow(W, "Item[17]")));
            QVERIFY(!W->LangListEditor->isRowHidden(GridRow(W, "Item[16]")));
            W->LangListEditor->setCurrentCell(GridRow(W, "Item[16]"), 1);
            Photograph(W, "filter");
            // The next row to do: on this page, then round to the first
            // group, whose first object (in the list's order) is still to do.
            W->NextToDo();
            QCOMPARE(W->LangListEditor->currentRow(), GridRow(W, "Item[18]"));
            W->LangListEditor->setCurrentCell(W->LangListEditor->rowCount() - 1, 1);
            W->NextToDo();
            QCOMPARE(W->GroupCombo->currentText(), QStringLiteral("Form1"));
            QCOMPARE(W->ObjectCombo->currentText(), QStringLiteral("Form1"));
            QCOMPARE(W->LangListEditor->currentRow(), 0);
            W->ToDoCheck->setChecked(false);
            QVERIFY(W->LangModify);
            QTest::mouseClick(W->FinishBtn, Qt::LeftButton);
        }));
        QCOMPARE(Offered, Engine->GetLangsDir());
        const QString File = ProgramDir.filePath("lang/deutsch.lng");
        QCOMPARE(FileLines(File),
                 (QStringList{"[LANGUAGE_FILE]",
                              "0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%SUPERIOR_LANGUAGE=english;\t%FILEVER=THLF1;",
                              "0\t\"Schließen\"\t%COMPONENT=konecb;\t%OWNER=Form1;",
                              "0\t\"weiter\"\t%COMPONENT=pokracovatb;\t%OWNER=Form1;", "0\t%LEXICON_STRINGS",
                              "0\t%LEXICON_NAME=Form1.Lexicon1;", "17\t\"Die Installation ist abgeschlossen\"",
                              "0\t%SMART_STRINGS"}));
        QCOMPARE(Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(Form->findChild<QPushButton *>("konecb")->text(), QStringLiteral("Schließen"));
        QCOMPARE(Form->findChild<QPushButton *>("pokracovatb")->text(), QStringLiteral("weiter"));
        QCOMPARE(Form->Lexicon1->GetItem(fmFinished), QStringLiteral("Die Installation ist abgeschlossen"));
        // Texts Deutsch does not translate come from English.
        QCOMPARE(Form->findChild<QPushButton *>("zrusitb")->text(), QStringLiteral("cancel downloading"));

        // Edited again, changed, closed without saving: the user confirms
        // and the file stays as it was, byte for byte.
        const QByteArray Saved = FileBytes(File);
        Boxes.Boxes.clear();
        QString Confirmation, ImportBox, ImportTemplate;
        QByteArray Exported;
        // The combo now speaks the library's German.
        const QString EditEntry = Engine->LangFormLexicon()->GetItem(liEditLanguage);
        QVERIFY(EditEntry != QStringLiteral("> Upravit jazyk <"));
        QVERIFY(WithEditor(Form.get(), EditEntry, [&, this](TLanguageManager *W) {
            Pick(W->LangCombo, "Deutsch");
            Pick(W->ObjectCombo, "konecb");
            TypeValue(W, "Caption", "Zu");
            // A picture of 32 x 16 becomes the flag, 16 x 8 on white.
            QImage Red(32, 16, QImage::Format_RGB32);
            Red.fill(Qt::red);
            const QString Picture = ProgramDir.filePath("flag.png");
            QVERIFY(Red.save(Picture));
            TLanguageManager::ChoosePictureFile = [&](QWidget *, const QString &) { return Picture; };
            QTest::mouseClick(W->FlagImage, Qt::LeftButton);
            const QImage Flag = W->FlagImage->pixmap().toImage();
            QCOMPARE(Flag.size(), QSize(16, 16));
            QCOMPARE(Flag.pixelColor(8, 2), QColor(Qt::white));
            QCOMPARE(Flag.pixelColor(8, 8), QColor(Qt::red));
            // Exported under a name without extension: an exchange file
            // holding the value typed, and taken back by an import.
            QVERIFY(QDir(ProgramDir.path()).mkpath("exchange"));
            TLanguageManager::ChooseSaveFile = [&](QWidget *, const QString &, const QString &, const QString &) {
                return ProgramDir.filePath("exchange/deutsch");
            };
            QTest::mouseClick(W->ExportBtn, Qt::LeftButton);
            Exported = FileBytes(ProgramDir.filePath("exchange/deutsch.llx"));
            TLanguageManager::ChooseOpenFile = [&](QWidget *, const QString &, const QString &, const QString &) {
                return ProgramDir.filePath("exchange/deutsch.llx");
            };
            QTest::mouseClick(W->ImportBtn, Qt::LeftButton);
            ImportBox = Boxes.Boxes.value(0).Text;
            ImportTemplate = W->LData->EditorLex[liImportedCount];
            Confirmation = W->LData->EditorLex[liCloseWithoutSaving];
            W->close();
            QVERIFY(!W->isVisible());
        }));
        QVERIFY(Exported.contains("\"Zu\"") || Exported.contains(QByteArray::fromRawData("Z\0u\0", 4)));
        QVERIFY(ImportTemplate.contains("%s"));
        // The import's report: the library's text with the number taken.
        const QStringList Around = ImportTemplate.split("%s");
        QVERIFY(ImportBox.startsWith(Around.first()) && ImportBox.endsWith(Around.last()));
        QVERIFY(ImportBox.mid(Around.first().size(), ImportBox.size() - Around.first().size() - Around.last().size())
                    .toInt() > 0);
        QCOMPARE(Boxes.Boxes.size(), 2);
        QCOMPARE(Boxes.Boxes[1].Text, Confirmation);
        QCOMPARE(FileBytes(File), Saved);
        QCOMPARE(Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(Form->findChild<QPushButton *>("konecb")->text(), QStringLiteral("Schließen"));
    }
};

QTEST_MAIN(TestInstallerEditorWindow)
#include "tst_installer_editor_window.moc"
