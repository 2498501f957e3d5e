// The editor's data model on a form built in code: a property client, a
// numbered lexicon and a resource-string translator attached to one engine,
// edited against the fixture language "English" (tests/data/lang/editor).

#include "tests/glotta/engine/editor/editor_double.h"
#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/engine/checks/translation_checks.h"
#include "glotta/engine/editor/item_colors.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/store/unit_list.h"
#include "glotta/widgets/glotta_client.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStringDecoder>
#include <QPushButton>
#include <QTest>

namespace {
template<typename T>
T *Named(QObject *Parent, const QString &Name)
{
    auto *O = new T(qobject_cast<QWidget *>(Parent));
    O->setObjectName(Name);
    return O;
}

// EdForm: its title, two labels and a button under a client; Lexicon1 with
// three items; Res1 with two registered texts in the unit "Texts".
struct TEditForm : TEngineFixture
{
    TGlottaClient *Client = nullptr;
    TDesignedLexicon *Lexicon = nullptr;
    TResourcesTranslator *Res = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr;
    QPushButton *Button1 = nullptr;

    TEditForm()
    {
        Form->setObjectName("EdForm");
        Form->setWindowTitle("Okno");
        Label1 = Named<QLabel>(Form.get(), "Label1");
        Label1->setText("Ahoj");
        Label2 = Named<QLabel>(Form.get(), "Label2");
        Label2->setText("Konec");
        Button1 = Named<QPushButton>(Form.get(), "Button1");
        Button1->setText("Zavřít");
        Lexicon = new TDesignedLexicon(Form.get());
        Lexicon->setObjectName("Lexicon1");
        Lexicon->SetItems({"jedna", "dva", "Konec"});
        Lexicon->SetGlobalLexicon(true);
        Res = new TResourcesTranslator(Form.get());
        Res->setObjectName("Res1");
        Res->UnitList().Add("Texts");
        Res->RegisterResourceString("Ano");
        Res->RegisterResourceString("Storno");
        Copy("editor/english.lng", "english.lng");
        Engine->RescanLanguages();
        Client = new TGlottaClient(Form.get());
        Client->setObjectName("GlottaClient1");
        Client->SetGlobalLexicon(true);
        Client->SetGlottaEngine(Engine);
        Lexicon->SetGlottaEngine(Engine);
        Res->SetGlottaEngine(Engine);
        Engine->InitEngine(false);
    }
    TEditorDouble &Data() const { return EditorDouble(Engine); }

    // The editor opened on English as the window opens it: the language
    // loaded, its globals copied, the groups listed.
    QStringList OpenEnglish()
    {
        TEditorDouble &D = Data();
        D.PrepareForEditor();
        if (!D.EditorAction(TEditorActions::eaLoadLangForEdit, "English"))
            qFatal("English not loaded for editing");
        D.EditorLang = "English";
        D.EditorISO = Engine->CurrentLanguageISO();
        QStringList Groups;
        D.LoadGroups(Groups);
        D.WorkGlobalLexicon->AssignGlobals(*D.SmartLexicon);
        return Groups;
    }
    // Opens group Index with all its rows (a resource group: its first object).
    void OpenGroup(int Index)
    {
        TEditorDouble &D = Data();
        D.ChangeEditorClient(Index);
        QStringList Objects;
        D.LoadObjects(Objects);
        D.LoadPage(D.EditorMode == TEditorModes::emResources ? Objects.value(0) : QString());
    }
    // Saves as the window does when it closes with "OK".
    void Save(const QString &FileName)
    {
        TEditorDouble &D = Data();
        D.StoreChanges();
        D.StoreNewGlobals();
        if (!D.EditorAction(TEditorActions::eaSaveLang, FileName))
            qFatal("nothing saved");
    }
    // The lines of a language file of the language directory.
    QStringList FileLines(const QString &Name) const { return ::FileLines(Path(Name)); }
};

struct TRowShown
{
    QString Value;
    quint32 Color;
};
} // namespace

class TestEditorData : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { InstallEditorDouble(); }

    // The groups in attachment order, their kinds, objects and rows with
    // the status each row starts in.
    void groupsAndPages()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        QCOMPARE(F.OpenEnglish(), (QStringList{"EdForm", "EdForm.Lexicon1", "EdForm.Res1"}));
        QCOMPARE(D.ClientName(2), QStringLiteral("EdForm.Res1"));
        QCOMPARE(D.ClientName(3), QString());

        using namespace EditorColor;
        QStringList Objects;
        QCOMPARE(D.ChangeEditorClient(0), TEditorModes::emClient);
        D.LoadObjects(Objects);
        QCOMPARE(Objects, (QStringList{"Button1", "EdForm", "Label1", "Label2"}));
        D.LoadPage();
        // Own lines green, the obsolete one violet, a text only the global
        // lexicon translates blue; the source texts are the designed ones.
        const QList<std::tuple<QString, QString, quint32, QString>> Client{
            {"Button1.Caption", "Old close", Violet, "Zavřít"},
            {"EdForm.Caption", "Window", Green, "Okno"},
            {"Label1.Caption", "Hello", Green, "Ahoj"},
            {"Label2.Caption", "End (global)", Blue, "Konec"},
        };
        QCOMPARE(D.Rows.size(), Client.size());
        for (int r = 0; r < Client.size(); ++r) {
            const auto &[Label, Value, Color, Source] = Client[r];
            QCOMPARE(D.Rows[r].Label, Label);
            QCOMPARE(D.Rows[r].Value, Value);
            QCOMPARE(D.GetItemColor(r, "EdForm", Value), Color);
            QCOMPARE(D.GetSourceForEditorItem(r), Source);
            QCOMPARE(D.GetOriginalForEditorItem(r), Source);
        }
        int Work = -1;
        QVERIFY(D.EditorItemIsGlobal(3, Work));
        QCOMPARE(Work, 3);
        QVERIFY(!D.EditorItemIsGlobal(2, Work));
        // One object: labels without the component name.
        D.LoadPage("Label1");
        QCOMPARE(D.Labels(), QStringList{"Caption"});
        QVERIFY(D.IsUntranslated("EdForm", "Button1")); // obsolete
        QVERIFY(!D.IsUntranslated("EdForm", "Label1")); // own
        QVERIFY(!D.IsUntranslated("EdForm", "Label2")); // a global of the language

        QCOMPARE(D.ChangeEditorClient(1), TEditorModes::emIndexedLexicon);
        D.LoadObjects(Objects);
        QVERIFY(Objects.isEmpty());
        D.LoadPage();
        QCOMPARE(D.Labels(), (QStringList{"Item[0]", "Item[1]", "Item[2]"}));
        QCOMPARE(D.Rows[0].Value, QStringLiteral("one"));
        QCOMPARE(D.Rows[1].Value, QStringLiteral("dva"));
        QCOMPARE(D.Rows[2].Value, QStringLiteral("End (global)"));
        QCOMPARE(D.Color("Item[0]"), Green);
        QCOMPARE(D.Color("Item[1]"), Yellow);
        QCOMPARE(D.Color("Item[2]"), Blue);
        QVERIFY(D.IsUntranslated("EdForm.Lexicon1", QString()));

        QCOMPARE(D.ChangeEditorClient(2), TEditorModes::emResources);
        D.LoadObjects(Objects);
        QCOMPARE(Objects, QStringList{"Texts"});
        D.LoadPage("Texts");
        QCOMPARE(D.Labels(), (QStringList{"Ano", "Storno"}));
        QCOMPARE(D.Color("Ano"), Green);
        QCOMPARE(D.Color("Storno"), Yellow);
        QVERIFY(D.IsUntranslated("EdForm.Res1", "Texts"));
        D.LoadPage("Elsewhere");
        QVERIFY(D.Rows.isEmpty());

        // A group whose rows the window does not show is grey.
        D.ChangeEditorClient(0);
        QCOMPARE(D.GetItemColor(0, "EdForm", "Old close"), Grey);
    }

    // How far English is, by group and object: the counts of a group do not
    // change when it is opened or left, and move with the values typed.
    void progress()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        // EdForm: two own captions, Label2's global, Button1's obsolete line
        // (to look at again); Lexicon1: one own, one designed, one global;
        // Res1: one own, one designed.
        const TEditorProgress Form{2, 0, 1, 0, 1}, Lexicon{1, 0, 1, 0, 1}, Res{1, 0, 0, 0, 1};
        const auto Counts = [&D] {
            return QList<TEditorProgress>{D.GroupProgress(0), D.GroupProgress(1), D.GroupProgress(2),
                                          D.LanguageProgress()};
        };
        const TEditorProgress All{4, 0, 2, 0, 3};
        QCOMPARE(Counts(), (QList<TEditorProgress>{Form, Lexicon, Res, All}));
        QCOMPARE(All.Percent(), 66);

        F.OpenGroup(0);
        QCOMPARE(Counts(), (QList<TEditorProgress>{Form, Lexicon, Res, All}));
        QCOMPARE(D.ObjectProgress("Button1"), (TEditorProgress{0, 0, 0, 0, 1}));
        QCOMPARE(D.PageRowStates(), (QList<TRowState>{TRowState::Missing, TRowState::Own, TRowState::Own,
                                                       TRowState::Global}));
        // The obsolete caption retyped, Label1's emptied (the designed text
        // shows again): counted as the rows show them, before any storing.
        D.Type("Button1.Caption", "Close");
        D.Type("Label1.Caption", "");
        // The window repaints the edited row's marker, which makes an
        // edited obsolete line current.
        D.Color("Button1.Caption");
        const TEditorProgress Typed{2, 0, 1, 0, 1};
        QCOMPARE(D.GroupProgress(0), Typed);
        QCOMPARE(D.ObjectProgress("Button1"), (TEditorProgress{1, 0, 0, 0, 0}));
        QCOMPARE(D.ObjectsProgress().value("Label1"), (TEditorProgress{0, 0, 0, 0, 1}));
        F.OpenGroup(1);
        QCOMPARE(D.GroupProgress(0), Typed);
        D.Type("Item[1]", "two");
        QCOMPARE(D.LanguageProgress(), (TEditorProgress{5, 0, 2, 0, 2}));
    }

    // A language created from English inherits its texts: they count as
    // inherited, and so as not yet translated; an excluded property counts
    // apart.
    void progressOfNewLanguage()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        QVERIFY(D.EditorAction(TEditorActions::eaLoadLangForCreate, "English"));
        D.NewLanguage();
        D.CompleteSourceData();
        D.EditorLang = "Deutsch";
        QStringList Groups;
        D.LoadGroups(Groups);
        F.OpenGroup(0);
        QCOMPARE(D.GroupProgress(0), (TEditorProgress{0, 3, 0, 0, 1}));
        QCOMPARE(D.GroupProgress(0).Percent(), 0);
        D.Type("Label1.Caption", "Hallo");
        bool AllowNoTrans = true;
        QString NewText;
        D.SwitchEditorItem(D.RowOf("EdForm.Caption"), D.Rows[D.RowOf("EdForm.Caption")].Value, AllowNoTrans, NewText);
        QCOMPARE(D.GroupProgress(0), (TEditorProgress{1, 1, 0, 1, 1}));
        QCOMPARE(D.GroupProgress(0).Percent(), 33);
        QCOMPARE((TEditorProgress{}).Percent(), 100);
    }

    // Suggestions for a row: the same designed text translated elsewhere
    // comes first, a close one after it; the row's own value is not offered.
    void suggestions()
    {
        TEditForm F;
        auto *Same = new QLabel("Ahoj", F.Form.get());
        Same->setObjectName("Label3");
        auto *Close = new QLabel("Ahoj!", F.Form.get());
        Close->setObjectName("Label4");
        QVERIFY(F.Client->AddComponent(Same, QString(), false));
        QVERIFY(F.Client->AddComponent(Close, QString(), false));
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        QCOMPARE(D.Rows[D.RowOf("Label3.Caption")].Value, QStringLiteral("Ahoj"));
        QList<TLangCoreData::TSuggestion> Offered = D.Suggestions(D.RowOf("Label4.Caption"));
        QVERIFY(!Offered.isEmpty());
        QCOMPARE(Offered[0].Text, QStringLiteral("Hello"));
        QVERIFY(Offered[0].Closeness < 100);
        // Typed on Label4, "Hi!" is offered for Label3 after Label1's exact match.
        D.Type("Label4.Caption", "Hi!");
        Offered = D.Suggestions(D.RowOf("Label3.Caption"));
        QCOMPARE(Offered.size(), 2);
        QCOMPARE(Offered[0].Text, QStringLiteral("Hello"));
        QCOMPARE(Offered[0].Closeness, 100);
        QCOMPARE(Offered[0].Language, QStringLiteral("English"));
        QCOMPARE(Offered[1].Text, QStringLiteral("Hi!"));
        QVERIFY(D.Suggestions(D.RowOf("Label1.Caption")).value(0).Text != QStringLiteral("Hello"));
    }

    // The fixture language "Checks" (tests/data/lang/editor/checks.lng)
    // has one fault of each kind the checks know in a row of its own: each
    // such row has its finding, the sound row none; mended, none is left.
    void checksOfRows()
    {
        TEditForm F;
        const QList<std::pair<QString, QString>> Designed{
            {"Label3", "&Otevřít"}, {"Label4", "Zbývá %1 souborů"}, {"Label5", "Řádek\ndva"}, {"Label6", "Pozor"}};
        for (const auto &[Name, Text] : Designed) {
            auto *Label = new QLabel(Text, F.Form.get());
            Label->setObjectName(Name);
            QVERIFY(F.Client->AddComponent(Label, QString(), false));
        }
        F.Copy("editor/checks.lng", "checks.lng");
        F.Engine->RescanLanguages();
        TEditorDouble &D = F.Data();
        D.PrepareForEditor();
        QVERIFY(D.EditorAction(TEditorActions::eaLoadLangForEdit, "Checks"));
        D.EditorLang = "Checks";
        QStringList Groups;
        D.LoadGroups(Groups);
        F.OpenGroup(0);
        const QList<std::pair<QString, QList<TCheckRule>>> Expected{
            {"Label1.Caption", {}},
            {"Label3.Caption", {TCheckRule::Accelerator}},
            {"Label4.Caption", {TCheckRule::Placeholders}},
            {"Label5.Caption", {TCheckRule::LineBreaks}},
            {"Label6.Caption", {TCheckRule::Blanks}},
        };
        const auto Rules = [&D](const QString &Row) {
            QList<TCheckRule> R;
            for (const TCheckFinding &Finding : D.PageFindings().value(D.RowOf(Row))) {
                R << Finding.Rule;
                if (Finding.Reason.isEmpty())
                    qFatal("a finding without its reason");
            }
            return R;
        };
        for (const auto &[Row, Found] : Expected)
            QCOMPARE(Rules(Row), Found);
        // Rows without a translation of the language are not checked.
        QVERIFY(Rules("Button1.Caption").isEmpty());
        QCOMPARE(D.FailingRows(), 4);

        D.Type("Label3.Caption", "&Open");
        D.Type("Label4.Caption", "Files left: %1");
        D.Type("Label5.Caption", "Line\ntwo");
        D.Type("Label6.Caption", "Attention");
        for (const auto &[Row, Found] : Expected)
            QVERIFY2(Rules(Row).isEmpty(), qPrintable(Row));
        QCOMPARE(D.FailingRows(), 0);
    }

    // The value colour of a row: its descent, its value and the source text.
    void valueColours_data()
    {
        QTest::addColumn<int>("Descent");
        QTest::addColumn<QString>("Content");
        QTest::addColumn<QString>("Original");
        QTest::addColumn<quint32>("Color");
        using namespace EditorColor;
        QTest::newRow("own emptied") << 0 << "" << "a" << DarkRed;
        QTest::newRow("own global emptied") << 256 << "" << "a" << Red;
        QTest::newRow("inherited emptied") << 1 << "" << "a" << SeaGreen;
        QTest::newRow("designed emptied") << 255 << "" << "a" << SeaGreen;
        QTest::newRow("global inherited emptied") << 257 << "" << "a" << SteelBlue;
        QTest::newRow("designed unchanged") << 255 << "a" << "a" << Yellow;
        QTest::newRow("inherited unchanged") << 3 << "a" << "a" << Lime;
        QTest::newRow("global source unchanged") << 257 << "a" << "a" << LightBlue;
        QTest::newRow("own equal to source") << 0 << "a" << "a" << Green;
        QTest::newRow("inherited changed") << 1 << "b" << "a" << Green;
        QTest::newRow("global changed") << 257 << "b" << "a" << Blue;
        QTest::newRow("own global") << 256 << "a" << "a" << Blue;
        QTest::newRow("no source") << 1 << "b" << "" << GreyGreen;
    }
    void valueColours()
    {
        QFETCH(int, Descent);
        QFETCH(QString, Content);
        QFETCH(QString, Original);
        QFETCH(quint32, Color);
        QCOMPARE(TLangCoreData::GetItemColor(quint16(Descent), Content, Original), Color);
    }

    // Source colours, and every status colour's hint from the library texts.
    void sourceColoursAndHints()
    {
        using namespace EditorColor;
        QCOMPARE(TLangCoreData::GetItemColor(255, false), Yellow);
        QCOMPARE(TLangCoreData::GetItemColor(256, false), LightBlue);
        QCOMPARE(TLangCoreData::GetItemColor(1, true), Salmon);
        QCOMPARE(TLangCoreData::GetItemColor(1, false), Lime);
        TEditForm F;
        TEditorDouble &D = F.Data();
        QVERIFY(!D.PrepareForEditor().isEmpty());
        const QList<std::pair<quint32, int>> Hints{
            {Yellow, liHintDesigned},   {Lime, liHintSource},     {LightBlue, liHintGlobalSource},
            {Green, liHintTranslated},  {Blue, liHintGlobal},     {DarkRed, liHintDeleted},
            {Violet, liHintRestored},   {Salmon, liHintExcluded}, {SeaGreen, liHintInvalid},
            {SteelBlue, liHintInvalid}, {Grey, liHintInvalid},    {Red, liHintGlobalDeleted}};
        for (const auto &[Color, Item] : Hints) {
            QVERIFY(!D.EditorLex[Item].isEmpty());
            QCOMPARE(D.GetColorHint(Color), D.EditorLex[Item]);
        }
        QCOMPARE(D.GetColorHint(Yellow), QStringLiteral("Vnitřní jazyk návrhu")); // the design language's texts
        QCOMPARE(D.GetColorHint(GreyGreen), QString());
        QCOMPARE(D.GetColorHint(0x123456), QString());
    }

    // The colours are the documented numbers, red in the low byte: a caller
    // that takes a colour from the documentation gets its hint, and the
    // model answers those numbers.
    void colourNumbers_data()
    {
        QTest::addColumn<quint32>("Color");
        QTest::addColumn<quint32>("Number");
        QTest::addColumn<int>("Hint");
        using namespace EditorColor;
        QTest::newRow("yellow") << Yellow << quint32(0x03F1F8) << int(liHintDesigned);
        QTest::newRow("lime") << Lime << quint32(0x28FFD4) << int(liHintSource);
        QTest::newRow("light blue") << LightBlue << quint32(0xFFE580) << int(liHintGlobalSource);
        QTest::newRow("green") << Green << quint32(0x00E922) << int(liHintTranslated);
        QTest::newRow("blue") << Blue << quint32(0xFF6600) << int(liHintGlobal);
        QTest::newRow("dark red") << DarkRed << quint32(0x2222CA) << int(liHintDeleted);
        QTest::newRow("violet") << Violet << quint32(0xFF55DD) << int(liHintRestored);
        QTest::newRow("salmon") << Salmon << quint32(0xAFC6F9) << int(liHintExcluded);
        QTest::newRow("sea green") << SeaGreen << quint32(0x5AA02C) << int(liHintInvalid);
        QTest::newRow("steel blue") << SteelBlue << quint32(0xA0892C) << int(liHintInvalid);
        QTest::newRow("grey") << Grey << quint32(0x7C7C7C) << int(liHintInvalid);
        QTest::newRow("red") << Red << quint32(0x1111EE) << int(liHintGlobalDeleted);
        QTest::newRow("grey green") << GreyGreen << quint32(0x4C6C4C) << -1;
    }
    void colourNumbers()
    {
        QFETCH(quint32, Color);
        QFETCH(quint32, Number);
        QFETCH(int, Hint);
        QCOMPARE(Color, Number);
        TEditForm F;
        TEditorDouble &D = F.Data();
        QVERIFY(!D.PrepareForEditor().isEmpty());
        QCOMPARE(D.GetColorHint(Number), Hint < 0 ? QString() : D.EditorLex[size_t(Hint)]);
        // The documented source colours, by number.
        QCOMPARE(TLangCoreData::GetItemColor(255, false), quint32(0x03F1F8));
        QCOMPARE(TLangCoreData::GetItemColor(1, true), quint32(0xAFC6F9));
    }

    // Editing English through the engine's editor request: values changed on
    // every page, an obsolete line brought back, an own translation
    // deleted. The saved file holds exactly the own lines, and the engine
    // shows them once the editor has closed.
    void editAndSave()
    {
        TEditForm F;
        F.Engine->Translate("English");
        QList<quint32> Colors;
        F.Data().Session = [&F, &Colors](TEditorDouble &D, int Mode) -> QString {
            if (Mode != erEditLanguage)
                return QString();
            F.OpenEnglish();
            F.OpenGroup(0);
            D.Type("Label1.Caption", "Hi there");
            Colors << D.Color("Label1.Caption");
            D.Type("Button1.Caption", "Close");
            Colors << D.Color("Button1.Caption");
            F.OpenGroup(1);
            D.Type("Item[0]", "");
            Colors << D.Color("Item[0]");
            D.Type("Item[1]", "two");
            Colors << D.Color("Item[1]");
            F.OpenGroup(2);
            D.Type("Storno", "Cancel");
            F.Save(F.Path("english.lng"));
            return QStringLiteral("English");
        };
        F.Engine->ShowLangEditor();
        QVERIFY(!F.Data().EditorOpened());
        using namespace EditorColor;
        QCOMPARE(Colors, (QList<quint32>{Green, Green, DarkRed, Green}));
        QCOMPARE(F.FileLines("english.lng"),
                 (QStringList{"[LANGUAGE_FILE]",
                              "0\t%LANGUAGE_NAME=\"English\"\t%CODE=en;\t%SUPERIOR_LANGUAGE=čeština;\t%FILEVER=THLF1;",
                              "0\t\"Close\"\t%COMPONENT=Button1;\t%OWNER=EdForm;",
                              "0\t\"Window\"\t%COMPONENT=EdForm;\t%OWNER=;",
                              "0\t\"Hi there\"\t%COMPONENT=Label1;\t%OWNER=EdForm;",
                              "0\t\"Gone\"\t%COMPONENT=Removed;\t%OWNER=EdForm;\t%OLD",
                              "0\t%LEXICON_STRINGS",
                              "0\t%LEXICON_NAME=EdForm.Lexicon1;",
                              "1\t\"two\"",
                              "0\t%SMART_STRINGS",
                              "0\t\"Konec\"",
                              "0\t\"End (global)\"",
                              "0\t%LEXICON_NAME=EdForm.Res1;",
                              "0\t\"Ano\"",
                              "0\t\"Yes\"",
                              "1\t\"Storno\"",
                              "1\t\"Cancel\""}));
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("English"));
        QCOMPARE(F.Label1->text(), QStringLiteral("Hi there"));
        QCOMPARE(F.Button1->text(), QStringLiteral("Close"));
        QCOMPARE(F.Label2->text(), QStringLiteral("End (global)"));
        QCOMPARE(F.Lexicon->GetItem(0), QStringLiteral("jedna"));
        QCOMPARE(F.Lexicon->GetItem(1), QStringLiteral("two"));
        QCOMPARE(F.Res->GetItem(1), QStringLiteral("Cancel"));
    }

    // Switching a translated row's status: with globals the cycle runs
    // through global and excluded back to translatable, without them two
    // switches return. Each switch answers the value to show.
    void switchStatus_data()
    {
        QTest::addColumn<bool>("Globals");
        QTest::addColumn<QList<quint32>>("Colors");
        QTest::addColumn<QStringList>("Texts");
        using namespace EditorColor;
        QTest::newRow("with globals") << true << QList<quint32>{Blue, Salmon, Green}
                                      << QStringList{"Hello", "Ahoj", "Hello"};
        QTest::newRow("without globals") << false << QList<quint32>{Salmon, Green} << QStringList{"Ahoj", "Hello"};
    }
    void switchStatus()
    {
        QFETCH(bool, Globals);
        QFETCH(QList<quint32>, Colors);
        QFETCH(QStringList, Texts);
        TEditForm F;
        F.Client->SetGlobalLexicon(Globals);
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        const int Row = D.RowOf("Label1.Caption");
        bool AllowNoTrans = false;
        for (int i = 0; i < Colors.size(); ++i) {
            QString NewText;
            QVERIFY(D.SwitchEditorItem(Row, D.Rows[Row].Value, AllowNoTrans, NewText));
            QCOMPARE(NewText, Texts[i]);
            D.Rows[Row].Value = NewText;
            QCOMPARE(D.Color("Label1.Caption"), Colors[i]);
            QCOMPARE(D.ChangeableEditorItem(Row), Colors[i] != EditorColor::Salmon);
        }
        // Back where it started: saved as before, and the global the cycle
        // wrote on the way is not saved.
        F.Save(F.Path("english.lng"));
        const QStringList Lines = F.FileLines("english.lng");
        QVERIFY(Lines.contains("0\t\"Hello\"\t%COMPONENT=Label1;\t%OWNER=EdForm;"));
        QVERIFY(!Lines.contains("0\t\"Ahoj\""));

        // Lexicon items switch only where globals are allowed.
        F.Lexicon->SetGlobalLexicon(Globals);
        F.OpenGroup(1);
        QString NewText;
        AllowNoTrans = false;
        QCOMPARE(D.SwitchEditorItem(0, D.Rows[0].Value, AllowNoTrans, NewText), Globals);
    }

    // An excluded property is saved as such, and its row shows the source.
    void excludedIsSaved()
    {
        TEditForm F;
        F.Client->SetGlobalLexicon(false);
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        const int Row = D.RowOf("Label1.Caption");
        bool AllowNoTrans = false;
        QString NewText;
        D.SwitchEditorItem(Row, D.Rows[Row].Value, AllowNoTrans, NewText);
        D.Rows[Row].Value = NewText;
        F.Save(F.Path("english.lng"));
        QVERIFY(F.FileLines("english.lng").contains("0\t%NOTRANS\t%COMPONENT=Label1;\t%OWNER=EdForm;"));
        D.ChangeEditorClient(0);
        D.LoadPage();
        QCOMPARE(D.Rows[D.RowOf("Label1.Caption")].Value, QStringLiteral("Ahoj"));
        quint32 SourceColor = 0;
        QCOMPARE(D.SelectEditorItem(D.RowOf("Label1.Caption"), nullptr, SourceColor), QStringLiteral("Ahoj"));
        QCOMPARE(D.Color("Label1.Caption"), EditorColor::Salmon);
    }

    // A new language from English: every row English translates starts
    // inherited; typing makes a row the new language's own, emptying one
    // leaves it inherited. Only the typed line is saved, and the engine
    // then shows the new language.
    void newLanguage()
    {
        TEditForm F;
        QList<quint32> Colors;
        QStringList Groups;
        F.Data().Session = [&](TEditorDouble &D, int Mode) -> QString {
            if (Mode != erCreateLanguage || !D.EditorAction(TEditorActions::eaLoadLangForCreate, "English"))
                return QString();
            D.NewLanguage();
            D.CompleteSourceData();
            D.EditorLang = "Deutsch";
            D.EditorISO = "de";
            D.LoadGroups(Groups);
            D.EditorAction(TEditorActions::eaCreateLang, QString());
            F.OpenGroup(0);
            for (const QString Row : {"Button1.Caption", "EdForm.Caption", "Label1.Caption", "Label2.Caption"})
                Colors << D.Color(Row);
            D.Type("Label1.Caption", "Hallo");
            D.Type("EdForm.Caption", "");
            Colors << D.Color("Label1.Caption") << D.Color("EdForm.Caption");
            F.OpenGroup(1);
            for (const QString Row : {"Item[0]", "Item[1]", "Item[2]"})
                Colors << D.Color(Row);
            F.Save(F.Path("deutsch.lng"));
            return D.EditorLang;
        };
        F.Engine->ShowLangCreator();
        using namespace EditorColor;
        // Button1's English line is obsolete there, yet a source like any
        // other; Label2 has no English line; Lexicon1's item 2 takes
        // English's global translation.
        QCOMPARE(Colors, (QList<quint32>{Lime, Lime, Lime, Yellow, Green, SeaGreen, Lime, Yellow, LightBlue}));
        QCOMPARE(F.FileLines("deutsch.lng"),
                 (QStringList{"[LANGUAGE_FILE]",
                              "0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%SUPERIOR_LANGUAGE=English;\t%FILEVER=THLF1;",
                              "0\t\"Hallo\"\t%COMPONENT=Label1;\t%OWNER=EdForm;", "0\t%LEXICON_STRINGS",
                              "0\t%SMART_STRINGS"}));
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(F.Label1->text(), QStringLiteral("Hallo"));
        QCOMPARE(F.Form->windowTitle(), QStringLiteral("Window"));
        QCOMPARE(F.Lexicon->GetItem(0), QStringLiteral("one"));
    }

    // Searching the client page of English: rows "Old close", "Window",
    // "Hello", "End (global)" over the sources "Zavřít", "Okno", "Ahoj",
    // "Konec". Only A-Z fold.
    void search_data()
    {
        QTest::addColumn<QString>("Searched");
        QTest::addColumn<int>("StartRow");
        QTest::addColumn<int>("Mode");
        QTest::addColumn<int>("Row");
        QTest::addColumn<int>("Start");
        QTest::addColumn<int>("Column");
        QTest::newRow("exact") << "ell" << 0 << int(seItem) << 2 << 1 << int(seItem);
        QTest::newRow("ASCII capitals fold") << "HELLO" << 0 << int(seItem) << 2 << 0 << int(seItem);
        QTest::newRow("from the start row") << "e" << 3 << int(seItem) << 3 << 0 << int(seItem);
        QTest::newRow("wraps") << "window" << 2 << int(seItem) << 1 << 0 << int(seItem);
        QTest::newRow("negative start") << "window" << -5 << int(seItem) << 1 << 0 << int(seItem);
        QTest::newRow("source") << "ZAV" << 0 << int(seSource) << 0 << 0 << int(seSource);
        QTest::newRow("accented exact") << "řít" << 0 << int(seSource) << 0 << 3 << int(seSource);
        QTest::newRow("accented capitals do not fold") << "ŘÍT" << 0 << int(seSource) << -1 << -1 << 0;
        QTest::newRow("original") << "okno" << 0 << int(seOriginal) << 1 << 0 << int(seOriginal);
        // English is based on the design language: its sources are the
        // designed texts, searched once as sources.
        QTest::newRow("source before original") << "okno" << 0 << int(seSource | seOriginal) << 1 << 0
                                                << int(seSource);
        QTest::newRow("item before source") << "o" << 1 << int(seItem | seSource) << 1 << 4 << int(seItem);
        QTest::newRow("absent") << "xyz" << 0 << int(seItem | seSource | seOriginal) << -1 << -1 << 0;
        QTest::newRow("empty") << "" << 0 << int(seItem) << -1 << -1 << 0;
    }
    void search()
    {
        QFETCH(QString, Searched);
        QFETCH(int, StartRow);
        QFETCH(int, Mode);
        QFETCH(int, Row);
        QFETCH(int, Start);
        QFETCH(int, Column);
        TEditForm F;
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        QCOMPARE(D.SearchWord(Searched, StartRow, TEditorSearchMode(Mode)), Row >= 0);
        if (Row >= 0)
            QCOMPARE(D.Selected, (TEditorDouble::TSelection{Row, Start, int(Searched.size()), TEditorSearch(Column)}));
        else
            QVERIFY(!D.Selected);
        QCOMPARE(D.LastSearch, Searched);
    }

    // The same text again goes on after the row it found, and wraps.
    void searchAgain()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        QList<std::pair<int, int>> Found;
        int Row = 0;
        for (int i = 0; i < 5; ++i) {
            QVERIFY(D.SearchWord("o", Row, seItem));
            Row = D.Selected->Row;
            Found << std::pair{Row, D.Selected->Start};
        }
        QCOMPARE(Found, (QList<std::pair<int, int>>{{0, 6}, {1, 4}, {2, 4}, {3, 7}, {0, 6}}));
        // Selecting a row forgets the search: it starts at the row again.
        quint32 Color;
        D.SelectEditorItem(2, nullptr, Color);
        QVERIFY(D.SearchWord("o", 2, seItem));
        QCOMPARE(D.Selected->Row, 2);
    }

    // A failed save raises a clear error and leaves the file as it was; the
    // edits stay, so saving again succeeds.
    void failedSaveKeepsEdits()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        D.Type("Label1.Caption", "Hi");
        D.StoreChanges();
        D.StoreNewGlobals();
        const QByteArray Before = LangData("editor/english.lng");
        QVERIFY(QDir(F.Dir.path()).mkdir("blocked.lng"));
        try {
            D.EditorAction(TEditorActions::eaSaveLang, F.Path("blocked.lng"));
            QFAIL("saving onto a folder succeeded");
        } catch (const Exception &E) {
            QVERIFY2(!E.Message().isEmpty(), qPrintable(E.KindName()));
        }
        QFile File(F.Path("english.lng"));
        QVERIFY(File.open(QIODevice::ReadOnly));
        QCOMPARE(File.readAll(), Before);
        File.close();
        QVERIFY(D.EditorAction(TEditorActions::eaSaveLang, F.Path("english.lng")));
        QVERIFY(F.FileLines("english.lng").contains("0\t\"Hi\"\t%COMPONENT=Label1;\t%OWNER=EdForm;"));
    }

    // Storing a page: an inherited text left as it is leaves no line, one
    // changed character makes it the language's own; a translated lexicon
    // item emptied is removed.
    void storeKeepsOnlyOwnTexts()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        QVERIFY(D.EditorAction(TEditorActions::eaLoadLangForCreate, "English"));
        D.NewLanguage();
        D.CompleteSourceData();
        D.EditorLang = "Deutsch";
        QStringList Groups;
        D.LoadGroups(Groups);
        F.OpenGroup(0);
        D.StoreChanges();
        QCOMPARE(D.DataStruct->Count(), 0);
        D.Type("EdForm.Caption", "Windows");
        D.StoreChanges();
        QCOMPARE(D.DataStruct->Count(), 1);
        QCOMPARE(D.DataStruct->LineID(0), QStringLiteral("EdForm@#0["));
        QCOMPARE(D.DataStruct->GetTranslation(0), QStringLiteral("Windows"));
        QCOMPARE(D.DataStruct->GetDescent(0), quint16(0));

        F.OpenGroup(1);
        D.Type("Item[1]", "zwei");
        F.OpenGroup(1);
        QCOMPARE(D.DataLexicon->ReadItem("EdForm.Lexicon1", 1), QStringLiteral("zwei"));
        QCOMPARE(D.Rows[1].Value, QStringLiteral("zwei"));
        D.Type("Item[1]", "");
        F.OpenGroup(1);
        QVERIFY(!D.DataLexicon->IsIncluded("EdForm.Lexicon1", 1));
    }

    // A global typed on a global row is saved only while some item of the
    // language has no own translation of that designed text.
    void newGlobalSavedOnlyWhenUsed_data()
    {
        QTest::addColumn<bool>("ThenOwn");
        QTest::newRow("the row uses it") << false;
        QTest::newRow("the row takes an own text after all") << true;
    }
    void newGlobalSavedOnlyWhenUsed()
    {
        QFETCH(bool, ThenOwn);
        TEditForm F;
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(0);
        const QString Label = "Label1.Caption";
        bool AllowNoTrans = false;
        QString NewText;
        D.SwitchEditorItem(D.RowOf(Label), D.Rows[D.RowOf(Label)].Value, AllowNoTrans, NewText);
        D.Type(Label, "Hi all");
        F.OpenGroup(0);
        QCOMPARE(D.Rows[D.RowOf(Label)].Value, QStringLiteral("Hi all"));
        QCOMPARE(D.Color(Label), EditorColor::Blue);
        if (ThenOwn) {
            AllowNoTrans = false;
            D.SwitchEditorItem(D.RowOf(Label), "Hi all", AllowNoTrans, NewText);
            D.Type(Label, "Hello again");
        }
        F.Save(F.Path("english.lng"));
        const QStringList Lines = F.FileLines("english.lng");
        QCOMPARE(Lines.contains("0\t\"Ahoj\""), !ThenOwn);
        QCOMPARE(Lines.contains("0\t\"Hello again\"\t%COMPONENT=Label1;\t%OWNER=EdForm;"), ThenOwn);
        QVERIFY(!Lines.contains("0\t\"Hello\"\t%COMPONENT=Label1;\t%OWNER=EdForm;"));
    }

    // An export stores the page and the editor goes on: storing the same
    // page again (at the save) must not turn inherited or global items into
    // own translations.
    void storingTwiceChangesNothing()
    {
        TEditForm F;
        TEditorDouble &D = F.Data();
        F.OpenEnglish();
        F.OpenGroup(1);
        for (int Pass = 0; Pass < 2; ++Pass) {
            D.StoreChanges();
            QCOMPARE(D.DataLexicon->ReadItem("EdForm.Lexicon1", 0), QStringLiteral("one"));
            QVERIFY(!D.DataLexicon->IsIncluded("EdForm.Lexicon1", 1));
            QVERIFY(!D.DataLexicon->IsIncluded("EdForm.Lexicon1", 2));
            QCOMPARE(D.Color("Item[2]"), EditorColor::Blue);
        }
    }

    // Group names are compared ignoring letter case: of two lexicons whose
    // names differ only so, the first is the group.
    void caseTwinGroups()
    {
        TEditForm F;
        auto *Twin = new TDesignedLexicon(F.Form.get());
        Twin->setObjectName("LEXICON1");
        Twin->SetItems({"x"});
        Twin->SetGlottaEngine(F.Engine);
        QCOMPARE(F.OpenEnglish(), (QStringList{"EdForm", "EdForm.Lexicon1", "EdForm.Res1"}));
        QCOMPARE(F.Data().ClientGroups.value(1).data(), F.Lexicon);
    }

    // A translator whose program texts are already in the edited language
    // offers them as that language's translations; with globals they go
    // to the global lexicon when they differ from the designed text.
    void loadedTextsOfTheEditedLanguage_data()
    {
        QTest::addColumn<QString>("Original");
        QTest::addColumn<bool>("Globals");
        QTest::addColumn<QString>("Value");
        QTest::addColumn<quint32>("Color");
        QTest::addColumn<bool>("NewGlobal");
        using namespace EditorColor;
        QTest::newRow("by name") << "english" << false << "Cancel" << Green << false;
        QTest::newRow("by code") << "en - English" << false << "Cancel" << Green << false;
        QTest::newRow("with globals") << "English" << true << "Cancel" << Blue << true;
        QTest::newRow("another language") << "de" << false << "Storno" << Yellow << false;
    }
    void loadedTextsOfTheEditedLanguage()
    {
        QFETCH(QString, Original);
        QFETCH(bool, Globals);
        QFETCH(QString, Value);
        QFETCH(quint32, Color);
        QFETCH(bool, NewGlobal);
        TEditForm F;
        auto *Res2 = new TResourcesTranslator(F.Form.get());
        Res2->setObjectName("Res2");
        Res2->UnitList().Add("Texts");
        Res2->RegisterResourceString("Cancel", "Storno");
        Res2->SetOriginalLanguage(Original);
        Res2->SetGlobalLexicon(Globals);
        Res2->SetGlottaEngine(F.Engine);
        TEditorDouble &D = F.Data();
        const QStringList Groups = F.OpenEnglish();
        F.OpenGroup(int(Groups.indexOf("EdForm.Res2")));
        QCOMPARE(D.Labels(), QStringList{"Cancel"});
        QCOMPARE(D.Rows[0].Value, Value);
        QCOMPARE(D.Color("Cancel"), Color);
        QCOMPARE(D.WorkGlobalLexicon->IsIncluded("Storno"), NewGlobal);
    }
};

QTEST_MAIN(TestEditorData)
#include "tst_editor_data.moc"
