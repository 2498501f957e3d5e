#pragma once
// The one model the translator-tool formats (gettext PO, XLIFF, Qt Linguist
// TS) are written from and read into: a language's texts as entries with an
// identity, a designed text, a translation and a status, plus what a
// language file needs besides (name, code, superior, flag, encoding), so that
// a language file survives a trip through any of the formats unchanged.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/lang_types.h"
#include "glotta/store/struct_lines.h"

#include <QByteArray>
#include <QString>
#include <vector>

enum class TCatalogKind {
    Component,   // a component line of the language file
    LexiconItem, // an item of an indexed lexicon
    SmartPair,   // a pair of a named smart lexicon (resource strings) or of the global lexicon
};

enum class TCatalogStatus {
    Translated,   // the language's own translation
    Empty,        // the language's own line, translated as an empty text
    Untranslated, // the language has nothing for it
    Inherited,    // the language has nothing; its superior's text stands in (Inherited)
    Excluded,     // the line is kept out of translation ("%NOTRANS")
};

struct TCatalogEntry
{
    TCatalogKind Kind = TCatalogKind::Component;
    // Component: the line's identity (CompName, OwnerName, PropertyID,
    // ItemAddr); its Translation and Changeable are not used here.
    TFullStructLine Line;
    // LexiconItem: the lexicon's path and the item number; Library marks the
    // library's own lexicon. SmartPair: the smart lexicon's name, empty for
    // the global lexicon.
    QString Lexicon;
    int Number = 0;
    bool Library = false;
    // Texts in the store's one-line form (control characters as codes). An
    // empty Source: the designed text is not known (no template holds it).
    QString Source;
    QString Translation;
    TCatalogStatus Status = TCatalogStatus::Translated;
    // The line belongs to no live component ("%OLD").
    bool Obsolete = false;
    // The superior language's text, for Status Inherited.
    QString Inherited;
    // The translator's comment, where the format has one (a language file has none).
    QString Comment;
    // A translator's tool marked the translation as needing review: it is
    // never taken as a translation.
    bool Fuzzy = false;
};

// The identity of an entry as the formats carry it (msgctxt, resname, TS
// comment): a component line's ID ("konecb@Form1#0["), "lexicon:" or
// "library:" + path + "#" + number, "smart:" + name; empty for the global
// lexicon, whose pairs are known by their designed text alone.
GLOTTA_ENGINE_EXPORT QString CatalogKey(const TCatalogEntry &Entry);
// Fills the identity fields of Entry from Key; false for a key of no known shape.
bool ParseCatalogKey(const QString &Key, TCatalogEntry &Entry);
// Key and, for smart pairs, the designed text: unique within a catalog.
GLOTTA_ENGINE_EXPORT QString CatalogEntryId(const TCatalogEntry &Entry);
// The group a TS context or an XLIFF group shows: the owner form of a
// component line (the form itself for its own lines), the lexicon's path or name.
QString CatalogGroup(const TCatalogEntry &Entry);

// The text a translator's tool shows: the codes of line breaks (CR LF) and
// TABs become the characters; every other code stays as written, so the way
// back is exact.
QString ToToolText(const QString &OneLine);
// Back to the one-line form: LF is CR LF ("'#13''#10'"), TAB "'#9'", other
// control characters their codes.
QString FromToolText(const QString &ToolText);

struct TTranslationCatalog
{
    // The language; an empty name makes the catalog a template (POT).
    TLangIDs Language;
    QString Superior;
    // The design language the sources are written in.
    TLangIDs Design;
    // The language file's first line without its brackets.
    QString Signature = QStringLiteral("LANGUAGE_FILE");
    TLFEncoding Encoding = TLFEncoding::Unicode;
    QByteArray Flag;
    std::vector<TCatalogEntry> Entries;

    bool IsTemplate() const { return Language.Name.isEmpty(); }
};

// The status words the formats write into a comment the program owns
// ("glotta: excluded"), and back. Unknown words read as Translated.
QString CatalogStatusWord(TCatalogStatus Status);
TCatalogStatus CatalogStatusOfWord(const QString &Word);

// What the program knows of its texts without any language: the designed
// text of every line, lexicon item and resource string, in the design
// language.
struct TCatalogTemplate
{
    TLangIDs Design;
    std::vector<TCatalogEntry> Entries;
};

// The catalog of one language file's bytes: its lines, items and pairs in
// file order (status Translated, Empty or Excluded, Obsolete from "%OLD"),
// then every entry of Template the file lacks: Inherited with the text of the
// nearest of SuperiorFiles (bytes of language files, nearest first) that has
// one, else Untranslated. Sources come from Template. False with Error for
// bytes that are no language file.
bool CatalogFromLanguageFile(const QByteArray &Bytes, const TCatalogTemplate *Template,
                             const std::vector<QByteArray> &SuperiorFiles, TTranslationCatalog &Catalog,
                             QString &Error);
