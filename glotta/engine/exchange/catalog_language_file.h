#pragma once
// Between the translation catalog and a language file: a language file read
// whole into its own stores (no engine, no superior chain), written back
// exactly as the engine writes it, turned into a catalog, and a catalog read
// from a translator's file merged into it with a report of what changed.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/exchange/translation_catalog.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/smart_lexicon_data.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// One language file as its stores hold it.
struct TLanguageStores
{
    QString Signature = QStringLiteral("LANGUAGE_FILE");
    TLanguageFileHeader Header;
    TLFEncoding Encoding = TLFEncoding::Unicode;
    // The lexicon written with "%GLOTTA" (the library's own texts).
    QString LibraryPath;
    TComponentStructure Struct;
    TLexiconData Lexicons;
    TSmartLexiconData Smart;
};

// Reads every section of the first header's language; false with Error when
// the bytes are no language file.
GLOTTA_ENGINE_EXPORT bool ReadLanguageStores(const QByteArray &Bytes, TLanguageStores &Stores, QString &Error);
// The file the engine would write for the stores, in their encoding.
GLOTTA_ENGINE_EXPORT QByteArray WriteLanguageStores(const TLanguageStores &Stores);

// What an import did, entry by entry; entries are named by their identity
// (CatalogKey) and, for pairs known by their text, the designed text.
struct TCatalogImportReport
{
    struct TRefusedEntry
    {
        QString Entry;
        QString Reason;
    };
    // The whole file was refused: nothing was changed.
    bool Refused = false;
    QString Reason;
    QStringList Added;
    QStringList Changed;
    QStringList Unchanged;
    std::vector<TRefusedEntry> RefusedEntries;
    // The language file was written (it changed or is new).
    bool Written = false;
};

// The catalog a language's stores make (see CatalogFromLanguageFile).
GLOTTA_ENGINE_EXPORT void CatalogFromStores(const TLanguageStores &Stores, const TCatalogTemplate *Template,
                       const std::vector<const TLanguageStores *> &Superiors, TTranslationCatalog &Catalog);

// Merges Catalog into Stores: translations and statuses the catalog gives,
// never a fuzzy translation, an untranslated entry or an inherited text left
// as it was; an excluded line stays excluded whatever text it carries. With
// Template, an entry whose designed text differs from the template's is
// refused. Fills the entry lists of Report.
void MergeCatalog(const TTranslationCatalog &Catalog, const TCatalogTemplate *Template, TLanguageStores &Stores,
                  TCatalogImportReport &Report);

// The stores of a new language made from a catalog alone.
void StoresFromCatalogHeader(const TTranslationCatalog &Catalog, TLanguageStores &Stores);
