// The lines of a language file read from a device piece by piece: the same
// lines as the text decoded whole, wherever the pieces end (inside a CR LF,
// a multi-byte sequence, a UTF-16 unit or the byte-order mark), and the
// same stores when the reader walks a file much longer than one piece.

#include "glotta/engine/language_file.h"
#include "glotta/engine/language_file_lines.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/smart_lexicon_data.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTest>

namespace {
std::unique_ptr<QIODevice> DeviceOf(const QByteArray &Bytes)
{
    auto Buffer = std::make_unique<QBuffer>();
    Buffer->setData(Bytes);
    Buffer->open(QIODevice::ReadOnly);
    return Buffer;
}

QByteArray Encoded(const QByteArray &Mark, QStringConverter::Encoding Encoding, const QString &Text)
{
    QStringEncoder Encoder(Encoding);
    return Mark + QByteArray(Encoder.encode(Text));
}

// Every line as "number|value|line", or "-|value|line" without a number.
QStringList Described(TLanguageFileLines &Lines)
{
    QStringList L;
    for (int i = 0; Lines.Has(i); ++i) {
        int N = 0;
        L << (Lines.Number(i, N) ? QString::number(N) : QStringLiteral("-")) + QLatin1Char('|')
                 + Lines.Value(i).toString() + QLatin1Char('|') + Lines.Line(i).toString();
    }
    return L;
}
} // namespace

class TestLanguageFileLines : public QObject
{
    Q_OBJECT

private slots:
    void piecesReadAsWhole_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString Text = QStringLiteral("[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Čeština\"\r\n"
                                            "12\t\"Příliš žluťoučký kůň\"\r\n\r\n-3\tx\ty\rlone CR\nlone LF\r\n"
                                            "\ufeffinner mark\r\n\t\r\nno end \U0001F600");
        QTest::newRow("UTF-16 LE") << Encoded("\xFF\xFE", QStringConverter::Utf16LE, Text);
        QTest::newRow("UTF-16 BE") << Encoded("\xFE\xFF", QStringConverter::Utf16BE, Text);
        QTest::newRow("UTF-8") << Encoded("\xEF\xBB\xBF", QStringConverter::Utf8, Text);
        QTest::newRow("ANSI") << QByteArray("[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Fran\xE7" "ais\"\r\n1\t\"\xE9t\xE9\"\r");
        QTest::newRow("UTF-16 LE, odd last byte") << Encoded("\xFF\xFE", QStringConverter::Utf16LE, Text) + 'x';
        QTest::newRow("UTF-8, broken sequences")
            << QByteArray("\xEF\xBB\xBF" "a\xE2\x82\r\nb\xC3\n\xF0\x9F\x98\r\n\xC3\xA9");
        QTest::newRow("final CR LF") << Encoded("\xFF\xFE", QStringConverter::Utf16LE, QStringLiteral("a\r\nb\r\n"));
        QTest::newRow("CR line ends only") << QByteArray("a\rb\r\r\tc\r");
        QTest::newRow("mark only") << QByteArray("\xFF\xFE");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("two bytes, no mark") << QByteArray("ab");
    }
    void piecesReadAsWhole()
    {
        QFETCH(QByteArray, bytes);
        TLanguageFileLines Whole;
        Whole.SetBytes(bytes);
        const QStringList Expected = Described(Whole);
        for (qsizetype Piece : {1, 2, 3, 5, 7, 64 * 1024}) {
            TLanguageFileLines Read;
            Read.SetDevice(DeviceOf(bytes), bytes.size(), Piece);
            QCOMPARE(Described(Read), Expected);
            QVERIFY(!Read.Failed());
        }
    }

    // Reading on forgets the lines before the new piece; more bytes than
    // allowed end the lines with a failure instead of being read.
    void forgetsAndFails()
    {
        QByteArray Bytes;
        for (int i = 0; i < 100; ++i)
            Bytes += QByteArray::number(i) + "\tline\r\n";
        TLanguageFileLines Lines;
        Lines.SetDevice(DeviceOf(Bytes), Bytes.size(), 16);
        QVERIFY(Lines.Has(0));
        QCOMPARE(Lines.Line(0), u"0\tline");
        QVERIFY(Lines.Has(50));
        QVERIFY(Lines.Line(0).isEmpty());
        QCOMPARE(Lines.Line(50), u"50\tline");
        QVERIFY(!Lines.Has(100));
        QVERIFY(!Lines.Failed());

        TLanguageFileLines Limited;
        Limited.SetDevice(DeviceOf(Bytes), Bytes.size() - 1, 64);
        int Seen = 0;
        while (Limited.Has(Seen))
            ++Seen;
        QVERIFY(Limited.Failed());
        QVERIFY(Seen < 100);
    }

    // A file of many pieces, its sections and smart pairs crossing piece
    // ends, fills the stores as the same file given whole.
    void readerStreamsLongFile()
    {
        QStringList Lines{"[LANGUAGE_FILE]"};
        for (int i = 0; i < 40; ++i)
            Lines << QStringLiteral("0\t%LANGUAGE_NAME=\"Other%1\"").arg(i);
        Lines << "0\t%LANGUAGE_NAME=\"Test\"\t%CODE=cs;";
        for (int i = 0; i < 3000; ++i)
            Lines << QStringLiteral("%1\t\"Text %2\"\t%COMPONENT=Comp%2;\t%OWNER=Form%3;").arg(i % 3).arg(i).arg(i % 7);
        Lines << "0\t\"Repeated\"\t%COMPONENT=Comp5;\t%OWNER=Form5;" << "0\t%LEXICON_STRINGS";
        for (int x = 0; x < 3; ++x) {
            Lines << QStringLiteral("0\t%LEXICON_NAME=Form%1.Lexicon1;").arg(x);
            for (int n = 0; n < 1000; ++n)
                Lines << QStringLiteral("%1\t\"Message %1 of %2\"").arg(n).arg(x);
        }
        Lines << "0\t%SMART_STRINGS";
        for (int n = 0; n < 2000; ++n) {
            Lines << QStringLiteral("%1\t\"Designed %1\"").arg(n);
            if (n % 11)
                Lines << QString() << QStringLiteral("%1\t\"Translated %1\"").arg(n);
        }
        Lines << "0\t%FLAG_ICON" << "0\t0A0B0C";
        const QByteArray Bytes = EncodeLanguageFile(Lines, TLFEncoding::Unicode);
        QVERIFY(Bytes.size() > 4 * 64 * 1024);

        const auto Read = [](TLanguageFileReader &Reader, TLanguageFileHeader &Header) {
            TComponentStructure Struct;
            TLexiconData Lexicons;
            TSmartLexiconData Smart;
            if (!Reader.ReadSignature(QStringLiteral("LANGUAGE_FILE")))
                return QStringList();
            Header = Reader.ReadHeader(QStringLiteral("Test")).value_or(TLanguageFileHeader());
            Reader.ReadComponents(Struct, false, {});
            if (!Reader.ReadLexicons(Lexicons, QString()) || !Reader.ReadSmartLexicons(Smart)
                || !Reader.ReadFlag(Header))
                return QStringList();
            return FormatLanguageFile(QStringLiteral("LANGUAGE_FILE"), Header, Struct, Lexicons, Smart, QString());
        };
        TLanguageFileReader Whole;
        Whole.SetBytes(Bytes);
        TLanguageFileHeader WholeHeader;
        const QStringList Expected = Read(Whole, WholeHeader);
        QVERIFY(Expected.size() > 3000 + 3000 + 2 * 1800);
        QCOMPARE(WholeHeader.Code, QStringLiteral("cs"));
        QVERIFY(Expected.contains(QStringLiteral("0\t\"Repeated\"\t%COMPONENT=Comp5;\t%OWNER=Form5;")));

        TLanguageFileReader Streamed;
        Streamed.SetDevice(DeviceOf(Bytes));
        TLanguageFileHeader StreamedHeader;
        QCOMPARE(Read(Streamed, StreamedHeader), Expected);
        QCOMPARE(StreamedHeader.Flag, WholeHeader.Flag);
        QVERIFY(!Streamed.Failed());
    }
};

QTEST_GUILESS_MAIN(TestLanguageFileLines)
#include "tst_language_file_lines.moc"
