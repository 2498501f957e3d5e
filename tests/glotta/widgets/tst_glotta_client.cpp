// The property client on Qt widgets: which texts a window yields, how tags,
// excluded classes and action-linked buttons narrow them, and that a window
// made with Qt Designer or in code is translated and restored.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/lang_flags_combo.h"
#include "glotta/widgets/valued_label.h"
#include "toolkit/widgets/labeled_edit.h"
#include "glotta/store/component_structure.h"
#include "ui_designer_form.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

namespace {
QStringList LineIDs(const TGlottaCPC &Client)
{
    QStringList IDs;
    for (int i = 0; i < Client.DesignStruct().Count(); ++i)
        IDs << Client.DesignStruct().LineID(i);
    IDs.sort();
    return IDs;
}

template<typename T>
T *Named(QWidget *Parent, const QString &Name)
{
    auto *W = new T(Parent);
    W->setObjectName(Name);
    return W;
}

// A window built in code, named CodeForm, with the German fixture beside its engine.
struct TCodeWindow : TEngineFixture
{
    TGlottaClient *Client = nullptr;
    TCodeWindow()
    {
        Form->setObjectName("CodeForm");
        Form->setWindowTitle("okno");
        Copy("client/deutsch.lng", "de.lng");
        Engine->RescanLanguages();
    }
    // StoredDesignRules: the sets and rules of a stored design instead of a
    // Qt window's.
    void Attach(bool StoredDesignRules = false)
    {
        Client = new TGlottaClient(Form.get());
        Client->setObjectName("GlottaClient1");
        if (StoredDesignRules)
            Client->UseStoredDesignRules();
        Client->SetGlottaEngine(Engine);
    }
};
} // namespace

class TestGlottaClient : public QObject
{
    Q_OBJECT
private slots:
    // Each tag narrows the texts of one line edit (text, hint, prompt) and
    // a memo's lines.
    void tagRules_data()
    {
        QTest::addColumn<int>("Tag");
        QTest::addColumn<QStringList>("Lines");
        const QString Text = "Edit1@CodeForm#5[", Hint = "Edit1@CodeForm#1[", Prompt = "Edit1@CodeForm#2[",
                      Memo = "Memo1@CodeForm#32[0";
        QTest::newRow("none") << 0 << QStringList{Hint, Prompt, Text, Memo};
        QTest::newRow("skipped") << -799 << QStringList{};
        QTest::newRow("no hints") << -798 << QStringList{Text, Memo};
        QTest::newRow("no text") << -797 << QStringList{Hint, Prompt, Memo};
        QTest::newRow("text only") << -790 << QStringList{Text};
        QTest::newRow("hints only") << -789 << QStringList{Hint, Prompt};
    }
    void tagRules()
    {
        QFETCH(int, Tag);
        QFETCH(QStringList, Lines);
        TCodeWindow W;
        auto *Edit = Named<QLineEdit>(W.Form.get(), "Edit1");
        Edit->setText("obsah");
        Edit->setToolTip("nápověda");
        Edit->setPlaceholderText("zadejte");
        auto *Memo = Named<QPlainTextEdit>(W.Form.get(), "Memo1");
        Memo->setPlainText("řádek");
        SetTag(Edit, Tag);
        SetTag(Memo, Tag);
        W.Attach();
        Lines.prepend("CodeForm@#0[");
        Lines.sort();
        QCOMPARE(LineIDs(*W.Client), Lines);
    }

    // An edit's bound label gives its caption and hint under the edit's
    // name, ruled by the label's own tag.
    void labeledEdit_data()
    {
        QTest::addColumn<int>("LabelTag");
        QTest::addColumn<QStringList>("Lines");
        const QString Caption = "Labeled1@CodeForm#4[", Hint = "Labeled1@CodeForm#3[";
        QTest::newRow("none") << 0 << QStringList{Hint, Caption};
        QTest::newRow("label skipped") << -799 << QStringList{};
        QTest::newRow("no hints") << -798 << QStringList{Caption};
        QTest::newRow("hints only") << -789 << QStringList{Hint};
        QTest::newRow("text only") << -790 << QStringList{};
    }
    void labeledEdit()
    {
        QFETCH(int, LabelTag);
        QFETCH(QStringList, Lines);
        TCodeWindow W;
        auto *Edit = Named<TLabeledEdit>(W.Form.get(), "Labeled1");
        Edit->SetEditLabelCaption("Jméno");
        Edit->SetEditLabelHint("Vaše jméno");
        SetTag(Edit->EditLabel(), LabelTag);
        W.Attach();
        Lines.prepend("CodeForm@#0[");
        Lines.sort();
        QCOMPARE(LineIDs(*W.Client), Lines);
        W.Engine->Translate("de");
        const bool Caption = Lines.contains("Labeled1@CodeForm#4["), Hint = Lines.contains("Labeled1@CodeForm#3[");
        QCOMPARE(Edit->EditLabelCaption(), Caption ? QStringLiteral("Name") : QStringLiteral("Jméno"));
        QCOMPARE(Edit->EditLabel()->toolTip(), Hint ? QStringLiteral("Ihr Name") : QStringLiteral("Vaše jméno"));
        W.Engine->Translate("čeština");
        QCOMPARE(Edit->EditLabelCaption(), QStringLiteral("Jméno"));
        QCOMPARE(Edit->EditLabel()->toolTip(), QStringLiteral("Vaše jméno"));
    }

    // Labels showing values and self-filling combos give only what is
    // theirs; under a stored design's rules a caption equal to the name
    // gives nothing.
    void exclusionsAndNames()
    {
        TCodeWindow W;
        auto *Valued = Named<TValuedLabel>(W.Form.get(), "Valued1");
        Valued->SetValue("42 kB");
        Valued->SetValueName("velikost");
        auto *Flags = Named<TLangFlagsCombo>(W.Form.get(), "Flags1");
        Flags->addItems({"čeština", "english"});
        auto *Combo = Named<QComboBox>(W.Form.get(), "Combo1");
        Combo->addItems({"jedna"});
        Named<QFontComboBox>(W.Form.get(), "Fonts1");
        Named<QLabel>(W.Form.get(), "Label1")->setText("Label1");
        W.Attach(true);
        QCOMPARE(LineIDs(*W.Client), (QStringList{"CodeForm@#0[", "Combo1@CodeForm#33[0", "Combo1@CodeForm#5[",
                                                  "Valued1@CodeForm#7["}));
    }

    // A tool button repeats its default action's caption and hint: only the
    // action has lines, and translating the action updates the button.
    void actionLinkedButton()
    {
        TCodeWindow W;
        auto *Action = new QAction("&Otevřít...", W.Form.get());
        Action->setObjectName("ActOpen");
        Action->setToolTip("Otevřít soubor");
        auto *Button = Named<QToolButton>(W.Form.get(), "ToolButton1");
        Button->setDefaultAction(Action);
        QCOMPARE(Button->text(), QStringLiteral("Otevřít"));
        W.Attach();
        QCOMPARE(LineIDs(*W.Client), (QStringList{"ActOpen@CodeForm#0[", "ActOpen@CodeForm#1[", "CodeForm@#0["}));
        W.Engine->Translate("de");
        QCOMPARE(Action->text(), QStringLiteral("&Öffnen..."));
        QCOMPARE(Button->text(), QStringLiteral("Öffnen"));
        QCOMPARE(Button->toolTip(), QStringLiteral("Datei öffnen"));
        QCOMPARE(W.Form->windowTitle(), QStringLiteral("Code-Fenster"));
    }

    // A Qt Designer form: every kind of text it holds, translated and restored.
    void designerForm()
    {
        TEngineFixture F;
        F.Copy("client/deutsch.lng", "de.lng");
        F.Engine->RescanLanguages();
        Ui::DesignerForm Ui;
        F.Form->setObjectName(QString()); // uic names only an unnamed form
        Ui.setupUi(F.Form.get());
        auto *Client = new TGlottaClient(F.Form.get());
        Client->setObjectName("GlottaClient1");
        Client->SetGlottaEngine(F.Engine);
        const QString O = "@DesignerForm#";
        // The combo box's text is its current item's: the item lines carry it.
        QCOMPARE(LineIDs(*Client),
                 (QStringList{"DesignerForm@#0[", "checkBox" + O + "0[", "comboBox" + O + "33[0", "comboBox" + O + "33[1",
                              "groupBox" + O + "0[", "label" + O + "0[", "lineEdit" + O + "2[",
                              "lineEdit" + O + "5[", "listWidget" + O + "33[0", "listWidget" + O + "33[1",
                              "plainTextEdit" + O + "32[0", "pushButton" + O + "0[", "pushButton" + O + "1[",
                              "tab" + O + "0[", "tab_2" + O + "0["}));
        auto Texts = [&] {
            return QStringList{F.Form->windowTitle(),    Ui.label->text(),           Ui.pushButton->text(),
                               Ui.pushButton->toolTip(), Ui.groupBox->title(),       Ui.checkBox->text(),
                               Ui.tabWidget->tabText(0), Ui.tabWidget->tabText(1),   Ui.lineEdit->text(),
                               Ui.lineEdit->placeholderText(), Ui.listWidget->item(0)->text(),
                               Ui.listWidget->item(1)->text(), Ui.comboBox->itemText(0), Ui.comboBox->itemText(1),
                               Ui.comboBox->currentText(), Ui.plainTextEdit->toPlainText()};
        };
        const QStringList Designed = Texts();
        F.Engine->Translate("de");
        QCOMPARE(Texts(), (QStringList{"Entwurf", "Beschriftung", "Knopf", "Knopfhinweis", "Gruppe", "Ankreuzen",
                                       "Erste Seite", "Zweite Seite", "Inhalt", "Eingabe", "Apfel", "Birne", "rot",
                                       "blau", "rot", "Erste Zeile"}));
        F.Engine->Translate("čeština");
        QCOMPARE(Texts(), Designed);
    }

    // A window built in code is collected at its first Show when the
    // application did not translate it before; a widget added later joins.
    void codeWindowAndLateComponent()
    {
        TCodeWindow W;
        auto *Title = Named<QLabel>(W.Form.get(), "Title");
        Title->setText("nadpis");
        W.Client = new TGlottaClient(W.Form.get());
        W.Client->setObjectName("GlottaClient1");
        W.Client->CSInitialized = true; // stands for a client attached before its widgets existed
        W.Client->SetGlottaEngine(W.Engine);
        W.Client->CSInitialized = false;
        W.Engine->SetDefaultLanguage("de");
        QVERIFY(!W.Engine->IsInitialized());
        W.Form->show();
        QVERIFY(W.Client->OwnerCreatedRun());
        QCOMPARE(W.Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(Title->text(), QStringLiteral("Titel"));
        QCOMPARE(W.Form->windowTitle(), QStringLiteral("Code-Fenster"));

        auto *Late = new QLabel("pozdě", W.Form.get());
        QVERIFY(W.Client->AddComponent(Late, "Late", true));
        QCOMPARE(Late->text(), QStringLiteral("Später"));
        QWidget Other;
        Other.setObjectName("OtherForm");
        auto *Foreign = new QLabel("cizí", &Other);
        QVERIFY(!W.Client->AddComponent(Foreign, "Foreign", true));
        QCOMPARE(Foreign->text(), QStringLiteral("cizí"));

        W.Engine->Translate("čeština");
        QCOMPARE(Late->text(), QStringLiteral("pozdě"));
        QCOMPARE(Title->text(), QStringLiteral("nadpis"));
    }

    // Taking a member out of the sets while a language is shown puts its
    // texts back to the designed ones and stops translating them.
    void changingSetsRestoresUnderOldSets()
    {
        TEngineFixture F;
        F.Copy("client/deutsch.lng", "de.lng");
        F.Engine->RescanLanguages();
        Ui::DesignerForm Ui;
        F.Form->setObjectName(QString()); // uic names only an unnamed form
        Ui.setupUi(F.Form.get());
        auto *Client = new TGlottaClient(F.Form.get());
        Client->SetGlottaEngine(F.Engine);
        F.Engine->Translate("de");
        QCOMPARE(Ui.pushButton->toolTip(), QStringLiteral("Knopfhinweis"));
        Client->SetTransStringProp(Client->TransStringProp() & ~PropertySet({pnHint}));
        QCOMPARE(Ui.pushButton->toolTip(), QStringLiteral("nápověda tlačítka"));
        QCOMPARE(Ui.pushButton->text(), QStringLiteral("Knopf"));
        QVERIFY(Client->DesignStruct().Find("pushButton@DesignerForm#1[") < 0);
        F.Engine->Translate("čeština");
        QCOMPARE(Ui.pushButton->text(), QStringLiteral("tlačítko"));
        // The writer keeps only accepted members.
        Client->SetTransStringProp(DefaultTransStringProp | PropertySet({pnPrompt}));
        QCOMPARE(Client->TransStringProp(), DefaultTransStringProp);
    }

    void sameCaption_data()
    {
        QTest::addColumn<QString>("A");
        QTest::addColumn<QString>("B");
        QTest::addColumn<bool>("Same");
        QTest::newRow("marker") << "&Open" << "Open" << true;
        QTest::newRow("letter case") << "ULOŽIT" << "&uložit" << true;
        QTest::newRow("literal ampersand") << "A&&B" << "&A&&B" << true;
        // "&&" shows an ampersand: it is part of the caption, not a marker.
        QTest::newRow("literal ampersand against none") << "A&&B" << "AB" << false;
        QTest::newRow("literal ampersand against a marker") << "A&&B" << "A&B" << false;
        QTest::newRow("different") << "Open" << "Opened" << false;
    }
    void sameCaption()
    {
        QFETCH(QString, A);
        QFETCH(QString, B);
        QFETCH(bool, Same);
        QCOMPARE(SameCaption(A, B), Same);
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestGlottaClient T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_glotta_client.moc"
