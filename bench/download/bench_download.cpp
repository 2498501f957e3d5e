// Throughput and memory of the Wine backend's downloader against curl on the
// same file from the same local package server, in the same run.
//   bench_download [size in MB, default 300] [rounds, default 3]
// Each round downloads the file once with curl and once with the downloader;
// the best time of each is reported, with the process's peak resident size.

#include "installer/platform/wine/wine_download.h"

#include "toolkit/core/exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

namespace {

long PeakResidentKB()
{
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return Usage.ru_maxrss;
}

double MBPerSecond(qint64 Bytes, qint64 Nanoseconds)
{
    return Nanoseconds > 0 ? (double(Bytes) / (1024.0 * 1024.0)) / (double(Nanoseconds) / 1e9) : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    QTextStream Out(stdout);
    const QStringList Args = App.arguments();
    const qint64 SizeMB = Args.size() > 1 ? Args[1].toLongLong() : 300;
    const int Rounds = Args.size() > 2 ? Args[2].toInt() : 3;
    const qint64 Size = SizeMB * 1024 * 1024;

    QTemporaryDir Work;
    const QString Root = Work.filePath("root");
    QDir().mkpath(Root);
    {
        // A sparse file: no disk space and no time to create; the server reads zeros.
        QFile File(Root + "/big.bin");
        if (!File.open(QIODevice::WriteOnly) || !File.resize(Size)) {
            Out << "cannot create the test file\n";
            return 1;
        }
    }

    QProcess Server;
    Server.setProgram(QStringLiteral(PACKAGE_SERVER_PROGRAM));
    Server.setArguments({"--root", Root, "--port", "0"});
    Server.setStandardErrorFile(QProcess::nullDevice());
    Server.start();
    if (!Server.waitForStarted() || !Server.waitForReadyRead(10000)) {
        Out << "package server did not start\n";
        return 1;
    }
    const QString URL = QString::fromUtf8(Server.readLine()).trimmed() + "/data/big.bin";
    const QString Curl = QStandardPaths::findExecutable("curl");

    qint64 BestCurl = 0, BestOurs = 0;
    qint64 Notifications = 0;
    qint64 FinishNs = 0; // from the last byte to the call's return (writing out and renaming the file)
    const long BaselineKB = PeakResidentKB();
    for (int Round = 0; Round < Rounds; ++Round) {
        if (!Curl.isEmpty()) {
            const QString Target = Work.filePath("curl.bin");
            QProcess P;
            QElapsedTimer Clock;
            Clock.start();
            P.start(Curl, {"-s", "-f", "-o", Target, URL});
            P.waitForFinished(-1);
            const qint64 Ns = Clock.nsecsElapsed();
            if (P.exitCode() != 0 || QFileInfo(Target).size() != Size) {
                Out << "curl failed\n";
                return 1;
            }
            BestCurl = BestCurl == 0 ? Ns : qMin(BestCurl, Ns);
            QFile::remove(Target);
        }
        const QString Target = Work.filePath("ours.bin");
        Notifications = 0;
        QElapsedTimer Clock;
        Clock.start();
        try {
            qint64 EndNs = 0;
            WineDownloadFile(URL, Target, [&](QObject *, quint32, quint32, TDownloadStatus Status, const QString &, bool &) {
                ++Notifications;
                if (Status == TDownloadStatus::EndDownloadData)
                    EndNs = Clock.nsecsElapsed();
            });
            FinishNs = Clock.nsecsElapsed() - EndNs;
        } catch (const Exception &E) {
            Out << "download failed: " << E.Message() << "\n";
            return 1;
        }
        const qint64 Ns = Clock.nsecsElapsed();
        if (QFileInfo(Target).size() != Size) {
            Out << "downloaded file has the wrong size\n";
            return 1;
        }
        BestOurs = BestOurs == 0 ? Ns : qMin(BestOurs, Ns);
        Out << "round " << Round + 1 << ": downloader " << QString::number(Ns / 1e6, 'f', 0) << " ms, of which "
            << QString::number(FinishNs / 1e6, 'f', 0) << " ms after the last byte\n";
        QFile::remove(Target);
    }
    Server.kill();
    Server.waitForFinished();

    Out << "file: " << SizeMB << " MB, rounds: " << Rounds << "\n";
    Out << "downloader: " << QString::number(MBPerSecond(Size, BestOurs), 'f', 0) << " MB/s ("
        << QString::number(BestOurs / 1e6, 'f', 0) << " ms, " << Notifications << " progress notifications)\n";
    if (BestCurl > 0)
        Out << "curl:       " << QString::number(MBPerSecond(Size, BestCurl), 'f', 0) << " MB/s ("
            << QString::number(BestCurl / 1e6, 'f', 0) << " ms)\n"
            << "ratio downloader/curl: " << QString::number(double(BestCurl) / double(BestOurs), 'f', 2) << "\n";
    else
        Out << "curl: not found\n";
    Out << "peak resident size: " << PeakResidentKB() / 1024 << " MB (before the downloads: " << BaselineKB / 1024
        << " MB)\n";
    return 0;
}
