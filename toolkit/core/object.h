#pragma once
// The root of the plain (non-QObject) classes that string lists can own,
// such as the records of the translation store.

class TObject
{
public:
    TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    virtual ~TObject() = default;
};
