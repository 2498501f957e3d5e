// Unattended runs against a substitute platform: the steps run in order as
// far as the probes call for them and stop at the first failure, a cancel or
// a restart; the exit code says which; the log tells what happened, line by
// line; an offline folder is laid out and installed from, and a file in it
// that differs from the manifest never runs.

#include "tests/installer/fake_platform.h"
#include "installer/exit_codes.h"
#include "installer/form1.h"
#include "installer/install_log.h"
#include "installer/unattended_run.h"
#include "toolkit/widgets/status_bar.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
const QString NetKey = QString::fromLatin1(NetFramework4Key);
const QString NativeKey = QString::fromLatin1(NativeClient11Key);
const QString LocalDB11 = QString::fromLatin1(LocalDBVersionKeys[0]);
const QString DilnexKey = QString::fromLatin1(Dilnex8Key);
const QString Server = QStringLiteral("http://packages.test");

QString NameOf(const QString &FileName, const QString &Parameters)
{
    return (FileName == QLatin1String("msiexec") ? Parameters : FileName).section('/', -1);
}

// A machine whose downloads write a file named after the URL and whose
// installers add their keys; what fails, is cancelled or asks for a restart
// is set per test.
struct TMachine
{
    QTemporaryDir Temp;
    TFakePlatform P;
    QSet<QString> FailingDownloads; // file names
    QString CancelDuring;           // file name whose download gets SIGTERM
    QHash<QString, int> ExitCodes;  // file name -> installer's exit code
    QStringList Downloads, Runs;
    TForm1 *Form = nullptr;

    TMachine()
    {
        P.TempDir = Temp.path() + u'/';
        P.Download = [this](const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) {
            const QString Name = FileName.section('/', -1);
            Downloads << URL;
            bool Cancel = false;
            OnProgress(nullptr, 0, 100, TDownloadStatus::Connecting, QString(), Cancel);
            if (Name == CancelDuring)
                Form->Cancel();
            OnProgress(nullptr, 50, 100, TDownloadStatus::DownloadingData, QString(), Cancel);
            if (Cancel || FailingDownloads.contains(Name))
                throw Exception(QStringLiteral("Error downloading URL: ") + URL);
            QFile F(FileName);
            if (F.open(QIODevice::WriteOnly))
                F.write("package " + URL.toUtf8());
        };
        P.Run = [this](const QString &FileName, const QString &Parameters) {
            const QString Name = NameOf(FileName, Parameters);
            Runs << Name;
            if (Name == QLatin1String("dotnetfx40_full_x86_x64.exe"))
                P.Keys.insert(NetKey);
            else if (Name == QLatin1String("sqlncli.msi"))
                P.Keys.insert(NativeKey);
            else if (Name == QLatin1String("sqllocaldb.msi"))
                P.Keys.insert(LocalDB11);
            else if (Name == QLatin1String("dilnex8.exe"))
                P.Keys.insert(DilnexKey);
        };
        P.ExitCode = [this](const QString &FileName, const QString &Parameters) {
            return ExitCodes.value(NameOf(FileName, Parameters), 0);
        };
    }
};

// One unattended run of a fresh window on Machine, its log read back line by line.
struct TRun
{
    int Code = -1;
    QStringList Log;
    QString Status;
    QList<TBoxRecorder::TBox> Boxes;
};

TRun RunOn(TMachine &M, const QString &ProgramDir, const QString &Source = QString(), const QString &Layout = QString())
{
    TRun R;
    TInstallLog Log;
    const QString LogName = M.Temp.filePath(QStringLiteral("run.log"));
    QFile::remove(LogName);
    if (!Log.Open(LogName))
        return R;
    TBoxRecorder Boxes;
    std::unique_ptr<TForm1> Form(M.Form = TForm1::Create(&M.P, ProgramDir));
    Form->SetDownloadServer(Server);
    Form->SetLog(&Log);
    Form->SetUnattended(true);
    QString Why;
    if (!Source.isEmpty() && !Form->SetPackageSource(Source, Why))
        R.Log << QStringLiteral("no source: ") + Why;
    else
        R.Code = Layout.isEmpty() ? RunUnattended(Form.get()) : RunLayout(Form.get(), Layout);
    R.Status = Form->sb1->SimpleText();
    R.Boxes = Boxes.Boxes;
    M.Form = nullptr;
    QFile F(LogName);
    // Text: the log's lines end in CR LF on Windows.
    if (F.open(QIODevice::ReadOnly | QIODevice::Text))
        for (const QByteArray &Line : F.readAll().split('\n'))
            if (!Line.isEmpty())
                R.Log << QString::fromUtf8(Line).section(u' ', 2); // without date and time
    return R;
}

bool HasLine(const QStringList &Log, const QString &Part)
{
    for (const QString &Line : Log)
        if (Line.contains(Part))
            return true;
    return false;
}
} // namespace

class TestUnattendedRun : public QObject
{
    Q_OBJECT
    QTemporaryDir ProgramDir;

    static QStringList Steps(const QStringList &Log)
    {
        QStringList Result;
        for (const QString &Line : Log)
            if (Line.startsWith(QLatin1String("step: ")))
                Result << Line.mid(6);
        return Result;
    }

private slots:
    // A fresh machine: every step in order, exit 0; run again, nothing to do.
    void wholeRunThenNothingToDo()
    {
        TMachine M;
        TRun R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitDone));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1", "2", "3"}));
        QCOMPARE(M.Runs, (QStringList{"dotnetfx40_full_x86_x64.exe", "sqlncli.msi", "sqllocaldb.msi", "dilnex8.exe"}));
        QVERIFY(R.Boxes.isEmpty());
        QVERIFY(HasLine(R.Log, "download: http://packages.test/data/sqllocaldb/2022/sqllocaldb.msi -> "));
        QVERIFY(HasLine(R.Log, "downloaded: "));
        QVERIFY(HasLine(R.Log, "run: msiexec /i " + M.P.TempDir + "sqllocaldb.msi"));
        QVERIFY(HasLine(R.Log, "run ended: exit code 0"));
        QVERIFY(HasLine(R.Log, "probe: .NET Framework 4 absent"));
        QVERIFY(HasLine(R.Log, "platform: Windows 10"));
        QVERIFY(R.Log.last().startsWith("end: exit code 0 (done)"));
        // The status line names the log as the system writes paths.
        QVERIFY2(R.Status.contains(QDir::toNativeSeparators(M.Temp.filePath("run.log"))), qPrintable(R.Status));

        M.Downloads.clear();
        M.Runs.clear();
        R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitDone));
        QCOMPARE(Steps(R.Log), QStringList{"continue"});
        QVERIFY(M.Downloads.isEmpty());
        QVERIFY(M.Runs.isEmpty());
        QVERIFY(HasLine(R.Log, "probe: Dilnex 8 present"));
    }

    // The first failure ends the run with 1603; no step after it runs and
    // no part of the failed file is left.
    void failureStopsTheRun_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("runs");
        QTest::newRow("second package") << "sqlncli.msi" << QStringList{"continue", "1"}
                                        << QStringList{"dotnetfx40_full_x86_x64.exe"};
        QTest::newRow("database") << "sqllocaldb.msi" << QStringList{"continue", "1", "2"}
                                  << QStringList{"dotnetfx40_full_x86_x64.exe", "sqlncli.msi"};
        QTest::newRow("setup") << "dilnex8.exe" << QStringList{"continue", "1", "2", "3"}
                               << QStringList{"dotnetfx40_full_x86_x64.exe", "sqlncli.msi", "sqllocaldb.msi"};
    }

    void failureStopsTheRun()
    {
        QFETCH(QString, failing);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, runs);
        TMachine M;
        M.FailingDownloads = {failing};
        // A complete file of that name from an earlier run is not left to be started.
        QFile Old(M.P.TempDir + failing);
        QVERIFY(Old.open(QIODevice::WriteOnly));
        Old.close();
        const TRun R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitFailure));
        QCOMPARE(Steps(R.Log), steps);
        QCOMPARE(M.Runs, runs);
        QVERIFY(HasLine(R.Log, "download failed after"));
        QVERIFY(HasLine(R.Log, "Error downloading URL: http://packages.test/"));
        QVERIFY(!QFile::exists(M.P.TempDir + failing));
        QVERIFY(R.Log.last().startsWith("end: exit code 1603 (failed)"));
    }

    // A setup program that fails (exit code not 0) fails the run: step 3 has
    // no registry test to tell.
    void failingSetupProgram()
    {
        TMachine M;
        M.ExitCodes.insert("dilnex8.exe", 1);
        const TRun R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitFailure));
        QVERIFY(HasLine(R.Log, "run ended: exit code 1"));
    }

    // SIGTERM (Cancel) during a download: 1602, nothing further downloaded
    // or run, no file left.
    void cancelDuringDownload()
    {
        TMachine M;
        M.CancelDuring = "sqlncli.msi";
        const TRun R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitUserCancel));
        QCOMPARE(M.Runs, QStringList{"dotnetfx40_full_x86_x64.exe"});
        QCOMPARE(M.Downloads.size(), 2);
        QVERIFY(!QFile::exists(M.P.TempDir + "sqlncli.msi"));
        QVERIFY(HasLine(R.Log, "cancel requested"));
        QVERIFY(R.Log.last().startsWith("end: exit code 1602 (cancelled)"));
    }

    // An installer asking for a restart ends the run with 3010 after its
    // step, saying so in the status line; the next run goes on from there.
    void restartRequired_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("3010") << 3010;
        QTest::newRow("1641") << 1641;
    }

    void restartRequired()
    {
        QFETCH(int, code);
        TMachine M;
        M.ExitCodes.insert("dotnetfx40_full_x86_x64.exe", code);
        TRun R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitRestartRequired));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "1"}));
        QCOMPARE(M.Runs, (QStringList{"dotnetfx40_full_x86_x64.exe", "sqlncli.msi"}));
        QVERIFY(HasLine(R.Log, "restart required: "));
        TFakePlatform Probe;
        std::unique_ptr<TForm1> Czech(TForm1::Create(&Probe, ProgramDir.path()));
        QVERIFY(R.Status.startsWith(Czech->Message(fmRestartRequired)));

        M.Runs.clear();
        R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitDone));
        QCOMPARE(Steps(R.Log), (QStringList{"continue", "2", "3"}));
        QCOMPARE(M.Runs, (QStringList{"sqllocaldb.msi", "dilnex8.exe"}));
    }

    // A package of the same step that could not be fetched outweighs a
    // restart request: the run failed.
    void failureBesideRestart()
    {
        TMachine M;
        M.ExitCodes.insert("dotnetfx40_full_x86_x64.exe", 3010);
        M.FailingDownloads = {"sqlncli.msi"};
        const TRun R = RunOn(M, ProgramDir.path());
        QCOMPARE(R.Code, int(ExitFailure));
        QVERIFY(HasLine(R.Log, "restart required: "));
    }

    // --layout then --source: the server is not asked again; a file changed
    // in the folder is refused before it runs, and the log says which.
    void layoutThenSource()
    {
        TMachine Online;
        QTemporaryDir Layout;
        TRun R = RunOn(Online, ProgramDir.path(), QString(), Layout.path());
        QCOMPARE(R.Code, int(ExitDone));
        QCOMPARE(Online.Downloads.size(), 6); // both word sizes
        QVERIFY(Online.Runs.isEmpty());
        QVERIFY(QFile::exists(Layout.filePath("data/sqllocaldb/32bit/sqllocaldb.msi")));
        QFile Manifest(Layout.filePath(QLatin1String(PackageManifestName)));
        QVERIFY(Manifest.open(QIODevice::ReadOnly));
        QCOMPARE(Manifest.readAll().count('\n'), 7); // a comment and six files

        TMachine Offline;
        Offline.P.Internet = false; // no connection is needed at all
        R = RunOn(Offline, ProgramDir.path(), Layout.path());
        QCOMPARE(R.Code, int(ExitDone));
        QVERIFY(Offline.Downloads.isEmpty());
        QCOMPARE(Offline.Runs.size(), 4);
        QVERIFY(HasLine(R.Log, "copied: "));

        // The database package altered on the stick.
        TMachine Tampered;
        QFile Changed(Layout.filePath("data/sqllocaldb/2022/sqllocaldb.msi"));
        QVERIFY(Changed.open(QIODevice::Append));
        Changed.write("!");
        Changed.close();
        R = RunOn(Tampered, ProgramDir.path(), Layout.path());
        QCOMPARE(R.Code, int(ExitFailure));
        QCOMPARE(Tampered.Runs, (QStringList{"dotnetfx40_full_x86_x64.exe", "sqlncli.msi"}));
        QVERIFY(HasLine(R.Log, "refused: /data/sqllocaldb/2022/sqllocaldb.msi differs from the manifest"));
        QVERIFY(!QFile::exists(Tampered.P.TempDir + "sqllocaldb.msi"));
    }

    void sourceWithoutManifest()
    {
        TMachine M;
        QTemporaryDir Empty;
        const TRun R = RunOn(M, ProgramDir.path(), Empty.path());
        QCOMPARE(R.Code, -1);
        QVERIFY(R.Log.first().contains("no manifest"));
    }

    // The boxes of an unattended run are logged and answered, not shown.
    void boxesLoggedAndAnswered()
    {
        QTemporaryDir Dir;
        TInstallLog Log;
        QVERIFY(Log.Open(Dir.filePath("boxes.log")));
        const TMessageBoxHandler Before = SetMessageBoxHandler({});
        LogMessageBoxes(&Log, true);
        QCOMPARE(MessageBox("two\nlines", "Caption", MB_ICONERROR | MB_OK), IDOK);
        QCOMPARE(MessageBox("question", "Caption", MB_ICONQUESTION | MB_YESNO), IDYES);
        SetMessageBoxHandler(Before);
        QFile F(Dir.filePath("boxes.log"));
        QVERIFY(F.open(QIODevice::ReadOnly | QIODevice::Text));
        const QList<QByteArray> Lines = F.readAll().split('\n');
        QCOMPARE(Lines.size(), 3); // and the empty rest after the last line break
        QVERIFY(Lines[0].endsWith("message box: Caption: two | lines"));
        QVERIFY(Lines[1].endsWith("message box: Caption: question"));
    }
};

QTEST_MAIN(TestUnattendedRun)
#include "tst_unattended_run.moc"
