#include "glotta_component.h"

#include "glotta_core.h"

TGlottaComponent::TGlottaComponent(QObject *Owner) : QObject(Owner) {}

TGlottaComponent::~TGlottaComponent() = default;

void TGlottaComponent::SetGlottaEngine(TGlottaCore *Value)
{
    SetComponentLink(this, fGlottaEngine, Value);
}

void TGlottaComponent::SetGlobalLexicon(bool Value)
{
    fConnectedGlobal = Value;
}

void TGlottaComponent::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine)
        fGlottaEngine = nullptr;
}

TGlottaCPC::TGlottaCPC(QObject *Owner) : TGlottaComponent(Owner) {}
