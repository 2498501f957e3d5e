#pragma once
// TLangFlag: an image control showing the flag of its engine's current
// language, or nothing when that language brings no usable flag.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/widgets/flag_picture.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_control.h"
#include "toolkit/core/component.h"
#include "toolkit/widgets/picture.h"

#include <QWidget>

class GLOTTA_WIDGETS_EXPORT TLangFlag : public QWidget, public TComponentHooks, public TLangControl
{
    Q_OBJECT
    Q_PROPERTY(TGlottaEngine *GlottaEngine READ GlottaEngine WRITE SetGlottaEngine)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
public:
    explicit TLangFlag(QWidget *Parent = nullptr);
    ~TLangFlag() override;

    TGlottaEngine *GlottaEngine() const { return fGlottaEngine; }
    // Clears the picture, then attaches the control to Value, which fills it.
    void SetGlottaEngine(TGlottaEngine *Value);
    // A bitmap's white pixels let the background show through; an icon
    // keeps its own transparency either way.
    bool Transparent() const { return fTransparent; }
    void SetTransparent(bool Value);
    // The picture sits in the middle of the control, else at its top left.
    bool Center() const { return fCenter; }
    void SetCenter(bool Value);
    // The flag shown; empty when none.
    const TPicture &Picture() const { return fPicture; }

    QSize sizeHint() const override { return QSize(FlagSize, FlagSize); }

    void UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex) override;
    // A flag keeps its picture when the engine lets it go; only detaching
    // through GlottaEngine clears it.
    void ClearLanguages() override {}
    void Loaded() override;
    void Notification(QObject *AComponent, TOperation Operation) override;

protected:
    void paintEvent(QPaintEvent *Event) override;

private:
    void SetPicture(const TPicture &Value, TFlagKind Kind);

    TGlottaEngine *fGlottaEngine = nullptr; // not owned; cleared by free notification
    bool fTransparent = true;
    bool fCenter = true;
    TPicture fPicture;
    TFlagKind fKind = fkNone;
};
