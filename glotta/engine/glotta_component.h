#pragma once
// TGlottaComponent: the base of every component that attaches to an engine
// (property clients, lexicons, the resource-string translator). It registers
// in the engine's registry and takes over language changes. TGlottaCPC adds
// what a client that translates the texts of one form needs: the snapshot of
// the form's designed texts (its design structure) and the names of its lines.

#include "glotta/engine/glotta_engine_export.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/span_client.h"

#include <QObject>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

class TComponentStructure;

class GLOTTA_ENGINE_EXPORT TGlottaComponent : public QObject, public TComponentHooks, public TSpanClient
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

class GLOTTA_ENGINE_EXPORT TGlottaCPC : public TGlottaComponent
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
    // The form's own creation handler, kept while the client has taken over
    // the form's creation event; OwnerCreated runs it once.
    TNotifyEvent OwnerOnCreate;

    // LanguageOwner, or the base name of the client's owner.
    QString GetLanguageOwner() const;
    // The owner part of a component's line IDs: the language owner for the
    // client's own form, another owner's name unchanged, empty for a form.
    QString GetOwnerName(const QObject *Component) const;
    QString SpanName() const override { return GetLanguageOwner(); }
    // Leaving an engine puts the designed texts back first: the engine's
    // language would otherwise stay on the form with nothing left to undo it.
    void SetGlottaEngine(TGlottaCore *Value) override;
    bool HasDesignLine(const QString &LineID) const override;

    // Collects the design structure once.
    void InitClient() override;
    // Without an engine: shows the designed texts again. With an initialised
    // engine: applies its current language (collecting first when needed).
    void ChangeLanguage() override;

    // Whether the member Ordinal of each property enumeration is translated.
    virtual bool TranslatesStringProperty(quint8 Ordinal) const;
    virtual bool TranslatesStringsProperty(quint8 Ordinal) const;
    virtual bool TranslatesStructuredProperty(quint8 Ordinal) const;
    virtual bool TranslatesOtherProperty(quint8 Ordinal) const;
    virtual bool NeedsAfterCollect() const { return false; }
    virtual void AfterCollect() {}
    // The form's creation event, taken over by the client: the form's own
    // handler (before or after the engine's initialisation, as
    // InitAfterCreateForm says) with the client as sender. Runs once; a
    // second creation event (or a first Show after it) does nothing.
    virtual void OwnerCreated(QObject *Sender);
    bool OwnerCreatedRun() const { return fOwnerCreatedRun; }
    // Whether the stored-design rules of collecting hold: a text equal to its
    // component's name and a text without letters are no designed texts.
    virtual bool DesignedTextRules() const { return true; }
    // Whether a collected text is more than a copy of its reference text.
    virtual bool ValueDiffers(quint16 PropertyType, const QString &Value, const QString &Reference) const;
    // Collects or applies the texts of one component. Here: the texts every
    // client handles whatever widgets it knows (an action's help keyword).
    virtual void ProcessComponent(QObject *Component, bool Collect);
    // The walk: the owner first when it is a form, then every component the
    // owner owns, in creation order, from a snapshot taken before the walk.
    virtual void ProcessAllComponents(bool Collect);
    // Includes a component created at run time; false, changing nothing,
    // for a component of another owner.
    virtual bool AddComponent(QObject *Component, const QString &Name, bool Translate);
    // Puts the designed texts back, collects them anew and shows the current
    // language again.
    virtual void RecreateTransStruct();
    // Applies the current language to one component (renamed first when
    // Name is not empty).
    virtual void TranslateComponent(QObject *Component, const QString &Name);
    // Applies the engine's current language to the form, initialising the
    // engine first when it has not been.
    virtual void Translate();
    // Translates the form as if it were the form FormName.
    void TranslateAs(const QString &FormName);
    // Writes the designed texts back when the form shows a language and
    // empties the design structure; answers the language the form showed.
    QString RestoreDesignTexts();

    // The text the client shows for one of its lines: the language data's
    // translation, else the global lexicon's (when connected and the line is
    // not the language's own), else the designed text; decoded.
    QString ClientTranslation(const QString &CompName, const QString &OwnerName, quint16 PropertyType,
                              const QString &Addr);

    // The value-level operations of both passes. Each answers the text to
    // write back (the value itself in the collect pass).
    void CollectText(const QObject *Component, quint16 PropertyType, const QString &Input, const QString &Addr);
    QString ProcessStringProperty(const QObject *Component, quint16 PropertyType, const QString &Value,
                                  bool Collect, const QString &Reference);
    QString ProcessItemText(const QObject *Component, quint16 PropertyType, const QString &Addr, bool Collect,
                            const QString &Value);
    // Line i of Lines has the item path i (Prefix + "," + i); the apply pass
    // changes Lines in place.
    void ProcessStringsLines(const QObject *Component, quint16 PropertyType, bool Collect, QStringList &Lines);
    void ProcessPrefixedLines(const QObject *Component, quint16 PropertyType, const QString &Prefix, bool Collect,
                              QStringList &Lines);
    // A "|"-separated file filter of description and mask pairs; each
    // description is a line whose item path is its mask.
    QString ProcessFilter(const QObject *Component, quint16 PropertyType, bool Collect, const QString &Filter);
    // The stable name of a collection item without a position of its own,
    // made from its designed caption the first time it is asked for.
    // An item that is no QObject keeps its entry for the client's life; a
    // QObject's entry is dropped when it is destroyed.
    QString ObjectMapName(const void *Item, const QString &Caption);
    QString ObjectMapName(const QObject *Item, const QString &Caption);
    int ObjMapCount() const { return int(fObjMap.size()); }

protected:
    // Runs ChangeSets (a change of what the client translates). When the
    // client shows a language of an initialised engine, the designed texts
    // are put back under the old sets first, and the structure is rebuilt
    // under the new ones afterwards.
    void RebuildIfReady(const std::function<void()> &ChangeSets);

    bool fAfterCreate = false;
    bool fOwnerCreatedRun = false;
    std::unique_ptr<TComponentStructure> fDesignStruct;
    // Texts the language data translate although the client never collected
    // them (a caption equal to its name, a text without letters, a component
    // never added): what they showed before their first translation, so that
    // a language without a line for them, and the design language, bring it
    // back. Kept apart from the design structure, which holds only what the
    // client collected and what the editor offers for translation.
    std::unique_ptr<TComponentStructure> fShownTexts;

private:
    // The rest of RecreateTransStruct once the designed texts are back.
    void RebuildAfterRestore(const QString &Shown);
    // The apply pass of one text: its translation, remembering the present
    // value as designed when the language data translate a text that was
    // never collected, so that the designed language can restore it.
    QString ApplyText(const QObject *Component, quint16 PropertyType, const QString &Addr, const QString &Value);

    QList<std::pair<const void *, QString>> fObjMap;
};
