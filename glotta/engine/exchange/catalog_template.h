#pragma once
// The template of a running program: every designed text its engine's
// registered components translate (each property client's design lines,
// each lexicon's items, each resource-string translator's texts), in the
// design language. The program's own texts, not a file's: what an export
// offers for translation and what an import checks designed texts against.

#include "glotta/engine/exchange/translation_catalog.h"

class TGlottaCore;

// With the library's own lexicon when WithLibrary (the engine translates its
// own texts).
TCatalogTemplate TemplateOfEngine(const TGlottaCore &Engine, bool WithLibrary);
