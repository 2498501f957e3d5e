#pragma once
// The typed value stream through which a component stores extra data of its
// own in a stored design: list start, list end, texts and integers. A list
// maps onto a JSON array, a text onto a JSON string, an integer onto a number.

#include "toolkit/core/toolkit_core_export.h"
#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <vector>

class TOOLKIT_CORE_EXPORT TValueWriter
{
public:
    void WriteListBegin();
    void WriteListEnd();
    void WriteString(const QString &Value);
    void WriteInteger(qint64 Value);
    // The written value: the outermost list (or the single value written).
    QJsonValue Result() const;

private:
    void Append(const QJsonValue &Value);
    std::vector<QJsonArray> fOpen;
    QJsonValue fResult;
};

class TOOLKIT_CORE_EXPORT TValueReader
{
public:
    enum TValueKind { vaNull, vaList, vaString, vaInteger, vaOther };

    explicit TValueReader(const QJsonValue &Root);

    TValueKind NextValue() const;
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    QString ReadString();
    int ReadInteger();

private:
    QJsonValue Current() const; // Undefined past the end
    void Advance();
    struct TLevel
    {
        QJsonArray Array;
        qsizetype Pos;
    };
    QJsonValue fRoot;
    bool fRootTaken = false;
    std::vector<TLevel> fLevels;
};
