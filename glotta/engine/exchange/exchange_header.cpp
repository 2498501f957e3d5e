#include "glotta/engine/exchange/exchange_header.h"

#include <QDateTime>
#include <QStringList>

#include <cctype>

namespace {
const QLatin1String PoPrefix("X-Glotta-");

QString EncodingName(TLFEncoding E)
{
    switch (E) {
    case TLFEncoding::Unicode:
        return QStringLiteral("Unicode");
    case TLFEncoding::BigEndianUnicode:
        return QStringLiteral("BigEndianUnicode");
    case TLFEncoding::UTF8:
        return QStringLiteral("UTF8");
    case TLFEncoding::ANSI:
        return QStringLiteral("ANSI");
    }
    return QString();
}
} // namespace

TExchangeFields CatalogHeaderFields(const TTranslationCatalog &Catalog, bool Template)
{
    TExchangeFields F;
    if (!Template) {
        F.append({QStringLiteral("Language-Name"), Catalog.Language.Name});
        F.append({QStringLiteral("Language-Code"), Catalog.Language.Code});
        if (!Catalog.Superior.isEmpty())
            F.append({QStringLiteral("Superior-Language"), Catalog.Superior});
    }
    if (!Catalog.Design.Name.isEmpty())
        F.append({QStringLiteral("Design-Language-Name"), Catalog.Design.Name});
    if (!Catalog.Design.Code.isEmpty())
        F.append({QStringLiteral("Design-Language-Code"), Catalog.Design.Code});
    if (!Template) {
        F.append({QStringLiteral("Signature"), Catalog.Signature});
        F.append({QStringLiteral("Encoding"), EncodingName(Catalog.Encoding)});
        if (!Catalog.Flag.isEmpty())
            F.append({QStringLiteral("Flag"), QString::fromLatin1(Catalog.Flag.toHex().toUpper())});
    }
    return F;
}

bool SetCatalogHeaderField(TTranslationCatalog &Catalog, const QString &Name, const QString &Value, QString &Error)
{
    if (Name == QLatin1String("Language-Name"))
        Catalog.Language.Name = Value;
    else if (Name == QLatin1String("Language-Code"))
        Catalog.Language.Code = Value;
    else if (Name == QLatin1String("Superior-Language"))
        Catalog.Superior = Value;
    else if (Name == QLatin1String("Design-Language-Name"))
        Catalog.Design.Name = Value;
    else if (Name == QLatin1String("Design-Language-Code"))
        Catalog.Design.Code = Value;
    else if (Name == QLatin1String("Signature"))
        Catalog.Signature = Value;
    else if (Name == QLatin1String("Encoding")) {
        for (TLFEncoding E :
             {TLFEncoding::Unicode, TLFEncoding::BigEndianUnicode, TLFEncoding::UTF8, TLFEncoding::ANSI})
            if (Value == EncodingName(E)) {
                Catalog.Encoding = E;
                return true;
            }
        Error = QStringLiteral("unknown language-file encoding \"%1\"").arg(Value);
        return false;
    } else if (Name == QLatin1String("Flag")) {
        const QByteArray Hex = Value.toLatin1();
        for (char C : Hex)
            if (!std::isxdigit(static_cast<unsigned char>(C))) {
                Error = QStringLiteral("the flag is not written in hexadecimal");
                return false;
            }
        if (Hex.size() % 2 != 0) {
            Error = QStringLiteral("the flag is not written in hexadecimal");
            return false;
        }
        Catalog.Flag = QByteArray::fromHex(Hex);
    }
    return true;
}

QString FormatExchangeHeader(const TTranslationCatalog &Catalog, bool Template, ExchangeHeaderStyle)
{
    QString H;
    H += QStringLiteral("Project-Id-Version: %1\n").arg(Template ? Catalog.Design.Name : Catalog.Language.Name);
    // The revision date is the export's: a translator's tool replaces it.
    H += QStringLiteral("PO-Revision-Date: %1\n")
             .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm+0000")));
    H += QStringLiteral("Last-Translator: \n");
    H += QStringLiteral("Language-Team: \n");
    H += QStringLiteral("Language: %1\n").arg(Template ? QString() : Catalog.Language.Code);
    H += QStringLiteral("MIME-Version: 1.0\n");
    H += QStringLiteral("Content-Type: text/plain; charset=UTF-8\n");
    H += QStringLiteral("Content-Transfer-Encoding: 8bit\n");
    for (const auto &[Name, Value] : CatalogHeaderFields(Catalog, Template))
        H += PoPrefix + Name + QStringLiteral(": ") + Value + QLatin1Char('\n');
    return H;
}

bool ReadExchangeHeader(const QString &Header, ExchangeHeaderStyle, TTranslationCatalog &Catalog, QString &Error)
{
    const QStringList Lines = Header.split(u'\n');
    for (const QString &Line : Lines) {
        if (!Line.startsWith(PoPrefix))
            continue;
        const qsizetype Colon = Line.indexOf(u':');
        if (Colon < 0)
            continue;
        const QString Value = Line.mid(Colon + 1).trimmed();
        if (!SetCatalogHeaderField(Catalog, Line.mid(PoPrefix.size(), Colon - PoPrefix.size()), Value, Error))
            return false;
    }
    return true;
}
