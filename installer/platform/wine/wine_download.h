#pragma once
// The Linux backend's downloader: fetches a URL into a file with QtNetwork,
// streaming to disk while a nested event loop keeps the window live, and
// reports progress to the seam's TDownloadProgressEvent.

#include "installer/platform/platform.h"

#include <QObject>
#include <QByteArray>
#include <QString>

#include <exception>

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;
class QFile;
class QTemporaryFile;
class QTimer;
class QEventLoop;

// One download operation; it is the Sender handed to OnProgress. Use a fresh
// object per download (WineDownloadFile does).
class TWineDownloader : public QObject
{
public:
    explicit TWineDownloader(QObject *Parent = nullptr);
    ~TWineDownloader() override;

    // Transfers URL into FileName and returns when the transfer has ended.
    // The file appears under FileName only after a complete 2xx transfer;
    // any failure or a cancel raises Exception("Error downloading URL: <URL>")
    // and leaves an earlier file of that name untouched.
    void Download(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress);

    // A transfer that receives nothing for this long fails (default 60 s).
    void SetStallTimeout(int Msec) { fStallTimeoutMsec = Msec; }
    int StallTimeout() const { return fStallTimeoutMsec; }
    // How many redirects are followed before the transfer fails (default 5).
    void SetMaxRedirects(int Count) { fMaxRedirects = Count; }
    // Why the last download failed, for diagnostics; the raised message is fixed.
    QString FailureReason() const { return fFailureReason; }


private:
    void StartRequest(const QUrl &Url);
    bool FollowRedirect();
    void OnReadyRead();
    void OnMetaData();
    void OnFinished();
    void OnStalled();
    void Fail(const QString &Reason);
    bool Notify(TDownloadStatus Status, const QString &Text);
    bool WriteAvailable();
    bool Install(QTemporaryFile &File, const QString &FileName);

    int fStallTimeoutMsec = 60000;
    int fMaxRedirects = 5;
    QString fFailureReason;

    // State of the running download.
    const TDownloadProgressEvent *fOnProgress = nullptr;
    QNetworkAccessManager *fManager = nullptr;
    QNetworkReply *fReply = nullptr;
    int fRedirects = 0;
    QFile *fFile = nullptr;
    QTimer *fStallTimer = nullptr;
    QEventLoop *fLoop = nullptr;
    qint64 fReceived = 0;
    qint64 fTotal = 0;
    bool fDone = false;
    bool fFailed = false;
    bool fNotifying = false;
    QByteArray fBuffer;
    std::exception_ptr fUserError;
};

// The seam's DownloadFile for the Wine backend: a fresh TWineDownloader with default settings.
void WineDownloadFile(const QString &URL, const QString &FileName, const TDownloadProgressEvent &OnProgress);
