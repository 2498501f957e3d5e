#include "glotta/widgets/editor/vcl_lang_data.h"

#include "glotta/store/text_helpers.h"
#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/widgets/editor/language_manager.h"
#include "glotta/widgets/glotta_engine.h"
#include "toolkit/core/exception.h"
#include "toolkit/widgets/message_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

TVCLLangData::TVCLLangData(TLangDataEngine *OwnedEngine) : TLangCoreData(OwnedEngine) {}

TVCLLangData::~TVCLLangData()
{
    delete Editor;
}

void TVCLLangData::StoreChanges()
{
    if (Editor)
        Editor->EnableEditEvent = false;
    TLangCoreData::StoreChanges();
}

QString TVCLLangData::EditorExecute(int EMode)
{
    const QString About = PrepareForEditor();
    std::unique_ptr<TLanguageManager> Window(TLanguageManager::Create(this, EMode == erEditLanguage, About));
    Editor = Window.get();
    QString Result;
    if (Window->Execute()) {
        StoreChanges();
        StoreNewGlobals();
        EditorISO = Window->ISOCombo->currentText();
        Result = EditorLang;
        try {
            if (!EditorAction(TEditorActions::eaSaveLang, Window->SaveFileName()))
                MessageBox(EditorLex[liSaveFailed], Window->windowTitle(), MB_ICONERROR);
        } catch (const Exception &E) {
            MessageBox(EditorLex[liSaveFailed] + QLatin1Char('\n') + E.Message(), Window->windowTitle(), MB_ICONERROR);
        } catch (const std::exception &E) {
            MessageBox(EditorLex[liSaveFailed] + QLatin1Char('\n') + QString::fromLocal8Bit(E.what()), Window->windowTitle(),
                       MB_ICONERROR);
        }
    }
    ClearWorkData();
    Editor = nullptr;
    return Result;
}

void TVCLLangData::AddEditorRow(const QString &PropertyName, const QString &Value)
{
    if (Editor)
        Editor->LangListEditor->AddRow(PropertyName, Value);
}

QString TVCLLangData::GetEditorRow(int Row) const
{
    return Editor ? SingleLineText(Editor->LangListEditor->Value(Row), true) : QString();
}

bool TVCLLangData::EditorOpened() const
{
    return Editor && Editor->isVisible();
}

void TVCLLangData::EditorSelect(int Row, int Start, int Len, TEditorSearch Column)
{
    if (!Editor)
        return;
    TLangGrid *Grid = Editor->LangListEditor;
    Grid->setFocus();
    Grid->setCurrentCell(Row, 1);
    if (Column != seItem)
        return;
    Grid->editItem(Grid->item(Row, 1));
    if (auto *Edit = Grid->findChild<QLineEdit *>())
        Edit->setSelection(Start, Len);
}

void InstallLanguageEditor()
{
    TGlottaEngine::SetDataFactory([](TGlottaCore *Engine) -> TLangCoreData * { return new TVCLLangData(Engine); });
}
