// The installer program itself, unattended, on real Wine: no display, a
// fresh prefix it makes itself, the package server on 127.0.0.1 serving the
// demo packages in this process (so a test can make it refuse or slow a
// package). Its exit codes and its log, read line by line, are checked.
// Started by run_unattended_e2e.sh.

#include "installer/exit_codes.h"
#include "installer/package_manifest.h"
#include "installer/package_server/package_server.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

namespace {
const QString NativePath = QStringLiteral("/data/sqllocaldb/nativeclient/64bit/sqlncli.msi");
const QString NetPath = QStringLiteral("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe");

struct TResult
{
    int Code = -1;
    QStringList Log; // without the time stamps
    QString Output;
};

// The exit status this process reads of an exit code.
int Seen(int Code)
{
    return ExitStatusSeen(Code, true);
}

bool HasLine(const QStringList &Log, const QString &Part)
{
    for (const QString &Line : Log)
        if (Line.contains(Part))
            return true;
    return false;
}

QStringList ReadLog(const QString &FileName)
{
    QStringList Lines;
    QFile F(FileName);
    if (F.open(QIODevice::ReadOnly))
        for (const QByteArray &Line : F.readAll().split('\n'))
            if (!Line.isEmpty())
                Lines << QString::fromUtf8(Line).section(u' ', 2);
    return Lines;
}

QStringList Steps(const QStringList &Log)
{
    QStringList Result;
    for (const QString &Line : Log)
        if (Line.startsWith(QLatin1String("step: ")))
            Result << Line.mid(6);
    return Result;
}

// Files below Folder whose names end like a download's parts.
QStringList PartFiles(const QString &Folder)
{
    QStringList Found;
    QDirIterator It(Folder, {QStringLiteral("*.part")}, QDir::Files, QDirIterator::Subdirectories);
    while (It.hasNext())
        Found << It.next();
    return Found;
}
} // namespace

class TestUnattendedE2EWine : public QObject
{
    Q_OBJECT
    QString Packages, RestartNet;
    QTemporaryDir Work;
    std::unique_ptr<TPackageServer> Server;
    int LogNumber = 0;

    // Starts the installer with Arguments (a log of its own added) and waits
    // for it while this process serves; OnLine sees each new log line as it
    // is flushed.
    TResult Run(const QStringList &Arguments, const std::function<void(const QString &, QProcess &)> &OnLine = {})
    {
        TResult R;
        const QString LogName = Work.filePath(QStringLiteral("run%1.log").arg(++LogNumber));
        QProcess Program;
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        for (const char *Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DILNEX_DOWNLOAD_SERVER"})
            Environment.remove(QLatin1String(Name));
        Program.setProcessEnvironment(Environment);
        Program.setProcessChannelMode(QProcess::MergedChannels);
        Program.start(QStringLiteral(INSTALLER_PROGRAM), Arguments + QStringList{QStringLiteral("--log"), LogName});
        if (!Program.waitForStarted())
            return R;
        int Seen = 0;
        QDeadlineTimer Limit(10 * 60 * 1000);
        while (Program.state() != QProcess::NotRunning && !Limit.hasExpired()) {
            QTest::qWait(100);
            if (OnLine) {
                const QStringList Lines = ReadLog(LogName);
                for (; Seen < Lines.size(); ++Seen)
                    OnLine(Lines[Seen], Program);
            }
        }
        if (Program.state() != QProcess::NotRunning) {
            Program.kill();
            Program.waitForFinished();
            return R;
        }
        R.Code = Program.exitStatus() == QProcess::NormalExit ? Program.exitCode() : -1;
        R.Output = QString::fromLocal8Bit(Program.readAll());
        R.Log = ReadLog(LogName);
        return R;
    }

    // The exit code and the log's end, for a failure message.
    static QString Report(const TResult &R)
    {
        return QStringLiteral("exit code %1; %2; log ends: %3")
            .arg(R.Code)
            .arg(R.Output.right(300), R.Log.mid(qMax(0, R.Log.size() - 8)).join(QStringLiteral(" / ")));
    }
    QStringList Prefix(const QString &Name) { return {QStringLiteral("--prefix"), Work.filePath(Name)}; }
    QStringList Quiet() { return {QStringLiteral("--quiet"), QStringLiteral("--server"), Server->BaseUrl()}; }
    // The prefix's temporary folder, as the run logged it.
    static QString TempOf(const QStringList &Log)
    {
        const QString Mark = QStringLiteral("platform: temporary folder ");
        for (const QString &Line : Log)
            if (Line.startsWith(Mark))
                return Line.mid(Mark.size());
        return {};
    }

private slots:
    void initTestCase()
    {
        Packages = qEnvironmentVariable("GLOTTA_E2E_PACKAGES");
        RestartNet = qEnvironmentVariable("GLOTTA_E2E_RESTART");
        if (Packages.isEmpty())
            QSKIP("run through run_unattended_e2e.sh");
        Server = std::make_unique<TPackageServer>(Packages);
        QVERIFY(Server->Listen());
    }

    void init() { Server->ClearFaults(); }

    // A fresh prefix, no display: all three steps, exit 0 and a log that
    // tells it; run again, nothing to do.
    void quietWholeRunThenNothingToDo()
    {
        TResult R = Run(Quiet() + Prefix("prefix-a"));
        QVERIFY2(R.Code == Seen(ExitDone), qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1", "2", "3"}));
        QVERIFY(R.Log.first().startsWith("start: dilnex-local-setup "));
        QVERIFY(HasLine(R.Log, "command line: "));
        QVERIFY(HasLine(R.Log, "platform: 64-bit yes"));
        QVERIFY(HasLine(R.Log, "download: " + Server->BaseUrl() + NativePath));
        QVERIFY(HasLine(R.Log, "run: msiexec /i "));
        QVERIFY(HasLine(R.Log, "run ended: exit code 0"));
        QVERIFY(R.Log.last().startsWith("end: exit code 0 (done)"));

        const int Requests = Server->RequestCount(NetPath);
        R = Run(Quiet() + Prefix("prefix-a"));
        QCOMPARE(R.Code, Seen(ExitDone));
        QCOMPARE(Steps(R.Log), QStringList{"continue"});
        QVERIFY(HasLine(R.Log, "probe: Dilnex 8 present"));
        QCOMPARE(Server->RequestCount(NetPath), Requests);
    }

    // The server refuses the second package: 1603, the log names the URL
    // and the reason, step 2 never runs. Then SIGTERM during a slow
    // download: 1602 and no part of the file left.
    void quietFailureThenTerminate()
    {
        const QString DatabasePath = QStringLiteral("/data/sqllocaldb/2022/sqllocaldb.msi");
        const int DatabaseRequests = Server->RequestCount(DatabasePath); // by the tests before
        Server->SetFault(NativePath, TPackageFault::AnswerStatus(403));
        TResult R = Run(Quiet() + Prefix("prefix-b"));
        QVERIFY2(R.Code == Seen(ExitFailure), qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1"}));
        QVERIFY(HasLine(R.Log, "download failed after"));
        QVERIFY(HasLine(R.Log, Server->BaseUrl() + NativePath));
        QVERIFY(HasLine(R.Log, "server answered 403"));
        QCOMPARE(Server->RequestCount(DatabasePath), DatabaseRequests);
        QVERIFY(R.Log.last().startsWith("end: exit code 1603 (failed)"));

        Server->SetFault(NativePath, TPackageFault::SlowBody(100, 50));
        bool Sent = false;
        R = Run(Quiet() + Prefix("prefix-b"), [&](const QString &Line, QProcess &Program) {
            if (!Sent && Line.startsWith("download: ")) {
                QTest::qWait(500); // some bytes on their way
                ::kill(pid_t(Program.processId()), SIGTERM);
                Sent = true;
            }
        });
        QVERIFY(Sent);
        QVERIFY2(R.Code == Seen(ExitUserCancel), qPrintable(Report(R)));
        QVERIFY(HasLine(R.Log, "signal: terminate"));
        QVERIFY(!TempOf(R.Log).isEmpty());
        QVERIFY(!QFile::exists(TempOf(R.Log) + "sqlncli.msi"));
        QCOMPARE(PartFiles(Work.filePath("prefix-b")), QStringList());
    }

    // --layout, then --source with the server stopped; the .NET stand-in of
    // the folder asks for a restart: step 1 ends with its other package, the
    // run with 3010, and the next run goes on with step 2. A file altered in
    // the folder fails the run (1603, even beside .NET's restart request)
    // before it runs, and the log says which. A file altered in the folder is
    // refused before it runs, and the log says which.
    void layoutSourceRestart()
    {
        if (RestartNet.isEmpty())
            QSKIP("no restart stand-in");
        const QString Layout = Work.filePath(QStringLiteral("layout"));
        TResult R = Run(QStringList{QStringLiteral("--layout"), Layout, QStringLiteral("--server"), Server->BaseUrl()}
                        + Prefix("prefix-layout"));
        QVERIFY2(R.Code == Seen(ExitDone), qPrintable(Report(R)));
        for (const QString &Path : AllPackagePaths())
            QVERIFY2(QFile::exists(Layout + Path), qPrintable(Path));
        QVERIFY(QFile::exists(Layout + "/" + PackageManifestName));

        // The folder's .NET asks for a restart: swapped in with its manifest line.
        QVERIFY(QFile::remove(Layout + NetPath));
        QVERIFY(QFile::copy(RestartNet, Layout + NetPath));
        {
            QFile M(Layout + "/" + PackageManifestName);
            QVERIFY(M.open(QIODevice::ReadOnly));
            QString Text = QString::fromUtf8(M.readAll());
            M.close();
            QStringList Lines = Text.split(u'\n');
            const TManifestEntry E = TPackageManifest::Describe(Layout + NetPath);
            for (QString &Line : Lines)
                if (Line.endsWith(NetPath))
                    Line = QStringLiteral("%1 %2 %3").arg(E.Sha256).arg(E.Size).arg(NetPath);
            QVERIFY(M.open(QIODevice::WriteOnly | QIODevice::Truncate));
            M.write(Lines.join(u'\n').toUtf8());
        }

        Server.reset(); // stopped
        const QStringList FromFolder{QStringLiteral("--quiet"), QStringLiteral("--source"), Layout};
        R = Run(FromFolder + Prefix("prefix-c"));
        QVERIFY2(R.Code == Seen(ExitRestartRequired), qPrintable(Report(R)));
        QVERIFY(HasLine(R.Log, "run ended: exit code 3010"));
        QVERIFY(HasLine(R.Log, "restart required: "));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1"}));
        R = Run(FromFolder + Prefix("prefix-c"));
        QVERIFY2(R.Code == Seen(ExitDone), qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "2", "3"}));
        QVERIFY(!HasLine(R.Log, "dotnetfx40_full_x86_x64.exe (in")); // .NET is in: not run again

        QFile Changed(Layout + NativePath);
        QVERIFY(Changed.open(QIODevice::Append));
        Changed.write("altered");
        Changed.close();
        R = Run(FromFolder + Prefix("prefix-d"));
        QVERIFY2(R.Code == Seen(ExitFailure), qPrintable(Report(R)));
        QVERIFY(HasLine(R.Log, "refused: " + NativePath + " differs from the manifest"));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1"}));
        for (const QString &Line : R.Log)
            QVERIFY2(!(Line.startsWith("run: ") && Line.contains("sqlncli.msi")), qPrintable(Line));
    }
};

QTEST_GUILESS_MAIN(TestUnattendedE2EWine)
#include "tst_unattended_e2e_wine.moc"
