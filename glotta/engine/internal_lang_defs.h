#pragma once
// The library's own user-interface texts in one language: element 0 the
// language's display name, element 1 its ISO 639-1 code, elements 2 to 63 the
// texts of items 0 to 61 of the library lexicon.

#include "glotta/engine/glotta_engine_export.h"
#include <QString>
#include <array>

using TInternalLangDefs = std::array<QString, 64>;

// The items of the library lexicon, by name. Translations are stored by
// number, so an item never changes its number; 9 and 13 are empty in every
// set and unused.
enum TLibraryItem {
    liEditorTitle = 0,
    liCreateLanguage = 1,         // the menu's command entry that creates a language
    liEditLanguage = 2,           // the menu's command entry that edits one
    liChooseSourceLanguage = 3,   // label over the language list when creating
    liLanguage = 4,               // label over the language list when editing
    liSourceLanguage = 5,
    liSourceString = 6,
    liPropertyColumn = 7,         // the grid's key column
    liTranslationColumn = 8,      // the grid's value column
    liGroup = 10,
    liObject = 11,
    liCreateNewLanguage = 12,     // hint of the button that starts a new language
    liGroupHint = 14,
    liPreviousUntranslated = 15,
    liNextUntranslated = 16,
    liReadError = 17,
    liNewLanguageName = 18,
    liNameExists = 19,            // follows the name that is taken
    liLanguageFiles = 20,         // filter of the file dialogs
    liNewLanguageFileName = 21,
    liSaveFailed = 22,
    liNoUntranslated = 23,
    liCloseWithoutSaving = 24,
    liFlagHint = 25,
    liImportFlag = 26,
    liRemoveFlag = 27,
    liSave = 28,
    liWrongLangPath = 29,
    liToggleStatus = 30,
    // Hints of the editor's status colours.
    liHintDesigned = 31,
    liHintSource = 32,
    liHintGlobalSource = 33,
    liHintTranslated = 34,
    liHintGlobal = 35,
    liHintDeleted = 36,
    liHintRestored = 37,
    liHintExcluded = 38,
    liHintInvalid = 39,
    liExportLanguage = 40,
    liExchangeFiles = 41,         // filter of the exchange files
    liCannotExportDesign = 42,
    liSelectImportFile = 43,
    liCannotImport = 44,
    liImport = 45,
    liMobileLangFiles = 46,       // filter of the language files of another kind
    liTextFiles = 47,             // filter of the dictionaries
    liHintGlobalDeleted = 48,
    liImportedCount = 49,         // "%s" is the number of items imported
    liProgress = 50,              // how far the language is, before its percentage
    liOwnRows = 51,
    liInheritedRows = 52,
    liGlobalRows = 53,
    liExcludedRows = 54,
    liMissingRows = 55,
    liTooLong = 56,               // a row's mark: "%s" is the number of pixels
    liTooLongList = 57,           // the list of the language's rows that do not fit
    liAllTextsFit = 58,
    liToDoFilter = 59,            // the filter of the rows still to do; F4 goes to the next one
    liSuggestions = 60,           // hint of the list of suggestions
    liChecksRemain = 61,          // told on saving: "%s" is the number of rows
};

// Number of the library lexicon's items.
constexpr int LibraryItemCount = int(std::tuple_size_v<TInternalLangDefs>) - 2;

// The five built-in sets.
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &EnglishTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &CzechTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &SlovakTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &GermanTexts();
GLOTTA_ENGINE_EXPORT const TInternalLangDefs &ItalianTexts();
