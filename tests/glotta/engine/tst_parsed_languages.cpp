// The engine's store of languages parsed before: how many it keeps and in
// which order they go, and when an entry no longer matches its files.

#include "glotta/engine/parsed_languages.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

TParsedLanguage Entry(const QString &Language, const QList<TSourceStamp> &Sources = {})
{
    TParsedLanguage P;
    P.Language = Language;
    P.Sources = Sources;
    return P;
}

bool WriteWithTime(const QString &Path, const QByteArray &Data, const QDateTime &Modified)
{
    QFile File(Path);
    // Flushed first: writing the buffer on close would stamp the time again.
    if (!File.open(QIODevice::WriteOnly) || File.write(Data) != Data.size() || !File.flush())
        return false;
    return File.setFileTime(Modified, QFileDevice::FileModificationTime);
}

} // namespace

class TestParsedLanguages : public QObject
{
    Q_OBJECT

private slots:
    // The last MaxLanguages (four) languages kept stay; a fifth drops the
    // one used least recently, and taking one and keeping it again makes it
    // the most recent.
    void keepsTheLastFour_data()
    {
        QTest::addColumn<QStringList>("kept");  // in order
        QTest::addColumn<QString>("touched");   // taken and kept again after the first four, or empty
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("gone");
        QTest::newRow("four") << QStringList{"a", "b", "c", "d"} << QString() << QStringList{"a", "b", "c", "d"}
                              << QStringList{};
        QTest::newRow("five: the first goes") << QStringList{"a", "b", "c", "d", "e"} << QString()
                                              << QStringList{"b", "c", "d", "e"} << QStringList{"a"};
        QTest::newRow("used again: the next one goes") << QStringList{"a", "b", "c", "d", "e"} << "a"
                                                        << QStringList{"a", "c", "d", "e"} << QStringList{"b"};
        QTest::newRow("the same language twice is one entry")
            << QStringList{"a", "b", "a", "c", "d"} << QString() << QStringList{"a", "b", "c", "d"} << QStringList{};
    }

    void keepsTheLastFour()
    {
        QFETCH(QStringList, kept);
        QFETCH(QString, touched);
        QFETCH(QStringList, present);
        QFETCH(QStringList, gone);
        QCOMPARE(TParsedLanguages::MaxLanguages, 4);
        TParsedLanguages Cache;
        for (int i = 0; i < kept.size(); ++i) {
            if (i == 4 && !touched.isEmpty()) {
                TParsedLanguage P;
                QVERIFY(Cache.Take(touched, P));
                Cache.Keep(std::move(P));
            }
            Cache.Keep(Entry(kept[i]));
        }
        QCOMPARE(Cache.Count(), int(present.size()));
        for (const QString &Language : gone) {
            TParsedLanguage P;
            QVERIFY2(!Cache.Take(Language, P), qPrintable(Language));
        }
        for (const QString &Language : present) {
            TParsedLanguage P;
            QVERIFY2(Cache.Take(Language, P), qPrintable(Language));
            QCOMPARE(P.Language, Language);
        }
        QCOMPARE(Cache.Count(), 0);
    }

    // An entry is used only while every file of its chain is as stamped: a
    // file rewritten at the same size is told by its modification time.
    void staleEntriesAreDropped_data()
    {
        QTest::addColumn<QByteArray>("rewrite"); // the superior file's new contents, null: untouched
        QTest::addColumn<int>("seconds");        // its modification time moved by this much
        QTest::addColumn<bool>("fresh");
        QTest::newRow("untouched") << QByteArray() << 0 << true;
        QTest::newRow("same size, other time") << QByteArray("superior, two") << 5 << false;
        QTest::newRow("other size") << QByteArray("superior, longer now") << 0 << false;
        QTest::newRow("removed") << QByteArray("-") << 0 << false;
    }

    void staleEntriesAreDropped()
    {
        QFETCH(QByteArray, rewrite);
        QFETCH(int, seconds);
        QFETCH(bool, fresh);
        QTemporaryDir Dir;
        QVERIFY(Dir.isValid());
        const QString Own = Dir.filePath("own.lng"), Superior = Dir.filePath("superior.lng");
        const QDateTime Then = QDateTime::currentDateTimeUtc().addSecs(-3600);
        QVERIFY(WriteWithTime(Own, "own", Then));
        QVERIFY(WriteWithTime(Superior, "superior, one", Then));
        TParsedLanguages Cache;
        Cache.Keep(Entry("own", {TSourceStamp::OfFile(Own), TSourceStamp::OfFile(Superior),
                                 TSourceStamp::OfResource("EN", 100)}));
        if (rewrite == "-")
            QVERIFY(QFile::remove(Superior));
        else if (!rewrite.isNull())
            QVERIFY(WriteWithTime(Superior, rewrite, Then.addSecs(seconds)));
        TParsedLanguage P;
        QCOMPARE(Cache.Take("own", P), fresh);
        // A stale entry is gone, not kept for later.
        QCOMPARE(Cache.Count(), 0);
    }
};

QTEST_APPLESS_MAIN(TestParsedLanguages)
#include "tst_parsed_languages.moc"
