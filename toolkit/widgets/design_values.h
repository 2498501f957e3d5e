#pragma once
// Conversions between stored-design JSON values and property values. Each
// throws EDesignValue, naming what was expected, for a value it cannot use.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include "toolkit/core/exception.h"

#include <QFont>
#include <QJsonValue>
#include <QList>
#include <QMetaProperty>
#include <QStringList>
#include <QVariant>

// A property value a design cannot use; the reader adds the place.
GLOTTA_DECLARE_EXCEPTION(EDesignValue, Exception)

TOOLKIT_WIDGETS_EXPORT int ToInt(const QJsonValue &V);
TOOLKIT_WIDGETS_EXPORT QString ToText(const QJsonValue &V);
TOOLKIT_WIDGETS_EXPORT bool ToBool(const QJsonValue &V);
TOOLKIT_WIDGETS_EXPORT QList<int> ToInts(const QJsonValue &V, int Count);
TOOLKIT_WIDGETS_EXPORT QStringList ToTexts(const QJsonValue &V);
// A font as {"Name", "Height" (pixels), "Style": [fsBold, fsItalic, fsUnderline]}.
TOOLKIT_WIDGETS_EXPORT QJsonValue FontToJson(const QFont &F);
TOOLKIT_WIDGETS_EXPORT QFont JsonToFont(const QJsonValue &V);
// A Qt property's value as a design stores it, by the property's type;
// Undefined for a type designs cannot store.
TOOLKIT_WIDGETS_EXPORT QJsonValue VariantToJson(const QMetaProperty &P, const QVariant &V);
TOOLKIT_WIDGETS_EXPORT QVariant JsonToVariant(const QMetaProperty &P, const QJsonValue &J);
