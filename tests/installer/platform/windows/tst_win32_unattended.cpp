// The installer program built for Windows, started by this test the way a
// deployment script starts it: the command line, the exit codes as a Windows
// parent reads them (whole, 3010 is 3010), the log read line by line, --quiet
// and --passive, an offline folder made by --layout and used by --source, a
// component asking for a restart. Run by run_win32_installer.sh under Wine in
// a fresh prefix of its own, with the demo packages served by this process.

#include "installer/exit_codes.h"
#include "installer/package_manifest.h"
#include "installer/package_server/package_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

namespace {
const QString NetPath = QStringLiteral("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe");
const QString DatabasePath = QStringLiteral("/data/sqllocaldb/2022/sqllocaldb.msi");
const QString SetupPath = QStringLiteral("/data/dilnex8/dilnex8.exe");

struct TResult
{
    int Code = -1;
    QStringList Log; // without the time stamps
    QString Output;
};

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
        for (QByteArray Line : F.readAll().split('\n')) {
            Line = Line.trimmed();
            if (!Line.isEmpty())
                Lines << QString::fromUtf8(Line).section(u' ', 2);
        }
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

// Replaces the manifest line of Path with what the folder now holds there.
bool Redescribe(const QString &Folder, const QString &Path)
{
    QFile M(Folder + u'/' + QLatin1String(PackageManifestName));
    if (!M.open(QIODevice::ReadOnly))
        return false;
    QStringList Lines = QString::fromUtf8(M.readAll()).split(u'\n');
    M.close();
    const TManifestEntry E = TPackageManifest::Describe(Folder + Path);
    for (QString &Line : Lines)
        if (Line.trimmed().endsWith(Path))
            Line = QStringLiteral("%1 %2 %3").arg(E.Sha256).arg(E.Size).arg(Path);
    if (!M.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    M.write(Lines.join(u'\n').toUtf8());
    return true;
}
} // namespace

class TestWin32Unattended : public QObject
{
    Q_OBJECT
    QString Program, Packages, RestartNet;
    QTemporaryDir Work;
    std::unique_ptr<TPackageServer> Server;
    int LogNumber = 0;

    // Starts the installer with Arguments (and a log of its own) and serves
    // while it runs. Environment changes the variables it is started with.
    TResult Run(const QStringList &Arguments, const std::function<void(QProcessEnvironment &)> &Environment = {})
    {
        TResult R;
        const QString LogName = Work.filePath(QStringLiteral("run%1.log").arg(++LogNumber));
        QProcess Setup;
        QProcessEnvironment Variables = QProcessEnvironment::systemEnvironment();
        // A quiet run chooses its platform itself; this one has no other.
        for (const char *Name : {"QT_QPA_PLATFORM", "DILNEX_DOWNLOAD_SERVER"})
            Variables.remove(QLatin1String(Name));
        if (Environment)
            Environment(Variables);
        Setup.setProcessEnvironment(Variables);
        Setup.setProcessChannelMode(QProcess::MergedChannels);
        Setup.start(Program, Arguments + QStringList{QStringLiteral("--log"), LogName});
        if (!Setup.waitForStarted())
            return R;
        QDeadlineTimer Limit(8 * 60 * 1000);
        while (Setup.state() != QProcess::NotRunning && !Limit.hasExpired())
            QTest::qWait(100);
        if (Setup.state() != QProcess::NotRunning) {
            Setup.kill();
            Setup.waitForFinished();
            return R;
        }
        R.Code = Setup.exitStatus() == QProcess::NormalExit ? Setup.exitCode() : -1;
        R.Output = QString::fromLocal8Bit(Setup.readAll());
        R.Log = ReadLog(LogName);
        return R;
    }
    static QString Report(const TResult &R)
    {
        return QStringLiteral("exit code %1; %2; log ends: %3")
            .arg(R.Code)
            .arg(R.Output.right(300), R.Log.mid(qMax(0, R.Log.size() - 8)).join(QStringLiteral(" / ")));
    }
    QStringList Quiet() { return {QStringLiteral("--quiet"), QStringLiteral("--server"), Server->BaseUrl()}; }
    QString Layout() { return Work.filePath(QStringLiteral("layout")); }

private slots:
    void initTestCase()
    {
        Program = qEnvironmentVariable("GLOTTA_WIN32_SETUP");
        Packages = qEnvironmentVariable("GLOTTA_E2E_PACKAGES");
        RestartNet = qEnvironmentVariable("GLOTTA_E2E_RESTART");
        if (Program.isEmpty() || Packages.isEmpty() || RestartNet.isEmpty())
            QSKIP("run through run_win32_installer.sh");
        QVERIFY(Work.isValid());
        Server = std::make_unique<TPackageServer>(Packages);
        QVERIFY(Server->Listen());
    }
    void init()
    {
        if (Server)
            Server->ClearFaults();
    }

    // What the program answers before it makes any window; a Windows
    // parent reads the exit code whole.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("output");
        QTest::newRow("help") << QStringList{"--help"} << int(ExitDone)
                              << QStringList{"--server <URL>", "--passive", "--quiet", "--log <FILE>",
                                             "--language <CODE>", "--layout <DIR>", "--source <DIR>", "Exit codes:",
                                             "  1602 ", "  1603 ", "  1641 ", "  3010 "};
        QTest::newRow("contradiction") << QStringList{"--quiet", "--passive"} << int(ExitBadUsage)
                                       << QStringList{"exclude each other"};
        QTest::newRow("empty folder") << QStringList{"--source", ""} << int(ExitBadUsage)
                                      << QStringList{"--source: the folder is empty"};
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, output);
        QProcess Setup;
        Setup.setProcessChannelMode(QProcess::MergedChannels);
        Setup.start(Program, arguments);
        QVERIFY(Setup.waitForFinished(60000));
        QCOMPARE(Setup.exitCode(), exitCode);
        const QString All = QString::fromLocal8Bit(Setup.readAll());
        for (const QString &Part : output)
            QVERIFY2(All.contains(Part), qPrintable(Part + QStringLiteral(" not in: ") + All));
    }

    // --layout fetches the six packages with a manifest; --source from it,
    // with the server gone, the folder's .NET asking for a restart: step 1
    // ends with the other package of the step, the run with 3010 as a
    // whole exit code, and the log tells it.
    void layoutThenSourceWithARestart()
    {
        TResult R = Run({QStringLiteral("--layout"), Layout(), QStringLiteral("--server"), Server->BaseUrl()});
        QVERIFY2(R.Code == ExitDone, qPrintable(Report(R)));
        for (const QString &Path : AllPackagePaths())
            QVERIFY2(QFile::exists(Layout() + Path), qPrintable(Path));
        QVERIFY(QFile::exists(Layout() + u'/' + QLatin1String(PackageManifestName)));
        QVERIFY(R.Log.first().startsWith("start: dilnex-local-setup "));
        QVERIFY(HasLine(R.Log, "layout mode"));
        QVERIFY(R.Log.last().startsWith("end: exit code 0 (done)"));

        QVERIFY(QFile::remove(Layout() + NetPath));
        QVERIFY(QFile::copy(RestartNet, Layout() + NetPath));
        QVERIFY(Redescribe(Layout(), NetPath));
        const int Requests = Server->RequestCount(NetPath);
        R = Run({QStringLiteral("--quiet"), QStringLiteral("--source"), Layout()});
        QVERIFY2(R.Code == ExitRestartRequired, qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1"}));
        QVERIFY(HasLine(R.Log, "run ended: exit code 3010"));
        QVERIFY(HasLine(R.Log, "restart required: "));
        QVERIFY(HasLine(R.Log, "platform: 64-bit yes"));
        QVERIFY(R.Log.last().startsWith("end: exit code 3010 (restart required)"));
        QCOMPARE(Server->RequestCount(NetPath), Requests);
    }

    // The server refuses the database package: 1603, the log names the URL
    // and the server's answer, step 3 never runs.
    void quietRefusedPackage()
    {
        Server->SetFault(DatabasePath, TPackageFault::AnswerStatus(403));
        const int SetupRequests = Server->RequestCount(SetupPath);
        const TResult R = Run(Quiet());
        QVERIFY2(R.Code == ExitFailure, qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "2"}));
        QVERIFY(HasLine(R.Log, "download failed after"));
        QVERIFY(HasLine(R.Log, Server->BaseUrl() + DatabasePath));
        QVERIFY(HasLine(R.Log, "server answered 403"));
        QVERIFY(R.Log.last().startsWith("end: exit code 1603 (failed)"));
        QCOMPARE(Server->RequestCount(SetupPath), SetupRequests);
    }

    // A file altered in the folder is refused before it runs (1603), and the
    // log says which; the folder made whole again installs the rest.
    void sourceRefusesAnAlteredFile()
    {
        QFile Changed(Layout() + SetupPath);
        const qint64 Size = Changed.size();
        QVERIFY(Changed.open(QIODevice::Append));
        Changed.write("altered");
        Changed.close();
        const QStringList FromFolder{QStringLiteral("--quiet"), QStringLiteral("--source"), Layout()};
        TResult R = Run(FromFolder);
        QVERIFY2(R.Code == ExitFailure, qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "2", "3"}));
        QVERIFY(HasLine(R.Log, "refused: " + SetupPath + " differs from the manifest"));
        for (const QString &Line : R.Log)
            QVERIFY2(!(Line.startsWith("run: ") && Line.contains("dilnex8.exe")), qPrintable(Line));

        QVERIFY(Changed.resize(Size));
        R = Run(FromFolder);
        QVERIFY2(R.Code == ExitDone, qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "3"}));
        QVERIFY(R.Log.last().startsWith("end: exit code 0 (done)"));
    }

    // On a finished machine a quiet and a passive run find nothing to do.
    void nothingToDo()
    {
        const int Requests = Server->RequestCount(NetPath) + Server->RequestCount(SetupPath);
        TResult R = Run(Quiet());
        QVERIFY2(R.Code == ExitDone, qPrintable(Report(R)));
        QCOMPARE(Steps(R.Log), QStringList{"continue"});
        QVERIFY(HasLine(R.Log, "probe: Dilnex 8 present"));
        // The passive window, on the offscreen platform as there is no
        // desktop here, in the language asked for rather than the locale's.
        R = Run({QStringLiteral("--passive"), QStringLiteral("--language"), QStringLiteral("en"),
                 QStringLiteral("--server"), Server->BaseUrl()},
                [](QProcessEnvironment &E) { E.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")); });
        QVERIFY2(R.Code == ExitDone, qPrintable(Report(R)));
        QVERIFY(HasLine(R.Log, "passive mode"));
        QVERIFY2(HasLine(R.Log, "language: en asked, english current"), qPrintable(R.Log.filter("language").join(" / ")));
        QCOMPARE(Steps(R.Log), QStringList{"continue"});
        QCOMPARE(Server->RequestCount(NetPath) + Server->RequestCount(SetupPath), Requests);
    }
};

QTEST_GUILESS_MAIN(TestWin32Unattended)
#include "tst_win32_unattended.moc"
