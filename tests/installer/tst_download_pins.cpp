// SHA-256 pins of the downloaded packages, through step 1 on the substitute
// platform: a file whose digest differs from its pin is removed and never
// run, and the step goes on as after a broken download.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
const QString Server = QStringLiteral("http://packages.test");
const QString NetPath = QStringLiteral("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe");
const QString Native64Path = QStringLiteral("/data/sqllocaldb/nativeclient/64bit/sqlncli.msi");
const QString Native32Path = QStringLiteral("/data/sqllocaldb/nativeclient/32bit/sqlncli.msi");

QByteArray Content(const QString &Name)
{
    return "the package " + Name.toUtf8();
}

QString Digest(const QString &Name)
{
    return QString::fromLatin1(QCryptographicHash::hash(Content(Name), QCryptographicHash::Sha256).toHex());
}
} // namespace

class TestDownloadPins : public QObject
{
    Q_OBJECT
    QTemporaryDir fProgramDir;

private slots:
    void pinsDecideWhatRuns_data()
    {
        QTest::addColumn<QStringList>("Pins");
        QTest::addColumn<QStringList>("Ran");        // file names run, in order
        QTest::addColumn<QStringList>("Left");       // files in the temporary folder afterwards
        QTest::addColumn<QString>("FailedPath");     // the path whose download box appears, if any

        const QString Net = QStringLiteral("dotnetfx40_full_x86_x64.exe");
        const QString Native = QStringLiteral("sqlncli.msi");
        const QStringList Both{Net, Native};
        const QString Wrong = QString(64, QLatin1Char('0'));
        QTest::newRow("no pins") << QStringList() << Both << Both << QString();
        QTest::newRow("matching, any case") << QStringList{NetPath + "=" + Digest(Net).toUpper(), Native64Path + " = " + Digest(Native)}
                                            << Both << Both << QString();
        QTest::newRow("one differs") << QStringList{NetPath + "=" + Wrong, Native64Path + "=" + Digest(Native)}
                                     << QStringList{Native} << QStringList{Native} << NetPath;
        QTest::newRow("not a digest") << QStringList{Native64Path + "=abc"} << QStringList{Net} << QStringList{Net}
                                      << Native64Path;
        QTest::newRow("pin of the other word size") << QStringList{Native32Path + "=" + Wrong} << Both << Both << QString();
    }

    void pinsDecideWhatRuns()
    {
        QFETCH(QStringList, Pins);
        QFETCH(QStringList, Ran);
        QFETCH(QStringList, Left);
        QFETCH(QString, FailedPath);

        QTemporaryDir Temp;
        TFakePlatform P;
        P.TempDir = Temp.path() + QLatin1Char('/');
        P.Download = [](const QString &, const QString &FileName, const TDownloadProgressEvent &) {
            QFile File(FileName);
            QVERIFY(File.open(QIODevice::WriteOnly));
            File.write(Content(FileName.section('/', -1)));
        };
        QStringList Runs;
        P.Run = [&](const QString &FileName, const QString &Parameters) {
            const QString Name = (FileName == QLatin1String("msiexec") ? Parameters : FileName).section('/', -1);
            Runs << Name;
            QVERIFY2(QFile::exists(Temp.filePath(Name)), qPrintable(Name)); // runs only what is there
        };
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&P, fProgramDir.path()));
        Form->SetDownloadServer(Server);
        // Set the way the stored design sets it.
        QVERIFY(Form->setProperty("Sha256Pins", Pins));

        emit Form->pokracovatb->clicked();
        emit Form->instalovat1b->clicked();

        QCOMPARE(Runs, Ran);
        QStringList Files = QDir(Temp.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        Left.sort();
        QCOMPARE(Files, Left);
        const QString Expected = QStringLiteral("Error downloading URL: ") + Server + FailedPath;
        const bool Shown = std::any_of(Boxes.Boxes.begin(), Boxes.Boxes.end(),
                                       [&](const TBoxRecorder::TBox &B) { return B.Text.contains(Expected); });
        QCOMPARE(Shown, !FailedPath.isEmpty());
    }
};

QTEST_MAIN(TestDownloadPins)
#include "tst_download_pins.moc"
