#include "glotta/widgets/lang_combo.h"

#include "glotta/widgets/glotta_engine.h"

TLangCombo::TLangCombo(QWidget *Parent) : QComboBox(Parent)
{
    setEditable(false);
}

void TLangCombo::SetGlottaEngine(TGlottaEngine *Value)
{
    clear();
    SetComponentLink(this, fGlottaEngine, Value);
}

void TLangCombo::SetStyleCombo(TLangComboStyle Value)
{
    // Owner-drawn styles leave drawing to the application; Qt draws the items
    // the same either way, so only the setting is kept.
    fStyle = Value;
}

void TLangCombo::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine)
        SetGlottaEngine(nullptr);
}
