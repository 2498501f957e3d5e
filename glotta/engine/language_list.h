#pragma once
// The language list of an engine: the languages it offers (names, files or
// resources, ISO codes, flag pictures, which ones the editor may open), the
// menu list built from them, and discovery, which fills the list from the
// design language, the program's language resources and the files of the
// language directory. The engine says where to look (TLanguageSources); the
// list knows nothing of the engine.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/lang_types.h"
#include "toolkit/core/string_list.h"

#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// The built-in pictures an engine draws (GetInternalFlag's kinds).
enum TInternalFlag { ifCreateEntry = 0, ifEditEntry = 1, ifDesignLanguage = 2, ifEmptyFlag = 3 };

// The flag images of the languages, parallel to the language list and then
// to the command entries of the menu list.
class GLOTTA_ENGINE_EXPORT TFlagsList
{
public:
    TFlagsList() = default;
    TFlagsList(const TFlagsList &) = delete;
    TFlagsList &operator=(const TFlagsList &) = delete;

    int Count() const { return int(fFlags.size()); }
    void ClearFlags() { fFlags.clear(); }
    // Appends a new empty stream (open for reading and writing).
    QBuffer *NewFlag();
    // The stream at Index, positioned at its start; an index at or beyond
    // Count first appends empty streams up to it. Nil for a negative index.
    QBuffer *GetFlagStream(int Index);
    // Index is within the list and its stream holds more than 10 bytes.
    bool Present(int FlagIndex) const;

private:
    std::vector<std::unique_ptr<QBuffer>> fFlags;
};

// Where and how an engine finds its languages.
struct GLOTTA_ENGINE_EXPORT TLanguageSources
{
    // The design language, always entry 0.
    QString DesignName;
    QString DesignCode;
    // Names of the program's language resources; one that cannot be read is
    // removed from the list during a rescan.
    QStringList *Resources = nullptr;
    bool ResourcesEditable = false;
    // The language directory with a trailing separator; empty: none.
    QString Dir;
    // The file extension with its dot, compared ignoring letter case.
    QString Extension;
    // The first line of a language file: "[" + signature + "]".
    QString SignatureLine;
    // Opens a language resource by name; false when absent.
    std::function<bool(const QString &Name, QByteArray &Bytes)> ReadResource;
    // Writes a built-in picture into Stream.
    std::function<void(QBuffer &Stream, TInternalFlag Kind)> InternalFlag;
};

// A command entry of the menu list: its text and the picture drawn for it.
struct GLOTTA_ENGINE_EXPORT TMenuCommand
{
    QString Text;
    TInternalFlag Picture;
};

class QFileInfo;

class GLOTTA_ENGINE_EXPORT TLanguageList
{
public:
    TLanguageList() = default;
    TLanguageList(const TLanguageList &) = delete;
    TLanguageList &operator=(const TLanguageList &) = delete;
    virtual ~TLanguageList() = default;

    // The language list; entry 0 is always the design language. Lookups
    // ignore letter case.
    TStringList Languages;
    // Entry 0 the design language's name, then a file's full path or a resource's name.
    TStringList FileNames;
    TStringList LangCodes;
    TFlagsList Flags;
    TStringList EditableLangs;
    // Languages, then the command entries.
    TStringList LangMenu;

    // Lookups by ISO code (a non-empty request) and then by name; empty /
    // false / nil for an unknown language or an index outside the list.
    int IndexOfLanguage(const QString &ISOorLangName) const;
    QString GetFile(const QString &ISOorLangName) const;
    QString GetFile(int LanguageIndex) const;
    // By name only / by index.
    QString GetCode(const QString &LanguageName) const;
    QString GetCode(int LanguageIndex) const;
    bool Exists(const QString &ISOorLangName) const;
    QBuffer *Flag(const QString &ISOorLangName);
    QBuffer *Flag(int LanguageIndex);

    // Lists the design language, the resources and the directory's files
    // anew. Virtual so that a holder can watch how often discovery runs.
    virtual void Rescan(const TLanguageSources &Sources);
    // Adds a discovered language (its header and flag picture); the first
    // of two languages of one name wins, except that a file may take the
    // place of a resource language when resources are editable.
    void AddLanguage(const QString &FileOrResource, const TLangIDs &Header, const QByteArray &FlagPicture,
                     bool Editable, const TLanguageSources &Sources);
    // LangMenu := Languages followed by Commands; a command without a flag
    // stream yet gets its built-in picture.
    void RebuildMenu(const QList<TMenuCommand> &Commands, const TLanguageSources &Sources);

    // Dir + Base + Extension (unless Base already ends with it) that names
    // no existing file: Base2, Base3, ... before the extension.
    static QString UniqueFileName(const QString &Dir, const QString &Base, const QString &Extension);
    // Writes resource language Index unchanged to a new file of the language
    // directory, which then becomes its file; false when Index is no
    // resource language or the file cannot be written.
    bool ExtractResource(int Index, const TLanguageSources &Sources);

private:
    // Orders names by the same collation Languages compares them with, so
    // two names are one key exactly when Languages.IndexOf finds one by the
    // other.
    struct TCollatedLess
    {
        bool CaseSensitive = false;
        bool operator()(const QString &A, const QString &B) const;
    };
    // The first index of each name of Languages, so that discovery looks a
    // name up in logarithmic rather than linear time. It describes the list
    // as it was when fIndexedCount entries were indexed; a list changed by
    // other means is indexed anew.
    int FirstIndexOf(const QString &Name);

    // What the last scan read of each file of the directory, by full path.
    struct TScannedFile
    {
        qint64 Size;
        QDateTime Modified;
        QString Sign;
        TLangIDs IDs;
        QByteArray Flag;
    };
    const TScannedFile &ScanFile(const QFileInfo &Entry, const QString &Sign, QHash<QString, TScannedFile> &Scanned);
    QHash<QString, TScannedFile> fScanned;
    std::map<QString, int, TCollatedLess> fNameIndex;
    int fIndexedCount = -1;
};
