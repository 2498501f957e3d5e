#pragma once
// TForm1: the installer's window. Its controls, message table and
// localization components come from the stored design resources/form1.json;
// the probes, the downloader and the runner come through the TPlatform seam.

#include "toolkit/widgets/form.h"
#include "installer/form1_messages.h"
#include "installer/package_manifest.h"
#include "installer/platform/platform.h"

#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class TDesignedLexicon;
class TGlottaClient;
class TGlottaEngine;
class TLangCombo;
class TStatusBar;
class Exception;
class TInstallLog;

class TForm1 : public TForm
{
    Q_OBJECT
    // Base URL of the download server, e.g. "http://host:port"; the paths below /data/ follow it.
    Q_PROPERTY(QString DownloadServer READ DownloadServer WRITE SetDownloadServer)
    // SHA-256 pins of the downloaded files, "<path below the server>=<hex digest>";
    // a file without a pin is not checked.
    Q_PROPERTY(QStringList Sha256Pins READ Sha256Pins WRITE SetSha256Pins)
public:
    // A bare window without controls (the design registry's default instance).
    explicit TForm1(QWidget *Parent = nullptr);
    ~TForm1() override;

    // Creates the window from its stored design. ProgramDir is the folder of the
    // installer's executable (where "dilnex.exe" would lie); empty means the
    // running program's folder. Start-up (FormCreate) has run when this returns.
    static TForm1 *Create(TPlatform *Platform, const QString &ProgramDir = QString());

    QString DownloadServer() const { return fDownloadServer; }
    void SetDownloadServer(const QString &Value) { fDownloadServer = Value; }
    QStringList Sha256Pins() const { return fSha256Pins; }
    void SetSha256Pins(const QStringList &Value) { fSha256Pins = Value; }

    // Every probe, download, program run and end state goes to Log (not owned).
    void SetLog(TInstallLog *Log) { fLog = Log; }
    TInstallLog *Log() const { return fLog; }
    void LogLine(const QString &Text);
    // Unattended runs: the cancel button cancels the whole run, not only the
    // running download.
    void SetUnattended(bool Value) { fUnattended = Value; }
    // Installs from an offline folder made by LayoutPackages instead of the
    // server. False, with Why, when the folder's manifest cannot be read.
    bool SetPackageSource(const QString &Folder, QString &Why);
    QString PackageSource() const { return fSourceDir; }
    // Sets the status line to where the packages come from.
    void ShowPackageSource();
    // Downloads every package the server offers (for both word sizes) into
    // Folder under its server path, with a manifest. False after a failure
    // or a cancel; the files of the failed download are gone.
    bool LayoutPackages(const QString &Folder);
    // Stops the running download and starts nothing further (SIGTERM, the
    // cancel of an unattended run).
    void Cancel();
    bool CancelRequested() const { return fCancelRequested; }
    // A component installer asked for a restart (exit code 3010 or 1641).
    bool RestartRequired() const { return fRestartRequired; }
    int DownloadFailures() const { return fDownloadFailures; }
    // The exit code of the last program a step ran; -1 when unknown.
    int LastExitCode() const { return fLastExitCode; }
    QString Message(TForm1Message Item) const { return Msg(Item); }
    TPlatform *Platform() const { return fPlatform; }

    // Handlers bound by the design.
    void FormCreate(QObject *Sender);
    void GlottaEngine1ChangeLanguage(QObject *Sender);
    void konecbClick(QObject *Sender);
    void zrusitbClick(QObject *Sender);
    void pokracovatbClick(QObject *Sender);
    void instalovat1bClick(QObject *Sender);
    void instalovat2bClick(QObject *Sender);
    void instalovat3bClick(QObject *Sender);
    void DownloadProgress(QObject *Sender, quint32 Progress, quint32 ProgressMax, TDownloadStatus StatusCode,
                          const QString &StatusText, bool &Cancel);

    // The controls and components of the design.
    QPlainTextEdit *Memo1 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QPushButton *pokracovatb = nullptr;
    QPushButton *instalovat1b = nullptr;
    QPushButton *instalovat2b = nullptr;
    QPushButton *instalovat3b = nullptr;
    QPushButton *zrusitb = nullptr;
    QPushButton *konecb = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QProgressBar *pb1 = nullptr;
    TStatusBar *sb1 = nullptr;
    TLangCombo *LangCombo1 = nullptr;
    TGlottaEngine *GlottaEngine1 = nullptr;
    TGlottaClient *GlottaClient1 = nullptr;
    TDesignedLexicon *Lexicon1 = nullptr;

    // Finds the designed controls before any handler can run.
    void Loaded() override;

protected:
    void closeEvent(QCloseEvent *Event) override;

private:
    struct TPackage;
    QString Msg(TForm1Message Item) const;
    void ErrorBox(const QString &Text, const QString &Caption);
    void SetStatus(const QString &Text);
    bool NetPresent();
    bool NativeClientPresent();
    bool LocalDBPresent();
    void DownloadBlock(const TPackage &Package);
    void FetchFromServer(const QString &Path, const QString &Target);
    void FetchFromSource(const QString &Path, const QString &Target);
    void InfoBox(const QString &Text);
    void DownloadFailed(const QString &KindName, const QString &Message);
    void ReportNoInstallers();
    bool PrepareSystem();
    void BindControls();
    void SetMinimumToContent();

    TPlatform *fPlatform = nullptr;
    QString fProgramDir;
    QString fDownloadServer;
    QStringList fSha256Pins;
    int fBusy = 0;        // download blocks running (nested through the live window)
    bool fClosing = false; // the window was closed while a step ran
    // What the platform misses to run installers (Wine); empty when nothing.
    QString fMissingRuntime;
    TInstallLog *fLog = nullptr;
    bool fUnattended = false;
    bool fCancelRequested = false;
    bool fRestartRequired = false;
    int fDownloadFailures = 0;
    int fLastExitCode = -1;
    QString fSourceDir;
    TPackageManifest fSourceManifest;
};

void RegisterInstallerClasses();
