// The editor's data model on a form built in code: a property client, a
// numbered lexicon and a resource-string translator attached to one engine,
// edited against the fixture language "English" (tests/data/lang/editor).

#include "tests/glotta/engine/editor/editor_double.h"
#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/engine/editor/item_colors.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/store/unit_list.h"
#include "glotta/widgets/glotta_client.h"

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
    QStringList FileLines(const QString &Name) const
    {
        QFile File(Path(Name));
        if (!File.open(QIODevice::ReadOnly))
            return {};
        QStringDecoder Decode(QStringConverter::Utf16);
        return QString(Decode(File.readAll())).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

struct TRowState
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
        const QList<std::pair<quint32, int>> Hints{{Yellow, 31}, {Lime, 32},     {LightBlue, 33}, {Green, 34},
                                                   {Blue, 35},   {DarkRed, 36},  {Violet, 37},    {Salmon, 38},
                                                   {SeaGreen, 39}, {SteelBlue, 39}, {Grey, 39},    {Red, 48}};
        for (const auto &[Color, Item] : Hints) {
            QVERIFY(!D.EditorLex[Item].isEmpty());
            QCOMPARE(D.GetColorHint(Color), D.EditorLex[Item]);
        }
        QCOMPARE(D.GetColorHint(Yellow), QStringLiteral("Vnitřní jazyk návrhu")); // the design language's texts
        QCOMPARE(D.GetColorHint(GreyGreen), QString());
        QCOMPARE(D.GetColorHint(0x123456), QString());
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
};

QTEST_MAIN(TestEditorData)
#include "tst_editor_data.moc"
