#include "installer/platform/wine/wine_download.h"
#include "installer/platform/installer_log.h"

#include "installer/platform/wine/download_response.h"
#include "installer/platform/wine/http_transfer.h"
#include "toolkit/core/exception.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkProxyFactory>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The socket holds at most this much unread data; the rest waits in the
// system's buffers, so memory does not grow with the file.
constexpr qint64 ReadBufferBytes = 1024 * 1024;
// Data is moved from the connection to the file in pieces of this size.
constexpr qint64 CopyBytes = 256 * 1024;
// The low-speed window is sampled this many times per period.
constexpr int SpeedSamples = 12;

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

QString SystemError(int Error)
{
    return QString::fromLocal8Bit(std::strerror(Error));
}

// Writes all of Data or answers the system's errno.
int WriteAll(int Handle, const char *Data, qint64 Size)
{
    while (Size > 0) {
        const ssize_t Written = ::write(Handle, Data, size_t(Size));
        if (Written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        Data += Written;
        Size -= Written;
    }
    return 0;
}

} // namespace

TWineDownloader::TWineDownloader(QObject *Parent) : QObject(Parent)
{
    const QString CaFile = qEnvironmentVariable(CaFileVariable);
    if (CaFile.isEmpty())
        return;
    fCaCertificates = QSslCertificate::fromPath(CaFile, QSsl::Pem);
    if (fCaCertificates.isEmpty())
        fCaError = QStringLiteral("no certificates in %1 (named by %2)").arg(CaFile, QLatin1String(CaFileVariable));
}

TWineDownloader::~TWineDownloader() = default;

void TWineDownloader::SetCaCertificates(const QList<QSslCertificate> &Certificates)
{
    fCaCertificates = Certificates;
    fCaError.clear();
}

void TWineDownloader::Download(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress)
{
    const QString Message = QStringLiteral("Error downloading URL: %1").arg(URL);
    if (fLoop) {
        // Called again from a handler while this operation's transfer runs.
        throw Exception(Message);
    }
    fFailureReason.clear();
    fReceived = 0;
    fTotal = -1;
    fUseRange = true;
    fValidator.clear();
    fNotifying = false;
    fUserError = nullptr;

    const QUrl Url(URL, QUrl::StrictMode);
    if (!Url.isValid() || !IsHttpScheme(Url) || Url.host().isEmpty()) {
        fFailureReason = QStringLiteral("not an http or https URL");
        throw Exception(Message);
    }
    if (!fCaError.isEmpty()) {
        fFailureReason = fCaError;
        throw Exception(Message);
    }

    // The body goes to a hidden temporary file beside the target, which
    // replaces the target in one rename only once the whole transfer has
    // succeeded; on any failure the temporary file is removed. So no path,
    // a crash included, leaves a partial file under the target's name. It
    // is not synced to disk before the rename: the file is run at once, a
    // crash loses an unfinished step either way, and the sync would cost a
    // second pass over a large file.
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

    TSystemProxyFactory Proxies;
    QEventLoop Loop;
    QTimer SpeedTimer;
    SpeedTimer.setInterval(qMax(1, fLowSpeedTimeMsec / SpeedSamples));
    connect(&SpeedTimer, &QTimer::timeout, this, [this] { OnSpeedCheck(); });
    fOnProgress = OnProgress ? &OnProgress : nullptr;
    fProxies = &Proxies;
    fHandle = File.handle();
    fFolder = TargetInfo.absolutePath();
    fLoop = &Loop;
    fSpeedTimer = &SpeedTimer;
    fBuffer.resize(CopyBytes);

    fOutcome = TOutcome::Running;
    int Retries = 0;
    int Restarts = 0;
    int Redirects = 0;
    QUrl Next = Url;
    if (Notify(TDownloadStatus::Connecting, Url.host()))
        Finish(TOutcome::Failed, QStringLiteral("cancelled"));
    while (fOutcome != TOutcome::Failed) {
        RunRequest(Next);
        if (fOutcome == TOutcome::Done || fOutcome == TOutcome::Failed)
            break;
        if (fOutcome == TOutcome::Redirect) {
            if (++Redirects > fMaxRedirects) {
                fOutcome = TOutcome::Failed;
                fFailureReason = QStringLiteral("more than %1 redirects").arg(fMaxRedirects);
            } else {
                Next = fNext;
                fOutcome = TOutcome::Running;
                if (Notify(TDownloadStatus::Redirecting, Next.toString()))
                    Finish(TOutcome::Failed, QStringLiteral("cancelled"));
            }
            continue;
        }
        // A retry begins at the first URL again: a redirect's target may
        // have been made for the one request.
        Next = Url;
        Redirects = 0;
        if (fOutcome == TOutcome::Restart) {
            // After a restart no range is asked for, so one is all a sound
            // server causes; a server that answers as if one had been asked
            // must not make the downloader ask again without end.
            if (++Restarts > MaxRetries) {
                fOutcome = TOutcome::Failed;
                break;
            }
            StartOver();
            fUseRange = false;
            fOutcome = TOutcome::Running;
            continue;
        }
        if (Retries == MaxRetries) { // fFailureReason tells the last try's failure
            fOutcome = TOutcome::Failed;
            break;
        }
        ++Retries;
        if (Pause(fRetryPauseMsec * Retries, Url.host())) {
            fOutcome = TOutcome::Failed;
            fFailureReason = QStringLiteral("cancelled");
            break;
        }
        if (!fUseRange)
            StartOver();
        fOutcome = TOutcome::Running;
        if (Notify(TDownloadStatus::Connecting, Url.host()))
            Finish(TOutcome::Failed, QStringLiteral("cancelled"));
    }

    fProxies = nullptr;
    fOnProgress = nullptr;
    fLoop = nullptr;
    fSpeedTimer = nullptr;
    fHandle = -1;
    fBuffer = QByteArray();

    if (fOutcome != TOutcome::Done) {
        if (fUserError)
            std::rethrow_exception(std::exchange(fUserError, nullptr));
        throw Exception(Message);
    }
    if (!Install(File.handle(), File.fileName(), FileName))
        throw Exception(Message);
    File.setAutoRemove(false);
}

bool TWineDownloader::Install(int Handle, const QString &TempName, const QString &FileName)
{
    // A temporary file is private to its owner; the finished download gets
    // the permissions of any newly created file.
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    ::fchmod(Handle, 0666 & ~Mask);
    if (::rename(QFile::encodeName(TempName).constData(), QFile::encodeName(FileName).constData()) != 0) {
        fFailureReason = QStringLiteral("cannot rename the file: %1").arg(SystemError(errno));
        return false;
    }
    return true;
}

void TWineDownloader::RunRequest(const QUrl &Url)
{
    // Redirects are followed here, so each hop's scheme is checked and a
    // redirect's body never reaches the file. The file is wanted byte for
    // byte: the transfer asks for no content coding and decodes none.
    QList<std::pair<QByteArray, QByteArray>> Headers;
    fRequestOffset = 0;
    if (fReceived > 0 && fUseRange) {
        // The rest of the file, as long as it is still the same file.
        fRequestOffset = fReceived;
        Headers.append({"Range", "bytes=" + QByteArray::number(fReceived) + '-'});
        if (!fValidator.isEmpty())
            Headers.append({"If-Range", fValidator});
    }
    fRequestUrl = Url;
    fRequestBytes = 0;
    fSpeedSamples = {0};
    fHeadSeen = false;

    THttpTransfer Transfer(Url, Headers, fCaCertificates, fProxies);
    Transfer.OnHead = [this] { OnHead(); };
    Transfer.OnReadyRead = [this] { OnReadyRead(); };
    Transfer.OnFinished = [this] { OnFinished(); };
    fTransfer = &Transfer;
    Transfer.Start(ReadBufferBytes);
    fSpeedTimer->start();
    if (fOutcome == TOutcome::Running)
        fLoop->exec();
    // The connection is closed only now that the loop has been left, never
    // from inside one of its own signals.
    fSpeedTimer->stop();
    Transfer.Stop();
    fTransfer = nullptr;
}

void TWineDownloader::OnHead()
{
    if (fOutcome != TOutcome::Running || fHeadSeen)
        return;
    fHeadSeen = true;
    const TResponseHead &Head = fTransfer->Head();
    const TResponseVerdict Verdict = JudgeResponse(Head, {fRequestUrl, fRequestOffset, fTotal, fMaxFileBytes});
    switch (Verdict.Action) {
    case TResponseAction::Redirect:
        fNext = Verdict.Location;
        Finish(TOutcome::Redirect);
        return;
    case TResponseAction::Retry:
        Finish(TOutcome::Retry, Verdict.Reason);
        return;
    case TResponseAction::Refuse:
        Finish(TOutcome::Failed, Verdict.Reason);
        return;
    case TResponseAction::Restart:
        Finish(TOutcome::Restart, Verdict.Reason);
        return;
    case TResponseAction::Body:
        if (fReceived > 0) // the server sent the whole file again
            StartOver();
        break;
    case TResponseAction::Resume:
        break;
    }
    fTotal = Verdict.Total;
    const QList<QByteArray> AcceptRanges = HeaderValues(Head, "accept-ranges");
    fUseRange = !(AcceptRanges.size() == 1 && AcceptRanges.first().trimmed().toLower() == "none");
    if (Verdict.Action == TResponseAction::Body) {
        // A weak ETag cannot guard a range; a date can.
        const QList<QByteArray> ETags = HeaderValues(Head, "etag");
        const QList<QByteArray> Dates = HeaderValues(Head, "last-modified");
        fValidator.clear();
        if (ETags.size() == 1 && !ETags.first().startsWith("W/"))
            fValidator = ETags.first().trimmed();
        else if (Dates.size() == 1)
            fValidator = Dates.first().trimmed();
    }
    if (fTotal >= 0) {
        // Refused before a byte is written rather than failing on a full disk.
        QStorageInfo Storage(fFolder);
        Storage.refresh();
        const qint64 Needed = fTotal - fReceived;
        if (Storage.isValid() && Storage.bytesAvailable() >= 0 && Needed > Storage.bytesAvailable()) {
            Finish(TOutcome::Failed, QStringLiteral("not enough free space: %1 bytes needed, %2 available")
                                         .arg(Needed)
                                         .arg(Storage.bytesAvailable()));
            return;
        }
    }
    if (Notify(TDownloadStatus::BeginDownloadData, fRequestUrl.toString()))
        Finish(TOutcome::Failed, QStringLiteral("cancelled"));
}

bool TWineDownloader::WriteAvailable()
{
    while (fOutcome == TOutcome::Running) {
        const qint64 Read = fTransfer->Read(fBuffer.data(), fBuffer.size());
        if (Read <= 0)
            break;
        // A body without a length (or a longer one than announced) ends
        // at the cap, not when the disk is full.
        const qint64 Limit = fTotal >= 0 ? fTotal : fMaxFileBytes;
        if (fReceived + Read > Limit) {
            Finish(TOutcome::Failed, fTotal >= 0 ? QStringLiteral("more data than the announced %1 bytes").arg(fTotal)
                                                 : QStringLiteral("more than %1 bytes").arg(fMaxFileBytes));
            return false;
        }
        if (const int Error = WriteAll(fHandle, fBuffer.constData(), Read)) {
            Finish(TOutcome::Failed, QStringLiteral("cannot write the file: %1").arg(SystemError(Error)));
            return false;
        }
        fReceived += Read;
        fRequestBytes += Read;
    }
    return fOutcome == TOutcome::Running;
}

void TWineDownloader::OnReadyRead()
{
    if (fOutcome != TOutcome::Running)
        return;
    const qint64 Before = fReceived;
    if (WriteAvailable() && fReceived != Before
        && Notify(TDownloadStatus::DownloadingData, fRequestUrl.toString()))
        Finish(TOutcome::Failed, QStringLiteral("cancelled"));
}

void TWineDownloader::OnFinished()
{
    if (fOutcome != TOutcome::Running)
        return;
    // What arrived before a dropped connection is kept for a resumed try.
    if (fHeadSeen && !WriteAvailable())
        return;
    if (fTransfer->State() != THttpTransfer::TState::Done) {
        Finish(fTransfer->Passing() ? TOutcome::Retry : TOutcome::Failed, fTransfer->ErrorString());
    } else if (!fHeadSeen) {
        Finish(TOutcome::Failed, QStringLiteral("no answer"));
    } else if (fTotal >= 0 && fReceived != fTotal) {
        Finish(TOutcome::Retry, QStringLiteral("received %1 of %2 bytes").arg(fReceived).arg(fTotal));
    } else if (fReceived == 0) {
        Finish(TOutcome::Failed, QStringLiteral("empty body"));
    } else if (Notify(TDownloadStatus::EndDownloadData, fRequestUrl.toString())) {
        Finish(TOutcome::Failed, QStringLiteral("cancelled"));
    } else {
        Finish(TOutcome::Done);
    }
}

// Like a low-speed limit: over the last period the transfer must have moved
// LowSpeedLimit bytes per second on average. Each byte no longer restarts a
// timer, so a trickle cannot keep a transfer alive.
void TWineDownloader::OnSpeedCheck()
{
    if (fOutcome != TOutcome::Running)
        return;
    fSpeedSamples.append(fRequestBytes);
    if (fSpeedSamples.size() <= SpeedSamples)
        return;
    const qint64 Moved = fSpeedSamples.last() - fSpeedSamples.first();
    const qint64 Period = qint64(fSpeedTimer->interval()) * SpeedSamples;
    fSpeedSamples.removeFirst();
    if (Moved * 1000 >= fLowSpeedLimit * Period)
        return;
    Finish(TOutcome::Retry, Moved == 0 ? QStringLiteral("no data for %1 ms").arg(Period)
                                       : QStringLiteral("slower than %1 bytes/s for %2 ms").arg(fLowSpeedLimit).arg(Period));
}

void TWineDownloader::StartOver()
{
    if (::ftruncate(fHandle, 0) == 0)
        ::lseek(fHandle, 0, SEEK_SET);
    fReceived = 0;
    fTotal = -1;
}

bool TWineDownloader::Pause(int Msec, const QString &Host)
{
    // The handler learns of a cancel (a button pressed meanwhile) only when
    // it is called: it is asked at short intervals while the pause lasts, so
    // a cancel ends the pause at once instead of when the pause is over.
    bool Cancelled = false;
    QTimer End;
    End.setSingleShot(true);
    connect(&End, &QTimer::timeout, fLoop, &QEventLoop::quit);
    QTimer Ask;
    Ask.setInterval(qMin(Msec, PauseAskMsec));
    connect(&Ask, &QTimer::timeout, this, [&] {
        if (Notify(TDownloadStatus::Connecting, Host)) {
            Cancelled = true;
            fLoop->quit();
        }
    });
    End.start(Msec);
    Ask.start();
    fLoop->exec();
    return Cancelled;
}

void TWineDownloader::Finish(TOutcome Outcome, const QString &Reason)
{
    if (fOutcome != TOutcome::Running)
        return;
    fOutcome = Outcome;
    if (Outcome != TOutcome::Done && Outcome != TOutcome::Redirect)
        fFailureReason = Reason;
    if (fTransfer)
        fTransfer->Stop();
    fSpeedTimer->stop();
    fLoop->quit();
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
        // Raised through the socket's signal dispatch it would be
        // lost or worse; it ends the transfer and is raised by Download.
        qCWarning(lcInstaller()) << "download of" << fRequestUrl.toDisplayString() << "ended: the progress handler raised an error";
        fUserError = std::current_exception();
        Cancel = true;
    }
    fNotifying = false;
    return Cancel;
}

void WineDownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress,
                      QString *FailureReason)
{
    TWineDownloader Downloader;
    try {
        Downloader.Download(URL, FileName, OnProgress);
    } catch (...) {
        if (FailureReason)
            *FailureReason = Downloader.FailureReason();
        throw;
    }
}
