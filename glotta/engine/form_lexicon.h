#pragma once
// Lexicons whose texts are defined by program code by item number
// (TCustomProgrammableLexicon), and the library's own user-interface texts
// in five built-in languages (TLangFormLexicon), which every engine creates
// for itself: the language-list command entries, the editor's captions and
// messages, the directory error.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/internal_lang_defs.h"
#include "glotta/store/lang_types.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/library_texts.h"

#include <memory>

class TIndexedItems;

class GLOTTA_ENGINE_EXPORT TCustomProgrammableLexicon : public TLexicon
{
    Q_OBJECT
public:
    explicit TCustomProgrammableLexicon(QObject *Owner = nullptr);
    ~TCustomProgrammableLexicon() override;

    // Stores the handler and, when one is set, calls it at once: it defines the items.
    void SetOnInitialization(const TNotifyEvent &Value);
    const TNotifyEvent &OnInitialization() const { return fOnInitialization; }

    // Writes Text (one-line form) as item ItemNr; an empty Text changes nothing.
    void DefineItem(quint16 ItemNr, const QString &Text);

    QString GetItem(int Index) override;
    int MaxItemIndex() const override;
    bool IsDefined(int Index) const override;
    bool IsDefined(const QString &LocStr) const override;
    QString GetLocStr(int Index) const override;

protected:
    std::unique_ptr<TIndexedItems> fIndexedItems;
    TNotifyEvent fOnInitialization;
};

class GLOTTA_ENGINE_EXPORT TLangFormLexicon : public TCustomProgrammableLexicon, public TLibraryTexts
{
    Q_OBJECT
public:
    // Starts with the English texts and attaches to Engine, whose registry
    // it therefore heads. The engine owns it (not as a QObject child, so the
    // form's component walks never meet it).
    explicit TLangFormLexicon(TGlottaCore *Engine);

    // Name and code of the internal language whose texts are loaded.
    const TLangIDs &InternalLanguage() const override { return fIntLang; }
    // Texts the application supplies for its design language; empty name and code until then.
    TInternalLangDefs CustomInternallyLang;
    void SetCustomInternallyLang(const TInternalLangDefs &Texts) override { CustomInternallyLang = Texts; }

    // Takes name and code and defines every item; an empty text keeps the
    // item's earlier text.
    void LoadLang(const TInternalLangDefs &StringArray) override;
    // Whether the language (by code, else by its name) is one of the
    // internal languages; with LoadDefs its texts are loaded.
    bool InternalLanguages(const QString &Lang, QString Code, bool LoadDefs) override;

    // With an engine that translates the library's texts: its translation;
    // otherwise the stored text as it is.
    QString GetItem(int Index) override;
    // Stored under the engine's name: "GlottaEngine1.LangFormLexicon".
    QString ListPath() const override;

private:
    TLangIDs fIntLang;
    TGlottaCore *fEngine;
};
