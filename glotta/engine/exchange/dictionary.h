#pragma once
// The dictionary: a plain text of "designed text=translation" lines meant to
// be edited by hand, with a few option lines at its top ("$translation",
// "$original", "$overwrite_existing"). The writer lays it out; the reader
// splits it into its options and entries, and the import decides what to take.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/lang_types.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class TLanguageFileLines;
class TNamedItems;

// Cuts a value at its first "//" (a comment) and trims it.
GLOTTA_ENGINE_EXPORT QString StripComment(const QString &Value);
// "true", "1", "yes", "enable", "allow" or "permit", trimmed and in any letter case.
GLOTTA_ENGINE_EXPORT bool OptionIsTrue(const QString &Value);
// An option's language: "cs - Czech" gives the normalised code and the name
// after " - "; a value without " - " is the name and, normalised, also the
// code (empty when invalid), so a name with a hyphen of its own stays whole.
GLOTTA_ENGINE_EXPORT TLangIDs DictionaryLanguage(const QString &Value);

struct GLOTTA_ENGINE_EXPORT TDictionaryOption
{
    enum TKind { Overwrite, Original, Translation };
    TKind Kind;
    // Comment cut off, trimmed.
    QString Value;
};

struct GLOTTA_ENGINE_EXPORT TDictionaryEntry
{
    QString Designed;
    QString Translated;
};

// The options among the lines 3, 2, 1 and 0 (as far as they exist), in that order.
GLOTTA_ENGINE_EXPORT std::vector<TDictionaryOption> DictionaryOptions(const TLanguageFileLines &Lines);
// Every line whose text before its first "=" is not empty: that text and
// the text after the "=". A line without "=" is no entry.
GLOTTA_ENGINE_EXPORT std::vector<TDictionaryEntry> DictionaryEntries(const TLanguageFileLines &Lines);

struct GLOTTA_ENGINE_EXPORT TDictionaryContent
{
    TLangIDs Language;
    TLangIDs Reference;
    // The library's own items (designed text, translation), written before
    // the entries and closed by a short separator; nothing when empty.
    std::vector<TDictionaryEntry> LibraryItems;
    // Designed text -> translation, in one-line form.
    const TNamedItems *Entries = nullptr;
};

GLOTTA_ENGINE_EXPORT QStringList FormatDictionary(const TDictionaryContent &Content);
