#pragma once
// Read-only view of one registry file of a Wine prefix ("WINE REGISTRY
// Version 2", e.g. system.reg): which keys exist and the values of a key.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The word size a prefix was created for ("#arch=" of its registry files).
enum class TWineArch { Unknown, Win32, Win64 };

class TWineRegistry
{
public:
    TWineRegistry() = default;
    // Keys are views into storage the object owns: it moves but does not copy.
    TWineRegistry(const TWineRegistry &) = delete;
    TWineRegistry &operator=(const TWineRegistry &) = delete;
    TWineRegistry(TWineRegistry &&) = default;
    TWineRegistry &operator=(TWineRegistry &&) = default;
    // Reads and parses the file; a missing, unreadable or foreign file gives
    // an empty registry in which no key exists.
    explicit TWineRegistry(const QString &FileName);

    // Replaces the content with the parse of Text, the bytes of a registry file.
    // Whatever cannot be parsed (a damaged section line, a value line cut
    // short, a last line without its line break) reads as absent; nothing in
    // Text can make this fail.
    void Parse(const QByteArray &Text);

    // The text began with Wine's registry header.
    bool IsLoaded() const { return fLoaded; }
    // From the "#arch=" line before the first section; Unknown when there is none.
    TWineArch Arch() const { return fArch; }

    // Key: a backslash-separated path relative to the file's root (for
    // system.reg, HKEY_LOCAL_MACHINE), compared without regard to case. A key
    // exists when its section exists or any section lies below it: Wine writes
    // no section for a key that holds nothing but subkeys.
    bool KeyExists(const QString &Key) const;
    // The key as a 32-bit program sees it (see KeyIn32BitView).
    bool KeyExistsIn32BitView(const QString &Key) const;
    // On a win64 prefix a 32-bit program's Software tree is Software\Wow6432Node;
    // on any other prefix, and for keys outside Software, the key is unchanged.
    static QString KeyIn32BitView(const QString &Key, TWineArch Arch);

    // A text value of the key ("name"="text", str:"text", str(2):"text") or a
    // dword value ("name"=dword:0000000a). Name is compared without regard to
    // case; the empty name is the key's default value (@). Absent when the key
    // or the value is missing, malformed or of another kind.
    std::optional<QString> ReadString(const QString &Key, const QString &Name) const;
    std::optional<quint32> ReadDWord(const QString &Key, const QString &Name) const;

    // The form keys are stored in: lower case, single backslashes, no empty parts.
    static QString NormalizedKey(const QString &Key);

    // The parse of FileName, shared: parsed again only when the file has
    // changed (another path, size, modification time or inode) since the last
    // call or was modified just before it was last read, so probes asked many
    // times in a row read the file once. The object answered stays valid
    // while held, whatever happens to the file later.
    static std::shared_ptr<const TWineRegistry> Shared(const QString &FileName);

private:
    // The value lines of one section: bytes [Begin, End) of fText. A section
    // written twice keeps both bodies, chained through Next.
    struct TSpan
    {
        qsizetype Begin;
        qsizetype End;
        qsizetype Next;
    };

    // The spans of one key: its first and its last, where the next body is
    // chained on, so a section repeated many times costs no walk. -1 for a
    // key without a section of its own.
    struct TKeySpans
    {
        qsizetype First;
        qsizetype Last;
    };

    void AddSection(std::u16string_view Key, qsizetype BodyBegin, qsizetype &OpenSpan);
    // A lasting copy of Key in fChunks.
    QStringView Store(std::u16string_view Key);
    // The data after "=" of the key's value Name (its last occurrence).
    std::optional<QByteArrayView> FindValueData(const QString &Key, const QString &Name) const;

    QByteArray fText;
    bool fLoaded = false;
    TWineArch fArch = TWineArch::Unknown;
    // Every existing key, sections and their ancestors, by normalized path ->
    // its spans in fSpans.
    // The paths live in fChunks and an ancestor's path is the front of its
    // descendant's: the probes parse the file at every call, and one heap
    // block per key made that several times slower.
    QHash<QStringView, TKeySpans> fKeys;
    std::vector<TSpan> fSpans;
    std::vector<std::unique_ptr<char16_t[]>> fChunks;
    qsizetype fChunkUsed = 0;
    qsizetype fChunkSize = 0;
};
