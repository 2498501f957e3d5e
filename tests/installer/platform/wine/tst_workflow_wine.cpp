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
        qputenv("TMPDIR", Work.filePath("tmp").toUtf8());
        qputenv("LANG", "cs_CZ.UTF-8");
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
    }

    void usualPathThroughWine()
    {
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
};

QTEST_MAIN(TestWorkflowWine)
#include "tst_workflow_wine.moc"
