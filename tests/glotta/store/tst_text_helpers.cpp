#include "glotta/store/text_helpers.h"

#include <QRandomGenerator>
#include <QTest>

class TestTextHelpers : public QObject
{
    Q_OBJECT
private slots:
    void charCode()
    {
        QCOMPARE(CharCode(13), QStringLiteral("'#13'"));
        QCOMPARE(CharCode(61), QStringLiteral("'#61'"));
    }

    void encodeControlChars_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("changed");
        QTest::newRow("tab CR LF and 0") << QStringLiteral("a\tb\r\nc") + QChar(0) + "d"
                                         << "a'#9'b'#13''#10'cd" << true;
        QTest::newRow("no controls") << "It's #1 'x'" << "It's #1 'x'" << false;
        QTest::newRow("empty") << "" << "" << false;
        QTest::newRow("only 0") << QString(QChar(0)) << "" << true;
        QTest::newRow("code 31 and space") << QStringLiteral("\x1f ") << "'#31' " << true;
        // A "#" and a digit right after a code would continue the code group.
        QTest::newRow("hash digit after code") << "x\r\n#1 item" << "x'#13''#10''#35'1 item" << true;
        QTest::newRow("hash after code, no digit") << "\t#a" << "'#9'#a" << true;
        QTest::newRow("hash digit after space") << "\t #1" << "'#9' #1" << true;
        QTest::newRow("hash digit with 0 between") << QStringLiteral("\t") + QChar(0) + "#2"
                                                   << "'#9''#35'2" << true;
        QTest::newRow("hash at end") << "\t#" << "'#9'#" << true;
    }
    void encodeControlChars()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(bool, changed);
        QString S = in;
        QCOMPARE(EncodeControlChars(S), changed);
        QCOMPARE(S, out);
    }

    void encodeChar()
    {
        QString S = "a=b=";
        QVERIFY(EncodeChar(S, '='));
        QCOMPARE(S, QStringLiteral("a'#61'b'#61'"));
        S = "abc";
        QVERIFY(!EncodeChar(S, '='));
        QCOMPARE(S, QStringLiteral("abc"));
        S = "a=#5";
        QVERIFY(EncodeChar(S, '='));
        QCOMPARE(S, QStringLiteral("a'#61''#35'5"));
        DecodeCharCodes(S);
        QCOMPARE(S, QStringLiteral("a=#5"));
    }

    void decodeCharCodes_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("pairs") << "A'#13''#10'B" << "A\r\nB";
        QTest::newRow("one group") << "A'#13#10'B" << "A\r\nB";
        QTest::newRow("spaces") << "A' #13 'B" << "A\rB";
        QTest::newRow("no closing apostrophe") << "A'#9B" << "A\tB";
        QTest::newRow("code at end") << "A'#65" << "AA";
        QTest::newRow("space then end") << "'#66 " << "B";
        QTest::newRow("apostrophe") << "It's" << "It's";
        QTest::newRow("no digit") << "'#x'" << "'#x'";
        QTest::newRow("no apostrophe") << "#13" << "#13";
        QTest::newRow("above 65535") << "'#70000'" << "'#70000'";
        QTest::newRow("65535") << "'#65535'" << QString(QChar(char16_t(65535)));
        QTest::newRow("hash last") << "a'#" << "a'#";
        QTest::newRow("apostrophe last") << "a'" << "a'";
        QTest::newRow("empty") << "" << "";
        // After a failed group the scan goes on and a later group still decodes.
        QTest::newRow("bad then good") << "'#x' '#9'" << "'#x' \t";
        // A code above 65535 leaves its group; its closing apostrophe was
        // skipped, so the "#" after it starts no group.
        QTest::newRow("overflow then hash") << "'#70000'#9'" << "'#70000'#9'";
        QTest::newRow("second code overflows") << "'#65#99999999'" << "A#99999999'";
        QTest::newRow("leading zeros") << "'#0065'" << "A";
        QTest::newRow("double apostrophe") << "''#13'" << "'\r";
        QTest::newRow("mended hash") << "'#13''#35'1" << "\r#1";
    }
    void decodeCharCodes()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QString S = in;
        DecodeCharCodes(S);
        QCOMPARE(S, out);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("line break before #1") << "List:\r\n#1 item";
        QTest::newRow("tab before #12") << "\t#12";
        QTest::newRow("codes and apostrophes") << "'\r'\n'";
        QTest::newRow("apostrophe hash letter") << "'#a\t";
        QTest::newRow("hash hash digit") << "\t##1";
        QTest::newRow("text that looks encoded") << "'#x'\r#";
        QTest::newRow("apostrophe space after code") << "\r ' x";
        QTest::newRow("all controls") << QStringLiteral("\x01\x02\x1f\x1e#9");
        QTest::newRow("plain hash digits") << "#1 #2\t";
        QTest::newRow("non-BMP") << QString::fromUtf8("\xF0\x9F\x98\x80\n#7");
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QString S = text;
        EncodeControlChars(S);
        for (QChar C : S)
            QVERIFY(C.unicode() >= 32);
        DecodeCharCodes(S);
        QCOMPARE(S, text);
    }

    // Random texts over the characters that matter to the code format.
    void roundTripRandom()
    {
        const QString Alphabet = QStringLiteral("'#0123456789 aZ\t\r\n\x01\x1f;=")
                                 + QChar(char16_t(0x10C));
        QRandomGenerator Rng(20240611);
        int Checked = 0;
        for (int n = 0; n < 20000; ++n) {
            QString Text;
            const int Len = Rng.bounded(1, 16);
            for (int k = 0; k < Len; ++k)
                Text += Alphabet.at(Rng.bounded(Alphabet.size()));
            if (HasCodeLikeApostrophe(Text))
                continue;
            QString S = Text;
            EncodeControlChars(S);
            DecodeCharCodes(S);
            if (S != Text)
                QFAIL(qPrintable(QStringLiteral("round trip failed for ") + QString(Text).toUtf8().toPercentEncoding()));
            ++Checked;
        }
        QVERIFY(Checked > 10000);
    }

    void singleLineText_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<bool>("encode");
        QTest::addColumn<QString>("out");
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("breaks at ends") << "\r\n  a\r\nb  \r\n" << false << "  a  b  ";
        QTest::newRow("breaks at ends, encoded") << "\r\n  a\r\nb  \r\n" << true << "  a'#13''#10'b  ";
        QTest::newRow("spaces kept without controls") << "  a  " << false << "  a  ";
        QTest::newRow("space before control dropped") << " \r a" << false << " a";
        QTest::newRow("tab inside, not encoded") << "a\tb" << false << "a\tb";
        QTest::newRow("only breaks and spaces") << " \r\n  " << false << "  ";
        QTest::newRow("only breaks") << "\r\n" << true << "";
    }
    void singleLineText()
    {
        QFETCH(QString, in);
        QFETCH(bool, encode);
        QFETCH(QString, out);
        QCOMPARE(SingleLineText(in, encode), out);
    }

    void characterTests()
    {
        QVERIFY(!HasLetters(" 123@!"));
        QVERIFY(HasLetters("12A"));
        QVERIFY(HasLetters(QString(QChar(0x10C))));
        QString S = "a.b.c";
        ReplaceChar(S, '.', ':');
        QCOMPARE(S, QStringLiteral("a:b:c"));
        QCOMPARE(AsciiLowerCase(QString::fromUtf8("ČEŠTINA Abc")), QString::fromUtf8("ČeŠtina abc"));
        QCOMPARE(TrimControls(QStringLiteral("\t a b\r\n ")), QStringLiteral("a b"));
    }
};

QTEST_APPLESS_MAIN(TestTextHelpers)
#include "tst_text_helpers.moc"
