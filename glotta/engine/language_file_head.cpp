#include "glotta/engine/language_file_head.h"
#include "glotta/engine/engine_log.h"

#include "glotta/engine/language_file.h"
#include "glotta/store/ansi_code_page.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_header.h"
#include "glotta/store/language_names.h"
#include "glotta/store/text_helpers.h"

#include <QByteArrayMatcher>
#include <QStringDecoder>
#include <cstring>
#include <exception>
#include <optional>

namespace {
// The head read for the name and code. A file no larger is read whole.
constexpr qint64 HeadBytes = 64 * 1024;

// How the bytes of a language file hold their text: a byte-order mark of
// MarkBytes selects UTF-16 (two bytes a unit) or UTF-8; without one the
// ANSI code page. In every one of them a line break is a unit of value 13 or
// 10 that is never part of another character (UTF-8 and the ANSI pages,
// double-byte ones included, never use those bytes inside a character).
struct TRawText
{
    int MarkBytes = 0;
    int Unit = 1;
    std::optional<QStringConverter::Encoding> Encoding; // none: the ANSI code page
    bool BigEndian = false;

    static TRawText Of(const QByteArray &Bytes)
    {
        const auto Starts = [&Bytes](const char *Mark, int N) { return Bytes.startsWith(QByteArrayView(Mark, N)); };
        if (Starts("\xFF\xFE", 2))
            return {2, 2, QStringConverter::Utf16LE, false};
        if (Starts("\xFE\xFF", 2))
            return {2, 2, QStringConverter::Utf16BE, true};
        if (Starts("\xEF\xBB\xBF", 3))
            return {3, 1, QStringConverter::Utf8, false};
        return {};
    }

    char16_t UnitAt(const char *D, qsizetype P) const
    {
        if (Unit == 1)
            return char16_t(quint8(D[P]));
        const quint8 A = quint8(D[P]), B = quint8(D[P + 1]);
        return BigEndian ? char16_t(A << 8 | B) : char16_t(B << 8 | A);
    }

    // The text of a part of the file that starts at a character boundary,
    // decoded as the whole file's text is (an inner U+FEFF stays a character).
    QString Decode(QByteArrayView Part) const
    {
        if (!Encoding)
            return DecodeAnsiText(Part.toByteArray());
        return QStringDecoder(*Encoding, QStringConverter::Flag::ConvertInitialBom).decode(Part);
    }

    // The pattern of an ASCII text in this encoding.
    QByteArray Encode(const char *Ascii) const
    {
        QByteArray R;
        for (const char *C = Ascii; *C; ++C) {
            if (Unit == 2 && BigEndian)
                R += '\0';
            R += *C;
            if (Unit == 2 && !BigEndian)
                R += '\0';
        }
        return R;
    }
};

// The text after the first TAB, empty without one (the header's view of a line).
QStringView AfterFirstTab(QStringView Line)
{
    const qsizetype P = Line.indexOf(QLatin1Char('\t'));
    return P < 0 ? QStringView() : Line.mid(P + 1);
}

// Reads name and code from the head, as the whole-file reader would.
// Returns the byte position where the line after the name line starts, or
// -1 when the head does not settle it (the name line is not among the head's
// complete lines, or the file might hold fewer than three lines); IDs are
// then untouched. A head whose first line is not the signature settles an
// empty result: 0.
qsizetype ReadNameFromHead(const QByteArray &Head, const TRawText &Raw, const QString &Sign, TLangIDs &IDs)
{
    const char *D = Head.constData();
    const qsizetype End = Head.size() - (Head.size() - Raw.MarkBytes) % Raw.Unit;
    qsizetype Start = Raw.MarkBytes;
    int LineIndex = 0;
    QString Code;
    for (qsizetype P = Start; P < End; P += Raw.Unit) {
        const char16_t U = Raw.UnitAt(D, P);
        if (U != u'\r' && U != u'\n')
            continue;
        qsizetype Next = P + Raw.Unit;
        if (U == u'\r') {
            if (Next >= End)
                return -1; // the LF that may follow is not in the head
            if (Raw.UnitAt(D, Next) == u'\n')
                Next += Raw.Unit;
        }
        const QString Line = Raw.Decode(QByteArrayView(D + Start, P - Start));
        if (LineIndex == 0) {
            if (TrimControls(Line) != Sign)
                return 0;
        } else {
            const QStringView Text = AfterFirstTab(Line);
            if (Text.contains(u"%LANGUAGE_NAME=")) {
                Code = ExtractKeyValue(Text, u"%CODE=");
                const QString Name = ExtractQuoted(Text);
                if (!Name.isEmpty()) {
                    // Three lines at least: the name line is the third, or
                    // something follows its line break.
                    if (LineIndex < 2 && Next >= End)
                        return -1;
                    NormalizeISOCode(Code);
                    IDs.Name = Name;
                    IDs.Code = Code;
                    return Next;
                }
            }
        }
        ++LineIndex;
        Start = Next;
        P = Next - Raw.Unit;
    }
    return -1;
}

// The flag picture of the lines after the first flag marker line from From
// on: a line whose text after its TAB is longer than two characters, is no
// quoted text and holds "%FLAG_ICON". Empty when no line is one.
QByteArray FindFlag(const QByteArray &Bytes, const TRawText &Raw, qsizetype From)
{
    const char *D = Bytes.constData();
    const qsizetype End = Bytes.size() - (Bytes.size() - Raw.MarkBytes) % Raw.Unit;
    const QByteArrayMatcher Marker(Raw.Encode("%FLAG_ICON"));
    qsizetype At = From;
    while ((At = Marker.indexIn(Bytes, At)) >= 0) {
        if ((At - Raw.MarkBytes) % Raw.Unit != 0) {
            ++At; // across two UTF-16 units: no marker
            continue;
        }
        qsizetype LineStart = At;
        while (LineStart > From && Raw.UnitAt(D, LineStart - Raw.Unit) != u'\r' && Raw.UnitAt(D, LineStart - Raw.Unit) != u'\n')
            LineStart -= Raw.Unit;
        qsizetype LineEnd = At;
        while (LineEnd < End && Raw.UnitAt(D, LineEnd) != u'\r' && Raw.UnitAt(D, LineEnd) != u'\n')
            LineEnd += Raw.Unit;
        const QString Line = Raw.Decode(QByteArrayView(D + LineStart, LineEnd - LineStart));
        const QStringView Text = AfterFirstTab(Line);
        if (Text.size() > 2 && !Text.startsWith(QLatin1Char('"')) && Text.contains(u"%FLAG_ICON")) {
            qsizetype Next = LineEnd;
            if (Next < End) {
                const bool CR = Raw.UnitAt(D, Next) == u'\r';
                Next += Raw.Unit;
                if (CR && Next < End && Raw.UnitAt(D, Next) == u'\n')
                    Next += Raw.Unit;
            }
            const QString Rest = Raw.Decode(QByteArrayView(D + Next, Bytes.size() - Next));
            return FlagIconBytes(SplitLanguageFileLines(Rest), 0);
        }
        At = LineEnd;
    }
    return QByteArray();
}
// The whole file: Head, which was read from it, and the rest in one buffer.
bool ReadRest(QFile &File, const QByteArray &Head, QByteArray &Bytes)
{
    const qint64 Size = File.size();
    if (Size <= Head.size()) {
        Bytes = Head;
        return true;
    }
    if (Size > MaxLanguageFileSize)
        return false;
    Bytes = QByteArray(Size, Qt::Uninitialized);
    memcpy(Bytes.data(), Head.constData(), size_t(Head.size()));
    const qint64 Read = File.read(Bytes.data() + Head.size(), Size - Head.size());
    if (Read < 0 || File.error() != QFileDevice::NoError)
        return false;
    Bytes.truncate(Head.size() + Read);
    return true;
}
} // namespace

void ReadLanguageFileHead(const QString &FileName, const QString &Sign, TLangIDs &IDs, QByteArray &Flag)
{
    IDs = TLangIDs();
    Flag.clear();
    QFile File;
    if (!OpenLanguageFile(FileName, File))
        return;
    try {
        QByteArray Head = File.read(HeadBytes);
        if (File.error() != QFileDevice::NoError)
            return;
        if (Head.size() == HeadBytes && !File.atEnd()) {
            const TRawText Raw = TRawText::Of(Head);
            const qsizetype AfterName = ReadNameFromHead(Head, Raw, Sign, IDs);
            if (AfterName == 0)
                return;
            if (AfterName > 0) {
                // The flag section is found in the raw bytes; no more than
                // the line after its marker on is decoded.
                QByteArray Bytes;
                if (!ReadRest(File, Head, Bytes)) {
                    IDs = TLangIDs();
                    return;
                }
                Flag = FindFlag(Bytes, Raw, AfterName);
                return;
            }
            IDs = TLangIDs();
        }
        // A small file, or one whose head does not settle the name: read whole.
        QByteArray Bytes;
        if (ReadRest(File, Head, Bytes))
            ReadLanguageHeader(Bytes, Sign, IDs, Flag);
    } catch (const std::exception &E) {
        qCWarning(lcGlottaEngine).noquote()
            << QStringLiteral("header of %1 not read: %2").arg(FileName, QString::fromLocal8Bit(E.what()));
        IDs = TLangIDs();
        Flag.clear();
    }
}
