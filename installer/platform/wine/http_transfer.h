#pragma once
// One HTTP/1.1 GET over a connection of its own (TCP, or TLS for https),
// read with the bounded head and body readers of http_response_head.h: the
// Linux downloader's transport. The network layer's own HTTP client reads a
// whole answer head of any size before it tells the program anything; this
// one refuses a head past its bounds as the bytes arrive.

#include "installer/platform/wine/http_response_head.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <functional>
#include <utility>

class QNetworkProxyFactory;
class QTcpSocket;

class THttpTransfer : public QObject
{
public:
    enum class TState { Running, Done, Failed };

    // Url is http or https. Headers go with the request besides Host,
    // User-Agent, Accept-Encoding: identity and Connection: close.
    // CaCertificates are trusted besides the system's. Proxies names the
    // proxy for the URL (the first usable answer is taken); null: none.
    THttpTransfer(const QUrl &Url, const QList<std::pair<QByteArray, QByteArray>> &Headers,
                  const QList<QSslCertificate> &CaCertificates, QNetworkProxyFactory *Proxies,
                  QObject *Parent = nullptr);
    ~THttpTransfer() override;

    // Called from the event loop: the final head has arrived (Head()); body
    // bytes wait to be Read(); the transfer has ended (State()). None of
    // them is called again while one of them runs.
    std::function<void()> OnHead;
    std::function<void()> OnReadyRead;
    std::function<void()> OnFinished;

    // The connection is made in the event loop; the socket holds at most
    // ReadBufferBytes unread, so memory does not grow with the file.
    void Start(qint64 ReadBufferBytes);
    // No callback runs after this; the connection is closed with the object.
    void Stop();

    const TResponseHead &Head() const { return fHeadReader.Head(); }
    bool HeadComplete() const { return fStage != TStage::Head; }
    // Body bytes into Data, at most Max (chunk framing removed); 0 when
    // none are there now.
    qint64 Read(char *Data, qint64 Max);

    // Done: the whole body arrived. Failed: ErrorString() says why, and
    // Passing() whether another try may fare better (a network failure,
    // a dropped connection) or not (a refused head, a failed TLS handshake).
    TState State() const { return fState; }
    QString ErrorString() const { return fError; }
    bool Passing() const { return fPassing; }

private:
    enum class TStage { Head, Body };

    void Connect();
    void SendRequest();
    void Pump();
    void Fail(bool Passing, const QString &Reason);
    void Report();

    QUrl fUrl;
    QList<std::pair<QByteArray, QByteArray>> fHeaders;
    QList<QSslCertificate> fCaCertificates;
    QNetworkProxyFactory *fProxies = nullptr;
    QTcpSocket *fSocket = nullptr;
    bool fAbsoluteTarget = false; // sent to an HTTP proxy: the whole URL as the target
    QByteArray fProxyAuthorization;
    THttpResponseHead fHeadReader;
    THttpBodyReader fBodyReader;
    TStage fStage = TStage::Head;
    QByteArray fPending; // raw bytes read past the head's end
    qint64 fRawTaken = 0;
    TState fState = TState::Running;
    QString fError;
    bool fPassing = false;
    bool fClosed = false;
    bool fPumping = false;
    bool fStopped = false;
    bool fReported = false;
};
