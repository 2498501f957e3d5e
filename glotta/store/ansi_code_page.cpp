#include "glotta/store/ansi_code_page.h"

#include <QStringDecoder>

QByteArray AnsiCodePageNameFor(const QLocale &Locale)
{
    switch (Locale.language()) {
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Polish:
    case QLocale::Hungarian:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Bosnian:
        return "windows-1250";
    case QLocale::Serbian:
        return Locale.script() == QLocale::LatinScript ? "windows-1250" : "windows-1251";
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Macedonian:
    case QLocale::Kazakh:
    case QLocale::Kyrgyz:
    case QLocale::Tatar:
    case QLocale::Mongolian:
    case QLocale::Bashkir:
    case QLocale::Tajik:
        return "windows-1251";
    case QLocale::Greek:
        return "windows-1253";
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return "windows-1254";
    case QLocale::Hebrew:
    case QLocale::Yiddish:
        return "windows-1255";
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return "windows-1256";
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return "windows-1257";
    case QLocale::Vietnamese:
        return "windows-1258";
    case QLocale::Thai:
        return "windows-874";
    case QLocale::Japanese:
        return "windows-932";
    case QLocale::Korean:
        return "windows-949";
    case QLocale::Chinese:
        return Locale.script() == QLocale::TraditionalHanScript ? "Big5" : "GBK";
    default:
        return "windows-1252";
    }
}

QByteArray AnsiCodePageName()
{
#ifdef Q_OS_WIN
    return "System";
#else
    return AnsiCodePageNameFor(QLocale::system());
#endif
}

QStringDecoder AnsiDecoder()
{
#ifdef Q_OS_WIN
    return QStringDecoder(QStringConverter::System);
#else
    QStringDecoder Decoder(AnsiCodePageName().constData());
    if (!Decoder.isValid()) // Qt built without ICU: the nearest page it knows
        Decoder = QStringDecoder(QStringConverter::Latin1);
    return Decoder;
#endif
}

QString DecodeAnsiText(const QByteArray &Bytes)
{
    return AnsiDecoder().decode(Bytes);
}

QStringDecoder LanguageFileDecoder(QByteArrayView Head, qsizetype &MarkLength)
{
    const auto Starts = [Head](std::initializer_list<unsigned char> Mark) {
        if (Head.size() < qsizetype(Mark.size()))
            return false;
        qsizetype i = 0;
        for (unsigned char B : Mark)
            if (quint8(Head.at(i++)) != B)
                return false;
        return true;
    };
    // The mark is skipped, not decoded: a second mark right after it is a
    // character of the text.
    const auto Marked = [&MarkLength](qsizetype Length, QStringConverter::Encoding Encoding) {
        MarkLength = Length;
        return QStringDecoder(Encoding, QStringConverter::Flag::ConvertInitialBom);
    };
    if (Starts({0xFF, 0xFE}))
        return Marked(2, QStringConverter::Utf16LE);
    if (Starts({0xFE, 0xFF}))
        return Marked(2, QStringConverter::Utf16BE);
    if (Starts({0xEF, 0xBB, 0xBF}))
        return Marked(3, QStringConverter::Utf8);
    MarkLength = 0;
    return AnsiDecoder();
}

QString DecodeLanguageFileText(const QByteArray &Bytes)
{
    qsizetype Mark = 0;
    QStringDecoder Decoder = LanguageFileDecoder(Bytes, Mark);
    return Decoder.decode(QByteArrayView(Bytes).sliced(Mark));
}
