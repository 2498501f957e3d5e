#pragma once
// A local HTTP(S) server for the downloader's tests that answers each
// connection from a script: a fixed head and body, a file with or without
// ranges, a connection dropped part way, a body that never ends or one that
// trickles. It records every request head it reads.

#include <QFile>
#include <QList>
#include <QSet>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

struct TScriptedAnswer
{
    // Empty: a file answer from File (200, or 206 for a honoured range).
    QByteArray Head;       // status line and headers, without the blank line
    QByteArray Body;       // sent after a fixed head
    QByteArray File;       // the file of a file answer
    bool Ranges = false;   // the file answer offers and honours "Range: bytes=N-"
    bool WholeForRange = false; // ...offers ranges but answers a range with the whole file
    bool WrongRange = false;    // ...offers ranges but answers a range with its first 10 bytes
    qint64 RangeShift = 0;      // ...answers a range from this many bytes after the offset asked, to the end
    QList<qint64> DropAt;  // file offsets where a file answer drops the connection, once each
    qint64 CloseAfter = -1; // close the connection after this many body bytes
    bool Endless = false;  // after Body, send filler until the client goes
    int TrickleMsec = 0;   // send the body one byte per this many ms
    bool EndlessHead = false; // after Head's lines, header lines follow until the client goes

    static TScriptedAnswer Fixed(const QByteArray &Head, const QByteArray &Body = {})
    {
        TScriptedAnswer A;
        A.Head = Head;
        A.Body = Body;
        return A;
    }
    static TScriptedAnswer FileAnswer(const QByteArray &File, bool Ranges, qint64 CloseAfter = -1)
    {
        TScriptedAnswer A;
        A.File = File;
        A.Ranges = Ranges;
        A.CloseAfter = CloseAfter;
        return A;
    }
    static TScriptedAnswer Dropping(const QByteArray &File, bool Ranges, QList<qint64> DropAt)
    {
        TScriptedAnswer A = FileAnswer(File, Ranges);
        A.DropAt = DropAt;
        return A;
    }
};

class TScriptedServer : public QTcpServer
{
public:
    // Listens on 127.0.0.1 (check isListening()); Request n gets Answers[n],
    // the last one for every later request.
    explicit TScriptedServer(const QList<TScriptedAnswer> &Script = {}, bool Tls = false) : Answers(Script)
    {
        if (Tls)
            UseTls(QStringLiteral(GLOTTA_TEST_DATA "/tls/server.pem"), QStringLiteral(GLOTTA_TEST_DATA "/tls/server.key"));
        listen(QHostAddress::LocalHost);
    }

    QList<TScriptedAnswer> Answers;
    QList<QByteArray> Requests;
    int Connections = 0;

    bool TlsReady() const { return !fCert.isNull() && !fKey.isNull(); }

private:
    void UseTls(const QString &CertFile, const QString &KeyFile)
    {
        QFile Cert(CertFile), Key(KeyFile);
        if (Cert.open(QIODevice::ReadOnly) && Key.open(QIODevice::ReadOnly)) {
            fCert = QSslCertificate(Cert.readAll(), QSsl::Pem);
            fKey = QSslKey(Key.readAll(), QSsl::Ec, QSsl::Pem);
        }
        fTls = true;
    }

public:
    QString Url(const QString &Path) const
    {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(fTls ? QStringLiteral("https") : QStringLiteral("http"))
            .arg(serverPort())
            .arg(Path);
    }

protected:
    void incomingConnection(qintptr Descriptor) override
    {
        auto *Socket = fTls ? new QSslSocket(this) : new QTcpSocket(this);
        Socket->setSocketDescriptor(Descriptor);
        ++Connections;
        QObject::connect(Socket, &QTcpSocket::disconnected, Socket, &QObject::deleteLater);
        QObject::connect(Socket, &QTcpSocket::readyRead, Socket, [this, Socket] { OnRead(Socket); });
        if (fTls) {
            auto *Ssl = static_cast<QSslSocket *>(Socket);
            Ssl->setLocalCertificate(fCert);
            Ssl->setPrivateKey(fKey);
            Ssl->startServerEncryption();
        }
    }

private:
    void OnRead(QTcpSocket *Socket)
    {
        QByteArray Pending = Socket->property("Pending").toByteArray() + Socket->readAll();
        // A connection whose answer closes it, or never ends, reads no more requests.
        while (!Socket->property("Busy").toBool()) {
            const qsizetype End = Pending.indexOf("\r\n\r\n");
            if (End < 0)
                break;
            const QByteArray Request = Pending.left(End);
            Pending.remove(0, End + 4);
            const qsizetype Index = Requests.size();
            Requests.append(Request); 
            Answer(Socket,
                   Answers.isEmpty() ? TScriptedAnswer::Fixed("HTTP/1.1 404 Not Found\r\nContent-Length: 0")
                                     : Answers[qMin<qsizetype>(Index, Answers.size() - 1)],
                   Request);
        }
        Socket->setProperty("Pending", Pending);
    }

    static qint64 RangeStart(const QByteArray &Request)
    {
        for (const QByteArray &Line : Request.split('\n')) {
            const QByteArray L = Line.trimmed();
            if (L.toLower().startsWith("range: bytes=") && L.endsWith('-'))
                return L.mid(13, L.size() - 14).toLongLong();
        }
        return -1;
    }

    void Answer(QTcpSocket *Socket, const TScriptedAnswer &A, const QByteArray &Request)
    {
        QByteArray Head = A.Head;
        QByteArray Body = A.Body;
        qint64 CloseAfter = A.CloseAfter;
        if (Head.isEmpty()) {
            const qint64 Asked = RangeStart(Request);
            const qint64 Size = A.File.size();
            qint64 Start = 0;
            if (A.Ranges && !A.WholeForRange && Asked > 0 && Asked + A.RangeShift < Size) {
                Start = A.WrongRange ? 0 : Asked + A.RangeShift;
                const qint64 Last = A.WrongRange ? 9 : Size - 1;
                Body = A.File.mid(Start, Last - Start + 1);
                Head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + QByteArray::number(Start) + '-'
                     + QByteArray::number(Last) + '/' + QByteArray::number(Size);
            } else {
                Body = A.File;
                Head = "HTTP/1.1 200 OK";
            }
            Head += "\r\nContent-Length: " + QByteArray::number(Body.size());
            Head += A.Ranges ? "\r\nAccept-Ranges: bytes\r\nETag: \"v1\"" : "\r\nAccept-Ranges: none";
            // An answer drops at the first drop point after its start, once:
            // the network layer may send a request again on its own, and
            // that copy must not use up the next point.
            for (const qint64 Drop : A.DropAt)
                if (Drop > Start && Drop < Start + Body.size()) {
                    if (!fDropped.contains(Drop)) {
                        fDropped.insert(Drop);
                        CloseAfter = Drop - Start;
                    }
                    break;
                }
        }
        if (CloseAfter >= 0)
            Body = Body.left(CloseAfter);
        const bool Closes = CloseAfter >= 0 || A.Endless || A.TrickleMsec > 0
                         || !Head.toLower().contains("\r\ncontent-length:");
        if (Closes && !Head.toLower().contains("\r\nconnection:"))
            Head += "\r\nConnection: close";
        if (A.EndlessHead) {
            Socket->setProperty("Busy", true);
            const QByteArray Lines = QByteArray("X-Filler: ").append(60, 'x').append("\r\n").repeated(1024);
            QObject::connect(Socket, &QTcpSocket::bytesWritten, Socket, [Socket, Lines] {
                if (Socket->bytesToWrite() < 4 * Lines.size())
                    Socket->write(Lines);
            });
            Socket->write(Head + "\r\n" + Lines);
            return;
        }
        Socket->write(Head + "\r\n\r\n");
        Socket->setProperty("Busy", Closes);
        if (A.TrickleMsec > 0) {
            auto *Timer = new QTimer(Socket);
            qsizetype Sent = 0;
            QObject::connect(Timer, &QTimer::timeout, Socket, [Socket, Body, Sent]() mutable {
                if (Sent < Body.size())
                    Socket->write(Body.mid(Sent++, 1));
                else
                    Socket->disconnectFromHost();
            });
            Timer->start(A.TrickleMsec);
            return;
        }
        Socket->write(Body);
        if (A.Endless) {
            const QByteArray Filler(64 * 1024, 'x');
            QObject::connect(Socket, &QTcpSocket::bytesWritten, Socket, [Socket, Filler] {
                if (Socket->bytesToWrite() < 4 * Filler.size())
                    Socket->write(Filler);
            });
            Socket->write(Filler);
            return;
        }
        // The close follows a moment later, once the client has read what
        // came before it: a close that overtakes the head makes the network
        // layer quietly send the request again.
        if (Closes)
            QTimer::singleShot(50, Socket, [Socket] { Socket->disconnectFromHost(); });
    }

    bool fTls = false;
    QSet<qint64> fDropped;
    QSslCertificate fCert;
    QSslKey fKey;
};
