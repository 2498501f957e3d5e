#include "installer/platform/wine/http_transfer.h"

#include <QHostAddress>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTcpSocket>

#include <cstring>

namespace {

// The head is read from the socket in pieces of this size, so what lies
// past its end is small.
constexpr qint64 HeadPieceBytes = 16 * 1024;

// Failures a flaky network or a restarting server cause, which another try
// may not meet. A refused TLS handshake or a refused proxy login will not mend.
bool IsPassing(QAbstractSocket::SocketError Error)
{
    switch (Error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::RemoteHostClosedError:
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::TemporaryError:
    case QAbstractSocket::UnknownSocketError:
    case QAbstractSocket::ProxyConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionClosedError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
    case QAbstractSocket::ProxyNotFoundError:
        return true;
    default:
        return false;
    }
}

bool IsTlsError(QAbstractSocket::SocketError Error)
{
    return Error == QAbstractSocket::SslHandshakeFailedError || Error == QAbstractSocket::SslInternalError
        || Error == QAbstractSocket::SslInvalidUserDataError;
}

bool IsHttps(const QUrl &Url)
{
    return Url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
}

// The Host header: the name (an IPv6 address in brackets) and a port other
// than the scheme's own.
QByteArray HostHeader(const QUrl &Url)
{
    QByteArray Host = Url.host(QUrl::FullyEncoded).toLatin1();
    if (Host.contains(':'))
        Host = '[' + Host + ']';
    const int Default = IsHttps(Url) ? 443 : 80;
    if (Url.port() != -1 && Url.port() != Default)
        Host += ':' + QByteArray::number(Url.port());
    return Host;
}

QByteArray OriginTarget(const QUrl &Url)
{
    QByteArray Target = Url.path(QUrl::FullyEncoded).toLatin1();
    if (Target.isEmpty())
        Target = "/";
    if (Url.hasQuery())
        Target += '?' + Url.query(QUrl::FullyEncoded).toLatin1();
    return Target;
}

} // namespace

THttpTransfer::THttpTransfer(const QUrl &Url, const QList<std::pair<QByteArray, QByteArray>> &Headers,
                             const QList<QSslCertificate> &CaCertificates, QNetworkProxyFactory *Proxies,
                             QObject *Parent)
    : QObject(Parent), fUrl(Url), fHeaders(Headers), fCaCertificates(CaCertificates), fProxies(Proxies)
{
}

THttpTransfer::~THttpTransfer()
{
    fStopped = true;
    if (fSocket) {
        fSocket->disconnect(this);
        fSocket->abort();
    }
}

void THttpTransfer::Start(qint64 ReadBufferBytes)
{
    const bool Tls = IsHttps(fUrl);
    if (Tls) {
        auto *Ssl = new QSslSocket(this);
        QSslConfiguration Config = QSslConfiguration::defaultConfiguration();
        if (!fCaCertificates.isEmpty())
            Config.addCaCertificates(fCaCertificates);
        Ssl->setSslConfiguration(Config);
        fSocket = Ssl;
        connect(Ssl, &QSslSocket::encrypted, this, [this] { SendRequest(); });
    } else {
        fSocket = new QTcpSocket(this);
        connect(fSocket, &QTcpSocket::connected, this, [this] { SendRequest(); });
    }
    fSocket->setReadBufferSize(ReadBufferBytes);
    connect(fSocket, &QTcpSocket::readyRead, this, [this] { Pump(); });
    connect(fSocket, &QTcpSocket::disconnected, this, [this] {
        fClosed = true;
        Pump();
    });
    connect(fSocket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError Error) {
        if (Error == QAbstractSocket::RemoteHostClosedError) {
            // The end of a body that runs until the close, or a dropped
            // connection: what arrived is read first.
            fClosed = true;
            Pump();
            return;
        }
        if (IsTlsError(Error))
            Fail(false, QStringLiteral("TLS handshake failed: %1").arg(fSocket->errorString()));
        else
            Fail(IsPassing(Error), fSocket->errorString());
    });
    Connect();
}

void THttpTransfer::Connect()
{
    // The proxy the network layer would take for this URL: a plain http
    // request goes to an HTTP proxy whole (the proxy fetches it), an https
    // one is tunnelled through it (CONNECT), and a SOCKS proxy carries
    // either connection.
    QNetworkProxy Proxy(QNetworkProxy::NoProxy);
    if (fProxies) {
        const QList<QNetworkProxy> Offered = fProxies->queryProxy(QNetworkProxyQuery(fUrl));
        bool Found = Offered.isEmpty();
        for (const QNetworkProxy &P : Offered) {
            const QNetworkProxy::ProxyType Type = P.type();
            if (Type == QNetworkProxy::NoProxy || Type == QNetworkProxy::DefaultProxy || Type == QNetworkProxy::HttpProxy
                || Type == QNetworkProxy::Socks5Proxy || (Type == QNetworkProxy::HttpCachingProxy && !IsHttps(fUrl))) {
                if (Type != QNetworkProxy::DefaultProxy)
                    Proxy = P;
                Found = true;
                break;
            }
        }
        if (!Found) {
            // Reported from the event loop, like any other failure.
            QMetaObject::invokeMethod(this, [this] { Fail(true, QStringLiteral("no usable proxy for the URL")); },
                                      Qt::QueuedConnection);
            return;
        }
    }
    const quint16 Port = quint16(fUrl.port(IsHttps(fUrl) ? 443 : 80));
    if (!IsHttps(fUrl) && (Proxy.type() == QNetworkProxy::HttpProxy || Proxy.type() == QNetworkProxy::HttpCachingProxy)) {
        fAbsoluteTarget = true;
        if (!Proxy.user().isEmpty())
            fProxyAuthorization =
                "Basic " + (Proxy.user().toUtf8() + ':' + Proxy.password().toUtf8()).toBase64();
        fSocket->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        fSocket->connectToHost(Proxy.hostName(), Proxy.port());
        return;
    }
    fSocket->setProxy(Proxy);
    if (IsHttps(fUrl))
        static_cast<QSslSocket *>(fSocket)->connectToHostEncrypted(fUrl.host(), Port);
    else
        fSocket->connectToHost(fUrl.host(), Port);
}

void THttpTransfer::SendRequest()
{
    if (fState != TState::Running)
        return;
    QByteArray Request = "GET ";
    Request += fAbsoluteTarget ? fUrl.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment).toEncoded() : OriginTarget(fUrl);
    Request += " HTTP/1.1\r\nHost: " + HostHeader(fUrl)
             + "\r\nUser-Agent: Mozilla/5.0\r\nAccept-Encoding: identity\r\nConnection: close\r\n";
    if (!fProxyAuthorization.isEmpty())
        Request += "Proxy-Authorization: " + fProxyAuthorization + "\r\n";
    for (const auto &[Name, Value] : fHeaders)
        Request += Name + ": " + Value + "\r\n";
    Request += "\r\n";
    fSocket->write(Request);
}

qint64 THttpTransfer::Read(char *Data, qint64 Max)
{
    if (fStage != TStage::Body || Max <= 0)
        return 0;
    while (fBodyReader.State() == THttpBodyReader::TState::Reading) {
        qint64 Raw = 0;
        if (!fPending.isEmpty()) {
            Raw = qMin<qint64>(Max, fPending.size());
            std::memcpy(Data, fPending.constData(), size_t(Raw));
            fPending.remove(0, Raw);
        } else {
            Raw = fSocket->read(Data, Max);
            if (Raw <= 0)
                return 0;
        }
        fRawTaken += Raw;
        const qint64 Body = fBodyReader.Decode(Data, Raw);
        if (Body > 0)
            return Body;
    }
    return 0;
}

void THttpTransfer::Pump()
{
    if (fPumping || fStopped || fState != TState::Running)
        return;
    fPumping = true;
    while (fState == TState::Running && !fStopped) {
        if (fStage == TStage::Head) {
            char Piece[HeadPieceBytes];
            while (fHeadReader.State() == THttpResponseHead::TState::Reading) {
                const qint64 Got = fSocket->read(Piece, sizeof Piece);
                if (Got <= 0)
                    break;
                const qsizetype Taken = fHeadReader.Feed(Piece, Got);
                if (fHeadReader.State() == THttpResponseHead::TState::Complete)
                    fPending = QByteArray(Piece + Taken, Got - Taken);
            }
            if (fHeadReader.State() == THttpResponseHead::TState::Malformed) {
                Fail(false, fHeadReader.Error());
                break;
            }
            if (fHeadReader.State() == THttpResponseHead::TState::Reading) {
                if (fClosed)
                    Fail(true, fHeadReader.HeadBytes() == 0 ? QStringLiteral("the connection closed without an answer")
                                                             : QStringLiteral("the connection closed inside the answer's head"));
                break;
            }
            fBodyReader = THttpBodyReader::ForHead(fHeadReader.Head());
            fStage = TStage::Body;
            if (OnHead)
                OnHead();
            continue;
        }
        const qint64 Before = fRawTaken;
        if (fBodyReader.State() == THttpBodyReader::TState::Reading
            && (!fPending.isEmpty() || fSocket->bytesAvailable() > 0) && OnReadyRead)
            OnReadyRead();
        if (fStopped)
            break;
        if (fBodyReader.State() == THttpBodyReader::TState::Malformed) {
            Fail(false, fBodyReader.Error());
            break;
        }
        if (fBodyReader.State() == THttpBodyReader::TState::Complete) {
            fState = TState::Done;
            break;
        }
        // More may have arrived while the reader was busy (a handler that
        // pumps events); a reader that took nothing wants no more now.
        const bool More = !fPending.isEmpty() || fSocket->bytesAvailable() > 0;
        if (More && fRawTaken != Before)
            continue;
        if (fClosed && !More) {
            fBodyReader.Closed();
            if (fBodyReader.State() == THttpBodyReader::TState::Complete)
                fState = TState::Done;
            else
                Fail(true, QStringLiteral("the connection closed after %1 bytes of the body").arg(fBodyReader.BodyBytes()));
        }
        break;
    }
    fPumping = false;
    Report();
}

void THttpTransfer::Stop()
{
    fStopped = true;
}

void THttpTransfer::Fail(bool Passing, const QString &Reason)
{
    if (fState != TState::Running)
        return;
    fState = TState::Failed;
    fPassing = Passing;
    fError = Reason;
    Report();
}

void THttpTransfer::Report()
{
    if (fPumping || fStopped || fReported || fState == TState::Running)
        return;
    fReported = true;
    if (OnFinished)
        OnFinished();
}
