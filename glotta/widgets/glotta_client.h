#pragma once
// TGlottaClient: the property client a form carries to have its texts translated.
// The five property sets are stored as their numeric set values.

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_names.h"

#include <initializer_list>

// The one member of the additions set.
enum TAdditionProperties : quint8 { adCount };

// The numeric value of a set of property members: bit n for the member with ordinal n.
template<typename TMember>
constexpr quint32 PropertySet(std::initializer_list<TMember> Members)
{
    quint32 Set = 0;
    for (const TMember M : Members)
        Set |= 1u << M;
    return Set;
}

// Every member from ordinal 0 up to and including Last.
template<typename TMember>
constexpr quint32 PropertySetThrough(TMember Last)
{
    return quint32((quint64(1) << (Last + 1)) - 1);
}

// The members each set's writer keeps; the others are dropped. pnHeaderTitle,
// pnFieldLabel and pnEmptyText are kept although no widget kind has them.
constexpr quint32 AcceptedTransStringProp = PropertySetThrough(pnEmptyText) & ~PropertySet({pnPrompt});
constexpr quint32 AcceptedTransTStringsProp = PropertySetThrough(pnFooter);
constexpr quint32 AcceptedTransStructuredProp = PropertySetThrough(pnStateCaptions) & ~PropertySet({pnMessages});
constexpr quint32 AcceptedTransOtherProp = PropertySet({pnFilter, cnTChart, cnTActionManager, cnTGestureManager});
constexpr quint32 AcceptedTransAdditions = PropertySet({adCount});

// A new client's sets.
constexpr quint32 DefaultTransStringProp = AcceptedTransStringProp & ~PropertySet({pnHelpKeyword, pnSimpleText});
constexpr quint32 DefaultTransTStringsProp = AcceptedTransTStringsProp;
constexpr quint32 DefaultTransStructuredProp =
    AcceptedTransStructuredProp & ~PropertySet({pnPanels, pnTreeItems, pnListItems});
constexpr quint32 DefaultTransOtherProp = PropertySet({pnFilter, cnTChart, cnTActionManager});
constexpr quint32 DefaultTransAdditions = 0;

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
    void SetTransStringProp(quint32 Value) { fTransStringProp = Value & AcceptedTransStringProp; }
    quint32 TransTStringsProp() const { return fTransTStringsProp; }
    void SetTransTStringsProp(quint32 Value) { fTransTStringsProp = Value & AcceptedTransTStringsProp; }
    quint32 TransStructuredProp() const { return fTransStructuredProp; }
    void SetTransStructuredProp(quint32 Value) { fTransStructuredProp = Value & AcceptedTransStructuredProp; }
    quint32 TransOtherProp() const { return fTransOtherProp; }
    void SetTransOtherProp(quint32 Value) { fTransOtherProp = Value & AcceptedTransOtherProp; }
    quint32 TransAdditions() const { return fTransAdditions; }
    void SetTransAdditions(quint32 Value) { fTransAdditions = Value & AcceptedTransAdditions; }

private:
    quint32 fTransStringProp = DefaultTransStringProp;
    quint32 fTransTStringsProp = DefaultTransTStringsProp;
    quint32 fTransStructuredProp = DefaultTransStructuredProp;
    quint32 fTransOtherProp = DefaultTransOtherProp;
    quint32 fTransAdditions = DefaultTransAdditions;
};
