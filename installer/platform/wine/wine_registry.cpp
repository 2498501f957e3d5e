#include "installer/platform/wine/wine_registry.h"

#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QMutex>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

const QByteArrayView RegistryHeader("WINE REGISTRY Version 2");

bool IsHexDigit(char C)
{
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F');
}

unsigned HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return unsigned(C - '0');
    if (C >= 'a' && C <= 'f')
        return unsigned(C - 'a' + 10);
    return unsigned(C - 'A' + 10);
}

// The line [Begin, result) without its line break.
qsizetype LineEnd(QByteArrayView Text, qsizetype Begin)
{
    const qsizetype End = Text.indexOf('\n', Begin);
    return End < 0 ? Text.size() : End;
}

QByteArrayView WithoutCR(QByteArrayView Line)
{
    return Line.endsWith('\r') ? Line.chopped(1) : Line;
}

// Decodes Wine's escaped text from Pos up to the unescaped EndChar: \a \b \e
// \f \n \r \t \v, \x with up to four hex digits (one UTF-16 unit), \ with up
// to three octal digits, \ before any other character for that character;
// bytes above 0x7f are UTF-8. Wine itself writes every non-ASCII character as
// \x escape but reads UTF-8 too. Returns the position after EndChar, or -1
// when Line ends first (a truncated or damaged line).
qsizetype UnescapeUntil(QByteArrayView Line, qsizetype Pos, char EndChar, std::u16string &Out)
{
    Out.clear();
    const qsizetype Size = Line.size();
    while (Pos < Size) {
        char C = Line[Pos];
        if (C == EndChar)
            return Pos + 1;
        if (C == '\\') {
            if (++Pos >= Size)
                return -1;
            C = Line[Pos];
            switch (C) {
            case 'a': Out += u'\x07'; ++Pos; continue;
            case 'b': Out += u'\x08'; ++Pos; continue;
            case 'e': Out += u'\x1b'; ++Pos; continue;
            case 'f': Out += u'\x0c'; ++Pos; continue;
            case 'n': Out += u'\x0a'; ++Pos; continue;
            case 'r': Out += u'\x0d'; ++Pos; continue;
            case 't': Out += u'\x09'; ++Pos; continue;
            case 'v': Out += u'\x0b'; ++Pos; continue;
            case 'x': {
                ++Pos;
                if (Pos >= Size || !IsHexDigit(Line[Pos])) {
                    Out += u'x';
                    continue;
                }
                unsigned Unit = 0;
                for (int Digits = 0; Digits < 4 && Pos < Size && IsHexDigit(Line[Pos]); ++Digits, ++Pos)
                    Unit = Unit * 16 + HexValue(Line[Pos]);
                Out += char16_t(Unit);
                continue;
            }
            default:
                if (C >= '0' && C <= '7') {
                    unsigned Unit = 0;
                    for (int Digits = 0; Digits < 3 && Pos < Size && Line[Pos] >= '0' && Line[Pos] <= '7';
                         ++Digits, ++Pos)
                        Unit = Unit * 8 + unsigned(Line[Pos] - '0');
                    Out += char16_t(Unit);
                    continue;
                }
                break; // the escaped character stands for itself
            }
        }
        if (uchar(C) < 0x80) {
            Out += char16_t(C);
            ++Pos;
        } else {
            qsizetype RunEnd = Pos;
            while (RunEnd < Size && uchar(Line[RunEnd]) >= 0x80)
                ++RunEnd;
            const QString Decoded = QString::fromUtf8(Line.sliced(Pos, RunEnd - Pos));
            Out.append(reinterpret_cast<const char16_t *>(Decoded.constData()), size_t(Decoded.size()));
            Pos = RunEnd;
        }
    }
    return -1;
}

std::u16string_view ViewOf(const QString &Text)
{
    return {reinterpret_cast<const char16_t *>(Text.constData()), size_t(Text.size())};
}

QStringView QViewOf(std::u16string_view Text)
{
    return QStringView(Text.data(), qsizetype(Text.size()));
}

// The one form of a key path for the file's sections and for questions alike:
// separators collapsed, none at the ends, lower case.
void NormalizeKey(std::u16string_view Raw, std::u16string &Out)
{
    Out.clear();
    bool NonAscii = false;
    for (char16_t C : Raw) {
        if (C == u'\\') {
            if (!Out.empty() && Out.back() != u'\\')
                Out += C;
            continue;
        }
        if (C >= u'A' && C <= u'Z')
            C = char16_t(C + (u'a' - u'A'));
        else if (C >= 0x80)
            NonAscii = true;
        Out += C;
    }
    if (!Out.empty() && Out.back() == u'\\')
        Out.pop_back();
    if (NonAscii) {
        const QString Lower = QViewOf(Out).toString().toLower();
        Out.assign(ViewOf(Lower));
    }
}

} // namespace

TWineRegistry::TWineRegistry(const QString &FileName)
{
    QFile File(FileName);
    if (File.open(QIODevice::ReadOnly))
        Parse(File.readAll());
}

namespace {

// What tells one version of a file from the next: Wine replaces system.reg
// by writing a new file and renaming it over the old one, so the inode
// changes even when size and time (to the nanosecond) happen to agree.
struct TFileStamp
{
    QString Path;
    bool Exists = false;
    qint64 Size = 0;
    qint64 ModifiedNsec = 0;
    quint64 Inode = 0;
    bool operator==(const TFileStamp &) const = default;
};

TFileStamp StampOf(const QString &Path)
{
    TFileStamp Stamp;
    Stamp.Path = Path;
#ifdef Q_OS_UNIX
    struct stat Info{};
    if (::stat(QFile::encodeName(Path).constData(), &Info) == 0) {
        Stamp.Exists = true;
        Stamp.Size = qint64(Info.st_size);
        Stamp.ModifiedNsec = qint64(Info.st_mtim.tv_sec) * 1000000000 + qint64(Info.st_mtim.tv_nsec);
        Stamp.Inode = quint64(Info.st_ino);
    }
#else
    const QFileInfo Info(Path);
    if (Info.exists()) {
        Stamp.Exists = true;
        Stamp.Size = Info.size();
        Stamp.ModifiedNsec = Info.lastModified().toMSecsSinceEpoch() * 1000000;
    }
#endif
    return Stamp;
}

} // namespace

std::shared_ptr<const TWineRegistry> TWineRegistry::Shared(const QString &FileName)
{
    // A file changed twice within one tick of the file system's clock can
    // keep its time, and with the same size and inode it would look
    // unchanged; so a parse of a file modified shortly before it was read is
    // not trusted again, and the file is parsed anew until it has been quiet
    // for that long.
    constexpr qint64 RacyNsec = 2'000'000'000;
    static QMutex Lock;
    static TFileStamp CachedStamp;
    static bool CachedRacy = true;
    static std::shared_ptr<const TWineRegistry> Cached;
    const QMutexLocker Locker(&Lock);
    const TFileStamp Stamp = StampOf(FileName);
    if (Cached && !CachedRacy && Stamp == CachedStamp)
        return Cached;
    const qint64 ReadNsec = QDateTime::currentMSecsSinceEpoch() * 1000000;
    Cached = std::make_shared<const TWineRegistry>(FileName);
    // Stamped before reading: a change during the read shows as another stamp at the next call.
    CachedStamp = Stamp;
    CachedRacy = Stamp.ModifiedNsec > ReadNsec - RacyNsec;
    return Cached;
}

QString TWineRegistry::NormalizedKey(const QString &Key)
{
    std::u16string Normalized;
    NormalizeKey(ViewOf(Key), Normalized);
    return QViewOf(Normalized).toString();
}

void TWineRegistry::Parse(const QByteArray &Text)
{
    // Wine ends every line, the last one too, with a line break: a last line
    // without one was cut short, and even a complete-looking prefix of it (a
    // dword with digits missing) must not be believed.
    const qsizetype Complete = Text.lastIndexOf('\n') + 1;
    fText = Complete == Text.size() ? Text : Text.first(Complete);
    fLoaded = false;
    fArch = TWineArch::Unknown;
    fKeys.clear();
    fSpans.clear();
    fChunks.clear();
    fChunkUsed = fChunkSize = 0;

    const QByteArrayView View(fText);
    qsizetype Pos = LineEnd(View, 0);
    if (WithoutCR(View.first(Pos)) != RegistryHeader)
        return;
    fLoaded = true;
    fKeys.reserve(View.size() / 128);
    fKeys.insert(QStringView(), {-1, -1}); // the root itself

    bool InSections = false;
    qsizetype OpenSpan = -1; // the section whose value lines follow
    std::u16string Name, Key;
    for (++Pos; Pos < View.size(); ++Pos) {
        const qsizetype End = LineEnd(View, Pos);
        const QByteArrayView Line = WithoutCR(View.sliced(Pos, End - Pos));
        if (Line.startsWith('[')) {
            InSections = true;
            if (OpenSpan >= 0)
                fSpans[size_t(OpenSpan)].End = Pos;
            OpenSpan = -1;
            // A section line cut short or otherwise unreadable hides its values
            // too, as in Wine, instead of giving them to the previous section.
            if (UnescapeUntil(Line, 1, ']', Name) >= 0) {
                NormalizeKey(Name, Key);
                AddSection(Key, qMin(End + 1, View.size()), OpenSpan);
            }
        } else if (!InSections && Line.startsWith("#arch=")) {
            const QByteArrayView Arch = Line.sliced(6).trimmed();
            if (Arch == "win64")
                fArch = TWineArch::Win64;
            else if (Arch == "win32")
                fArch = TWineArch::Win32;
        }
        Pos = End;
    }
    if (OpenSpan >= 0)
        fSpans[size_t(OpenSpan)].End = View.size();
}

QStringView TWineRegistry::Store(std::u16string_view Key)
{
    const qsizetype Size = qsizetype(Key.size());
    if (fChunks.empty() || fChunkUsed + Size > fChunkSize) {
        fChunkSize = qMax<qsizetype>(Size, 32768);
        fChunks.push_back(std::make_unique<char16_t[]>(size_t(fChunkSize)));
        fChunkUsed = 0;
    }
    char16_t *Copy = fChunks.back().get() + fChunkUsed;
    std::copy(Key.begin(), Key.end(), Copy);
    fChunkUsed += Size;
    return QStringView(Copy, Size);
}

void TWineRegistry::AddSection(std::u16string_view Key, qsizetype BodyBegin, qsizetype &OpenSpan)
{
    OpenSpan = qsizetype(fSpans.size());
    fSpans.push_back({BodyBegin, BodyBegin, -1});

    auto It = fKeys.find(QViewOf(Key));
    if (It != fKeys.end()) {
        if (It->First < 0)
            It->First = OpenSpan;
        else
            fSpans[size_t(It->Last)].Next = OpenSpan;
        It->Last = OpenSpan;
        return;
    }
    const QStringView Stored = Store(Key);
    fKeys.insert(Stored, {OpenSpan, OpenSpan});
    // Every key present has all its ancestors present, so the walk up stops
    // at the first ancestor already known.
    for (qsizetype Cut = Stored.lastIndexOf(u'\\'); Cut > 0; Cut = Stored.first(Cut).lastIndexOf(u'\\')) {
        const QStringView Parent = Stored.first(Cut);
        if (fKeys.contains(Parent))
            break;
        fKeys.insert(Parent, {-1, -1});
    }
}

bool TWineRegistry::KeyExists(const QString &Key) const
{
    if (!fLoaded)
        return false;
    std::u16string Normalized;
    NormalizeKey(ViewOf(Key), Normalized);
    return fKeys.contains(QViewOf(Normalized));
}

QString TWineRegistry::KeyIn32BitView(const QString &Key, TWineArch Arch)
{
    if (Arch != TWineArch::Win64)
        return Key;
    QList<QStringView> Parts = QStringView(Key).split(u'\\', Qt::SkipEmptyParts);
    if (Parts.isEmpty() || Parts[0].compare(u"Software", Qt::CaseInsensitive) != 0)
        return Key;
    if (Parts.size() > 1 && Parts[1].compare(u"Wow6432Node", Qt::CaseInsensitive) == 0)
        return Key;
    Parts.insert(1, u"Wow6432Node");
    QString Result;
    for (QStringView Part : Parts) {
        if (!Result.isEmpty())
            Result += u'\\';
        Result += Part;
    }
    return Result;
}

bool TWineRegistry::KeyExistsIn32BitView(const QString &Key) const
{
    return KeyExists(KeyIn32BitView(Key, fArch));
}

std::optional<QByteArrayView> TWineRegistry::FindValueData(const QString &Key, const QString &Name) const
{
    if (!fLoaded)
        return std::nullopt;
    std::u16string Normalized;
    NormalizeKey(ViewOf(Key), Normalized);
    const auto It = fKeys.constFind(QViewOf(Normalized));
    if (It == fKeys.constEnd())
        return std::nullopt;

    const QByteArrayView View(fText);
    std::optional<QByteArrayView> Found;
    std::u16string LineName;
    for (qsizetype Span = It->First; Span >= 0; Span = fSpans[size_t(Span)].Next) {
        const TSpan &S = fSpans[size_t(Span)];
        for (qsizetype Pos = S.Begin; Pos < S.End; ++Pos) {
            const qsizetype End = qMin(LineEnd(View, Pos), S.End);
            const QByteArrayView Line = WithoutCR(View.sliced(Pos, End - Pos));
            Pos = End;
            qsizetype After;
            if (Line.startsWith('"'))
                After = UnescapeUntil(Line, 1, '"', LineName);
            else if (Line.startsWith('@')) {
                LineName.clear();
                After = 1;
            } else
                continue; // options (#time=), comments, continuation lines of hex data
            if (After < 0 || After >= Line.size() || Line[After] != '=')
                continue;
            if (QViewOf(LineName).compare(Name, Qt::CaseInsensitive) == 0)
                Found = Line.sliced(After + 1);
        }
    }
    return Found;
}

std::optional<QString> TWineRegistry::ReadString(const QString &Key, const QString &Name) const
{
    const std::optional<QByteArrayView> Data = FindValueData(Key, Name);
    if (!Data)
        return std::nullopt;
    qsizetype Quote;
    if (Data->startsWith('"'))
        Quote = 0;
    else if (Data->startsWith("str:\""))
        Quote = 4;
    else if (Data->startsWith("str(1):\"") || Data->startsWith("str(2):\""))
        Quote = 7;
    else
        return std::nullopt;
    std::u16string Text;
    if (UnescapeUntil(*Data, Quote + 1, '"', Text) < 0)
        return std::nullopt;
    return QViewOf(Text).toString();
}

std::optional<quint32> TWineRegistry::ReadDWord(const QString &Key, const QString &Name) const
{
    const std::optional<QByteArrayView> Data = FindValueData(Key, Name);
    if (!Data || !Data->startsWith("dword:"))
        return std::nullopt;
    const QByteArrayView Digits = Data->sliced(6).trimmed();
    if (Digits.isEmpty() || Digits.size() > 8)
        return std::nullopt;
    quint32 Value = 0;
    for (char C : Digits) {
        if (!IsHexDigit(C))
            return std::nullopt;
        Value = Value * 16 + HexValue(C);
    }
    return Value;
}
