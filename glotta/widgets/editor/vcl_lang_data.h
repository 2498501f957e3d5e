#pragma once
// TVCLLangData: the editor-enabled data holder. It opens the editor window
// (TLanguageManager) when the engine asks for the editor, owns it while it
// is open, and gives the editor model its rows through the window's grid.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/engine/lang_core_data.h"

class TLanguageManager;

class GLOTTA_WIDGETS_EXPORT TVCLLangData : public TLangCoreData
{
public:
    explicit TVCLLangData(TLangDataEngine *OwnedEngine);
    ~TVCLLangData() override;

    // The window while the editor is open.
    TLanguageManager *Editor = nullptr;

    void StoreChanges() override;
    QString EditorExecute(int EMode) override;
    void AddEditorRow(const QString &PropertyName, const QString &Value) override;
    QString GetEditorRow(int Row) const override;
    bool EditorOpened() const override;
    void EditorSelect(int Row, int Start, int Len, TEditorSearch Column) override;
};

// Makes engines created from now on open the editor window.
GLOTTA_WIDGETS_EXPORT void InstallLanguageEditor();
