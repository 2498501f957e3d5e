// The installation workflow against a substitute platform: the usual path
// through the state table, and the failure paths as a table of scenarios.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "glotta/engine/lexicon.h"
#include "toolkit/widgets/status_bar.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
const QString NetKey = QString::fromLatin1(NetFramework4Key);
const QString NativeKey = QString::fromLatin1(NativeClient11Key);
const QString LocalDB11 = QString::fromLatin1(LocalDBVersionKeys[0]);
const QString LocalDB16 = QString::fromLatin1(LocalDBVersionKeys[5]);
const QString Server = QStringLiteral("http://packages.test");

// What a scenario's installers and downloads do, by downloaded file name.
struct TScenario
{
    QSet<QString> Keys;
    QString WindowsName = QStringLiteral("Windows 10");
    bool Windows64 = true;
    bool Windows64Fails = false;
    bool Internet = true;
    bool ServerAnswers = false; // when no connection is reported
    QSet<QString> FailingDownloads;   // file names whose download fails
    QSet<QString> CancelledDownloads; // file names whose download the user cancels
    QSet<QString> FailingInstallers;  // file names whose installer installs nothing
    QStringList Actions;              // "continue", "1", "2", "3"
    // Expected: boxes as "text|caption" with {n} standing for message n
    QStringList Boxes;
    QString States; // "1 2 3" enabled as digits, e.g. "1--": only step 1 on
    QStringList Memo2;
    QString Status;
};
} // namespace
Q_DECLARE_METATYPE(TScenario)

class TestWorkflowSteps : public QObject
{
    Q_OBJECT
    QTemporaryDir ProgramDir;

    static QString States(TForm1 *F)
    {
        QString S;
        S += F->instalovat1b->isEnabled() ? '1' : '-';
        S += F->instalovat2b->isEnabled() ? '2' : '-';
        S += F->instalovat3b->isEnabled() ? '3' : '-';
        return S;
    }

    static QString Expand(TForm1 *F, QString Text)
    {
        for (int i = fmFileDiffers; i >= 0; --i)
            Text.replace(QStringLiteral("{%1}").arg(i), F->Lexicon1->GetItem(i));
        return Text;
    }

    static void Click(TForm1 *F, const QString &Action)
    {
        QPushButton *B = Action == QLatin1String("continue") ? F->pokracovatb
                       : Action == QLatin1String("1")        ? F->instalovat1b
                       : Action == QLatin1String("2")        ? F->instalovat2b
                                                             : F->instalovat3b;
        // Handlers run as the button's click would run them, also when it is disabled.
        emit B->clicked();
    }

    // Wires the substitute platform to a scenario: downloads report progress
    // and fail or get cancelled as told, installers add their keys.
    static void Wire(TFakePlatform &P, TForm1 *&Form, const TScenario &S)
    {
        P.Keys = S.Keys;
        P.WindowsName = S.WindowsName;
        P.Windows64 = S.Windows64;
        P.Windows64Fails = S.Windows64Fails;
        P.Internet = S.Internet;
        P.ServerAnswering = S.ServerAnswers;
        P.Download = [&P, &Form, S](const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) {
            const QString Name = FileName.section('/', -1);
            bool Cancel = false;
            OnProgress(nullptr, 0, 100, TDownloadStatus::Connecting, QString(), Cancel);
            if (S.CancelledDownloads.contains(Name))
                Form->zrusitb->click();
            OnProgress(nullptr, 50, 100, TDownloadStatus::DownloadingData, QString(), Cancel);
            if (Cancel || S.FailingDownloads.contains(Name))
                throw Exception(QStringLiteral("Error downloading URL: ") + URL);
        };
        P.Run = [&P, S](const QString &FileName, const QString &Parameters) {
            const QString Name = (FileName == QLatin1String("msiexec") ? Parameters : FileName).section('/', -1);
            if (S.FailingInstallers.contains(Name))
                return;
            if (Name == QLatin1String("dotnetfx40_full_x86_x64.exe"))
                P.Keys.insert(NetKey);
            else if (Name == QLatin1String("sqlncli.msi"))
                P.Keys.insert(NativeKey);
            else if (Name == QLatin1String("sqllocaldb.msi"))
                P.Keys.insert(LocalDB11);
        };
    }

private slots:
    void usualPath()
    {
        TFakePlatform P;
        TForm1 *Form = nullptr;
        Wire(P, Form, TScenario{});
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Owner(Form = TForm1::Create(&P, ProgramDir.path()));
        Form->SetDownloadServer(Server);

        // What the window shows while each download and installer runs.
        QStringList Seen;
        auto Download = P.Download;
        P.Download = [&](const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress) {
            Seen << QStringLiteral("download %1 [%2] cancel:%3 steps:%4")
                        .arg(URL, Form->sb1->SimpleText())
                        .arg(Form->zrusitb->isEnabled())
                        .arg(States(Form) + (Form->pokracovatb->isEnabled() ? "c" : "-"));
            Download(URL, FileName, OnProgress);
            Seen << QStringLiteral("progress %1/%2").arg(Form->pb1->value()).arg(Form->pb1->maximum());
        };
        auto Run = P.Run;
        P.Run = [&](const QString &FileName, const QString &Parameters) {
            Seen << QStringLiteral("run %1 %2 [%3] cancel:%4")
                        .arg(FileName, Parameters, Form->sb1->SimpleText())
                        .arg(Form->zrusitb->isEnabled());
            Run(FileName, Parameters);
        };

        Click(Form, "continue");
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("Net Framework 4.0.2\nSQL Native Client 11 64bit"));
        QCOMPARE(States(Form), QStringLiteral("1--"));

        Click(Form, "1");
        QCOMPARE(States(Form), QStringLiteral("-2-"));
        QCOMPARE(Form->sb1->SimpleText(), QString());
        QCOMPARE(Form->pb1->value(), 0);
        Click(Form, "2");
        QCOMPARE(States(Form), QStringLiteral("--3"));
        Click(Form, "3");
        QCOMPARE(States(Form), QStringLiteral("---"));
        QCOMPARE(Form->sb1->SimpleText(), QStringLiteral("instalace byla dokončena"));
        QVERIFY(!Form->zrusitb->isEnabled());
        QVERIFY(Form->pokracovatb->isEnabled());
        QVERIFY(Boxes.Boxes.isEmpty());

        const QString T = P.TempDir;
        QCOMPARE(Seen, QStringList({
            "download " + Server + "/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe [stahuje se Net framework 4.0.3...] cancel:1 steps:----",
            "progress 50/100",
            "run " + T + "dotnetfx40_full_x86_x64.exe  [instaluje se NET Framework 4.0.3...] cancel:0",
            "download " + Server + "/data/sqllocaldb/nativeclient/64bit/sqlncli.msi [stahuje se SQL native client...] cancel:1 steps:----",
            "progress 50/100",
            "run " + T + "sqlncli.msi  [instaluje se SQL native client...] cancel:0",
            "download " + Server + "/data/sqllocaldb/2022/sqllocaldb.msi [stahuje se instalátor databáze...] cancel:1 steps:----",
            "progress 50/100",
            "run msiexec /i " + T + "sqllocaldb.msi [instaluje se databáze...] cancel:0",
            "download " + Server + "/data/dilnex8/dilnex8.exe [stahuje se program Dilnex 8...] cancel:1 steps:----",
            "progress 50/100",
            "run " + T + "dilnex8.exe  [instaluje se program Dilnex 8...] cancel:0",
        }));
        // Every program starts in the temporary folder with the normal window state.
        for (const QString &C : P.Calls)
            if (C.startsWith(QLatin1String("RunAndWait")))
                QVERIFY2(C.endsWith(QStringLiteral("||1|") + T), qPrintable(C));
    }

    void scenarios_data()
    {
        QTest::addColumn<TScenario>("s");
        const QString DownloadBox = QStringLiteral("Exception {6} Error downloading URL: %1 {7}|{8}");
        TScenario S;

        S = {};
        S.WindowsName = "Windows XP";
        S.Actions = {"continue"};
        S.Boxes = {"{18}|{2}"};
        S.States = "---";
        S.Memo2 = {"System: Windows XP - {19}"};
        QTest::newRow("Windows XP fails the check") << S;

        for (const char *Name : {"Windows Vista", "Windows 7", "Windows 8.1", "Unknown (Windows 5.2)"}) {
            S = {};
            S.WindowsName = Name;
            S.Windows64 = false;
            S.Keys = {NetKey};
            S.Actions = {"continue"};
            S.States = "1--";
            S.Memo2 = {"SQL Native Client 11 32bit"};
            QTest::newRow(Name) << S;
        }

        S = {};
        S.Keys = {NetKey, NativeKey};
        S.Actions = {"continue"};
        S.States = "-2-";
        S.Memo2 = {"{20}"};
        QTest::newRow("both prerequisites present") << S;

        S = {};
        S.Keys = {NetKey, NativeKey, LocalDB16};
        S.Actions = {"continue", "3", "2"};
        S.Boxes = {"{16}|{2}", "{13}|{2}"};
        S.States = "-23"; // step 2 keeps its state after box 13
        S.Memo2 = {"left from before"}; // "continue" with LocalDB present leaves the memo alone
        QTest::newRow("LocalDB 16.0 only") << S;

        S = {};
        S.Internet = false;
        S.Actions = {"continue", "1"};
        // The box says which server was tried besides the connection state.
        S.Boxes = {"{3} {29} http://packages.test|{4}"};
        S.States = "1--";
        S.Memo2 = {"Net Framework 4.0.2", "SQL Native Client 11 64bit"};
        QTest::newRow("no internet connection") << S;

        // The connection state denies a connection that works (Wine with
        // TMPDIR set): the server answers, so step 1 goes on.
        S = {};
        S.Internet = false;
        S.ServerAnswers = true;
        S.Actions = {"continue", "1"};
        S.States = "-2-";
        S.Memo2 = {"Net Framework 4.0.2", "SQL Native Client 11 64bit"};
        QTest::newRow("no connection reported, the server answers") << S;

        S = {};
        S.FailingInstallers = {"dotnetfx40_full_x86_x64.exe"};
        S.Actions = {"continue", "1"};
        S.Boxes = {"{10}|{2}"};
        S.States = "1--";
        S.Memo2 = {"Net Framework 4.0.2", "SQL Native Client 11 64bit"};
        QTest::newRow("one step-1 installer fails") << S;

        S = {};
        S.FailingInstallers = {"dotnetfx40_full_x86_x64.exe", "sqlncli.msi"};
        S.Actions = {"continue", "1"};
        S.Boxes = {"{10}|{2}", "{11}|{2}"};
        S.States = "1--";
        S.Memo2 = {"Net Framework 4.0.2", "SQL Native Client 11 64bit"};
        QTest::newRow("both step-1 installers fail") << S;

        S = {};
        S.CancelledDownloads = {"dotnetfx40_full_x86_x64.exe"};
        S.Actions = {"continue", "1"};
        S.Boxes = {DownloadBox.arg(Server + "/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"), "{10}|{2}"};
        S.States = "1--"; // the Native Client was still installed
        S.Memo2 = {"Net Framework 4.0.2", "SQL Native Client 11 64bit"};
        S.Status = ""; // the failure message is cleared at the end of step 1
        QTest::newRow("cancelled download in step 1") << S;

        S = {};
        S.Keys = {NetKey, NativeKey};
        S.FailingDownloads = {"sqllocaldb.msi"};
        S.Windows64 = false;
        S.Actions = {"continue", "2"};
        S.Boxes = {DownloadBox.arg(Server + "/data/sqllocaldb/32bit/sqllocaldb.msi"), "{15}|{2}"};
        S.States = "-2-";
        S.Memo2 = {"{20}"};
        QTest::newRow("step 2 after a failed download") << S;

        // The packages without a 32-bit variant come from their one path on a 32-bit system.
        S = {};
        S.Keys = {NativeKey, LocalDB11};
        S.FailingDownloads = {"dotnetfx40_full_x86_x64.exe", "dilnex8.exe"};
        S.Windows64 = false;
        S.Actions = {"1", "3"};
        S.Boxes = {DownloadBox.arg(Server + "/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"), "{10}|{2}",
                   DownloadBox.arg(Server + "/data/dilnex8/dilnex8.exe")};
        S.States = "1--";
        S.Status = "Error downloading URL: " + Server + "/data/dilnex8/dilnex8.exe";
        QTest::newRow("32-bit system, packages without a 32-bit path") << S;

        S = {};
        S.Keys = {NetKey, NativeKey};
        S.Windows64Fails = true;
        S.Actions = {"2"};
        S.Boxes = {"EOSError {6} System Error.  Code: 5.\nAccess is denied {7}|{8}", "{15}|{2}"};
        S.States = "-2-";
        QTest::newRow("IsWindows64 fails inside a download block") << S;

        S = {};
        S.Actions = {"2"};
        S.Boxes = {"{12}|{2}"};
        S.States = "1--";
        QTest::newRow("step 2 with a prerequisite missing") << S;

        S = {};
        S.Keys = {NetKey, NativeKey};
        S.Actions = {"3"};
        S.Boxes = {"{16}|{2}"};
        S.States = "-2-";
        QTest::newRow("step 3 with LocalDB missing") << S;

        S = {};
        S.Keys = {NetKey, NativeKey, LocalDB11};
        S.FailingDownloads = {"dilnex8.exe"};
        S.Actions = {"3"};
        S.Boxes = {DownloadBox.arg(Server + "/data/dilnex8/dilnex8.exe")};
        S.States = "---";
        S.Status = "Error downloading URL: " + Server + "/data/dilnex8/dilnex8.exe"; // a step-3 failure stays
        QTest::newRow("step 3 download fails") << S;
    }

    void scenarios()
    {
        QFETCH(TScenario, s);
        TFakePlatform P;
        TForm1 *Form = nullptr;
        Wire(P, Form, s);
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Owner(Form = TForm1::Create(&P, ProgramDir.path()));
        Form->SetDownloadServer(Server);
        Form->Memo2->setPlainText(QStringLiteral("left from before"));
        for (const QString &A : s.Actions)
            Click(Form, A);

        QStringList Shown;
        for (const auto &B : Boxes.Boxes) {
            Shown << B.Text + '|' + B.Caption;
            QCOMPARE(B.Flags, 0x10u);
        }
        QStringList Expected;
        for (const QString &B : s.Boxes)
            Expected << Expand(Form, B);
        QCOMPARE(Shown, Expected);
        QCOMPARE(States(Form), s.States);
        QStringList Memo;
        for (const QString &L : s.Memo2)
            Memo << Expand(Form, L);
        if (s.Actions.contains("continue"))
            QCOMPARE(Form->Memo2->toPlainText(), Memo.join('\n'));
        QCOMPARE(Form->sb1->SimpleText(), s.Status);
        QVERIFY(!Form->zrusitb->isEnabled());
        QCOMPARE(Form->pb1->value(), 0);
    }

    void continueWithLocalDBLeavesMemoAlone()
    {
        TFakePlatform P;
        P.Keys = {LocalDB11};
        std::unique_ptr<TForm1> Form(TForm1::Create(&P, ProgramDir.path()));
        Form->Memo2->setPlainText(QStringLiteral("earlier line"));
        Form->instalovat1b->setEnabled(true);
        Click(Form.get(), "continue");
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("earlier line"));
        QCOMPARE(States(Form.get()), QStringLiteral("--3"));
        // No Windows check was made.
        QVERIFY(!P.Calls.contains(QStringLiteral("HKLMKeyExists ") + NetKey));
    }

    void windows64FailureInContinueGoesToTheDefaultReport()
    {
        TFakePlatform P;
        P.Windows64Fails = true;
        P.Keys = {NetKey};
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&P, ProgramDir.path()));
        Click(Form.get(), "continue");
        QCOMPARE(Boxes.Boxes.size(), 1);
        QVERIFY(Boxes.Boxes[0].Text.startsWith(QStringLiteral("EOSError: System Error.")));
        QCOMPARE(Form->Memo2->toPlainText(), QString()); // cleared, then the handler ended
    }

    void progressWithoutTotalShowsAnEmptyBar()
    {
        TFakePlatform P;
        std::unique_ptr<TForm1> Form(TForm1::Create(&P, ProgramDir.path()));
        bool Cancel = false;
        Form->DownloadProgress(nullptr, 5000, 0, TDownloadStatus::DownloadingData, QString(), Cancel);
        QCOMPARE(Form->pb1->value(), 0);
        QVERIFY(Form->pb1->maximum() > 0);
        // Sizes beyond int reach the window scaled, not wrapped.
        const TDownloadProgressValues Large = ScaleDownloadProgress(3000000000, 4000000000);
        Form->DownloadProgress(nullptr, Large.Progress, Large.ProgressMax, TDownloadStatus::DownloadingData, QString(),
                               Cancel);
        QVERIFY(Form->pb1->value() > 0);
        QCOMPARE(double(Form->pb1->value()) / Form->pb1->maximum(), 0.75);
        QVERIFY(Cancel); // zrusitb is disabled outside a download
    }
};

QTEST_MAIN(TestWorkflowSteps)
#include "tst_workflow_steps.moc"
