#pragma once
// The Linux backend's downloader: fetches a URL into a file over its own
// bounded HTTP/1.1 transfer (http_transfer.h),
// streaming to disk while a nested event loop keeps the window live, and
// reports progress to the seam's TDownloadProgressEvent. It rides out a
// flaky network (retries that resume where the server allows it) and
// refuses what a hostile or broken server may send.

#include "installer/platform/platform.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>
#include <QUrl>

#include <exception>

class QNetworkProxyFactory;
class QTimer;
class QEventLoop;
class THttpTransfer;

// One download operation; it is the Sender handed to OnProgress. Use a fresh
// object per download (WineDownloadFile does).
class TWineDownloader : public QObject
{
public:
    // Names a PEM file of extra certificate authorities to trust besides the
    // system's, for deployments whose download server has a private CA (and
    // for tests). Read when a downloader is created.
    static constexpr const char *CaFileVariable = "DILNEX_DOWNLOAD_CA_FILE";
    // A transfer that fails on a network error, a stall or a 5xx answer is
    // tried this many times more, after a pause.
    static constexpr int MaxRetries = 2;
    // While a retry pause lasts, the progress handler is asked this often
    // (with TDownloadStatus::Connecting) whether to cancel.
    static constexpr int PauseAskMsec = 100;

    explicit TWineDownloader(QObject *Parent = nullptr);
    ~TWineDownloader() override;

    // Transfers URL into FileName and returns when the transfer has ended.
    // The file appears under FileName only after a complete 2xx transfer;
    // any failure or a cancel raises Exception("Error downloading URL: <URL>")
    // and leaves an earlier file of that name untouched.
    void Download(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress);

    // A transfer that moves fewer than LowSpeedLimit bytes per second on
    // average over LowSpeedTime fails (defaults: 1024 bytes/s over 60 s), so
    // a trickling server cannot hold a download open for ever while a slow
    // but moving one goes on.
    void SetLowSpeedLimit(qint64 BytesPerSecond) { fLowSpeedLimit = BytesPerSecond; }
    void SetLowSpeedTime(int Msec) { fLowSpeedTimeMsec = Msec; }
    // How many redirects are followed before the transfer fails (default 5).
    void SetMaxRedirects(int Count) { fMaxRedirects = Count; }
    // The pause before the first retry; the second waits twice as long (default 1 s).
    // A cancel from the progress handler ends a pause at once.
    void SetRetryPause(int Msec) { fRetryPauseMsec = Msec; }
    // The largest file accepted, announced or received (default 4 GiB).
    void SetMaxFileBytes(qint64 Bytes) { fMaxFileBytes = Bytes; }
    // Certificate authorities trusted besides the system's (replaces those of CaFileVariable).
    void SetCaCertificates(const QList<QSslCertificate> &Certificates);
    // Why the last download failed, for diagnostics; the raised message is fixed.
    QString FailureReason() const { return fFailureReason; }

private:
    enum class TOutcome { Running, Done, Failed, Retry, Restart, Redirect };

    void RunRequest(const QUrl &Url);
    void OnHead();
    void OnReadyRead();
    void OnFinished();
    void OnSpeedCheck();
    bool WriteAvailable();
    void StartOver();
    bool Pause(int Msec, const QString &Host); // true when the handler cancelled meanwhile
    void Finish(TOutcome Outcome, const QString &Reason = QString());
    bool Notify(TDownloadStatus Status, const QString &Text);
    bool Install(int Handle, const QString &TempName, const QString &FileName);

    int fLowSpeedTimeMsec = 60000;
    qint64 fLowSpeedLimit = 1024;
    int fMaxRedirects = 5;
    int fRetryPauseMsec = 1000;
    qint64 fMaxFileBytes = qint64(4) << 30;
    QList<QSslCertificate> fCaCertificates;
    QString fCaError;
    QString fFailureReason;

    // State of the running download.
    const TDownloadProgressEvent *fOnProgress = nullptr;
    QNetworkProxyFactory *fProxies = nullptr;
    THttpTransfer *fTransfer = nullptr;
    QTimer *fSpeedTimer = nullptr;
    QEventLoop *fLoop = nullptr;
    int fHandle = -1;          // the temporary file, written without Qt's buffering
    QString fFolder;           // where the file goes, for the free-space check
    qint64 fReceived = 0;      // bytes in the file
    qint64 fTotal = -1;        // the whole file's size, -1 unknown
    bool fUseRange = true;     // a resumed request may ask for the rest
    QByteArray fValidator;     // ETag or Last-Modified sent with If-Range
    TOutcome fOutcome = TOutcome::Running;
    QUrl fNext;                // a redirect's target
    QUrl fRequestUrl;
    qint64 fRequestOffset = 0; // bytes asked to be skipped by this request's Range
    qint64 fRequestBytes = 0;  // body bytes of this request, for the speed check
    QList<qint64> fSpeedSamples;
    bool fHeadSeen = false;
    bool fNotifying = false;
    QByteArray fBuffer;
    std::exception_ptr fUserError;
};

// The seam's DownloadFile for the Wine backend: a fresh TWineDownloader with
// default settings. FailureReason, when given, gets what went wrong on failure.
void WineDownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress,
                      QString *FailureReason = nullptr);
