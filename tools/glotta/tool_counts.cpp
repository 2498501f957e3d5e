#include "tools/glotta/tool_counts.h"

#include <QSet>

#include "glotta/store/component_structure.h"

bool LoadToolTemplate(const QStringList &Files, const TExtractOptions &Options, TToolTemplate &T,
                      TToolConsole &Console)
{
    for (const QString &F : Files)
        if (!AddToTemplate(F, Options, T, Console))
            return false;
    return true;
}

bool LoadLanguageState(const QString &File, const QList<TToolHeader> &Known, const TToolTemplate *Template,
                       TToolLanguageState &State, TToolConsole &Console)
{
    QString Error;
    int Line = 0;
    if (!ReadToolLanguage(File, State.Language, Error, Line)) {
        Console.Message(File, Line, Error);
        return false;
    }
    TToolHeader Own{File, State.Language.Stores.Header.Name, State.Language.Stores.Header.Code,
                    State.Language.Stores.Header.Superior};
    State.Chain = SuperiorChain(Own, Known);
    std::vector<const TLanguageStores *> Superiors;
    for (const QString &Name : std::as_const(State.Chain)) {
        const TToolHeader *H = FindHeader(Name, Known);
        if (!H)
            break;
        auto S = std::make_unique<TToolLanguage>();
        if (!ReadToolLanguage(H->File, *S, Error, Line)) {
            Console.Message(H->File, Line, Error);
            return false;
        }
        Superiors.push_back(&S->Stores);
        State.Superiors.push_back(std::move(S));
    }
    CatalogFromStores(State.Language.Stores, Template ? &Template->Template : nullptr, Superiors, State.Catalog);
    return true;
}

namespace {
// A superior language excludes the line: the language inherits the exclusion.
bool ExcludedAbove(const TToolLanguageState &State, const TCatalogEntry &E)
{
    if (E.Kind != TCatalogKind::Component)
        return false;
    const QString Id = TComponentStructure::MakeLineID(E.Line);
    for (const auto &S : State.Superiors) {
        const int i = const_cast<TComponentStructure &>(S->Stores.Struct).Find(Id);
        if (i >= 0)
            return !(S->Stores.Struct.GetChangeable(i) & 1);
    }
    return false;
}

// The global lexicon of the language, or of a superior, translates the designed text.
bool InGlobalLexicon(const TToolLanguageState &State, const TCatalogEntry &E)
{
    if (E.Source.isEmpty())
        return false;
    if (!State.Language.Stores.Smart.ReadItem(E.Source).isEmpty())
        return true;
    for (const auto &S : State.Superiors)
        if (!S->Stores.Smart.ReadItem(E.Source).isEmpty())
            return true;
    return false;
}
} // namespace

TToolCounts CountLines(const TToolLanguageState &State, const TToolTemplate *Template)
{
    TToolCounts C;
    QSet<QString> InTemplate;
    if (Template) {
        for (const TCatalogEntry &E : Template->Template.Entries)
            InTemplate.insert(CatalogEntryId(E));
        C.Inherited = 0;
        C.Global = 0;
        C.Missing = 0;
    }
    for (const TCatalogEntry &E : State.Catalog.Entries) {
        if (E.Kind == TCatalogKind::SmartPair && E.Lexicon.isEmpty())
            continue; // the global lexicon's pairs are no lines; they count where they translate one
        if (E.Obsolete || (Template && !InTemplate.contains(CatalogEntryId(E)))) {
            ++C.Obsolete;
            continue;
        }
        switch (E.Status) {
        case TCatalogStatus::Translated: ++C.Own; break;
        case TCatalogStatus::Excluded: ++C.Excluded; break;
        case TCatalogStatus::Inherited:
            if (C.Inherited)
                ++*C.Inherited;
            break;
        case TCatalogStatus::Empty: // an own line left empty shows the designed text
            if (C.Missing)
                ++*C.Missing;
            break;
        case TCatalogStatus::Untranslated:
            if (!C.Missing)
                break;
            if (ExcludedAbove(State, E))
                ++C.Excluded;
            else if (InGlobalLexicon(State, E))
                ++*C.Global;
            else
                ++*C.Missing;
            break;
        }
    }
    if (Template) {
        const int Total = C.Own + C.Excluded + *C.Inherited + *C.Global + *C.Missing;
        C.Complete = Total == 0 ? 100.0 : 100.0 * (C.Own + C.Excluded + *C.Global) / Total;
    }
    return C;
}
