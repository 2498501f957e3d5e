// The installation workflow of TForm1: "continue", the three steps and the
// download block they share. Every message is fetched from the lexicon at the
// moment of use, so it appears in the language current then.

#include "installer/form1.h"

#include "installer/download_pin.h"

#include "toolkit/core/exception.h"
#include "glotta/engine/lexicon.h"
#include "toolkit/widgets/status_bar.h"

#include <QApplication>
#include <QFile>
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

bool TForm1::NetPresent()
{
    return fPlatform->HKLMKeyExists(QString::fromLatin1(NetFramework4Key));
}

bool TForm1::NativeClientPresent()
{
    return fPlatform->HKLMKeyExists(QString::fromLatin1(NativeClient11Key));
}

bool TForm1::LocalDBPresent()
{
    const TLocalDBVersions V = fPlatform->GetLocalDBVersions();
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
        const QString URL = fDownloadServer + Path;
        fPlatform->DownloadFile(URL, Target,
                                [this](QObject *Sender, quint32 Progress, quint32 Max, TDownloadStatus Code,
                                       const QString &Text, bool &Cancel) {
                                    DownloadProgress(Sender, Progress, Max, Code, Text, Cancel);
                                });
        // A file that is not the pinned one fails like a broken download and
        // is gone before anything could run it.
        const QString Pin = Sha256PinFor(fSha256Pins, Path);
        if (!Pin.isEmpty() && !Sha256Matches(Target, Pin)) {
            QFile::remove(Target);
            throw Exception(QStringLiteral("Error downloading URL: %1").arg(URL));
        }
    } catch (const Exception &E) {
        FailKind = E.KindName();
        FailMessage = E.Message();
    } catch (const std::exception &E) {
        FailKind = QStringLiteral("Exception");
        FailMessage = QString::fromUtf8(E.what());
    }
    zrusitb->setEnabled(false);
    pb1->setValue(0);
    if (fClosing) {
        --fBusy;
        return;
    }
    if (!FailKind.isEmpty()) {
        DownloadFailed(FailKind, FailMessage);
        --fBusy;
        return;
    }
    SetStatus(P.RunningText());
    const QString TempDir = fPlatform->GetTempDir();
    if (P.ViaMsiexec)
        fPlatform->RunAndWait(QStringLiteral("msiexec"), QStringLiteral("/i ") + Target, QString(), SW_SHOWNORMAL,
                              TempDir);
    else
        fPlatform->RunAndWait(Target, QString(), QString(), SW_SHOWNORMAL, TempDir);
    SetStatus(P.LastStep ? Msg(fmFinished) : QString());
    --fBusy;
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
    if (!fPlatform->InternetConnected()) {
        ErrorBox(Msg(fmNoConnection), Msg(fmConnectionError));
        return;
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
