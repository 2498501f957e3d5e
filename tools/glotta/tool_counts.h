#pragma once
// What a language file holds against a template, line by line, and its
// superior chain: shared by stats (which counts) and check (which judges).

#include "tools/glotta/tool_files.h"
#include "tools/glotta/tool_template.h"

#include <memory>
#include <optional>
#include <vector>

// One language file with the stores of its superior chain and its catalog
// against the template (CatalogFromStores).
struct TToolLanguageState
{
    TToolLanguage Language;
    QStringList Chain; // superior names, nearest first
    std::vector<std::unique_ptr<TToolLanguage>> Superiors;
    TTranslationCatalog Catalog;
};

// False after a message naming the file (or a superior's file).
bool LoadLanguageState(const QString &File, const QList<TToolHeader> &Known, const TToolTemplate *Template,
                       TToolLanguageState &State, TToolConsole &Console);

struct TToolCounts
{
    int Own = 0;       // the language's own, non-empty translation
    int Excluded = 0;  // kept out of translation ("%NOTRANS"), here or by a superior
    int Obsolete = 0;  // marked "%OLD", or (with a template) a line the template lacks
    // Against a template only:
    std::optional<int> Inherited; // a superior language's text stands in
    std::optional<int> Global;    // the language's global lexicon translates the designed text
    std::optional<int> Missing;   // nothing, or an empty own line: the designed text shows
    std::optional<double> Complete; // (own + global + excluded) / template lines, in percent
};

TToolCounts CountLines(const TToolLanguageState &State, const TToolTemplate *Template);

// Reads the template given by the --template files; false after a message.
bool LoadToolTemplate(const QStringList &Files, const TExtractOptions &Options, TToolTemplate &T,
                      TToolConsole &Console);
