#include "glotta/engine/glotta_component.h"

#include "glotta/store/component_names.h"
#include "glotta/store/component_structure.h"

TGlottaComponent::TGlottaComponent(QObject *Owner) : QObject(Owner) {}

TGlottaComponent::~TGlottaComponent()
{
    if (fGlottaEngine)
        fGlottaEngine->DisconnectClient(this);
}

void TGlottaComponent::SetGlottaEngine(TGlottaCore *Value)
{
    if (fGlottaEngine == Value)
        return;
    LMComponentLanguage.clear();
    if (!Value) {
        RemoveFreeNotification(fGlottaEngine, this);
        fGlottaEngine->DisconnectClient(this);
        fGlottaEngine = nullptr;
        if (!IsLoading())
            ChangeLanguage();
        return;
    }
    const bool FirstEngine = !fGlottaEngine;
    if (fGlottaEngine)
        RemoveFreeNotification(fGlottaEngine, this);
    // Leaves the present engine (when there is one) and registers with Value.
    Value->ConnectClient(this, fGlottaEngine);
    FreeNotification(Value, this);
    // A component attached for the first time collects what it translates.
    if (FirstEngine && !IsLoading())
        InitClient();
    if (!Value->IsLoading() && !IsLoading())
        ChangeLanguage();
}

void TGlottaComponent::SetGlobalLexicon(bool Value)
{
    if (fConnectedGlobal == Value)
        return;
    fConnectedGlobal = Value;
    if (!IsLoading() && fGlottaEngine && fGlottaEngine->IsInitialized())
        ChangeLanguage();
}

void TGlottaComponent::ChangeLanguage()
{
    LMComponentLanguage = fGlottaEngine ? fGlottaEngine->CurrentLanguage() : QString();
    if (OnChangeLanguage)
        OnChangeLanguage(this);
}

void TGlottaComponent::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine) {
        fGlottaEngine = nullptr;
        LMComponentLanguage.clear();
    }
}

TGlottaCPC::TGlottaCPC(QObject *Owner) : TGlottaComponent(Owner), fDesignStruct(new TComponentStructure) {}

TGlottaCPC::~TGlottaCPC() = default;

QString TGlottaCPC::GetLanguageOwner() const
{
    if (!LanguageOwner.isEmpty())
        return LanguageOwner;
    return FormBaseName(OwnerName(this));
}

bool TGlottaCPC::HasDesignLine(const QString &LineID) const
{
    return fDesignStruct->Find(LineID) >= 0;
}

void TGlottaCPC::InitClient()
{
    if (CSInitialized)
        return;
    CSInitialized = true;
    ProcessAllComponents(true);
    if (NeedsAfterCollect())
        AfterCollect();
}

void TGlottaCPC::ChangeLanguage()
{
    if (fGlottaEngine && !fGlottaEngine->IsInitialized())
        return;
    if (fGlottaEngine) {
        if (!CSInitialized)
            InitClient();
        if (fDesignStruct->Count() > 0)
            ProcessAllComponents(false);
    }
    TGlottaComponent::ChangeLanguage();
}
