// Discovery's read of a language file's name, code and flag from its first
// lines and its raw bytes must give what the whole-file header reader gives
// for the same bytes: files larger than the head in every encoding and line
// break, flag markers that do not count, name lines the head does not reach.
// And a rescan reads a file again only when its size or time has changed.

#include "engine_fixture.h"
#include "glotta/engine/language_file_head.h"
#include "glotta/engine/language_list.h"
#include "glotta/store/language_header.h"

#include <QTest>

namespace {
const QString Sign = QStringLiteral("[LANGUAGE_FILE]");

QStringList Filler(int Count)
{
    QStringList L;
    for (int i = 0; i < Count; ++i)
        L << QStringLiteral("%1\t\"Text of component %1, long enough to fill the head\"\t%COMPONENT=C%1;\t%OWNER=Form1;").arg(i);
    return L;
}

QStringList FlagLines()
{
    return {QStringLiteral("0\t%FLAG_ICON"), QStringLiteral("0\t424D0A0B0C0D0E0F"), QStringLiteral("1\t1011")};
}

// The lines joined by Break, in the encoding as the writer writes a file.
QByteArray Encode(const QStringList &Lines, TLFEncoding Encoding, const QString &Break)
{
    return EncodeLanguageFile({Lines.join(Break)}, Encoding);
}
} // namespace

class TestLanguageFileHead : public QObject
{
    Q_OBJECT

private slots:
    void sameAsWholeFile_data()
    {
        QTest::addColumn<QStringList>("Lines");
        QTest::addColumn<int>("Encoding");
        QTest::addColumn<QString>("Break");
        QTest::addColumn<QString>("Name");
        QTest::addColumn<bool>("HasFlag");
        const QStringList Big = Filler(1500); // well past the head in every encoding
        const QString Header = HeaderLine("Deutsch", "de");
        const QStringList Plain = QStringList{Sign, Header} + Big + FlagLines();
        for (int E : {int(TLFEncoding::Unicode), int(TLFEncoding::BigEndianUnicode), int(TLFEncoding::UTF8),
                      int(TLFEncoding::ANSI)})
            for (const QString &Break : {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")})
                QTest::addRow("flag, encoding %d, break %d", E, int(Break.size() * 10 + Break.back().unicode()))
                    << Plain << E << Break << "Deutsch" << true;
        const int U = int(TLFEncoding::Unicode);
        QTest::newRow("no flag") << (QStringList{Sign, Header} + Big) << U << "\r\n" << "Deutsch" << false;
        QTest::newRow("marker in a quoted text, then the section")
            << (QStringList{Sign, Header, "0\t\"%FLAG_ICON\"", "1\t\"a %FLAG_ICON b\"\t%COMPONENT=X;"} + Big + FlagLines())
            << U << "\r\n" << "Deutsch" << true;
        QTest::newRow("marker line without a tab is no section")
            << (QStringList{Sign, Header} + Big + QStringList{"%FLAG_ICON", "0\t0A0B"}) << U << "\r\n" << "Deutsch" << false;
        QTest::newRow("marker before the name line does not count")
            << (QStringList{Sign, "0\t%FLAG_ICON", "0\t0A0B", Header} + Big) << U << "\r\n" << "Deutsch" << false;
        QTest::newRow("name lines without a name set the code")
            << (QStringList{Sign, "0\t%LANGUAGE_NAME=\"\"\t%CODE=cs;", "0\t%LANGUAGE_NAME=\"Czech\";"} + Big + FlagLines())
            << U << "\r\n" << "Czech" << true;
        QTest::newRow("name line beyond the head")
            << (QStringList{Sign} + Filler(1500) + QStringList{Header} + FlagLines()) << U << "\r\n" << "Deutsch" << true;
        QTest::newRow("no name line") << (QStringList{Sign} + Big) << U << "\r\n" << "" << false;
        QTest::newRow("other signature") << (QStringList{"[OTHER_FILE]", Header} + Big) << U << "\r\n" << "" << false;
        QTest::newRow("two lines, the second past the head")
            << QStringList{Sign, Header + QString(40000, QLatin1Char('x'))} << U << "\r\n" << "" << false;
        QTest::newRow("small file") << (QStringList{Sign, Header, "0\tx"} + FlagLines()) << U << "\r\n" << "Deutsch" << true;
    }

    void sameAsWholeFile()
    {
        QFETCH(QStringList, Lines);
        QFETCH(int, Encoding);
        QFETCH(QString, Break);
        QFETCH(QString, Name);
        QFETCH(bool, HasFlag);
        const QByteArray Bytes = Encode(Lines, TLFEncoding(Encoding), Break);
        QTemporaryDir Dir;
        const QString Path = Dir.filePath("lang.lng");
        WriteBytes(Path, Bytes);

        TLangIDs Expected;
        QByteArray ExpectedFlag;
        ReadLanguageHeader(Bytes, Sign, Expected, ExpectedFlag);
        TLangIDs IDs;
        QByteArray Flag;
        ReadLanguageFileHead(Path, Sign, IDs, Flag);
        QCOMPARE(IDs.Name, Expected.Name);
        QCOMPARE(IDs.Code, Expected.Code);
        QCOMPARE(Flag, ExpectedFlag);
        QCOMPARE(IDs.Name, Name);
        QCOMPARE(!Flag.isEmpty(), HasFlag);
    }

    void unreadableFile()
    {
        TLangIDs IDs{"x", "xx"};
        QByteArray Flag("x");
        ReadLanguageFileHead(QStringLiteral("/nonexistent/lang.lng"), Sign, IDs, Flag);
        QVERIFY(IDs.Name.isEmpty() && IDs.Code.isEmpty() && Flag.isEmpty());
    }

    // A file rewritten with another name but the same size and time is
    // taken from the last scan; a new time makes the scan read it again.
    void rescanReadsChangedFilesOnly()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath("a.lng");
        const auto Write = [&](const QString &Name) {
            WriteBytes(Path, LangFile(QStringList{Sign, HeaderLine(Name)} + Filler(2000)));
        };
        TLanguageSources Sources;
        Sources.DesignName = QStringLiteral("English");
        Sources.Dir = Dir.path() + QLatin1Char('/');
        Sources.Extension = QStringLiteral(".lng");
        Sources.SignatureLine = Sign;
        Sources.InternalFlag = [](QBuffer &, TInternalFlag) {};
        TLanguageList List;
        Write("Alpha");
        List.Rescan(Sources);
        QCOMPARE(List.Languages.ToStringList(), QStringList({"English", "Alpha"}));

        QFile F(Path);
        QVERIFY(F.open(QIODevice::ReadWrite));
        const QDateTime Time = F.fileTime(QFileDevice::FileModificationTime);
        F.close();
        Write("Bravo"); // the same length
        QVERIFY(F.open(QIODevice::ReadWrite));
        QVERIFY(F.setFileTime(Time, QFileDevice::FileModificationTime));
        F.close();
        List.Rescan(Sources);
        QCOMPARE(List.Languages.ToStringList(), QStringList({"English", "Alpha"}));

        QVERIFY(F.open(QIODevice::ReadWrite));
        QVERIFY(F.setFileTime(Time.addSecs(5), QFileDevice::FileModificationTime));
        F.close();
        List.Rescan(Sources);
        QCOMPARE(List.Languages.ToStringList(), QStringList({"English", "Bravo"}));

        // Another signature is another reading of the same file.
        Sources.SignatureLine = QStringLiteral("[OTHER]");
        List.Rescan(Sources);
        QCOMPARE(List.Languages.ToStringList(), QStringList({"English"}));
    }
};

QTEST_GUILESS_MAIN(TestLanguageFileHead)
#include "tst_language_file_head.moc"
