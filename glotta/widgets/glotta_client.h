#pragma once
// TGlottaClient: the property client a form carries to have its texts
// translated. It decides which widgets and which of their properties hold
// texts, their property-type IDs and item paths, and which texts only repeat
// another one. The per-widget reading and writing lives in client/, one file
// per widget family. Stored designs name the members of the five property
// sets; older designs that hold the sets as numbers still load.

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_names.h"

#include <QStringList>
#include <initializer_list>
#include <memory>

class QEvent;
class TItemMemory;

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

// The masks of the tag rules.
constexpr quint32 HintPropertiesMask = PropertySet({pnHint, pnTextHint, pnEditLabelHint, pnBalloonHint});
constexpr quint32 TextPropertyMask = PropertySet({pnText});

// Tags that narrow what is translated of one component.
constexpr int TagSkipComponent = -799;
constexpr int TagNoHints = -798;
constexpr int TagNoText = -797;
constexpr int TagTextOnly = -790;
constexpr int TagHintsOnly = -789;

// The five published sets, as the stored design names them.
enum class TTransSet { StringProp, TStringsProp, StructuredProp, OtherProp, Additions };
// The member names of a set by ordinal (an empty name: no member).
const QStringList &TransSetMembers(TTransSet Set);
// The members of Value by name, in ordinal order.
QStringList TransSetNames(TTransSet Set, quint32 Value);
// The set of the named members; false, with Unknown naming the first name
// that is no member.
bool TransSetFromNames(TTransSet Set, const QStringList &Names, quint32 &Value, QString &Unknown);

// Captions equal after the accelerator markers are taken out, ignoring
// letter case under the user's locale.
bool SameCaption(const QString &A, const QString &B);

class TGlottaClient : public TGlottaCPC
{
    Q_OBJECT
    Q_PROPERTY(uint TransStringProp READ TransStringProp WRITE SetTransStringProp)
    Q_PROPERTY(uint TransTStringsProp READ TransTStringsProp WRITE SetTransTStringsProp)
    Q_PROPERTY(uint TransStructuredProp READ TransStructuredProp WRITE SetTransStructuredProp)
    Q_PROPERTY(uint TransOtherProp READ TransOtherProp WRITE SetTransOtherProp)
    Q_PROPERTY(uint TransAdditions READ TransAdditions WRITE SetTransAdditions)
public:
    // On a toolkit form the client takes over the form's creation event at
    // once (so a design sets OnCreate before it creates its components).
    // Any other window is started by the first of: the application calling
    // Translate() (or the engine's InitEngine), or the window's first Show.
    explicit TGlottaClient(QObject *Owner = nullptr);
    ~TGlottaClient() override;

    // The writers keep only the members a client accepts. A changed set on a
    // client that shows a language rebuilds its design structure.
    quint32 TransStringProp() const { return fTransStringProp; }
    void SetTransStringProp(quint32 Value);
    quint32 TransTStringsProp() const { return fTransTStringsProp; }
    void SetTransTStringsProp(quint32 Value);
    quint32 TransStructuredProp() const { return fTransStructuredProp; }
    void SetTransStructuredProp(quint32 Value);
    quint32 TransOtherProp() const { return fTransOtherProp; }
    void SetTransOtherProp(quint32 Value);
    quint32 TransAdditions() const { return fTransAdditions; }
    void SetTransAdditions(quint32 Value);

    // The effective sets of the component being processed.
    quint32 CmpTransStringProp = DefaultTransStringProp;
    quint32 CmpTransTStringsProp = DefaultTransTStringsProp;
    quint32 CmpTransStructuredProp = DefaultTransStructuredProp;
    quint32 CmpTransOtherProp = DefaultTransOtherProp;

    bool TranslatesStringProperty(quint8 Ordinal) const override;
    bool TranslatesStringsProperty(quint8 Ordinal) const override;
    bool TranslatesStructuredProperty(quint8 Ordinal) const override;
    bool TranslatesOtherProperty(quint8 Ordinal) const override;
    bool ValueDiffers(quint16 PropertyType, const QString &Value, const QString &Reference) const override;
    void ProcessComponent(QObject *Component, bool Collect) override;

    // The effective sets for a component tagged Tag; false: skip it.
    bool ApplyTagRules(int Tag);
    // Component belongs to a class a row of RowClass skips.
    bool IsExcludedDescendant(const QObject *Component, const char *RowClass) const;
    // Component is a RowClass that the row does not skip.
    bool MatchesClass(const QObject *Component, const char *RowClass) const;

protected:
    // The texts inside collections (status-bar panels, trees, list and table
    // views, headers, file-dialog filters and labels, message boxes, tray
    // icons, action bars) after a component's own texts.
    virtual void ProcessCollections(QObject *Component, bool Collect);
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void SetSets(quint32 &Field, quint32 Value);

    quint32 fTransStringProp = DefaultTransStringProp;
    quint32 fTransTStringsProp = DefaultTransTStringsProp;
    quint32 fTransStructuredProp = DefaultTransStructuredProp;
    quint32 fTransOtherProp = DefaultTransOtherProp;
    quint32 fTransAdditions = DefaultTransAdditions;
    // Which collection item each collected line came from.
    std::unique_ptr<TItemMemory> fItems;
};
