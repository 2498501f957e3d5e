// Searching the rows of the editor's page.

#include "glotta/engine/lang_core_data.h"

#include "glotta/store/text_helpers.h"

bool TLangCoreData::SearchRow(int Row, const QString &Searched, const QString &Folded, TEditorSearchMode Mode)
{
    // The reference texts of a language based on the design language are
    // the designed texts: the original column would only find them again.
    const bool SourceIsOriginal =
        Mode.testFlag(seSource) && Engine && CurrentSuperiorLang.Name == Engine->DesignLanguageName();
    for (const TEditorSearch Column : {seItem, seSource, seOriginal}) {
        if (!Mode.testFlag(Column) || (Column == seOriginal && SourceIsOriginal))
            continue;
        const QString Text = Column == seItem     ? GetEditorRow(Row)
                             : Column == seSource ? GetSourceForEditorItem(Row)
                                                  : GetOriginalForEditorItem(Row);
        qsizetype At = Text.indexOf(Searched);
        if (At < 0)
            At = AsciiLowerCase(Text).indexOf(Folded);
        if (At >= 0) {
            EditorSelect(Row, int(At), int(Searched.size()), Column);
            return true;
        }
    }
    return false;
}

bool TLangCoreData::SearchWord(const QString &Searched, int StartRow, TEditorSearchMode Mode)
{
    const int Rows = GetEditorRowsCount();
    const bool Repeated = Searched == LastSearch;
    LastSearch = Searched;
    if (Rows == 0 || Searched.isEmpty())
        return false;
    // Only A-Z are folded: other letters are matched as typed.
    const QString Folded = AsciiLowerCase(Searched);
    int Start = qMax(StartRow, 0) + (Repeated ? 1 : 0);
    if (Start >= Rows)
        Start = 0;
    int Row = Start;
    do {
        if (SearchRow(Row, Searched, Folded, Mode))
            return true;
        Row = (Row + 1) % Rows;
    } while (Row != Start);
    return false;
}
