// glotta update: a language file brought to a new template. Every
// translation whose line still exists is kept as it is; component lines the
// template no longer has are marked obsolete ("%OLD", which the editor
// shows) instead of being dropped, and lines that came back lose the mark;
// new lines are not added (they are missing until translated). Lexicon items
// and resource strings the template lacks are kept unmarked: the file
// format has no obsolete mark for them. Written atomically.

#include "tools/glotta/glotta_tool.h"
#include "tools/glotta/tool_counts.h"

#include <QSet>
#include <QCommandLineParser>

namespace {
constexpr quint16 ObsoleteBit = 2;

// False after a message when the file cannot be read or written.
bool UpdateFile(const QString &File, const QString &Output, const QSet<QString> &InTemplate, TToolConsole &Console)
{
    TToolLanguage L;
    QString Error;
    int Line = 0;
    if (!ReadToolLanguage(File, L, Error, Line)) {
        Console.Message(File, Line, Error);
        return false;
    }
    int Marked = 0;
    int Revived = 0;
    TComponentStructure &S = L.Stores.Struct;
    for (int i = 0; i < S.Count(); ++i) {
        const quint16 Changeable = S.GetChangeable(i);
        const bool Known = InTemplate.contains(S.LineID(i));
        if (!Known && !(Changeable & ObsoleteBit)) {
            S.SetChangeable(i, Changeable | ObsoleteBit);
            ++Marked;
        } else if (Known && (Changeable & ObsoleteBit)) {
            S.SetChangeable(i, Changeable & ~ObsoleteBit);
            ++Revived;
        }
    }
    TTranslationCatalog C;
    CatalogFromStores(L.Stores, nullptr, {}, C);
    for (const TCatalogEntry &E : C.Entries) {
        if (E.Kind == TCatalogKind::Component || (E.Kind == TCatalogKind::SmartPair && E.Lexicon.isEmpty()))
            continue;
        if (!InTemplate.contains(CatalogEntryId(E)))
            Console.Message(File, L.LineOfEntry(E),
                            QStringLiteral("%1 is not in the template; kept unmarked (the file has no obsolete mark for it)")
                                .arg(E.Kind == TCatalogKind::LexiconItem ? QStringLiteral("%1 item %2").arg(E.Lexicon).arg(E.Number)
                                                                         : QStringLiteral("%1 \"%2\"").arg(E.Lexicon, E.Source)));
    }
    if (Marked == 0 && Revived == 0 && Output == File) {
        Console.Out << File << ": up to date\n";
        return true;
    }
    if (!SaveFileAtomically(Output, WriteLanguageStores(L.Stores), Error)) {
        Console.Message(Output, 0, QStringLiteral("cannot be written: %1").arg(Error));
        return false;
    }
    Console.Out << Output << ": " << Marked << " line(s) marked obsolete, " << Revived << " line(s) back in use\n";
    return true;
}
} // namespace

int RunUpdate(const QStringList &Args, TToolConsole &Console)
{
    QCommandLineParser P;
    P.setApplicationDescription(QStringLiteral(
        "Brings language files to a new template, in place (or to --output for one file): translations of\n"
        "lines that still exist are kept byte for byte, lines the template no longer has are marked obsolete,\n"
        "new lines are left missing. Each file is replaced only when the new one is complete."));
    const QCommandLineOption Template({QStringLiteral("t"), QStringLiteral("template")},
                                      QStringLiteral("A template language file, or a form (.ui, .json); repeatable."),
                                      QStringLiteral("file"));
    const QCommandLineOption Output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write the one language file given here instead of in place."),
                                    QStringLiteral("file"));
    const QCommandLineOption DesignName(QStringLiteral("design-name"), QStringLiteral("The design language's name for .ui forms."),
                                        QStringLiteral("name"));
    const QCommandLineOption DesignCode(QStringLiteral("design-code"), QStringLiteral("The design language's code for .ui forms."),
                                        QStringLiteral("code"));
    P.addOptions({Template, Output, DesignName, DesignCode});
    P.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("Language files and folders of them."),
                            QStringLiteral("paths..."));
    int Exit = ToolSuccess;
    if (!ParseToolOptions(P, QStringLiteral("update"), Args, Console, Exit))
        return Exit;
    QStringList Files;
    QString Bad;
    if (P.positionalArguments().isEmpty() || !P.isSet(Template)) {
        Console.Message(QString(), 0, QStringLiteral("update: give --template and language files (see glotta update --help)"));
        return ToolBadInput;
    }
    if (!LanguageFilesOf(P.positionalArguments(), Files, Bad)) {
        Console.Message(Bad, 0, QStringLiteral("no such file or folder"));
        return ToolBadInput;
    }
    if (P.isSet(Output) && Files.size() != 1) {
        Console.Message(QString(), 0, QStringLiteral("update: --output takes one language file"));
        return ToolBadInput;
    }
    TToolTemplate T;
    if (!LoadToolTemplate(P.values(Template), {P.value(DesignName), P.value(DesignCode)}, T, Console))
        return ToolBadInput;
    QSet<QString> InTemplate;
    for (const TCatalogEntry &E : T.Template.Entries)
        InTemplate.insert(CatalogEntryId(E));
    for (int i = 0; i < Files.size(); ++i) {
        Console.Progress(i + 1, Files.size(), Files.at(i));
        if (!UpdateFile(Files.at(i), P.isSet(Output) ? P.value(Output) : Files.at(i), InTemplate, Console))
            Exit = ToolBadInput;
    }
    Console.ProgressDone();
    return Exit;
}
