#include "glotta/store/ansi_code_page.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_header.h"
#include "toolkit/core/string_list.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString Sign = QStringLiteral("[LANGUAGE_FILE]");

QStringList HeaderLines()
{
    return {" [LANGUAGE_FILE] \t",
            "0\t%LANGUAGE_NAME=;%CODE=xx;\"\"",
            "1\t%LANGUAGE_NAME=;%CODE=EN;\t\"english\"",
            "2\t%SUPERIOR=;\"čeština\"",
            "0\t%FLAG_ICON",
            "0\t0aFF",
            "1\t10"};
}

QByteArray Bytes(int Count)
{
    QByteArray B;
    for (int i = 0; i < Count; ++i)
        B.append(char(i * 7 + 1));
    return B;
}
} // namespace

class TestLanguageHeader : public QObject
{
    Q_OBJECT
private slots:
    void fields()
    {
        QCOMPARE(ExtractKeyValue("0\t%LANGUAGE_NAME=;%CODE=en;\t\"English\"", "%CODE="), QStringLiteral("en"));
        QCOMPARE(ExtractKeyValue("0\t%CODE=en", "%CODE="), QString());
        QCOMPARE(ExtractKeyValue("0\t%code=en;", "%CODE="), QString());
        QCOMPARE(ExtractQuoted("1\t\"a \"b\" c\""), QStringLiteral("a \"b\" c"));
        QCOMPARE(ExtractQuoted("1\t\"a"), QString());
        QCOMPARE(ExtractQuoted("\"\""), QString());
        QCOMPARE(ExtractQuotedText("1\t\"a\tb\""), QStringLiteral("a'#9'b"));
    }

    void lineNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << "12\tx" << true << 12;
        QTest::newRow("signed") << "-3\tx" << true << -3;
        QTest::newRow("no tab") << "12" << false << 0;
        QTest::newRow("empty field") << "\tx" << false << 0;
        QTest::newRow("letters") << "1a\tx" << false << 0;
        QTest::newRow("hex") << "$1F\tx" << false << 0;
        QTest::newRow("too big") << "99999999999\tx" << false << 0;
    }
    void lineNumber()
    {
        QFETCH(QString, line);
        QFETCH(bool, ok);
        QFETCH(int, number);
        int N = 0;
        QCOMPARE(LineNumber(QStringList{line}, 0, N), ok);
        if (ok)
            QCOMPARE(N, number);
        TStringList L;
        L.Add(line);
        QCOMPARE(LineNumber(L, 0, N), ok);
        QVERIFY(!LineNumber(L, 1, N));
        QVERIFY(!LineNumber(L, -1, N));
    }

    void headerFromLines()
    {
        ClearFlagIcon();
        TLangIDs IDs;
        // An empty quoted name sets the code and the search goes on.
        ReadLanguageHeader(HeaderLines(), Sign, true, IDs);
        QCOMPARE(IDs.Name, QStringLiteral("english"));
        QCOMPARE(IDs.Code, QStringLiteral("en"));
        QCOMPARE(FlagIconStream().data(), QByteArray("\x0a\xff\x10"));
        QCOMPARE(FlagIconStream().pos(), 0);

        TStringList L;
        L.SetStrings(HeaderLines());
        IDs = TLangIDs();
        ReadLanguageHeader(L, Sign, false, IDs);
        QCOMPARE(IDs.Name, QStringLiteral("english"));
    }

    void headerRefusals()
    {
        TLangIDs IDs{"x", "cs"};
        ReadLanguageHeader(QStringList{"[LANGUAGE_FILE]", "1\t%LANGUAGE_NAME=;%CODE=en;\"e\""}, Sign, false, IDs);
        QCOMPARE(IDs.Name, QString()); // two lines or fewer
        QCOMPARE(IDs.Code, QString());
        IDs = {"x", "cs"};
        QStringList Wrong = HeaderLines();
        Wrong[0] = "[language_file]";
        ReadLanguageHeader(Wrong, Sign, false, IDs);
        QCOMPARE(IDs.Name, QString());
        // A bad code is normalised away; a quoted "%LANGUAGE_NAME=" only
        // after the first tab counts.
        IDs = TLangIDs();
        ReadLanguageHeader(QStringList{"[LANGUAGE_FILE]", "%LANGUAGE_NAME=\"no tab\"", "0\t%LANGUAGE_NAME=;%CODE=e1;\"Name\""},
                           Sign, false, IDs);
        QCOMPARE(IDs.Name, QStringLiteral("Name"));
        QCOMPARE(IDs.Code, QString());
    }

    void flagSearch()
    {
        // A quoted "%FLAG_ICON" is no marker, and a marker before the name
        // line is not looked at.
        const QStringList L = {"[LANGUAGE_FILE]", "0\t%FLAG_ICON", "0\tAA",
                               "1\t%LANGUAGE_NAME=;%CODE=de;\"Deutsch\"", "2\t\"%FLAG_ICON\"", "3\tBB"};
        TLangIDs IDs;
        ReadLanguageHeader(L, Sign, true, IDs);
        QCOMPARE(IDs.Code, QStringLiteral("de"));
        QVERIFY(!HasFlagIcon());

        ClearFlagIcon();
        FlagIconData().write("\x01\x02");
        QStringList WithBlock = L;
        WriteFlagIcon(WithBlock);
        ClearFlagIcon();
        ReadLanguageHeader(WithBlock, Sign, true, IDs);
        QCOMPARE(FlagIconData().data(), QByteArray("\x01\x02"));
        // Without the flag option the buffer is left alone.
        ReadLanguageHeader(L, Sign, false, IDs);
        QVERIFY(HasFlagIcon());
    }

    void flagBlock_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("lineBytes");
        QTest::newRow("120") << 120 << QList<int>{50, 50, 20};
        QTest::newRow("100") << 100 << QList<int>{50, 50, 0};
        QTest::newRow("empty") << 0 << QList<int>{0};
        QTest::newRow("49") << 49 << QList<int>{49};
        QTest::newRow("50") << 50 << QList<int>{50, 0};
    }
    void flagBlock()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, lineBytes);
        ClearFlagIcon();
        FlagIconData().write(Bytes(size));
        TStringList Lines;
        Lines.Add("before");
        WriteFlagIcon(Lines);
        QCOMPARE(FlagIconData().pos(), 0);
        QCOMPARE(Lines.Count(), 2 + lineBytes.size());
        QCOMPARE(Lines.Strings(1), QStringLiteral("0\t%FLAG_ICON"));
        for (int n = 0; n < lineBytes.size(); ++n) {
            const QString Line = Lines.Strings(2 + n);
            QCOMPARE(Line, QString::number(n) + "\t" + Bytes(size).mid(n * 50, 50).toHex().toUpper());
            QCOMPARE(Line.size() - Line.indexOf('\t') - 1, lineBytes[n] * 2);
        }
        ClearFlagIcon();
        ReadFlagIcon(Lines, 2);
        QCOMPARE(FlagIconData().data(), Bytes(size));
        QCOMPARE(FlagIconData().pos(), 0);
        QStringList Q = Lines.ToStringList();
        ClearFlagIcon();
        ReadFlagIcon(Q, 2);
        QCOMPARE(FlagIconData().data(), Bytes(size));
    }

    void readFlagIconTakesValidBeginnings()
    {
        // Line numbers are not looked at; a damaged line gives its valid start.
        ReadFlagIcon(QStringList{"x", "7\t0102zz03", "no tab 0A", "9\t", "2\tFf"}, 1);
        QCOMPARE(FlagIconData().data(), QByteArray("\x01\x02\xff"));
        ReadFlagIcon(QStringList{"0\t" + QString(600, 'A')}, 0);
        QCOMPARE(FlagIconData().size(), 256); // at most 256 bytes a line
        ReadFlagIcon(QStringList{"0\tAA"}, 5);
        QVERIFY(!HasFlagIcon());
    }

    void hexToBytes()
    {
        QByteArray B;
        QCOMPARE(HexToBytes("0aFF1g", B, 10), 2);
        QCOMPARE(B, QByteArray("\x0a\xff"));
        QCOMPARE(HexToBytes("0aFF1", B, 10), 2);
        QCOMPARE(HexToBytes("0a0b0c", B, 2), 2);
        QCOMPARE(HexToBytes("", B, 2), 0);
        quint8 Raw[4] = {9, 9, 9, 9};
        QCOMPARE(HexToBytes("A0b1", Raw, 4), 2);
        QCOMPARE(Raw[0], quint8(0xA0));
        QCOMPARE(Raw[1], quint8(0xB1));
        QCOMPARE(Raw[2], quint8(9));
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        const QString Name = QString::fromUtf8("Čeština");
        const QString Text = "[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=;%CODE=cs;\"" + Name + "\"\r\n1\tx\r\n";
        auto Encode = [&](QStringConverter::Encoding E) {
            QStringEncoder Enc(E, QStringConverter::Flag::WriteBom);
            return QByteArray(Enc.encode(Text));
        };
        QTest::newRow("UTF-16 LE") << Encode(QStringConverter::Utf16LE) << Name;
        QTest::newRow("UTF-16 BE") << Encode(QStringConverter::Utf16BE) << Name;
        QTest::newRow("UTF-8") << Encode(QStringConverter::Utf8) << Name;
        // Without a mark: the user's code page, whichever it is here; the
        // Czech page itself is checked in codePages().
        QStringEncoder Ansi(AnsiCodePageName().constData());
        QString Plain = Text;
        Plain.replace(Name, "Cestina");
        QTest::newRow("ANSI") << QByteArray(Ansi.encode(Plain)) << "Cestina";
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        TLangIDs IDs;
        ReadLanguageHeader(bytes, Sign, false, IDs);
        QCOMPARE(IDs.Code, QStringLiteral("cs"));
        QCOMPARE(IDs.Name, name);

        QBuffer Device(&bytes);
        Device.open(QIODevice::ReadOnly);
        Device.seek(5);
        IDs = TLangIDs();
        ReadLanguageHeader(Device, Sign, false, IDs);
        QCOMPARE(IDs.Code, QStringLiteral("cs"));

        QTemporaryDir Dir;
        const QString Name = Dir.filePath("cs.lng");
        QFile F(Name);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write(bytes);
        F.close();
        IDs = TLangIDs();
        ReadLanguageHeader(Name, Sign, false, IDs);
        QCOMPARE(IDs.Name, name);
    }

    void streamAndFileFailures()
    {
        TLangIDs IDs{"x", "cs"};
        ReadLanguageHeader(QByteArray(), Sign, false, IDs);
        QCOMPARE(IDs.Name, QString());
        QCOMPARE(IDs.Code, QString());
        IDs = {"x", "cs"};
        ReadLanguageHeader(QStringLiteral("/nonexistent/dir/cs.lng"), Sign, false, IDs);
        QCOMPARE(IDs.Name, QString());
        IDs = {"x", "cs"};
        QBuffer Closed;
        ReadLanguageHeader(Closed, Sign, false, IDs);
        QCOMPARE(IDs.Code, QString());
        // Random bytes: no header, no crash.
        IDs = {"x", "cs"};
        ReadLanguageHeader(QByteArray("\xFF\xFE\x01", 3), Sign, true, IDs);
        QCOMPARE(IDs.Name, QString());
    }

    void codePages()
    {
        QCOMPARE(AnsiCodePageNameFor(QLocale(QLocale::Czech)), QByteArray("windows-1250"));
        QCOMPARE(AnsiCodePageNameFor(QLocale(QLocale::Russian)), QByteArray("windows-1251"));
        QCOMPARE(AnsiCodePageNameFor(QLocale(QLocale::English)), QByteArray("windows-1252"));
        QCOMPARE(AnsiCodePageNameFor(QLocale(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia)),
                 QByteArray("windows-1250"));
        // The page of Czech files decodes their letters.
        QStringDecoder Cz("windows-1250");
        QVERIFY(Cz.isValid());
        QCOMPARE(QString(Cz.decode(QByteArray("\xC8\x65\x9A\x74ina"))), QString::fromUtf8("Čeština"));
        QCOMPARE(DecodeLanguageFileText(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx")), QString(QChar(0xFEFF)) + "x"); // only one mark is removed
    }
};

QTEST_APPLESS_MAIN(TestLanguageHeader)
#include "tst_language_header.moc"
