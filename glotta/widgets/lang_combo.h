#pragma once
// TLangCombo: a combo box of the engine's language menu; picking an entry
// switches the engine's current language.

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

#include <QComboBox>

#include "glotta/widgets/glotta_engine.h"

class TLangCombo : public QComboBox, public TComponentHooks
{
    Q_OBJECT
    Q_PROPERTY(TGlottaEngine *GlottaEngine READ GlottaEngine WRITE SetGlottaEngine)
    Q_PROPERTY(TLangComboStyle StyleCombo READ StyleCombo WRITE SetStyleCombo)
public:
    enum TLangComboStyle { scDropDownList, scOwnerDrawFixed, scOwnerDrawVariable };
    Q_ENUM(TLangComboStyle)

    explicit TLangCombo(QWidget *Parent = nullptr);

    TGlottaEngine *GlottaEngine() const { return fGlottaEngine; }
    void SetGlottaEngine(TGlottaEngine *Value);
    TLangComboStyle StyleCombo() const { return fStyle; }
    void SetStyleCombo(TLangComboStyle Value);

    TNotifyEvent OnChangeLanguage;

    void Notification(QObject *AComponent, TOperation Operation) override;

private:
    TGlottaEngine *fGlottaEngine = nullptr; // not owned; cleared by free notification
    TLangComboStyle fStyle = scDropDownList;
};
