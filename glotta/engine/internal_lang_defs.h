#pragma once
// The library's own user-interface texts in one language: element 0 the
// language's display name, element 1 its ISO 639-1 code, elements 2 to 51 the
// texts of items 0 to 49 of the library lexicon.

#include "glotta/engine/glotta_engine_export.h"
#include <QString>
#include <array>

using TInternalLangDefs = std::array<QString, 52>;

// The five built-in sets.
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &EnglishTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &CzechTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &SlovakTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &GermanTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &ItalianTexts();
