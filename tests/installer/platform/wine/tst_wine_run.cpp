#include "installer/platform/wine/wine_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// RunAndWait is driven against substitute wine and wineserver programs (shell
// scripts) that write what they were started with into a log file, so no real
// Wine is needed.
class TestWineRun : public QObject
{
    Q_OBJECT
    QTemporaryDir fBin;
    QTemporaryDir fWork;
    QString fFolder; // a working folder with blanks in its path
    QString fLog;

    void WriteScript(const QString &Name, const QByteArray &Body)
    {
        QFile File(fBin.filePath(Name));
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write("#!/bin/sh\n" + Body);
        File.close();
        QVERIFY(File.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }

    QStringList LogLines() const
    {
        QFile File(fLog);
        if (!File.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(File.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(fBin.isValid() && fWork.isValid());
        fFolder = fWork.filePath("Temp Folder");
        QVERIFY(QDir().mkpath(fFolder));
        for (const char *Name : {"setup.exe", "package.msi", "notes.txt"}) {
            QFile File(fFolder + u'/' + QLatin1String(Name));
            QVERIFY(File.open(QIODevice::WriteOnly));
        }
        fLog = fWork.filePath("log.txt");
        qputenv("RUN_TEST_LOG", fLog.toUtf8());
        // The program logs its folder and arguments and takes a moment, as an installer would.
        WriteScript("wine", "{ printf 'cwd=%s\\n' \"$PWD\"; for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; done; } >> \"$RUN_TEST_LOG\"\n"
                            "sleep 0.3\necho ended >> \"$RUN_TEST_LOG\"\nexit ${RUN_TEST_EXIT:-3}\n");
        WriteScript("wineserver", "echo \"wineserver $*\" >> \"$RUN_TEST_LOG\"\n");
        qputenv("WINE", fBin.filePath("wine").toUtf8());
        qunsetenv("WINESERVER");
    }

    void cleanup()
    {
        QFile::remove(fLog);
        SetWineserverWaitTimeout(30000);
    }

    void startsThroughWine_data()
    {
        QTest::addColumn<QString>("FileName");
        QTest::addColumn<QString>("Parameters");
        QTest::addColumn<QStringList>("Arguments");
        const QString Exe = fFolder + "/setup.exe";
        const QString Msi = fFolder + "/package.msi";
        const QString WinMsi = "Z:" + QString(Msi).replace(u'/', u'\\');

        QTest::newRow("exe") << Exe << "" << QStringList{Exe};
        QTest::newRow("exe relative to the folder") << "setup.exe" << "" << QStringList{Exe};
        QTest::newRow("exe with parameters") << Exe << "/q \"a b\"  c" << QStringList{Exe, "/q", "a b", "c"};
        QTest::newRow("msi") << Msi << "" << QStringList{"msiexec", "/i", WinMsi};
        QTest::newRow("MSI in capitals") << fFolder + "/../Temp Folder/package.msi" << "/qn"
                                         << QStringList{"msiexec", "/i", WinMsi, "/qn"};
        // The LocalDB request: the path follows "/i " without quotes and contains a blank.
        QTest::newRow("msiexec /i unquoted path") << "msiexec" << "/i " + Msi << QStringList{"msiexec", "/i", WinMsi};
        QTest::newRow("msiexec /i quoted path") << "MSIEXEC.EXE" << "/i \"" + Msi + "\" /qn"
                                                << QStringList{"msiexec", "/i", WinMsi, "/qn"};
        QTest::newRow("msiexec other options") << "msiexec" << "/x {GUID} /qn" << QStringList{"msiexec", "/x", "{GUID}", "/qn"};
        QTest::newRow("other document") << fFolder + "/notes.txt" << ""
                                        << QStringList{"start", "/wait", "/unix", fFolder + "/notes.txt"};
    }

    void startsThroughWine()
    {
        QFETCH(QString, FileName);
        QFETCH(QString, Parameters);
        QFETCH(QStringList, Arguments);
        if (QTest::currentDataTag() == QLatin1String("MSI in capitals")) {
            QVERIFY(QFile::rename(fFolder + "/package.msi", fFolder + "/package.MSI"));
            FileName.replace("package.msi", "package.MSI");
            Arguments[2].replace("package.msi", "package.MSI");
        }
        const bool Started = WineRunAndWait(FileName, Parameters, QString(), 1, fFolder);
        if (QTest::currentDataTag() == QLatin1String("MSI in capitals"))
            QVERIFY(QFile::rename(fFolder + "/package.MSI", fFolder + "/package.msi"));
        QVERIFY(Started);

        QStringList Expected{"cwd=" + fFolder};
        for (const QString &Argument : Arguments)
            Expected << "arg=" + Argument;
        // The program has ended before the call returns, and the registry flush follows it.
        Expected << "ended" << "wineserver -w";
        QCOMPARE(LogLines(), Expected);
    }

    // The program's exit code as Wine's 8-bit status tells it; a restart
    // request (3010, 1641) arrives as its low byte and is read as itself.
    void reportsTheExitCode_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("code");
        QTest::newRow("success") << 0 << 0;
        QTest::newRow("failure") << 3 << 3;
        QTest::newRow("3010") << (3010 & 0xFF) << 3010;
        QTest::newRow("1641") << (1641 & 0xFF) << 1641;
    }

    void reportsTheExitCode()
    {
        QFETCH(int, status);
        QFETCH(int, code);
        qputenv("RUN_TEST_EXIT", QByteArray::number(status));
        int ExitCode = -2;
        const bool Started = WineRunAndWait(fFolder + "/setup.exe", {}, {}, 1, fFolder, &ExitCode);
        qunsetenv("RUN_TEST_EXIT");
        QVERIFY(Started);
        QCOMPARE(ExitCode, code);
        ExitCode = -2;
        QVERIFY(!WineRunAndWait(fFolder + "/missing.exe", {}, {}, 1, fFolder, &ExitCode));
        QCOMPARE(ExitCode, -1);
    }

    void handlesEventsWhileWaiting()
    {
        int Fired = 0;
        QTimer Timer;
        connect(&Timer, &QTimer::timeout, this, [&] { ++Fired; });
        Timer.start(20);
        QVERIFY(WineRunAndWait(fFolder + "/setup.exe", {}, {}, 1, fFolder));
        QVERIFY(Fired > 0);
        QVERIFY(LogLines().contains("ended"));
    }

    void refusesWithoutStarting_data()
    {
        QTest::addColumn<QString>("FileName");
        QTest::addColumn<QString>("Verb");
        QTest::addColumn<QString>("Directory");
        QTest::newRow("missing exe") << fFolder + "/missing.exe" << "" << fFolder;
        QTest::newRow("missing msi") << fFolder + "/missing.msi" << "" << fFolder;
        QTest::newRow("empty name") << "" << "" << fFolder;
        QTest::newRow("a folder") << fFolder << "" << fFolder;
        QTest::newRow("missing folder") << fFolder + "/setup.exe" << "" << fFolder + "/missing";
        QTest::newRow("unknown verb") << fFolder + "/setup.exe" << "print" << fFolder;
    }

    void refusesWithoutStarting()
    {
        QFETCH(QString, FileName);
        QFETCH(QString, Verb);
        QFETCH(QString, Directory);
        QVERIFY(!WineRunAndWait(FileName, {}, Verb, 1, Directory));
        QCOMPARE(LogLines(), QStringList()); // neither wine nor wineserver ran
    }

    void verbsOpenAndRunas()
    {
        QVERIFY(WineRunAndWait(fFolder + "/setup.exe", {}, "open", 1, fFolder));
        QVERIFY(WineRunAndWait(fFolder + "/setup.exe", {}, "runas", 1, fFolder));
        QCOMPARE(LogLines().count("ended"), 2);
    }

    void unstartableWineGivesFalse()
    {
        qputenv("WINE", fBin.filePath("no-such-wine").toUtf8());
        const bool Started = WineRunAndWait(fFolder + "/setup.exe", {}, {}, 1, fFolder);
        qputenv("WINE", fBin.filePath("wine").toUtf8());
        QVERIFY(!Started);
        QCOMPARE(LogLines(), QStringList());
    }

    void registryFlushWaitIsBounded()
    {
        // A wineserver that does not return in time is given up on (and stopped).
        WriteScript("slow-wineserver", "echo waiting >> \"$RUN_TEST_LOG\"\nsleep 5\necho finished >> \"$RUN_TEST_LOG\"\n");
        qputenv("WINESERVER", fBin.filePath("slow-wineserver").toUtf8());
        SetWineserverWaitTimeout(200);
        const bool Started = WineRunAndWait(fFolder + "/setup.exe", {}, {}, 1, fFolder);
        qunsetenv("WINESERVER");
        QVERIFY(Started);
        const QStringList Lines = LogLines();
        QVERIFY(Lines.contains("waiting"));
        QVERIFY(!Lines.contains("finished"));
    }

    void expandsEnvironmentReferences()
    {
        qputenv("RUN_TEST_FOLDER", fFolder.toUtf8());
        QVERIFY(WineRunAndWait("%RUN_TEST_FOLDER%/setup.exe", {}, {}, 1, "%RUN_TEST_FOLDER%"));
        QCOMPARE(LogLines().mid(0, 2), (QStringList{"cwd=" + fFolder, "arg=" + fFolder + "/setup.exe"}));
    }

    void findsWineAndWineserver()
    {
        const QByteArray SavedPath = qgetenv("PATH");
        qunsetenv("WINE");
        qputenv("PATH", fBin.path().toUtf8() + ":" + SavedPath);
        const QString Wine = WineProgram();
        const QString Server = WineserverProgram();
        qputenv("PATH", SavedPath);
        qputenv("WINE", fBin.filePath("wine").toUtf8());
        QCOMPARE(Wine, fBin.filePath("wine"));
        QCOMPARE(Server, fBin.filePath("wineserver"));
        // With $WINE set, the wineserver beside it belongs to the same installation.
        QCOMPARE(WineserverProgram(), fBin.filePath("wineserver"));
    }

    void splitsWindowsCommandLines_data()
    {
        QTest::addColumn<QString>("Line");
        QTest::addColumn<QStringList>("Arguments");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("blanks only") << "   \t " << QStringList();
        QTest::newRow("words") << " /q  /norestart " << QStringList{"/q", "/norestart"};
        QTest::newRow("quoted blank") << "/i \"C:\\Program Files\\x.msi\"" << QStringList{"/i", "C:\\Program Files\\x.msi"};
        QTest::newRow("quotes inside a word") << "PROP=\"a b\"c" << QStringList{"PROP=a bc"};
        QTest::newRow("empty quotes") << "a \"\" b" << QStringList{"a", "", "b"};
        QTest::newRow("escaped quote") << "say \\\"hi\\\"" << QStringList{"say", "\"hi\""};
        QTest::newRow("trailing backslashes") << "\"C:\\dir\\\\\" next" << QStringList{"C:\\dir\\", "next"};
        QTest::newRow("plain backslashes") << "C:\\a\\b" << QStringList{"C:\\a\\b"};
    }

    void splitsWindowsCommandLines()
    {
        QFETCH(QString, Line);
        QTEST(SplitWindowsCommandLine(Line), "Arguments");
    }
};

QTEST_GUILESS_MAIN(TestWineRun)
#include "tst_wine_run.moc"
