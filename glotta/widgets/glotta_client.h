#pragma once
// TGlottaClient: the property client a form carries to have its texts translated.
// The five property sets are stored as their numeric set values.

#include "glotta_component.h"

class TGlottaClient : public TGlottaCPC
{
    Q_OBJECT
    Q_PROPERTY(uint TransStringProp READ TransStringProp WRITE SetTransStringProp)
    Q_PROPERTY(uint TransTStringsProp READ TransTStringsProp WRITE SetTransTStringsProp)
    Q_PROPERTY(uint TransStructuredProp READ TransStructuredProp WRITE SetTransStructuredProp)
    Q_PROPERTY(uint TransOtherProp READ TransOtherProp WRITE SetTransOtherProp)
    Q_PROPERTY(uint TransAdditions READ TransAdditions WRITE SetTransAdditions)
public:
    explicit TGlottaClient(QObject *Owner = nullptr);

    // The writers keep only the members a client accepts.
    quint32 TransStringProp() const { return fTransStringProp; }
    void SetTransStringProp(quint32 Value) { fTransStringProp = Value & 7340031u; }
    quint32 TransTStringsProp() const { return fTransTStringsProp; }
    void SetTransTStringsProp(quint32 Value) { fTransTStringsProp = Value & 255u; }
    quint32 TransStructuredProp() const { return fTransStructuredProp; }
    void SetTransStructuredProp(quint32 Value) { fTransStructuredProp = Value & 229375u; }
    quint32 TransOtherProp() const { return fTransOtherProp; }
    void SetTransOtherProp(quint32 Value) { fTransOtherProp = Value & 225u; }
    quint32 TransAdditions() const { return fTransAdditions; }
    void SetTransAdditions(quint32 Value) { fTransAdditions = Value & 1u; }

private:
    quint32 fTransStringProp = 7337727;
    quint32 fTransTStringsProp = 255;
    quint32 fTransStructuredProp = 229230;
    quint32 fTransOtherProp = 97;
    quint32 fTransAdditions = 0;
};
