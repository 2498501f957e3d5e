#pragma once
// Runs the window's workflow without a user, for --passive and --quiet:
// "continue", then each step the probes call for, in order, as far as they
// call for one; the first step that fails ends the run, so no step runs
// after a failed one. Answers an exit code of exit_codes.h.

#include "installer/install_log.h"

class TForm1;

// Form has its log and package source set. The status line ends on the end
// state and the log's path.
int RunUnattended(TForm1 *Form);

// --layout: every package into Folder with a manifest; ExitDone, ExitFailure
// or ExitUserCancel.
int RunLayout(TForm1 *Form, const QString &Folder);

// What the probes say about the machine, into the form's log.
void LogPlatformFacts(TForm1 *Form);

// Every message box from now on is written to Log; with Answer set, no box
// is shown and each gets its default answer (OK, or Yes for a question).
void LogMessageBoxes(TInstallLog *Log, bool Answer);
