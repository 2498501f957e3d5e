#pragma once
// TLangCombo: a drop-down list of the engine's menu list (its languages and
// command entries) with the current language selected; picking an entry
// switches the engine's language.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_control.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

#include <QComboBox>
#include <QPointer>
#include <functional>

class QAbstractItemDelegate;
class QPainter;

class GLOTTA_WIDGETS_EXPORT TLangCombo : public QComboBox, public TComponentHooks, public TLangControl
{
    Q_OBJECT
    Q_PROPERTY(TGlottaEngine *GlottaEngine READ GlottaEngine WRITE SetGlottaEngine)
    Q_PROPERTY(TLangComboStyle StyleCombo READ StyleCombo WRITE SetStyleCombo)
public:
    // Drop-down list; owner-drawn with one item height; owner-drawn with an
    // item height per item. Owner-drawn boxes leave painting (and, for the
    // variable style, measuring) to OnDrawItem and OnMeasureItem.
    enum TLangComboStyle { scDropDownList, scOwnerDrawFixed, scOwnerDrawVariable };
    Q_ENUM(TLangComboStyle)

    // Paints item Index into Rect of Painter; Selected tells the state.
    using TDrawItemEvent = std::function<void(QObject *Sender, int Index, QPainter *Painter,
                                              const QRect &Rect, bool Selected)>;
    // Sets the height of item Index.
    using TMeasureItemEvent = std::function<void(QObject *Sender, int Index, int &Height)>;

    explicit TLangCombo(QWidget *Parent = nullptr);
    ~TLangCombo() override;

    TGlottaEngine *GlottaEngine() const { return fGlottaEngine; }
    // Empties the box, then attaches it to Value, which fills it.
    void SetGlottaEngine(TGlottaEngine *Value);
    // A box made editable (an editable drop-down or a simple box) is turned
    // back into a drop-down list, which is what it then reports.
    TLangComboStyle StyleCombo();
    // An unknown value gives a drop-down list.
    void SetStyleCombo(TLangComboStyle Value);

    TNotifyEvent OnChangeLanguage;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex) override;
    void ClearLanguages() override;
    void Loaded() override;
    void Notification(QObject *AComponent, TOperation Operation) override;

private:
    class TOwnerDrawDelegate;
    TGlottaEngine *fGlottaEngine = nullptr; // not owned; cleared by free notification
    TLangComboStyle fStyle = scDropDownList;
    TOwnerDrawDelegate *fOwnerDraw = nullptr; // a child of the box
    QPointer<QAbstractItemDelegate> fPlainDelegate; // the box's own, for a return to the plain style
};
