// The editor's groups (the components it shows, one page of rows each) and
// the loading of one group into the work data.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/editor/group_kinds.h"
#include "glotta/engine/form_lexicon.h"
#include "glotta/engine/spans.h"
#include "glotta/store/language_names.h"
#include "glotta/store/text_helpers.h"
#include "glotta/store/unit_list.h"
#include "glotta/store/resources_list.h"

#include <QSet>

namespace {
// The page kind is written when loading ends, whatever way it ends.
struct TModeOnExit
{
    TEditorModes &Target;
    TEditorModes Mode = TEditorModes::emIndexedLexicon;
    ~TModeOnExit() { Target = Mode; }
};
} // namespace

QObject *TLangCoreData::Group(int Index) const
{
    return Index >= 0 && Index < ClientGroups.size() ? ClientGroups[Index].data() : nullptr;
}

bool TLangCoreData::LoadGroups(QStringList &List)
{
    ClientGroups.clear();
    List.clear();
    const QList<QObject *> Components = SpanClients->Components();
    if (Components.isEmpty())
        return false;
    const auto AddGroup = [&](QObject *Component) {
        const QString Name = qobject_cast<TGlottaComponent *>(Component)->SpanName();
        if (List.contains(Name, Qt::CaseInsensitive))
            return;
        List.append(Name);
        ClientGroups.append(Component);
    };
    // The library's own lexicon comes last, and only when its texts are
    // translated like the program's: the built-in languages bring their own.
    QObject *Library = nullptr;
    for (QObject *Component : Components) {
        if (qobject_cast<TLangFormLexicon *>(Component))
            Library = Component;
        else if (GroupClient(Component) || qobject_cast<TLMList *>(Component))
            AddGroup(Component);
    }
    TLibraryTexts *Texts = LangFormLexicon();
    if (Library && Engine && Engine->TranslateGlotta() && Texts
        && !Texts->InternalLanguages(EditorLang, EditorISO, false))
        AddGroup(Library);
    return true;
}

void TLangCoreData::LoadObjects(QStringList &List)
{
    List.clear();
    if (EditorMode == TEditorModes::emClient) {
        QSet<QString> Seen;
        for (int i = 0; i < WorkStruct->Count(); ++i) {
            const QString Name = WorkStruct->GetComponentName(i);
            if (!Seen.contains(Name)) {
                Seen.insert(Name);
                List.append(Name);
            }
        }
    } else if (EditorMode == TEditorModes::emResources) {
        // Unit 0 collects the strings registered without a unit; it is
        // offered only when there are such strings.
        if (const TCustomResourcesTranslator *Translator = GroupTranslator(Group(SelectedClient))) {
            const TUnitList &Units = Translator->UnitList();
            if (Units.Count() > 0 && Translator->List().UnsortedItemsExists())
                List.append(Units.GetNameEx(0));
            for (int i = 1; i < Units.Count(); ++i)
                List.append(Units.GetNameEx(i));
        }
    }
}

QString TLangCoreData::ClientName(int ClientIndex) const
{
    const auto *Component = qobject_cast<const TGlottaComponent *>(Group(ClientIndex < 0 ? SelectedClient : ClientIndex));
    return Component ? Component->SpanName() : QString();
}

bool TLangCoreData::AllowedGlobals() const
{
    const auto *Component = qobject_cast<const TGlottaComponent *>(Group(SelectedClient));
    return Component && Component->GlobalLexicon();
}

int TLangCoreData::PageGlobal(const QString &LocStr) const
{
    // Descents 0 and 1: globals the language had and globals entered since;
    // 2 (written only by a status switch) does not translate a page.
    return WorkGlobalLexicon->Find(LocStr, 2);
}

TEditorModes TLangCoreData::ChangeEditorClient(int ClientIndex)
{
    TModeOnExit Exit{EditorMode};
    StoreChanges();
    WorkLexicon->Clear();
    WorkStruct->Clear();
    DesignedList->Clear();
    WorkSmartLexicon->Clear();
    SelectedClient = ClientIndex >= 0 && ClientIndex < ClientGroups.size() ? ClientIndex : -1;
    QObject *Component = Group(SelectedClient);
    if (GroupClient(Component)) {
        Exit.Mode = TEditorModes::emClient;
        LoadClientGroup(Component);
    } else if (GroupTranslator(Component)) {
        Exit.Mode = TEditorModes::emResources;
        LoadResourceGroup(Component);
    } else if (GroupLexicon(Component)) {
        LoadLexiconGroup(Component);
    }
    return Exit.Mode;
}

void TLangCoreData::LoadClientGroup(QObject *Component)
{
    WorkStruct->Assign(GroupClient(Component)->DesignStruct());
    const bool Globals = AllowedGlobals();
    // Rows and designed texts are numbered by 16-bit words; a form with
    // more lines than that shows its first 65,535.
    const int Count = qMin(WorkStruct->Count(), MaxEditorItem);
    for (int i = 0; i < Count; ++i) {
        const QString Designed = WorkStruct->GetTranslation(i);
        const QString ID = WorkStruct->LineID(i);
        DesignedList->Add(quint16(i), Designed, DescentOwn);
        int j = DataStruct->Find(ID);
        if (j >= 0) {
            WorkStruct->SetupLineBy(i, j, *DataStruct, ChangeableOwnLine);
            continue;
        }
        if (Globals && (j = PageGlobal(Designed)) >= 0) {
            WorkStruct->SetTranslation(i, WorkGlobalLexicon->Get(quint16(j)));
            WorkStruct->SetDescent(i, DescentGlobal);
            continue;
        }
        j = SourceStruct->Find(ID);
        if (j >= 0)
            WorkStruct->SetupLineBy(i, j, *SourceStruct, 0);
        else
            WorkStruct->SetDescent(i, DescentNone);
    }
}

void TLangCoreData::LoadResourceGroup(QObject *Component)
{
    const TCustomResourcesTranslator *Translator = GroupTranslator(Component);
    const QString Name = ClientName();
    const bool Globals = AllowedGlobals();
    // When the program's texts are already in the edited language, the
    // texts as loaded are that language's translations.
    const QString Original = Translator->OriginalLanguage();
    bool UseLoaded = false;
    if (!Original.isEmpty()) {
        QString Code = Original;
        UseLoaded = Original.compare(EditorLang, Qt::CaseInsensitive) == 0
                    || (NormalizeISOCode(Code) && Engine && Code == Engine->CurrentLanguageISO());
    }
    const TResourcesList &Loaded = Translator->List();
    for (int i = 0; i <= Translator->MaxItemIndex(); ++i) {
        const QString Designed = Translator->GetLocStr(i);
        QString LoadedText;
        if (UseLoaded) {
            LoadedText = Loaded.Strings(i);
            EncodeControlChars(LoadedText);
        }
        quint16 Descent = DescentNone;
        QString Text = SmartLexicon->ReadItem(Name, Designed, Descent);
        int g = -1;
        if (!Name.isEmpty() && SmartLexicon->IsIncluded(Name, Designed) && Descent < DescentNone) {
            // the language's own translation
        } else if (Globals && (g = PageGlobal(Designed)) >= 0) {
            Text = WorkGlobalLexicon->Get(quint16(g));
            Descent = DescentGlobal;
        } else if (UseLoaded) {
            Text = LoadedText;
            Descent = 1;
            if (Globals && LoadedText != Designed) {
                WorkGlobalLexicon->Write(Designed, LoadedText, 1);
                Descent = DescentGlobal;
            }
        } else if (!Name.isEmpty() && SourceSmartLexicon->IsIncluded(Name, Designed)) {
            Text = SourceSmartLexicon->ReadItem(Name, Designed, Descent);
        } else {
            Text = Designed;
            Descent = DescentNone;
        }
        WorkSmartLexicon->Add(Designed, Text, Descent);
    }
}

void TLangCoreData::LoadLexiconGroup(QObject *Component)
{
    const TLMList *Lexicon = GroupLexicon(Component);
    const QString Name = ClientName();
    const bool Globals = AllowedGlobals();
    const int Last = qMin(Lexicon->MaxItemIndex(), MaxEditorItem);
    for (int n = 0; n <= Last; ++n) {
        if (!Lexicon->IsDefined(n))
            continue;
        const QString Designed = Lexicon->GetLocStr(n);
        DesignedList->Add(quint16(n), Designed, DescentOwn);
        QString Text;
        quint16 Descent = DescentNone;
        int g = -1;
        if (DataLexicon->IsIncluded(Name, n)) {
            Text = DataLexicon->ReadItem(Name, n, Descent);
        } else if (Globals && (g = PageGlobal(Designed)) >= 0) {
            Text = WorkGlobalLexicon->Get(quint16(g));
            Descent = DescentGlobal;
        } else if (SourceLexicon->IsIncluded(Name, n)) {
            Text = SourceLexicon->ReadItem(Name, n, Descent);
        } else {
            Text = Designed;
        }
        WorkLexicon->Write(quint16(n), Text, Descent);
    }
}
