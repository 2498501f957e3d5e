#include "glotta/store/byte_text_decoder.h"

#include <QRandomGenerator>
#include <QTest>
#include <cstring>

namespace {
// The decoding rules carried out the plain way, one position at a time and
// with no limit on the work: the reference the decoder must match wherever
// that work stays small.
class TReferenceDecoder
{
public:
    explicit TReferenceDecoder(const QString &S) : fS(S), fLimit(DecodedBytesLimitFor(S.size())) {}

    QByteArray Run()
    {
        while (fI < fS.size() && !fFull) {
            const ushort C = Low(fS.at(fI++).unicode());
            quint8 B;
            if (C == 32) {
                B = 32;
            } else if (C >= 38) {
                B = ByteFrom(C);
            } else if (C >= 33 && C <= 37) {
                B = ReadRun(C - 32);
            } else {
                continue; // never produced by the encoder: a control character stands for nothing
            }
            if (fFull)
                break;
            Write(B);
        }
        return fOut;
    }

private:
    static ushort Low(ushort C) { return C & 0xFF; }

    // The next character as a whole 16-bit value; 0 beyond the end of S
    // (nothing beyond S is read).
    ushort NextWhole()
    {
        if (fI < fS.size())
            return fS.at(fI++).unicode();
        return 0;
    }
    ushort Next() { return Low(NextWhole()); }

    // Rule A: one byte from C, and from the character after it when C is a
    // hex-like digit "'" .. "7".
    quint8 ByteFrom(ushort C)
    {
        if (C == 32 || C >= 56)
            return quint8(C);
        if (C == '&')
            return 0;
        const ushort C2 = Next();
        return quint8((int(C) - 40) * 16 + (int(C2) - 40));
    }

    qint64 Size() const { return fOut.size(); }

    void SkipFilled()
    {
        if (fP >= Size())
            return;
        const char *Data = fOut.constData();
        const void *Hit = std::memchr(Data + fP, fM, size_t(Size() - fP));
        fP = Hit ? qint64(static_cast<const char *>(Hit) - Data) : Size();
    }

    // Writes at the write position (appending at the end, overwriting inside,
    // filling a gap with zeros beyond the end) and skips filled bytes.
    void Write(quint8 B)
    {
        if (fP >= Size()) {
            if (fP >= fLimit) {
                fFull = true;
                return;
            }
            if (fP > Size())
                fOut.append(qsizetype(fP - Size()), '\0');
            fOut.append(char(B));
        } else {
            fOut[qsizetype(fP)] = char(B);
        }
        ++fP;
        SkipFilled();
    }

    // Appends Pattern Times times at the end; the position stays at the end.
    void AppendRepeated(const QByteArray &Pattern, qint64 Times)
    {
        const qint64 Room = (fLimit - Size()) / Pattern.size();
        if (Times > Room) {
            Times = Room;
            fFull = true;
        }
        fOut.reserve(qsizetype(Size() + Times * Pattern.size()));
        for (qint64 t = 0; t < Times; ++t)
            fOut.append(Pattern);
        fP = Size();
    }

    // Rule B: a run with step K (1..5). Answers the value byte, which the
    // main loop writes once more at the run's start.
    quint8 ReadRun(int K)
    {
        // Count: one character above 39, or a digit count and base-88 digits.
        const ushort X = NextWhole();
        qint64 N;
        if (X > 39) {
            N = X - 39;
        } else {
            const int Digits = X <= 33 ? 1 : X - 32;
            N = 87;
            qint64 Number = 0;
            for (int d = 0; d < Digits; ++d) {
                const ushort Y = Next();
                Number = Number * 88 + (Y == '&' ? 0 : (int(Y) - 39) & 0xFF);
            }
            N += Number;
        }
        const quint8 Value = ByteFrom(Next());

        if (K == 1) {
            for (qint64 t = 0; t < N && !fFull; ++t) {
                if (fP == Size()) {
                    AppendRepeated(QByteArray(1, char(Value)), N - t);
                    break;
                }
                Write(Value);
            }
            return Value;
        }

        // Interleaved run: the placeholder must differ from the value byte.
        const qint64 P0 = fP;
        if (fM == Value) {
            const quint8 OldM = fM;
            ++fM;
            if (Size() - P0 >= 2) {
                const qint64 Last = qMin<qint64>(P0 + 3, Size() - 1);
                auto Taken = [&] {
                    for (qint64 q = P0 + 1; q <= Last; ++q)
                        if (quint8(fOut.at(qsizetype(q))) == fM)
                            return true;
                    return false;
                };
                while (Taken())
                    ++fM;
                char *Data = fOut.data();
                for (qint64 q = P0 + 1; q < Size(); ++q)
                    if (quint8(Data[q]) == OldM)
                        Data[q] = char(fM);
            }
        }
        const qint64 P1 = fP;
        fP = P1 + 1;
        SkipFilled();
        for (qint64 t = 0; t < N && !fFull; ++t) {
            if (fP == Size()) {
                // From here on everything is appended: K - 1 reserved places, then the value.
                QByteArray Pattern(K - 1, char(fM));
                Pattern.append(char(Value));
                AppendRepeated(Pattern, N - t);
                break;
            }
            for (int s = 0; s < K - 1 && !fFull; ++s) {
                if (fP < Size() - 1) {
                    ++fP;
                    SkipFilled();
                } else {
                    Write(fM);
                }
            }
            Write(Value);
        }
        fP = P1;
        return Value;
    }

    const QString &fS;
    const qsizetype fLimit;
    qsizetype fI = 0;
    QByteArray fOut;
    qint64 fP = 0;
    quint8 fM = 95;
    bool fFull = false;
};

// A text of Runs random pieces: single characters, hex-like pairs and runs
// of every step whose counts stay small (one count character or one digit)
// and whose bytes are often the placeholder or its next values, so that the
// placeholder is renamed and runs land inside one another.
QString RandomText(QRandomGenerator &R, int Pieces)
{
    QString S;
    auto Any = [&R](int Lo, int Hi) { return QChar(char16_t(Lo + int(R.bounded(Hi - Lo + 1)))); };
    for (int p = 0; p < Pieces; ++p) {
        switch (R.bounded(4)) {
        case 0: // a character standing for itself
            S += Any(56, 126);
            break;
        case 1: // a hex-like pair
            S += Any(39, 55);
            S += Any(40, 55);
            break;
        default: { // a run
            S += Any(33, 37);
            if (R.bounded(4) == 0) {
                S += QLatin1Char('!'); // one digit
                S += Any(38, 50);
            } else {
                S += Any(40, 52);
            }
            S += R.bounded(2) ? Any(94, 100) : Any(56, 126);
            break;
        }
        }
    }
    return S;
}
} // namespace

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

    void hugeCountStopsAtLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("limit");
        // "'" announces seven digits; seven "y" (121 - 39 = 82) ask for
        // about 3.8 * 10^13 bytes. Ten characters yield 10 KiB at most.
        QTest::newRow("short text: bounded by its length") << QStringLiteral("!'yyyyyyyQ") << qsizetype(10 * 1024);
        // A text long enough for the absolute limit: the same run after
        // 20,000 plain characters, which stand for themselves.
        QTest::newRow("long text: absolute limit") << QString(20000, QLatin1Char('Q')) + QStringLiteral("!'yyyyyyyQ")
                                                   << DecodedBytesLimit;
    }
    void hugeCountStopsAtLimit()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, limit);
        const QByteArray B = DecodeTextToBytes(text);
        QCOMPARE(B.size(), limit);
        QVERIFY(B.count('Q') == B.size());
    }

    void outputBoundedByInput()
    {
        // Whatever a small text holds, it yields at most DecodedBytesPerChar
        // bytes per character: counts of whole characters and of seven
        // digits included.
        QRandomGenerator R(20261211);
        for (int n = 0; n < 3000; ++n) {
            QString S = RandomText(R, 1 + int(R.bounded(12)));
            if (n % 3 == 0)
                S += QStringLiteral("!'") + QString(7, QChar(char16_t(40 + R.bounded(80)))) + QLatin1Char('Q');
            if (n % 5 == 0)
                S.prepend(QStringLiteral("\"") + QChar(char16_t(0xFFFF)) + QLatin1Char('A'));
            const qsizetype Size = DecodeTextToBytes(S).size();
            if (Size > DecodedBytesPerChar * S.size())
                QFAIL(qPrintable(QStringLiteral("%1 bytes from %2 characters").arg(Size).arg(S.size())));
        }
    }

    void matchesTheStepwiseRules()
    {
        QRandomGenerator R(20261210);
        for (int n = 0; n < 3000; ++n) {
            const QString S = RandomText(R, 1 + int(R.bounded(40)));
            const QByteArray Expected = TReferenceDecoder(S).Run();
            if (DecodeTextToBytes(S) != Expected)
                QFAIL(qPrintable(QStringLiteral("differs for \"%1\"").arg(S)));
        }
    }

    void renamingRunsStayBounded()
    {
        // An interleaved run over 10.9 MB leaves the position at its start;
        // then every run whose byte is the current placeholder renames all
        // the places after it (the placeholder goes 95, 96, 97, ...; each
        // byte is written as a hex-like pair). Thousands of such runs would
        // each rewrite 10 MB; the decoder stops once the work passes its
        // limit instead.
        QString S = QStringLiteral("\"$/&&&A"); // k = 2, n = 87 + 8*88^3: 10.9 MB
        for (int i = 0; i < 3000; ++i) {
            const int Value = (95 + i) & 0xFF;
            S += QLatin1Char('"');
            S += QLatin1Char('(');
            S += QChar(char16_t(40 + Value / 16));
            S += QChar(char16_t(40 + Value % 16));
        }
        const QByteArray B = DecodeTextToBytes(S);
        QVERIFY(B.size() > 10'000'000);
        QVERIFY(B.size() <= DecodedBytesLimit);
        QCOMPARE(B.at(0), 'A');
        QCOMPARE(B.at(2), 'A');
        QCOMPARE(B.at(B.size() - 1), 'A');
        // The first runs are decoded as the rules say.
        const QString Head = S.left(7 + 4 * 3);
        QCOMPARE(DecodeTextToBytes(Head), TReferenceDecoder(Head).Run());
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
