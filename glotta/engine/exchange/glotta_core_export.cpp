// The engine's export of a language as a lexicon file or a dictionary: the
// texts every registered client shows, keyed by their designed texts. The
// formats themselves are written by exchange/.

#include "glotta/engine/glotta_core.h"

#include "glotta/engine/exchange/dictionary.h"
#include "glotta/engine/exchange/lexicon_file.h"
#include "glotta/engine/glotta_component.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/spans.h"
#include "glotta/store/flag_icon.h"
#include "glotta/store/named_items.h"
#include "glotta/store/text_helpers.h"

#include <QFileInfo>

namespace {
// Every entry of a list, whatever its descent, counts as present.
constexpr quint16 AnyDescent = 512;

QString Decoded(QString S)
{
    DecodeCharCodes(S);
    return S;
}

// Designed text -> the text each registered client shows for it now, where
// the two differ. The dictionary lists only what can be translated, and
// lists an untranslated designed text with an empty translation so that a
// translator sees every text.
void CollectShownTexts(const TSpans &Clients, TNamedItems &Pairs, bool Dictionary)
{
    for (QObject *Obj : Clients.Components()) {
        if (auto *Client = qobject_cast<TGlottaCPC *>(Obj)) {
            const TComponentStructure &Design = Client->DesignStruct();
            for (int i = 0; i < Design.Count(); ++i) {
                const TFullStructLine Line = Design.GetFull(i);
                if (Dictionary && !(Line.Changeable & 1))
                    continue;
                QString Shown = Client->ClientTranslation(Line.CompName, Line.OwnerName, Line.PropertyID, Line.ItemAddr);
                if (Shown != Decoded(Line.Translation)) {
                    EncodeControlChars(Shown);
                    Pairs.Write(Line.Translation, Shown, 0);
                } else if (Dictionary && Pairs.Find(Line.Translation, AnyDescent) < 0) {
                    Pairs.Write(Line.Translation, QString(), 0);
                }
            }
        } else if (auto *List = qobject_cast<TLMList *>(Obj)) {
            if (dynamic_cast<TLibraryTexts *>(List))
                continue;
            for (int n = 0; n <= List->MaxItemIndex(); ++n) {
                if (!List->IsDefined(n))
                    continue;
                const QString Designed = List->GetLocStr(n);
                QString Shown = List->GetItem(n);
                if (Shown != Decoded(Designed)) {
                    EncodeControlChars(Shown);
                    Pairs.Write(Designed, Shown, 0);
                }
            }
        }
    }
}
} // namespace

bool TGlottaCore::LibraryListTranslated() const
{
    return fIncludeGlotta && !fLangFormLexicon->InternalLanguages(fCurrentLanguage, fCurrentLangISO, false);
}

QByteArray TGlottaCore::LanguageFlag(int Index)
{
    const QBuffer *Flag = fData->Flag(Index);
    if (!Flag)
        return QByteArray();
    QBuffer Placeholder;
    Placeholder.open(QIODevice::ReadWrite);
    GetInternalFlag(Placeholder, ifEmptyFlag);
    return Flag->data() == Placeholder.data() ? QByteArray() : Flag->data();
}

void TGlottaCore::ExportToFile(const QString &FileName)
{
    const int Index = fData->Languages.IndexOf(fCurrentLanguage);
    if (Index <= 0)
        throw EImportExport(fLangFormLexicon->GetItem(liCannotExportDesign));
    SetFlagIcon(LanguageFlag(Index));
    WriteExchangeFile(FileName, fCurrentLanguage, fCurrentLangISO);
}

void TGlottaCore::WriteExchangeFile(const QString &FileName, const QString &LangName, const QString &LangISO)
{
    if (LangName.isEmpty() || FileName.isEmpty())
        return;
    const TLangCoreData &D = *fData;
    const QString LibraryPath = LibraryLexiconPath();
    const bool Internal = fLangFormLexicon->InternalLanguages(LangName, LangISO, false);
    const bool Dictionary = QFileInfo(FileName).suffix().toLower() == QLatin1String("txt");
    const TLangIDs Reference{fDesignLanguage, D.DesignLangISO};

    TNamedItems Pairs{QString()};
    if (!Dictionary)
        Pairs.AssignGlobals(*D.SmartLexicon);
    CollectShownTexts(*D.SpanClients, Pairs, Dictionary);

    QStringList Lines;
    if (Dictionary) {
        TDictionaryContent Content;
        Content.Language = TLangIDs{LangName, LangISO};
        Content.Reference = Reference;
        // The library's texts are offered when they are designed in the
        // design language, so that their designed texts match the entries'.
        auto *Library = dynamic_cast<TLMList *>(fLangFormLexicon.get());
        if (fIncludeGlotta && !Internal && Library
            && fLangFormLexicon->InternalLanguage().Code == D.DesignLangISO)
            for (int n = 0; n <= Library->MaxItemIndex(); ++n)
                Content.LibraryItems.push_back({Library->GetLocStr(n), D.DataLexicon->ReadItem(LibraryPath, n)});
        Content.Entries = &Pairs;
        Lines = FormatDictionary(Content);
    } else {
        TLexiconFileContent Content;
        Content.Reference = Reference;
        Content.Language = TLangIDs{LangName, LangISO};
        Content.WithLibrary = fIncludeGlotta && !Internal && D.DataLexicon->ItemsCount(LibraryPath) > 0;
        if (Content.WithLibrary)
            for (int n = 0; n <= D.DataLexicon->MaxItemNr(LibraryPath); ++n)
                if (D.DataLexicon->IsIncluded(LibraryPath, n))
                    Content.LibraryItems.push_back({n, D.DataLexicon->ReadItem(LibraryPath, n)});
        Content.Pairs = &Pairs;
        if (HasFlagIcon())
            Content.Flag = FlagIconStream().data();
        Lines = FormatLexiconFile(Content);
    }
    const QByteArray Bytes = EncodeLanguageFile(Lines, fLangFileEncoding);
    QFileDevice::FileError Error = QFileDevice::NoError;
    QString ErrorText;
    if (!WriteLanguageFileBytes(FileName, Bytes, Error, ErrorText))
        throw EOSError(quint32(Error), ErrorText);
}
