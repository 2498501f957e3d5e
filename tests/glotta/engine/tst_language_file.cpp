// Language files: one line read and written, the whole file written in each
// encoding and read back, the superior chain, the load flags, and files that
// are damaged or hostile.

#include "tests/glotta/engine/engine_fixture.h"

#include "glotta/store/component_structure.h"
#include "glotta/store/flag_icon.h"
#include "glotta/engine/glotta_component.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/engine/spans.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(TLFEncoding)

namespace {
TFullStructLine MakeLine(const QString &Comp, const QString &Owner, quint16 Id, const QString &Text,
                         quint16 Changeable = 1, const QString &Item = QString())
{
    TFullStructLine L;
    L.CompName = Comp;
    L.OwnerName = Owner;
    L.PropertyID = Id;
    L.Translation = Text;
    L.Changeable = Changeable;
    L.ItemAddr = Item;
    return L;
}

// Every kind of line a language file holds: component lines (a text with a
// line break and quotes, an excluded one, an item of a list), a lexicon, the
// library's lexicon, the global and a named smart lexicon, and the flag.
// Answers the flag's bytes.
QByteArray FillEveryKindOfLine(TTestEngine &E, const QString &Accent)
{
    TLangCoreData &D = *E.LData();
    D.DataStruct->AddLine(MakeLine("Form1", "", 0, "Title " + Accent));
    D.DataStruct->AddLine(MakeLine("Button1", "Form1", 0, "two'#13''#10'lines \"quoted\""));
    D.DataStruct->AddLine(MakeLine("Memo1", "Form1", 32, "", 0));
    D.DataStruct->AddLine(MakeLine("List1", "Form1", 33, "item", 3, "2"));
    D.DataLexicon->NewLexicon("Form1.Lexicon1");
    D.DataLexicon->WriteItem("Form1.Lexicon1", 0, "zero " + Accent, 0);
    D.DataLexicon->WriteItem("Form1.Lexicon1", 70, "seventy", 0);
    D.DataLexicon->NewLexicon(E.LibraryLexiconPath());
    D.DataLexicon->WriteItem(E.LibraryLexiconPath(), 1, "> Plus <", 0);
    D.SmartLexicon->AddItem("Hello", "Salut", 0);
    D.SmartLexicon->NewLexicon("Form1.Smart1");
    D.SmartLexicon->AddItem("Form1.Smart1", "Yes", "Oui " + Accent, 0);
    QByteArray Flag(120, 0);
    for (int i = 0; i < Flag.size(); ++i)
        Flag[i] = char(i * 7);
    FlagIconData().buffer() = Flag;
    return Flag;
}
} // namespace

class TestLanguageFile : public QObject
{
    Q_OBJECT

private slots:
    void formatStructLine_data()
    {
        QTest::addColumn<int>("changeable");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");
        QTest::newRow("translatable") << 1 << QString() << "0\t\"Zavřít\"\t%COMPONENT=Button1;\t%OWNER=Form1;";
        QTest::newRow("excluded") << 0 << QString() << "0\t%NOTRANS\t%COMPONENT=Button1;\t%OWNER=Form1;";
        QTest::newRow("item and obsolete")
            << 3 << "2.500" << "0\t\"Zavřít\"\t%COMPONENT=Button1;\t%OWNER=Form1;\t%ITEM=2.500;\t%OLD";
    }
    void formatStructLine()
    {
        QFETCH(int, changeable);
        QFETCH(QString, item);
        QFETCH(QString, expected);
        const TFullStructLine L =
            MakeLine(QStringLiteral("Button1"), QStringLiteral("Form1"), 0, QStringLiteral("Zavřít"), quint16(changeable), item);
        QCOMPARE(FormatStructLine(L), expected);
        // And back.
        const QString Line = FormatStructLine(L);
        TFullStructLine R;
        QVERIFY(ParseItemLine(0, QStringView(Line).mid(Line.indexOf('\t') + 1), R));
        QCOMPARE(R.CompName, L.CompName);
        QCOMPARE(R.OwnerName, L.OwnerName);
        QCOMPARE(R.ItemAddr, L.ItemAddr);
        QCOMPARE(R.Changeable, L.Changeable);
        QCOMPARE(R.Translation, (changeable & 1) ? L.Translation : QString());
    }

    void parseItemLine_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("used");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<int>("changeable");
        QTest::newRow("quotes inside") << 5 << "\"say \"hi\" now\"\t%COMPONENT=L;\t%OWNER=F;" << true
                                       << "say \"hi\" now" << 1;
        QTest::newRow("raw tab coded") << 0 << "\"a\tb\"\t%COMPONENT=L;\t%OWNER=F;" << true << "a'#9'b" << 1;
        QTest::newRow("unterminated quote") << 0 << "\"open\t%COMPONENT=L;\t%OWNER=F;" << true << "" << 1;
        QTest::newRow("empty text") << 0 << "\"\"\t%COMPONENT=L;\t%OWNER=F;" << true << "" << 1;
        QTest::newRow("mark inside text") << 0 << "\"%OLD style\"\t%COMPONENT=L;\t%OWNER=F;" << true << "%OLD style"
                                          << 3;
        QTest::newRow("negative id") << -1 << "\"x\"\t%COMPONENT=L;" << false << "" << 0;
        QTest::newRow("id beyond 16 bits") << 65536 << "\"x\"\t%COMPONENT=L;" << false << "" << 0;
        QTest::newRow("no component") << 0 << "\"x\"\t%OWNER=F;" << false << "" << 0;
        QTest::newRow("component without ;") << 0 << "\"x\"\t%COMPONENT=L" << false << "" << 0;
    }
    void parseItemLine()
    {
        QFETCH(int, number);
        QFETCH(QString, value);
        QFETCH(bool, used);
        QFETCH(QString, translation);
        QFETCH(int, changeable);
        TFullStructLine L;
        QCOMPARE(ParseItemLine(number, value, L), used);
        if (!used)
            return;
        QCOMPARE(L.Translation, translation);
        QCOMPARE(int(L.Changeable), changeable);
        QCOMPARE(int(L.Descent), 0);
    }

    // Keys and marks count wherever they stand in the value, the first
    // occurrence of a key giving its field.
    void parseItemLineFields_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("changeable");
        QTest::newRow("key inside text first") << "\"a %COMPONENT=T; b\"\t%COMPONENT=L;\t%OWNER=F;" << "T" << "F" << ""
                                               << 1;
        QTest::newRow("doubled percent, marks run on") << "\"x\"\t%%COMPONENT=L;%NOTRANS%OLDER%ITEM=1,2;" << "L" << ""
                                                       << "1,2" << 2;
        QTest::newRow("owner without ;, item kept") << "\"x\"\t%ITEM=a;%COMPONENT=L;\t%OWNER=F" << "L" << "" << "a" << 1;
    }
    void parseItemLineFields()
    {
        QFETCH(QString, value);
        TFullStructLine L;
        QVERIFY(ParseItemLine(0, value, L));
        QTEST(L.CompName, "component");
        QTEST(L.OwnerName, "owner");
        QTEST(L.ItemAddr, "item");
        QTEST(int(L.Changeable), "changeable");
    }

    void roundTrip_data()
    {
        QTest::addColumn<TLFEncoding>("encoding");
        QTest::addColumn<QByteArray>("mark");
        QTest::newRow("UTF-16 LE") << TLFEncoding::Unicode << QByteArray("\xFF\xFE");
        QTest::newRow("UTF-16 BE") << TLFEncoding::BigEndianUnicode << QByteArray("\xFE\xFF");
        QTest::newRow("UTF-8") << TLFEncoding::UTF8 << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("ANSI") << TLFEncoding::ANSI << QByteArray();
    }
    void roundTrip()
    {
        QFETCH(TLFEncoding, encoding);
        QFETCH(QByteArray, mark);
        const bool Ansi = encoding == TLFEncoding::ANSI;
        // The legacy code page holds no Czech letters on every system: é is in all of them.
        const QString Accent = Ansi ? QStringLiteral("é") : QStringLiteral("ěščř €");
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        E.SetLangFileEncoding(encoding);
        TLangCoreData &D = *E.LData();
        const QByteArray Flag = FillEveryKindOfLine(E, Accent);

        const QString File = F.Path("roundtrip.lng");
        E.SaveLanguage("Français", "čeština", "FR", File);
        QFile In(File);
        QVERIFY(In.open(QIODevice::ReadOnly));
        const QByteArray Bytes = In.readAll();
        QVERIFY(Bytes.startsWith(mark));
        if (Ansi)
            QVERIFY(Bytes.startsWith("[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Fran"));
        QVERIFY(!QFile::exists(File + ".tmp"));

        E.RescanLanguages();
        const QString Name = QStringLiteral("Français");
        QVERIFY2(F.Languages().contains(Name), qPrintable(F.Languages().join(',')));
        QCOMPARE(E.GetISOCode(Name), QStringLiteral("fr"));
        ClearFlagIcon();
        QVERIFY(E.LoadLanguage(Name, TLoadFlag::ReadFlag));
        QCOMPARE(E.CurrentLanguage(), Name);
        QCOMPARE(E.CurrentLanguageISO(), QStringLiteral("fr"));
        QCOMPARE(D.CurrentSuperiorLang.Name, QStringLiteral("čeština"));
        QCOMPARE(D.DataStruct->Count(), 4);
        QCOMPARE(D.DataStruct->GetString("Form1", "", 0, ""), "Title " + Accent);
        QCOMPARE(D.DataStruct->GetString("Button1", "Form1", 0, ""), QStringLiteral("two'#13''#10'lines \"quoted\""));
        const int Memo = D.DataStruct->Find("Memo1", "Form1", 32, "");
        QCOMPARE(int(D.DataStruct->GetChangeable(Memo)), 0);
        const int List = D.DataStruct->Find("List1", "Form1", 33, "2");
        QCOMPARE(int(D.DataStruct->GetChangeable(List)), 3);
        for (int i = 0; i < D.DataStruct->Count(); ++i)
            QCOMPARE(int(D.DataStruct->GetDescent(i)), 0);
        QCOMPARE(D.DataLexicon->ReadItem("Form1.Lexicon1", 0), "zero " + Accent);
        QCOMPARE(D.DataLexicon->ReadItem("Form1.Lexicon1", 70), QStringLiteral("seventy"));
        QCOMPARE(D.DataLexicon->ReadItem(E.LibraryLexiconPath(), 1), QStringLiteral("> Plus <"));
        QCOMPARE(D.SmartLexicon->ReadItem("Hello"), QStringLiteral("Salut"));
        QCOMPARE(D.SmartLexicon->ReadItem("Form1.Smart1", "Yes"), "Oui " + Accent);
        QCOMPARE(FlagIconData().data(), Flag);
    }

    // What the writer writes, byte for byte, in UTF-16 with its mark and in
    // UTF-8 (golden files in tests/data/lang/golden).
    void writtenFileGolden_data()
    {
        QTest::addColumn<TLFEncoding>("encoding");
        QTest::addColumn<QString>("golden");
        QTest::newRow("UTF-16 LE") << TLFEncoding::Unicode << "every_line_utf16.lng";
        QTest::newRow("UTF-8") << TLFEncoding::UTF8 << "every_line_utf8.lng";
    }
    void writtenFileGolden()
    {
        QFETCH(TLFEncoding, encoding);
        QFETCH(QString, golden);
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        E.SetLangFileEncoding(encoding);
        FillEveryKindOfLine(E, QStringLiteral("ěščř €"));
        const QString File = F.Path("written.lng");
        E.SaveLanguage("Français", "čeština", "FR", File);
        QCOMPARE(FileBytes(File), LangData("golden/" + golden));
    }

    // A lexicon that holds items is written with its name line even when
    // every text is empty (the empty texts themselves are not written), so
    // it reads back as a lexicon; one without items is left out.
    void savedLexicon_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("items");
        QTest::newRow("texts") << QStringList{"zero", ""} << true << 1;
        QTest::newRow("only empty texts") << QStringList{"", ""} << true << 0;
        QTest::newRow("no items") << QStringList{} << false << 0;
    }
    void savedLexicon()
    {
        QFETCH(QStringList, texts);
        QFETCH(bool, exists);
        QFETCH(int, items);
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        TLexiconData &L = *E.LData()->DataLexicon;
        const QString Name = QStringLiteral("Form1.Lexicon1");
        L.NewLexicon(Name);
        for (int n = 0; n < texts.size(); ++n)
            L.WriteItem(Name, n, texts[n], 0);
        E.SaveLanguage("Saved", "", "", F.Path("saved.lng"));
        E.RescanLanguages();
        QVERIFY(E.LoadLanguage("Saved", TLoadFlags()));
        QCOMPARE(L.LexiconExists(Name), exists);
        QCOMPARE(int(L.ItemsCount(Name)), items);
        if (items)
            QCOMPARE(L.ReadItem(Name, 0), texts[0]);
    }

    void superiorChain_data()
    {
        QTest::addColumn<QString>("cSuperior");
        QTest::addColumn<QString>("bSuperior");
        QTest::addColumn<int>("bDescent");
        QTest::addColumn<int>("aDescent");
        QTest::addColumn<QString>("superior");
        // C -> B -> A -> design: each level one step further away.
        QTest::newRow("two levels") << "B" << "A" << 1 << 2 << "B";
        // B names C: the loop stops at B, whose superior becomes the design language.
        QTest::newRow("loop") << "B" << "C" << 1 << -1 << "B";
        // C names itself: loaded once as its own superior.
        QTest::newRow("names itself") << "C" << "A" << -1 << -1 << "C";
        // A missing superior is the design language.
        QTest::newRow("missing superior") << "Nowhere" << "A" << -1 << -1 << "čeština";
    }
    void superiorChain()
    {
        QFETCH(QString, cSuperior);
        QFETCH(QString, bSuperior);
        QFETCH(int, bDescent);
        QFETCH(int, aDescent);
        QFETCH(QString, superior);
        TEngineFixture F;
        // Each language has a line of its own, a line every language
        // translates and the smart pair "key", translated with its name.
        F.Copy("chain/A.lng", "A.lng");
        F.Copy("chain/B_superior_" + bSuperior + ".lng", "B.lng");
        F.Copy("chain/C_superior_" + cSuperior + ".lng", "C.lng");
        TTestEngine &E = *F.Engine;
        E.RescanLanguages();
        QCOMPARE(F.Languages().size(), 4);
        QVERIFY(E.LoadLanguage("C", TLoadFlags()));
        TComponentStructure &S = *E.LData()->DataStruct;
        auto DescentOf = [&S](const QString &Comp) {
            const int i = S.Find(Comp, "F", 0, "");
            return i < 0 ? -1 : int(S.GetDescent(i));
        };
        QCOMPARE(DescentOf("OwnC"), 0);
        QCOMPARE(DescentOf("OwnB"), bDescent);
        QCOMPARE(DescentOf("OwnA"), aDescent);
        // The closest language's text wins and is the language's own.
        QCOMPARE(S.GetString("Shared", "F", 0, ""), QStringLiteral("from C"));
        QCOMPARE(DescentOf("Shared"), 0);
        QCOMPARE(E.LData()->SmartLexicon->ReadItem("key"), QStringLiteral("C"));
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, superior);
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("C"));
    }

    // A superior chain that comes back to a language it has read stops at
    // the first repeat: each language of the loop is read once, not again
    // and again up to the depth limit.
    void superiorLoopReadsEachLanguageOnce_data()
    {
        QTest::addColumn<QStringList>("superiors"); // of L0, L1, ... in turn
        QTest::addColumn<int>("reads");
        // Read once more as its own superior, as superiorChain's row says.
        QTest::newRow("names itself") << QStringList{"L0"} << 2;
        QTest::newRow("two name each other") << QStringList{"L1", "L0"} << 2;
        QTest::newRow("ring of three") << QStringList{"L1", "L2", "L0"} << 3;
        QTest::newRow("loop below the first") << QStringList{"L1", "L2", "L1"} << 3;
        QTest::newRow("no loop") << QStringList{"L1", "L2", ""} << 3;
    }
    void superiorLoopReadsEachLanguageOnce()
    {
        QFETCH(QStringList, superiors);
        QFETCH(int, reads);
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        QStringList Names;
        for (int i = 0; i < superiors.size(); ++i) {
            const QString Name = QStringLiteral("L%1").arg(i);
            E.Resources.insert(Name, LangFile({"[LANGUAGE_FILE]", HeaderLine(Name, QString(), superiors[i]),
                                               "0\t\"" + Name + "\"\t%COMPONENT=Own" + Name + ";\t%OWNER=F;"}));
            Names.append(Name);
        }
        E.SetLangResources(Names);
        E.RescanLanguages();
        E.ResourceReads = 0;
        QVERIFY(E.LoadLanguage("L0", TLoadFlags()));
        QCOMPARE(E.ResourceReads, reads);
        QCOMPARE(E.LData()->DataStruct->GetString("OwnL0", "F", 0, ""), QStringLiteral("L0"));
    }

    void specialFilesAreNotLanguages_data()
    {
        QTest::addColumn<QString>("kind");
        // A FIFO without a writer blocks whoever opens it for reading.
        QTest::newRow("fifo") << "fifo";
        // A device behind a link never ends.
        QTest::newRow("link to a device") << "device link";
    }
    void specialFilesAreNotLanguages()
    {
#ifndef Q_OS_UNIX
        QSKIP("FIFOs and device links are made the Unix way");
#else
        QFETCH(QString, kind);
        TEngineFixture F;
        F.Copy("chain/A.lng", "A.lng");
        const QString Special = F.Path("special.lng");
        if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(Special).constData(), 0600), 0);
        else
            QVERIFY(QFile::link("/dev/zero", Special));
        TTestEngine &E = *F.Engine;
        E.RescanLanguages();
        QCOMPARE(F.Languages(), QStringList({"čeština", "A"}));
        QByteArray Bytes;
        QVERIFY(!ReadLanguageFileBytes(Special, Bytes));
        QVERIFY(Bytes.isEmpty());
        QVERIFY(E.LoadLanguage("A", TLoadFlags()));
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("A"));
#endif
    }

    // A file is read whole up to the size limit, into a buffer of its own
    // size: a small language must not hold a buffer as large as the limit.
    void readFileBytes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("size"); // of a file written first; -1 reads path as it is
        QTest::newRow("small fixture") << LangDataPath("deutsch.lng") << qint64(-1);
        QTest::newRow("exactly the limit") << QString() << MaxLanguageFileSize;
#ifdef Q_OS_LINUX
        // Its stated size is 0; what it holds is read all the same.
        QTest::newRow("file that states no size") << QStringLiteral("/proc/self/status") << qint64(-1);
#endif
    }
    void readFileBytes()
    {
        QFETCH(QString, path);
        QFETCH(qint64, size);
        QTemporaryDir Dir;
        QByteArray Expected;
        if (size >= 0) {
            path = Dir.filePath("big.lng");
            Expected = QByteArray(qsizetype(size), 'x');
            WriteBytes(path, Expected);
        }
        QByteArray Bytes;
        QVERIFY(ReadLanguageFileBytes(path, Bytes));
        if (size >= 0)
            QCOMPARE(Bytes, Expected);
        else if (path.startsWith(QLatin1String("/proc/")))
            QVERIFY(Bytes.contains("Name:"));
        else
            QCOMPARE(Bytes, LangData("deutsch.lng"));
        QVERIFY2(Bytes.capacity() <= Bytes.size() + 64 * 1024, qPrintable(QString::number(Bytes.capacity())));
    }

    void longSuperiorChain()
    {
        // L0 -> L1 -> ... -> L4999, each with a line of its own: far deeper
        // than the stack allows nested loads. The chain is followed 64
        // levels; L64 takes the design language as its superior.
        TEngineFixture F;
        constexpr int Count = 5000;
        for (int i = 0; i < Count; ++i) {
            QStringList Lines{"[LANGUAGE_FILE]",
                              HeaderLine(QStringLiteral("L%1").arg(i), QString(),
                                         i + 1 < Count ? QStringLiteral("L%1").arg(i + 1) : QString()),
                              QStringLiteral("0\t\"from L%1\"\t%COMPONENT=Own%1;\t%OWNER=F;").arg(i)};
            WriteBytes(F.Path(QStringLiteral("l%1.lng").arg(i)), LangFile(Lines));
        }
        TTestEngine &E = *F.Engine;
        E.RescanLanguages();
        QCOMPARE(F.Languages().size(), Count + 1);
        QVERIFY(E.LoadLanguage("L0", TLoadFlags()));
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("L0"));
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, QStringLiteral("L1"));
        // The store of a plain switch is kept aside by the next one: look
        // at the current one each time.
        auto DescentOf = [&E](int Level) {
            TComponentStructure &S = *E.LData()->DataStruct;
            const int i = S.Find(QStringLiteral("Own%1").arg(Level), "F", 0, "");
            return i < 0 ? -1 : int(S.GetDescent(i));
        };
        for (int Level : {0, 1, 2, 63, 64})
            QCOMPARE(DescentOf(Level), Level);
        QCOMPARE(DescentOf(65), -1);
        QCOMPARE(DescentOf(Count - 1), -1);
        // A language in the middle of the chain loads its own 64 superiors.
        QVERIFY(E.LoadLanguage("L4000", TLoadFlags()));
        QCOMPARE(DescentOf(4000), 0);
        QCOMPARE(DescentOf(4064), 64);
        QCOMPARE(DescentOf(4065), -1);
        QCOMPARE(DescentOf(3999), -1);
    }

    void loadFlags()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        F.Copy("deutsch_flag.lng", "de.lng"); // a flag of 14 bytes beginning with "BM"
        E.RescanLanguages();
        // Discovery read the flag into the language's flag stream.
        QCOMPARE(E.FlagImage("de")->size(), 14);

        // 8: loaded as superior, the design language stays current.
        QVERIFY(E.LoadLanguage("Deutsch", TLoadFlag::AsSuperior));
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(E.LData()->CurrentSuperiorLang.Name, QStringLiteral("Deutsch"));
        QCOMPARE(E.LData()->CurrentSuperiorLang.Code, QStringLiteral("de"));
        QVERIFY(!HasFlagIcon());

        // 4: the flag section into FlagIconData.
        QVERIFY(E.LoadLanguage("Deutsch", TLoadFlag::ReadFlag));
        QCOMPARE(E.CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(FlagIconData().data().left(2), QByteArray("BM"));
        QCOMPARE(FlagIconData().size(), 14);

        // 2: lines of components no registered client owns are obsolete.
        QVERIFY(E.LoadLanguage("Deutsch", TLoadFlag::MarkOrphans));
        const int i = E.LData()->DataStruct->Find("Button1", "Form1", 0, "");
        QCOMPARE(int(E.LData()->DataStruct->GetChangeable(i)), 3);
        TGlottaCPC Client(F.Form.get());
        Client.DesignStruct().AddTextProperty("Button1", "Form1", 0, "Zavřít", "");
        Client.SetGlottaEngine(&E);
        QVERIFY(E.LoadLanguage("Deutsch", TLoadFlag::MarkOrphans));
        QCOMPARE(int(E.LData()->DataStruct->GetChangeable(E.LData()->DataStruct->Find("Button1", "Form1", 0, ""))), 1);
    }

    void notransKeepsInherited_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("text");
        // Child's "%NOTRANS" line of B over Base's "inherited".
        QTest::newRow("one line") << "notrans" << "B" << "inherited";
        // Base has 200 lines and Child overrides 20 of them first, so the
        // "%NOTRANS" line of B150 is looked up once the structure has
        // switched from halving to its ID index.
        QTest::newRow("after many lookups") << "notrans_many" << "B150" << "inherited 150";
        // X is Child's own line, given with a text and then again as "%NOTRANS".
        QTest::newRow("repeated in one file") << "notrans_many" << "X" << "first";
    }

    void notransKeepsInherited()
    {
        QFETCH(QString, folder);
        QFETCH(QString, component);
        QFETCH(QString, text);
        TEngineFixture F;
        F.CopyAll(folder);
        F.Engine->RescanLanguages();
        QVERIFY(F.Engine->LoadLanguage("Child", TLoadFlags()));
        TComponentStructure &S = *F.Engine->LData()->DataStruct;
        QCOMPARE(S.GetString(component, "F", 0, ""), text);
        const int i = S.Find(component, "F", 0, "");
        QCOMPARE(int(S.GetChangeable(i)), 0);
        QCOMPARE(int(S.GetDescent(i)), 0);
    }

    // Damaged files: listed ones fail to load or load what is sound; none crashes.
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<int>("lines");
        QTest::newRow("wrong signature") << LangData("malformed/wrong_signature.lng") << false << false << 0;
        QTest::newRow("no header name") << LangData("malformed/no_header_name.lng") << false << false << 0;
        QTest::newRow("only two lines") << LangData("malformed/only_header.lng") << false << false << 0;
        QTest::newRow("empty file") << LangData("malformed/empty.lng") << false << false << 0;
        QTest::newRow("lines without tab") << LangData("malformed/lines_without_tab.lng") << true << true << 1;
        QTest::newRow("numbers out of range") << LangData("malformed/numbers_out_of_range.lng") << true << true << 1;
        QTest::newRow("unterminated quotes") << LangData("malformed/unterminated_quotes.lng") << true << true << 1;
        QTest::newRow("empty lexicon name") << LangData("malformed/empty_lexicon_name.lng") << true << false << 0;
        QTest::newRow("code page, no mark") << LangData("malformed/code_page.lng") << true << true << 1;
        // Bytes a file of text would not hold, and a size no language has.
        const QString Sig = "[LANGUAGE_FILE]";
        const QString Head = HeaderLine("Bad", "de");
        QByteArray Lone = LangFile({Sig, Head, "0\t\"ok\"\t%COMPONENT=B;\t%OWNER=F;", "0\t%LEXICON_STRINGS"});
        Lone.insert(Lone.indexOf(QByteArray("o\0k", 3)), QByteArray("\x00\xD8\x00\xDC\x00\xDC", 6));
        Lone.append("\x00", 1); // an odd byte at the end
        QTest::newRow("lone surrogates") << Lone << true << true << 1;
        QByteArray Huge = LangFile({Sig, Head, "0\t%LEXICON_STRINGS"});
        Huge.append(QByteArray(MaxLanguageFileSize, 'x'));
        QTest::newRow("larger than a language file") << Huge << false << false << 0;
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, listed);
        QFETCH(bool, loads);
        QFETCH(int, lines);
        TEngineFixture F;
        WriteBytes(F.Path("bad.lng"), bytes);
        F.Engine->RescanLanguages();
        QCOMPARE(F.Languages().contains("Bad"), listed);
        QCOMPARE(F.Engine->Translate("Bad"), loads ? QStringLiteral("Bad") : QStringLiteral("čeština"));
        QCOMPARE(F.Engine->LData()->DataStruct->Count(), lines);
        if (loads)
            QCOMPARE(F.Engine->LData()->DataLexicon->ReadItem("L", 70000 & 0xFFFF), QString());
    }

    void vanishedFileLeavesDesignLanguage()
    {
        TEngineFixture F;
        F.Copy("deutsch.lng", "de.lng");
        F.Engine->RescanLanguages();
        QFile::remove(F.Path("de.lng"));
        int Changes = 0;
        F.Engine->OnChangeLanguage = [&](QObject *) { ++Changes; };
        QCOMPARE(F.Engine->Translate("de"), QStringLiteral("čeština"));
        // A failed load still notifies: the design language is now current.
        QCOMPARE(Changes, 1);
        QCOMPARE(F.Engine->LData()->DataStruct->Count(), 0);
    }

    void headerOtherCaseLoadsNoEntries()
    {
        TEngineFixture F;
        F.Copy("header_other_case.lng", "en.lng"); // header "english", one component line
        F.Engine->RescanLanguages();
        QVERIFY(F.Engine->LoadLanguage("English", TLoadFlags()));
        QCOMPARE(F.Engine->LData()->DataStruct->Count(), 0);
    }

    void uniqueLangFileName()
    {
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        QCOMPARE(E.UniqueLangFileName("ENGLISH"), F.Path("ENGLISH.lng"));
        WriteBytes(F.Path("ENGLISH.lng"), "x");
        QCOMPARE(E.UniqueLangFileName("ENGLISH"), F.Path("ENGLISH2.lng"));
        QCOMPARE(E.UniqueLangFileName("ENGLISH.LNG"), F.Path("ENGLISH2.lng"));
        WriteBytes(F.Path("ENGLISH2.lng"), "x");
        QCOMPARE(E.UniqueLangFileName("ENGLISH"), F.Path("ENGLISH3.lng"));
        E.SetLangFileExtension("");
        WriteBytes(F.Path("plain"), "x");
        QCOMPARE(E.UniqueLangFileName("plain"), F.Path("plain2"));
    }

    // The safe write: the old file is replaced whole, no temporary file is
    // left, and a write that cannot happen leaves what was there.
    void safeWrite()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("Deutsch.lng"));
        QFileDevice::FileError Error = QFileDevice::NoError;
        QString ErrorText;
        QVERIFY(WriteLanguageFileBytes(Path, "a long first version of the file\n", Error, ErrorText));
        QVERIFY(WriteLanguageFileBytes(Path, "short\n", Error, ErrorText));
        QFile File(Path);
        QVERIFY(File.open(QIODevice::ReadOnly));
        QCOMPARE(File.readAll(), QByteArray("short\n"));
        File.close();
        QCOMPARE(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Deutsch.lng")});

        const QString Blocked = Dir.filePath(QStringLiteral("Blocked.lng"));
        QVERIFY(QDir(Dir.path()).mkdir(QStringLiteral("Blocked.lng")));
        QVERIFY(!WriteLanguageFileBytes(Blocked, "new\n", Error, ErrorText));
        QVERIFY(!ErrorText.isEmpty());
        QVERIFY(QFileInfo(Blocked).isDir());

        // A read-only directory: the temporary file cannot be created.
        QVERIFY(QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool Ignored = QFile(Dir.filePath("probe")).open(QIODevice::WriteOnly);
        if (!Ignored) {
            ErrorText.clear();
            QVERIFY(!WriteLanguageFileBytes(Path, "new\n", Error, ErrorText));
            QVERIFY(!ErrorText.isEmpty());
        }
        QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(File.open(QIODevice::ReadOnly));
        QCOMPARE(File.readAll(), QByteArray("short\n"));
        if (Ignored)
            QSKIP("running with rights that ignore directory permissions");
    }

    void saveCreatesDirectoryOrFails()
    {
        TEngineFixture F;
        F.Engine->SetLangSubdirectory(F.Path("new/sub"));
        F.Engine->SaveLanguage("X", "", "", F.Path("new/sub/x.lng"));
        QVERIFY(QFile::exists(F.Path("new/sub/x.lng")));
        WriteBytes(F.Path("blocker"), "x");
        F.Engine->SetLangSubdirectory(F.Path("blocker/lang"));
        try {
            F.Engine->SaveLanguage("X", "", "", F.Path("blocker/lang/x.lng"));
            QFAIL("no error");
        } catch (const ELangDirError &E) {
            QCOMPARE(E.Message(), QStringLiteral("Chybná cesta k jazykovým souborům!"));
        }
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestLanguageFile T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_language_file.moc"
