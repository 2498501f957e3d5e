#pragma once
// TStructItem: the translation of one line of a component structure, owned by
// the line's entry in the structure's sorted list.

#include "glotta/store/glotta_store_export.h"
#include "toolkit/core/object.h"

#include <QString>

class GLOTTA_STORE_EXPORT TStructItem : public TObject
{
public:
    TStructItem(const QString &ItemTranslation, quint16 LangDescent, quint16 ItemChangeable)
        : Translation(ItemTranslation), Descent(LangDescent), Changeable(ItemChangeable)
    {
    }

    QString Translation; // current text: translated, inherited or designed
    quint16 Descent;     // where the text comes from (descent word)
    quint16 Changeable;  // flag word of the line
};
