// glotta check: the faults translators make, per line of language files
// against a template (the translation checks library), each finding with
// its file, line, component path and rule.

#include "glotta/engine/checks/translation_checks.h"
#include "tools/glotta/glotta_tool.h"
#include "tools/glotta/tool_counts.h"

#include <QSet>
#include <QCommandLineParser>
#include <QMap>

namespace {
// What a finding names besides file and line: the component path (owner
// form and component) with the line ID, the lexicon and item, or the smart
// lexicon and designed text.
QString PlaceOf(const TCatalogEntry &E)
{
    switch (E.Kind) {
    case TCatalogKind::Component: {
        const QString Path = E.Line.OwnerName.isEmpty() ? E.Line.CompName : E.Line.OwnerName + QLatin1Char('.') + E.Line.CompName;
        return QStringLiteral("%1 (%2)").arg(Path, CatalogKey(E));
    }
    case TCatalogKind::LexiconItem:
        return QStringLiteral("%1 item %2").arg(E.Lexicon).arg(E.Number);
    case TCatalogKind::SmartPair:
        return QStringLiteral("%1 \"%2\"").arg(E.Lexicon.isEmpty() ? QStringLiteral("global lexicon") : E.Lexicon,
                                               Decoded(E.Source));
    }
    return QString();
}

struct TFileCheck
{
    const TToolLanguageState &State;
    const TToolTemplate &Template;
    TToolConsole &Console;
    int Findings = 0;

    void Report(const TCatalogEntry &E, const TCheckFinding &F)
    {
        const int Line = State.Language.LineOfEntry(E);
        const QString Where = Line > 0 ? QStringLiteral("%1:%2").arg(State.Language.File).arg(Line) : State.Language.File;
        Console.Out << Where << ": " << PlaceOf(E) << ": " << CheckRuleName(F.Rule) << ": " << F.Reason << '\n';
        ++Findings;
    }

    void Run()
    {
        QSet<QString> InTemplate;
        for (const TCatalogEntry &E : Template.Template.Entries)
            InTemplate.insert(CatalogEntryId(E));
        // Accelerator groups: scope -> the entries showing a caption there.
        QMap<QString, QList<const TCatalogEntry *>> Groups;
        for (const TCatalogEntry &E : State.Catalog.Entries) {
            if (E.Obsolete)
                continue; // marked by an update: kept for the translator, not shown
            const QString Id = CatalogEntryId(E);
            const bool GlobalPair = E.Kind == TCatalogKind::SmartPair && E.Lexicon.isEmpty();
            if (!GlobalPair && !InTemplate.contains(Id)) {
                for (const TCheckGroupFinding &F : CheckObsoleteLines({Id}, InTemplate))
                    Report(E, F.Finding);
                continue;
            }
            if (E.Status == TCatalogStatus::Translated || E.Status == TCatalogStatus::Empty)
                for (const TCheckFinding &F : CheckTranslation(Decoded(E.Source), Decoded(E.Translation), true))
                    Report(E, F);
            if (E.Kind == TCatalogKind::Component && E.Line.PropertyID == 0) {
                const QString Owner = E.Line.OwnerName.isEmpty() ? E.Line.CompName : E.Line.OwnerName;
                Groups[Template.AcceleratorScope.value(Id, QStringLiteral("window:") + Owner)] << &E;
            }
        }
        for (const QList<const TCatalogEntry *> &Group : std::as_const(Groups)) {
            QList<TCheckGroupItem> Items;
            for (const TCatalogEntry *E : Group) {
                const QString Shown = E->Status == TCatalogStatus::Translated ? E->Translation
                                      : E->Status == TCatalogStatus::Inherited ? E->Inherited
                                                                               : QString();
                Items << TCheckGroupItem{CatalogEntryId(*E), Decoded(E->Source), Decoded(Shown)};
            }
            const QList<TCheckGroupFinding> Found = CheckAcceleratorClashes(Items);
            for (const TCheckGroupFinding &F : Found)
                for (const TCatalogEntry *E : Group)
                    if (CatalogEntryId(*E) == F.Id)
                        Report(*E, F.Finding);
        }
    }
};
} // namespace

int RunCheck(const QStringList &Args, TToolConsole &Console)
{
    QCommandLineParser P;
    P.setApplicationDescription(QStringLiteral(
        "Checks the translations of language files against a template, line by line: placeholders (%1..%99,\n"
        "%n, printf forms, {name}) missing, added or reordered; the accelerator & lost or doubled, or two\n"
        "controls of one window or menu sharing a letter; leading or trailing blanks and line breaks that\n"
        "differ from the design text; empty translations marked as own; lines the template no longer has.\n"
        "Exit status 1 when anything is found."));
    const QCommandLineOption Template(
        {QStringLiteral("t"), QStringLiteral("template")},
        QStringLiteral("A template language file, or a form (.ui, .json) to extract one from; repeatable.\n"
                       "Forms tell which menu an action is in, so accelerator clashes are judged per menu."),
        QStringLiteral("file"));
    const QCommandLineOption DesignName(QStringLiteral("design-name"), QStringLiteral("The design language's name for .ui forms."),
                                        QStringLiteral("name"));
    const QCommandLineOption DesignCode(QStringLiteral("design-code"), QStringLiteral("The design language's code for .ui forms."),
                                        QStringLiteral("code"));
    P.addOptions({Template, DesignName, DesignCode});
    P.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("Language files and folders of them."),
                            QStringLiteral("paths..."));
    int Exit = ToolSuccess;
    if (!ParseToolOptions(P, QStringLiteral("check"), Args, Console, Exit))
        return Exit;
    if (P.positionalArguments().isEmpty() || !P.isSet(Template)) {
        Console.Message(QString(), 0, QStringLiteral("check: give --template and language files or folders (see glotta check --help)"));
        return ToolBadInput;
    }
    QStringList Files;
    QString Bad;
    if (!LanguageFilesOf(P.positionalArguments(), Files, Bad)) {
        Console.Message(Bad, 0, QStringLiteral("no such file or folder"));
        return ToolBadInput;
    }
    TToolTemplate T;
    if (!LoadToolTemplate(P.values(Template), {P.value(DesignName), P.value(DesignCode)}, T, Console))
        return ToolBadInput;
    QList<TToolHeader> Known;
    for (const QString &F : std::as_const(Files)) {
        TToolHeader H;
        if (ReadToolHeader(F, H))
            Known << H;
    }
    int Findings = 0;
    bool Unreadable = false;
    for (int i = 0; i < Files.size(); ++i) {
        Console.Progress(i + 1, Files.size(), Files.at(i));
        TToolLanguageState State;
        if (!LoadLanguageState(Files.at(i), Known, &T, State, Console)) {
            Unreadable = true;
            continue;
        }
        TFileCheck Check{State, T, Console};
        Check.Run();
        Findings += Check.Findings;
    }
    Console.ProgressDone();
    if (Unreadable)
        return ToolBadInput;
    return Findings > 0 ? ToolFindings : ToolSuccess;
}
