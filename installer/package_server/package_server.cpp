#include "installer/package_server/package_server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#endif

namespace {

// Request headers larger than this are refused; a package request is one short line.
constexpr qsizetype MaxHeaderBytes = 16 * 1024;
// The body is read from disk in pieces of this size and handed to the socket
// only while less than HighWater bytes wait in its buffer, so memory stays
// flat whatever the file size.
constexpr qint64 ChunkBytes = 256 * 1024;
constexpr qint64 HighWater = 1024 * 1024;

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
        connect(fSocket, &QTcpSocket::readyRead, this, [this] { ReadRequest(); });
        connect(fSocket, &QTcpSocket::bytesWritten, this, [this] { Pump(); });
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
        const qsizetype End = fRequest.indexOf("\r\n\r\n");
        if (End < 0) {
            if (fRequest.size() > MaxHeaderBytes)
                Answer(431, {});
            return;
        }
        fAnswered = true;
        const QByteArray Line = fRequest.left(fRequest.indexOf("\r\n"));
        const QList<QByteArray> Parts = Line.split(' ');
        if (Parts.size() != 3 || !Parts[2].startsWith("HTTP/1.")) {
            Answer(400, {});
            return;
        }
        const QByteArray Method = Parts[0];
        fHead = Method == "HEAD";
        QByteArray Target = Parts[1];
        const qsizetype Query = Target.indexOf('?');
        if (Query >= 0)
            Target.truncate(Query);
        const QString Path = QUrl::fromPercentEncoding(Target);
        fServer->CountRequest(Path);

        if (Method != "GET" && !fHead) {
            Answer(405, "Allow: GET, HEAD\r\n");
            return;
        }
        fFault = fServer->FaultFor(Path);
        if (fFault.Kind == TPackageFault::Status) {
            Answer(fFault.StatusCode, {});
            return;
        }
        if (fFault.Kind == TPackageFault::Redirect) {
            Answer(fFault.StatusCode, "Location: " + fFault.Location.toUtf8() + "\r\n");
            return;
        }
        const QString FileName = ResolvePath(Path);
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

    // Maps "/data/a/b" to Root/a/b; anything outside the root, a directory or
    // a path with "." or ".." segments is not found.
    QString ResolvePath(const QString &Path) const
    {
        static const QString Prefix = QStringLiteral("/data/");
        if (!Path.startsWith(Prefix))
            return {};
        QStringList Segments;
        for (const QString &Segment : Path.mid(Prefix.size()).split(u'/', Qt::SkipEmptyParts)) {
            if (Segment == u"." || Segment == u".." || Segment.contains(u'\\') || Segment.contains(QChar(0)))
                return {};
            Segments << Segment;
        }
        if (Segments.isEmpty())
            return {};
        const QString Root = QFileInfo(fServer->Root()).canonicalFilePath();
        if (Root.isEmpty())
            return {};
        const QFileInfo Info(Root + u'/' + Segments.join(u'/'));
        const QString Canonical = Info.canonicalFilePath();
        if (Canonical.isEmpty() || !Canonical.startsWith(Root + u'/') || !Info.isFile())
            return {};
        return Canonical;
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
        while (fSent < fLimit && fSocket->bytesToWrite() < HighWater) {
            if (!SendChunk(qMin(ChunkBytes, fLimit - fSent)))
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

    void Finish()
    {
        if (fFinished)
            return;
        fFinished = true;
        fStreaming = false;
        if (fTicker)
            fTicker->stop();
        deleteLater();
    }

    TPackageServer *fServer;
    QTcpSocket *fSocket;
    QByteArray fRequest;
    QFile fFile;
    TPackageFault fFault;
    QTimer *fTicker = nullptr;
    qint64 fLimit = 0;
    qint64 fSent = 0;
    bool fHead = false;
    bool fAnswered = false;
    bool fStreaming = false;
    bool fFinished = false;
};

} // namespace

TPackageServer::TPackageServer(const QString &Root, QObject *Parent)
    : QObject(Parent), fRoot(Root), fServer(new QTcpServer(this))
{
    connect(fServer, &QTcpServer::newConnection, this, [this] { AcceptConnections(); });
}

TPackageServer::~TPackageServer() = default;

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
    ++fRequestCounts[Path];
}

void TPackageServer::AcceptConnections()
{
    while (QTcpSocket *Socket = fServer->nextPendingConnection())
        new TPackageConnection(this, Socket);
}
