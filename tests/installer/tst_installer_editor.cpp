// The installer window edited in the built-in editor's data model, with a
// second form beside it (a label under a client that falls back to the
// global lexicon, a lexicon and a resource-string translator on the same
// engine): English opened for editing from the program's resource, every
// group and page walked, values changed, row statuses switched, saved and
// shown at once.

#include "tests/glotta/engine/editor/editor_double.h"
#include "tests/glotta/engine/engine_fixture.h"
#include "tests/installer/fake_platform.h"
#include "glotta/engine/editor/item_colors.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/store/unit_list.h"
#include "glotta/widgets/glotta_client.h"
#include "installer/form1.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
QPushButton *Button(TForm1 *Form, const QString &Name)
{
    return Form->findChild<QPushButton *>(Name);
}

// Form2: two labels under a client connected to the global lexicon, the
// lexicon Texts and the translator Res (unit "Strings").
struct TSecondForm
{
    std::unique_ptr<QWidget> Form = std::make_unique<QWidget>();
    QLabel *Note = nullptr, *Title = nullptr;
    TGlottaClient *Client = nullptr;
    TDesignedLexicon *Texts = nullptr;
    TResourcesTranslator *Res = nullptr;

    explicit TSecondForm(TGlottaEngine *Engine)
    {
        Form->setObjectName("Form2");
        Note = new QLabel("Poznámka", Form.get());
        Note->setObjectName("Note");
        Title = new QLabel("Nadpis", Form.get());
        Title->setObjectName("Title");
        Texts = new TDesignedLexicon(Form.get());
        Texts->setObjectName("Texts");
        Texts->SetItems({"Ano", "Ne"});
        Res = new TResourcesTranslator(Form.get());
        Res->setObjectName("Res");
        Res->UnitList().Add("Strings");
        Res->RegisterResourceString("Zrušit");
        Client = new TGlottaClient(Form.get());
        Client->setObjectName("GlottaClient1");
        Client->SetGlobalLexicon(true);
        Client->SetGlottaEngine(Engine);
        Texts->SetGlottaEngine(Engine);
        Res->SetGlottaEngine(Engine);
        Client->Translate();
    }
};

// Switches the row Label Count times in a row, the way the window does
// (the value shown becomes the answer); answers the colours after each.
QList<quint32> Switch(TEditorDouble &D, const QString &Label, int Count)
{
    QList<quint32> Colors;
    bool AllowNoTrans = false;
    for (int i = 0; i < Count; ++i) {
        const int Row = D.RowOf(Label);
        QString NewText;
        D.SwitchEditorItem(Row, D.Rows[Row].Value, AllowNoTrans, NewText);
        D.Rows[Row].Value = NewText;
        Colors << D.Color(Label);
    }
    return Colors;
}
} // namespace

class TestInstallerEditor : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

private slots:
    void initTestCase() { InstallEditorDouble(); }

    void editEnglish()
    {
        TBoxRecorder Boxes;
        Platform.Locale = "cs";
        std::unique_ptr<TForm1> Form1(TForm1::Create(&Platform, ProgramDir.path()));
        TGlottaEngine *Engine = Form1->GlottaEngine1;
        // Saved files go to a folder of the test's own, not beside the program.
        Engine->SetLangSubdirectory(ProgramDir.filePath("lang"));
        TSecondForm Form2(Engine);
        const QString DesignedStep3 = Button(Form1.get(), "instalovat3b")->text();
        Engine->Translate("en");
        QCOMPARE(Button(Form1.get(), "konecb")->text(), QStringLiteral("close"));

        QStringList Groups;
        QList<quint32> Colors;
        QString SavedTo;
        TEditorDouble &Data = EditorDouble(Engine);
        Data.Session = [&](TEditorDouble &D, int Mode) -> QString {
            if (Mode != erEditLanguage || !D.EditorAction(TEditorActions::eaLoadLangForEdit, "english"))
                return QString();
            D.EditorLang = "english";
            D.EditorISO = Engine->CurrentLanguageISO();
            D.LoadGroups(Groups);
            D.WorkGlobalLexicon->AssignGlobals(*D.SmartLexicon);
            // Every group and every object page, as the combos walk them.
            for (int g = 0; g < Groups.size(); ++g) {
                D.ChangeEditorClient(g);
                QStringList Objects;
                D.LoadObjects(Objects);
                for (const QString &Object : Objects.isEmpty() ? QStringList{QString()} : Objects) {
                    D.StoreEditorPage();
                    D.LoadPage(Object);
                    if (D.Rows.isEmpty())
                        qWarning("empty page %s / %s", qPrintable(Groups[g]), qPrintable(Object));
                }
            }
            // The installer window: one caption changed, one property
            // excluded, one switched twice (no globals: back as it was).
            D.ChangeEditorClient(0);
            D.LoadPage();
            D.Type("konecb.Caption", "Close");
            Colors << Switch(D, "instalovat3b.Caption", 1) << Switch(D, "zrusitb.Caption", 2);
            D.ChangeEditorClient(1);
            D.LoadPage();
            D.Type("Item[5]", "Downloading");
            // The second form: a new translation, and the full cycle of a
            // row whose client falls back to the global lexicon.
            D.ChangeEditorClient(2);
            D.LoadPage();
            D.Type("Note.Caption", "Note");
            Colors << Switch(D, "Title.Caption", 3);
            D.ChangeEditorClient(3);
            D.LoadPage();
            D.Type("Item[1]", "No");
            D.ChangeEditorClient(4);
            D.LoadPage("Strings");
            D.Type("Zrušit", "Cancel");
            SavedTo = D.FileNames.Strings(D.Languages.IndexOf("english"));
            D.StoreChanges();
            D.StoreNewGlobals();
            D.EditorAction(TEditorActions::eaSaveLang, SavedTo);
            return D.EditorLang;
        };
        Engine->ShowLangEditor();

        QCOMPARE(Groups, (QStringList{"Form1", "Form1.Lexicon1", "Form2", "Form2.Texts", "Form2.Res"}));
        using namespace EditorColor;
        // Title has no global translation yet: as a global row it shows
        // nothing until one is typed.
        QCOMPARE(Colors, (QList<quint32>{Salmon, Salmon, Green, SteelBlue, Salmon, Yellow}));

        // The saved file: the built-in English with exactly these changes.
        QStringList Expected = FileLines(GLOTTA_ENGLISH_LNG);
        QVERIFY(!Expected.isEmpty());
        const auto Replace = [&Expected](const QString &From, const QString &To) {
            const qsizetype i = Expected.indexOf(From);
            QVERIFY2(i >= 0, qPrintable(From));
            Expected[i] = To;
        };
        Replace("0\t\"close\"\t%COMPONENT=konecb;\t%OWNER=Form1;", "0\t\"Close\"\t%COMPONENT=konecb;\t%OWNER=Form1;");
        Replace("0\t\"Download and install the program Dilnex\"\t%COMPONENT=instalovat3b;\t%OWNER=Form1;",
                "0\t%NOTRANS\t%COMPONENT=instalovat3b;\t%OWNER=Form1;");
        Replace("5\t\"downloading\"", "5\t\"Downloading\"");
        // Lines are written in the order of their IDs: "Note@Form2" between
        // "Label1@Form1" and "pokracovatb@Form1".
        Expected.insert(Expected.indexOf("0\t\"continue\"\t%COMPONENT=pokracovatb;\t%OWNER=Form1;"),
                        "0\t\"Note\"\t%COMPONENT=Note;\t%OWNER=Form2;");
        const qsizetype Smart = Expected.indexOf("0\t%SMART_STRINGS");
        Expected.insert(Smart, "1\t\"No\"");
        Expected.insert(Smart, "0\t%LEXICON_NAME=Form2.Texts;");
        Expected << "0\t%LEXICON_NAME=Form2.Res;" << "0\t\"Zrušit\"" << "0\t\"Cancel\"";
        QCOMPARE(FileLines(SavedTo), Expected);

        // Shown at once: the engine switched to the saved language.
        QCOMPARE(Engine->CurrentLanguage(), QStringLiteral("english"));
        QCOMPARE(Button(Form1.get(), "konecb")->text(), QStringLiteral("Close"));
        QCOMPARE(Button(Form1.get(), "instalovat3b")->text(), DesignedStep3);
        QCOMPARE(Button(Form1.get(), "zrusitb")->text(), QStringLiteral("cancel downloading"));
        QCOMPARE(Form1->Lexicon1->GetItem(fmDownloading), QStringLiteral("Downloading"));
        QCOMPARE(Form2.Note->text(), QStringLiteral("Note"));
        QCOMPARE(Form2.Title->text(), QStringLiteral("Nadpis"));
        QCOMPARE(Form2.Texts->GetItem(1), QStringLiteral("No"));
        QCOMPARE(Form2.Res->GetItem(0), QStringLiteral("Cancel"));
    }
};

QTEST_MAIN(TestInstallerEditor)
#include "tst_installer_editor.moc"
