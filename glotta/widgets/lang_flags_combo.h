#pragma once
// TLangFlagsCombo: a drop-down list of the engine's menu list in which every
// entry shows its flag; picking an entry switches the engine's language.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_control.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"

#include <QComboBox>
#include <QIcon>
#include <QList>

class GLOTTA_WIDGETS_EXPORT TLangFlagsCombo : public QComboBox, public TComponentHooks, public TLangControl
{
    Q_OBJECT
    Q_PROPERTY(TGlottaEngine *GlottaEngine READ GlottaEngine WRITE SetGlottaEngine)
public:
    // The list's items are this much lower than the box itself.
    static constexpr int ItemHeightMargin = 6;

    explicit TLangFlagsCombo(QWidget *Parent = nullptr);
    ~TLangFlagsCombo() override;

    TGlottaEngine *GlottaEngine() const { return fGlottaEngine; }
    // Empties the box, then attaches it to Value, which fills it.
    void SetGlottaEngine(TGlottaEngine *Value);
    // The height of every item of the list: the box's height less ItemHeightMargin.
    int ItemHeight() const;
    // The flag images the items show, item i image i.
    const QList<QIcon> &Images() const { return fImages; }

    TNotifyEvent OnChangeLanguage;

    void UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex) override;
    void ClearLanguages() override;
    void Loaded() override;
    void Notification(QObject *AComponent, TOperation Operation) override;

private:
    void Empty();

    TGlottaEngine *fGlottaEngine = nullptr; // not owned; cleared by free notification
    QList<QIcon> fImages;
};
