// How far the edited language is: every row of every group classified by
// what it will show once the language is saved. The current group is read
// from the work data and the rows as the window holds them, so the counts
// move as the translator types; the other groups are read from the language
// data, the working global lexicon and the source data, the way loading the
// group would put them together.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/editor/group_kinds.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/text_helpers.h"
#include "glotta/store/unit_list.h"

#include <QHash>

namespace {
// Every descent word: the limit of a lookup that takes any entry.
constexpr quint16 AnyDescent = 512;
} // namespace

TRowState TLangCoreData::RowState(const TRowFacts &Row) const
{
    if (!(Row.Changeable & ChangeableTranslatable))
        return TRowState::Excluded;
    QString Value = Row.Value;
    if (Row.Changeable & ChangeableObsolete)
        return Value == Row.Kept ? TRowState::Missing : TRowState::Own;
    if (IsGlobalDescent(Row.Descent)) {
        // The value is the global lexicon's: the language's own entry, or
        // the reference language's when the language has none.
        const QString Reference = GetGlobalSource(Row.Designed);
        if (Value.isEmpty())
            Value = Reference;
        if (Value.isEmpty())
            return TRowState::Missing;
        const int Own = PageGlobal(Row.Designed);
        if (Value != Reference || (Own >= 0 && !WorkGlobalLexicon->Get(quint16(Own)).isEmpty()))
            return TRowState::Global;
        return TRowState::Inherited;
    }
    // An emptied value keeps no translation of its own: the reference text
    // shows again.
    const bool Own = IsOwnDescent(Row.Descent) && !Value.isEmpty();
    if (Value.isEmpty())
        Value = Row.Source;
    if (Value.isEmpty())
        return TRowState::Missing;
    if (Own)
        return TRowState::Own;
    // A reference that only knows the designed text translates nothing.
    const bool Designed = !Row.HasSource || (Row.SourceDescent & 0xFF) == DescentNone;
    if (Value == (Designed ? Row.Designed : Row.Source))
        return Designed ? TRowState::Missing : TRowState::Inherited;
    return TRowState::Own;
}

void TLangCoreData::GroupRows(int ClientIndex, const std::function<void(const TRowFacts &)> &Visit) const
{
    QObject *Component = Group(ClientIndex);
    if (!Component)
        return;
    const bool Current = ClientIndex == SelectedClient;
    const auto *Base = qobject_cast<const TGlottaComponent *>(Component);
    const bool Globals = Base && Base->GlobalLexicon();
    const QString Name = Base ? Base->SpanName() : QString();
    // Rows the window shows right now answer with their value as typed.
    QHash<int, int> PageRow;
    if (Current && PageFromClient == SelectedClient)
        for (int r = 0; r < WorkIndexes->Count(); ++r)
            PageRow.insert(WorkIndexes->GetWord(r), r);
    const auto Shown = [&](int WorkItem, const QString &Otherwise) {
        const auto It = PageRow.constFind(WorkItem);
        return It == PageRow.constEnd() ? Otherwise : GetEditorRow(*It);
    };

    if (const TGlottaCPC *Client = GroupClient(Component)) {
        const TComponentStructure &Design = Client->DesignStruct();
        const int Count = qMin(Design.Count(), MaxEditorItem);
        for (int i = 0; i < Count; ++i) {
            TRowFacts Row;
            Row.Object = Design.GetComponentName(i);
            Row.Property = Design.GetPropertyName(i, {QStringLiteral("Unknown")});
            Row.Designed = Design.GetTranslation(i);
            if (Row.Designed.isEmpty())
                continue;
            const QString ID = Design.LineID(i);
            const int s = SourceStruct->Find(ID);
            Row.HasSource = s >= 0;
            if (Row.HasSource) {
                Row.Source = SourceStruct->GetTranslation(s);
                Row.SourceDescent = SourceStruct->GetDescent(s);
            }
            int w = -1;
            if (Current && (w = WorkStruct->Find(ID)) >= 0) {
                Row.Changeable = WorkStruct->GetChangeable(w);
                Row.Descent = WorkStruct->GetDescent(w);
                Row.Kept = WorkStruct->GetTranslation(w);
                Row.Value = Shown(w, WorkStruct->IsGlobal(w) ? GetGlobalTranslate(Row.Designed) : Row.Kept);
                Row.PageRow = PageRow.value(w, -1);
            } else if (int j = DataStruct->Find(ID); j >= 0) {
                // As loading the group takes it: an obsolete line stays so
                // until its text is changed.
                Row.Changeable = DataStruct->GetChangeable(j);
                Row.Descent = DescentOwn;
                Row.Value = Row.Kept = DataStruct->GetTranslation(j);
            } else if (Globals && (j = PageGlobal(Row.Designed)) >= 0) {
                Row.Changeable = Design.GetChangeable(i);
                Row.Descent = DescentGlobal;
                Row.Value = WorkGlobalLexicon->Get(quint16(j));
            } else if (Row.HasSource) {
                Row.Changeable = SourceStruct->GetChangeable(s);
                Row.Descent = Row.SourceDescent;
                Row.Value = IsGlobalDescent(Row.Descent) ? GetGlobalTranslate(Row.Designed) : Row.Source;
            } else {
                Row.Changeable = Design.GetChangeable(i);
                Row.Value = Row.Designed;
            }
            Visit(Row);
        }
    } else if (const TCustomResourcesTranslator *Translator = GroupTranslator(Component)) {
        // An item belongs to the unit of the first resource with its text.
        QHash<QString, int> UnitOf;
        const TResourcesList &List = Translator->List();
        for (int i = 0; i < List.Count(); ++i)
            if (const TResourceInfo *Info = List.GetResourceInfo(i); !UnitOf.contains(Info->DesignForm))
                UnitOf.insert(Info->DesignForm, Info->UnitId());
        const TUnitList &Units = Translator->UnitList();
        for (int i = 0; i <= Translator->MaxItemIndex(); ++i) {
            TRowFacts Row;
            Row.Designed = Translator->GetLocStr(i);
            if (Row.Designed.isEmpty())
                continue;
            const int Unit = UnitOf.value(Row.Designed, -1);
            Row.Object = Unit >= 0 && Unit < Units.Count() ? Units.GetNameEx(Unit) : QString();
            quint16 SourceDescent = DescentNone;
            Row.HasSource = !Name.isEmpty() && SourceSmartLexicon->IsIncluded(Name, Row.Designed);
            if (Row.HasSource) {
                Row.Source = SourceSmartLexicon->ReadItem(Name, Row.Designed, SourceDescent);
                Row.SourceDescent = SourceDescent;
            }
            int w = -1, g = -1;
            quint16 Descent = DescentNone;
            if (Current && (w = WorkSmartLexicon->Find(Row.Designed, AnyDescent)) >= 0) {
                Row.Descent = WorkSmartLexicon->GetLangDescent(w);
                Row.Kept = WorkSmartLexicon->Get(quint16(w));
                Row.Value = Shown(w, IsGlobalDescent(Row.Descent) ? GetGlobalTranslate(Row.Designed) : Row.Kept);
                Row.PageRow = PageRow.value(w, -1);
            } else if (const QString Text = SmartLexicon->ReadItem(Name, Row.Designed, Descent);
                       !Name.isEmpty() && SmartLexicon->IsIncluded(Name, Row.Designed) && Descent < DescentNone) {
                Row.Descent = DescentOwn;
                Row.Value = Text;
            } else if (Globals && (g = PageGlobal(Row.Designed)) >= 0) {
                Row.Descent = DescentGlobal;
                Row.Value = WorkGlobalLexicon->Get(quint16(g));
            } else if (Row.HasSource) {
                Row.Descent = Row.SourceDescent;
                Row.Value = IsGlobalDescent(Row.Descent) ? GetGlobalTranslate(Row.Designed) : Row.Source;
            } else {
                Row.Value = Row.Designed;
            }
            Visit(Row);
        }
    } else if (const TLMList *Lexicon = GroupLexicon(Component)) {
        const int Last = qMin(Lexicon->MaxItemIndex(), MaxEditorItem);
        for (int n = 0; n <= Last; ++n) {
            if (!Lexicon->IsDefined(n))
                continue;
            TRowFacts Row;
            Row.Designed = Lexicon->GetLocStr(n);
            if (Row.Designed.isEmpty())
                continue;
            quint16 SourceDescent = DescentNone;
            Row.HasSource = !Name.isEmpty() && SourceLexicon->IsIncluded(Name, n);
            if (Row.HasSource) {
                Row.Source = SourceLexicon->ReadItem(Name, n, SourceDescent);
                Row.SourceDescent = SourceDescent;
            }
            int g = -1;
            if (Current && WorkLexicon->IsIncluded(quint16(n))) {
                Row.Descent = WorkLexicon->GetLangDescent(n);
                Row.Kept = WorkLexicon->Get(quint16(n));
                Row.Value = Shown(n, IsGlobalDescent(Row.Descent) ? GetGlobalTranslate(Row.Designed) : Row.Kept);
                Row.PageRow = PageRow.value(n, -1);
            } else if (DataLexicon->IsIncluded(Name, n)) {
                Row.Descent = DescentOwn;
                Row.Value = DataLexicon->ReadItem(Name, n);
            } else if (Globals && (g = PageGlobal(Row.Designed)) >= 0) {
                Row.Descent = DescentGlobal;
                Row.Value = WorkGlobalLexicon->Get(quint16(g));
            } else if (Row.HasSource) {
                Row.Descent = Row.SourceDescent;
                Row.Value = IsGlobalDescent(Row.Descent) ? GetGlobalTranslate(Row.Designed) : Row.Source;
            } else {
                Row.Value = Row.Designed;
            }
            Visit(Row);
        }
    }
}

TEditorProgress TLangCoreData::GroupProgress(int ClientIndex) const
{
    TEditorProgress Progress;
    GroupRows(ClientIndex, [&](const TRowFacts &Row) { Progress.Add(RowState(Row)); });
    return Progress;
}

TEditorProgress TLangCoreData::ObjectProgress(const QString &ObjectName) const
{
    TEditorProgress Progress;
    GroupRows(SelectedClient, [&](const TRowFacts &Row) {
        if (Row.Object.compare(ObjectName, Qt::CaseInsensitive) == 0)
            Progress.Add(RowState(Row));
    });
    return Progress;
}

QHash<QString, TEditorProgress> TLangCoreData::ObjectsProgress(int ClientIndex) const
{
    QHash<QString, TEditorProgress> Objects;
    GroupRows(ClientIndex, [&](const TRowFacts &Row) { Objects[Row.Object].Add(RowState(Row)); });
    return Objects;
}

QList<TLangCoreData::TEditorText> TLangCoreData::ClientTexts() const
{
    QList<TEditorText> Texts;
    for (int g = 0; g < ClientGroups.size(); ++g) {
        if (!GroupClient(Group(g)))
            continue;
        GroupRows(g, [&](const TRowFacts &Row) {
            const TRowState State = RowState(Row);
            if (State == TRowState::Excluded)
                return;
            QString Text = Row.Value.isEmpty() ? Row.Source : Row.Value;
            if (Text.isEmpty())
                Text = Row.Designed;
            DecodeCharCodes(Text);
            Texts.append({g, Row.Object, Row.Property, Text, State, Row.PageRow});
        });
    }
    return Texts;
}

TEditorProgress TLangCoreData::LanguageProgress() const
{
    TEditorProgress Progress;
    for (int g = 0; g < ClientGroups.size(); ++g)
        Progress += GroupProgress(g);
    return Progress;
}

QList<TRowState> TLangCoreData::PageRowStates() const
{
    QList<TRowState> States(PageFromClient == SelectedClient ? WorkIndexes->Count() : 0, TRowState::Missing);
    if (!States.isEmpty())
        GroupRows(SelectedClient, [&](const TRowFacts &Facts) {
            if (Facts.PageRow >= 0 && Facts.PageRow < States.size())
                States[Facts.PageRow] = RowState(Facts);
        });
    return States;
}
