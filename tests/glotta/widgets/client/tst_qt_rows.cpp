// The texts a Qt window carries beyond the published sets, on a window
// built in code: each is collected under its own ID from 1000 up, a saved
// language writes it, the design language brings it back, and items the
// program adds in between keep their own texts. Also what a Qt window's
// client collects that a stored design's does not (texts equal to their
// names, texts without letters), shortcuts through switches, tooltips that
// repeat their texts, and texts marked to stay as they are.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/widgets/client/qt_rows.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/text_helpers.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/widgets/editor/language_manager.h"
#include "glotta/widgets/editor/vcl_lang_data.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QCommandLinkButton>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWizardPage>

namespace {
// The test language: every collected text framed, so a translated text is
// told from its design at a glance and keeps its markers.
QString Translated(const QString &Designed)
{
    return QStringLiteral("«") + Designed + QStringLiteral("»");
}

template<typename T, typename... A>
T *Named(QWidget *Parent, const QString &Name, A &&...Args)
{
    auto *W = new T(std::forward<A>(Args)...);
    W->setParent(Parent);
    W->setObjectName(Name);
    return W;
}

struct TQtForm : TEngineFixture
{
    TGlottaClient *Client = nullptr;
    QPushButton *Ok = nullptr, *Dots = nullptr, *Close = nullptr, *Save = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QAction *Act = nullptr;
    QSpinBox *Spin = nullptr;
    QPlainTextEdit *Memo = nullptr;
    QProgressBar *Progress = nullptr;
    QWizardPage *Page = nullptr;
    QToolBar *Tools = nullptr;
    QCommandLinkButton *Link = nullptr;
    QTreeWidget *Tree = nullptr;
    QTableWidget *Table = nullptr;
    QListWidget *List = nullptr;
    QDateEdit *Date = nullptr;
    QLabel *Label = nullptr;

    TQtForm()
    {
        Form->setObjectName("QtForm");
        QWidget *F = Form.get();
        Ok = Named<QPushButton>(F, "Ok", "OK");
        Ok->setAccessibleName("Potvrdit");
        Ok->setAccessibleDescription("Potvrdí volby");
        Ok->setStatusTip("Uloží a zavře");
        Dots = Named<QPushButton>(F, "Dots", "...");
        Close = Named<QPushButton>(F, "Close", "Zavřít");
        Close->setShortcut(QKeySequence(Qt::Key_Escape));
        Close->setToolTip("Zavřít");
        Save = Named<QPushButton>(F, "Save", "&Uložit");
        CheckBox1 = Named<QCheckBox>(F, "CheckBox1", "CheckBox1");
        Act = new QAction("&Otevřít...", F);
        Act->setObjectName("Act");
        Act->setStatusTip("Otevře soubor");
        Act->setIconText("Otevřít soubor");
        Spin = Named<QSpinBox>(F, "Spin");
        Spin->setPrefix("asi ");
        Spin->setSuffix(" bodů");
        Spin->setSpecialValueText("Automaticky");
        Memo = Named<QPlainTextEdit>(F, "Memo");
        Memo->setPlaceholderText("Poznámky");
        Progress = Named<QProgressBar>(F, "Progress");
        Progress->setFormat("%v z %m");
        Page = Named<QWizardPage>(F, "Page");
        Page->setSubTitle("Vyberte složku");
        Tools = Named<QToolBar>(F, "Tools");
        Tools->setWindowTitle("Nástroje");
        Link = Named<QCommandLinkButton>(F, "Link", "Pokračovat", "Přejde dál");
        Tree = Named<QTreeWidget>(F, "Tree");
        Tree->setHeaderLabels({"Klíč", "Název"});
        Tree->headerItem()->setToolTip(1, "Zobrazený název");
        auto *Node = new QTreeWidgetItem(Tree, QStringList{"k1", "První"});
        Node->setToolTip(0, "klíč položky");
        new QTreeWidgetItem(Tree, QStringList{"k2", "Druhý"});
        Table = Named<QTableWidget>(F, "Table", 2, 1);
        Table->setVerticalHeaderLabels({"Řádek A", "Řádek B"});
        Table->setItem(0, 0, new QTableWidgetItem("buňka"));
        Table->item(0, 0)->setToolTip("tip buňky");
        List = Named<QListWidget>(F, "List");
        List->addItem("jablko");
        List->item(0)->setWhatsThis("ovoce");
        Date = Named<QDateEdit>(F, "Date");
        Date->setDisplayFormat("d. M. yyyy");
        Label = Named<QLabel>(F, "Label", "Popisek");
    }

    void Attach()
    {
        Client = new TGlottaClient(Form.get());
        Client->setObjectName("GlottaClient1");
        Client->SetGlottaEngine(Engine);
    }

    // A language holding Translated() of every collected text.
    void SaveTestLanguage(const QString &Name = "Zkouška", const QString &Code = "")
    {
        TComponentStructure &Data = *Engine->LData()->DataStruct;
        const TComponentStructure &Design = Client->DesignStruct();
        for (int i = 0; i < Design.Count(); ++i) {
            TFullStructLine Line = Design.GetFull(i);
            QString Text = Line.Translation;
            DecodeCharCodes(Text);
            Line.Translation = Translated(Text);
            EncodeControlChars(Line.Translation);
            Line.Descent = 0;
            Line.Changeable = ChangeableTranslatable;
            Data.AddLine(Line);
        }
        Engine->SaveLanguage(Name, "", Code, Path(Name + ".lng"));
        Engine->RescanLanguages();
    }

    QString LineText(const QString &ID) const
    {
        const int i = Client->DesignStruct().Find(ID);
        if (i < 0)
            return QStringLiteral("<no line>");
        QString T = Client->DesignStruct().GetFull(i).Translation;
        DecodeCharCodes(T);
        return T;
    }
};

// One text of the form: its line and how to read it.
struct TCase
{
    const char *Name;
    const char *Line;
    QString (*Read)(TQtForm &F);
};

const TCase Cases[] = {
    {"accessible name", "Ok@QtForm#1000[", [](TQtForm &F) { return F.Ok->accessibleName(); }},
    {"accessible description", "Ok@QtForm#1001[", [](TQtForm &F) { return F.Ok->accessibleDescription(); }},
    {"widget status tip", "Ok@QtForm#1002[", [](TQtForm &F) { return F.Ok->statusTip(); }},
    {"action status tip", "Act@QtForm#1002[", [](TQtForm &F) { return F.Act->statusTip(); }},
    {"action icon text", "Act@QtForm#1003[", [](TQtForm &F) { return F.Act->iconText(); }},
    {"spin prefix", "Spin@QtForm#1004[", [](TQtForm &F) { return F.Spin->prefix(); }},
    {"spin suffix", "Spin@QtForm#1005[", [](TQtForm &F) { return F.Spin->suffix(); }},
    {"special value", "Spin@QtForm#1006[", [](TQtForm &F) { return F.Spin->specialValueText(); }},
    {"memo placeholder", "Memo@QtForm#1007[", [](TQtForm &F) { return F.Memo->placeholderText(); }},
    {"progress format", "Progress@QtForm#1008[", [](TQtForm &F) { return F.Progress->format(); }},
    {"wizard subtitle", "Page@QtForm#1009[", [](TQtForm &F) { return F.Page->subTitle(); }},
    {"toolbar title", "Tools@QtForm#1010[", [](TQtForm &F) { return F.Tools->windowTitle(); }},
    {"link description", "Link@QtForm#1011[", [](TQtForm &F) { return F.Link->description(); }},
    {"tree column 1", "Tree@QtForm#1012[0.1", [](TQtForm &F) { return F.Tree->topLevelItem(0)->text(1); }},
    {"tree item tooltip", "Tree@QtForm#1013[0.0", [](TQtForm &F) { return F.Tree->topLevelItem(0)->toolTip(0); }},
    {"tree header tooltip", "Tree@QtForm#1013[H.1", [](TQtForm &F) { return F.Tree->headerItem()->toolTip(1); }},
    {"table row header", "Table@QtForm#1014[1",
     [](TQtForm &F) { return F.Table->verticalHeaderItem(1)->text(); }},
    {"table cell tooltip", "Table@QtForm#1013[0,0.0", [](TQtForm &F) { return F.Table->item(0, 0)->toolTip(); }},
    {"list item what's this", "List@QtForm#1015[0.0,w", [](TQtForm &F) { return F.List->item(0)->whatsThis(); }},
    {"date format", "Date@QtForm#1016[", [](TQtForm &F) { return F.Date->displayFormat(); }},
    // Outside stored designs a text equal to its name and one without
    // letters are texts like any other.
    {"text equal to its name", "CheckBox1@QtForm#0[", [](TQtForm &F) { return F.CheckBox1->text(); }},
    {"text without letters", "Dots@QtForm#0[", [](TQtForm &F) { return F.Dots->text(); }},
};
} // namespace

class TestQtRows : public QObject
{
    Q_OBJECT
private slots:
    // Each text: collected under its line, written by a saved language,
    // brought back by the design language.
    void rows_data()
    {
        QTest::addColumn<int>("Case");
        for (int i = 0; i < int(std::size(Cases)); ++i)
            QTest::newRow(Cases[i].Name) << i;
    }
    void rows()
    {
        QFETCH(int, Case);
        const TCase &C = Cases[Case];
        TQtForm F;
        F.Attach();
        const QString Designed = C.Read(F);
        QCOMPARE(F.LineText(C.Line), Designed);
        F.SaveTestLanguage();
        F.Engine->Translate("Zkouška");
        QCOMPARE(C.Read(F), Translated(Designed));
        F.Engine->Translate("čeština");
        QCOMPARE(C.Read(F), Designed);
    }

    // Items the program adds or moves between collection and switch keep
    // their own texts in the columns, tooltips and row headers too.
    void changedItems_data()
    {
        QTest::addColumn<int>("Change");
        QTest::newRow("node inserted first") << 0;
        QTest::newRow("row inserted first") << 1;
        QTest::newRow("first node removed") << 2;
    }
    void changedItems()
    {
        QFETCH(int, Change);
        TQtForm F;
        F.Attach();
        F.SaveTestLanguage();
        QTreeWidgetItem *First = F.Tree->topLevelItem(0), *Second = F.Tree->topLevelItem(1);
        QTreeWidgetItem *New = nullptr;
        QTableWidgetItem *NewRow = nullptr;
        switch (Change) {
        case 0:
            New = new QTreeWidgetItem(QStringList{"k0", "Nový"});
            F.Tree->insertTopLevelItem(0, New);
            break;
        case 1:
            F.Table->insertRow(0);
            NewRow = new QTableWidgetItem("Nový řádek");
            F.Table->setVerticalHeaderItem(0, NewRow);
            break;
        case 2:
            delete F.Tree->takeTopLevelItem(0);
            First = nullptr;
            break;
        }
        F.Engine->Translate("Zkouška");
        if (First) {
            QCOMPARE(First->text(1), Translated("První"));
            QCOMPARE(First->toolTip(0), Translated("klíč položky"));
        }
        QCOMPARE(Second->text(1), Translated("Druhý"));
        QCOMPARE(Second->toolTip(0), QString());
        if (New) {
            QCOMPARE(New->text(1), QStringLiteral("Nový"));
            QCOMPARE(New->toolTip(0), QString());
        }
        if (NewRow) {
            QCOMPARE(NewRow->text(), QStringLiteral("Nový řádek"));
            QCOMPARE(F.Table->verticalHeaderItem(1)->text(), Translated("Řádek A"));
        }
        F.Engine->Translate("čeština");
        if (First)
            QCOMPARE(First->text(1), QStringLiteral("První"));
        QCOMPARE(Second->text(1), QStringLiteral("Druhý"));
        if (NewRow)
            QCOMPARE(F.Table->verticalHeaderItem(2)->text(), QStringLiteral("Řádek B"));
    }

    // A client of a window built in code collects with every set; one told
    // to follow the stored design's rules collects none of the new rows and
    // neither a text equal to its name nor one without letters.
    void storedDesignRules()
    {
        TQtForm F;
        F.Client = new TGlottaClient(F.Form.get());
        F.Client->setObjectName("GlottaClient1");
        QVERIFY(!F.Client->DesignedTextRules());
        QCOMPARE(F.Client->QtRows(), AllQtRows);
        F.Client->UseStoredDesignRules();
        F.Client->SetGlottaEngine(F.Engine);
        F.Engine->InitEngine(false);
        const TComponentStructure &D = F.Client->DesignStruct();
        for (int i = 0; i < D.Count(); ++i)
            QVERIFY2(D.LineID(i).section('#', 1).section('[', 0, 0).toInt() < QtRowFirstID, qPrintable(D.LineID(i)));
        QCOMPARE(F.LineText("CheckBox1@QtForm#0["), QStringLiteral("<no line>"));
        QCOMPARE(F.LineText("Dots@QtForm#0["), QStringLiteral("<no line>"));
        QCOMPARE(F.LineText("Label@QtForm#0["), QStringLiteral("Popisek"));
    }

    // A shortcut of its own survives the new text's mnemonic; a shortcut
    // that is the mnemonic follows the text; back in the design language
    // each is exactly the designed one.
    void shortcuts()
    {
        TQtForm F;
        F.Attach();
        const QKeySequence SaveKey = F.Save->shortcut();
        QCOMPARE(SaveKey, QKeySequence::mnemonic("&Uložit"));
        F.SaveTestLanguage();
        for (int Round = 0; Round < 2; ++Round) {
            F.Engine->Translate("Zkouška");
            QCOMPARE(F.Close->text(), Translated("Zavřít"));
            QCOMPARE(F.Close->shortcut(), QKeySequence(Qt::Key_Escape));
            QCOMPARE(F.Save->shortcut(), QKeySequence::mnemonic(Translated("&Uložit")));
            F.Engine->Translate("čeština");
            QCOMPARE(F.Close->shortcut(), QKeySequence(Qt::Key_Escape));
            QCOMPARE(F.Save->shortcut(), SaveKey);
        }
    }

    // A tooltip equal to its text has no line of its own and follows the
    // text: a button's, and an action's set explicitly (which Qt cannot
    // tell from its fallback).
    void tooltipsFollowText()
    {
        TQtForm F;
        F.Act->setToolTip("Otevřít");
        F.Attach();
        QCOMPARE(F.LineText("Close@QtForm#1["), QStringLiteral("<no line>"));
        QCOMPARE(F.LineText("Act@QtForm#1["), QStringLiteral("<no line>"));
        F.SaveTestLanguage();
        F.Engine->Translate("Zkouška");
        QCOMPARE(F.Close->toolTip(), Translated("Zavřít"));
        QCOMPARE(F.Act->toolTip(), Translated("Otevřít"));
        F.Engine->Translate("čeština");
        QCOMPARE(F.Close->toolTip(), QStringLiteral("Zavřít"));
        QCOMPARE(F.Act->toolTip(), QStringLiteral("Otevřít"));
    }

    // Texts marked to stay as they are, by the dynamic property (all of an
    // object's, or some of them by property name) or through the client,
    // are not collected and never written.
    void doNotTranslate()
    {
        TQtForm F;
        F.Label->setProperty(NoTranslateProperty, "*");
        F.Ok->setProperty(NoTranslateProperty, "accessibleName, statusTip");
        F.Tree->setProperty(NoTranslateProperty, QStringList{"items"});
        F.Attach();
        F.Engine->InitEngine(false);
        QCOMPARE(F.LineText("Label@QtForm#0["), QStringLiteral("<no line>"));
        QCOMPARE(F.LineText("Ok@QtForm#1000["), QStringLiteral("<no line>"));
        QCOMPARE(F.LineText("Ok@QtForm#1002["), QStringLiteral("<no line>"));
        QCOMPARE(F.LineText("Ok@QtForm#1001["), QStringLiteral("Potvrdí volby"));
        QCOMPARE(F.LineText("Ok@QtForm#0["), QStringLiteral("OK"));
        QCOMPARE(F.LineText("Tree@QtForm#1012[0.1"), QStringLiteral("<no line>"));
        F.SaveTestLanguage();
        // The language has a line for the progress bar's format; marked
        // after the collection, the text drops out and is never written.
        F.Engine->Translate("Zkouška");
        QCOMPARE(F.Progress->format(), Translated("%v z %m"));
        F.Client->SetNoTranslate(F.Progress, {"format"});
        QCOMPARE(F.Client->NoTranslate(F.Progress), QStringList{"format"});
        QCOMPARE(F.Progress->format(), QStringLiteral("%v z %m"));
        QCOMPARE(F.LineText("Progress@QtForm#1008["), QStringLiteral("<no line>"));
        QCOMPARE(F.Label->text(), QStringLiteral("Popisek"));
        QCOMPARE(F.Ok->accessibleName(), QStringLiteral("Potvrdit"));
        QCOMPARE(F.Ok->accessibleDescription(), Translated("Potvrdí volby"));
        QCOMPARE(F.Ok->text(), Translated("OK"));
        // Taken away again, the text is translated once more.
        F.Client->SetNoTranslate(F.Progress, {});
        QCOMPARE(F.Progress->format(), Translated("%v z %m"));
    }

    // A tooltip or icon text that repeats its text follows the text, but
    // not when it is marked to stay as it is.
    void markedRepeatsStay()
    {
        TQtForm F;
        F.Act->setIconText("Otevřít");
        F.Act->setProperty(NoTranslateProperty, "iconText");
        F.Close->setProperty(NoTranslateProperty, "toolTip");
        F.Attach();
        F.SaveTestLanguage();
        F.Engine->Translate("Zkouška");
        QCOMPARE(F.Act->text(), Translated("&Otevřít..."));
        QCOMPARE(F.Act->iconText(), QStringLiteral("Otevřít"));
        QCOMPARE(F.Close->text(), Translated("Zavřít"));
        QCOMPARE(F.Close->toolTip(), QStringLiteral("Zavřít"));
        F.Engine->Translate("čeština");
        QCOMPARE(F.Act->text(), QStringLiteral("&Otevřít..."));
        QCOMPARE(F.Act->iconText(), QStringLiteral("Otevřít"));
        QCOMPARE(F.Close->toolTip(), QStringLiteral("Zavřít"));
    }

    // An editable combo box's text that is its current item's has no line
    // of its own: it shows the item's translation, and stays with items
    // marked to stay as they are.
    void comboTextFollowsItem_data()
    {
        QTest::addColumn<bool>("Marked");
        QTest::newRow("items translated") << false;
        QTest::newRow("items marked") << true;
    }
    void comboTextFollowsItem()
    {
        QFETCH(bool, Marked);
        TQtForm F;
        auto *Combo = Named<QComboBox>(F.Form.get(), "Combo");
        Combo->setEditable(true);
        Combo->addItems({"Jedna", "Dvě"});
        if (Marked)
            Combo->setProperty(NoTranslateProperty, "items");
        F.Attach();
        QCOMPARE(F.LineText("Combo@QtForm#5["), QStringLiteral("<no line>"));
        F.SaveTestLanguage();
        F.Engine->Translate("Zkouška");
        const QString Shown = Marked ? QStringLiteral("Jedna") : Translated("Jedna");
        QCOMPARE(Combo->itemText(0), Shown);
        QCOMPARE(Combo->currentText(), Shown);
        QCOMPARE(Combo->lineEdit()->text(), Shown);
        F.Engine->Translate("čeština");
        QCOMPARE(Combo->currentText(), QStringLiteral("Jedna"));
        QCOMPARE(Combo->itemText(1), QStringLiteral("Dvě"));
    }

    // In the editor window the rows from 1000 up carry their names, and a
    // marked text has no row: an object whose texts are all marked is not
    // even offered. (Last: the editor's data factory stays installed.)
    void editorWindow()
    {
        InstallLanguageEditor();
        TQtForm F;
        F.Label->setProperty(NoTranslateProperty, "*");
        F.Ok->setProperty(NoTranslateProperty, "statusTip");
        F.Attach();
        F.Engine->InitEngine(false);
        F.SaveTestLanguage();
        QStringList Objects, OkRows;
        QTimer::singleShot(0, [&] {
            for (QWidget *W : QApplication::topLevelWidgets()) {
                auto *M = qobject_cast<TLanguageManager *>(W);
                if (!M || !M->isVisible())
                    continue;
                const auto Pick = [](QComboBox *Combo, const QString &Text) {
                    Combo->setCurrentIndex(Combo->findText(Text));
                    emit Combo->activated(Combo->currentIndex());
                };
                Pick(M->LangCombo, "Zkouška");
                for (int i = 0; i < M->ObjectCombo->count(); ++i)
                    Objects << M->ObjectCombo->itemText(i);
                Pick(M->ObjectCombo, "Ok");
                for (int r = 0; r < M->LangListEditor->rowCount(); ++r)
                    OkRows << M->LangListEditor->item(r, 0)->text() + " = " + M->LangListEditor->Value(r);
                M->LangModify = false;
                M->close();
            }
        });
        F.Engine->ShowLangEditor();
        QVERIFY2(Objects.contains("Ok"), qPrintable(Objects.join(", ")));
        QVERIFY2(!Objects.contains("Label"), qPrintable(Objects.join(", ")));
        QCOMPARE(OkRows, (QStringList{"Caption = " + Translated("OK"), "AccessibleName = " + Translated("Potvrdit"),
                                      "AccessibleDescription = " + Translated("Potvrdí volby")}));
    }
};

QTEST_MAIN(TestQtRows)
#include "tst_qt_rows.moc"
