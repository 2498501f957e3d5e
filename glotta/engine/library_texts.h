#pragma once
// TLibraryTexts: the library's own user-interface texts as the engine uses
// them (the menu's command entries, the directory error, the editor's texts)
// and the choice of their language among the built-in ones. The library
// lexicon component implements it; the engine creates one for itself.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/internal_lang_defs.h"
#include "glotta/store/lang_types.h"

#include <QString>
#include <memory>

class TGlottaCore;

class GLOTTA_ENGINE_EXPORT TLibraryTexts
{
public:
    virtual ~TLibraryTexts() = default;

    // Item Index in the library's current language (translated through the
    // engine when it translates the library's texts).
    virtual QString GetItem(int Index) = 0;
    // The name under which the texts are stored in language files.
    virtual QString ListPath() const = 0;
    // Name and code of the built-in language whose texts are loaded.
    virtual const TLangIDs &InternalLanguage() const = 0;
    // Takes name and code and defines the items; an empty text keeps the
    // item's earlier text.
    virtual void LoadLang(const TInternalLangDefs &StringArray) = 0;
    // Whether the language (by code, else by its name) is a built-in one;
    // with LoadDefs its texts are loaded.
    virtual bool InternalLanguages(const QString &Lang, QString Code, bool LoadDefs) = 0;
    // Texts the application supplies for its design language.
    virtual void SetCustomInternallyLang(const TInternalLangDefs &Texts) = 0;
};

// Creates Engine's library lexicon, attached to Engine (so it heads the
// engine's registry). Defined with the lexicon classes, which build on the
// engine: the engine creates its lexicon without including them.
GLOTTA_ENGINE_EXPORT std::unique_ptr<TLibraryTexts> CreateLibraryLexicon(TGlottaCore *Engine);
