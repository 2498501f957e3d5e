#include "glotta/engine/language_file.h"

#include "glotta/store/ansi_code_page.h"
#include "glotta/store/text_helpers.h"

#include <QFile>
#include <QStringEncoder>
#include <climits>

void TLanguageFileLines::SetBytes(const QByteArray &Bytes)
{
    SetText(DecodeLanguageFileText(Bytes));
}

void TLanguageFileLines::SetText(const QString &Text)
{
    fText = Text;
    fLines.clear();
    const QChar *D = fText.constData();
    const qsizetype N = fText.size();
    qsizetype Start = 0;
    qsizetype Tab = -1;
    for (qsizetype i = 0; i < N; ++i) {
        const char16_t C = D[i].unicode();
        if (C == u'\t') {
            if (Tab < 0)
                Tab = i - Start;
        } else if (C == u'\r' || C == u'\n') {
            fLines.push_back({Start, i - Start, Tab});
            if (C == u'\r' && i + 1 < N && D[i + 1] == QLatin1Char('\n'))
                ++i;
            Start = i + 1;
            Tab = -1;
        }
    }
    if (Start < N)
        fLines.push_back({Start, N - Start, Tab});
}

QStringView TLanguageFileLines::Line(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QStringView();
    const TRange &R = fLines[size_t(Index)];
    return QStringView(fText).mid(R.Start, R.Length);
}

QStringView TLanguageFileLines::Value(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QStringView();
    const TRange &R = fLines[size_t(Index)];
    if (R.Tab < 0)
        return QStringView();
    return QStringView(fText).mid(R.Start + R.Tab + 1, R.Length - R.Tab - 1);
}

bool TLanguageFileLines::Number(int Index, int &N) const
{
    if (Index < 0 || Index >= Count())
        return false;
    const TRange &R = fLines[size_t(Index)];
    if (R.Tab <= 0)
        return false;
    return ParseDecimal(QStringView(fText).mid(R.Start, R.Tab), N);
}

QStringList TLanguageFileLines::Tail(int Index) const
{
    QStringList L;
    for (int i = qMax(Index, 0); i < Count(); ++i)
        L.append(Line(i).toString());
    return L;
}

bool ParseItemLine(int Number, QStringView Value, TFullStructLine &Line)
{
    // Property-type IDs are 16-bit: a larger number would wrap into another ID.
    if (Number < 0 || Number > 0xFFFF)
        return false;
    Line.CompName = ExtractKeyValue(Value, u"%COMPONENT=");
    if (Line.CompName.isEmpty())
        return false;
    Line.PropertyID = quint16(Number);
    Line.Descent = 0;
    Line.Translation = ExtractQuoted(Value);
    // The store keeps texts in one-line form: a raw TAB or line break
    // between the quotes becomes a character code.
    for (QChar C : std::as_const(Line.Translation))
        if (C.unicode() < 32) {
            EncodeControlChars(Line.Translation);
            break;
        }
    Line.OwnerName = ExtractKeyValue(Value, u"%OWNER=");
    Line.ItemAddr = ExtractKeyValue(Value, u"%ITEM=");
    Line.Changeable = Value.contains(u"%NOTRANS") ? 0 : 1;
    if (Value.contains(u"%OLD"))
        Line.Changeable += 2;
    return true;
}

QString FormatStructLine(const TFullStructLine &Line)
{
    QString S = QString::number(Line.PropertyID) + QLatin1Char('\t');
    if (Line.Changeable & 1)
        S += QLatin1Char('"') + Line.Translation + QLatin1Char('"');
    else
        S += QLatin1String("%NOTRANS");
    S += QLatin1String("\t%COMPONENT=") + Line.CompName + QLatin1Char(';');
    S += QLatin1String("\t%OWNER=") + Line.OwnerName + QLatin1Char(';');
    if (!Line.ItemAddr.isEmpty())
        S += QLatin1String("\t%ITEM=") + Line.ItemAddr + QLatin1Char(';');
    if (Line.Changeable & 2)
        S += QLatin1String("\t%OLD");
    return S;
}

QByteArray EncodeLanguageFile(const QStringList &Lines, TLFEncoding Encoding)
{
    QString Text;
    qsizetype Size = 0;
    for (const QString &L : Lines)
        Size += L.size() + 2;
    Text.reserve(Size);
    for (const QString &L : Lines) {
        Text += L;
        Text += QLatin1String("\r\n");
    }
    switch (Encoding) {
    case TLFEncoding::Unicode:
        return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(Text);
    case TLFEncoding::BigEndianUnicode:
        return QByteArray("\xFE\xFF", 2) + QStringEncoder(QStringConverter::Utf16BE).encode(Text);
    case TLFEncoding::UTF8:
        return QByteArray("\xEF\xBB\xBF", 3) + QStringEncoder(QStringConverter::Utf8).encode(Text);
    case TLFEncoding::ANSI:
        break;
    }
#ifdef Q_OS_WIN
    QStringEncoder Encoder(QStringConverter::System);
#else
    QStringEncoder Encoder(AnsiCodePageName().constData());
    if (!Encoder.isValid())
        Encoder = QStringEncoder(QStringConverter::Latin1);
#endif
    return Encoder.encode(Text);
}

bool ReadLanguageFileBytes(const QString &FileName, QByteArray &Bytes)
{
    Bytes.clear();
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return false;
    if (File.size() > MaxLanguageFileSize)
        return false;
    // Read with a limit as well: the size of a special file says nothing.
    Bytes = File.read(MaxLanguageFileSize + 1);
    if (Bytes.size() > MaxLanguageFileSize || File.error() != QFileDevice::NoError) {
        Bytes.clear();
        return false;
    }
    return true;
}
