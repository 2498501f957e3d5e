#pragma once
// Conversions between stored-design JSON values and property values. Each
// throws EDesignValue, naming what was expected, for a value it cannot use.

#include "toolkit/core/exception.h"

#include <QFont>
#include <QJsonValue>
#include <QList>
#include <QMetaProperty>
#include <QStringList>
#include <QVariant>

// A property value a design cannot use; the reader adds the place.
GLOTTA_DECLARE_EXCEPTION(EDesignValue, Exception)

int ToInt(const QJsonValue &V);
QString ToText(const QJsonValue &V);
bool ToBool(const QJsonValue &V);
QList<int> ToInts(const QJsonValue &V, int Count);
QStringList ToTexts(const QJsonValue &V);
// A font as {"Name", "Height" (pixels), "Style": [fsBold, fsItalic, fsUnderline]}.
QJsonValue FontToJson(const QFont &F);
QFont JsonToFont(const QJsonValue &V);
// A Qt property's value as a design stores it, by the property's type;
// Undefined for a type designs cannot store.
QJsonValue VariantToJson(const QMetaProperty &P, const QVariant &V);
QVariant JsonToVariant(const QMetaProperty &P, const QJsonValue &J);
