#include "glotta/store/byte_text_decoder.h"

#include <QTest>

// Expected bytes are derived by hand from the decoding rules: "_" (95) is the
// initial placeholder M; a position holding M is free; after every write the
// position moves to the next free position or the end.
class TestByteTextDecoder : public QObject
{
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");

        // Characters "8" and above and the space stand for themselves.
        QTest::newRow("plain") << "AB z" << QByteArray("AB z");
        // "&" is 0; "(" .. "7" are hex-like digits 0..15 read in pairs:
        // "(0" = 0*16 + ('0'-40 = 8) = 8; "7)" = 15*16 + 1 = 241;
        // "'(" = (39-40)*16 + 0 = -16 = 240 modulo 256.
        QTest::newRow("pairs") << "&(07)'(" << QByteArray("\x00\x08\xF1\xF0", 4);
        // "!" run, k = 1: count "*" (42) = 42-39 = 3 copies, plus the main
        // loop's one: four "A".
        QTest::newRow("k1 single-char count") << "Z!*AZ" << QByteArray("ZAAAAZ");
        // Count with digits: '"' (34) announces 34-32 = 2 digits; "(" = 1,
        // "&" = 0: n = 87 + 1*88 + 0 = 175, so 176 copies of "B".
        QTest::newRow("k1 two digits") << "!\"(&B" << QByteArray(176, 'B');
        // "!" (33) announces one digit; ")" = 41-39 = 2: n = 89, 90 copies.
        QTest::newRow("k1 one digit") << "!!)C" << QByteArray(90, 'C');
        // k = 2, n = 3, "A": A at the start (main loop) and after each
        // reserved place: A _ A _ A _ A; x, y, z then fill the places.
        QTest::newRow("k2") << "\"*Axyz" << QByteArray("AxAyAzA");
        // k = 3, n = 2, "B": B _ _ B _ _ B; a..d fill the four places.
        QTest::newRow("k3") << "#)Babcd" << QByteArray("BabBcdB");
        // k = 4, n = 1, "D": D _ _ _ D; p, q, r fill, s is appended.
        QTest::newRow("k4") << "$(Dpqrs" << QByteArray("DpqrDs");
        // k = 5, n = 1, "C": C _ _ _ _ C; w..z fill, v is appended.
        QTest::newRow("k5") << "%(Cwxyzv" << QByteArray("CwxyzCv");
        // A run inside reserved places: after "\"*A" the free places are 1,
        // 3, 5. "\")B" (k = 2, n = 2) starts at 1: steps over 3, B at 5,
        // steps over the new place 7, B at 8; the main loop puts B at 1.
        // x and y fill 3 and 7.
        QTest::newRow("k2 inside k2") << "\"*A\")Bxy" << QByteArray("ABAxABAyB");
        // Value byte "_" equals M: M becomes "`" (96) first, so the places
        // are "`": _ ` _ ` _ ` _, and x, y, z fill them.
        QTest::newRow("value is placeholder") << "\"*_xyz" << QByteArray("_x_y_z_");
        // "\"*`" gives ` _ ` _ ` _ ` with places 1, 3, 5. "\"(_" (k = 2,
        // n = 1, value "_" = M) at 1: M + 1 = "`" is among bytes 2..4, so M
        // becomes "a"; the old places 3 and 5 become "a". The run steps over
        // 3 and puts "_" at 5; the main loop puts "_" at 1. "x" fills 3, the
        // last free place; the "`" bytes are kept.
        QTest::newRow("placeholder collides with data") << "\"*`\"(_x" << QByteArray("`_`x`_`");
        // Input ending inside a pair: "(" then a missing character (code 0):
        // 0*16 + (0-40) = -40 = 216.
        QTest::newRow("cut pair") << "A(" << QByteArray("A\xD8");
        // Input ending after "!": the count character is missing (0, so one
        // digit follows), the digit is missing: (0-39) mod 256 = 217, n = 87
        // + 217 = 304; the value character is missing: rule A with 0 and 0
        // gives (0-40)*16 + (0-40) = -680 = 88 ("X"). 305 copies of "X".
        QTest::newRow("cut run") << "!" << QByteArray(305, 'X');
        // Characters above 255 count by their low byte, except the count.
        QTest::newRow("low byte") << QString(QChar(char16_t(0x141))) + QChar(char16_t(0x120)) << QByteArray("A ");
        // A count character is read whole: U+0100 gives n = 256-39 = 217.
        QTest::newRow("whole count") << QStringLiteral("!") + QChar(char16_t(0x100)) + "Q" << QByteArray(218, 'Q');
        QTest::newRow("empty") << "" << QByteArray();
    }
    void decode()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(DecodeTextToBytes(text), bytes);
    }

    void interleavedCutRun()
    {
        // '"' alone: as "cut run", n = 304 and value "X", interleaved with
        // k = 2: X at every even position 0..608, "_" at the odd ones.
        const QByteArray B = DecodeTextToBytes("\"");
        QCOMPARE(B.size(), 609);
        for (int i = 0; i < B.size(); ++i)
            QCOMPARE(B.at(i), i % 2 ? '_' : 'X');
    }

    void hugeCountStopsAtLimit()
    {
        // "'" announces seven digits; seven "y" (121 - 39 = 82) ask for
        // about 3.8 * 10^13 bytes.
        const QByteArray B = DecodeTextToBytes("!'yyyyyyyQ");
        QCOMPARE(B.size(), DecodedBytesLimit);
        QVERIFY(B.count('Q') == B.size());
    }

    void streamIsEmptiedAndRewound()
    {
        QBuffer Stream;
        Stream.open(QIODevice::ReadWrite);
        Stream.write("old contents, longer");
        DecodeTextToStream(Stream, "AB");
        QCOMPARE(Stream.data(), QByteArray("AB"));
        QCOMPARE(Stream.pos(), 0);
        QCOMPARE(Stream.readAll(), QByteArray("AB"));
    }
};

QTEST_APPLESS_MAIN(TestByteTextDecoder)
#include "tst_byte_text_decoder.moc"
