#include "wine_registry.h"

#include <QFile>

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
qsizetype UnescapeUntil(QByteArrayView Line, qsizetype Pos, char EndChar, QString &Out)
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
            case 'a': Out += QChar(0x07); ++Pos; continue;
            case 'b': Out += QChar(0x08); ++Pos; continue;
            case 'e': Out += QChar(0x1b); ++Pos; continue;
            case 'f': Out += QChar(0x0c); ++Pos; continue;
            case 'n': Out += QChar(0x0a); ++Pos; continue;
            case 'r': Out += QChar(0x0d); ++Pos; continue;
            case 't': Out += QChar(0x09); ++Pos; continue;
            case 'v': Out += QChar(0x0b); ++Pos; continue;
            case 'x': {
                ++Pos;
                if (Pos >= Size || !IsHexDigit(Line[Pos])) {
                    Out += QLatin1Char('x');
                    continue;
                }
                unsigned Unit = 0;
                for (int Digits = 0; Digits < 4 && Pos < Size && IsHexDigit(Line[Pos]); ++Digits, ++Pos)
                    Unit = Unit * 16 + HexValue(Line[Pos]);
                Out += QChar(char16_t(Unit));
                continue;
            }
            default:
                if (C >= '0' && C <= '7') {
                    unsigned Unit = 0;
                    for (int Digits = 0; Digits < 3 && Pos < Size && Line[Pos] >= '0' && Line[Pos] <= '7';
                         ++Digits, ++Pos)
                        Unit = Unit * 8 + unsigned(Line[Pos] - '0');
                    Out += QChar(char16_t(Unit));
                    continue;
                }
                break; // the escaped character stands for itself
            }
        }
        if (uchar(C) < 0x80) {
            Out += QLatin1Char(C);
            ++Pos;
        } else {
            qsizetype RunEnd = Pos;
            while (RunEnd < Size && uchar(Line[RunEnd]) >= 0x80)
                ++RunEnd;
            Out += QString::fromUtf8(Line.sliced(Pos, RunEnd - Pos));
            Pos = RunEnd;
        }
    }
    return -1;
}

} // namespace

TWineRegistry::TWineRegistry(const QString &FileName)
{
    QFile File(FileName);
    if (File.open(QIODevice::ReadOnly))
        Parse(File.readAll());
}

QString TWineRegistry::NormalizedKey(const QString &Key)
{
    const QList<QStringView> Parts = QStringView(Key).split(u'\\', Qt::SkipEmptyParts);
    QString Result;
    Result.reserve(Key.size());
    for (QStringView Part : Parts) {
        if (!Result.isEmpty())
            Result += u'\\';
        Result += Part.toString().toLower();
    }
    return Result;
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

    const QByteArrayView View(fText);
    qsizetype Pos = LineEnd(View, 0);
    if (WithoutCR(View.first(Pos)) != RegistryHeader)
        return;
    fLoaded = true;
    fKeys.insert(QString(), -1); // the root itself

    bool InSections = false;
    qsizetype OpenSpan = -1; // the section whose value lines follow
    QString Name;
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
            if (UnescapeUntil(Line, 1, ']', Name) >= 0)
                AddSection(NormalizedKey(Name), qMin(End + 1, View.size()), OpenSpan);
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

void TWineRegistry::AddSection(const QString &Key, qsizetype BodyBegin, qsizetype &OpenSpan)
{
    OpenSpan = qsizetype(fSpans.size());
    fSpans.push_back({BodyBegin, BodyBegin, -1});

    auto It = fKeys.find(Key);
    if (It != fKeys.end()) {
        if (*It < 0) {
            *It = OpenSpan;
        } else {
            qsizetype Last = *It;
            while (fSpans[size_t(Last)].Next >= 0)
                Last = fSpans[size_t(Last)].Next;
            fSpans[size_t(Last)].Next = OpenSpan;
        }
        return;
    }
    fKeys.insert(Key, OpenSpan);
    // Every key present has all its ancestors present, so the walk up stops
    // at the first ancestor already known.
    for (qsizetype Cut = Key.lastIndexOf(u'\\'); Cut > 0; Cut = Key.lastIndexOf(u'\\', Cut - 1)) {
        const QString Parent = Key.left(Cut);
        if (fKeys.contains(Parent))
            break;
        fKeys.insert(Parent, -1);
    }
}

bool TWineRegistry::KeyExists(const QString &Key) const
{
    return fLoaded && fKeys.contains(NormalizedKey(Key));
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
    const auto It = fKeys.constFind(NormalizedKey(Key));
    if (It == fKeys.constEnd())
        return std::nullopt;

    const QByteArrayView View(fText);
    std::optional<QByteArrayView> Found;
    QString LineName;
    for (qsizetype Span = *It; Span >= 0; Span = fSpans[size_t(Span)].Next) {
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
            if (LineName.compare(Name, Qt::CaseInsensitive) == 0)
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
    QString Text;
    if (UnescapeUntil(*Data, Quote + 1, '"', Text) < 0)
        return std::nullopt;
    return Text;
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
