// The source data: what every attached component shows in the reference
// language, built once when a language is loaded for editing (or chosen as
// the base of a new one), before the edited language's own lines arrive.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/editor/group_kinds.h"
#include "glotta/engine/spans.h"

namespace {
// A reference text that is not the language's own (Descent not 0) of a
// component that falls back to the global lexicon takes the global
// translation of its designed text when the reference language has a closer
// one; Text changes only when that translation is not empty.
void ApplyGlobal(const TSmartLexiconData &Data, bool Connected, const QString &Designed, QString &Text,
                 quint16 &Descent)
{
    if (!Connected || Descent == 0)
        return;
    const TNamedItems &Globals = Data.GlobalLexicon();
    const int i = Globals.Find(Designed, Descent);
    if (i < 0)
        return;
    Descent = quint16(Globals.GetLangDescent(i) | DescentGlobal);
    const QString Found = Globals.Get(quint16(i));
    if (!Found.isEmpty())
        Text = Found;
}
} // namespace

void TLangCoreData::CompleteSourceData()
{
    SourceStruct->Clear();
    SourceLexicon->Clear();
    SourceSmartLexicon->Clear();
    SourceSmartLexicon->GlobalLexicon().AssignItems(SmartLexicon->GlobalLexicon());

    for (QObject *Component : SpanClients->Components()) {
        if (TGlottaCPC *Client = GroupClient(Component)) {
            const TComponentStructure &Design = Client->DesignStruct();
            for (int i = 0; i < Design.Count(); ++i) {
                TSimpleStructLine Line = Design.GetSimple(i);
                const QString Designed = Line.Translation;
                Line.Descent = DescentNone;
                const int j = DataStruct->Find(Line.LineID);
                if (j >= 0) {
                    Line.Changeable = quint16(DataStruct->GetChangeable(j) & ~ChangeableObsolete);
                    Line.Descent = DataStruct->GetDescent(j) & 0xFF;
                    QString Text = DataStruct->GetTranslation(j);
                    ApplyGlobal(*SmartLexicon, Client->GlobalLexicon(), Designed, Text, Line.Descent);
                    if (!Text.isEmpty())
                        Line.Translation = Text;
                }
                SourceStruct->AddLine(Line);
            }
        } else if (TCustomResourcesTranslator *Translator = GroupTranslator(Component)) {
            // An unnamed translator has no lexicon of its own (the empty
            // name is the global lexicon's).
            const QString Name = Translator->ListPath();
            if (Name.isEmpty())
                continue;
            SourceSmartLexicon->NewLexicon(Name);
            for (int i = 0; i <= Translator->MaxItemIndex(); ++i) {
                const QString Designed = Translator->GetLocStr(i);
                quint16 Descent = DescentNone;
                QString Text = SmartLexicon->ReadItem(Name, Designed, Descent);
                ApplyGlobal(*SmartLexicon, Translator->GlobalLexicon(), Designed, Text, Descent);
                if (Text.isEmpty())
                    SourceSmartLexicon->AddItem(Name, Designed, Designed, DescentNone);
                else
                    SourceSmartLexicon->AddItem(Name, Designed, Text, Descent);
            }
        } else if (TLMList *Lexicon = GroupLexicon(Component)) {
            const QString Name = Lexicon->ListPath();
            SourceLexicon->NewLexicon(Name);
            const int Last = qMin(Lexicon->MaxItemIndex(), MaxEditorItem);
            for (int n = 0; n <= Last; ++n) {
                if (!Lexicon->IsDefined(n))
                    continue;
                const QString Designed = Lexicon->GetLocStr(n);
                QString Text = Designed;
                quint16 Descent = DescentNone;
                if (DataLexicon->IsIncluded(Name, n)) {
                    const QString Own = DataLexicon->ReadItem(Name, n, Descent);
                    if (!Own.isEmpty())
                        Text = Own;
                }
                ApplyGlobal(*SmartLexicon, Lexicon->GlobalLexicon(), Designed, Text, Descent);
                SourceLexicon->WriteItem(Name, n, Text, Descent);
            }
        }
    }

    DataStruct->Clear();
    DataLexicon->Clear();
    SmartLexicon->Clear();
}
