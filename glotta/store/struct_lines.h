#pragma once
// The two records in which structure lines travel between the store and its
// users: taken apart into the parts of the line ID, or with the ID whole.

#include "glotta/store/glotta_store_export.h"
#include <QString>

struct GLOTTA_STORE_EXPORT TFullStructLine
{
    QString CompName;
    QString OwnerName;
    QString Translation;
    QString ItemAddr;
    quint16 PropertyID = 0;
    quint16 Descent = 0;
    quint16 Changeable = 0;
};

struct GLOTTA_STORE_EXPORT TSimpleStructLine
{
    QString LineID;
    QString Translation;
    quint16 Descent = 0;
    quint16 Changeable = 0;
};
