// The editor's working copy of the global lexicon: what it takes from the
// language data and what it gives back before saving.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/editor/group_kinds.h"

namespace {
// Working-copy marks: 0 a global of the language as opened, 1 entered or
// changed since and to be saved.
constexpr quint16 KeptGlobal = 0;
constexpr quint16 NewGlobal = 1;
} // namespace

void TLangCoreData::LoadNewWorkGlobals()
{
    const TNamedItems &Globals = SmartLexicon->GlobalLexicon();
    for (int i = 0; i < Globals.Count(); ++i) {
        const QString Designed = Globals.GetLocStr(quint16(i));
        if (Globals.GetLangDescent(i) == KeptGlobal && !WorkGlobalLexicon->IsIncluded(Designed))
            WorkGlobalLexicon->Add(Designed, Globals.Get(quint16(i)), NewGlobal);
    }
}

void TLangCoreData::StoreNewGlobals()
{
    TNamedItems &Globals = SmartLexicon->GlobalLexicon();
    Globals.Clear();
    const TNamedItems &Work = *WorkGlobalLexicon;
    for (int i = 0; i < Work.Count(); ++i) {
        const QString Text = Work.Get(quint16(i));
        if (!Text.isEmpty() && Work.GetLangDescent(i) == KeptGlobal)
            Globals.Add(Work.GetLocStr(quint16(i)), Text, DescentOwn);
    }
    // A global entered in the editor is kept only when some item of the
    // language has no translation of its own and so uses it.
    const auto UseNew = [&](const QString &Designed) {
        const int i = Work.Find(Designed, NewGlobal + 1);
        if (i >= 0 && Work.GetLangDescent(i) == NewGlobal) {
            const QString Text = Work.Get(quint16(i));
            if (!Text.isEmpty())
                Globals.Write(Designed, Text, DescentOwn);
        }
    };
    for (const QPointer<QObject> &Component : ClientGroups) {
        if (const TGlottaCPC *Client = GroupClient(Component)) {
            const TComponentStructure &Design = Client->DesignStruct();
            for (int i = 0; i < Design.Count(); ++i)
                if (DataStruct->Find(Design.LineID(i)) < 0)
                    UseNew(Design.GetTranslation(i));
        } else if (const TCustomResourcesTranslator *Translator = GroupTranslator(Component)) {
            const QString Name = Translator->ListPath();
            for (int i = 0; i <= Translator->MaxItemIndex(); ++i) {
                const QString Designed = Translator->GetLocStr(i);
                if (!SmartLexicon->IsIncluded(Name, Designed))
                    UseNew(Designed);
            }
        } else if (const TLMList *Lexicon = GroupLexicon(Component)) {
            const QString Name = Lexicon->ListPath();
            const int Last = qMin(Lexicon->MaxItemIndex(), MaxEditorItem);
            for (int n = 0; n <= Last; ++n)
                if (Lexicon->IsDefined(n) && !DataLexicon->IsIncluded(Name, n))
                    UseNew(Lexicon->GetLocStr(n));
        }
    }
}

QString TLangCoreData::GetGlobalSource(const QString &LocStr) const
{
    return SourceSmartLexicon->GlobalLexicon().Get(LocStr);
}

QString TLangCoreData::GetGlobalTranslate(const QString &LocStr) const
{
    if (WorkGlobalLexicon->IsIncluded(LocStr))
        return WorkGlobalLexicon->Get(LocStr);
    return GetGlobalSource(LocStr);
}
