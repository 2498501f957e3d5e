#include "glotta/store/language_header.h"
#include "glotta/store/store_log.h"

#include "glotta/store/ansi_code_page.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_names.h"
#include "toolkit/core/string_list.h"
#include "glotta/store/text_helpers.h"

#include <QFile>
#include <QIODevice>
#include <climits>
#include <exception>

namespace {
QString AfterFirstTab(const QString &Line)
{
    const qsizetype P = Line.indexOf(QLatin1Char('\t'));
    return P < 0 ? QString() : Line.mid(P + 1);
}


struct TStringListLines
{
    const TStringList &L;
    int Count() const { return L.Count(); }
    const QString &At(int i) const { return L.Strings(i); }
};

struct TQStringListLines
{
    const QStringList &L;
    int Count() const { return int(qMin<qsizetype>(L.size(), INT_MAX)); }
    const QString &At(int i) const { return L.at(i); }
};

template <typename Lines>
bool LineNumberOf(const Lines &L, int Index, int &Number)
{
    if (Index < 0 || Index >= L.Count())
        return false;
    const QString &Line = L.At(Index);
    const qsizetype P = Line.indexOf(QLatin1Char('\t'));
    if (P < 0)
        return false;
    return ParseDecimal(QStringView(Line).left(P), Number);
}

// ClearFlag runs once a valid header asks for the flag, before the flag
// section is searched; ReadFlagFrom(Line) reads the section from Line on.
template <typename Lines, typename ClearFlagFn, typename ReadFlagFn>
void ReadHeader(const Lines &L, const QString &Sign, bool Flag, TLangIDs &IDs, ClearFlagFn ClearFlag,
                ReadFlagFn ReadFlagFrom)
{
    const int Count = L.Count();
    if (Count <= 2 || TrimControls(L.At(0)) != Sign) {
        IDs.Name.clear();
        IDs.Code.clear();
        return;
    }
    // A name line with an empty quoted name sets the code and the search
    // goes on; the first name line with a name ends it.
    int NameLine = Count;
    for (int i = 1; i < Count; ++i) {
        const QString Text = AfterFirstTab(L.At(i));
        if (!Text.contains(QLatin1String("%LANGUAGE_NAME=")))
            continue;
        IDs.Code = ExtractKeyValue(Text, QStringLiteral("%CODE="));
        const QString Name = ExtractQuoted(Text);
        if (!Name.isEmpty()) {
            IDs.Name = Name;
            NameLine = i;
            break;
        }
    }
    NormalizeISOCode(IDs.Code);
    if (!Flag)
        return;
    ClearFlag();
    for (int i = NameLine + 1; i < Count; ++i) {
        const QString Text = AfterFirstTab(L.At(i));
        if (Text.size() > 2 && !Text.startsWith(QLatin1Char('"')) && Text.contains(QLatin1String("%FLAG_ICON"))) {
            ReadFlagFrom(i + 1);
            break;
        }
    }
}

void ReadHeaderFromBytes(const QByteArray &Bytes, const QString &Sign, TLangIDs &IDs, QByteArray &Flag)
{
    try {
        const QStringList Lines = SplitLanguageFileLines(DecodeLanguageFileText(Bytes));
        ReadHeader(
            TQStringListLines{Lines}, Sign, true, IDs, [&Flag] { Flag.clear(); },
            [&Lines, &Flag](int From) { Flag = FlagIconBytes(Lines, From); });
    } catch (const std::exception &E) {
        qCWarning(lcGlottaStore).noquote() << QStringLiteral("language header not read: %1").arg(QString::fromLocal8Bit(E.what()));
        IDs = TLangIDs();
        Flag.clear();
    }
}

void ReadHeaderFromBytes(const QByteArray &Bytes, const QString &Sign, bool Flag, TLangIDs &IDs)
{
    try {
        const QStringList Lines = SplitLanguageFileLines(DecodeLanguageFileText(Bytes));
        ReadLanguageHeader(Lines, Sign, Flag, IDs);
    } catch (const std::exception &E) {
        qCWarning(lcGlottaStore).noquote() << QStringLiteral("language header not read: %1").arg(QString::fromLocal8Bit(E.what()));
        IDs = TLangIDs();
    }
}
} // namespace

QString ExtractKeyValue(QStringView Line, QStringView Key)
{
    const qsizetype P = Line.indexOf(Key);
    if (P < 0)
        return QString();
    const qsizetype From = P + Key.size();
    const qsizetype End = Line.indexOf(QLatin1Char(';'), From);
    if (End < 0)
        return QString();
    return Line.mid(From, End - From).toString();
}

QString ExtractQuoted(QStringView Line)
{
    const qsizetype First = Line.indexOf(QLatin1Char('"'));
    const qsizetype Last = Line.lastIndexOf(QLatin1Char('"'));
    if (First < 0 || Last == First)
        return QString();
    return Line.mid(First + 1, Last - First - 1).toString();
}

QString ExtractQuotedText(const QString &Line)
{
    QString S = ExtractQuoted(Line);
    EncodeControlChars(S);
    return S;
}

bool LineNumber(const TStringList &Lines, int Index, int &Number)
{
    return LineNumberOf(TStringListLines{Lines}, Index, Number);
}

bool LineNumber(const QStringList &Lines, int Index, int &Number)
{
    return LineNumberOf(TQStringListLines{Lines}, Index, Number);
}

void ReadLanguageHeader(const TStringList &Lines, const QString &Sign, bool Flag, TLangIDs &IDs)
{
    ReadHeader(TStringListLines{Lines}, Sign, Flag, IDs, ClearFlagIcon, [&Lines](int From) { ReadFlagIcon(Lines, From); });
}

void ReadLanguageHeader(const QStringList &Lines, const QString &Sign, bool Flag, TLangIDs &IDs)
{
    ReadHeader(TQStringListLines{Lines}, Sign, Flag, IDs, ClearFlagIcon, [&Lines](int From) { ReadFlagIcon(Lines, From); });
}

void ReadLanguageHeader(const QString &FileName, const QString &Sign, bool Flag, TLangIDs &IDs)
{
    IDs = TLangIDs();
    QFile File(FileName);
    if (!File.exists() || !File.open(QIODevice::ReadOnly))
        return;
    ReadHeaderFromBytes(File.readAll(), Sign, Flag, IDs);
}

void ReadLanguageHeader(const QByteArray &Stream, const QString &Sign, bool Flag, TLangIDs &IDs)
{
    IDs = TLangIDs();
    if (Stream.isEmpty())
        return;
    ReadHeaderFromBytes(Stream, Sign, Flag, IDs);
}

void ReadLanguageHeader(const QByteArray &Stream, const QString &Sign, TLangIDs &IDs, QByteArray &Flag)
{
    IDs = TLangIDs();
    Flag.clear();
    if (!Stream.isEmpty())
        ReadHeaderFromBytes(Stream, Sign, IDs, Flag);
}

void ReadLanguageHeader(QIODevice &Stream, const QString &Sign, bool Flag, TLangIDs &IDs)
{
    IDs = TLangIDs();
    if (!Stream.isOpen() || !Stream.isReadable())
        return;
    if (!Stream.isSequential() && !Stream.seek(0))
        return;
    const QByteArray Bytes = Stream.readAll();
    if (Bytes.isEmpty())
        return;
    ReadHeaderFromBytes(Bytes, Sign, Flag, IDs);
}

QStringList SplitLanguageFileLines(const QString &Text)
{
    QStringList Lines;
    const qsizetype N = Text.size();
    qsizetype Start = 0;
    for (qsizetype i = 0; i < N; ++i) {
        const QChar C = Text.at(i);
        if (C == QLatin1Char('\r') || C == QLatin1Char('\n')) {
            Lines.append(Text.mid(Start, i - Start));
            if (C == QLatin1Char('\r') && i + 1 < N && Text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            Start = i + 1;
        }
    }
    if (Start < N)
        Lines.append(Text.mid(Start));
    return Lines;
}
