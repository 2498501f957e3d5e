#include "glotta/engine/exchange/catalog_template.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/engine/spans.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/language_names.h"

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
