// The exchange formats on their own: the bundle's packed strings (never read
// past the end), the dictionary's option values and entries, the lexicon
// file reader's item numbers, and what the lexicon-file and dictionary
// writers write, byte for byte, for content holding every kind of line
// (golden files in tests/data/exchange/golden).

#include "glotta/engine/exchange/dictionary.h"
#include "glotta/engine/exchange/language_bundle.h"
#include "glotta/engine/exchange/lexicon_file.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/named_items.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {
QByteArray Count(qint32 N)
{
    QByteArray B(4, '\0');
    qToLittleEndian<qint32>(N, B.data());
    return B;
}

QByteArray Golden(const QString &Name)
{
    QFile F(QStringLiteral(GLOTTA_TEST_DATA "/exchange/golden/") + Name);
    if (!F.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(F.fileName()));
    return F.readAll();
}

// Designed texts and translations in one-line form: plain, with a line
// break and with the coded "=" a dictionary needs, one left untranslated.
void FillPairs(TNamedItems &Pairs)
{
    Pairs.Add(QStringLiteral("Zavřít"), QStringLiteral("Close"), 0);
    Pairs.Add(QStringLiteral("dva'#13''#10'řádky \"v uvozovkách\""), QStringLiteral("two'#13''#10'lines \"quoted\""), 0);
    Pairs.Add(QStringLiteral("a'#61'b"), QStringLiteral("x'#61'y"), 0);
    Pairs.Add(QStringLiteral("Ano"), QString(), 0);
}

QByteArray Packed(const QString &S)
{
    return Count(qint32(S.size())) + QByteArray(reinterpret_cast<const char *>(S.utf16()), S.size() * 2);
}
} // namespace

class TestExchangeFormats : public QObject
{
    Q_OBJECT
private slots:
    // Item numbers are 16-bit: a larger one is no item (as a 16-bit number
    // it would name another), whatever takes the entries afterwards.
    void lexiconItemNumbers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("delivered"); // the entry's number, -1: none
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("65535, the last") << "65535" << 65535;
        QTest::newRow("65536") << "65536" << -1;
        QTest::newRow("70000") << "70000" << -1;
        QTest::newRow("negative") << "-1" << -1;
    }
    void lexiconItemNumbers()
    {
        QFETCH(QString, number);
        QFETCH(int, delivered);
        TLexiconFileReader Reader;
        Reader.SetText(QStringList{QString(LexiconFileSignature), "0\t%LANGUAGE_NAME=\"X\"\t%FILEVER=THLF1;",
                                   "0\t%LEXICON_STRINGS", "0\t%LEXICON_NAME=F.L;", number + "\t\"text\"",
                                   "0\t%SMART_STRINGS"}
                           .join("\r\n"));
        QCOMPARE(Reader.ReadHeads().size(), size_t(1));
        Reader.ReadComponents([](const TFullStructLine &) { QFAIL("no component lines"); });
        QList<int> Items;
        Reader.ReadLexicons([&](const TLexiconEntry &Entry) {
            if (Entry.Kind == TLexiconEntry::Item)
                Items.append(Entry.Number);
        });
        QCOMPARE(Items, delivered < 0 ? QList<int>{} : QList<int>{delivered});
    }

    void packedStrings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("text");
        QTest::newRow("text") << Packed("ab") << true << "ab";
        QTest::newRow("empty") << Count(0) << true << "";
        QTest::newRow("count only partly there") << QByteArray(3, '\0') << false << "";
        QTest::newRow("count past the end") << Count(3) + QByteArray("a\0b\0", 4) << false << "";
        QTest::newRow("largest count") << Count(0x7FFFFFFF) + QByteArray("a\0", 2) << false << "";
        QTest::newRow("negative count") << Count(-1) + QByteArray("a\0", 2) << false << "";
    }
    void packedStrings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(QString, text);
        // A copy without spare room, so that a read past the end would be a read past the buffer.
        const QByteArray Exact(bytes.constData(), bytes.size());
        qsizetype Pos = 0;
        QString S;
        QCOMPARE(ReadPackedString(Exact, Pos, &S), read);
        QCOMPARE(Pos, read ? Exact.size() : 0);
        if (read)
            QCOMPARE(S, text);
    }

    void bundles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        const QByteArray Head = Packed("bundle");
        QTest::newRow("count 0, text after it") << Head + Count(0) + "Ano=Yes" << int(TBundleText::Empty) << "";
        QTest::newRow("entry found") << Head + Count(2) + Packed("de") + Packed("Ano=Ja") + Packed("en")
                                            + Packed("Ano=Yes")
                                     << int(TBundleText::Found) << "Ano=Yes";
        QTest::newRow("entries after it are skipped")
            << Head + Count(2) + Packed("en") + Packed("Ano=Yes") + Packed("de") + Packed("Ano=Ja")
            << int(TBundleText::Found) << "Ano=Yes";
        QTest::newRow("empty text") << Head + Count(1) + Packed("en") + Packed("") << int(TBundleText::Empty) << "";
        QTest::newRow("bytes left over") << Head + Count(1) + Packed("en") + Packed("Ano=Yes") + "x"
                                         << int(TBundleText::NoBundle) << "";
        QTest::newRow("language missing") << Head + Count(1) + Packed("de") + Packed("Ano=Ja")
                                          << int(TBundleText::NoBundle) << "";
        QTest::newRow("text runs past the end") << Head + Count(1) + Packed("en") + Count(100) + "A\0"
                                                << int(TBundleText::NoBundle) << "";
        QTest::newRow("no count") << Head + "ab" << int(TBundleText::NoBundle) << "";
        QTest::newRow("plain text") << QByteArray("Ano=Yes\r\n") << int(TBundleText::NoBundle) << "";
    }
    void bundles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QString, text);
        const QByteArray Exact(bytes.constData(), bytes.size());
        const TBundleText B = ReadLanguageBundle(Exact, [](const QString &Id) { return Id == "en"; });
        QCOMPARE(int(B.Kind), kind);
        QCOMPARE(B.Text, text);
    }

    void options_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("isTrue");
        QTest::newRow("Yes with a comment") << "Yes // replace" << true;
        QTest::newRow("permit") << " PERMIT " << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("no") << "no" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("comment only") << "// true" << false;
        QTest::newRow("truer") << "truer" << false;
    }
    void options()
    {
        QFETCH(QString, value);
        QFETCH(bool, isTrue);
        QCOMPARE(OptionIsTrue(StripComment(value)), isTrue);
    }

    void optionLanguages_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("code and name") << "cs - čeština" << "čeština" << "cs";
        QTest::newRow("name taken as code") << "german" << "german" << "ge";
        QTest::newRow("invalid code") << "x1 - Test" << "Test" << "";
        QTest::newRow("hyphen inside a name") << "Serbo-Croatian" << "Serbo-Croatian" << "se";
    }
    void optionLanguages()
    {
        QFETCH(QString, value);
        QFETCH(QString, name);
        QFETCH(QString, code);
        const TLangIDs IDs = DictionaryLanguage(value);
        QCOMPARE(IDs.Name, name);
        QCOMPARE(IDs.Code, code);
    }

    // Options only in the first four lines, read from the fourth up; every
    // line with a text before its first "=" is an entry.
    void dictionaryLines()
    {
        TLanguageFileLines Lines;
        Lines.SetText("$Original = cs - čeština\n$translation=de - Deutsch // comment\n\n"
                      "$overwrite_existing=true\n$overwrite_existing=false\n=orphan\nA'#61'B=C=D\nno entry\n");
        const std::vector<TDictionaryOption> O = DictionaryOptions(Lines);
        QCOMPARE(int(O.size()), 3);
        QCOMPARE(int(O[0].Kind), int(TDictionaryOption::Overwrite));
        QCOMPARE(O[0].Value, QStringLiteral("true"));
        QCOMPARE(int(O[1].Kind), int(TDictionaryOption::Translation));
        QCOMPARE(O[1].Value, QStringLiteral("de - Deutsch"));
        QCOMPARE(int(O[2].Kind), int(TDictionaryOption::Original));
        const std::vector<TDictionaryEntry> E = DictionaryEntries(Lines);
        QCOMPARE(int(E.size()), 5);
        QCOMPARE(E[4].Designed, QStringLiteral("A'#61'B"));
        QCOMPARE(E[4].Translated, QStringLiteral("C=D"));
    }

    void lexiconFileWriterGolden()
    {
        TNamedItems Pairs{QString()};
        FillPairs(Pairs);
        TLexiconFileContent Content;
        Content.Reference = {QStringLiteral("čeština"), QStringLiteral("cs")};
        Content.Language = {QStringLiteral("Deutsch"), QStringLiteral("DE - German")};
        Content.WithLibrary = true;
        // An empty library text is left out.
        Content.LibraryItems = {{1, QStringLiteral("> Hinzufügen <")}, {2, QString()}, {29, QStringLiteral("Falscher Pfad")}};
        Content.Pairs = &Pairs;
        QByteArray Flag("BM");
        for (int i = 0; i < 40; ++i)
            Flag.append(char(i * 13));
        Content.Flag = Flag;
        QCOMPARE(EncodeLanguageFile(FormatLexiconFile(Content), TLFEncoding::UTF8), Golden("every_line.llx"));
    }

    void dictionaryWriterGolden()
    {
        TNamedItems Entries{QString()};
        FillPairs(Entries);
        TDictionaryContent Content;
        Content.Language = {QStringLiteral("Deutsch"), QStringLiteral("de")};
        Content.Reference = {QStringLiteral("čeština"), QStringLiteral("cs")};
        Content.LibraryItems = {{QStringLiteral("> Přidat <"), QStringLiteral("> Hinzufügen <")},
                                {QStringLiteral("> Upravit <"), QString()}};
        Content.Entries = &Entries;
        QCOMPARE(EncodeLanguageFile(FormatDictionary(Content), TLFEncoding::UTF8), Golden("every_line.txt"));
    }
};

QTEST_MAIN(TestExchangeFormats)
#include "tst_exchange_formats.moc"
