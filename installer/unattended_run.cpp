#include "installer/unattended_run.h"

#include "installer/exit_codes.h"
#include "installer/form1.h"
#include "toolkit/core/exception.h"
#include "toolkit/widgets/message_box.h"
#include "toolkit/widgets/status_bar.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

QString ExitName(int Code)
{
    switch (Code) {
    case ExitDone:
        return QStringLiteral("done");
    case ExitUserCancel:
        return QStringLiteral("cancelled");
    case ExitFailure:
        return QStringLiteral("failed");
    case ExitRestartRequired:
        return QStringLiteral("restart required");
    case ExitRestartStarted:
        return QStringLiteral("restart started");
    default:
        return QString::number(Code);
    }
}

// The end of a run: logged, and said in the status line with the log's path.
int Finish(TForm1 *Form, int Code, const QString &Text)
{
    Form->LogLine(QStringLiteral("end: exit code %1 (%2): %3").arg(Code).arg(ExitName(Code), Text));
    QString Status = Text;
    if (Form->Log() && Form->Log()->IsOpen())
        Status += QStringLiteral(" - ") + Form->Message(fmLogFile) + QStringLiteral(": ")
                + QDir::toNativeSeparators(Form->Log()->FileName());
    Form->sb1->SetSimpleText(Status);
    return Code;
}

// What stops the run before the next step, if anything: a cancel, a
// package that could not be fetched since FailuresBefore (a failure even when
// another package of the step asked for a restart), or a restart a component
// installer asked for (the steps after it need it).
bool Stops(TForm1 *Form, int FailuresBefore, int &Code, QString &Text)
{
    if (Form->CancelRequested()) {
        Code = ExitUserCancel;
        Text = Form->Message(fmRunCancelled);
        return true;
    }
    if (Form->DownloadFailures() != FailuresBefore) {
        Code = ExitFailure;
        Text = Form->Message(fmRunFailed);
        return true;
    }
    if (Form->RestartRequired()) {
        Code = ExitRestartRequired;
        Text = Form->Message(fmRestartRequired);
        return true;
    }
    return false;
}

} // namespace

void LogPlatformFacts(TForm1 *Form)
{
    TPlatform *Platform = Form->Platform();
    Form->LogLine(QStringLiteral("platform: %1").arg(Platform->GetWindowsName()));
    try {
        Form->LogLine(QStringLiteral("platform: 64-bit %1").arg(Platform->IsWindows64() ? "yes" : "no"));
    } catch (const Exception &E) {
        Form->LogLine(QStringLiteral("platform: 64-bit unknown: %1").arg(E.Message()));
    }
    Form->LogLine(QStringLiteral("platform: administrator %1").arg(Platform->IsUserAdmin() ? "yes" : "no"));
    Form->LogLine(
        QStringLiteral("platform: locale language \"%1\"").arg(Platform->GetLocaleString(LOCALE_SISO639LANGNAME)));
    Form->LogLine(QStringLiteral("platform: temporary folder %1").arg(Platform->GetTempDir()));
    Form->LogLine(QStringLiteral("platform: connection reported %1").arg(Platform->InternetConnected() ? "yes" : "no"));
}

int RunUnattended(TForm1 *Form)
{
    int Code = ExitDone;
    QString Text;
    Form->ShowPackageSource();
    Form->LogLine(QStringLiteral("step: continue"));
    Form->pokracovatbClick(Form->pokracovatb);
    // Asked after "continue", which makes a missing Wine prefix first.
    LogPlatformFacts(Form);
    if (Stops(Form, Form->DownloadFailures(), Code, Text))
        return Finish(Form, Code, Text);
    // Three steps at most; each one that succeeds enables the next.
    for (int Round = 0; Round < 3; ++Round) {
        const int FailuresBefore = Form->DownloadFailures();
        if (Form->instalovat1b->isEnabled()) {
            Form->LogLine(QStringLiteral("step: 1"));
            Form->instalovat1bClick(Form->instalovat1b);
            if (Stops(Form, FailuresBefore, Code, Text))
                return Finish(Form, Code, Text);
            if (!Form->instalovat2b->isEnabled())
                return Finish(Form, ExitFailure, Form->Message(fmRunFailed));
        } else if (Form->instalovat2b->isEnabled()) {
            Form->LogLine(QStringLiteral("step: 2"));
            Form->instalovat2bClick(Form->instalovat2b);
            if (Stops(Form, FailuresBefore, Code, Text))
                return Finish(Form, Code, Text);
            if (!Form->instalovat3b->isEnabled())
                return Finish(Form, ExitFailure, Form->Message(fmRunFailed));
        } else if (Form->instalovat3b->isEnabled()) {
            // Installed already: the application beside the installer (the
            // window hides step 3 then), or its setup's registry key.
            if (Form->instalovat3b->isHidden()
                || Form->Platform()->HKLMKeyExists(QString::fromLatin1(Dilnex8Key))) {
                Form->LogLine(QStringLiteral("probe: Dilnex 8 present"));
                return Finish(Form, ExitDone, Form->Message(fmNothingToDo));
            }
            Form->LogLine(QStringLiteral("probe: Dilnex 8 absent"));
            Form->LogLine(QStringLiteral("step: 3"));
            Form->instalovat3bClick(Form->instalovat3b);
            if (Stops(Form, FailuresBefore, Code, Text))
                return Finish(Form, Code, Text);
            // Step 3 has no registry test of its own: the download and the
            // setup's exit code decide.
            if (Form->LastExitCode() != 0)
                return Finish(Form, ExitFailure, Form->Message(fmRunFailed));
            return Finish(Form, ExitDone, Form->Message(fmFinished));
        } else {
            // "continue" enabled no step: a failed check (the Windows
            // version, no means to run installers, a prefix not made).
            return Finish(Form, ExitFailure, Form->Message(fmRunFailed));
        }
    }
    return Finish(Form, ExitFailure, Form->Message(fmRunFailed));
}

int RunLayout(TForm1 *Form, const QString &Folder)
{
    if (Form->LayoutPackages(Folder))
        return Finish(Form, ExitDone, Form->Message(fmLayoutDone) + QStringLiteral(": ") + QDir::toNativeSeparators(Folder));
    if (Form->CancelRequested())
        return Finish(Form, ExitUserCancel, Form->Message(fmRunCancelled));
    return Finish(Form, ExitFailure, Form->Message(fmRunFailed));
}

void LogMessageBoxes(TInstallLog *Log, bool Answer)
{
    SetMessageBoxHandler([Log, Answer](const QString &Text, const QString &Caption, quint32 Flags) {
        Log->Line(QStringLiteral("message box: %1: %2").arg(Caption, Text));
        const bool YesNo = (Flags & 0x0F) == MB_YESNO;
        if (Answer)
            return YesNo ? IDYES : IDOK;
        // The real box, with this handler out of the way while it is open.
        TMessageBoxHandler Self = SetMessageBoxHandler({});
        const int Result = MessageBox(Text, Caption, Flags);
        SetMessageBoxHandler(std::move(Self));
        return Result;
    });
}
