// The package server under many clients, run as its own process so that its
// memory is its own: clients that ask for a large file and never read, then
// idle connections beyond the connection cap, then clients that read the
// whole file (their bytes checked against the file's digest).
// Usage: bench_package_server [clients, default 200] [MB, default 50] [idle, default 600]

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// "VmRSS" or "VmHWM" of a process, in KiB; -1 when unknown.
qint64 StatusKiB(qint64 Pid, const char *Field)
{
    QFile Status(QStringLiteral("/proc/%1/status").arg(Pid));
    if (!Status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &Line : Status.readAll().split('\n'))
        if (Line.startsWith(Field))
            return Line.mid(qstrlen(Field) + 1).trimmed().split(' ').first().toLongLong();
    return -1;
}

std::unique_ptr<QTcpSocket> Request(quint16 Port, qint64 ReadBuffer, const QByteArray &Path)
{
    auto Socket = std::make_unique<QTcpSocket>();
    Socket->setReadBufferSize(ReadBuffer);
    Socket->connectToHost(QHostAddress::LocalHost, Port);
    if (!Path.isEmpty())
        Socket->write("GET " + Path + " HTTP/1.1\r\nHost: x\r\n\r\n");
    return Socket;
}

// Lets the event loop run for Msec (clients connect, the server answers).
void Settle(int Msec)
{
    QTest::qWait(Msec);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    const int Clients = argc > 1 ? atoi(argv[1]) : 200;
    const qint64 Megabytes = argc > 2 ? atoll(argv[2]) : 50;
    const int Idle = argc > 3 ? atoi(argv[3]) : 600;

    QTemporaryDir Root;
    QByteArray Data(Megabytes * 1024 * 1024, Qt::Uninitialized);
    for (qint64 I = 0; I < Data.size(); ++I)
        Data[I] = char((I * 131 + I / 4093) & 0xff);
    {
        QFile File(Root.filePath(QStringLiteral("big.bin")));
        if (!File.open(QIODevice::WriteOnly) || File.write(Data) != Data.size()) {
            std::fprintf(stderr, "cannot write the test file\n");
            return 1;
        }
    }
    const QByteArray Digest = QCryptographicHash::hash(Data, QCryptographicHash::Sha256);
    Data = QByteArray();

    QProcess Server;
    Server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Server.start(QStringLiteral(GLOTTA_PACKAGE_SERVER), {QStringLiteral("--root"), Root.path()});
    if (!Server.waitForStarted() || !Server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the package server did not start\n");
        return 1;
    }
    const QUrl Base(QString::fromUtf8(Server.readLine().trimmed()));
    const quint16 Port = quint16(Base.port());
    const qint64 Pid = Server.processId();
    std::printf("server pid %lld on port %u; file %lld MB; resident at start %lld KiB\n", Pid, Port, Megabytes,
                StatusKiB(Pid, "VmRSS:"));

    // Clients that ask and never read: each holds its small read buffer full.
    {
        std::vector<std::unique_ptr<QTcpSocket>> Stalled;
        for (int I = 0; I < Clients; ++I)
            Stalled.push_back(Request(Port, 16 * 1024, "/data/big.bin"));
        Settle(5000);
        std::printf("%d non-reading clients: server resident %lld KiB, peak %lld KiB\n", Clients,
                    StatusKiB(Pid, "VmRSS:"), StatusKiB(Pid, "VmHWM:"));

        // Idle connections beyond the cap (500): the served ones wait for
        // their request, the rest wait unaccepted.
        std::vector<std::unique_ptr<QTcpSocket>> Silent;
        for (int I = 0; I < Idle; ++I)
            Silent.push_back(Request(Port, 1024, QByteArray()));
        Settle(3000);
        std::printf("+ %d idle connections: server resident %lld KiB, peak %lld KiB\n", Idle,
                    StatusKiB(Pid, "VmRSS:"), StatusKiB(Pid, "VmHWM:"));
    }
    Settle(2000); // the server sees the clients go

    // Clients that read everything.
    int Correct = 0, Done = 0;
    QElapsedTimer Clock;
    Clock.start();
    {
        struct TReader
        {
            std::unique_ptr<QTcpSocket> Socket;
            QCryptographicHash Hash{QCryptographicHash::Sha256};
            QByteArray Head;
            qint64 Body = 0;
            bool HeadDone = false;
            bool Ended = false;
        };
        std::vector<std::unique_ptr<TReader>> Readers;
        for (int I = 0; I < Clients; ++I) {
            auto R = std::make_unique<TReader>();
            R->Socket = Request(Port, 256 * 1024, "/data/big.bin");
            TReader *P = R.get();
            QObject::connect(P->Socket.get(), &QTcpSocket::readyRead, [P] {
                QByteArray Chunk = P->Socket->readAll();
                if (!P->HeadDone) {
                    P->Head += Chunk;
                    const qsizetype End = P->Head.indexOf("\r\n\r\n");
                    if (End < 0)
                        return;
                    Chunk = P->Head.mid(End + 4);
                    P->HeadDone = true;
                }
                P->Hash.addData(Chunk);
                P->Body += Chunk.size();
            });
            QObject::connect(P->Socket.get(), &QTcpSocket::disconnected, [P, &Done] {
                if (!P->Ended) {
                    P->Ended = true;
                    ++Done;
                }
            });
            Readers.push_back(std::move(R));
        }
        QTest::qWaitFor([&] { return Done == Clients; }, 600000);
        for (const auto &R : Readers)
            if (R->Hash.result() == Digest)
                ++Correct;
    }
    std::printf("%d reading clients: %d of them got the file's bytes in %.1f s; server peak %lld KiB\n", Clients,
                Correct, Clock.elapsed() / 1000.0, StatusKiB(Pid, "VmHWM:"));
    Server.kill();
    Server.waitForFinished();
    return Correct == Clients ? 0 : 1;
}
