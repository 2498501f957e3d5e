#include "toolkit/core/exception.h"
#include "installer/package_server/package_server.h"
#include "installer/platform/wine/wine_download.h"
#include "tests/installer/platform/wine/scripted_http_server.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <stdexcept>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TPackageFault)
Q_DECLARE_METATYPE(TScriptedAnswer)

namespace {

QByteArray Pattern(qint64 Size)
{
    QByteArray Data(Size, Qt::Uninitialized);
    for (qint64 I = 0; I < Size; ++I)
        Data[I] = char((I * 7 + I / 251) & 0xff);
    return Data;
}

void WriteFile(const QString &Path, const QByteArray &Data)
{
    QFile File(Path);
    QVERIFY(File.open(QIODevice::WriteOnly));
    QCOMPARE(File.write(Data), Data.size());
}

QByteArray ReadFile(const QString &Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

struct TNotification
{
    QObject *Sender;
    quint32 Progress;
    quint32 ProgressMax;
    TDownloadStatus Status;
    bool CancelOnEntry;
};

} // namespace

class TestWineDownload : public QObject
{
    Q_OBJECT
    QTemporaryDir fRoot;
    QTemporaryDir fTarget;
    TPackageServer *fServer = nullptr;
    QByteArray fSmall = Pattern(300 * 1024);
    QByteArray fLarge = Pattern(4 * 1024 * 1024);

    QString Url(const QString &Path) const { return fServer->BaseUrl() + Path; }
    QString Target() const { return fTarget.filePath(QStringLiteral("target.bin")); }
    QStringList TargetFolderEntries() const
    {
        return QDir(fTarget.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // Runs one download; answers the failure reason, empty on success. A
    // failure must raise exactly the downloader's Exception for the URL.
    QString Fetch(TWineDownloader &Downloader, const QString &URL, const QString &FileName,
                  const TDownloadProgressEvent &OnProgress = {})
    {
        try {
            Downloader.Download(URL, FileName, OnProgress);
            return {};
        } catch (const Exception &E) {
            if (E.KindName() != QLatin1String("Exception") || E.Message() != "Error downloading URL: " + URL)
                return QStringLiteral("wrong error: %1 %2").arg(E.KindName(), E.Message());
            return Downloader.FailureReason().isEmpty() ? QStringLiteral("?") : Downloader.FailureReason();
        }
    }

    // Settings that let the retry and speed paths run in a test's time.
    static void Quick(TWineDownloader &Downloader)
    {
        Downloader.SetRetryPause(10);
        Downloader.SetLowSpeedLimit(1000);
        Downloader.SetLowSpeedTime(400);
        Downloader.SetMaxFileBytes(1024 * 1024);
    }

    static QString TlsFile(const char *Name) { return QStringLiteral(GLOTTA_TEST_DATA "/tls/") + QLatin1String(Name); }

private slots:
    void initTestCase()
    {
        QVERIFY(fRoot.isValid() && fTarget.isValid());
        WriteFile(fRoot.filePath("small.bin"), fSmall);
        WriteFile(fRoot.filePath("large.bin"), fLarge);
        WriteFile(fRoot.filePath("empty.bin"), {});
        fServer = new TPackageServer(fRoot.path(), this);
        QVERIFY2(fServer->Listen(), qPrintable(fServer->ErrorString()));
    }

    void cleanup()
    {
        fServer->ClearFaults();
        if (QFileInfo(Target()).isDir()) // left by a failed failedRenameFails
            QDir(Target()).removeRecursively();
        for (const QString &Name : TargetFolderEntries())
            QFile::remove(fTarget.filePath(Name));
    }

    void downloadsAndReportsProgress()
    {
        TWineDownloader Downloader;
        QList<TNotification> Seen;
        const QString Reason =
            Fetch(Downloader, Url("/data/small.bin"), Target(),
                  [&](QObject *Sender, quint32 Progress, quint32 Max, TDownloadStatus Status, const QString &, bool &Cancel) {
                      Seen.append({Sender, Progress, Max, Status, Cancel});
                  });
        QCOMPARE(Reason, QString());
        QCOMPARE(ReadFile(Target()), fSmall);
        QCOMPARE(TargetFolderEntries(), QStringList{"target.bin"});

        QVERIFY(Seen.size() >= 3);
        QCOMPARE(Seen.first().Status, TDownloadStatus::Connecting);
        QCOMPARE(Seen.last().Status, TDownloadStatus::EndDownloadData);
        QCOMPARE(Seen.last().Progress, quint32(fSmall.size()));
        QCOMPARE(Seen.last().ProgressMax, quint32(fSmall.size()));
        quint32 Previous = 0;
        for (const TNotification &N : Seen) {
            QCOMPARE(N.Sender, &Downloader);
            QVERIFY(!N.CancelOnEntry);
            QVERIFY(N.Progress >= Previous);
            Previous = N.Progress;
        }
        QVERIFY(std::any_of(Seen.begin(), Seen.end(),
                            [](const TNotification &N) { return N.Status == TDownloadStatus::DownloadingData; }));
    }

    void overwritesAnEarlierFile()
    {
        WriteFile(Target(), "an earlier, longer file that must be replaced completely by the new one");
        TWineDownloader Downloader;
        QCOMPARE(Fetch(Downloader, Url("/data/large.bin"), Target()), QString());
        QCOMPARE(ReadFile(Target()), fLarge);
    }

    void failuresLeaveNoPartialFile_data()
    {
        QTest::addColumn<QString>("Path");
        QTest::addColumn<TPackageFault>("Fault");
        QTest::addColumn<QString>("Reason"); // part of the failure reason

        QTest::newRow("missing file") << "/data/none.bin" << TPackageFault() << "404";
        QTest::newRow("outside /data") << "/small.bin" << TPackageFault() << "404";
        QTest::newRow("404") << "/data/small.bin" << TPackageFault::AnswerStatus(404) << "404";
        QTest::newRow("500") << "/data/small.bin" << TPackageFault::AnswerStatus(500) << "500";
        QTest::newRow("503") << "/data/small.bin" << TPackageFault::AnswerStatus(503) << "503";
        QTest::newRow("reset mid-body") << "/data/large.bin" << TPackageFault::ResetAfter(100000) << "";
        QTest::newRow("truncated body") << "/data/large.bin" << TPackageFault::TruncateAfter(100000) << "";
        QTest::newRow("truncated to nothing") << "/data/small.bin" << TPackageFault::TruncateAfter(0) << "";
        QTest::newRow("zero-byte body") << "/data/empty.bin" << TPackageFault() << "empty body";
        QTest::newRow("stall mid-body") << "/data/large.bin" << TPackageFault::StallAfter(100000) << "no data";
        QTest::newRow("stall before body") << "/data/large.bin" << TPackageFault::StallAfter(0) << "no data";
        QTest::newRow("redirect loop") << "/data/loop" << TPackageFault::RedirectTo("/data/loop") << "redirects";
        QTest::newRow("redirect to ftp") << "/data/ftp" << TPackageFault::RedirectTo("ftp://127.0.0.1/data/small.bin")
                                         << "non-http";
        QTest::newRow("redirect to missing") << "/data/gone" << TPackageFault::RedirectTo("/data/none.bin") << "404";
    }

    void failuresLeaveNoPartialFile()
    {
        QFETCH(QString, Path);
        QFETCH(TPackageFault, Fault);
        QFETCH(QString, Reason);
        fServer->SetFault(Path, Fault);

        // No file before: none after.
        {
            TWineDownloader Downloader;
            Downloader.SetLowSpeedTime(300);
            Downloader.SetRetryPause(10);
            const QString Got = Fetch(Downloader, Url(Path), Target());
            QVERIFY2(!Got.isEmpty(), "the download did not fail");
            QVERIFY2(Got.contains(Reason), qPrintable(Got));
            QVERIFY2(!Got.startsWith("wrong error"), qPrintable(Got));
            QCOMPARE(TargetFolderEntries(), QStringList());
        }
        // A complete earlier file survives unchanged, and no temporary file is left.
        {
            const QByteArray Earlier("the complete file of an earlier download");
            WriteFile(Target(), Earlier);
            TWineDownloader Downloader;
            Downloader.SetLowSpeedTime(300);
            Downloader.SetRetryPause(10);
            QVERIFY(!Fetch(Downloader, Url(Path), Target()).isEmpty());
            QCOMPARE(ReadFile(Target()), Earlier);
            QCOMPARE(TargetFolderEntries(), QStringList{"target.bin"});
        }
    }

    void refusesOtherSchemes_data()
    {
        QTest::addColumn<QString>("URL");
        QTest::newRow("ftp") << "ftp://127.0.0.1/data/small.bin";
        QTest::newRow("file") << "file:///etc/hostname";
        QTest::newRow("no scheme") << "/data/small.bin";
        QTest::newRow("empty") << "";
        QTest::newRow("no host") << "http:///data/small.bin";
    }

    void refusesOtherSchemes()
    {
        QFETCH(QString, URL);
        TWineDownloader Downloader;
        bool Called = false;
        const QString Got = Fetch(Downloader, URL, Target(),
                                  [&](QObject *, quint32, quint32, TDownloadStatus, const QString &, bool &) { Called = true; });
        QCOMPARE(Got, QString("not an http or https URL"));
        QVERIFY(!Called);
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    void connectionRefusedFails()
    {
        // A port that was free a moment ago: nothing listens there.
        QTcpServer Probe;
        QVERIFY(Probe.listen(QHostAddress::LocalHost));
        const quint16 Port = Probe.serverPort();
        Probe.close();
        TWineDownloader Downloader;
        Downloader.SetRetryPause(10);
        const QString Got = Fetch(Downloader, QStringLiteral("http://127.0.0.1:%1/data/small.bin").arg(Port), Target());
        QVERIFY2(!Got.isEmpty() && !Got.startsWith("wrong error"), qPrintable(Got));
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    void followsRedirects_data()
    {
        QTest::addColumn<int>("Code");
        QTest::addColumn<bool>("Absolute");
        QTest::newRow("301 relative") << 301 << false;
        QTest::newRow("302 absolute") << 302 << true;
        QTest::newRow("307 relative") << 307 << false;
        QTest::newRow("308 absolute") << 308 << true;
    }

    void followsRedirects()
    {
        QFETCH(int, Code);
        QFETCH(bool, Absolute);
        fServer->SetFault("/data/hop2", TPackageFault::RedirectTo(Absolute ? Url("/data/small.bin") : "/data/small.bin", Code));
        fServer->SetFault("/data/hop1", TPackageFault::RedirectTo("/data/hop2", Code));
        TWineDownloader Downloader;
        QCOMPARE(Fetch(Downloader, Url("/data/hop1"), Target()), QString());
        QCOMPARE(ReadFile(Target()), fSmall);
    }

    // A chain of exactly the allowed number of redirects is followed; one more fails.
    void redirectLimit_data()
    {
        QTest::addColumn<int>("Hops");
        QTest::addColumn<QString>("Reason"); // empty: the download succeeds
        QTest::newRow("5 hops") << 5 << QString();
        QTest::newRow("6 hops") << 6 << QStringLiteral("more than 5 redirects");
    }

    void redirectLimit()
    {
        QFETCH(int, Hops);
        QFETCH(QString, Reason);
        for (int i = 1; i <= Hops; ++i)
            fServer->SetFault(QStringLiteral("/data/chain%1").arg(i),
                              TPackageFault::RedirectTo(i == Hops ? QStringLiteral("/data/small.bin")
                                                                  : QStringLiteral("/data/chain%1").arg(i + 1)));
        TWineDownloader Downloader;
        QCOMPARE(Fetch(Downloader, Url("/data/chain1"), Target()), Reason);
        QCOMPARE(TargetFolderEntries(), Reason.isEmpty() ? QStringList{"target.bin"} : QStringList());
    }

    void cancelFromProgress_data()
    {
        QTest::addColumn<quint32>("CancelAt"); // progress at which the handler cancels
        QTest::newRow("at the first notification") << quint32(0);
        QTest::newRow("while receiving a slow body") << quint32(20000);
    }

    void cancelFromProgress()
    {
        QFETCH(quint32, CancelAt);
        fServer->SetFault("/data/large.bin", TPackageFault::SlowBody(2048, 10));
        TWineDownloader Downloader;
        quint32 Last = 0;
        int Calls = 0;
        const QString Got = Fetch(Downloader, Url("/data/large.bin"), Target(),
                                  [&](QObject *, quint32 Progress, quint32, TDownloadStatus, const QString &, bool &Cancel) {
                                      ++Calls;
                                      Last = Progress;
                                      QCoreApplication::processEvents(); // as the window's handler does
                                      Cancel = Progress >= CancelAt;
                                  });
        QCOMPARE(Got, QString("cancelled"));
        QVERIFY(Last >= CancelAt);
        QVERIFY(Last < quint32(fLarge.size()));
        if (CancelAt == 0)
            QCOMPARE(Calls, 1);
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    void handlerErrorEndsTheTransfer()
    {
        TWineDownloader Downloader;
        bool Raised = false;
        try {
            Downloader.Download(Url("/data/large.bin"), Target(),
                                [](QObject *, quint32 Progress, quint32, TDownloadStatus, const QString &, bool &) {
                                    if (Progress > 0)
                                        throw std::runtime_error("handler failed");
                                });
        } catch (const std::runtime_error &E) {
            Raised = QByteArray(E.what()) == "handler failed";
        }
        QVERIFY(Raised);
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    void secondDownloadOnTheSameOperationIsRefused()
    {
        // A handler that starts another transfer on the running operation
        // must not disturb it; a fresh operation works meanwhile.
        TWineDownloader Downloader;
        bool Refused = false;
        bool OtherDone = false;
        const QString Other = fTarget.filePath("other.bin");
        QCOMPARE(Fetch(Downloader, Url("/data/small.bin"), Target(),
                       [&](QObject *, quint32, quint32, TDownloadStatus Status, const QString &, bool &) {
                           if (Status != TDownloadStatus::Connecting)
                               return;
                           try {
                               Downloader.Download(Url("/data/large.bin"), Other, {});
                           } catch (const Exception &) {
                               Refused = true;
                           }
                           TWineDownloader Fresh;
                           Fresh.Download(Url("/data/large.bin"), Other, {});
                           OtherDone = true;
                       }),
                 QString());
        QVERIFY(Refused);
        QVERIFY(OtherDone);
        QCOMPARE(ReadFile(Target()), fSmall);
        QCOMPARE(ReadFile(Other), fLarge);
    }

    void eventsAreHandledWhileDownloading()
    {
        // No handler pumps events here: the downloader's own loop must run the timer.
        fServer->SetFault("/data/small.bin", TPackageFault::SlowBody(64 * 1024, 40));
        int Fired = 0;
        QTimer Timer;
        connect(&Timer, &QTimer::timeout, this, [&] { ++Fired; });
        Timer.start(5);
        TWineDownloader Downloader;
        QCOMPARE(Fetch(Downloader, Url("/data/small.bin"), Target()), QString());
        QVERIFY(Fired > 0);
        QCOMPARE(ReadFile(Target()), fSmall);
    }

    void unusableTargetFails_data()
    {
        QTest::addColumn<QString>("Name"); // below the target folder
        QTest::newRow("missing folder") << "no/such/folder/file.bin";
        QTest::newRow("a folder") << "folder";
    }

    void unusableTargetFails()
    {
        QFETCH(QString, Name);
        QVERIFY(QDir(fTarget.path()).mkpath("folder"));
        TWineDownloader Downloader;
        const QString Got = Fetch(Downloader, Url("/data/small.bin"), fTarget.filePath(Name));
        QVERIFY2(Got.startsWith("cannot create the file"), qPrintable(Got));
        QVERIFY(QFileInfo(fTarget.filePath("folder")).isDir());
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    // The target turns into a folder while the transfer runs: the final
    // rename fails, the folder's file is untouched and no temporary file stays.
    void failedRenameFails()
    {
        const QString Earlier = fTarget.filePath("target.bin/earlier.bin");
        TWineDownloader Downloader;
        const QString Got = Fetch(Downloader, Url("/data/small.bin"), Target(),
                                  [&](QObject *, quint32, quint32, TDownloadStatus Status, const QString &, bool &) {
                                      if (Status == TDownloadStatus::Connecting) {
                                          QVERIFY(QDir(fTarget.path()).mkdir("target.bin"));
                                          WriteFile(Earlier, "earlier");
                                      }
                                  });
        QVERIFY2(Got.startsWith("cannot rename the file"), qPrintable(Got));
        QCOMPARE(ReadFile(Earlier), QByteArray("earlier"));
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    // A dropped connection or a 5xx is tried again: with a range where the
    // server honours one, from the start where it does not or answers the
    // wrong range. The file arrives whole either way.
    void retriesResumeOrStartOver_data()
    {
        QTest::addColumn<TScriptedAnswer>("Answer");
        QTest::addColumn<QList<QByteArray>>("Ranges"); // the ranges asked, in order, by the requests that asked one
        QTest::addColumn<bool>("Forward");             // the progress never goes back, across tries too

        const QByteArray File = fSmall;
        QTest::newRow("two drops, ranges honoured") << TScriptedAnswer::Dropping(File, true, {100000, 200000})
                                                    << QList<QByteArray>{"bytes=100000-", "bytes=200000-"} << true;
        QTest::newRow("two drops, no ranges") << TScriptedAnswer::Dropping(File, false, {100000, 200000})
                                              << QList<QByteArray>{} << false;
        TScriptedAnswer Whole = TScriptedAnswer::Dropping(File, true, {100000});
        Whole.WholeForRange = true;
        QTest::newRow("range answered with the whole file") << Whole << QList<QByteArray>{"bytes=100000-"} << false;
        TScriptedAnswer Wrong = TScriptedAnswer::Dropping(File, true, {100000});
        Wrong.WrongRange = true;
        QTest::newRow("range answered from the wrong offset") << Wrong << QList<QByteArray>{"bytes=100000-"} << false;
        // A range that is consistent in itself (length, end, total) but
        // starts elsewhere than asked: its bytes do not continue the file.
        TScriptedAnswer Shifted = TScriptedAnswer::Dropping(File, true, {100000});
        Shifted.RangeShift = 1000;
        QTest::newRow("range answered from a later offset") << Shifted << QList<QByteArray>{"bytes=100000-"} << false;
    }

    void retriesResumeOrStartOver()
    {
        QFETCH(TScriptedAnswer, Answer);
        QFETCH(QList<QByteArray>, Ranges);
        QFETCH(bool, Forward);
        TScriptedServer Server({Answer});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        QList<TNotification> Seen;
        QCOMPARE(Fetch(Downloader, Server.Url("/f.bin"), Target(),
                       [&](QObject *Sender, quint32 Progress, quint32 Max, TDownloadStatus Status, const QString &,
                           bool &Cancel) { Seen.append({Sender, Progress, Max, Status, Cancel}); }),
                 QString());
        QCOMPARE(ReadFile(Target()), fSmall);
        QCOMPARE(TargetFolderEntries(), QStringList{"target.bin"});

        QList<QByteArray> Asked;
        for (const QByteArray &Request : Server.Requests)
            for (const QByteArray &Line : Request.split('\n'))
                if (Line.startsWith("Range: "))
                    Asked.append(Line.mid(7).trimmed());
        Asked.erase(std::unique(Asked.begin(), Asked.end()), Asked.end());
        QCOMPARE(Asked, Ranges);
        // A range answered wrongly is followed by a request for the whole file.
        if (Answer.WrongRange || Answer.RangeShift)
            QVERIFY(!Server.Requests.last().contains("\r\nRange:"));

        // Each try (from its Connecting notification) counts up once the
        // answer is known; with a honoured range it never goes back at all.
        quint32 Previous = 0;
        bool InBody = false;
        for (const TNotification &N : Seen) {
            if (N.Status == TDownloadStatus::Connecting)
                InBody = false;
            if (N.Status == TDownloadStatus::BeginDownloadData)
                InBody = true, Previous = Forward ? Previous : N.Progress;
            if (InBody || Forward) {
                QVERIFY2(N.Progress >= Previous, qPrintable(QStringLiteral("%1 after %2").arg(N.Progress).arg(Previous)));
                Previous = N.Progress;
            }
        }
        QCOMPARE(Seen.last().Progress, quint32(fSmall.size()));
    }

    // 5xx answers are tried again after a pause; the third try's file is kept.
    void serverErrorsAreRetried()
    {
        TScriptedServer Server({TScriptedAnswer::Fixed("HTTP/1.1 503 Busy\r\nContent-Length: 4", "busy"),
                                TScriptedAnswer::Fixed("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0"),
                                TScriptedAnswer::FileAnswer(fSmall, true)});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        QCOMPARE(Fetch(Downloader, Server.Url("/f.bin"), Target()), QString());
        QCOMPARE(ReadFile(Target()), fSmall);
        QCOMPARE(Server.Requests.size(), 3);
    }

    // Answers no download may take as a file, whether a server is broken or
    // hostile. Final refusals are not tried again; passing failures are, twice.
    void badAnswersFail_data()
    {
        QTest::addColumn<TScriptedAnswer>("Answer");
        QTest::addColumn<int>("Requests");  // 1: not tried again; 3: tried twice more
        QTest::addColumn<QString>("Reason"); // part of the failure reason
        QTest::addColumn<bool>("Dropped");   // the network layer may repeat a request whose connection dropped

        auto Fixed = [](const QByteArray &Head, const QByteArray &Body = {}) { return TScriptedAnswer::Fixed(Head, Body); };
        QTest::newRow("conflicting lengths")
            << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 11", "hello world") << 1
            << "conflicting Content-Length" << false;
        QTest::newRow("negative length") << Fixed("HTTP/1.1 200 OK\r\nContent-Length: -5", "hello") << 1
                                         << "Content-Length" << false;
        QTest::newRow("23-digit length")
            << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 12345678901234567890123", "hello") << 1 << "Content-Length" << false;
        QTest::newRow("length above the cap") << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 1000000000000000", "hello")
                                              << 1 << "exceeds the limit of 1048576 bytes" << false;
        QTest::newRow("length beside chunked")
            << Fixed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nContent-Length: 5", "5\r\nhello\r\n0\r\n\r\n")
            << 1 << "Transfer-Encoding" << false;
        TScriptedAnswer Endless = Fixed("HTTP/1.1 200 OK\r\nConnection: close");
        Endless.Endless = true;
        QTest::newRow("endless body without a length") << Endless << 1 << "more than 1048576 bytes" << false;
        TScriptedAnswer Trickle = Fixed("HTTP/1.1 200 OK\r\nContent-Length: 1000", QByteArray(1000, 'x'));
        Trickle.TrickleMsec = 40;
        QTest::newRow("trickle") << Trickle << 3 << "slower than 1000 bytes/s" << false;
        QTest::newRow("404") << Fixed("HTTP/1.1 404 Not Found\r\nContent-Length: 9", "not found") << 1
                             << "server answered 404" << false;
        QTest::newRow("403") << Fixed("HTTP/1.1 403 Forbidden\r\nContent-Length: 0") << 1 << "server answered 403" << false;
        QTest::newRow("503 every time") << Fixed("HTTP/1.1 503 Busy\r\nContent-Length: 0") << 3 << "server answered 503" << false;
        QTest::newRow("reset every time") << TScriptedAnswer::FileAnswer(fSmall, true, 1000) << 3 << "" << true;
        QTest::newRow("partial content not asked for")
            << Fixed("HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-4/5\r\nContent-Length: 5", "hello") << 1
            << "not asked for" << false;
        // A refused range needs a range asked for: without one it is a
        // plain failure, not a reason to ask again without one.
        QTest::newRow("416 to a request without a range")
            << Fixed("HTTP/1.1 416 Range Not Satisfiable\r\nContent-Length: 0") << 1 << "server answered 416" << false;
    }

    void badAnswersFail()
    {
        QFETCH(TScriptedAnswer, Answer);
        QFETCH(int, Requests);
        QFETCH(QString, Reason);
        QFETCH(bool, Dropped);
        TScriptedServer Server({Answer});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Target());
        QVERIFY2(!Got.isEmpty() && !Got.startsWith("wrong error"), qPrintable(Got));
        QVERIFY2(Got.contains(Reason), qPrintable(Got));
        // Exactly 1 + MaxRetries tries, not more; the network layer may send
        // a request again on its own when its connection dropped.
        if (Dropped) {
            QVERIFY(Server.Requests.size() >= Requests);
            QVERIFY(Server.Requests.size() <= 2 * Requests);
        } else {
            QCOMPARE(Server.Requests.size(), Requests);
        }
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    // The size cap is the largest file accepted: a file of exactly that size
    // downloads, one byte more is refused, whether its length is announced or
    // the body simply ends.
    void fileAtTheSizeCap_data()
    {
        QTest::addColumn<TScriptedAnswer>("Answer");
        QTest::addColumn<qint64>("Cap");
        QTest::addColumn<QString>("Reason"); // empty: downloads

        const qint64 Size = fSmall.size();
        const TScriptedAnswer Announced = TScriptedAnswer::FileAnswer(fSmall, false);
        const TScriptedAnswer Unannounced = TScriptedAnswer::Fixed("HTTP/1.1 200 OK", fSmall);
        QTest::newRow("announced, at the cap") << Announced << Size << QString();
        QTest::newRow("announced, one byte over") << Announced << Size - 1 << "exceeds the limit";
        QTest::newRow("unannounced, at the cap") << Unannounced << Size << QString();
        QTest::newRow("unannounced, one byte over") << Unannounced << Size - 1 << "more than";
    }

    void fileAtTheSizeCap()
    {
        QFETCH(TScriptedAnswer, Answer);
        QFETCH(qint64, Cap);
        QFETCH(QString, Reason);
        TScriptedServer Server({Answer});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        Downloader.SetMaxFileBytes(Cap);
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Target());
        if (Reason.isEmpty()) {
            QCOMPARE(Got, QString());
            QCOMPARE(ReadFile(Target()), fSmall);
        } else {
            QVERIFY2(Got.contains(Reason), qPrintable(Got));
            QCOMPARE(TargetFolderEntries(), QStringList());
        }
    }

    // The head of an answer is bounded (64 KiB in all, 100 header lines) as
    // its bytes arrive: a hostile head is refused without waiting for its
    // end, is not asked for again, and leaves no file. Heads at the bounds
    // download as usual.
    void responseHeadBounds_data()
    {
        QTest::addColumn<TScriptedAnswer>("Answer");
        QTest::addColumn<QString>("Reason"); // empty: downloads "hello"

        auto Fixed = [](const QByteArray &Head) { return TScriptedAnswer::Fixed(Head, "hello"); };
        QTest::newRow("20 MB header line") << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nX-Big: "
                                                    + QByteArray(20 * 1024 * 1024, 'a'))
                                           << "head is longer than 65536 bytes";
        QTest::newRow("100,000 header lines")
            << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 5" + QByteArray("\r\nX-Line: v").repeated(100000))
            << "more than 100 header lines";
        TScriptedAnswer Endless = TScriptedAnswer::Fixed("HTTP/1.1 200 OK");
        Endless.EndlessHead = true;
        QTest::newRow("a head that never ends") << Endless << "more than 100 header lines";
        QTest::newRow("interim heads without end")
            << Fixed(QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(20000) + "HTTP/1.1 200 OK\r\nContent-Length: 5")
            << "head is longer than 65536 bytes";
        // At the bounds: the status line, Content-Length and the padding
        // header with their line ends, and the blank line, make 65,536 bytes.
        const QByteArray Start = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nX-Pad: ";
        const int Pad = 65536 - Start.size() - 4;
        QTest::newRow("head of 65,536 bytes") << Fixed(Start + QByteArray(Pad, 'p')) << QString();
        QTest::newRow("head of 65,537 bytes") << Fixed(Start + QByteArray(Pad + 1, 'p'))
                                              << "head is longer than 65536 bytes";
        QTest::newRow("100 header lines")
            << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 5" + QByteArray("\r\nX-Line: v").repeated(99)) << QString();
        QTest::newRow("101 header lines")
            << Fixed("HTTP/1.1 200 OK\r\nContent-Length: 5" + QByteArray("\r\nX-Line: v").repeated(100))
            << "more than 100 header lines";
        QTest::newRow("interim head before the answer")
            << Fixed("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 5") << QString();
        QTest::newRow("no status line") << Fixed("hello\r\nContent-Length: 5") << "malformed status line";
    }

    void responseHeadBounds()
    {
        QFETCH(TScriptedAnswer, Answer);
        QFETCH(QString, Reason);
        TScriptedServer Server({Answer});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Target());
        if (Reason.isEmpty()) {
            QCOMPARE(Got, QString());
            QCOMPARE(ReadFile(Target()), QByteArray("hello"));
        } else {
            QVERIFY2(Got.contains(Reason), qPrintable(Got));
            QCOMPARE(TargetFolderEntries(), QStringList());
        }
        QCOMPARE(Server.Requests.size(), 1);
    }

    // The body's end as the head gives it: a length, chunks, or the close.
    // The bytes are kept as sent, a content coding included; a broken
    // chunked body is refused.
    void bodyFramings_data()
    {
        QTest::addColumn<TScriptedAnswer>("Answer");
        QTest::addColumn<QByteArray>("File");  // what the file holds
        QTest::addColumn<QString>("Reason");   // empty: downloads File

        auto Fixed = [](const QByteArray &Head, const QByteArray &Body) { return TScriptedAnswer::Fixed(Head, Body); };
        const QByteArray Chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked";
        QTest::newRow("chunked") << Fixed(Chunked, "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n") << QByteArray("hello world")
                                 << QString();
        QTest::newRow("chunked, extensions and a trailer")
            << Fixed(Chunked, "005;name=v\r\nhello\r\nA\r\n0123456789\r\n0\r\nX-Sum: 1\r\n\r\n")
            << QByteArray("hello0123456789") << QString();
        QTest::newRow("chunked, a large chunk") << Fixed(Chunked, "4B000\r\n" + fSmall + "\r\n0\r\n\r\n") << fSmall << QString();
        QTest::newRow("until the close, HTTP/1.0") << Fixed("HTTP/1.0 200 OK", fSmall) << fSmall << QString();
        const QByteArray Gzip = QByteArray::fromHex("1f8b08000000000000034bcbcf07002165738c03000000");
        QTest::newRow("gzip coding kept as sent")
            << Fixed("HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: " + QByteArray::number(Gzip.size()), Gzip)
            << Gzip << QString();
        QTest::newRow("malformed chunk size") << Fixed(Chunked, "zz\r\nhello\r\n0\r\n\r\n") << QByteArray()
                                              << "malformed chunk size";
        QTest::newRow("chunk longer than its size") << Fixed(Chunked, "3\r\nhello\r\n0\r\n\r\n") << QByteArray()
                                                    << "a chunk longer than its size";
        QTest::newRow("endless chunk-size line") << Fixed(Chunked, QByteArray(4096, '0')) << QByteArray()
                                                 << "chunk-size line longer than 1024 bytes";
    }

    void bodyFramings()
    {
        QFETCH(TScriptedAnswer, Answer);
        QFETCH(QByteArray, File);
        QFETCH(QString, Reason);
        TScriptedServer Server({Answer});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Target());
        if (Reason.isEmpty()) {
            QCOMPARE(Got, QString());
            QCOMPARE(ReadFile(Target()), File);
        } else {
            QVERIFY2(Got.contains(Reason), qPrintable(Got));
            QCOMPARE(TargetFolderEntries(), QStringList());
            QCOMPARE(Server.Requests.size(), 1);
        }
        QVERIFY(Server.Requests.first().contains("\r\nAccept-Encoding: identity"));
    }

    // With http_proxy set, a plain http download goes to the proxy with the
    // whole URL as its target, as the system's proxy settings say; loopback
    // hosts never go through a proxy (every other test relies on that).
    void plainHttpGoesThroughTheProxy()
    {
        TScriptedServer Proxy({TScriptedAnswer::FileAnswer(fSmall, false)});
        QVERIFY(Proxy.isListening());
        const QByteArray Saved = qgetenv("http_proxy");
        const QByteArray SavedNo = qgetenv("no_proxy");
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(Proxy.serverPort()));
        qunsetenv("no_proxy");
        TWineDownloader Downloader;
        Quick(Downloader);
        const QString Got = Fetch(Downloader, QStringLiteral("http://downloads.invalid/data/f.bin?v=1"), Target());
        Saved.isNull() ? qunsetenv("http_proxy") : qputenv("http_proxy", Saved);
        if (!SavedNo.isNull())
            qputenv("no_proxy", SavedNo);
        QCOMPARE(Got, QString());
        QCOMPARE(ReadFile(Target()), fSmall);
        QCOMPARE(Proxy.Requests.size(), 1);
        QVERIFY2(Proxy.Requests.first().startsWith("GET http://downloads.invalid/data/f.bin?v=1 HTTP/1.1\r\n"),
                 Proxy.Requests.first().constData());
        QVERIFY(Proxy.Requests.first().contains("\r\nHost: downloads.invalid\r\n"));
    }

    // An https download is tunnelled through the proxy (CONNECT to the
    // host asked for) and its TLS handshake runs through the tunnel: the
    // test certificate names only loopback addresses, so the handshake for
    // the name asked for fails at the far end of the tunnel, and nothing
    // reaches the server as plain HTTP.
    void httpsIsTunnelledThroughTheProxy()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS backend");
        TScriptedServer Server({TScriptedAnswer::FileAnswer(fSmall, true)}, true);
        QVERIFY(Server.isListening() && Server.TlsReady());
        // A tunnelling proxy that takes every CONNECT to the TLS server.
        QTcpServer Proxy;
        QList<QByteArray> Asked;
        connect(&Proxy, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *In = Proxy.nextPendingConnection();
            auto *Out = new QTcpSocket(In);
            connect(In, &QTcpSocket::readyRead, In, [&Asked, &Server, In, Out] {
                if (Out->state() != QAbstractSocket::UnconnectedState) {
                    Out->write(In->readAll());
                    return;
                }
                QByteArray Head = In->property("Head").toByteArray() + In->readAll();
                const qsizetype End = Head.indexOf("\r\n\r\n");
                In->setProperty("Head", Head);
                if (End < 0)
                    return;
                Asked.append(Head.left(End));
                connect(Out, &QTcpSocket::connected, In,
                        [In] { In->write("HTTP/1.1 200 Connection established\r\n\r\n"); });
                connect(Out, &QTcpSocket::readyRead, In, [In, Out] { In->write(Out->readAll()); });
                connect(Out, &QTcpSocket::disconnected, In, [In] { In->disconnectFromHost(); });
                Out->connectToHost(QHostAddress::LocalHost, Server.serverPort());
            });
            connect(In, &QTcpSocket::disconnected, In, &QObject::deleteLater);
        });
        QVERIFY(Proxy.listen(QHostAddress::LocalHost));
        const QByteArray Saved = qgetenv("https_proxy");
        const QByteArray SavedNo = qgetenv("no_proxy");
        qputenv("https_proxy", "http://127.0.0.1:" + QByteArray::number(Proxy.serverPort()));
        qunsetenv("no_proxy");
        TWineDownloader Downloader;
        Quick(Downloader);
        Downloader.SetCaCertificates(QSslCertificate::fromPath(TlsFile("ca.pem")));
        const QString Url = QStringLiteral("https://downloads.invalid:%1/f.bin").arg(Server.serverPort());
        const QString Got = Fetch(Downloader, Url, Target());
        Saved.isNull() ? qunsetenv("https_proxy") : qputenv("https_proxy", Saved);
        if (!SavedNo.isNull())
            qputenv("no_proxy", SavedNo);
        QVERIFY(!Asked.isEmpty());
        QVERIFY2(Asked.first().startsWith("CONNECT downloads.invalid:" + QByteArray::number(Server.serverPort()) + " HTTP/1.1"),
                 Asked.first().constData());
        QVERIFY2(Got.contains("TLS handshake failed"), qPrintable(Got));
        QCOMPARE(Server.Requests.size(), 0);
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    // A cancel pressed while the downloader waits before another try ends
    // the wait at once: the handler is asked during the pause. The pause here
    // is a minute; the watchdog (half of it) fires only if the cancel had to
    // wait for the pause to end.
    void cancelEndsRetryPause()
    {
        TScriptedServer Server({TScriptedAnswer::Fixed("HTTP/1.1 503 Busy\r\nContent-Length: 0")});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Downloader.SetRetryPause(60000);
        bool Pressed = false;
        bool PauseRanOn = false;
        QTimer Watchdog;
        Watchdog.setSingleShot(true);
        connect(&Watchdog, &QTimer::timeout, this, [&] { PauseRanOn = true; });
        // The press comes once the first try has been answered, as a click
        // would: from the event loop, not from the handler.
        QTimer Press;
        connect(&Press, &QTimer::timeout, this, [&] {
            if (!Pressed && Server.Requests.size() == 1) {
                Pressed = true;
                Watchdog.start(30000);
            }
        });
        Press.start(5);
        int CallsAfterPress = 0;
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Target(),
                                  [&](QObject *, quint32, quint32, TDownloadStatus, const QString &, bool &Cancel) {
                                      if (Pressed)
                                          ++CallsAfterPress;
                                      Cancel = Pressed;
                                  });
        Press.stop();
        Watchdog.stop();
        QCOMPARE(Got, QString("cancelled"));
        QVERIFY2(!PauseRanOn, "the cancel waited for the retry pause to end");
        QCOMPARE(Server.Requests.size(), 1);
        QCOMPARE(CallsAfterPress, 1);
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    // A slow transfer above the speed floor goes on for many periods.
    void slowButMovingTransferCompletes()
    {
        TScriptedAnswer Slow = TScriptedAnswer::Fixed("HTTP/1.1 200 OK\r\nContent-Length: 600", fSmall.left(600));
        Slow.TrickleMsec = 2;
        TScriptedServer Server({Slow});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Downloader.SetLowSpeedLimit(100);
        Downloader.SetLowSpeedTime(150);
        QCOMPARE(Fetch(Downloader, Server.Url("/f.bin"), Target()), QString());
        QCOMPARE(ReadFile(Target()), fSmall.left(600));
        QCOMPARE(Server.Requests.size(), 1);
    }

    // https through a local TLS server whose certificate a test authority
    // signed: trusted through the setter or the environment, refused
    // otherwise, and never redirected down to plain http.
    void https_data()
    {
        QTest::addColumn<QString>("Trust"); // "setter", "environment", "none"
        QTest::addColumn<bool>("ToHttp");   // the server redirects to a plain http server
        QTest::addColumn<QString>("Reason");
        QTest::newRow("trusted by the setter") << "setter" << false << "";
        QTest::newRow("trusted by the environment") << "environment" << false << "";
        QTest::newRow("unknown authority") << "none" << false << "TLS handshake failed";
        QTest::newRow("redirect to http") << "setter" << true << "redirect from https to http refused";
    }

    void https()
    {
        QFETCH(QString, Trust);
        QFETCH(bool, ToHttp);
        QFETCH(QString, Reason);
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS backend");
        TScriptedServer Plain({TScriptedAnswer::FileAnswer(fSmall, false)});
        TScriptedServer Server({ToHttp ? TScriptedAnswer::Fixed("HTTP/1.1 302 Found\r\nContent-Length: 0\r\nLocation: "
                                                                + Plain.Url("/f.bin").toUtf8())
                                       : TScriptedAnswer::FileAnswer(fSmall, true)},
                               true);
        QVERIFY(Plain.isListening() && Server.isListening() && Server.TlsReady());

        if (Trust == "environment")
            qputenv(TWineDownloader::CaFileVariable, QFile::encodeName(TlsFile("ca.pem")));
        TWineDownloader Downloader;
        qunsetenv(TWineDownloader::CaFileVariable);
        Quick(Downloader);
        if (Trust == "setter")
            Downloader.SetCaCertificates(QSslCertificate::fromPath(TlsFile("ca.pem")));
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Target());
        if (Reason.isEmpty()) {
            QCOMPARE(Got, QString());
            QCOMPARE(ReadFile(Target()), fSmall);
        } else {
            QVERIFY2(Got.contains(Reason), qPrintable(Got));
            QCOMPARE(TargetFolderEntries(), QStringList());
            QCOMPARE(Plain.Requests.size(), 0);
        }
    }

    void unreadableCaFileFails()
    {
        qputenv(TWineDownloader::CaFileVariable, QFile::encodeName(fTarget.filePath("none.pem")));
        TWineDownloader Downloader;
        qunsetenv(TWineDownloader::CaFileVariable);
        const QString Got = Fetch(Downloader, Url("/data/small.bin"), Target());
        QVERIFY2(Got.contains(TWineDownloader::CaFileVariable), qPrintable(Got));
        QCOMPARE(TargetFolderEntries(), QStringList());
    }

    // A full disk on a small tmpfs: a known length that does not fit is
    // refused before a byte is written; a body without a length ends with
    // the system's own error text. Either way the disk is empty afterwards.
    void fullDisk_data()
    {
        QTest::addColumn<TScriptedAnswer>("Answer");
        QTest::addColumn<QString>("Reason");
        QTest::newRow("known length") << TScriptedAnswer::FileAnswer(QByteArray(2 * 1024 * 1024, 'x'), false)
                                      << "not enough free space";
        TScriptedAnswer Endless = TScriptedAnswer::Fixed("HTTP/1.1 200 OK\r\nConnection: close");
        Endless.Endless = true;
        QTest::newRow("unknown length") << Endless << QString::fromLocal8Bit(std::strerror(ENOSPC));
    }

    void fullDisk()
    {
        QFETCH(TScriptedAnswer, Answer);
        QFETCH(QString, Reason);
        QTemporaryDir Mount;
        const QByteArray Path = QFile::encodeName(Mount.path());
        if (::mount("tmpfs", Path.constData(), "tmpfs", 0, "size=1m") != 0)
            QSKIP("mounting a small tmpfs needs root");
        struct TUnmount
        {
            QByteArray Path;
            ~TUnmount() { ::umount2(Path.constData(), MNT_DETACH); }
        } Unmount{Path};

        TScriptedServer Server({Answer});
        QVERIFY(Server.isListening());
        TWineDownloader Downloader;
        Quick(Downloader);
        Downloader.SetMaxFileBytes(qint64(1) << 30);
        const QString Got = Fetch(Downloader, Server.Url("/f.bin"), Mount.filePath("target.bin"));
        QVERIFY2(Got.contains(Reason), qPrintable(Got));
        QCOMPARE(QDir(Mount.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
        QCOMPARE(Server.Requests.size(), 1);
    }

    void downloadedFileHasNewFilePermissions()
    {
        // Not the temporary file's owner-only mode: what the umask allows a new file.
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        TWineDownloader Downloader;
        QCOMPARE(Fetch(Downloader, Url("/data/small.bin"), Target()), QString());
        const QFileDevice::Permissions Got = QFileInfo(Target()).permissions();
        QVERIFY(Got.testFlag(QFileDevice::ReadOwner) && Got.testFlag(QFileDevice::WriteOwner));
        QCOMPARE(Got.testFlag(QFileDevice::ReadGroup), !(Mask & S_IRGRP));
        QCOMPARE(Got.testFlag(QFileDevice::ReadOther), !(Mask & S_IROTH));
        QVERIFY(!Got.testFlag(QFileDevice::ExeOther));
    }

    void freeFunctionDownloads()
    {
        WineDownloadFile(Url("/data/small.bin"), Target(), {});
        QCOMPARE(ReadFile(Target()), fSmall);
        QVERIFY_THROWS_EXCEPTION(Exception, WineDownloadFile(Url("/data/none.bin"), Target(), {}));
    }

    void scaleProgress_data()
    {
        QTest::addColumn<qint64>("Received");
        QTest::addColumn<qint64>("Total");
        QTest::addColumn<quint32>("Progress");
        QTest::addColumn<quint32>("Max");
        constexpr qint64 IntMax = std::numeric_limits<qint32>::max();
        QTest::newRow("small") << qint64(5) << qint64(10) << quint32(5) << quint32(10);
        QTest::newRow("unknown total") << qint64(123) << qint64(0) << quint32(123) << quint32(0);
        QTest::newRow("unknown total, huge") << qint64(5) * IntMax << qint64(0) << quint32(IntMax) << quint32(0);
        QTest::newRow("int max fits") << IntMax << IntMax << quint32(IntMax) << quint32(IntMax);
        QTest::newRow("6 GiB, half") << (qint64(3) << 30) << (qint64(6) << 30) << quint32(3u << 28) << quint32(6u << 28);
        QTest::newRow("more than announced") << qint64(20) << qint64(10) << quint32(10) << quint32(10);
    }

    void scaleProgress()
    {
        QFETCH(qint64, Received);
        QFETCH(qint64, Total);
        const TDownloadProgressValues Values = ScaleDownloadProgress(Received, Total);
        QTEST(quint32(Values.Progress), "Progress");
        QTEST(quint32(Values.ProgressMax), "Max");
    }
};

QTEST_GUILESS_MAIN(TestWineDownload)
#include "tst_wine_download.moc"
