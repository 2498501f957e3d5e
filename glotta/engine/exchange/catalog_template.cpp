#include "glotta/engine/exchange/catalog_template.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/engine/spans.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/language_names.h"

#include <QSaveFile>
#include <QSet>

TCatalogTemplate TemplateOfEngine(const TGlottaCore &Engine, bool WithLibrary)
{
    TCatalogTemplate T;
    QString Code = Engine.DesignLangISOCode();
    if (!NormalizeISOCode(Code))
        Code.clear();
    T.Design = {Engine.DesignLanguageName(), Code};
    const TLangCoreData *Data = Engine.LData();
    if (!Data || !Data->SpanClients)
        return T;
    // Two clients of one form share lines: each line once.
    QSet<QString> Seen;
    auto Add = [&](TCatalogEntry &&E) {
        const QString Id = CatalogEntryId(E);
        if (!E.Source.isEmpty() && !Seen.contains(Id)) {
            Seen.insert(Id);
            T.Entries.push_back(std::move(E));
        }
    };
    for (QObject *Obj : Data->SpanClients->Components()) {
        if (auto *Client = qobject_cast<TGlottaCPC *>(Obj)) {
            const TComponentStructure &Design = Client->DesignStruct();
            for (int i = 0; i < Design.Count(); ++i) {
                TCatalogEntry E;
                E.Kind = TCatalogKind::Component;
                E.Line = Design.GetFull(i);
                E.Source = E.Line.Translation;
                E.Line.Translation.clear();
                E.Line.Changeable = 0;
                E.Line.Descent = 0;
                Add(std::move(E));
            }
        } else if (auto *Resources = qobject_cast<TCustomResourcesTranslator *>(Obj)) {
            for (int n = 0; n <= Resources->MaxItemIndex(); ++n) {
                if (!Resources->IsDefined(n))
                    continue;
                TCatalogEntry E;
                E.Kind = TCatalogKind::SmartPair;
                E.Lexicon = Resources->ListPath();
                E.Source = Resources->GetLocStr(n);
                Add(std::move(E));
            }
        } else if (auto *List = qobject_cast<TLMList *>(Obj)) {
            const bool Library = dynamic_cast<TLibraryTexts *>(List) != nullptr;
            if (Library && !WithLibrary)
                continue;
            for (int n = 0; n <= List->MaxItemIndex(); ++n) {
                if (!List->IsDefined(n))
                    continue;
                TCatalogEntry E;
                E.Kind = TCatalogKind::LexiconItem;
                E.Lexicon = List->ListPath();
                E.Number = n;
                E.Library = Library;
                E.Source = List->GetLocStr(n);
                Add(std::move(E));
            }
        }
    }
    return T;
}

void StoresOfTemplate(const TCatalogTemplate &Template, const TLanguageFileHeader &Header, TLanguageStores &S,
                      const std::function<QString(const QString &)> &Translate)
{
    S.Header = Header;
    for (const TCatalogEntry &E : Template.Entries) {
        const QString Text = Translate ? Translate(E.Source) : E.Source;
        switch (E.Kind) {
        case TCatalogKind::Component: {
            TFullStructLine L = E.Line;
            L.Translation = Text;
            L.Changeable = 1;
            L.Descent = 0;
            S.Struct.AddLine(L);
            break;
        }
        case TCatalogKind::LexiconItem:
            if (E.Library)
                S.LibraryPath = E.Lexicon;
            if (!S.Lexicons.LexiconExists(E.Lexicon))
                S.Lexicons.NewLexicon(E.Lexicon);
            S.Lexicons.WriteItem(E.Lexicon, E.Number, Text, 0);
            break;
        case TCatalogKind::SmartPair:
            if (E.Lexicon.isEmpty())
                S.Smart.AddItem(E.Source, Text, 0);
            else {
                if (!S.Smart.LexiconExists(E.Lexicon))
                    S.Smart.NewLexicon(E.Lexicon);
                S.Smart.AddItem(E.Lexicon, E.Source, Text, 0);
            }
            break;
        }
    }
}

bool WriteTemplateOfEngine(const TGlottaCore &Engine, const QString &FileName, QString &Error)
{
    const TCatalogTemplate T = TemplateOfEngine(Engine, false);
    TLanguageFileHeader Header;
    Header.Name = T.Design.Name.isEmpty() ? QStringLiteral("design") : T.Design.Name;
    Header.Code = T.Design.Code;
    TLanguageStores Stores;
    StoresOfTemplate(T, Header, Stores);
    const QByteArray Bytes = WriteLanguageStores(Stores);
    QSaveFile F(FileName);
    if (!F.open(QIODevice::WriteOnly) || F.write(Bytes) != Bytes.size() || !F.commit()) {
        Error = F.errorString();
        return false;
    }
    return true;
}
