#include "glotta_component.h"

#include "component_names.h"
#include "component_structure.h"
#include "glotta_core.h"
#include "lang_core_data.h"
#include "spans.h"

TGlottaComponent::TGlottaComponent(QObject *Owner) : QObject(Owner) {}

TGlottaComponent::~TGlottaComponent()
{
    if (fGlottaEngine && fGlottaEngine->LData)
        fGlottaEngine->LData->SpanClients->UnregisterClient(this);
}

void TGlottaComponent::SetGlottaEngine(TGlottaCore *Value)
{
    if (fGlottaEngine == Value)
        return;
    LMComponentLanguage.clear();
    if (fGlottaEngine) {
        RemoveFreeNotification(fGlottaEngine, this);
        if (fGlottaEngine->LData)
            fGlottaEngine->LData->SpanClients->UnregisterClient(this);
        fGlottaEngine = Value;
    } else {
        fGlottaEngine = Value;
        if (!IsLoading())
            InitClient();
    }
    if (!Value) {
        if (!IsLoading())
            ChangeLanguage();
        return;
    }
    FreeNotification(Value, this);
    if (Value->LData)
        Value->LData->SpanClients->RegisterClient(this);
    if (!Value->IsLoading() && !IsLoading())
        ChangeLanguage();
}

void TGlottaComponent::SetGlobalLexicon(bool Value)
{
    if (fConnectedGlobal == Value)
        return;
    fConnectedGlobal = Value;
    if (!IsLoading() && fGlottaEngine && fGlottaEngine->IsInitialized)
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
    if (fGlottaEngine && !fGlottaEngine->IsInitialized)
        return;
    if (fGlottaEngine) {
        if (!CSInitialized)
            InitClient();
        if (fDesignStruct->Count() > 0)
            ProcessAllComponents(false);
    }
    TGlottaComponent::ChangeLanguage();
}
