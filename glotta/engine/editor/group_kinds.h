#pragma once
// The three kinds of component the editor shows as a group: a property
// client, a numbered lexicon and a resource-string translator. Every other
// registered object (a language control) is no group.

#include "glotta/engine/glotta_component.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"

#include <QObject>

inline TGlottaCPC *GroupClient(QObject *Component)
{
    return qobject_cast<TGlottaCPC *>(Component);
}

inline TCustomResourcesTranslator *GroupTranslator(QObject *Component)
{
    return qobject_cast<TCustomResourcesTranslator *>(Component);
}

// A list component whose translations are numbered items (every list but
// the resource translator).
inline TLMList *GroupLexicon(QObject *Component)
{
    TLMList *List = qobject_cast<TLMList *>(Component);
    return List && !List->KeepsSmartLexicon() ? List : nullptr;
}

// The highest item number a list can have in the store's numbered lexicons.
constexpr int MaxEditorItem = 65535;
