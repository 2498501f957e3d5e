#include "installer/platform/wine/wine_download.h"

#include "toolkit/core/exception.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include <sys/stat.h>

namespace {

// The network layer holds at most this much unread data; the rest waits in
// the socket, so memory does not grow with the file.
constexpr qint64 ReadBufferBytes = 1024 * 1024;
// Data is moved from the reply to the file in pieces of this size.
constexpr qint64 CopyBytes = 256 * 1024;

// The system's proxy settings (on Linux the http_proxy/https_proxy/no_proxy
// variables), except for loopback hosts, which no proxy can reach for us.
class TSystemProxyFactory : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &Query) override
    {
        const QString Host = Query.peerHostName();
        const QHostAddress Address(Host);
        if (Host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0
            || (!Address.isNull() && Address.isLoopback()))
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(Query);
    }
};

bool IsHttpScheme(const QUrl &Url)
{
    const QString Scheme = Url.scheme().toLower();
    return Scheme == QLatin1String("http") || Scheme == QLatin1String("https");
}

int StatusOf(const QNetworkReply *Reply)
{
    return Reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

} // namespace

TWineDownloader::TWineDownloader(QObject *Parent) : QObject(Parent) {}

TWineDownloader::~TWineDownloader() = default;

void TWineDownloader::Download(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress)
{
    const QString Message = QStringLiteral("Error downloading URL: %1").arg(URL);
    if (fLoop) {
        // Called again from a handler while this operation's transfer runs.
        throw Exception(Message);
    }
    fFailureReason.clear();
    fReceived = 0;
    fTotal = 0;
    fDone = false;
    fFailed = false;
    fNotifying = false;
    fUserError = nullptr;

    const QUrl Url(URL, QUrl::StrictMode);
    if (!Url.isValid() || !IsHttpScheme(Url) || Url.host().isEmpty()) {
        fFailureReason = QStringLiteral("not an http or https URL");
        throw Exception(Message);
    }

    // The body goes to a hidden temporary file beside the target, which
    // replaces the target in one rename only once the whole transfer has
    // succeeded; on any failure the temporary file is removed. It is not
    // synced to disk before the rename: the file is run at once, a crash
    // loses an unfinished step either way, and the sync would cost a second
    // pass over a large file.
    const QFileInfo TargetInfo(FileName);
    if (FileName.isEmpty() || TargetInfo.isDir()) {
        fFailureReason = QStringLiteral("cannot create the file: not a file name");
        throw Exception(Message);
    }
    QTemporaryFile File(TargetInfo.absolutePath() + QStringLiteral("/.") + TargetInfo.fileName()
                        + QStringLiteral(".XXXXXX.part"));
    File.setAutoRemove(true);
    if (!File.open()) {
        fFailureReason = QStringLiteral("cannot create the file: %1").arg(File.errorString());
        throw Exception(Message);
    }

    QNetworkAccessManager Manager;
    Manager.setProxyFactory(new TSystemProxyFactory);
    QEventLoop Loop;
    QTimer StallTimer;
    StallTimer.setSingleShot(true);
    StallTimer.setInterval(fStallTimeoutMsec);
    fOnProgress = OnProgress ? &OnProgress : nullptr;
    fManager = &Manager;
    fFile = &File;
    fLoop = &Loop;
    fStallTimer = &StallTimer;
    fBuffer.resize(CopyBytes);
    fRedirects = 0;

    StartRequest(Url);
    connect(&StallTimer, &QTimer::timeout, this, [this] { OnStalled(); });
    StallTimer.start();

    if (Notify(TDownloadStatus::Connecting, Url.host()))
        Fail(QStringLiteral("cancelled"));
    if (!fDone)
        Loop.exec();

    StallTimer.stop();
    fReply->disconnect(this);
    if (!fReply->isFinished())
        fReply->abort();
    delete fReply;
    fReply = nullptr;
    fManager = nullptr;
    fOnProgress = nullptr;
    fFile = nullptr;
    fLoop = nullptr;
    fStallTimer = nullptr;
    fBuffer = QByteArray();

    if (fFailed) {
        if (fUserError)
            std::rethrow_exception(std::exchange(fUserError, nullptr));
        throw Exception(Message);
    }
    if (!Install(File, FileName))
        throw Exception(Message);
}

bool TWineDownloader::Install(QTemporaryFile &File, const QString &FileName)
{
    if (!File.flush()) {
        fFailureReason = QStringLiteral("cannot write the file: %1").arg(File.errorString());
        return false;
    }
    // A temporary file is private to its owner; the finished download gets
    // the permissions of any newly created file.
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    ::fchmod(File.handle(), 0666 & ~Mask);
    if (::rename(QFile::encodeName(File.fileName()).constData(), QFile::encodeName(FileName).constData()) != 0) {
        fFailureReason = QStringLiteral("cannot rename the file: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    File.setAutoRemove(false);
    return true;
}

void TWineDownloader::StartRequest(const QUrl &Url)
{
    QNetworkRequest Request(Url);
    // Redirects are followed here rather than by the network layer, so each
    // hop's scheme is checked and a redirect's body never reaches the file.
    Request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // The file is wanted byte for byte: no transparent decompression, which
    // would also make the received size disagree with Content-Length.
    Request.setRawHeader("Accept-Encoding", "identity");
    Request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    fReply = fManager->get(Request);
    fReply->setReadBufferSize(ReadBufferBytes);
    connect(fReply, &QNetworkReply::readyRead, this, [this] { OnReadyRead(); });
    connect(fReply, &QNetworkReply::metaDataChanged, this, [this] { OnMetaData(); });
    connect(fReply, &QNetworkReply::finished, this, [this] { OnFinished(); });
    fStallTimer->start();
}

// A 3xx answer with a Location: the transfer goes on at the target, a few
// hops at most, to http or https only and never from https down to http.
bool TWineDownloader::FollowRedirect()
{
    const int Status = StatusOf(fReply);
    const QUrl Location(QString::fromUtf8(fReply->rawHeader("Location")));
    if (Status < 300 || Status >= 400 || Location.isEmpty())
        return false;
    const QUrl From = fReply->url();
    const QUrl Next = From.resolved(Location);
    if (++fRedirects > fMaxRedirects) {
        Fail(QStringLiteral("more than %1 redirects").arg(fMaxRedirects));
    } else if (!IsHttpScheme(Next) || Next.host().isEmpty()) {
        Fail(QStringLiteral("redirect to a non-http URL: %1").arg(Next.toString()));
    } else if (From.scheme().toLower() == QLatin1String("https") && Next.scheme().toLower() != QLatin1String("https")) {
        Fail(QStringLiteral("redirect from https to http refused"));
    } else {
        fReply->disconnect(this);
        fReply->deleteLater();
        StartRequest(Next);
        if (Notify(TDownloadStatus::Redirecting, Next.toString()))
            Fail(QStringLiteral("cancelled"));
    }
    return true;
}

bool TWineDownloader::Notify(TDownloadStatus Status, const QString &Text)
{
    // A handler that pumps events can let more data arrive; that data is
    // written by the nested call, which does not call the handler again.
    if (!fOnProgress || fNotifying)
        return false;
    const TDownloadProgressValues Values = ScaleDownloadProgress(fReceived, fTotal);
    bool Cancel = false;
    fNotifying = true;
    try {
        (*fOnProgress)(this, Values.Progress, Values.ProgressMax, Status, Text, Cancel);
    } catch (...) {
        // Raised through the network layer's signal dispatch it would be
        // lost or worse; it ends the transfer and is raised by Download.
        fUserError = std::current_exception();
        Cancel = true;
    }
    fNotifying = false;
    return Cancel;
}

void TWineDownloader::OnMetaData()
{
    if (fDone)
        return;
    fStallTimer->start();
    const int Status = StatusOf(fReply);
    // A redirect being followed, or the interim state the network layer
    // reports while it moves to the redirect's target: neither describes the file.
    if (Status < 200 || (Status >= 300 && Status < 400))
        return;
    if (Status >= 400) {
        Fail(QStringLiteral("server answered %1").arg(Status));
        return;
    }
    bool Ok = false;
    const qint64 Length = fReply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&Ok);
    fTotal = Ok && Length > 0 ? Length : 0;
    if (Notify(TDownloadStatus::BeginDownloadData, fReply->url().toString()))
        Fail(QStringLiteral("cancelled"));
}

bool TWineDownloader::WriteAvailable()
{
    const int Status = StatusOf(fReply);
    if (Status < 200 || (Status >= 300 && Status < 400)) {
        fReply->skip(fReply->bytesAvailable()); // body of a redirect
        return true;
    }
    if (Status >= 400) {
        if (fReply->bytesAvailable() > 0) {
            Fail(QStringLiteral("server answered %1").arg(Status));
            return false;
        }
        return true;
    }
    while (fReply->bytesAvailable() > 0) {
        const qint64 Read = fReply->read(fBuffer.data(), fBuffer.size());
        if (Read <= 0)
            break;
        if (fFile->write(fBuffer.constData(), Read) != Read) {
            Fail(QStringLiteral("cannot write the file: %1").arg(fFile->errorString()));
            return false;
        }
        fReceived += Read;
    }
    return true;
}

void TWineDownloader::OnReadyRead()
{
    if (fDone)
        return;
    fStallTimer->start();
    const qint64 Before = fReceived;
    if (!WriteAvailable())
        return;
    if (fReceived != Before && Notify(TDownloadStatus::DownloadingData, fReply->url().toString()))
        Fail(QStringLiteral("cancelled"));
}

void TWineDownloader::OnFinished()
{
    if (fDone) {
        fLoop->quit();
        return;
    }
    if (fReply->error() == QNetworkReply::NoError && !WriteAvailable())
        return;
    if (FollowRedirect())
        return;
    const int Status = StatusOf(fReply);
    if (fReply->error() != QNetworkReply::NoError)
        Fail(fReply->errorString());
    else if (Status < 200 || Status >= 300)
        Fail(QStringLiteral("server answered %1").arg(Status));
    else if (fTotal > 0 && fReceived != fTotal)
        Fail(QStringLiteral("received %1 of %2 bytes").arg(fReceived).arg(fTotal));
    else if (fReceived == 0)
        Fail(QStringLiteral("empty body"));
    if (fDone)
        return;
    fDone = true;
    fStallTimer->stop();
    if (Notify(TDownloadStatus::EndDownloadData, fReply->url().toString())) {
        fDone = false;
        Fail(QStringLiteral("cancelled"));
        return;
    }
    fLoop->quit();
}

void TWineDownloader::OnStalled()
{
    Fail(QStringLiteral("no data for %1 ms").arg(fStallTimeoutMsec));
}

void TWineDownloader::Fail(const QString &Reason)
{
    if (fDone)
        return;
    fDone = true;
    fFailed = true;
    fFailureReason = Reason;
    fStallTimer->stop();
    // The reply is aborted once the loop has been left: aborting it from
    // inside one of its own signals confuses the network layer.
    fLoop->quit();
}

void WineDownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress)
{
    TWineDownloader Downloader;
    Downloader.Download(URL, FileName, OnProgress);
}
