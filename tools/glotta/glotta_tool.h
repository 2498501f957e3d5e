#pragma once
// The glotta command-line tool: subcommand dispatch, the console it writes
// to, exit statuses, and the messages every subcommand writes ("file:line:
// text"). One subcommand per source file; they share the readers in
// tool_files.h and the templates in tool_template.h.

#include <QString>
#include <QStringList>
#include <QTextStream>

class QCommandLineParser;

enum TToolExit {
    ToolSuccess = 0,
    ToolFindings = 1, // a check found faults
    ToolBadInput = 2, // bad usage, or an input that cannot be read
};

// Where a subcommand writes: results to Out, messages and progress to Err.
// Progress is shown only on a terminal.
struct TToolConsole
{
    TToolConsole(QTextStream &Results, QTextStream &Messages, bool OnTerminal)
        : Out(Results), Err(Messages), Terminal(OnTerminal)
    {
    }

    QTextStream &Out;
    QTextStream &Err;
    bool Terminal = false;

    // "file:line: text" (line 0: "file: text"; no file: "glotta: text").
    void Message(const QString &File, int Line, const QString &Text);
    // "[n/total] what" on one terminal line, rewritten in place; nothing off
    // a terminal. Done clears the line.
    void Progress(int Done, int Total, const QString &What);
    void ProgressDone();

private:
    bool fProgressShown = false;
};

// Args without the program name: the subcommand first.
int RunGlotta(const QStringList &Args, TToolConsole &Console);

int RunExtract(const QStringList &Args, TToolConsole &Console);
int RunStats(const QStringList &Args, TToolConsole &Console);
int RunCheck(const QStringList &Args, TToolConsole &Console);
int RunPseudo(const QStringList &Args, TToolConsole &Console);
int RunUpdate(const QStringList &Args, TToolConsole &Console);

// Parses a subcommand's options ("--help" included). False when the
// subcommand is done: Exit then holds its status (0 after --help, 2 for
// bad usage, with the message written).
bool ParseToolOptions(QCommandLineParser &Parser, const QString &Subcommand, const QStringList &Args,
                      TToolConsole &Console, int &Exit);
