#pragma once
// What the language selector controls share: attaching a control to an
// engine (registration, filling, free notification) and switching the
// engine's language to an entry the user picked.

#include "glotta/widgets/glotta_widgets_export.h"
#include "toolkit/core/events.h"

#include <QString>

class QObject;
class TGlottaEngine;

// Points EngineRef (Control's link to its engine) at Value. Nothing when
// Value already is the attached engine. Otherwise Control leaves the present
// engine (which empties a list) and registers with Value, which fills it at
// once unless Value or Control is being loaded. Control hears of the
// engine's destruction by free notification.
GLOTTA_WIDGETS_EXPORT void AttachLangControl(QObject *Control, TGlottaEngine *Value, TGlottaEngine *&EngineRef);

// Control's entry Entry was picked: unless it names the current language,
// Engine switches to it (an editor entry opens the editor) and then
// OnChangeLanguage is raised with Control as sender, after the engine's own
// event. A switch that did not happen (the engine's change query refused it,
// or the entry names no language) raises nothing; the engine then fills
// Control anew, so it shows the current language again. Errors go to the
// application's error report.
GLOTTA_WIDGETS_EXPORT void ChooseLanguage(QObject *Control, TGlottaEngine *Engine, const QString &Entry, const TNotifyEvent &OnChangeLanguage);
