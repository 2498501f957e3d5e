// The installer end to end on real Wine: continue, step 1, step 2 and step 3
// against the package server serving the demo packages, with the registry
// judged after each step. Started by run_e2e.sh in a fresh Wine prefix.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "installer/package_server/package_server.h"
#include "toolkit/widgets/status_bar.h"
#include "installer/platform/wine/wine_platform.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

class TestE2EWine : public QObject
{
    Q_OBJECT
private slots:
    void wholePath()
    {
        const QString Packages = qEnvironmentVariable("GLOTTA_E2E_PACKAGES");
        if (Packages.isEmpty() || qEnvironmentVariableIsEmpty("WINEPREFIX"))
            QSKIP("run through run_e2e.sh");
        TPackageServer Server(Packages);
        QVERIFY(Server.Listen());
        TWinePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, QDir::tempPath()));
        Form->SetDownloadServer(Server.BaseUrl());
        auto States = [&] {
            return QString(Form->instalovat1b->isEnabled() ? '1' : '-') + (Form->instalovat2b->isEnabled() ? '2' : '-')
                 + (Form->instalovat3b->isEnabled() ? '3' : '-');
        };
        const QString Net = QString::fromLatin1(NetFramework4Key);
        const QString Native = QString::fromLatin1(NativeClient11Key);

        emit Form->pokracovatb->clicked();
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("Net Framework 4.0.2\nSQL Native Client 11 64bit"));
        QCOMPARE(States(), QStringLiteral("1--"));

        emit Form->instalovat1b->clicked();
        QVERIFY(Platform.HKLMKeyExists(Net));
        QVERIFY(Platform.HKLMKeyExists(Native));
        QCOMPARE(States(), QStringLiteral("-2-"));

        emit Form->instalovat2b->clicked();
        QVERIFY(Platform.LocalDB11Installed());
        QCOMPARE(States(), QStringLiteral("--3"));

        emit Form->instalovat3b->clicked();
        QCOMPARE(States(), QStringLiteral("---"));
        QCOMPARE(Form->sb1->SimpleText(), QStringLiteral("instalace byla dokončena"));
        // The demo setup leaves the application beside itself in its working
        // folder, the prefix user's temporary folder where the downloads went.
        QVERIFY(QFileInfo(Platform.GetTempDir() + QStringLiteral("dilnex.exe")).isFile());
        QVERIFY(!QFileInfo::exists(QDir::temp().filePath(QStringLiteral("dilnex.exe"))));
        for (const auto &B : Boxes.Boxes)
            qWarning() << "box:" << B.Text << B.Caption;
        QVERIFY(Boxes.Boxes.isEmpty());

        // Asked again, "continue" now sees LocalDB and offers only step 3.
        emit Form->pokracovatb->clicked();
        QCOMPARE(States(), QStringLiteral("--3"));
    }
};

QTEST_MAIN(TestE2EWine)
#include "tst_e2e_wine.moc"
