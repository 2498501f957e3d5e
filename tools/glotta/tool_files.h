#pragma once
// The files the subcommands read and write: language files read whole into
// the engine's stores, with the file line of every entry so that a message
// can name it; the language files of folders; headers alone for superior
// chains; atomic writes.

#include "glotta/engine/exchange/catalog_language_file.h"
#include "glotta/engine/exchange/translation_catalog.h"

#include <QHash>
#include <QString>
#include <QStringList>

struct TToolLanguage
{
    QString File;
    TLanguageStores Stores;
    // CatalogEntryId of a component line, lexicon item or smart pair -> its
    // line in the file (1 = the signature line).
    QHash<QString, int> LineOf;
    int HeaderLine = 0;

    int LineOfEntry(const TCatalogEntry &Entry) const;
};

// Reads File into a fresh Language. False with Error (and the line it
// concerns, 0 for the whole file) when the file cannot be read or is no
// language file.
bool ReadToolLanguage(const QString &File, TToolLanguage &Language, QString &Error, int &ErrorLine);

// Name and superior of a language file from its header, reading no further
// than the header line. False when the file is no language file.
struct TToolHeader
{
    QString File;
    QString Name;
    QString Code;
    QString Superior;
};
bool ReadToolHeader(const QString &File, TToolHeader &Header);

// Files as given, folders as their "*.lng" files in name order. False with
// Bad naming a path that is neither.
bool LanguageFilesOf(const QStringList &Paths, QStringList &Files, QString &Bad);

// The superior chain of Header among Known, nearest first, by name (letter
// case ignored, as the engine's language list does), stopping at a language
// met before and at one Known lacks (the design language, or a language the
// folder does not hold, which ends the chain by name).
QStringList SuperiorChain(const TToolHeader &Header, const QList<TToolHeader> &Known);
const TToolHeader *FindHeader(const QString &Name, const QList<TToolHeader> &Known);

// Writes through QSaveFile: the old file stays whole until the new one is.
bool SaveFileAtomically(const QString &File, const QByteArray &Bytes, QString &Error);

// A text of the store's one-line form as a program shows it.
QString Decoded(const QString &OneLine);
