#pragma once
// TGlottaComponent: the base of every component that attaches to an engine
// (property clients, lexicons, the resource-string translator). TGlottaCPC
// adds what a client that translates the texts of one form needs.

#include "component.h"
#include "events.h"

#include <QObject>


#include "glotta_core.h"

class TGlottaComponent : public QObject, public TComponentHooks
{
    Q_OBJECT
    Q_PROPERTY(TGlottaCore *GlottaEngine READ GlottaEngine WRITE SetGlottaEngine)
    Q_PROPERTY(bool GlobalLexicon READ GlobalLexicon WRITE SetGlobalLexicon)
public:
    explicit TGlottaComponent(QObject *Owner = nullptr);
    ~TGlottaComponent() override;

    TGlottaCore *GlottaEngine() const { return fGlottaEngine; }
    virtual void SetGlottaEngine(TGlottaCore *Value);
    bool GlobalLexicon() const { return fConnectedGlobal; }
    void SetGlobalLexicon(bool Value);

    // Name of the language whose texts the component shows; empty for the designed texts.
    QString LMComponentLanguage;
    TNotifyEvent OnChangeLanguage;

    void Notification(QObject *AComponent, TOperation Operation) override;

protected:
    TGlottaCore *fGlottaEngine = nullptr; // cleared by free notification
    bool fConnectedGlobal = false;
};

class TGlottaCPC : public TGlottaComponent
{
    Q_OBJECT
    Q_PROPERTY(bool InitAfterCreateForm READ InitAfterCreateForm WRITE SetInitAfterCreateForm)
public:
    explicit TGlottaCPC(QObject *Owner = nullptr);

    bool InitAfterCreateForm() const { return fAfterCreate; }
    void SetInitAfterCreateForm(bool Value) { fAfterCreate = Value; }

protected:
    bool fAfterCreate = false;
};
