// The installation workflow of TForm1: "continue", the three steps and the
// download block they share. Every message is fetched from the lexicon at the
// moment of use, so it appears in the language current then.

#include "installer/form1.h"

#include "installer/download_pin.h"
#include "installer/exit_codes.h"
#include "installer/install_log.h"

#include "toolkit/core/exception.h"
#include "glotta/engine/lexicon.h"
#include "toolkit/widgets/status_bar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

struct TForm1::TPackage
{
    std::function<QString()> DownloadingText;
    std::function<QString()> RunningText;
    QString Path64; // used on 64-bit Windows, or always when Path32 is empty
    QString Path32;
    QString FileName;
    bool ViaMsiexec = false; // run as msiexec /i <file>
    bool LastStep = false;   // the status line ends on fmFinished instead of being cleared
};

namespace {
bool FailsWindowsCheck(const QString &Name)
{
    return Name == QLatin1String("Windows 2000") || Name == QLatin1String("Windows XP")
        || Name == QLatin1String("Windows ME") || Name == QLatin1String("Windows 98");
}

// While a download block runs the window stays live; the step buttons and
// "continue" are held disabled so that no second step downloads into the same
// temporary file, and get back the state the workflow gave them.
class TStepLock
{
public:
    explicit TStepLock(QList<QPushButton *> Buttons) : fButtons(std::move(Buttons))
    {
        for (QPushButton *B : fButtons) {
            fStates.append(B->isEnabled());
            B->setEnabled(false);
        }
    }
    ~TStepLock()
    {
        for (int i = 0; i < fButtons.size(); ++i)
            fButtons[i]->setEnabled(fStates[i]);
    }

private:
    QList<QPushButton *> fButtons;
    QList<bool> fStates;
};
} // namespace

namespace {
QString Presence(bool Present)
{
    return Present ? QStringLiteral("present") : QStringLiteral("absent");
}
} // namespace

bool TForm1::NetPresent()
{
    const bool Present = fPlatform->HKLMKeyExists(QString::fromLatin1(NetFramework4Key));
    LogLine(QStringLiteral("probe: .NET Framework 4 %1").arg(Presence(Present)));
    return Present;
}

bool TForm1::NativeClientPresent()
{
    const bool Present = fPlatform->HKLMKeyExists(QString::fromLatin1(NativeClient11Key));
    LogLine(QStringLiteral("probe: SQL Server Native Client 11 %1").arg(Presence(Present)));
    return Present;
}

bool TForm1::LocalDBPresent()
{
    const TLocalDBVersions V = fPlatform->GetLocalDBVersions();
    LogLine(QStringLiteral("probe: LocalDB 11.0 %1, 16.0 %2").arg(Presence(V.V11()), Presence(V.V16())));
    return V.V11() || V.V16();
}

void TForm1::DownloadFailed(const QString &KindName, const QString &Message)
{
    ErrorBox(KindName + QLatin1Char(' ') + Msg(fmWithMessage) + QLatin1Char(' ') + Message + QLatin1Char(' ')
                 + Msg(fmDownloadFailed),
             Msg(fmError));
    SetStatus(Message);
}

void TForm1::ReportNoInstallers()
{
    ErrorBox(Msg(fmNoInstallers), Msg(fmSetupError));
    SetStatus(Msg(fmNoInstallersStatus) + QStringLiteral(": ") + fMissingRuntime);
}

bool TForm1::PrepareSystem()
{
    if (!fPlatform->NeedsPreparation())
        return true;
    ++fBusy;
    bool Prepared = false;
    QString Reason;
    {
        // The window stays live while the system is made; no second "continue"
        // or step may start meanwhile.
        const TStepLock Lock({pokracovatb, instalovat1b, instalovat2b, instalovat3b});
        SetStatus(Msg(fmPreparingSystem));
        Prepared = fPlatform->Prepare(Reason);
    }
    --fBusy;
    if (fClosing)
        return false;
    if (!Prepared) {
        ErrorBox(Msg(fmPreparationFailed) + QLatin1Char(' ') + Reason, Msg(fmSetupError));
        SetStatus(Reason);
        return false;
    }
    SetStatus(QString());
    return true;
}

void TForm1::FetchFromServer(const QString &Path, const QString &Target)
{
    const QString URL = fDownloadServer + Path;
    LogLine(QStringLiteral("download: %1 -> %2").arg(URL, Target));
    QElapsedTimer Clock;
    Clock.start();
    try {
        fPlatform->DownloadFile(URL, Target,
                                [this](QObject *Sender, quint32 Progress, quint32 Max, TDownloadStatus Code,
                                       const QString &Text, bool &Cancel) {
                                    DownloadProgress(Sender, Progress, Max, Code, Text, Cancel);
                                });
    } catch (const Exception &E) {
        const QString Reason = fPlatform->LastDownloadFailure();
        LogLine(QStringLiteral("download failed after %1 ms: %2: %3%4")
                    .arg(Clock.elapsed())
                    .arg(E.KindName(), E.Message(), Reason.isEmpty() ? QString() : QStringLiteral(" (") + Reason + u')'));
        throw;
    }
    const TManifestEntry Got = TPackageManifest::Describe(Target);
    LogLine(QStringLiteral("downloaded: %1 bytes, SHA-256 %2, %3 ms").arg(Got.Size).arg(Got.Sha256).arg(Clock.elapsed()));
    // A file that is not the pinned one fails like a broken download and
    // is gone before anything could run it.
    const QString Pin = Sha256PinFor(fSha256Pins, Path);
    if (!Pin.isEmpty() && !Sha256Matches(Target, Pin)) {
        QFile::remove(Target);
        LogLine(QStringLiteral("refused: %1 is not the pinned file (SHA-256 %2)").arg(URL, Pin));
        throw Exception(QStringLiteral("Error downloading URL: %1").arg(URL));
    }
}

void TForm1::FetchFromSource(const QString &Path, const QString &Target)
{
    const QString Source = fSourceDir + Path;
    LogLine(QStringLiteral("copy: %1 -> %2").arg(Source, Target));
    QFile::remove(Target);
    if (!QFile::copy(Source, Target)) {
        LogLine(QStringLiteral("copy failed: %1 cannot be read").arg(Source));
        throw Exception(QStringLiteral("Error copying file: %1").arg(QDir::toNativeSeparators(Source)));
    }
    // The copy is what will run, so the copy is what is checked.
    QString Why;
    if (!fSourceManifest.Matches(Path, Target, Why)) {
        QFile::remove(Target);
        LogLine(QStringLiteral("refused: %1").arg(Why));
        throw Exception(Msg(fmFileDiffers) + QLatin1Char(' ') + QDir::toNativeSeparators(Source));
    }
    const TManifestEntry Got = TPackageManifest::Describe(Target);
    LogLine(QStringLiteral("copied: %1 bytes, SHA-256 %2, as the manifest lists").arg(Got.Size).arg(Got.Sha256));
}

void TForm1::DownloadBlock(const TPackage &P)
{
    // After the window was closed nothing further is downloaded or run.
    if (fClosing)
        return;
    ++fBusy;
    const TStepLock Lock({pokracovatb, instalovat1b, instalovat2b, instalovat3b});
    QString Target;
    QString FailKind, FailMessage;
    try {
        SetStatus(P.DownloadingText());
        const QString Path = P.Path32.isEmpty() || fPlatform->IsWindows64() ? P.Path64 : P.Path32;
        Target = fPlatform->GetTempDir() + P.FileName;
        zrusitb->setEnabled(true);
        if (fSourceDir.isEmpty())
            FetchFromServer(Path, Target);
        else
            FetchFromSource(Path, Target);
    } catch (const Exception &E) {
        FailKind = E.KindName();
        FailMessage = E.Message();
    } catch (const std::exception &E) {
        FailKind = QStringLiteral("Exception");
        FailMessage = QString::fromUtf8(E.what());
    }
    zrusitb->setEnabled(false);
    pb1->setValue(0);
    // No part of a failed or cancelled transfer, and no older file of the
    // same name, is left where the next step or a user could start it.
    if (!FailKind.isEmpty() && !Target.isEmpty())
        QFile::remove(Target);
    if (fClosing) {
        --fBusy;
        return;
    }
    if (!FailKind.isEmpty()) {
        ++fDownloadFailures;
        DownloadFailed(FailKind, FailMessage);
        --fBusy;
        return;
    }
    SetStatus(P.RunningText());
    const QString TempDir = fPlatform->GetTempDir();
    const QString Program = P.ViaMsiexec ? QStringLiteral("msiexec") : Target;
    const QString Parameters = P.ViaMsiexec ? QStringLiteral("/i ") + Target : QString();
    LogLine(QStringLiteral("run: %1%2 (in %3)").arg(Program, Parameters.isEmpty() ? QString() : u' ' + Parameters, TempDir));
    const bool Started = fPlatform->RunAndWait(Program, Parameters, QString(), SW_SHOWNORMAL, TempDir);
    fLastExitCode = Started ? fPlatform->LastExitCode() : -1;
    LogLine(Started ? QStringLiteral("run ended: exit code %1").arg(fLastExitCode)
                    : QStringLiteral("run failed: the program could not be started"));
    SetStatus(P.LastStep ? Msg(fmFinished) : QString());
    if (Started && AsksForRestart(fLastExitCode)) {
        // The component is in place only after a restart; the registry tests
        // that follow may not see it yet. Started again afterwards, the
        // installer goes on from what the registry then says.
        fRestartRequired = true;
        LogLine(QStringLiteral("restart required: %1").arg(Msg(fmRestartRequired)));
        InfoBox(Msg(fmRestartRequired));
    }
    --fBusy;
}

bool TForm1::LayoutPackages(const QString &Folder)
{
    TPackageManifest Manifest;
    LogLine(QStringLiteral("layout into %1").arg(Folder));
    ++fBusy;
    bool Ok = true;
    for (const QString &Path : AllPackagePaths()) {
        if (fClosing) {
            Ok = false;
            break;
        }
        const QString Target = Folder + Path;
        QDir().mkpath(QFileInfo(Target).absolutePath());
        SetStatus(Msg(fmDownloading) + QLatin1Char(' ') + QDir::toNativeSeparators(Path) + QStringLiteral("..."));
        zrusitb->setEnabled(true);
        try {
            FetchFromServer(Path, Target);
        } catch (const Exception &E) {
            QFile::remove(Target);
            zrusitb->setEnabled(false);
            pb1->setValue(0);
            ++fDownloadFailures;
            if (!fClosing)
                DownloadFailed(E.KindName(), E.Message());
            Ok = false;
            break;
        }
        zrusitb->setEnabled(false);
        pb1->setValue(0);
        Manifest.Add(Path, TPackageManifest::Describe(Target));
    }
    QString Why;
    if (Ok && !Manifest.Write(Folder, Why)) {
        LogLine(QStringLiteral("the manifest cannot be written: %1").arg(Why));
        Ok = false;
    }
    if (Ok) {
        LogLine(QStringLiteral("manifest written: %1").arg(QDir(Folder).filePath(QLatin1String(PackageManifestName))));
        SetStatus(Msg(fmLayoutDone) + QStringLiteral(": ") + QDir::toNativeSeparators(Folder));
    }
    --fBusy;
    return Ok;
}

void TForm1::DownloadProgress(QObject *, quint32 Progress, quint32 ProgressMax, TDownloadStatus, const QString &,
                              bool &Cancel)
{
    // The seam's values fit the bar's int range. A maximum of 0 (unknown
    // size) shows an empty bar, not Qt's busy animation.
    pb1->setRange(0, ProgressMax > 0 ? int(ProgressMax) : 1);
    pb1->setValue(ProgressMax > 0 ? int(Progress) : 0);
    QApplication::processEvents();
    if (!zrusitb->isEnabled())
        Cancel = true;
}

void TForm1::pokracovatbClick(QObject *)
{
    if (!fMissingRuntime.isEmpty()) {
        ReportNoInstallers();
        return;
    }
    // A system that does not exist yet (a new Wine prefix) is made now, not
    // by the first installer in the middle of step 1.
    if (!PrepareSystem())
        return;
    const QString WindowsName = fPlatform->GetWindowsName();
    if (LocalDBPresent()) {
        instalovat1b->setEnabled(false);
        instalovat2b->setEnabled(false);
        instalovat3b->setEnabled(true);
        return;
    }
    Memo2->clear();
    if (FailsWindowsCheck(WindowsName)) {
        ErrorBox(Msg(fmWindowsTooOld), Msg(fmSetupError));
        Memo2->appendPlainText(QStringLiteral("System: ") + fPlatform->GetWindowsName() + QStringLiteral(" - ")
                               + Msg(fmNotSuitable));
        return;
    }
    const bool Net = NetPresent();
    if (!Net) {
        Memo2->appendPlainText(QStringLiteral("Net Framework 4.0.2"));
        instalovat1b->setEnabled(true);
    }
    const bool Native = NativeClientPresent();
    if (!Native) {
        Memo2->appendPlainText(fPlatform->IsWindows64() ? QStringLiteral("SQL Native Client 11 64bit")
                                                        : QStringLiteral("SQL Native Client 11 32bit"));
        instalovat1b->setEnabled(true);
    }
    if (Net && Native) {
        Memo2->appendPlainText(Msg(fmComponentsPresent));
        instalovat2b->setEnabled(true);
    }
}

void TForm1::instalovat1bClick(QObject *)
{
    // Packages from an offline folder need no connection at all.
    if (fSourceDir.isEmpty() && !fPlatform->InternetConnected()) {
        // The connection state only says whether a connection is configured,
        // and some systems (Wine with TMPDIR set) deny one that works: the
        // server itself decides.
        LogLine(QStringLiteral("probe: no Internet connection reported; trying the download server %1").arg(fDownloadServer));
        if (!fPlatform->ServerAnswers(fDownloadServer)) {
            LogLine(QStringLiteral("the download server does not answer"));
            ErrorBox(Msg(fmNoConnection) + QLatin1Char(' ') + Msg(fmServerNotAnswering) + QLatin1Char(' ') + fDownloadServer, Msg(fmConnectionError));
            return;
        }
        LogLine(QStringLiteral("the download server answers"));
    }
    instalovat1b->setEnabled(false);
    if (!NetPresent())
        DownloadBlock({[this] { return Msg(fmDownloading) + QStringLiteral(" Net framework 4.0.3..."); },
                       [this] { return Msg(fmInstalling) + QStringLiteral(" NET Framework 4.0.3..."); },
                       QStringLiteral("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"), QString(),
                       QStringLiteral("dotnetfx40_full_x86_x64.exe")});
    if (!fClosing && !NativeClientPresent())
        DownloadBlock({[this] { return Msg(fmDownloading) + QStringLiteral(" SQL native client..."); },
                       [this] { return Msg(fmInstalling) + QStringLiteral(" SQL native client..."); },
                       QStringLiteral("/data/sqllocaldb/nativeclient/64bit/sqlncli.msi"),
                       QStringLiteral("/data/sqllocaldb/nativeclient/32bit/sqlncli.msi"), QStringLiteral("sqlncli.msi")});
    pb1->setValue(0);
    SetStatus(QString());
    const bool Net = NetPresent();
    const bool Native = NativeClientPresent();
    if (Net && Native) {
        instalovat2b->setEnabled(true);
        return;
    }
    instalovat1b->setEnabled(true);
    if (!Net)
        ErrorBox(Msg(fmNetFailed), Msg(fmSetupError));
    if (!Native)
        ErrorBox(Msg(fmNativeClientFailed), Msg(fmSetupError));
}

void TForm1::instalovat2bClick(QObject *)
{
    if (!NativeClientPresent() || !NetPresent()) {
        ErrorBox(Msg(fmPrerequisiteMissing), Msg(fmSetupError));
        instalovat2b->setEnabled(false);
        instalovat1b->setEnabled(true);
        return;
    }
    if (LocalDBPresent()) {
        ErrorBox(Msg(fmDatabasePresent), Msg(fmSetupError));
        instalovat3b->setEnabled(true);
        return;
    }
    instalovat2b->setEnabled(false);
    TPackage LocalDB{[this] {
                         return Msg(fmDownloading) + QLatin1Char(' ') + Msg(fmDatabaseInstaller) + QStringLiteral("...");
                     },
                     [this] { return Msg(fmInstallingDatabase); },
                     QStringLiteral("/data/sqllocaldb/2022/sqllocaldb.msi"),
                     QStringLiteral("/data/sqllocaldb/32bit/sqllocaldb.msi"),
                     QStringLiteral("sqllocaldb.msi")};
    LocalDB.ViaMsiexec = true;
    DownloadBlock(LocalDB);
    if (fClosing)
        return;
    pb1->setValue(0);
    SetStatus(QString());
    if (fPlatform->LocalDB11Installed()) {
        instalovat3b->setEnabled(true);
        instalovat2b->setEnabled(false);
    } else {
        ErrorBox(Msg(fmLocalDBFailed), Msg(fmSetupError));
        instalovat3b->setEnabled(false);
        instalovat2b->setEnabled(true);
    }
}

void TForm1::instalovat3bClick(QObject *)
{
    if (!fPlatform->LocalDB11Installed()) {
        ErrorBox(Msg(fmLocalDBMissing), Msg(fmSetupError));
        instalovat3b->setEnabled(false);
        instalovat2b->setEnabled(true);
        return;
    }
    instalovat3b->setEnabled(false);
    TPackage Setup{[this] {
                       return Msg(fmDownloading) + QStringLiteral(" program ") + Msg(fmProductName)
                            + QStringLiteral("...");
                   },
                   [this] { return Msg(fmInstalling) + QStringLiteral(" program Dilnex 8..."); },
                   QStringLiteral("/data/dilnex8/dilnex8.exe"), QString(), QStringLiteral("dilnex8.exe")};
    Setup.LastStep = true;
    DownloadBlock(Setup);
}
