// The whole workflow on the Linux backend: the real window, a package server
// on 127.0.0.1, a Wine prefix made by the test, and a substitute Wine that
// "installs" a package by adding its key to the prefix's registry file.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "installer/package_server/package_server.h"
#include "toolkit/widgets/status_bar.h"
#include "installer/platform/wine/wine_platform.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {
void WriteFile(const QString &Path, const QByteArray &Bytes, bool Executable = false)
{
    QDir().mkpath(QFileInfo(Path).path());
    QFile F(Path);
    QVERIFY(F.open(QIODevice::WriteOnly | QIODevice::Truncate));
    F.write(Bytes);
    F.close();
    if (Executable)
        F.setPermissions(F.permissions() | QFileDevice::ExeOwner);
}

const QByteArray SystemReg = "WINE REGISTRY Version 2\n"
                             ";; All keys relative to \\\\Machine\n"
                             "\n"
                             "#arch=win64\n"
                             "\n"
                             "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1700000000\n"
                             "#time=1da0000000000000\n"
                             "\"CurrentVersion\"=\"6.1\"\n";

// Each package adds the key the probes look for, in the 32-bit view of a win64 prefix.
const QByteArray SubstituteWine = R"(#!/bin/sh
echo "$*" >> "$WORKFLOW_LOG"
reg="$WINEPREFIX/system.reg"
add() { printf '\n[Software\\\\Wow6432Node\\\\Microsoft\\\\%s] 1700000000\n#time=1da0000000000000\n' "$1" >> "$reg"; }
case "$*" in
  *dotnetfx40_full_x86_x64.exe*) add 'NET Framework Setup\\\\NDP\\\\v4' ;;
  *sqlncli.msi*) add 'SQLNCLI11' ;;
  *sqllocaldb.msi*) add 'Microsoft SQL Server Local DB\\\\Installed Versions\\\\11.0' ;;
  *dilnex8.exe*) : ;;
  wineboot*) mkdir -p "$WINEPREFIX" && cp "$PREPARED_REG" "$reg" && echo "overrides $WINEDLLOVERRIDES" >> "$WORKFLOW_LOG" ;;
esac
sleep 0.2
)";
} // namespace

class TestWorkflowWine : public QObject
{
    Q_OBJECT
    QTemporaryDir Work;
    std::unique_ptr<TPackageServer> Server;

    QString Log() const
    {
        QFile F(Work.filePath("wine.log"));
        return F.open(QIODevice::ReadOnly) ? QString::fromUtf8(F.readAll()) : QString();
    }

    // A prefix of its own for one test (Name/system.reg, or none when
    // SystemRegText is null), an empty log, and all counted requests forgotten.
    void UsePrefix(const QString &Name, const QByteArray &SystemRegText)
    {
        const QString Prefix = Work.filePath(Name);
        if (!SystemRegText.isNull())
            WriteFile(Prefix + "/system.reg", SystemRegText);
        qputenv("WINEPREFIX", Prefix.toUtf8());
        QFile::remove(Work.filePath("wine.log"));
    }

    int PackageRequests() const
    {
        int Count = 0;
        for (const char *P : {"/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe",
                              "/data/sqllocaldb/nativeclient/64bit/sqlncli.msi",
                              "/data/sqllocaldb/nativeclient/32bit/sqlncli.msi", "/data/sqllocaldb/2022/sqllocaldb.msi",
                              "/data/sqllocaldb/32bit/sqllocaldb.msi", "/data/dilnex8/dilnex8.exe"})
            Count += Server->RequestCount(P);
        return Count;
    }

private slots:
    void initTestCase()
    {
        const QString Root = Work.filePath("packages");
        for (const char *P : {"sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe", "sqllocaldb/nativeclient/64bit/sqlncli.msi",
                              "sqllocaldb/nativeclient/32bit/sqlncli.msi", "sqllocaldb/2022/sqllocaldb.msi",
                              "sqllocaldb/32bit/sqllocaldb.msi", "dilnex8/dilnex8.exe"})
            WriteFile(Root + '/' + P, QByteArray(300000, 'x'));
        Server = std::make_unique<TPackageServer>(Root);
        QVERIFY(Server->Listen());
        WriteFile(Work.filePath("prefix/system.reg"), SystemReg);
        WriteFile(Work.filePath("bin/wine"), SubstituteWine, true);
        WriteFile(Work.filePath("bin/wineserver"), "#!/bin/sh\nexit 0\n", true);
        QDir().mkpath(Work.filePath("tmp"));
        qputenv("WINEPREFIX", Work.filePath("prefix").toUtf8());
        qputenv("WINE", Work.filePath("bin/wine").toUtf8());
        qputenv("WINESERVER", Work.filePath("bin/wineserver").toUtf8());
        qputenv("WORKFLOW_LOG", Work.filePath("wine.log").toUtf8());
        // What the substitute's "wineboot -i" makes: a prefix with .NET already in it.
        WriteFile(Work.filePath("prepared.reg"),
                  SystemReg + "\n[Software\\\\Wow6432Node\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\v4] 1700000000\n");
        qputenv("PREPARED_REG", Work.filePath("prepared.reg").toUtf8());
        qputenv("TMPDIR", Work.filePath("tmp").toUtf8());
        qputenv("LANG", "cs_CZ.UTF-8");
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
    }

    void usualPathThroughWine()
    {
        UsePrefix("prefix", SystemReg);
        TWinePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Work.path()));
        Form->SetDownloadServer(Server->BaseUrl());
        auto States = [&] {
            return QString(Form->instalovat1b->isEnabled() ? '1' : '-') + (Form->instalovat2b->isEnabled() ? '2' : '-')
                 + (Form->instalovat3b->isEnabled() ? '3' : '-');
        };
        // The status line as each program starts, seen from a timer while the wait pumps events.
        QStringList Status;
        QTimer Watch;
        QObject::connect(&Watch, &QTimer::timeout, [&] {
            const QString S = Form->sb1->SimpleText();
            if (!S.isEmpty() && (Status.isEmpty() || Status.last() != S))
                Status << S;
        });
        Watch.start(5);

        emit Form->pokracovatb->clicked();
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("Net Framework 4.0.2\nSQL Native Client 11 64bit"));
        QCOMPARE(States(), QStringLiteral("1--"));

        emit Form->instalovat1b->clicked();
        QCOMPARE(States(), QStringLiteral("-2-"));
        QCOMPARE(Form->sb1->SimpleText(), QString());
        emit Form->instalovat2b->clicked();
        QCOMPARE(States(), QStringLiteral("--3"));
        emit Form->instalovat3b->clicked();
        QCOMPARE(States(), QStringLiteral("---"));
        QCOMPARE(Form->sb1->SimpleText(), QStringLiteral("instalace byla dokončena"));
        QVERIFY(Boxes.Boxes.isEmpty());
        QVERIFY(Status.contains(QStringLiteral("instaluje se NET Framework 4.0.3...")));
        QVERIFY(Status.contains(QStringLiteral("instaluje se databáze...")));
        QVERIFY(Status.contains(QStringLiteral("instaluje se program Dilnex 8...")));

        // The downloads landed in the temporary folder and the programs ran from there.
        const QString Temp = Platform.GetTempDir();
        for (const char *F : {"dotnetfx40_full_x86_x64.exe", "sqlncli.msi", "sqllocaldb.msi", "dilnex8.exe"})
            QCOMPARE(QFileInfo(Temp + F).size(), 300000);
        const QStringList Runs = Log().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(Runs.size(), 4);
        QVERIFY(Runs[0].endsWith("dotnetfx40_full_x86_x64.exe"));
        QVERIFY(Runs[1].startsWith("msiexec /i ") && Runs[1].endsWith("sqlncli.msi"));
        QVERIFY(Runs[2].startsWith("msiexec /i ") && Runs[2].endsWith("sqllocaldb.msi"));
        QVERIFY(Runs[3].endsWith("dilnex8.exe"));
        QCOMPARE(Server->RequestCount("/data/sqllocaldb/nativeclient/64bit/sqlncli.msi"), 1);
        QCOMPARE(Server->RequestCount("/data/sqllocaldb/2022/sqllocaldb.msi"), 1);
    }

    // Closed while step 1 downloads its first package: that download stops,
    // the second package is never asked for, nothing is run, no box appears,
    // and the click handler returns at once.
    void closeDuringStepOne()
    {
        UsePrefix("prefix-close", SystemReg);
        const int Before = PackageRequests();
        const int NetBefore = Server->RequestCount("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe");
        // 300 kB at 2 kB every 20 ms: three seconds, far longer than the close takes.
        Server->SetFault("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe", TPackageFault::SlowBody(2000, 20));
        TWinePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Work.path()));
        Form->SetDownloadServer(Server->BaseUrl());
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        emit Form->pokracovatb->clicked();
        QVERIFY(Form->instalovat1b->isEnabled());

        bool Closed = false;
        QTimer Closer;
        QObject::connect(&Closer, &QTimer::timeout, [&] {
            if (!Closed && Form->pb1->value() > 0) {
                Closed = true;
                Form->close();
            }
        });
        // What the bar shows after the close: the download stops at its next
        // progress notification (which may still set the bar once), then the
        // block resets the bar. A download that ran on would go on moving it.
        QList<int> AfterClose;
        QObject::connect(Form->pb1, &QProgressBar::valueChanged, [&](int Value) {
            if (Closed)
                AfterClose << Value;
        });
        Closer.start(5);
        emit Form->instalovat1b->clicked();
        Server->ClearFaults();

        QVERIFY(Closed);
        QVERIFY2(!AfterClose.isEmpty() && AfterClose.size() <= 2 && AfterClose.last() == 0,
                 qPrintable(QString::number(AfterClose.size())));
        // The transfer was broken off, not finished: nothing of it is left.
        QVERIFY(!QFile::exists(Platform.GetTempDir() + QStringLiteral("dotnetfx40_full_x86_x64.exe")));
        QVERIFY(!Form->isVisible());
        QVERIFY(!Form->zrusitb->isEnabled());
        // The .NET package was asked for once, nothing else at all.
        QCOMPARE(Server->RequestCount("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe") - NetBefore, 1);
        QCOMPARE(PackageRequests() - Before, 1);
        QCOMPARE(Log(), QString());
        QVERIFY(Boxes.Boxes.isEmpty());
    }

    // A prefix that does not exist yet is made by "continue" before the
    // checks (the substitute Wine's "wineboot -i" writes one with .NET in
    // it), with the status line saying so while the window stays live.
    void missingPrefixPreparedFirst()
    {
        UsePrefix("prefix-new", QByteArray());
        TWinePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Work.path()));
        QStringList Status;
        int Ticks = 0;
        QTimer Watch;
        QObject::connect(&Watch, &QTimer::timeout, [&] {
            ++Ticks;
            const QString S = Form->sb1->SimpleText();
            if (!S.isEmpty() && !Status.contains(S))
                Status << S;
        });
        Watch.start(5);
        emit Form->pokracovatb->clicked();
        QCOMPARE(Status, QStringList{QStringLiteral("připravuje se prostředí Wine...")});
        QVERIFY(Ticks > 5); // events were handled while wineboot ran
        QCOMPARE(Form->sb1->SimpleText(), QString());
        QVERIFY(Boxes.Boxes.isEmpty());
        QCOMPARE(Log(), QStringLiteral("wineboot -i\noverrides mscoree,mshtml=\n"));
        // The checks read the prefix just made: only Native Client is missing.
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("SQL Native Client 11 64bit"));
        QVERIFY(Form->instalovat1b->isEnabled());
    }

    // Without any Wine the window says so at start and in the status line;
    // "continue" repeats it, and nothing is downloaded or run.
    void noWine()
    {
        UsePrefix("prefix-nowine", SystemReg);
        const QByteArray SavedWine = qgetenv("WINE");
        qputenv("WINE", Work.filePath("bin/no-such-wine").toUtf8());
        const int Before = PackageRequests();
        TWinePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Work.path()));
        const QString Box = QStringLiteral("Program Wine nebyl nalezen. Bez něj nelze instalační programy součástí "
                                           "spustit. Nainstalujte Wine a spusťte instalaci znovu.");
        QCOMPARE(Boxes.Boxes.size(), 1);
        QCOMPARE(Boxes.Boxes[0].Text, Box);
        QCOMPARE(Form->sb1->SimpleText(), "nenalezen program Wine: " + Work.filePath("bin/no-such-wine"));
        emit Form->pokracovatb->clicked();
        QCOMPARE(Boxes.Boxes.size(), 2);
        for (QPushButton *B : {Form->instalovat1b, Form->instalovat2b, Form->instalovat3b})
            QVERIFY(!B->isEnabled());
        QCOMPARE(PackageRequests(), Before);
        QCOMPARE(Log(), QString());
        qputenv("WINE", SavedWine);
    }
};

QTEST_MAIN(TestWorkflowWine)
#include "tst_workflow_wine.moc"
