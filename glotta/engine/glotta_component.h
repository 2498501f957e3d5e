#pragma once
// TGlottaComponent: the base of every component that attaches to an engine
// (property clients, lexicons, the resource-string translator). It registers
// in the engine's registry and takes over language changes. TGlottaCPC adds
// what a client that translates the texts of one form needs: the snapshot of
// the form's designed texts (its design structure) and the names of its lines.

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/span_client.h"

#include <QObject>
#include <memory>

class TComponentStructure;

class TGlottaComponent : public QObject, public TComponentHooks, public TSpanClient
{
    Q_OBJECT
    Q_PROPERTY(TGlottaCore *GlottaEngine READ GlottaEngine WRITE SetGlottaEngine)
    Q_PROPERTY(bool GlobalLexicon READ GlobalLexicon WRITE SetGlobalLexicon)
public:
    explicit TGlottaComponent(QObject *Owner = nullptr);
    ~TGlottaComponent() override;

    TGlottaCore *GlottaEngine() const { return fGlottaEngine; }
    // Detaches from the present engine (unregistering) and attaches to Value
    // (registering); outside design loading the component then takes over
    // the engine's language.
    virtual void SetGlottaEngine(TGlottaCore *Value);
    bool GlobalLexicon() const override { return fConnectedGlobal; }
    void SetGlobalLexicon(bool Value);

    // Prepare for translation; nothing here.
    void InitClient() override {}
    void PrepareForDesignTimeEdit() override {}
    // Take over the engine's current language and raise OnChangeLanguage.
    void ChangeLanguage() override;

    // Name of the language whose texts the component shows; empty for the designed texts.
    QString LMComponentLanguage;
    QString ComponentLanguage() const override { return LMComponentLanguage; }
    void SetComponentLanguage(const QString &Language) override { LMComponentLanguage = Language; }
    QString SpanName() const override { return objectName(); }
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
    ~TGlottaCPC() override;

    bool InitAfterCreateForm() const { return fAfterCreate; }
    void SetInitAfterCreateForm(bool Value) { fAfterCreate = Value; }

    // The designed texts of the form, one line per collected text.
    TComponentStructure &DesignStruct() { return *fDesignStruct; }
    const TComponentStructure &DesignStruct() const { return *fDesignStruct; }
    // Owner name written into line IDs for the form's own components; empty
    // means the form's base name.
    QString LanguageOwner;
    bool CSInitialized = false;
    // LanguageOwner, or the base name of the client's owner.
    QString GetLanguageOwner() const;
    QString SpanName() const override { return GetLanguageOwner(); }
    bool HasDesignLine(const QString &LineID) const override;

    // Collects the design structure once.
    void InitClient() override;
    // Applies the engine's current language to the form, collecting first
    // when needed; without an initialised engine only the base behaviour.
    void ChangeLanguage() override;

    virtual bool NeedsAfterCollect() const { return false; }
    virtual void AfterCollect() {}
    // Collects (Collect) or applies the texts of every component of the
    // form. The property client fills it; here there is nothing to walk.
    virtual void ProcessAllComponents(bool Collect) { Q_UNUSED(Collect); }

protected:
    bool fAfterCreate = false;
    std::unique_ptr<TComponentStructure> fDesignStruct;
};
