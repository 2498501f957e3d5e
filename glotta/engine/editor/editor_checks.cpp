// The checks of the editor's rows: a translation of the edited language
// compared with its designed text (placeholders, accelerator, blanks, line
// breaks), for the rows of the page and for the whole language.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/checks/translation_checks.h"
#include "glotta/store/text_helpers.h"

QList<TCheckFinding> TLangCoreData::Findings(const TRowFacts &Row) const
{
    // Only the language's own translations are its translators' to mend:
    // an inherited or designed text is checked where it is translated.
    const TRowState State = RowState(Row);
    if ((State != TRowState::Own && State != TRowState::Global) || Row.Value.isEmpty())
        return {};
    QString Designed = Row.Designed, Value = Row.Value;
    DecodeCharCodes(Designed);
    DecodeCharCodes(Value);
    return CheckTranslation(Designed, Value);
}

QList<QList<TCheckFinding>> TLangCoreData::PageFindings() const
{
    QList<QList<TCheckFinding>> Found(PageFromClient == SelectedClient ? WorkIndexes->Count() : 0);
    if (!Found.isEmpty())
        GroupRows(SelectedClient, [&](const TRowFacts &Row) {
            if (Row.PageRow >= 0 && Row.PageRow < Found.size())
                Found[Row.PageRow] = Findings(Row);
        });
    return Found;
}

int TLangCoreData::FailingRows() const
{
    int Failing = 0;
    for (int g = 0; g < ClientGroups.size(); ++g)
        GroupRows(g, [&](const TRowFacts &Row) {
            if (!Findings(Row).isEmpty())
                ++Failing;
        });
    return Failing;
}
