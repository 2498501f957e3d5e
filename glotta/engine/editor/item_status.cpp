// The status of editor rows: their colours and hints, switching a row
// between translatable, global and excluded, the source text of the
// selected row, and whether an object still has rows to translate.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/editor/group_kinds.h"
#include "glotta/engine/editor/item_colors.h"
#include "glotta/engine/internal_lang_defs.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/unit_list.h"

#include <QHash>
#include <QSet>

using namespace EditorColor;

quint32 TLangCoreData::GetItemColor(quint16 ItemDescent, bool NoTrans)
{
    if (ItemDescent == DescentNone)
        return Yellow;
    if (ItemDescent > DescentNone)
        return LightBlue;
    return NoTrans ? Salmon : Lime;
}

quint32 TLangCoreData::GetItemColor(quint16 ItemDescent, const QString &ItemContent, const QString &Original)
{
    if (ItemContent.isEmpty()) {
        if (IsOwnDescent(ItemDescent))
            return IsGlobalDescent(ItemDescent) ? Red : DarkRed;
        return ItemDescent <= DescentNone ? SeaGreen : SteelBlue;
    }
    if (!IsOwnDescent(ItemDescent) && ItemContent == Original) {
        if (ItemDescent == DescentNone)
            return Yellow;
        return ItemDescent < DescentNone ? Lime : LightBlue;
    }
    if (ItemDescent > DescentNone)
        return Blue;
    return Original.isEmpty() ? GreyGreen : Green;
}

quint32 TLangCoreData::GetItemColor(int EditorIndex, const QString &ObjectName, const QString &CurrentString)
{
    // ObjectName is the group's name, which keys the source lexicons.
    if (PageFromClient != SelectedClient || EditorIndex < 0 || EditorIndex >= WorkIndexes->Count())
        return Grey;
    const int W = WorkIndexes->GetWord(EditorIndex);
    switch (EditorMode) {
    case TEditorModes::emClient: {
        if (WorkStruct->Count() == 0 || SourceIndexes->Count() == 0 || W >= WorkStruct->Count())
            return Grey;
        const quint16 c = WorkStruct->GetChangeable(W);
        const quint16 d = WorkStruct->GetDescent(W);
        if (c & ChangeableObsolete) {
            if (CurrentString == WorkStruct->GetTranslation(W))
                return Violet;
            // Edited: the line is current again.
            WorkStruct->SetChangeable(W, quint16(c & ~ChangeableObsolete));
            return Green;
        }
        if (!(c & ChangeableTranslatable))
            return Salmon;
        const int s = SourceLine(EditorIndex);
        const bool SourceGlobal = s >= 0 && SourceStruct->IsGlobal(s);
        if (!SourceGlobal && IsGlobalDescent(d))
            return GetItemColor(d, CurrentString, GetGlobalSource(DesignedList->Get(quint16(W))));
        return GetItemColor(d, CurrentString, s >= 0 ? SourceStruct->GetTranslation(s) : QString());
    }
    case TEditorModes::emIndexedLexicon: {
        const quint16 d = WorkLexicon->GetLangDescent(W);
        quint16 SourceDescent;
        QString Source = LexiconSource(ObjectName, W, SourceDescent);
        if (!IsGlobalDescent(SourceDescent) && IsGlobalDescent(d))
            Source = GetGlobalSource(DesignedList->Get(quint16(W)));
        return GetItemColor(d, CurrentString, Source);
    }
    case TEditorModes::emResources: {
        const quint16 d = WorkSmartLexicon->GetLangDescent(W);
        const QString Designed = WorkSmartLexicon->GetLocStr(quint16(W));
        quint16 SourceDescent = DescentNone;
        QString Source = ObjectName.isEmpty() ? QString()
                                              : SourceSmartLexicon->ReadItem(ObjectName, Designed, SourceDescent);
        if (!IsGlobalDescent(SourceDescent) && IsGlobalDescent(d))
            Source = GetGlobalSource(Designed);
        return GetItemColor(d, CurrentString, Source);
    }
    case TEditorModes::emSmartLexicon:
        break;
    }
    return Grey;
}

QString TLangCoreData::GetColorHint(quint32 Color) const
{
    static const QHash<quint32, TLibraryItem> HintItem{
        {Yellow, liHintDesigned},   {Lime, liHintSource},      {LightBlue, liHintGlobalSource},
        {Green, liHintTranslated},  {Blue, liHintGlobal},      {DarkRed, liHintDeleted},
        {Violet, liHintRestored},   {Salmon, liHintExcluded},  {SeaGreen, liHintInvalid},
        {SteelBlue, liHintInvalid}, {Grey, liHintInvalid},     {Red, liHintGlobalDeleted},
    };
    const auto It = HintItem.constFind(Color);
    return It == HintItem.constEnd() ? QString() : EditorLex[size_t(*It)];
}

bool TLangCoreData::SwitchEditorItem(int EditorItem, const QString &Content, bool &AllowNoTrans, QString &NewText)
{
    NewText.clear();
    if (EditorItem < 0 || EditorItem >= WorkIndexes->Count())
        return false;
    const int W = WorkIndexes->GetWord(EditorItem);
    const bool Globals = AllowedGlobals();
    switch (EditorMode) {
    case TEditorModes::emClient: {
        if (W >= WorkStruct->Count())
            return false;
        const int s = SourceLine(EditorItem);
        const QString Source = s >= 0 ? SourceStruct->GetTranslation(s) : QString();
        const quint16 d = WorkStruct->GetDescent(W);
        if (!(WorkStruct->GetChangeable(W) & ChangeableTranslatable)) {
            WorkStruct->SetChangeable(W, ChangeableTranslatable);
            AllowNoTrans = false;
        } else {
            RememberCell(Content, W, d, false);
            if (!AllowNoTrans && Globals) {
                AllowNoTrans = true;
            } else {
                WorkStruct->SetChangeable(W, 0);
                NewText = Source;
            }
            if (Globals)
                WorkStruct->SetDescent(W, quint16(d ^ DescentGlobal));
        }
        if (WorkStruct->GetChangeable(W) != 0) {
            if (WorkStruct->IsGlobal(W)) {
                NewText = GetGlobalTranslate(DesignedList->Get(quint16(W)));
                if (NewText.isEmpty())
                    NewText = Content == Source ? QString() : Content;
            } else {
                NewText = WorkStruct->GetTranslation(W);
                if (NewText.isEmpty())
                    NewText = Source;
            }
        }
        return true;
    }
    case TEditorModes::emIndexedLexicon:
    case TEditorModes::emResources: {
        if (!Globals)
            return false;
        const bool Lexicon = EditorMode == TEditorModes::emIndexedLexicon;
        if (!Lexicon && W >= WorkSmartLexicon->Count())
            return false;
        const quint16 d = Lexicon ? WorkLexicon->GetLangDescent(W) : WorkSmartLexicon->GetLangDescent(W);
        quint16 SourceDescent;
        const QString Source = Lexicon ? LexiconSource(ClientName(), W, SourceDescent) : ResourceSource(W, SourceDescent);
        RememberCell(Content, W, d, false);
        if (Lexicon)
            WorkLexicon->SetLangDescent(W, quint16(d ^ DescentGlobal));
        else
            WorkSmartLexicon->SetLangDescent(W, quint16(d ^ DescentGlobal));
        if (IsGlobalDescent(d)) {
            NewText = Lexicon ? WorkLexicon->Get(quint16(W)) : WorkSmartLexicon->Get(quint16(W));
            if (NewText.isEmpty())
                NewText = Source;
        } else {
            NewText = GetGlobalTranslate(RowDesigned(EditorItem));
            if (NewText.isEmpty())
                NewText = Content == Source ? QString() : Content;
        }
        return true;
    }
    case TEditorModes::emSmartLexicon:
        break;
    }
    return false;
}

QString TLangCoreData::SelectEditorItem(int EditorItem, TWordList *SameLocStr, quint32 &SourceColor)
{
    LastSearch.clear();
    QString Source;
    quint16 SourceDescent = DescentNone;
    bool NoTrans = false;
    const bool OnPage = EditorItem >= 0 && EditorItem < WorkIndexes->Count();
    const int W = OnPage ? WorkIndexes->GetWord(EditorItem) : -1;
    if (OnPage) {
        switch (EditorMode) {
        case TEditorModes::emClient:
            if (const int s = SourceLine(EditorItem); s >= 0) {
                Source = SourceStruct->GetTranslation(s);
                SourceDescent = SourceStruct->GetDescent(s);
                NoTrans = !(SourceStruct->GetChangeable(s) & ChangeableTranslatable);
            }
            break;
        case TEditorModes::emIndexedLexicon:
            Source = LexiconSource(ClientName(), W, SourceDescent);
            break;
        case TEditorModes::emResources:
            Source = ResourceSource(W, SourceDescent);
            break;
        case TEditorModes::emSmartLexicon:
            break;
        }
    }
    SourceColor = GetItemColor(SourceDescent, NoTrans);
    if (SameLocStr) {
        SameLocStr->Clear();
        if (OnPage && AllowedGlobals()) {
            const QString Designed = RowDesigned(EditorItem);
            for (int Row = 0; Row < WorkIndexes->Count(); ++Row)
                if (Row != EditorItem && RowDesigned(Row) == Designed)
                    SameLocStr->AddWord(quint16(Row));
        }
    }
    return Source;
}

bool TLangCoreData::ItemNeedsTranslation(quint16 Descent, const QString &Text, const QString &Designed,
                                         const QString &SourceText) const
{
    if (IsGlobalDescent(Descent)) {
        const int g = PageGlobal(Designed);
        return g < 0 || WorkGlobalLexicon->Get(quint16(g)).isEmpty();
    }
    if (IsOwnDescent(Descent))
        return false;
    return Text.isEmpty() || Text == SourceText;
}

bool TLangCoreData::IsUntranslated(const QString &GroupName, const QString &ObjectName)
{
    switch (EditorMode) {
    case TEditorModes::emClient: {
        const int Count = qMin(WorkStruct->Count(), MaxEditorItem);
        for (int i = 0; i < Count; ++i) {
            if (!ObjectName.isEmpty() && WorkStruct->GetComponentName(i) != ObjectName)
                continue;
            const quint16 c = WorkStruct->GetChangeable(i);
            if (!(c & ChangeableTranslatable))
                continue;
            if (c & ChangeableObsolete)
                return true;
            const int s = SourceStruct->Find(WorkStruct->LineID(i));
            if (ItemNeedsTranslation(WorkStruct->GetDescent(i), WorkStruct->GetTranslation(i),
                                     DesignedList->Get(quint16(i)), s >= 0 ? SourceStruct->GetTranslation(s) : QString()))
                return true;
        }
        return false;
    }
    case TEditorModes::emIndexedLexicon:
        for (int n = 0; n <= WorkLexicon->MaxIndex(); ++n) {
            if (!WorkLexicon->IsIncluded(quint16(n)))
                continue;
            quint16 SourceDescent;
            if (ItemNeedsTranslation(WorkLexicon->GetLangDescent(n), WorkLexicon->Get(quint16(n)),
                                     DesignedList->Get(quint16(n)), LexiconSource(GroupName, n, SourceDescent)))
                return true;
        }
        return false;
    case TEditorModes::emResources: {
        const TCustomResourcesTranslator *Translator = GroupTranslator(Group(SelectedClient));
        const int Unit = Translator ? Translator->UnitList().IndexOfName(ObjectName) : -1;
        if (Unit < 0)
            return false;
        QSet<QString> InUnit;
        const TResourcesList &List = Translator->List();
        for (int i = 0; i < List.Count(); ++i)
            if (const TResourceInfo *Info = List.GetResourceInfo(i); Info->UnitId() == Unit)
                InUnit.insert(Info->DesignForm);
        for (int f = 0; f < WorkSmartLexicon->Count(); ++f) {
            const QString Designed = WorkSmartLexicon->GetLocStr(quint16(f));
            if (!InUnit.contains(Designed))
                continue;
            const QString Source = GroupName.isEmpty() ? QString() : SourceSmartLexicon->ReadItem(GroupName, Designed);
            if (ItemNeedsTranslation(WorkSmartLexicon->GetLangDescent(f), WorkSmartLexicon->Get(quint16(f)), Designed,
                                     Source))
                return true;
        }
        return false;
    }
    case TEditorModes::emSmartLexicon:
        break;
    }
    return false;
}
