#pragma once
// TLangControl: what the engine component asks of a language selector or
// flag control registered with it. The engine fills such controls whenever
// its languages, their pictures or the current language change.

#include "glotta/widgets/glotta_widgets_export.h"

class TGlottaEngine;

class GLOTTA_WIDGETS_EXPORT TLangControl
{
public:
    // Shows the engine's menu list, its flags or the current language's flag;
    // LanguageIndex is the current language's position in the language list.
    virtual void UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex) = 0;
    // The engine let the control go: a list drops its entries.
    virtual void ClearLanguages() = 0;

protected:
    ~TLangControl() = default;
};
