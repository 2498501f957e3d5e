#include "glotta/store/property_ids.h"

quint16 StringPropertyID(int Ordinal)
{
    return quint16(Ordinal & 127);
}

quint16 StringsPropertyID(int Ordinal)
{
    return quint16(32 + (Ordinal & 127));
}

quint16 StructuredPropertyID(int Ordinal)
{
    return quint16(64 + (Ordinal & 127));
}

quint16 OtherPropertyID(int Ordinal)
{
    return quint16(96 + (Ordinal & 127));
}

QString AddrToken(const QString &S)
{
    QString R = S;
    for (QChar &C : R) {
        switch (C.unicode()) {
        case '.':
            C = QLatin1Char(':');
            break;
        case ',':
        case ';':
        case '"':
            C = QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return R;
}

QString AddIndexToAddr(const QString &Addr, int Index)
{
    return Addr + QLatin1Char(',') + QString::number(Index);
}

QString AddTokenToAddr(const QString &Addr, const QString &Token)
{
    return Addr + QLatin1Char(',') + Token;
}

QString AddSubPropertyToAddr(const QString &Addr, int ID)
{
    return Addr + QLatin1Char('.') + QString::number(ID);
}

QString AddSubPropertyToAddr(const QString &Addr, TStringProperties Ordinal)
{
    return AddSubPropertyToAddr(Addr, int(Ordinal) & 127);
}

QString PropertyTypeName(int ID, const QStringList &LMAdditionNames)
{
    const QString Unknown = QStringLiteral("Unknown");
    if (ID >= 0 && ID < PropertyNamesCount)
        return QString::fromLatin1(PropertyNames[ID]);
    if (ID >= SubPropertyFirstID && ID <= SubPropertyLastID)
        return QString::fromLatin1(SubPropertyNames[ID - SubPropertyFirstID]);
    if (ID >= AdditionPropertyFirstID) {
        const qsizetype Entry = qsizetype(ID) - AdditionPropertyFirstID;
        return Entry < LMAdditionNames.size() ? LMAdditionNames.at(Entry) : Unknown;
    }
    return Unknown;
}
