#pragma once
// The root of the plain (non-QObject) classes that string lists can own,
// such as the records of the translation store.

#include "toolkit/core/toolkit_core_export.h"

class TOOLKIT_CORE_EXPORT TObject
{
public:
    TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    virtual ~TObject() = default;
};
