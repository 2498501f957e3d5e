#pragma once
// A language file exported to, and imported from, the files translators'
// tools work in: gettext PO and POT, XLIFF 1.2, Qt Linguist TS. One entry
// point per direction over the catalog model; the formats themselves live
// in po_file, xliff_file and ts_file.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/exchange/catalog_language_file.h"
#include "glotta/engine/exchange/translation_catalog.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

enum class TExchangeFormat {
    Po,    // gettext PO
    Pot,   // gettext PO template: designed texts only
    Xliff, // XLIFF 1.2
    Ts,    // Qt Linguist TS
};

// By extension: .po, .pot, .xlf or .xliff, .ts (letter case ignored).
GLOTTA_ENGINE_EXPORT std::optional<TExchangeFormat> ExchangeFormatOfFile(const QString &FileName);
// PO needs libgettextpo, which a build may lack (the Windows build).
bool ExchangeFormatAvailable(TExchangeFormat Format);

// The catalog as a file of Format, and back. Reading a POT gives a template
// catalog (no language).
GLOTTA_ENGINE_EXPORT bool WriteCatalog(const TTranslationCatalog &Catalog, TExchangeFormat Format, QByteArray &Bytes, QString &Error);
bool ReadCatalog(const QByteArray &Bytes, TExchangeFormat Format, TTranslationCatalog &Catalog, QString &Error);

struct TExchangeOptions
{
    // The program's designed texts: the sources of the export and the entries
    // the language lacks; on import, what an entry's designed text must match.
    const TCatalogTemplate *Template = nullptr;
    // Language files of the superior chain, nearest first: their texts are
    // exported as the inherited texts of entries the language lacks.
    QStringList SuperiorFiles;
};

// Writes LanguageFile as OutFile in Format (a temporary file renamed over
// OutFile). False with Error when a file cannot be read or written.
bool ExportLanguageFile(const QString &LanguageFile, const QString &OutFile, TExchangeFormat Format,
                        const TExchangeOptions &Options, QString &Error);

// Merges InFile into LanguageFile, or makes LanguageFile from it when it does
// not exist, and reports what it did. The whole file is refused, and no file
// changed, when it cannot be read, is broken, is a template, is for another
// language (code, else name) or another design language, names an entry
// twice, or none of its entries belongs to the template given.
TCatalogImportReport ImportIntoLanguageFile(const QString &InFile, TExchangeFormat Format,
                                            const QString &LanguageFile, const TExchangeOptions &Options);

// The same on bytes: Target holds the language's bytes (empty: a new
// language) and receives the merged file when the report says Written.
TCatalogImportReport ImportCatalogBytes(const QByteArray &Bytes, TExchangeFormat Format, QByteArray &Target,
                                        const TCatalogTemplate *Template);
