// The installer built for Windows, on its Win32 backend: the window's probes
// ask the real registry, downloads go through urlmon to a package server on
// 127.0.0.1 and the packages run through ShellExecuteEx. Started under Wine by
// run_win32_installer.sh in a fresh prefix with the demo packages.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "installer/package_server/package_server.h"
#include "installer/platform/registry_keys.h"
#include "installer/platform/windows/win32_platform.h"
#include "glotta/widgets/glotta_engine.h"
#include "toolkit/widgets/status_bar.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QProgressBar>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <memory>

namespace {
const QString NetPath = QStringLiteral("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe");

QString States(TForm1 *F)
{
    return QString(F->instalovat1b->isEnabled() ? '1' : '-') + (F->instalovat2b->isEnabled() ? '2' : '-')
         + (F->instalovat3b->isEnabled() ? '3' : '-');
}
} // namespace

class TestWin32Installer : public QObject
{
    Q_OBJECT
    // The server answers from a thread of its own: urlmon's download blocks the
    // window's thread between progress reports, so a server on that thread
    // would never be asked.
    QThread ServerThread;
    TPackageServer *Server = nullptr;
    QString BaseUrl;

    void OnServer(const std::function<void()> &Work)
    {
        QMetaObject::invokeMethod(Server, Work, Qt::BlockingQueuedConnection);
    }
    int Requests(const QString &Path)
    {
        int Count = 0;
        OnServer([&] { Count = Server->RequestCount(Path); });
        return Count;
    }
    std::unique_ptr<TForm1> Window(TWin32Platform &Platform)
    {
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, QDir::tempPath()));
        Form->SetDownloadServer(BaseUrl);
        return Form;
    }
    // Nothing of the packages may be left behind by a failed or cancelled download.
    static QStringList PackagesIn(const QString &Folder)
    {
        return QDir(Folder).entryList({"*.exe", "*.msi", "*.part"}, QDir::Files | QDir::Hidden);
    }

private slots:
    void initTestCase()
    {
        const QString Packages = qEnvironmentVariable("GLOTTA_E2E_PACKAGES");
        if (Packages.isEmpty())
            QSKIP("run through run_win32_installer.sh");
        Server = new TPackageServer(Packages);
        Server->moveToThread(&ServerThread);
        connect(&ServerThread, &QThread::finished, Server, &QObject::deleteLater);
        ServerThread.start();
        bool Listening = false;
        OnServer([&] {
            Listening = Server->Listen();
            BaseUrl = Server->BaseUrl();
        });
        QVERIFY(Listening);
    }
    void cleanupTestCase()
    {
        ServerThread.quit();
        ServerThread.wait();
    }

    // The window starts in the language of the Windows locale Wine reports:
    // Czech by design, English from the built-in language file.
    void startsInTheLocaleLanguage()
    {
        const QString Expected = qEnvironmentVariable("GLOTTA_EXPECT_LANGUAGE");
        if (Expected.isEmpty())
            QSKIP("the run names the locale's language in GLOTTA_EXPECT_LANGUAGE");
        TWin32Platform Platform;
        QCOMPARE(Platform.GetLocaleString(LOCALE_SISO639LANGNAME), Expected);
        TBoxRecorder Boxes;
        auto Form = Window(Platform);
        QCOMPARE(Form->GlottaEngine1->CurrentLanguageISO(), Expected);
        const bool Czech = Expected == QLatin1String("cs");
        QVERIFY2(Form->Memo1->toPlainText().startsWith(Czech ? "Instalační program" : "This is installation program"),
                 qPrintable(Form->Memo1->toPlainText().left(60)));
        QVERIFY(Boxes.Boxes.isEmpty());
    }

    // A server that refuses the connection: each download of step 1 fails
    // with a box naming its URL, nothing is installed, no file is left, and
    // step 1 stays on for another try.
    void refusedConnection()
    {
        QTcpServer Closed;
        QVERIFY(Closed.listen(QHostAddress::LocalHost));
        const QString Url = QStringLiteral("http://127.0.0.1:%1").arg(Closed.serverPort());
        Closed.close();

        TWin32Platform Platform;
        TBoxRecorder Boxes;
        auto Form = Window(Platform);
        Form->SetDownloadServer(Url);
        emit Form->pokracovatb->clicked();
        QCOMPARE(States(Form.get()), QStringLiteral("1--"));
        emit Form->instalovat1b->clicked();
        QVERIFY(!Boxes.Boxes.isEmpty());
        QVERIFY2(Boxes.Boxes[0].Text.contains(Url + NetPath), qPrintable(Boxes.Boxes[0].Text));
        QVERIFY(!Platform.HKLMKeyExists(QString::fromLatin1(NetFramework4Key)));
        QVERIFY(!Platform.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));
        QCOMPARE(States(Form.get()), QStringLiteral("1--"));
        QCOMPARE(PackagesIn(Platform.GetTempDir()), QStringList());
    }

    // The whole path in a fresh prefix, the first download of step 1 cancelled
    // by the user on the way: continue, step 1 (the .NET download cancelled,
    // the Native Client installed), step 1 again, step 2, step 3, the registry
    // judged after each.
    void wholePathWithACancelledDownload()
    {
        TWin32Platform Platform;
        TBoxRecorder Boxes;
        auto Form = Window(Platform);
        const QString Net = QString::fromLatin1(NetFramework4Key);
        const QString Native = QString::fromLatin1(NativeClient11Key);

        emit Form->pokracovatb->clicked();
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("Net Framework 4.0.2\nSQL Native Client 11 64bit"));
        QCOMPARE(States(Form.get()), QStringLiteral("1--"));

        // Slow enough (1 kB every 25 ms) for the cancel to come first.
        OnServer([&] { Server->SetFault(NetPath, TPackageFault::SlowBody(1000, 25)); });
        const int NetBefore = Requests(NetPath);
        QTimer Canceller;
        connect(&Canceller, &QTimer::timeout, [&] {
            if (Form->zrusitb->isEnabled() && Form->pb1->value() > 0) {
                Canceller.stop();
                emit Form->zrusitb->clicked();
            }
        });
        Canceller.start(5);
        emit Form->instalovat1b->clicked();
        Canceller.stop();
        OnServer([&] { Server->ClearFaults(); });
        QCOMPARE(Requests(NetPath) - NetBefore, 1);
        QVERIFY(!Boxes.Boxes.isEmpty());
        QVERIFY2(Boxes.Boxes[0].Text.contains(NetPath), qPrintable(Boxes.Boxes[0].Text));
        QVERIFY(!Platform.HKLMKeyExists(Net));
        QVERIFY(Platform.HKLMKeyExists(Native));
        QCOMPARE(States(Form.get()), QStringLiteral("1--"));
        QVERIFY(!QFileInfo::exists(Platform.GetTempDir() + QStringLiteral("dotnetfx40_full_x86_x64.exe")));
        Boxes.Boxes.clear();

        emit Form->instalovat1b->clicked();
        QVERIFY(Platform.HKLMKeyExists(Net));
        QCOMPARE(States(Form.get()), QStringLiteral("-2-"));

        emit Form->instalovat2b->clicked();
        QVERIFY(Platform.LocalDB11Installed());
        QCOMPARE(States(Form.get()), QStringLiteral("--3"));

        emit Form->instalovat3b->clicked();
        QCOMPARE(States(Form.get()), QStringLiteral("---"));
        QCOMPARE(Form->sb1->SimpleText(), QStringLiteral("instalace byla dokončena"));
        // The demo setup leaves the application in its working folder, the
        // user's temporary folder where the downloads went.
        QVERIFY(QFileInfo(Platform.GetTempDir() + QStringLiteral("dilnex.exe")).isFile());
        for (const auto &B : Boxes.Boxes)
            qWarning() << "box:" << B.Text << B.Caption;
        QVERIFY(Boxes.Boxes.isEmpty());

        // Asked again, "continue" now sees LocalDB and offers only step 3.
        emit Form->pokracovatb->clicked();
        QCOMPARE(States(Form.get()), QStringLiteral("--3"));
    }
};

QTEST_MAIN(TestWin32Installer)
#include "tst_win32_installer.moc"
