#include "glotta/widgets/lang_control_link.h"

#include "glotta/widgets/glotta_engine.h"
#include "toolkit/core/component.h"
#include "toolkit/widgets/application.h"

#include <QPointer>

namespace {
bool IsBeingLoaded(QObject *Component)
{
    const auto *Hooks = dynamic_cast<const TComponentHooks *>(Component);
    return Hooks && Hooks->IsLoading();
}
} // namespace

void AttachLangControl(QObject *Control, TGlottaEngine *Value, TGlottaEngine *&EngineRef)
{
    if (Value == EngineRef)
        return;
    // Qt has no owner that tells its components of each other's end, so the
    // link is watched whoever owns the two.
    if (EngineRef)
        RemoveFreeNotification(EngineRef, Control);
    if (Value) {
        TGlottaCore *Ref = EngineRef;
        Value->ConnectClient(Control, Ref);
        EngineRef = Value;
        if (!Value->IsLoading() && !IsBeingLoaded(Control))
            Value->RefreshLangControl(Control);
    } else if (TGlottaEngine *Old = EngineRef) {
        EngineRef = nullptr;
        Old->DisconnectClient(Control);
    }
    if (EngineRef)
        FreeNotification(EngineRef, Control);
}

void ChooseLanguage(QObject *Control, TGlottaEngine *Engine, const QString &Entry, const TNotifyEvent &OnChangeLanguage)
{
    if (!Engine || Entry == Engine->CurrentLanguage())
        return;
    RunGuarded([&] {
        // The engine's handlers may close the window that holds both.
        const QPointer<QObject> Self(Control);
        const QPointer<TGlottaEngine> Target(Engine);
        bool Switched = false;
        Target->Translate(Entry, &Switched);
        if (!Self || !Target || !Switched)
            return;
        if (OnChangeLanguage)
            OnChangeLanguage(Control);
    });
}
