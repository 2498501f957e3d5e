#pragma once
// The ISO 639-1 table: every code with its English name ("cs - Czech"), in the
// order in which the editor lists them. Lookups take the first matching row
// ("ny" occurs twice; the withdrawn "sh" is kept for older language files).

#include "glotta/store/glotta_store_export.h"
#include <QString>

constexpr int ISO639LanguagesCount = 186;
// UTF-8 literals, one per row: code, " - ", English name.
extern GLOTTA_STORE_EXPORT const char *const ISO639Languages[ISO639LanguagesCount];
// A row as text.
GLOTTA_STORE_EXPORT QString ISO639Language(int Index);
