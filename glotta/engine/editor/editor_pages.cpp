// A page of the editor: the rows of the current group sent to the window,
// the values taken back, and the group written into the language data.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/editor/group_kinds.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/text_helpers.h"
#include "glotta/store/unit_list.h"

#include <QSet>

namespace {
// Every descent word: the limit of a lookup that takes any entry.
constexpr quint16 AnyDescent = 512;

} // namespace

int TLangCoreData::SourceLine(int Row) const
{
    if (Row < 0 || Row >= SourceIndexes->Count())
        return -1;
    const int s = SourceIndexes->GetWord(Row);
    return s != NoSourceLine && s < SourceStruct->Count() ? s : -1;
}

QString TLangCoreData::LexiconSource(const QString &GroupName, int WorkItem, quint16 &SourceDescent) const
{
    SourceDescent = DescentNone;
    if (GroupName.isEmpty() || WorkItem < 0)
        return QString();
    return SourceLexicon->ReadItem(GroupName, WorkItem, SourceDescent);
}

// The source of a resource item is found by its designed text, which both
// the work and the source lexicon are keyed by.
QString TLangCoreData::ResourceSource(int WorkItem, quint16 &SourceDescent) const
{
    SourceDescent = DescentNone;
    const QString Name = ClientName();
    if (Name.isEmpty() || WorkItem < 0 || WorkItem >= WorkSmartLexicon->Count())
        return QString();
    return SourceSmartLexicon->ReadItem(Name, WorkSmartLexicon->GetLocStr(quint16(WorkItem)), SourceDescent);
}

QString TLangCoreData::WorkDesigned(int WorkItem) const
{
    const quint16 W = quint16(WorkItem);
    return EditorMode == TEditorModes::emResources ? WorkSmartLexicon->GetLocStr(W) : DesignedList->Get(W);
}

QString TLangCoreData::RowDesigned(int Row) const
{
    return Row >= 0 && Row < WorkIndexes->Count() ? WorkDesigned(WorkIndexes->GetWord(Row)) : QString();
}

void TLangCoreData::NewEditorPage(const QString &ObjectName, const QStringList &LMAdditionNames)
{
    LastSearch.clear();
    WorkIndexes->Clear();
    SourceIndexes->Clear();
    switch (EditorMode) {
    case TEditorModes::emClient: {
        const int Count = qMin(WorkStruct->Count(), MaxEditorItem);
        for (int i = 0; i < Count; ++i) {
            const QString Component = WorkStruct->GetComponentName(i);
            if (!ObjectName.isEmpty() && Component != ObjectName)
                continue;
            const int s = SourceStruct->Find(WorkStruct->LineID(i));
            WorkIndexes->AddWord(quint16(i));
            SourceIndexes->AddWord(s >= 0 && s < NoSourceLine ? quint16(s) : NoSourceLine);
            QString Label = WorkStruct->GetPropertyName(i, LMAdditionNames);
            if (ObjectName.isEmpty())
                Label = Component + QLatin1Char('.') + Label;
            QString Value;
            if (!(WorkStruct->GetChangeable(i) & ChangeableTranslatable))
                Value = s >= 0 ? SourceStruct->GetTranslation(s) : QString();
            else if (WorkStruct->IsGlobal(i))
                Value = GetGlobalTranslate(DesignedList->Get(quint16(i)));
            else
                Value = WorkStruct->GetTranslation(i);
            AddEditorRow(Label, Value);
        }
        break;
    }
    case TEditorModes::emSmartLexicon:
        break;
    case TEditorModes::emIndexedLexicon:
        for (int n = 0; n <= WorkLexicon->MaxIndex(); ++n) {
            if (!WorkLexicon->IsIncluded(quint16(n)))
                continue;
            WorkIndexes->AddWord(quint16(n));
            const QString Value = WorkLexicon->IsGlobal(quint16(n))
                                      ? GetGlobalTranslate(DesignedList->Get(quint16(n)))
                                      : WorkLexicon->Get(quint16(n));
            AddEditorRow(QStringLiteral("Item[%1]").arg(n), Value);
        }
        break;
    case TEditorModes::emResources: {
        const TCustomResourcesTranslator *Translator = GroupTranslator(Group(SelectedClient));
        const int Unit = Translator ? Translator->UnitList().IndexOfName(ObjectName) : -1;
        if (Unit < 0)
            break;
        const TResourcesList &List = Translator->List();
        // Several loaded texts may share one designed text: one row for it.
        QSet<int> Shown;
        for (int i = 0; i < List.Count(); ++i) {
            const TResourceInfo *Info = List.GetResourceInfo(i);
            if (Info->UnitId() != Unit)
                continue;
            const int f = WorkSmartLexicon->Find(Info->DesignForm, AnyDescent);
            if (f < 0 || Shown.contains(f))
                continue;
            Shown.insert(f);
            WorkIndexes->AddWord(quint16(f));
            QString Label = List.Strings(i);
            ReplaceChar(Label, QLatin1Char('='), QLatin1Char('~'));
            EncodeControlChars(Label);
            const QString Value = WorkSmartLexicon->IsGlobal(quint16(f)) ? GetGlobalTranslate(Info->DesignForm)
                                                                          : WorkSmartLexicon->Get(quint16(f));
            AddEditorRow(Label, Value);
        }
        break;
    }
    }
    PageFromClient = SelectedClient;
}

void TLangCoreData::StoreEditorPage()
{
    if (SelectedClient < 0 || SelectedClient != PageFromClient)
        return;
    const QString Name = ClientName();
    for (int r = 0; r < WorkIndexes->Count(); ++r) {
        QString T = GetEditorRow(r);
        const int W = WorkIndexes->GetWord(r);
        switch (EditorMode) {
        case TEditorModes::emClient: {
            if (W >= WorkStruct->Count())
                break;
            const int s = SourceLine(r);
            const QString S = s >= 0 ? SourceStruct->GetTranslation(s) : QString();
            const bool SourceGlobal = s >= 0 && SourceStruct->IsGlobal(s);
            const quint16 SourceChangeable = s >= 0 ? SourceStruct->GetChangeable(s) : ChangeableTranslatable;
            const quint16 d = WorkStruct->GetDescent(W);
            quint16 c = WorkStruct->GetChangeable(W);
            const bool Differs = T != S;
            bool Own = false;
            if (!T.isEmpty() && !IsGlobalDescent(d))
                Own = IsOwnDescent(d) || (c & ChangeableTranslatable) != (SourceChangeable & ChangeableTranslatable)
                      || Differs || T != WorkStruct->GetTranslation(W) || SourceGlobal;
            c = Own ? quint16(c | ChangeableOwnLine) : quint16(c & ~ChangeableOwnLine);
            WorkStruct->SetChangeable(W, c);
            RememberCell(T, W, d, Differs || !SourceGlobal);
            break;
        }
        case TEditorModes::emIndexedLexicon: {
            if (!WorkLexicon->IsIncluded(quint16(W)))
                break;
            quint16 SourceDescent;
            const QString S = LexiconSource(Name, W, SourceDescent);
            const bool SourceGlobal = IsGlobalDescent(SourceDescent);
            const quint16 d = WorkLexicon->GetLangDescent(W);
            const bool Differs = T != S;
            if (IsGlobalDescent(d)) {
                // The value lives in the global lexicon; the item keeps no
                // text of its own, but stays marked global, so that taking
                // the page back once more (after an export) still sends its
                // value to the global lexicon.
                WorkLexicon->Write(quint16(W), QString(), d);
            } else if (!IsOwnDescent(d) && !Differs && !SourceGlobal) {
                // The inherited text unchanged: no own translation. An item
                // emptied by an earlier taking back counts as unchanged too.
                const QString Current = WorkLexicon->Get(quint16(W));
                if (T == Current || Current.isEmpty())
                    T.clear();
            }
            RememberCell(T, W, d, Differs || !SourceGlobal);
            break;
        }
        case TEditorModes::emResources: {
            if (W >= WorkSmartLexicon->Count())
                break;
            quint16 SourceDescent;
            const QString S = ResourceSource(W, SourceDescent);
            RememberCell(T, W, WorkSmartLexicon->GetLangDescent(W), T != S || !IsGlobalDescent(SourceDescent));
            break;
        }
        case TEditorModes::emSmartLexicon:
            break;
        }
    }
}

void TLangCoreData::RememberCell(const QString &Content, int WorkIndex, quint16 Descent, bool SaveNewGlobals)
{
    if (WorkIndex < 0 || WorkIndex > MaxEditorItem)
        return;
    const quint16 W = quint16(WorkIndex);
    if (IsGlobalDescent(Descent)) {
        WorkGlobalLexicon->SaveChangedGlobalItem(WorkDesigned(W), Content, SaveNewGlobals);
        return;
    }
    switch (EditorMode) {
    case TEditorModes::emClient:
        if (WorkIndex < WorkStruct->Count())
            WorkStruct->SetTranslation(WorkIndex, Content);
        break;
    case TEditorModes::emIndexedLexicon:
        WorkLexicon->Write(W, Content, Descent);
        break;
    case TEditorModes::emResources:
        WorkSmartLexicon->Write(W, Content, Descent);
        break;
    case TEditorModes::emSmartLexicon:
        break;
    }
}

void TLangCoreData::StoreGroup()
{
    if (SelectedClient < 0 || SelectedClient != PageFromClient)
        return;
    const QString Name = ClientName();
    switch (EditorMode) {
    case TEditorModes::emClient:
        // The language data hold the language's own texts only: a stored
        // line is the language's own (descent 0), whatever level its text
        // was inherited from before the user changed it.
        for (int i = 0; i < WorkStruct->Count(); ++i) {
            int j = DataStruct->Find(WorkStruct->LineID(i));
            if (WorkStruct->GetChangeable(i) & ChangeableOwnLine) {
                if (j < 0) {
                    DataStruct->Copy(i, *WorkStruct);
                    j = DataStruct->Find(WorkStruct->LineID(i));
                } else {
                    DataStruct->SetupLineBy(j, i, *WorkStruct, 0);
                }
                DataStruct->SetDescent(j, quint16(DataStruct->GetDescent(j) & ~0xFF));
            } else if (j >= 0) {
                DataStruct->DeleteLine(j);
            }
        }
        break;
    case TEditorModes::emIndexedLexicon:
        if (WorkLexicon->Count() == 0 || Name.isEmpty())
            break;
        DataLexicon->NewLexicon(Name);
        for (int n = 0; n <= WorkLexicon->MaxIndex(); ++n) {
            if (!WorkLexicon->IsIncluded(quint16(n)))
                continue;
            const QString T = WorkLexicon->Get(quint16(n));
            if (T.isEmpty())
                DataLexicon->RemoveItem(Name, n);
            else
                DataLexicon->WriteItem(Name, n, T, DescentOwn);
        }
        break;
    case TEditorModes::emResources:
        if (WorkSmartLexicon->Count() == 0 || Name.isEmpty())
            break;
        SmartLexicon->NewLexicon(Name);
        for (int i = 0; i < WorkSmartLexicon->Count(); ++i) {
            const QString D = WorkSmartLexicon->GetLocStr(quint16(i));
            const quint16 d = WorkSmartLexicon->GetLangDescent(i);
            const QString T = WorkSmartLexicon->Get(quint16(i));
            bool Keep = !T.isEmpty() && !IsGlobalDescent(d);
            if (Keep && !IsOwnDescent(d)) {
                quint16 SourceDescent = DescentNone;
                Keep = T != SourceSmartLexicon->ReadItem(Name, D, SourceDescent) || IsGlobalDescent(SourceDescent);
            }
            if (Keep)
                SmartLexicon->WriteItem(Name, D, T, DescentOwn);
            else
                SmartLexicon->RemoveItem(Name, D);
        }
        break;
    case TEditorModes::emSmartLexicon:
        break;
    }
}

void TLangCoreData::StoreChanges()
{
    StoreEditorPage();
    StoreGroup();
}

// ---- queries ----

int TLangCoreData::GetEditorRowsCount() const
{
    if (EditorMode == TEditorModes::emResources)
        return WorkIndexes->Count();
    return qMax(WorkIndexes->Count(), int(WorkSmartLexicon->Count()));
}

bool TLangCoreData::ChangeableEditorItem(int Row) const
{
    if (EditorMode != TEditorModes::emClient || Row < 0 || Row >= WorkIndexes->Count())
        return true;
    const int L = WorkIndexes->GetWord(Row);
    return L >= WorkStruct->Count() || (WorkStruct->GetChangeable(L) & ChangeableTranslatable);
}

bool TLangCoreData::EditorItemIsGlobal(int Row, int &WorkIndex)
{
    if (Row < 0 || Row >= WorkIndexes->Count()) {
        WorkIndex = -1;
        return false;
    }
    WorkIndex = WorkIndexes->GetWord(Row);
    switch (EditorMode) {
    case TEditorModes::emClient:
        return WorkIndex < WorkStruct->Count() && WorkStruct->ValidItem(WorkIndex) && WorkStruct->IsGlobal(WorkIndex);
    case TEditorModes::emIndexedLexicon:
        return WorkLexicon->IsGlobal(quint16(WorkIndex));
    case TEditorModes::emResources:
        return WorkSmartLexicon->IsGlobal(quint16(WorkIndex));
    case TEditorModes::emSmartLexicon:
        break;
    }
    return false;
}

QString TLangCoreData::GetOriginalForEditorItem(int Row) const
{
    return RowDesigned(Row);
}

QString TLangCoreData::GetSourceForEditorItem(int Row) const
{
    if (Row < 0 || Row >= WorkIndexes->Count())
        return QString();
    const int W = WorkIndexes->GetWord(Row);
    quint16 SourceDescent;
    switch (EditorMode) {
    case TEditorModes::emClient: {
        const int s = SourceLine(Row);
        return s >= 0 ? SourceStruct->GetTranslation(s) : QString();
    }
    case TEditorModes::emIndexedLexicon:
        return LexiconSource(ClientName(), W, SourceDescent);
    case TEditorModes::emResources:
        return ResourceSource(W, SourceDescent);
    case TEditorModes::emSmartLexicon:
        break;
    }
    return QString();
}
