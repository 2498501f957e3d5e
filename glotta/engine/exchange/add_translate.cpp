// The rule that applies one pair of designed text and translation to every
// registered client, shared by the dictionary import and the global pairs
// of a lexicon file.

#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/library_texts.h"
#include "glotta/engine/spans.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/text_helpers.h"

namespace {
// Changeable of a line the language translates itself: translatable, own.
constexpr quint16 OwnTranslatableLine = ChangeableTranslatable | ChangeableOwnLine;

bool HasOwn(const TNamedItems &Items, const QString &Designed)
{
    quint16 Descent = DescentNone;
    Items.Get(Designed, Descent);
    return Items.IsIncluded(Designed) && (Descent & 0xFF) == 0;
}

class TPairWriter
{
public:
    TPairWriter(TLangCoreData &Data, const QString &Designed, const QString &Translated, bool Overwrite)
        : D(Data), Designed(Designed), Translated(Translated), Overwrite(Overwrite)
    {
    }

    int PropertyClient(TGlottaCPC &Client)
    {
        int Count = 0;
        TComponentStructure &Store = *D.DataStruct;
        const TComponentStructure &Design = Client.DesignStruct();
        for (int i = 0; i < Design.Count(); ++i) {
            if (Design.GetTranslation(i) != Designed)
                continue;
            TFullStructLine Line = Design.GetFull(i);
            const int Found = Store.Find(Line);
            bool Missing = Found < 0;
            if (Found >= 0 && (Store.GetChangeable(Found) & ChangeableTranslatable)) {
                if (Overwrite) {
                    Store.SetupLine(Found, Translated, 0, OwnTranslatableLine);
                    ++Count;
                    continue;
                }
                Missing = Store.GetDescent(Found) != 0;
            }
            // A text the global lexicon already translates is not missing.
            if (Missing && !Overwrite && Client.GlobalLexicon() && HasOwnGlobal())
                Missing = false;
            if (!Missing)
                continue;
            ++Count;
            if (Client.GlobalLexicon()) {
                D.SmartLexicon->WriteItem(Designed, Translated, 0);
            } else if (Found >= 0) {
                Store.SetupLine(Found, Translated, 0, OwnTranslatableLine);
            } else {
                Line.Translation = Translated;
                Line.Descent = 0;
                Line.Changeable = OwnTranslatableLine;
                Store.AddLine(Line);
            }
        }
        return Count;
    }

    // A list that keeps a named smart lexicon: the resource-string translator.
    int SmartList(TLMList &List)
    {
        if (!List.IsDefined(Designed))
            return 0;
        TSmartLexiconData &Smart = *D.SmartLexicon;
        const QString Path = List.ListPath();
        if (!Smart.LexiconExists(Path))
            Smart.NewLexicon(Path);
        int Count = 0;
        quint16 Descent = DescentNone;
        Smart.ReadItem(Path, Designed, Descent);
        if (Smart.IsIncluded(Path, Designed) && (Descent & 0xFF) == 0) {
            if (!Overwrite)
                return 0;
            Smart.WriteItem(Path, Designed, Translated, 0);
            ++Count;
        }
        if (List.GlobalLexicon()) {
            if (!Overwrite && HasOwnGlobal())
                return Count;
            Smart.WriteItem(Designed, Translated, 0);
        } else {
            Smart.WriteItem(Path, Designed, Translated, 0);
        }
        return Count + 1;
    }

    int IndexedList(TLMList &List)
    {
        TLexiconData &Lexicons = *D.DataLexicon;
        const QString Path = List.ListPath();
        if (!Lexicons.LexiconExists(Path))
            Lexicons.NewLexicon(Path);
        int Count = 0;
        for (int n = 0; n <= List.MaxItemIndex(); ++n) {
            if (List.GetLocStr(n) != Designed)
                continue;
            quint16 Descent = DescentNone;
            const bool Own = !Lexicons.ReadItem(Path, n, Descent).isEmpty() && Descent == 0;
            if (Own && !Overwrite)
                continue;
            if (Own || !List.GlobalLexicon()) {
                Lexicons.WriteItem(Path, n, Translated, 0);
            } else {
                if (!Overwrite && HasOwnGlobal())
                    continue;
                D.SmartLexicon->WriteItem(Designed, Translated, 0);
            }
            ++Count;
        }
        return Count;
    }

private:
    bool HasOwnGlobal() const { return HasOwn(D.SmartLexicon->GlobalLexicon(), Designed); }

    TLangCoreData &D;
    const QString &Designed;
    const QString &Translated;
    const bool Overwrite;
};
} // namespace

int TLangCoreData::AddTranslate(const QString &Designed, const QString &Translated, bool OverwritingAllowed)
{
    if (Designed.isEmpty() || Translated.isEmpty())
        return 0;
    // The store's one-line form: a dictionary writes "=" and other
    // characters as codes, and control characters are always codes.
    QString D = Designed;
    DecodeCharCodes(D);
    EncodeControlChars(D);
    QString T = Translated;
    EncodeControlChars(T);
    TPairWriter Writer(*this, D, T, OverwritingAllowed);
    int Count = 0;
    for (QObject *Obj : SpanClients->Components()) {
        if (auto *Client = qobject_cast<TGlottaCPC *>(Obj)) {
            Count += Writer.PropertyClient(*Client);
        } else if (auto *List = qobject_cast<TLMList *>(Obj)) {
            if (List->KeepsSmartLexicon())
                Count += Writer.SmartList(*List);
            else if (!dynamic_cast<TLibraryTexts *>(List) || (Engine && Engine->LibraryListTranslated()))
                Count += Writer.IndexedList(*List);
        }
    }
    return Count;
}

void TLangCoreData::ExportLanguage(const QString &FileName, const QString &LangName, const QString &LangISO)
{
    if (Engine)
        Engine->WriteExchangeFile(FileName, LangName, LangISO);
}
