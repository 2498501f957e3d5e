#pragma once
// The language file: its line grammar (lines, number and value fields, one
// component line read and written), the reader that fills the three stores
// section by section, the writer that lays the stores out as lines, and the
// file bytes in the four encodings. The engine decides which file to read,
// loads the superior chain between the header and the sections and keeps
// the current language; the format itself lives here.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/language_header.h"
#include "glotta/store/lang_types.h"
#include "glotta/store/struct_lines.h"
#include "glotta/engine/language_file_lines.h"

#include <QByteArray>
#include <QFile>
#include <QFileDevice>
#include <QFlags>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TComponentStructure;
class TLexiconData;
class TSmartLexiconData;

// How a full load treats the file it reads.
enum class TLoadFlag {
    // Every component line is added as read, without merging with inherited
    // lines; the editor completes its source data after the superior chain.
    ForEditing = 1,
    // A component line no registered client owns is marked obsolete.
    MarkOrphans = 2,
    // The flag section goes into the process-wide flag buffer.
    ReadFlag = 4,
    // The language becomes the store's superior language, not the current one.
    AsSuperior = 8,
};
Q_DECLARE_FLAGS(TLoadFlags, TLoadFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TLoadFlags)

// The editor's load of the language it edits: lines as read, orphans marked,
// the flag shown.
constexpr TLoadFlags LoadToEdit = TLoadFlag::ForEditing | TLoadFlag::MarkOrphans | TLoadFlag::ReadFlag;

// A plausibility cap, not a budget: a file above it is refused unread (not
// listed, not loaded) as something no language is. Real languages are a few
// hundred kilobytes; a million messages of 100 characters, with their fields,
// are about 300 MB in UTF-16, so 512 MiB leaves room for such a language with
// long texts while a stray disk image or log named ".lng" is still refused.
// A load reads the file piece by piece, never holding it whole.
constexpr qint64 MaxLanguageFileSize = qint64(512) * 1024 * 1024;

// One component line: number field Number, value Value. False (skip the
// line) for a negative or too large property-type ID or a line without
// "%COMPONENT=". Descent 0; changeable 1, or 0 with "%NOTRANS", plus 2 with "%OLD".
GLOTTA_ENGINE_EXPORT bool ParseItemLine(int Number, QStringView Value, TFullStructLine &Line);
// The component line as written: ID, TAB, quoted text or "%NOTRANS",
// "%COMPONENT=", "%OWNER=", "%ITEM=" (when not empty), "%OLD" (changeable bit 1).
GLOTTA_ENGINE_EXPORT QString FormatStructLine(const TFullStructLine &Line);

// The identity of a language as its file's header line carries it, and the
// flag picture of the file.
struct GLOTTA_ENGINE_EXPORT TLanguageFileHeader
{
    QString Name;
    // Read: "%CODE=" normalised, empty when invalid. Written only when valid
    // after normalising.
    QString Code;
    // "%SUPERIOR_LANGUAGE="; written when not empty.
    QString Superior;
    // The bytes of the flag section; written when not empty.
    QByteArray Flag;
};

// The full read of one language file, one step per section, in file order:
// signature, header, components, lexicons, smart lexicons, flag. Each step
// goes on from the line where the step before it stopped.
class GLOTTA_ENGINE_EXPORT TLanguageFileReader
{
public:
    // Whether a registered client owns a component line.
    using TLineOwned = std::function<bool(const TFullStructLine &)>;

    // Decodes language-file bytes (byte-order mark, else the ANSI code page).
    void SetBytes(const QByteArray &Bytes);
    void SetText(const QString &Text);
    // Reads the file from Device as the steps go on, holding only the piece
    // being read; at most MaxLanguageFileSize bytes.
    void SetDevice(std::unique_ptr<QIODevice> Device);
    bool IsEmpty() { return !fLines.Has(0); }
    // The device failed or held more than allowed: the steps saw only the
    // lines before that point.
    bool Failed() const { return fLines.Failed(); }

    // The first line, trimmed of control characters and spaces, is
    // "[" + Signature + "]" (letter case counts).
    bool ReadSignature(const QString &Signature);
    // The first line holding "%LANGUAGE_NAME=" whose quoted name is LangName
    // (letter case counts); the sections after it are read by the next steps.
    // Without such a line the last line holding "%LANGUAGE_NAME=" is the
    // header and no section is read. Nothing when no line holds one.
    std::optional<TLanguageFileHeader> ReadHeader(const QString &LangName);
    // Component lines up to "%LEXICON_STRINGS", descent 0. Lines that
    // Struct already holds (inherited from a superior language) are
    // overwritten, a "%NOTRANS" line keeping the inherited text; new lines
    // are added together at the end. ForEditing: every line added as read.
    // With IsOwned, a line it does not own is marked obsolete.
    void ReadComponents(TComponentStructure &Struct, bool ForEditing, const TLineOwned &IsOwned);
    // Lexicon name lines and items up to "%SMART_STRINGS"; the name line
    // marked "%GLOTTA" selects LibraryPath. False for an empty lexicon name.
    bool ReadLexicons(TLexiconData &Lexicons, const QString &LibraryPath);
    // Pairs of designed and translated text up to "%FLAG_ICON", for the
    // global lexicon until a name line selects a smart lexicon. False for an
    // empty lexicon name.
    bool ReadSmartLexicons(TSmartLexiconData &Smart);
    // The flag section into Header.Flag; false when the file has none.
    bool ReadFlag(TLanguageFileHeader &Header);

private:
    TLanguageFileLines fLines;
    int fPos = 0; // the line the next step starts from (or its marker line)
};

// The lines of a language file: the signature "[" + Signature + "]", the
// header, a line per line of Struct in its order, the lexicons that hold
// items (LibraryPath's name line marked "%GLOTTA"), the global and the named
// smart lexicons, and the flag block when Header.Flag is not empty.
GLOTTA_ENGINE_EXPORT QStringList FormatLanguageFile(const QString &Signature, const TLanguageFileHeader &Header,
                               const TComponentStructure &Struct, const TLexiconData &Lexicons,
                               const TSmartLexiconData &Smart, const QString &LibraryPath);

// Every line followed by CR LF, in the encoding, with its byte-order mark
// (none for ANSI, the legacy code page of the user's language).
GLOTTA_ENGINE_EXPORT QByteArray EncodeLanguageFile(const QStringList &Lines, TLFEncoding Encoding);

// Opens FileName for reading into File (a closed QFile) when it is
// a regular file of at most MaxLanguageFileSize bytes; false otherwise.
GLOTTA_ENGINE_EXPORT bool OpenLanguageFile(const QString &FileName, QFile &File);
// Reads a whole file of at most MaxLanguageFileSize bytes; false when it
// cannot be opened or read or is larger.
GLOTTA_ENGINE_EXPORT bool ReadLanguageFileBytes(const QString &FileName, QByteArray &Bytes);
// Writes the whole file to a temporary file and renames it over FileName,
// so a crash or a full disk never leaves a truncated language file. False
// with the file error and its text when it fails.
GLOTTA_ENGINE_EXPORT bool WriteLanguageFileBytes(const QString &FileName, const QByteArray &Bytes, QFileDevice::FileError &Error,
                            QString &ErrorText);
