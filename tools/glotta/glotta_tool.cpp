#include "tools/glotta/glotta_tool.h"

#include <QCommandLineParser>

namespace {
struct TSubcommand
{
    const char *Name;
    int (*Run)(const QStringList &, TToolConsole &);
    const char *Summary;
};

const TSubcommand Subcommands[] = {
    {"extract", RunExtract, "write the template of Qt Designer forms and stored designs"},
    {"stats", RunStats, "count the lines of language files: own, inherited, global, excluded, missing, obsolete"},
    {"check", RunCheck, "find the faults of translations: placeholders, accelerators, blanks, line breaks, ..."},
    {"pseudo", RunPseudo, "make a pseudo language (longer, accented, bracketed texts) from a template"},
    {"update", RunUpdate, "bring a language file to a new template, marking removed lines obsolete"},
};

void Usage(QTextStream &S)
{
    S << "Usage: glotta <subcommand> [options] [files]\n\nSubcommands:\n";
    for (const TSubcommand &C : Subcommands)
        S << "  " << QString::fromLatin1(C.Name).leftJustified(9) << QString::fromLatin1(C.Summary) << '\n';
    S << "\n'glotta <subcommand> --help' describes one. Exit status: 0 success, 1 a check found faults,\n"
         "2 bad usage or an input that cannot be read.\n";
}
} // namespace

void TToolConsole::Message(const QString &File, int Line, const QString &Text)
{
    ProgressDone();
    if (File.isEmpty())
        Err << "glotta: " << Text << '\n';
    else if (Line > 0)
        Err << File << ':' << Line << ": " << Text << '\n';
    else
        Err << File << ": " << Text << '\n';
    Err.flush();
}

void TToolConsole::Progress(int Done, int Total, const QString &What)
{
    if (!Terminal)
        return;
    QString Shown = QStringLiteral("[%1/%2] %3").arg(Done).arg(Total).arg(What);
    if (Shown.size() > 78)
        Shown = Shown.left(75) + QStringLiteral("...");
    Err << '\r' << Shown.leftJustified(79) << '\r';
    Err.flush();
    fProgressShown = true;
}

void TToolConsole::ProgressDone()
{
    if (!fProgressShown)
        return;
    Err << '\r' << QString(79, QLatin1Char(' ')) << '\r';
    Err.flush();
    fProgressShown = false;
}

int RunGlotta(const QStringList &Args, TToolConsole &Console)
{
    if (Args.isEmpty()) {
        Usage(Console.Err);
        return ToolBadInput;
    }
    const QString Name = Args.first();
    if (Name == QLatin1String("--help") || Name == QLatin1String("-h") || Name == QLatin1String("help")) {
        Usage(Console.Out);
        return ToolSuccess;
    }
    for (const TSubcommand &C : Subcommands)
        if (Name == QLatin1String(C.Name))
            return C.Run(Args, Console);
    Console.Message(QString(), 0, QStringLiteral("unknown subcommand '%1'").arg(Name));
    Usage(Console.Err);
    return ToolBadInput;
}

bool ParseToolOptions(QCommandLineParser &Parser, const QString &Subcommand, const QStringList &Args,
                      TToolConsole &Console, int &Exit)
{
    const QCommandLineOption Help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    Parser.addOption(Help);
    Parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // The parser takes the program name first: "glotta <subcommand>".
    QStringList Full = Args;
    Full[0] = QStringLiteral("glotta ") + Subcommand;
    if (!Parser.parse(Full)) {
        Console.Message(QString(), 0, QStringLiteral("%1: %2").arg(Subcommand, Parser.errorText()));
        Exit = ToolBadInput;
        return false;
    }
    if (Parser.isSet(Help)) {
        // The parser names the running program; the usage line names the subcommand.
        QString Text = Parser.helpText();
        const qsizetype Options = Text.indexOf(QStringLiteral("[options]"));
        if (Options >= 0)
            Text.replace(0, Options, QStringLiteral("Usage: glotta ") + Subcommand + QLatin1Char(' '));
        Console.Out << Text;
        Exit = ToolSuccess;
        return false;
    }
    return true;
}
