#pragma once
// The template of a running program: every designed text its engine's
// registered components translate (each property client's design lines,
// each lexicon's items, each resource-string translator's texts), in the
// design language. The program's own texts, not a file's: what an export
// offers for translation and what an import checks designed texts against.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/exchange/catalog_language_file.h"
#include "glotta/engine/exchange/translation_catalog.h"

#include <functional>

class TGlottaCore;

// With the library's own lexicon when WithLibrary (the engine translates its
// own texts).
GLOTTA_ENGINE_EXPORT TCatalogTemplate TemplateOfEngine(const TGlottaCore &Engine, bool WithLibrary);

// A template's texts as the stores of a language file: every line, item and
// resource string with its designed text as its translation (a template
// language file, the design language's own lines), or with what Translate
// makes of the designed text (a pseudo language).
// Stores must be empty.
GLOTTA_ENGINE_EXPORT void StoresOfTemplate(const TCatalogTemplate &Template, const TLanguageFileHeader &Header, TLanguageStores &Stores,
                      const std::function<QString(const QString &)> &Translate = {});

// The template of a running program written as a template language file
// (named after the design language, UTF-16): what "glotta extract" writes
// for forms it can read, for windows a program builds in code. False with
// Error when the file cannot be written.
GLOTTA_ENGINE_EXPORT bool WriteTemplateOfEngine(const TGlottaCore &Engine, const QString &FileName, QString &Error);
