#pragma once
// Languages the engine has parsed before, kept so that switching back to one
// costs neither reading nor parsing its files again. An entry is the whole
// store a switch leaves behind (component lines, lexicons, smart lexicons and
// the superior language) together with a stamp of every file or resource of
// its superior chain; it is used again only while every stamp still matches.
//
// At most MaxLanguages entries are kept, the least recently used going first:
// a language of 50,000 texts takes about 10 MB as a store.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/lang_types.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/smart_lexicon_data.h"

#include <QList>
#include <QString>
#include <list>
#include <memory>

// One file or resource a language was read from, as it was then.
struct GLOTTA_ENGINE_EXPORT TSourceStamp
{
    QString Name;      // a file's full path or a resource's name
    bool IsFile = false;
    qint64 Size = -1;
    qint64 Modified = 0; // milliseconds since the epoch; files only

    // The stamp of a file as it is now (Size -1 when it cannot be read).
    static TSourceStamp OfFile(const QString &Path);
    // A resource of the program never changes while it runs: its name and size.
    static TSourceStamp OfResource(const QString &Name, qint64 Size);
    // The source is still as stamped.
    bool Unchanged() const;
    bool operator==(const TSourceStamp &Other) const = default;
};

// What a switch to a language leaves in the store.
struct GLOTTA_ENGINE_EXPORT TParsedLanguage
{
    QString Language;
    QString Code;
    TLangIDs Superior;
    // The language's own file first, then its superior chain.
    QList<TSourceStamp> Sources;
    std::unique_ptr<TComponentStructure> Struct;
    std::unique_ptr<TLexiconData> Lexicons;
    std::unique_ptr<TSmartLexiconData> Smart;
};

class GLOTTA_ENGINE_EXPORT TParsedLanguages
{
public:
    static constexpr int MaxLanguages = 4;

    // Keeps Parsed, replacing an entry of the same language.
    void Keep(TParsedLanguage &&Parsed);
    // Takes the entry of Language out when all its sources are unchanged;
    // a stale entry is dropped. False when there is none to use.
    bool Take(const QString &Language, TParsedLanguage &Parsed);
    // Drops every entry read from FileName (the engine has just written it).
    void Forget(const QString &FileName);
    void Clear() { fEntries.clear(); }
    int Count() const { return int(fEntries.size()); }

private:
    std::list<TParsedLanguage> fEntries; // most recently kept first
};
