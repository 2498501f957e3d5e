#include "installer/package_server/package_server.h"

#include "installer/package_server/package_request.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <utility>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace {

// The body is read from disk in pieces of this size, and a piece only while
// it fits beside what still waits in the socket's buffer within the
// connection's bound: the file is read as the client reads, so a client that
// stops reading holds at most the bound, whatever the file's size.
constexpr qint64 ChunkBytes = 32 * 1024;
static_assert(ChunkBytes <= TPackageServer::ConnectionBufferBytes);

QByteArray ReasonPhrase(int Code)
{
    switch (Code) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// One client connection: reads one request, answers it and closes.
class TPackageConnection : public QObject
{
public:
    TPackageConnection(TPackageServer *Server, QTcpSocket *Socket)
        : QObject(Server), fServer(Server), fSocket(Socket)
    {
        fSocket->setParent(this);
        // A connection must bring its request within the idle time and then
        // take the answer without pausing that long: a client that opens
        // connections and sends nothing, or trickles its request, or stops
        // reading, does not hold them for ever. Only the answer's progress
        // restarts the clock.
        fIdle = new QTimer(this);
        fIdle->setSingleShot(true);
        connect(fIdle, &QTimer::timeout, this, [this] {
            Finish(true); // first: the abort reports the disconnection at once
            fSocket->abort();
        });
        fIdle->start(Server->IdleTimeout());
        connect(fSocket, &QTcpSocket::readyRead, this, [this] { ReadRequest(); });
        connect(fSocket, &QTcpSocket::bytesWritten, this, [this] {
            fIdle->start(fServer->IdleTimeout());
            Pump();
        });
        connect(fSocket, &QTcpSocket::disconnected, this, [this] { Finish(); });
        connect(fSocket, &QTcpSocket::errorOccurred, this, [this] {
            if (fSocket->state() != QAbstractSocket::ConnectedState)
                Finish();
        });
    }

private:
    void ReadRequest()
    {
        if (fAnswered) {
            fSocket->readAll(); // one request per connection; anything after it is ignored
            return;
        }
        fRequest += fSocket->readAll();
        const TPackageRequest Request = ParsePackageRequest(fRequest);
        if (Request.State == TPackageRequest::Incomplete)
            return;
        fAnswered = true;
        fRequest.clear();
        fHead = Request.Head;
        if (!Request.Path.isNull())
            fServer->CountRequest(Request.Path);
        if (Request.State == TPackageRequest::Refuse) {
            Answer(Request.Status, Request.Status == 405 ? "Allow: GET, HEAD\r\n" : QByteArray());
            return;
        }
        const QString &Path = Request.Path;
        fFault = fServer->FaultFor(Path);
        if (fFault.Kind == TPackageFault::Status) {
            Answer(fFault.StatusCode, {});
            return;
        }
        if (fFault.Kind == TPackageFault::Redirect) {
            Answer(fFault.StatusCode, "Location: " + fFault.Location.toUtf8() + "\r\n");
            return;
        }
        const QString FileName = ResolvePackagePath(fServer->Root(), Path);
        if (FileName.isEmpty()) {
            Answer(404, {});
            return;
        }
        fFile.setFileName(FileName);
        if (!fFile.open(QIODevice::ReadOnly)) {
            Answer(404, {});
            return;
        }
        const qint64 Size = fFile.size();
        fLimit = Size;
        if (fFault.Kind == TPackageFault::Reset || fFault.Kind == TPackageFault::Truncate
            || fFault.Kind == TPackageFault::Stall)
            fLimit = qBound<qint64>(0, fFault.Bytes, Size);
        QByteArray Head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: "
            + QByteArray::number(Size) + "\r\nConnection: close\r\n\r\n";
        fSocket->write(Head);
        if (fHead) {
            fFile.close();
            fSocket->disconnectFromHost();
            return;
        }
        fStreaming = true;
        if (fFault.Kind == TPackageFault::Slow) {
            fTicker = new QTimer(this);
            connect(fTicker, &QTimer::timeout, this, [this] { SendSlowTick(); });
            fTicker->start(qMax(1, fFault.TickMsec));
            return;
        }
        Pump();
    }

    void Answer(int Code, const QByteArray &ExtraHeaders)
    {
        fAnswered = true;
        const QByteArray Body = fHead ? QByteArray() : QByteArray::number(Code) + " " + ReasonPhrase(Code) + "\n";
        const QByteArray Length = QByteArray::number(fHead ? 0 : Body.size());
        fSocket->write("HTTP/1.1 " + QByteArray::number(Code) + " " + ReasonPhrase(Code) + "\r\n" + ExtraHeaders
                       + "Content-Type: text/plain\r\nContent-Length: " + Length + "\r\nConnection: close\r\n\r\n"
                       + Body);
        fSocket->disconnectFromHost();
    }

    void Pump()
    {
        if (!fStreaming || fTicker)
            return;
        for (;;) {
            const qint64 Piece = qMin(ChunkBytes, fLimit - fSent);
            if (Piece <= 0 || fSocket->bytesToWrite() + Piece > TPackageServer::ConnectionBufferBytes)
                break;
            if (!SendChunk(Piece))
                return;
        }
        if (fSent >= fLimit)
            EndBody();
    }

    void SendSlowTick()
    {
        if (fSent < fLimit && !SendChunk(qMin<qint64>(qMax<qint64>(1, fFault.Bytes), fLimit - fSent)))
            return;
        if (fSent >= fLimit) {
            fTicker->stop();
            EndBody();
        }
    }

    bool SendChunk(qint64 Bytes)
    {
        const QByteArray Data = fFile.read(Bytes);
        if (Data.isEmpty()) { // the file shrank or cannot be read any more
            fStreaming = false;
            fSocket->abort();
            Finish();
            return false;
        }
        fSocket->write(Data);
        fSent += Data.size();
        fServer->NoteFileRead(Data.size(), fSocket->bytesToWrite());
        return true;
    }

    void EndBody()
    {
        switch (fFault.Kind) {
        case TPackageFault::Stall:
            return; // keep the connection open and send nothing more
        case TPackageFault::Reset:
            if (fSocket->bytesToWrite() > 0)
                return; // reset once what was promised has left the buffer
            fStreaming = false;
#ifdef Q_OS_UNIX
            {
                // A zero linger time turns the close into a connection reset.
                struct linger Linger = {1, 0};
                ::setsockopt(int(fSocket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &Linger, sizeof Linger);
            }
#endif
            fSocket->abort();
            Finish();
            return;
        default:
            fStreaming = false;
            fSocket->disconnectFromHost();
            return;
        }
    }

    void Finish(bool Idle = false)
    {
        if (fFinished)
            return;
        fFinished = true;
        fStreaming = false;
        fIdle->stop();
        if (fTicker)
            fTicker->stop();
        fFile.close();
        fServer->ConnectionEnded(Idle);
        deleteLater();
    }

    TPackageServer *fServer;
    QTcpSocket *fSocket;
    QByteArray fRequest;
    QFile fFile;
    TPackageFault fFault;
    QTimer *fTicker = nullptr;
    QTimer *fIdle = nullptr;
    qint64 fLimit = 0;
    qint64 fSent = 0;
    bool fHead = false;
    bool fAnswered = false;
    bool fStreaming = false;
    bool fFinished = false;
};

// Hands each accepted connection's descriptor to the server before any of
// its data is read, so one over the cap waits without a buffer.
class TListener : public QTcpServer
{
public:
    TListener(TPackageServer *Server) : QTcpServer(Server), fOnIncoming([Server](qintptr D) { Server->Incoming(D); }) {}

protected:
    void incomingConnection(qintptr Descriptor) override { fOnIncoming(Descriptor); }

private:
    std::function<void(qintptr)> fOnIncoming;
};

} // namespace

TPackageServer::TPackageServer(const QString &Root, QObject *Parent)
    : QObject(Parent), fRoot(Root), fServer(new TListener(this))
{
}

TPackageServer::~TPackageServer()
{
    // Connections still waiting are closed with the server.
    for (const qintptr Descriptor : std::as_const(fWaiting)) {
        QTcpSocket Socket;
        if (Socket.setSocketDescriptor(Descriptor))
            Socket.abort();
    }
}

bool TPackageServer::Listen(quint16 Port, const QHostAddress &Address)
{
    return fServer->listen(Address, Port);
}

quint16 TPackageServer::Port() const
{
    return fServer->serverPort();
}

QString TPackageServer::BaseUrl() const
{
    QUrl Url;
    Url.setScheme(QStringLiteral("http"));
    Url.setHost(fServer->serverAddress().toString());
    Url.setPort(fServer->serverPort());
    return Url.toString();
}

QString TPackageServer::ErrorString() const
{
    return fServer->errorString();
}

void TPackageServer::SetFault(const QString &Path, const TPackageFault &Fault)
{
    if (Fault.Kind == TPackageFault::None)
        fFaults.remove(Path);
    else
        fFaults.insert(Path, Fault);
}

void TPackageServer::ClearFaults()
{
    fFaults.clear();
}

TPackageFault TPackageServer::FaultFor(const QString &Path) const
{
    return fFaults.value(Path);
}

int TPackageServer::RequestCount(const QString &Path) const
{
    return fRequestCounts.value(Path);
}

void TPackageServer::CountRequest(const QString &Path)
{
    ++fRequestTotal;
    const auto It = fRequestCounts.find(Path);
    if (It != fRequestCounts.end()) {
        ++*It;
        return;
    }
    // Any client can ask for any number of made-up paths: past the bounds a
    // new path goes uncounted instead of growing the table without end.
    const qsizetype Bytes = Path.size() * qsizetype(sizeof(QChar));
    if (fRequestCounts.size() >= MaxCountedPaths || fCountedPathBytes + Bytes > MaxCountedPathBytes)
        return;
    fRequestCounts.insert(Path, 1);
    fCountedPathBytes += Bytes;
}

void TPackageServer::SetIdleTimeout(int Msec)
{
    fIdleTimeoutMsec = qMax(1, Msec);
}

void TPackageServer::SetMaxConnections(int Count)
{
    fMaxConnections = qMax(1, Count);
    ServeWaiting();
}

void TPackageServer::Incoming(qintptr Descriptor)
{
    fWaiting.append(Descriptor);
    ServeWaiting();
}

void TPackageServer::ServeWaiting()
{
    while (!fWaiting.isEmpty() && fConnections < fMaxConnections) {
        auto *Socket = new QTcpSocket;
        if (!Socket->setSocketDescriptor(fWaiting.takeFirst())) {
            delete Socket;
            continue;
        }
        ++fConnections;
        fPeakConnections = qMax(fPeakConnections, fConnections);
        new TPackageConnection(this, Socket);
    }
    // At the cap the listening socket is not read: further connections wait
    // in the system's queue, which costs this process nothing.
    if (fConnections >= fMaxConnections)
        fServer->pauseAccepting();
    else
        fServer->resumeAccepting();
}

void TPackageServer::ConnectionEnded(bool Idle)
{
    --fConnections;
    if (Idle)
        ++fIdleDrops;
    ServeWaiting();
}
