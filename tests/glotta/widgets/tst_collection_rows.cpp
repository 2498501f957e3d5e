// The texts inside collections: status-bar panels, tree nodes, table
// columns and cells, header sections, file-dialog filters and labels,
// message-box texts and buttons, tray-icon texts and the unnamed actions of
// bars. Which lines a form yields, that a saved language writes every text
// into its own item and the design language brings every item's own text
// back, and that items the program adds, removes or changes in between are
// never given another item's text.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/text_helpers.h"
#include "toolkit/widgets/status_bar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardItemModel>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

namespace {
QAction *Unnamed(QWidget *Bar, const QString &Text)
{
    auto *A = new QAction(Text, Bar);
    Bar->addAction(A);
    return A;
}

// What the test language makes of a designed text: control characters,
// quotes, an apostrophe and a "#" (the file's coded form is made of both),
// letters beyond Latin-1.
QString Translated(const QString &Designed)
{
    return QStringLiteral("«") + Designed + QStringLiteral("»\t\"Ж\" #1 it's\r\nκ");
}

// A form holding one component of each kind, filled with a few items.
struct TItemsForm : TEngineFixture
{
    TGlottaClient *Client = nullptr;
    TStatusBar *Bar = nullptr;
    QTreeWidget *Tree = nullptr;
    QTableWidget *Table = nullptr;
    QStandardItemModel *HeaderModel = nullptr;
    QFileDialog *Dlg = nullptr;
    QMessageBox *Box = nullptr;
    QSystemTrayIcon *Tray = nullptr;
    QMenuBar *Menus = nullptr;
    QMenu *Help = nullptr;
    QToolBar *Tools = nullptr;
    QAction *MenuOpen = nullptr, *ToolOpenMarked = nullptr, *ToolOpen = nullptr;

    TItemsForm()
    {
        Form->setObjectName("ItemsForm");
        QWidget *F = Form.get();
        Bar = Named<TStatusBar>(F, "Bar");
        Bar->SetPanels({QVariantMap{{"Text", "Připraveno"}, {"Width", 80}}, QVariantMap{{"Text", "12"}, {"Width", 20}},
                        QVariantMap{{"Text", "Stav"}, {"Width", 40}}});

        Tree = Named<QTreeWidget>(F, "Tree");
        Tree->setHeaderLabels({"Název", "Popis"});
        auto *A = new QTreeWidgetItem(Tree, QStringList{"A", "sloupec"});
        new QTreeWidgetItem(A, QStringList{"A1"});
        new QTreeWidgetItem(A, QStringList{"A2"});
        new QTreeWidgetItem(Tree, QStringList{"B"});

        Table = Named<QTableWidget>(F, "Table", 3, 2);
        Table->setHorizontalHeaderLabels({"Jméno", "Hodnota"});
        for (int i = 0; i < 3; ++i) {
            Table->setItem(i, 0, new QTableWidgetItem(QStringLiteral("řádek %1").arg(i)));
            Table->setItem(i, 1, new QTableWidgetItem(QStringLiteral("hodnota %1").arg(i)));
        }

        auto *Header = Named<QHeaderView>(F, "Header", Qt::Horizontal);
        HeaderModel = new QStandardItemModel(0, 2, Header);
        HeaderModel->setHorizontalHeaderLabels({"Levý", "Pravý"});
        Header->setModel(HeaderModel);

        Dlg = Named<QFileDialog>(F, "Dlg");
        Dlg->setOption(QFileDialog::DontUseNativeDialog);
        Dlg->setWindowTitle("Otevřít soubor");
        Dlg->setNameFilters({"Textové soubory (*.txt)", "Obrázky (*.png *.jpg)", "*.bin"});
        Dlg->selectNameFilter("Obrázky (*.png *.jpg)");
        Dlg->setProperty("FileNameLabel", "&Název:");
        Dlg->setProperty("OkButtonLabel", "&Vybrat");

        Box = Named<QMessageBox>(F, "Box");
        Box->setWindowTitle("Dotaz");
        Box->setText("Uložit změny?");
        Box->setInformativeText("Dokument byl změněn.");
        Box->setDetailedText("první řádek\ndruhý\třádek");
        Box->setCheckBox(new QCheckBox("Neptat se znovu"));
        Box->addButton("Uložit", QMessageBox::AcceptRole);
        auto *Send = new QCommandLinkButton("Poslat", "Odešle dokument");
        Box->addButton(Send, QMessageBox::ActionRole);
        Box->addButton(QMessageBox::Cancel);

        Tray = Named<QSystemTrayIcon>(F, "Tray");
        Tray->setToolTip("Instalace běží");
        Tray->setProperty("BalloonHint", "Hotovo za chvíli");
        Tray->setProperty("BalloonTitle", "Instalace");

        Menus = Named<QMenuBar>(F, "Menus");
        QMenu *File = Menus->addMenu("&Soubor");
        MenuOpen = Unnamed(File, "&Otevřít");
        QAction *SaveAs = Unnamed(File, "Uložit &jako...");
        File->addSeparator();
        File->addAction(Named<QAction>(File, "actQuit", "&Konec"));
        Unnamed(File, "...");
        Help = Named<QMenu>(F, "Help", "Nápo&věda");
        Menus->addMenu(Help);
        Unnamed(Help, "O programu");

        Tools = Named<QToolBar>(F, "Tools");
        ToolOpenMarked = Unnamed(Tools, "&Otevřít");
        ToolOpen = Unnamed(Tools, "Otevřít");
        Unnamed(Tools, "Zavřít");
        Tools->addAction(SaveAs); // one action in two bars
    }

    void Attach(bool AllSets = true)
    {
        Client = new TGlottaClient(Form.get());
        Client->setObjectName("GlottaClient1");
        if (AllSets) {
            Client->SetTransStructuredProp(AcceptedTransStructuredProp);
            Client->SetTransStringProp(AcceptedTransStringProp);
        }
        Client->SetGlottaEngine(Engine);
    }

    // A language holding Translated() of every collected text, saved as a
    // file and found by the engine.
    void SaveTestLanguage()
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
        Engine->SaveLanguage("Zkouška", "", "", Path("zkouska.lng"));
        Engine->RescanLanguages();
    }

    // Every text a line of this form can reach, by a readable name.
    QMap<QString, QString> Texts() const
    {
        QMap<QString, QString> T;
        for (int i = 0; i < Bar->PanelCount(); ++i)
            T[QStringLiteral("panel %1").arg(i)] = Bar->PanelText(i);
        for (QTreeWidgetItemIterator It(Tree); *It; ++It)
            T["node " + (*It)->text(0)] = (*It)->text(0) + "|" + (*It)->text(1);
        for (int i = 0; i < Tree->columnCount(); ++i)
            T[QStringLiteral("tree column %1").arg(i)] = Tree->headerItem()->text(i);
        for (int i = 0; i < Table->columnCount(); ++i)
            T[QStringLiteral("table column %1").arg(i)] = Table->horizontalHeaderItem(i)->text();
        for (int i = 0; i < Table->rowCount(); ++i)
            for (int j = 0; j < Table->columnCount(); ++j)
                T[QStringLiteral("cell %1,%2").arg(i).arg(j)] = Table->item(i, j)->text();
        for (int i = 0; i < 2; ++i)
            T[QStringLiteral("section %1").arg(i)] = HeaderModel->headerData(i, Qt::Horizontal).toString();
        T["filters"] = Dlg->nameFilters().join(" | ");
        T["selected filter"] = Dlg->selectedNameFilter();
        T["file name label"] = Dlg->property("FileNameLabel").toString();
        T["ok label"] = Dlg->property("OkButtonLabel").toString();
        T["box title"] = Box->windowTitle();
        T["box text"] = Box->text();
        T["box informative"] = Box->informativeText();
        T["box details"] = Box->detailedText();
        T["box check"] = Box->checkBox()->text();
        for (QAbstractButton *B : Box->buttons()) {
            T["button " + B->text()] = B->text();
            if (auto *L = qobject_cast<QCommandLinkButton *>(B))
                T["link " + B->text()] = L->description();
        }
        T["tray tip"] = Tray->toolTip();
        T["tray balloon"] = Tray->property("BalloonHint").toString();
        T["tray balloon title"] = Tray->property("BalloonTitle").toString();
        int n = 0;
        for (QWidget *W : {static_cast<QWidget *>(Menus), static_cast<QWidget *>(Tools)})
            for (QAction *A : W->findChildren<QAction *>())
                T[QStringLiteral("action %1").arg(n++)] = A->text();
        T["help title"] = Help->title();
        return T;
    }
};

QStringList LinesOf(const TGlottaCPC &Client, const QString &Component)
{
    QStringList IDs;
    for (int i = 0; i < Client.DesignStruct().Count(); ++i) {
        const QString ID = Client.DesignStruct().LineID(i);
        if (ID.startsWith(Component + "@"))
            IDs << ID.mid(ID.indexOf('#'));
    }
    IDs.sort();
    return IDs;
}
} // namespace

class TestCollectionRows : public QObject
{
    Q_OBJECT
private slots:
    // The lines of each component, with every member in the sets and with
    // the sets a new client has.
    void collectedLines_data()
    {
        QTest::addColumn<bool>("AllSets");
        QTest::addColumn<QString>("Component");
        QTest::addColumn<QStringList>("Lines");
        // Panel 1 ("12") has no letter.
        QTest::newRow("panels") << true << "Bar" << QStringList{"#64[0.5", "#64[2.5"};
        QTest::newRow("panels, default sets") << false << "Bar" << QStringList{};
        QTest::newRow("tree") << true << "Tree"
                              << QStringList{"#68[0", "#68[0,0", "#68[0,1", "#68[1", "#69[0.0", "#69[1.0"};
        QTest::newRow("tree, default sets") << false << "Tree" << QStringList{"#69[0.0", "#69[1.0"};
        QTest::newRow("table") << true << "Table"
                               << QStringList{"#69[0.0", "#69[1.0", "#71[0,0", "#71[0.0", "#71[1,0",
                                              "#71[1.0", "#71[2,0", "#71[2.0"};
        QTest::newRow("table, default sets") << false << "Table" << QStringList{"#69[0.0", "#69[1.0"};
        QTest::newRow("header") << true << "Header" << QStringList{"#72[0.5", "#72[1.5"};
        QTest::newRow("header, default sets") << false << "Header" << QStringList{"#72[0.5", "#72[1.5"};
        // "*.bin" has no description; Qt's own labels are not read.
        QTest::newRow("file dialog") << false << "Dlg"
                                     << QStringList{"#12[", "#13[", "#6[", "#96[[*:png *:jpg]", "#96[[*:txt]"};
        // Custom buttons in Qt's order: by role, the accepting one first; the
        // box's own button for its details is none of them.
        QTest::newRow("message box") << false << "Box"
                                     << QStringList{"#0[", "#15[", "#17[", "#5[", "#6[", "#77[0.0", "#77[1.0",
                                                    "#77[1.506"};
        QTest::newRow("tray icon") << false << "Tray" << QStringList{"#10[", "#1[", "#9["};
        // The named action and the named submenu are components of their
        // own; "..." gives no name.
        QTest::newRow("menu bar") << false << "Menus"
                                  << QStringList{"#102[Otevřít,Caption", "#102[Soubor,Caption",
                                                 "#102[Uložitjako,Caption"};
        QTest::newRow("named menu") << false << "Help" << QStringList{"#0[", "#102[Oprogramu,Caption"};
        QTest::newRow("toolbar") << false << "Tools"
                                 << QStringList{"#102[Otevřít,Caption", "#102[Uložitjako,Caption", "#102[Zavřít,Caption"};
    }
    void collectedLines()
    {
        QFETCH(bool, AllSets);
        QFETCH(QString, Component);
        QFETCH(QStringList, Lines);
        TItemsForm F;
        F.Attach(AllSets);
        QCOMPARE(LinesOf(*F.Client, Component), Lines);
    }

    // The editor names a panel's line after the panel.
    void panelLineName()
    {
        TItemsForm F;
        F.Attach();
        TComponentStructure &Design = F.Client->DesignStruct();
        const int i = Design.Find("Bar@ItemsForm#64[2.5");
        QVERIFY(i >= 0);
        QCOMPARE(Design.GetPropertyName(i, {}), QStringLiteral("Panels[2].Text"));
    }

    // A language saved as a file writes every text into its own item, the
    // design language brings back each item's own text (also to items that
    // share a line), and a button's place follows Qt's order, not insertion.
    void saveApplyRestore()
    {
        TItemsForm F;
        F.Attach();
        const QMap<QString, QString> Designed = F.Texts();
        F.SaveTestLanguage();
        F.Engine->Translate("Zkouška");
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("Zkouška"));

        QCOMPARE(F.Bar->PanelText(0), Translated("Připraveno"));
        QCOMPARE(F.Bar->PanelText(1), QStringLiteral("12"));
        QCOMPARE(F.Bar->PanelText(2), Translated("Stav"));
        QTreeWidgetItem *A = F.Tree->topLevelItem(0);
        QCOMPARE(A->text(0), Translated("A"));
        QCOMPARE(A->text(1), QStringLiteral("sloupec"));
        QCOMPARE(A->child(1)->text(0), Translated("A2"));
        QCOMPARE(F.Tree->topLevelItem(1)->text(0), Translated("B"));
        QCOMPARE(F.Tree->headerItem()->text(1), Translated("Popis"));
        QCOMPARE(F.Table->horizontalHeaderItem(0)->text(), Translated("Jméno"));
        QCOMPARE(F.Table->item(2, 0)->text(), Translated("řádek 2"));
        QCOMPARE(F.Table->item(1, 1)->text(), Translated("hodnota 1"));
        QCOMPARE(F.HeaderModel->headerData(1, Qt::Horizontal).toString(), Translated("Pravý"));
        // A filter is one line: the dialog simplifies its blanks.
        const QString Pictures = Translated("Obrázky").simplified() + " (*.png *.jpg)";
        QCOMPARE(F.Dlg->nameFilters(),
                 (QStringList{Translated("Textové soubory").simplified() + " (*.txt)", Pictures, "*.bin"}));
        QCOMPARE(F.Dlg->selectedNameFilter(), Pictures);
        QCOMPARE(F.Dlg->property("FileNameLabel").toString(), Translated("&Název:"));
        QCOMPARE(F.Dlg->labelText(QFileDialog::Accept), Translated("&Vybrat"));
        QCOMPARE(F.Box->windowTitle(), Translated("Dotaz"));
        QCOMPARE(F.Box->text(), Translated("Uložit změny?"));
        QCOMPARE(F.Box->informativeText(), Translated("Dokument byl změněn."));
        // The details are a document, which reads CR LF back as LF.
        QCOMPARE(F.Box->detailedText(), Translated("první řádek\ndruhý\třádek").replace("\r\n", "\n"));
        QCOMPARE(F.Box->checkBox()->text(), Translated("Neptat se znovu"));
        QStringList Buttons;
        for (QAbstractButton *B : F.Box->buttons())
            Buttons << B->text();
        // Qt's own buttons (Cancel, the details button) keep their texts.
        QCOMPARE(Buttons.size(), 4);
        QVERIFY(Buttons.contains(Translated("Uložit")));
        QVERIFY(Buttons.contains(Translated("Poslat")));
        QVERIFY(Buttons.contains(QMessageBox::tr("Show Details...")));
        QCOMPARE(F.Box->findChild<QCommandLinkButton *>()->description(), Translated("Odešle dokument"));
        QCOMPARE(F.Tray->toolTip(), Translated("Instalace běží"));
        QCOMPARE(F.Tray->property("BalloonTitle").toString(), Translated("Instalace"));
        QCOMPARE(F.MenuOpen->text(), Translated("&Otevřít"));
        // The toolbar's two captions share one line, which holds the last.
        QCOMPARE(F.ToolOpenMarked->text(), Translated("Otevřít"));
        QCOMPARE(F.ToolOpen->text(), Translated("Otevřít"));
        QCOMPARE(F.Help->actions().at(0)->text(), Translated("O programu"));

        F.Engine->Translate("čeština");
        QCOMPARE(F.Texts(), Designed);
        QCOMPARE(F.ToolOpenMarked->text(), QStringLiteral("&Otevřít"));
        QCOMPARE(F.ToolOpen->text(), QStringLiteral("Otevřít"));
    }

    // A language file written by hand in the format of older files: the
    // shared line translates both toolbar items, and each gets its own
    // caption back.
    void earlierLanguageFile()
    {
        TItemsForm F;
        F.Copy("client/items.lng", "items.lng");
        F.Engine->RescanLanguages();
        F.Attach();
        const QMap<QString, QString> Designed = F.Texts();
        F.Engine->Translate("en");
        QCOMPARE(F.ToolOpenMarked->text(), QStringLiteral("&Open"));
        QCOMPARE(F.ToolOpen->text(), QStringLiteral("&Open"));
        QCOMPARE(F.Tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("First child"));
        QCOMPARE(F.Bar->PanelText(2), QStringLiteral("State"));
        QCOMPARE(F.Dlg->nameFilters().at(0), QStringLiteral("Text files (*.txt)"));
        F.Engine->Translate("čeština");
        QCOMPARE(F.Texts(), Designed);
    }

    // The program changes item lists between the collection and a language
    // switch: no item ever shows a text other than its own or its own
    // translation, and the items still known are translated.
    void changedItemLists_data()
    {
        QTest::addColumn<int>("Change");
        // The items of the changed widget, by their names in Texts(), and
        // which of them are translated.
        QTest::addColumn<QString>("Items");
        QTest::addColumn<QStringList>("TranslatedItems");
        QTest::newRow("first node removed") << 0 << "node " << QStringList{"node B"};
        QTest::newRow("node inserted first") << 1 << "node " << QStringList{"node A", "node A1", "node A2", "node B"};
        QTest::newRow("tree refilled with its texts") << 2 << "node " << QStringList{"node A", "node B"};
        QTest::newRow("first row removed") << 3 << "cell " << QStringList{"cell 0,0", "cell 0,1", "cell 1,0", "cell 1,1"};
        QTest::newRow("row appended") << 4 << "cell "
                                      << QStringList{"cell 0,0", "cell 0,1", "cell 1,0", "cell 1,1", "cell 2,0",
                                                     "cell 2,1"};
        QTest::newRow("first panel removed") << 5 << "panel " << QStringList{};
        QTest::newRow("button removed") << 6 << "button " << QStringList{"button Uložit"};
        QTest::newRow("item text changed by the program") << 7 << "node "
                                                          << QStringList{"node A", "node A2", "node B"};
    }
    void changedItemLists()
    {
        QFETCH(int, Change);
        QFETCH(QString, Items);
        QFETCH(QStringList, TranslatedItems);
        TItemsForm F;
        F.Attach();
        F.SaveTestLanguage();
        switch (Change) {
        case 0:
            delete F.Tree->takeTopLevelItem(0);
            break;
        case 1:
            F.Tree->insertTopLevelItem(0, new QTreeWidgetItem(QStringList{"Nový"}));
            break;
        case 2:
            F.Tree->clear();
            F.Tree->addTopLevelItems({new QTreeWidgetItem(QStringList{"A"}), new QTreeWidgetItem(QStringList{"B"})});
            break;
        case 3:
            F.Table->removeRow(0);
            break;
        case 4:
            F.Table->insertRow(3);
            F.Table->setItem(3, 0, new QTableWidgetItem("nový"));
            F.Table->setItem(3, 1, new QTableWidgetItem("řádek 0"));
            break;
        case 5:
            F.Bar->SetPanels(F.Bar->Panels().mid(1));
            break;
        case 6:
            F.Box->removeButton(F.Box->findChild<QCommandLinkButton *>());
            break;
        case 7:
            F.Tree->topLevelItem(0)->child(0)->setText(0, "program");
            break;
        }
        const QMap<QString, QString> Before = F.Texts();
        F.Engine->Translate("Zkouška");
        const QMap<QString, QString> After = F.Texts();
        QStringList Changed;
        for (auto It = Before.cbegin(); It != Before.cend(); ++It) {
            if (!It.key().startsWith(Items))
                continue;
            // Tree nodes are listed by their text; a translated node turns up under its new key.
            const QString Own = It.key().startsWith("node ") ? It.key().mid(5) : It.value();
            const QString Key = It.key().startsWith("node ") ? "node " + Translated(Own) : It.key();
            if (It.key().startsWith("node ") && After.contains(Key)) {
                QCOMPARE(After[Key].section('|', 0, 0), Translated(Own));
                Changed << It.key();
            } else if (It.key().startsWith("button ")) {
                const bool Found = After.contains("button " + Translated(Own));
                QVERIFY2(Found || After.value(It.key()) == Own, qPrintable(It.key()));
                if (Found && Own != "Cancel")
                    Changed << It.key();
            } else if (After.value(It.key()) != It.value()) {
                QCOMPARE(After.value(It.key()), Translated(It.value()));
                Changed << It.key();
            }
        }
        Changed.sort();
        QCOMPARE(Changed, TranslatedItems);
        F.Engine->Translate("čeština");
        QCOMPARE(F.Texts(), Before);
    }
};

QTEST_MAIN(TestCollectionRows)
#include "tst_collection_rows.moc"
