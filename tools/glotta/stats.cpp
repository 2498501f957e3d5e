// glotta stats: per language file, its language, code and superior chain,
// and how its lines stand against a template: own, inherited, global,
// excluded, missing, obsolete, percent complete. A table for people, JSON
// (stats.schema.json) for builds.

#include "tools/glotta/glotta_tool.h"
#include "tools/glotta/tool_counts.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {
QJsonValue Optional(const std::optional<int> &V)
{
    return V ? QJsonValue(*V) : QJsonValue(QJsonValue::Null);
}

QString Cell(const std::optional<int> &V)
{
    return V ? QString::number(*V) : QStringLiteral("-");
}

void PrintTable(const QList<QStringList> &Rows, QTextStream &Out)
{
    QList<qsizetype> Width;
    for (const QStringList &R : Rows)
        for (qsizetype i = 0; i < R.size(); ++i) {
            if (Width.size() <= i)
                Width << 0;
            Width[i] = std::max(Width[i], R.at(i).size());
        }
    for (const QStringList &R : Rows) {
        QString Line;
        for (qsizetype i = 0; i < R.size(); ++i) {
            // Names to the left, counts to the right.
            const bool Number = i >= 4;
            Line += Number ? R.at(i).rightJustified(Width.at(i)) : R.at(i).leftJustified(Width.at(i));
            if (i + 1 < R.size())
                Line += QStringLiteral("  ");
        }
        Out << Line.trimmed() << '\n';
    }
}
} // namespace

int RunStats(const QStringList &Args, TToolConsole &Console)
{
    QCommandLineParser P;
    P.setApplicationDescription(QStringLiteral(
        "Counts the lines of language files (the .lng files of folders, or files given): own translations,\n"
        "inherited from a superior language, translated by the global lexicon, excluded, missing and\n"
        "obsolete, and the percentage complete. Inherited, global, missing and the percentage need\n"
        "--template; without one, obsolete counts the lines marked obsolete only."));
    const QCommandLineOption Template(
        {QStringLiteral("t"), QStringLiteral("template")},
        QStringLiteral("A template language file, or a form (.ui, .json) to extract one from; repeatable."),
        QStringLiteral("file"));
    const QCommandLineOption Json(QStringLiteral("json"), QStringLiteral("Write JSON (see stats.schema.json)."));
    const QCommandLineOption DesignName(QStringLiteral("design-name"), QStringLiteral("The design language's name for .ui forms."),
                                        QStringLiteral("name"));
    const QCommandLineOption DesignCode(QStringLiteral("design-code"), QStringLiteral("The design language's code for .ui forms."),
                                        QStringLiteral("code"));
    P.addOptions({Template, Json, DesignName, DesignCode});
    P.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("Language files and folders of them."),
                            QStringLiteral("paths..."));
    int Exit = ToolSuccess;
    if (!ParseToolOptions(P, QStringLiteral("stats"), Args, Console, Exit))
        return Exit;
    if (P.positionalArguments().isEmpty()) {
        Console.Message(QString(), 0, QStringLiteral("stats: give language files or folders (see glotta stats --help)"));
        return ToolBadInput;
    }
    QStringList Files;
    QString Bad;
    if (!LanguageFilesOf(P.positionalArguments(), Files, Bad)) {
        Console.Message(Bad, 0, QStringLiteral("no such file or folder"));
        return ToolBadInput;
    }
    TToolTemplate T;
    const bool HaveTemplate = P.isSet(Template);
    if (HaveTemplate
        && !LoadToolTemplate(P.values(Template), {P.value(DesignName), P.value(DesignCode)}, T, Console))
        return ToolBadInput;

    // The headers first: superior chains may lead to any file of the set.
    QList<TToolHeader> Known;
    for (const QString &F : std::as_const(Files)) {
        TToolHeader H;
        if (ReadToolHeader(F, H))
            Known << H;
    }

    QJsonArray Languages;
    QList<QStringList> Rows{{"File", "Language", "Code", "Superiors", "Own", "Inherited", "Global", "Excluded",
                             "Missing", "Obsolete", "Complete"}};
    for (int i = 0; i < Files.size(); ++i) {
        Console.Progress(i + 1, Files.size(), Files.at(i));
        // One file and its chain at a time: memory stays that of the largest chain.
        TToolLanguageState State;
        if (!LoadLanguageState(Files.at(i), Known, HaveTemplate ? &T : nullptr, State, Console)) {
            Exit = ToolBadInput;
            continue;
        }
        const TToolCounts C = CountLines(State, HaveTemplate ? &T : nullptr);
        const TLanguageFileHeader &H = State.Language.Stores.Header;
        QJsonObject O{{"file", Files.at(i)},
                      {"language", H.Name},
                      {"code", H.Code},
                      {"superiorChain", QJsonArray::fromStringList(State.Chain)},
                      {"own", C.Own},
                      {"inherited", Optional(C.Inherited)},
                      {"global", Optional(C.Global)},
                      {"excluded", C.Excluded},
                      {"missing", Optional(C.Missing)},
                      {"obsolete", C.Obsolete},
                      {"complete", C.Complete ? QJsonValue(std::round(*C.Complete * 10) / 10) : QJsonValue()}};
        Languages.append(O);
        Rows << QStringList{Files.at(i), H.Name, H.Code, State.Chain.join(QStringLiteral(" > ")),
                            QString::number(C.Own), Cell(C.Inherited), Cell(C.Global), QString::number(C.Excluded),
                            Cell(C.Missing), QString::number(C.Obsolete),
                            C.Complete ? QString::number(*C.Complete, 'f', 1) + QLatin1Char('%') : QStringLiteral("-")};
    }
    Console.ProgressDone();
    if (P.isSet(Json)) {
        QJsonObject Root{{"template", HaveTemplate ? QJsonValue(QJsonArray::fromStringList(P.values(Template))) : QJsonValue()},
                         {"templateLines", HaveTemplate ? QJsonValue(int(T.Template.Entries.size())) : QJsonValue()},
                         {"languages", Languages}};
        Console.Out << QJsonDocument(Root).toJson(QJsonDocument::Indented);
    } else {
        PrintTable(Rows, Console.Out);
    }
    return Exit;
}
