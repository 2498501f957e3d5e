// Lexicons: completing strings with item links and quoted texts, items
// looked up through the engine (own, inherited, global, designed), the
// designed and the programmable lexicon, the programmable lexicon's
// initialisation bound from a stored design, and the library lexicon's
// built-in languages and their choice.

#include "tests/glotta/engine/engine_fixture.h"

#include "glotta/engine/form_lexicon.h"
#include "glotta/engine/lexicon.h"
#include "glotta/widgets/glotta_classes.h"
#include "toolkit/core/exception.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalBlocker>
#include <QTest>
#include <memory>
#include <map>

namespace {
// Designed lines of LexForm.Lexicon1; the fixtures in tests/data/lang/lexicon
// translate them: Deutsch (superior Base) has items 0 and 6 and the global
// pairs jedna/"eins (global)" and dva/"zwei (global)"; Base has items 1 and 3
// and the global pair tři/"drei (global, base)". Smart pairs of the lexicon:
// Pozor/Achtung (Deutsch), Vlevo/"Links (base)" (Base). LexForm.Prog1:
// item 0 "Erste" (Deutsch), item 1 "Zweite (base)".
const QStringList DesignedLines{"nula", "jedna", "dva", "tři", "", "Ano", "řádek'#13''#10'dva"};

// A form LexForm with the engine of the fixture, languages Deutsch and Base,
// a designed lexicon Lexicon1 and a programmable lexicon Prog1.
struct TLexiconFixture
{
    TEngineFixture F;
    TDesignedLexicon *Designed;
    TCustomProgrammableLexicon *Prog;

    explicit TLexiconFixture(bool Attach = true)
    {
        F.CopyAll(QStringLiteral("lexicon"));
        F.Form->setObjectName(QStringLiteral("LexForm"));
        F.Engine->RescanLanguages();
        Designed = new TDesignedLexicon(F.Form.get());
        Designed->setObjectName(QStringLiteral("Lexicon1"));
        Designed->SetItems(DesignedLines);
        Prog = new TCustomProgrammableLexicon(F.Form.get());
        Prog->setObjectName(QStringLiteral("Prog1"));
        Prog->DefineItem(0, QStringLiteral("první"));
        Prog->DefineItem(1, QStringLiteral("druhá"));
        Prog->DefineItem(2, QStringLiteral("jedna"));
        if (Attach) {
            Designed->SetGlottaEngine(F.Engine);
            Prog->SetGlottaEngine(F.Engine);
        }
    }
};

// The English set with another name, code and command entries.
TInternalLangDefs PolishSet(const QString &Name = QStringLiteral("Polski"), const QString &Code = QStringLiteral("pl"))
{
    TInternalLangDefs S = EnglishTexts();
    S[0] = Name;
    S[1] = Code;
    S[1 + 2] = QStringLiteral("> Dodaj <");
    S[2 + 2] = QStringLiteral("> Edytuj <");
    return S;
}

// A form whose methods a stored design binds to the programmable lexicon.
class TLexDesignForm : public TForm
{
    Q_OBJECT
public:
    TLexDesignForm()
    {
        PublishMethod(QStringLiteral("ProgInit"), &TLexDesignForm::ProgInit);
        PublishMethod(QStringLiteral("Query"), &TLexDesignForm::Query);
    }
    QStringList Log;
    void ProgInit(QObject *Sender)
    {
        auto *Lex = qobject_cast<TCustomProgrammableLexicon *>(Sender);
        Log << QStringLiteral("init %1 loading %2").arg(Sender->objectName()).arg(int(Lex->IsLoading()));
        Lex->DefineItem(0, QStringLiteral("Hotovo"));
        Lex->DefineItem(3, QStringLiteral("Chyba:\r\n%s"));
    }
    void Query(QObject *, bool &) {}
};

const char *const ProgDesign = R"({
  "class": "TLexDesignForm", "name": "DesignForm",
  "components": [
    {"class": "TCustomProgrammableLexicon", "name": "Messages",
     "properties": {"GlobalLexicon": true, "OnInitialization": "ProgInit"}}
  ]
})";

using TExpectedSets = std::map<QString, TInternalLangDefs>;

// The built-in texts as the library's documentation gives them, from the
// fixture tests/data/library_texts.json: per language its name, its code and
// the texts of its items.
const TExpectedSets &ExpectedSets()
{
    static const TExpectedSets Sets = [] {
        QFile File(QStringLiteral(GLOTTA_TEST_DATA "/library_texts.json"));
        if (!File.open(QIODevice::ReadOnly))
            qFatal("missing fixture %s", qPrintable(File.fileName()));
        const QJsonObject Languages = QJsonDocument::fromJson(File.readAll()).object();
        TExpectedSets R;
        for (auto It = Languages.begin(); It != Languages.end(); ++It) {
            const QJsonArray Texts = It.value().toArray();
            if (Texts.size() != qsizetype(std::tuple_size_v<TInternalLangDefs>))
                qFatal("%s: %d texts", qPrintable(It.key()), int(Texts.size()));
            TInternalLangDefs D;
            for (size_t i = 0; i < D.size(); ++i)
                D[i] = Texts[qsizetype(i)].toString();
            R[It.key()] = D;
        }
        if (R.size() != 5)
            qFatal("library_texts.json holds %d languages", int(R.size()));
        return R;
    }();
    return Sets;
}
} // namespace

class TestLexicon : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RegisterGlottaClasses();
        TClassRegistry::Register({QStringLiteral("TLexDesignForm"), &TLexDesignForm::staticMetaObject,
                                  QStringLiteral("TForm"), [](QObject *) { return new TLexDesignForm; }, {}, {}});
    }

    void completeString_data()
    {
        QTest::addColumn<bool>("WithEngine");
        QTest::addColumn<bool>("Global");
        QTest::addColumn<QString>("Str");
        QTest::addColumn<QString>("Expected");
        // With the engine the current language is Deutsch.
        QTest::newRow("own item") << true << false << "«#0;" << "Null";
        QTest::newRow("inherited item in text") << true << false << "a «#1; b" << "a eins (base) b";
        QTest::newRow("global item") << true << true << "«#1;" << "eins (global)";
        QTest::newRow("decoded item") << true << false << "«#6;" << "Zeile\r\nzwei";
        QTest::newRow("designed item") << true << false << "«#5;!" << "Ano!";
        QTest::newRow("undefined item") << true << false << "x«#4;y" << "x???y";
        QTest::newRow("above max") << true << false << "«#7;" << "???";
        QTest::newRow("huge number") << true << false << "«#99999999999999999999;" << "???";
        QTest::newRow("no number") << true << false << "«#;z" << "???z";
        QTest::newRow("non-digit") << true << false << "«#12x;" << "«#12x;";
        QTest::newRow("unterminated link") << true << false << "a«#12" << "a«#12";
        QTest::newRow("too short") << true << false << "«#1" << "«#1";
        QTest::newRow("double open") << true << false << "««#0;" << "«Null";
        QTest::newRow("smart own") << true << false << "«\"Pozor\"»!" << "Achtung!";
        QTest::newRow("smart inherited") << true << false << "«\"Vlevo\"»" << "Links (base)";
        QTest::newRow("smart missing") << true << false << "«\"dva\"»" << "dva";
        QTest::newRow("smart missing, global") << true << true << "«\"dva\"»" << "zwei (global)";
        QTest::newRow("quote inside") << true << false << "«\"a\"b\"»" << "a\"b";
        QTest::newRow("unterminated quote") << true << false << "ok «\"Pozor\" »" << "ok ";
        QTest::newRow("empty quote") << true << false << "«\"\"»x" << "\"»x";
        QTest::newRow("other marker") << true << false << "«abc»" << "«abc»";
        QTest::newRow("mixed") << true << false << "«#0; «\"Pozor\"» «#2;" << "Null Achtung dva";
        QTest::newRow("plain") << true << false << "no markers" << "no markers";
        QTest::newRow("no engine item") << false << false << "«#6;" << "řádek\r\ndva";
        QTest::newRow("no engine quote") << false << false << "«\"a'#9'b\"»" << "a\tb";
        QTest::newRow("no engine undefined") << false << false << "«#4;" << "???";
    }

    void completeString()
    {
        QFETCH(bool, WithEngine);
        QFETCH(bool, Global);
        QFETCH(QString, Str);
        QFETCH(QString, Expected);
        TLexiconFixture L(WithEngine);
        if (WithEngine)
            QCOMPARE(L.F.Engine->Translate("de"), QStringLiteral("Deutsch"));
        L.Designed->SetGlobalLexicon(Global);
        QCOMPARE(L.Designed->CompleteString(Str), Expected);
    }

    void linkCompletesToItem()
    {
        TLexiconFixture L;
        L.F.Engine->Translate("de");
        for (int n = 0; n <= L.Designed->MaxItemIndex(); ++n)
            if (L.Designed->IsDefined(n))
                QCOMPARE(L.Designed->CompleteString(L.Designed->GetLink(n)), L.Designed->GetItem(n));
        QCOMPARE(L.Designed->GetLink(7), QStringLiteral("«#7;"));
        QCOMPARE(L.Prog->CompleteString(L.Prog->GetLink(0) + "/" + L.Prog->GetLink(1)),
                 QStringLiteral("Erste/Zweite (base)"));
    }

    void getItem_data()
    {
        QTest::addColumn<bool>("Programmable");
        QTest::addColumn<QString>("Language");
        QTest::addColumn<bool>("Global");
        QTest::addColumn<int>("Item");
        QTest::addColumn<QString>("Expected");
        QTest::newRow("own") << false << "de" << false << 0 << "Null";
        QTest::newRow("own, global") << false << "de" << true << 0 << "Null";
        QTest::newRow("own decoded") << false << "de" << false << 6 << "Zeile\r\nzwei";
        QTest::newRow("inherited") << false << "de" << false << 1 << "eins (base)";
        QTest::newRow("inherited, closer global") << false << "de" << true << 1 << "eins (global)";
        QTest::newRow("inherited, global as far") << false << "de" << true << 3 << "drei (base)";
        QTest::newRow("designed") << false << "de" << false << 2 << "dva";
        QTest::newRow("designed, global") << false << "de" << true << 2 << "zwei (global)";
        QTest::newRow("designed, no global") << false << "de" << true << 5 << "Ano";
        QTest::newRow("empty line") << false << "de" << true << 4 << "";
        QTest::newRow("beyond") << false << "de" << false << 7 << "";
        // Base itself current: its items and globals are its own.
        QTest::newRow("superior as current") << false << "Base" << false << 1 << "eins (base)";
        QTest::newRow("own beats own global") << false << "Base" << true << 3 << "drei (base)";
        QTest::newRow("superior, designed") << false << "Base" << true << 0 << "nula";
        QTest::newRow("design language") << false << "cs" << true << 6 << "řádek\r\ndva";
        QTest::newRow("no engine") << false << "" << false << 6 << "řádek\r\ndva";
        QTest::newRow("prog own") << true << "de" << false << 0 << "Erste";
        QTest::newRow("prog inherited") << true << "de" << false << 1 << "Zweite (base)";
        QTest::newRow("prog designed") << true << "de" << false << 2 << "jedna";
        QTest::newRow("prog global") << true << "de" << true << 2 << "eins (global)";
        QTest::newRow("prog undefined") << true << "de" << true << 3 << "";
        QTest::newRow("prog no engine") << true << "" << false << 1 << "druhá";
    }

    void getItem()
    {
        QFETCH(bool, Programmable);
        QFETCH(QString, Language);
        QFETCH(bool, Global);
        QFETCH(int, Item);
        QFETCH(QString, Expected);
        TLexiconFixture L(!Language.isEmpty());
        if (!Language.isEmpty())
            L.F.Engine->Translate(Language);
        TLexicon *Lex = Programmable ? static_cast<TLexicon *>(L.Prog) : L.Designed;
        Lex->SetGlobalLexicon(Global);
        QCOMPARE(Lex->GetItem(Item), Expected);
    }

    void designedLexicon()
    {
        TDesignedLexicon Lex;
        QStringList Lines;
        for (int i = 0; i < 23; ++i)
            Lines << QStringLiteral("Zpráva %1").arg(i);
        Lines << QString();
        Lex.SetItems(Lines);
        QCOMPARE(Lex.MaxItemIndex(), 23);
        QVERIFY(Lex.IsDefined(22));
        QVERIFY(!Lex.IsDefined(23));
        QCOMPARE(Lex.GetItem(23), QString());
        QVERIFY(!Lex.IsDefined(24));
        QCOMPARE(Lex.GetLocStr(24), QString());
        // Designed texts are found ignoring letter case; the empty line names no item.
        QVERIFY(Lex.IsDefined(QStringLiteral("zPRÁVA 7")));
        QVERIFY(!Lex.IsDefined(QStringLiteral("Zpráva 77")));
        QVERIFY(!Lex.IsDefined(QString()));
        // A new item is stored in one-line form and answered decoded.
        QCOMPARE(Lex.CreateItem(QStringLiteral("a\r\nb")), 24);
        QCOMPARE(Lex.GetLocStr(24), QStringLiteral("a'#13''#10'b"));
        QCOMPARE(Lex.GetItem(24), QStringLiteral("a\r\nb"));
        QCOMPARE(Lex.Items().size(), 25);
        // A negative number is a fault of the caller, reported by the list.
        QVERIFY_THROWS_EXCEPTION(EListError, Lex.IsDefined(-1));
        QVERIFY_THROWS_EXCEPTION(EListError, Lex.GetItem(-1));
    }

    // The path a lexicon's texts are stored under is kept between reads and
    // follows renames of the lexicon and its owner, moves to other owners
    // and a parent that becomes a frame.
    void listPathFollowsNamesAndOwners()
    {
        const auto MakeForm = [](const QString &Name, const char *Role = "form") {
            auto *F = new QObject;
            F->setObjectName(Name);
            F->setProperty("GlottaRole", QString::fromLatin1(Role));
            return std::unique_ptr<QObject>(F);
        };
        auto A = MakeForm("FormA"), B = MakeForm("FormB_Windows");
        auto *Lex = new TDesignedLexicon(A.get());
        Lex->setObjectName("Lex");
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormA.Lex"));
        Lex->setObjectName("Lex2");
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormA.Lex2"));
        A->setObjectName("FormC");
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormC.Lex2"));
        Lex->setParent(B.get());
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormB.Lex2"));
        auto *Mid = new QObject(B.get());
        Mid->setObjectName("Panel");
        Lex->setParent(Mid);
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormB.Lex2"));
        Mid->setProperty("GlottaRole", QStringLiteral("frame"));
        QCOMPARE(Lex->ListPath(), QStringLiteral("Panel.Lex2"));
        Mid->setProperty("GlottaRole", QVariant());
        Mid->setParent(A.get());
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormC.Lex2"));
        {
            // Renames are followed while the objects' signals are blocked.
            const QSignalBlocker BlockLex(Lex), BlockOwner(A.get());
            Lex->setObjectName("Lex3");
            QCOMPARE(Lex->ListPath(), QStringLiteral("FormC.Lex3"));
            A->setObjectName("FormD");
            QCOMPARE(Lex->ListPath(), QStringLiteral("FormD.Lex3"));
        }
        // The owner it was read under goes away after the lexicon has left it.
        Lex->setParent(B.get());
        A.reset();
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormB.Lex3"));
        B->setObjectName("FormE");
        QCOMPARE(Lex->ListPath(), QStringLiteral("FormE.Lex3"));
        Lex->setParent(nullptr);
        QCOMPARE(Lex->ListPath(), QString());
        delete Lex;
    }

    void programmableLexicon()
    {
        TCustomProgrammableLexicon Lex;
        QCOMPARE(Lex.MaxItemIndex(), 0);
        QVERIFY(!Lex.IsDefined(0));
        QCOMPARE(Lex.CompleteString(QStringLiteral("«#0;")), QStringLiteral("???"));
        QStringList Log;
        Lex.SetOnInitialization([&](QObject *Sender) {
            Log << Sender->objectName();
            auto *L = static_cast<TCustomProgrammableLexicon *>(Sender);
            L->DefineItem(5, QStringLiteral("pět"));
            L->DefineItem(2, QStringLiteral("tab\there"));
        });
        Lex.setObjectName(QStringLiteral("P"));
        // The handler ran when it was set, before the lexicon had its name.
        QCOMPARE(Log, QStringList{QString()});
        QCOMPARE(Lex.MaxItemIndex(), 5);
        QVERIFY(Lex.IsDefined(5));
        QVERIFY(!Lex.IsDefined(3));
        QVERIFY(!Lex.IsDefined(-1));
        QVERIFY(!Lex.IsDefined(70000));
        QCOMPARE(Lex.GetLocStr(2), QStringLiteral("tab'#9'here"));
        QCOMPARE(Lex.GetItem(2), QStringLiteral("tab\there"));
        QCOMPARE(Lex.GetLocStr(3), QString());
        QVERIFY(Lex.IsDefined(QStringLiteral("PĚT")));
        QVERIFY(!Lex.IsDefined(QString()));
        // An empty text removes nothing; a new text replaces the old one.
        Lex.DefineItem(5, QString());
        QCOMPARE(Lex.GetItem(5), QStringLiteral("pět"));
        Lex.DefineItem(5, QStringLiteral("five"));
        QCOMPARE(Lex.GetItem(5), QStringLiteral("five"));
        QVERIFY(!Lex.IsDefined(QStringLiteral("pět")));
        // Clearing the handler calls nothing.
        Lex.SetOnInitialization(nullptr);
        QCOMPARE(Log.size(), 1);
    }

    void programmableFromDesign()
    {
        TLexDesignForm Form;
        ReadDesignFromBytes(&Form, ProgDesign, QStringLiteral("prog.json"));
        // The handler ran while the design was read, with the lexicon as sender.
        QCOMPARE(Form.Log, QStringList{QStringLiteral("init Messages loading 1")});
        auto *Lex = Form.findChild<TCustomProgrammableLexicon *>(QStringLiteral("Messages"));
        QVERIFY(Lex);
        QVERIFY(Lex->GlobalLexicon());
        QCOMPARE(Lex->MaxItemIndex(), 3);
        QCOMPARE(Lex->GetItem(0), QStringLiteral("Hotovo"));
        QCOMPARE(Lex->GetItem(3), QStringLiteral("Chyba:\r\n%s"));
        QCOMPARE(Lex->CompleteString(QStringLiteral("«#0; «#1;")), QStringLiteral("Hotovo ???"));
        // The binding is written back with the design.
        const QJsonDocument Doc = WriteDesign(&Form);
        const QJsonObject Props =
            Doc.object().value("components").toArray().at(0).toObject().value("properties").toObject();
        QCOMPARE(Props.value("OnInitialization").toString(), QStringLiteral("ProgInit"));
        QCOMPARE(Props.value("GlobalLexicon").toBool(), true);

        // A method of another shape is refused with the place named.
        TLexDesignForm Other;
        QByteArray Bad = ProgDesign;
        Bad.replace("\"ProgInit\"", "\"Query\"");
        try {
            ReadDesignFromBytes(&Other, Bad, QStringLiteral("bad.json"));
            QFAIL("a method of the wrong shape was bound");
        } catch (const EDesignError &E) {
            QVERIFY2(E.Message().contains(QStringLiteral("OnInitialization")), qPrintable(E.Message()));
        }
        QVERIFY(Other.Log.isEmpty());
    }

    void builtInTexts_data()
    {
        QTest::addColumn<QString>("Language");
        QTest::addColumn<QString>("Code");
        for (const auto &[Name, Texts] : ExpectedSets())
            QTest::newRow(qPrintable(Name)) << Name << Texts[1];
    }

    void builtInTexts()
    {
        QFETCH(QString, Language);
        QFETCH(QString, Code);
        const std::map<QString, const TInternalLangDefs *> Sets{{"English", &EnglishTexts()},
                                                                {"Czech", &CzechTexts()},
                                                                {"Slovak", &SlovakTexts()},
                                                                {"German", &GermanTexts()},
                                                                {"Italian", &ItalianTexts()}};
        const TInternalLangDefs &Expected = ExpectedSets().at(Language);
        const TInternalLangDefs &Actual = *Sets.at(Language);
        for (size_t i = 0; i < Expected.size(); ++i)
            QVERIFY2(Actual[i] == Expected[i], qPrintable(QStringLiteral("element %1: \"%2\" instead of \"%3\"")
                                                              .arg(i)
                                                              .arg(Actual[i], Expected[i])));
        // Chosen by its code, the set is what the library lexicon answers.
        TLangFormLexicon Lex(nullptr);
        QVERIFY(Lex.InternalLanguages(QString(), Code, true));
        QCOMPARE(Lex.InternalLanguage().Name, Expected[0]);
        QCOMPARE(Lex.InternalLanguage().Code, Code);
        for (int n = 0; n < 50; ++n)
            QCOMPARE(Lex.GetItem(n), Expected[size_t(n) + 2]);
        QVERIFY(!Lex.IsDefined(9));
        QVERIFY(!Lex.IsDefined(13));
    }

    void internalLanguages_data()
    {
        QTest::addColumn<QString>("Lang");
        QTest::addColumn<QString>("Code");
        QTest::addColumn<bool>("Custom");
        QTest::addColumn<bool>("Result");
        QTest::addColumn<QString>("Loaded");
        // The lexicon holds the Slovak texts before each call.
        QTest::newRow("English by name") << "English" << "" << false << true << "English";
        QTest::newRow("code fr") << "English" << "fr" << false << false << "Slovenčina";
        QTest::newRow("code IT") << "" << "IT" << false << true << "Italiano";
        QTest::newRow("code with name") << "" << " cs - Czech" << false << true << "Čeština";
        QTest::newRow("code beats name") << "English" << "de" << false << true << "Deutsch";
        QTest::newRow("invalid code xx") << "Deutsch" << "xx" << false << true << "Deutsch";
        QTest::newRow("czech name") << "čeština" << "" << false << true << "Čeština";
        QTest::newRow("slovak name") << "slovensky" << "" << false << true << "Slovenčina";
        QTest::newRow("german overrides slovak") << "Deutsch-Slowakisch" << "" << false << true << "Deutsch";
        QTest::newRow("english overrides slovak") << "Slovak English" << "" << false << true << "English";
        QTest::newRow("italian has no name") << "Italiano" << "" << false << false << "Slovenčina";
        QTest::newRow("unknown name") << "Klingon" << "" << false << false << "Slovenčina";
        QTest::newRow("nothing") << "" << "" << false << false << "Slovenčina";
        QTest::newRow("custom by name") << "Polski" << "" << true << true << "Polski";
        QTest::newRow("custom name exactly") << "polski" << "" << true << false << "Slovenčina";
        QTest::newRow("custom by code") << "" << "PL" << true << true << "Polski";
        QTest::newRow("custom unset") << "" << "pl" << false << false << "Slovenčina";
        QTest::newRow("custom checked first") << "" << "en" << true << true << "Custom English";
    }

    void internalLanguages()
    {
        QFETCH(QString, Lang);
        QFETCH(QString, Code);
        QFETCH(bool, Custom);
        QFETCH(bool, Result);
        QFETCH(QString, Loaded);
        TLangFormLexicon Lex(nullptr);
        QCOMPARE(Lex.InternalLanguage().Name, QStringLiteral("English"));
        if (Custom)
            Lex.CustomInternallyLang =
                QTest::currentDataTag() == QByteArray("custom checked first") ? PolishSet("Custom English", "en")
                                                                              : PolishSet();
        Lex.LoadLang(SlovakTexts());
        // Asking without loading changes nothing.
        QCOMPARE(Lex.InternalLanguages(Lang, Code, false), Result);
        QCOMPARE(Lex.InternalLanguage().Name, QStringLiteral("Slovenčina"));
        QCOMPARE(Lex.InternalLanguages(Lang, Code, true), Result);
        QCOMPARE(Lex.InternalLanguage().Name, Loaded);
        if (Loaded == QLatin1String("Polski"))
            QCOMPARE(Lex.GetItem(1), QStringLiteral("> Dodaj <"));
    }

    void loadLangKeepsEarlierTexts()
    {
        TLangFormLexicon Lex(nullptr);
        TInternalLangDefs Partial = PolishSet();
        Partial[5 + 2].clear();
        Lex.LoadLang(Partial);
        QCOMPARE(Lex.InternalLanguage().Name, QStringLiteral("Polski"));
        QCOMPARE(Lex.GetItem(5), QStringLiteral("Source language"));
        QCOMPARE(Lex.GetItem(2), QStringLiteral("> Edytuj <"));
    }

    void translateGlottaToDesignLang_data()
    {
        QTest::addColumn<QString>("DesignCode");
        QTest::addColumn<QString>("DesignName");
        QTest::addColumn<QString>("SetName");
        QTest::addColumn<QString>("SetCode");
        QTest::addColumn<bool>("Switched");
        QTest::addColumn<bool>("Custom");
        QTest::addColumn<QString>("Loaded");
        QTest::newRow("by code") << "pl - Polish" << "polski" << "Polski" << "pl" << false << true << "Polski";
        QTest::newRow("by name") << "" << "Polski" << "Polski" << "pl" << false << true << "Polski";
        QTest::newRow("neither") << "cs - Czech" << "čeština" << "Polski" << "pl" << false << false << "Čeština";
        QTest::newRow("code as given") << "pl - Polish" << "polski" << "Polski" << "PL" << false << false << "English";
        QTest::newRow("other language current") << "pl - Polish" << "polski" << "Polski" << "pl" << true << true
                                                << "Deutsch";
    }

    void translateGlottaToDesignLang()
    {
        QFETCH(QString, DesignCode);
        QFETCH(QString, DesignName);
        QFETCH(QString, SetName);
        QFETCH(QString, SetCode);
        QFETCH(bool, Switched);
        QFETCH(bool, Custom);
        QFETCH(QString, Loaded);
        TEngineFixture F(DesignCode, DesignName);
        F.CopyAll(QStringLiteral("lexicon"));
        F.Engine->RescanLanguages();
        if (Switched)
            QCOMPARE(F.Engine->Translate("de"), QStringLiteral("Deutsch"));
        F.Engine->TranslateGlottaToDesignLang(PolishSet(SetName, SetCode));
        TLibraryTexts &Lex = *F.Engine->LangFormLexicon();
        QCOMPARE(Lex.InternalLanguage().Name, Loaded);
        QCOMPARE(Lex.InternalLanguages(QString(), QStringLiteral("pl"), false), Custom);
        if (Switched) {
            // Back in the design language, the library speaks it.
            F.Engine->Translate(DesignName);
            QCOMPARE(Lex.InternalLanguage().Name, SetName);
            QCOMPARE(Lex.GetItem(1), QStringLiteral("> Dodaj <"));
            QVERIFY(F.Engine->LData()->LangMenu.ToStringList().contains(QStringLiteral("> Dodaj <")));
        }
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestLexicon T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_lexicon.moc"
