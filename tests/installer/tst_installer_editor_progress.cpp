// The editor window opened on the installer's English, as a translator
// meets it: how far the language is, moving with every key; a translation
// failing a check and a caption too long for its label, marked and cleared.
// (Only the first installer window of a process offers the editor in its
// language combo: this test has a process of its own.)

#include "tests/installer/editor_window_driver.h"
#include "tests/glotta/engine/engine_fixture.h"
#include "tests/installer/fake_platform.h"
#include "glotta/engine/lexicon.h"
#include "glotta/widgets/editor/text_fit.h"
#include "glotta/widgets/editor/vcl_lang_data.h"
#include "glotta/widgets/glotta_engine.h"

#include <QLabel>
#include <QTemporaryDir>
#include <memory>

class TestInstallerEditorProgress : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;

private slots:
    void initTestCase() { InstallLanguageEditor(); }

    // English opened for editing: how far it is, in the library's language,
    // moving with every key; a caption too long for its label is marked
    // and listed, and a shorter one clears the mark.
    void progressAndFitOfEnglish()
    {
        TBoxRecorder Boxes;
        QTemporaryDir Program;
        Platform.Locale = "cs";
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Program.path()));
        Form->GlottaEngine1->SetLangSubdirectory(Program.filePath("lang"));
        // Label1 draws in DejaVu Sans a pixel larger than designed (tst_installer_fit).
        auto *Label1 = Form->findChild<QLabel *>("Label1");
        QFont Font = Label1->font();
        Font.setFamily("DejaVu Sans");
        Font.setPixelSize(Font.pixelSize() + 1);
        Label1->setFont(Font);
        QStringList Seen;
        QString Mark, Cleared, CheckMark;
        int Listed = -1, Lack = -1;
        QStringList Lex;
        QVERIFY(WithEditor(Form.get(), "> Upravit jazyk <", [&](TLanguageManager *W) {
            for (const TLibraryItem Item : {liProgress, liOwnRows, liInheritedRows, liGlobalRows, liExcludedRows,
                                            liMissingRows, liGroup, liObject, liTooLong})
                Lex << W->LData->EditorLex[Item];
            // The only editable language opens at once.
            QCOMPARE(W->GroupCombo->currentText(), QStringLiteral("Form1"));
            Seen << W->LProgress->text() << W->LGroup->text()
                 << W->GroupCombo->itemData(1, Qt::UserRole + 1).toString();
            Pick(W->ObjectCombo, "konecb");
            Seen << W->LObject->text();
            // Emptied, the caption is missing (the designed text shows);
            // each key counts at once, before the edit ends.
            QLineEdit *Edit = OpenValue(W, "Caption");
            Edit->selectAll();
            QTest::keyClick(Edit, Qt::Key_Delete);
            Seen << W->LProgress->text() << W->LGroup->text() << W->LObject->text();
            QTest::keyClicks(Edit, "E");
            Seen << W->LProgress->text() << W->LObject->text();
            QTest::keyClick(Edit, Qt::Key_Return);
            Photograph(W, "progress");
            // A blank the designed text does not end with: the row is
            // marked with the check's reason; without it the mark goes.
            TypeValue(W, "Caption", "Close ");
            CheckMark = W->RowProblem(GridRow(W, "Caption"));
            Photograph(W, "check");
            TypeValue(W, "Caption", "Close");
            CheckMark += "|" + W->RowProblem(GridRow(W, "Caption"));

            Pick(W->ObjectCombo, "Label1");
            Lack = CaptionLack(Label1, "The missing components for the operation of database MS SQL LocalDB:");
            TypeValue(W, "Caption", "The missing components for the operation of database MS SQL LocalDB:");
            Mark = W->RowProblem(GridRow(W, "Caption"));
            Listed = W->LanguageFitRows().value(0).Lacking;
            Photograph(W, "fit");
            TypeValue(W, "Caption", "Missing:");
            Cleared = W->RowProblem(GridRow(W, "Caption")) + QString::number(W->LanguageFitRows().size());
        }));
        // English translates all 8 texts of the window and all 37 messages:
        // 100 %. Emptied, konecb's caption shows the designed text again.
        QCOMPARE(Lex.size(), 9);
        const auto Counts = [&Lex](int Percent, int Own, int Missing) {
            return QStringLiteral("%1: %2 %\n%3 %4 · %5 0\n%6 0 · %7 0\n%8 %9")
                .arg(Lex[0]).arg(Percent).arg(Lex[1]).arg(Own).arg(Lex[2], Lex[3], Lex[4], Lex[5]).arg(Missing);
        };
        const QString Group = Lex[6] + ": ", Object = Lex[7] + ": ";
        QCOMPARE(Seen, (QStringList{Counts(100, 45, 0), Group + "100 %", "100 %", Object + "100 %", Counts(97, 44, 1),
                                    Group + "87 %", Object + "0 %", Counts(100, 45, 0), Object + "100 %"}));
        QVERIFY(Lack > 0);
        QCOMPARE(Mark, QString(Lex[8]).replace("%s", QString::number(Lack)));
        QCOMPARE(Listed, Lack);
        QCOMPARE(Cleared, QStringLiteral("0"));
        QCOMPARE(CheckMark, QStringLiteral("blanks: The translation ends with 1 blank, the design text with no blank.|"));
    }
};

QTEST_MAIN(TestInstallerEditorProgress)
#include "tst_installer_editor_progress.moc"
