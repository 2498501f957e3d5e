#pragma once
// A small HTTP/1.1 file server for the installer's packages: answers GET and
// HEAD for paths below "/data/" from a root folder, streaming large files
// with a bounded buffer per connection and a bounded number of connections.
// The run command serves the packages with it on 127.0.0.1; tests run it
// in-process and switch per-path faults on to drive the downloader's error paths.

#include <QHash>
#include <QList>
#include <QHostAddress>
#include <QObject>
#include <QString>

class QTcpServer;

// What the server does wrong for one path instead of serving it.
struct TPackageFault
{
    enum TKind {
        None,
        Status,   // answers StatusCode with a short text body
        Reset,    // sends the headers and Bytes body bytes, then resets the connection
        Truncate, // announces the full length, sends Bytes body bytes, then closes normally
        Stall,    // sends the headers and Bytes body bytes, then nothing while the connection stays open
        Slow,     // sends the whole body, Bytes bytes every TickMsec milliseconds
        Redirect, // answers StatusCode (a 3xx) with Location
    };
    TKind Kind = None;
    int StatusCode = 0;
    qint64 Bytes = 0;
    int TickMsec = 0;
    QString Location;

    static TPackageFault AnswerStatus(int Code) { return {Status, Code, 0, 0, {}}; }
    static TPackageFault ResetAfter(qint64 BodyBytes) { return {Reset, 0, BodyBytes, 0, {}}; }
    static TPackageFault TruncateAfter(qint64 BodyBytes) { return {Truncate, 0, BodyBytes, 0, {}}; }
    static TPackageFault StallAfter(qint64 BodyBytes) { return {Stall, 0, BodyBytes, 0, {}}; }
    static TPackageFault SlowBody(qint64 BytesPerTick, int TickMsec) { return {Slow, 0, BytesPerTick, TickMsec, {}}; }
    static TPackageFault RedirectTo(const QString &Location, int Code = 302) { return {Redirect, Code, 0, 0, Location}; }
};

class TPackageServer : public QObject
{
    Q_OBJECT
public:
    explicit TPackageServer(const QString &Root, QObject *Parent = nullptr);
    ~TPackageServer() override;

    // Port 0 picks a free port. False (with ErrorString) when the address cannot be bound.
    bool Listen(quint16 Port = 0, const QHostAddress &Address = QHostAddress(QHostAddress::LocalHost));
    quint16 Port() const;
    // "http://127.0.0.1:<port>", without a trailing slash; download paths are appended to it.
    QString BaseUrl() const;
    QString ErrorString() const;
    QString Root() const { return fRoot; }

    // Faults are keyed by the URL path as requested ("/data/x.msi"); for tests only.
    void SetFault(const QString &Path, const TPackageFault &Fault);
    void ClearFaults();
    TPackageFault FaultFor(const QString &Path) const;
    // How many requests (of any method, served or refused) have asked for the
    // path so far. Paths are counted from the first request on while the table
    // holds fewer than MaxCountedPaths paths of MaxCountedPathBytes in all; a
    // path first asked for later reads 0.
    int RequestCount(const QString &Path) const;
    void CountRequest(const QString &Path);
    // Every request with a readable request line, counted or not.
    qint64 RequestTotal() const { return fRequestTotal; }
    qsizetype CountedPathBytes() const { return fCountedPathBytes; }
    static constexpr qsizetype MaxCountedPaths = 4096;
    static constexpr qsizetype MaxCountedPathBytes = 1024 * 1024;

    // A connection that has not completed its request, or has taken none of
    // its answer, within this time is dropped (default 60 s).
    int IdleTimeout() const { return fIdleTimeoutMsec; }
    void SetIdleTimeout(int Msec);
    // Connections dropped by the idle timeout so far.
    qint64 IdleDrops() const { return fIdleDrops; }

    // An answer is read from its file only as the client takes it: a
    // connection holds at most this many answer bytes in memory.
    static constexpr qint64 ConnectionBufferBytes = 64 * 1024;
    // The most answer bytes one connection has held in memory at once, and
    // the bytes read from served files so far.
    qint64 PeakBufferedBytes() const { return fPeakBuffered; }
    qint64 FileBytesRead() const { return fFileBytesRead; }
    // Called by a connection that read Bytes of its file and now holds Buffered bytes.
    void NoteFileRead(qint64 Bytes, qint64 Buffered)
    {
        fFileBytesRead += Bytes;
        fPeakBuffered = qMax(fPeakBuffered, Buffered);
    }

    // At most this many connections are served at once (default 500); those
    // over the cap wait, unread and unanswered, in the system's queue of the
    // listening socket (and beyond its length are refused by the system)
    // until a served one ends. A waiting connection costs the server no
    // buffer and no file.
    static constexpr int DefaultMaxConnections = 500;
    int MaxConnections() const { return fMaxConnections; }
    void SetMaxConnections(int Count);
    int ConnectionCount() const { return fConnections; }
    int PeakConnectionCount() const { return fPeakConnections; }
    // Called by the listening socket for each connection the system accepted,
    // and by a connection as it ends.
    void Incoming(qintptr Descriptor);
    void ConnectionEnded(bool Idle);

private:
    void ServeWaiting();

    QList<qintptr> fWaiting; // accepted by the system, not yet served
    int fMaxConnections = DefaultMaxConnections;
    int fConnections = 0;
    int fPeakConnections = 0;
    qint64 fPeakBuffered = 0;
    qint64 fFileBytesRead = 0;
    qint64 fIdleDrops = 0;

    QString fRoot;
    QTcpServer *fServer;
    QHash<QString, TPackageFault> fFaults;
    QHash<QString, int> fRequestCounts;
    qsizetype fCountedPathBytes = 0;
    qint64 fRequestTotal = 0;
    int fIdleTimeoutMsec = 60000;
};
