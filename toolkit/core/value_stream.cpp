#include "toolkit/core/value_stream.h"

#include "toolkit/core/exception.h"

#include <cmath>
#include <limits>

void TValueWriter::Append(const QJsonValue &Value)
{
    if (fOpen.empty())
        fResult = Value;
    else
        fOpen.back().append(Value);
}

void TValueWriter::WriteListBegin()
{
    fOpen.emplace_back();
}

void TValueWriter::WriteListEnd()
{
    if (fOpen.empty())
        throw EReadError(QStringLiteral("List end without list start"));
    QJsonArray Done = std::move(fOpen.back());
    fOpen.pop_back();
    Append(Done);
}

void TValueWriter::WriteString(const QString &Value)
{
    Append(Value);
}

void TValueWriter::WriteInteger(qint64 Value)
{
    Append(double(Value));
}

QJsonValue TValueWriter::Result() const
{
    return fResult;
}

TValueReader::TValueReader(const QJsonValue &Root) : fRoot(Root) {}

QJsonValue TValueReader::Current() const
{
    if (fLevels.empty())
        return fRootTaken ? QJsonValue(QJsonValue::Undefined) : fRoot;
    const TLevel &L = fLevels.back();
    if (L.Pos >= L.Array.size())
        return QJsonValue(QJsonValue::Undefined);
    return L.Array.at(L.Pos);
}

void TValueReader::Advance()
{
    if (fLevels.empty())
        fRootTaken = true;
    else
        ++fLevels.back().Pos;
}

TValueReader::TValueKind TValueReader::NextValue() const
{
    const QJsonValue V = Current();
    if (V.isUndefined())
        return vaNull;
    if (V.isArray())
        return vaList;
    if (V.isString())
        return vaString;
    if (V.isDouble())
        return vaInteger;
    return vaOther;
}

void TValueReader::ReadListBegin()
{
    const QJsonValue V = Current();
    if (!V.isArray())
        throw EReadError(QStringLiteral("Invalid property value: list expected"));
    QJsonArray A = V.toArray();
    Advance();
    fLevels.push_back(TLevel{A, 0});
}

bool TValueReader::EndOfList() const
{
    return fLevels.empty() || fLevels.back().Pos >= fLevels.back().Array.size();
}

void TValueReader::ReadListEnd()
{
    if (fLevels.empty() || !EndOfList())
        throw EReadError(QStringLiteral("Invalid property value: list end expected"));
    fLevels.pop_back();
}

QString TValueReader::ReadString()
{
    const QJsonValue V = Current();
    if (!V.isString())
        throw EReadError(QStringLiteral("Invalid property value: text expected"));
    QString S = V.toString();
    Advance();
    return S;
}

int TValueReader::ReadInteger()
{
    const QJsonValue V = Current();
    if (!V.isDouble())
        throw EReadError(QStringLiteral("Invalid property value: integer expected"));
    const double D = V.toDouble();
    if (D != std::floor(D) || D < double(std::numeric_limits<int>::min())
        || D > double(std::numeric_limits<int>::max()))
        throw EReadError(QStringLiteral("Invalid property value: integer expected"));
    Advance();
    return int(D);
}
