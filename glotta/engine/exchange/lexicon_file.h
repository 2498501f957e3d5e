#pragma once
// The lexicon file: a language's texts keyed by their designed text rather
// than by component, so that they carry over to another build whose
// components differ. The writer lays out the reference (design) language,
// the language's header, the library's own items and the designed-text
// pairs; the reader walks a lexicon file or a language file (they share the
// line grammar) part by part for the import, which decides what to take.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/lang_types.h"
#include "glotta/store/struct_lines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class TNamedItems;

inline constexpr QLatin1String LexiconFileSignature("[Glotta LeXicon File]");
// The only format version an import accepts.
inline constexpr QLatin1String ExchangeFileVersion("THLF1");

struct GLOTTA_ENGINE_EXPORT TLexiconFileContent
{
    // The design language; its code is written when not empty.
    TLangIDs Reference;
    // The exported language; its code is written when valid.
    TLangIDs Language;
    // The library's own items (number, text); with WithLibrary the "%GLOTTA"
    // block is written, items with an empty text left out.
    bool WithLibrary = false;
    std::vector<std::pair<int, QString>> LibraryItems;
    // Designed text -> translation, both in one-line form.
    const TNamedItems *Pairs = nullptr;
    // The flag picture; its section is written when not empty.
    QByteArray Flag;
};

GLOTTA_ENGINE_EXPORT QStringList FormatLexiconFile(const TLexiconFileContent &Content);

// One identity line before the sections: a reference ("%REF_LANG=") or the
// language header ("%LANGUAGE_NAME=").
struct GLOTTA_ENGINE_EXPORT TExchangeHead
{
    bool IsReference = false;
    QString Name;
    // Normalised; empty when missing or invalid.
    QString Code;
    QString FileVersion;
};

// One usable line of the lexicon section.
struct GLOTTA_ENGINE_EXPORT TLexiconEntry
{
    enum TKind { Library, Name, Item };
    TKind Kind = Item;
    // Name: the lexicon's name (possibly empty). Item: its text.
    QString Text;
    int Number = 0;
};

class GLOTTA_ENGINE_EXPORT TLexiconFileReader
{
public:
    void SetText(const QString &Text);
    int LineCount() const { return fLines.Count(); }
    const TLanguageFileLines &Lines() const { return fLines; }

    // The identity lines from line 0 on: every reference line up to the
    // first header line, then that header (last, IsReference false). A
    // result without a header has no header; HeaderIsLast tells whether the
    // header is the last line of the file. The sections start after it.
    std::vector<TExchangeHead> ReadHeads();
    bool HeaderIsLast() const { return fPos >= fLines.Count(); }
    // Component lines up to "%LEXICON_STRINGS" that carry a translation.
    void ReadComponents(const std::function<void(const TFullStructLine &)> &OnLine);
    // Lexicon name lines ("%GLOTTA" first) and items up to "%SMART_STRINGS".
    void ReadLexicons(const std::function<void(const TLexiconEntry &)> &OnEntry);
    // Name lines (possibly empty names) and pairs up to "%FLAG_ICON".
    void ReadSmart(const std::function<void(const QString &)> &OnName,
                   const std::function<void(const QString &, const QString &)> &OnPair);
    // The bytes of the flag section; nothing when the file has none.
    std::optional<QByteArray> ReadFlag();

private:
    TLanguageFileLines fLines;
    int fPos = 0;
};
