#include "glotta/engine/form_lexicon.h"

#include "glotta/store/component_names.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/store/indexed_items.h"
#include "glotta/store/language_names.h"
#include "glotta/store/text_helpers.h"

TCustomProgrammableLexicon::TCustomProgrammableLexicon(QObject *Owner)
    : TLexicon(Owner), fIndexedItems(new TIndexedItems(objectName()))
{
}

TCustomProgrammableLexicon::~TCustomProgrammableLexicon() = default;

void TCustomProgrammableLexicon::SetOnInitialization(const TNotifyEvent &Value)
{
    fOnInitialization = Value;
    if (fOnInitialization)
        fOnInitialization(this);
}

void TCustomProgrammableLexicon::DefineItem(quint16 ItemNr, const QString &Text)
{
    if (Text.isEmpty())
        return;
    QString S = Text;
    EncodeControlChars(S);
    fIndexedItems->Write(ItemNr, S, 0);
}

QString TCustomProgrammableLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    const QString S = GetLocStr(Index);
    if (fGlottaEngine)
        return fGlottaEngine->TranslateString(S, this, Index);
    QString D = S;
    DecodeCharCodes(D);
    return D;
}

int TCustomProgrammableLexicon::MaxItemIndex() const
{
    return fIndexedItems->MaxIndex();
}

bool TCustomProgrammableLexicon::IsDefined(int Index) const
{
    return Index >= 0 && Index <= 65535 && fIndexedItems->IsIncluded(quint16(Index))
           && !fIndexedItems->Get(quint16(Index)).isEmpty();
}

bool TCustomProgrammableLexicon::IsDefined(const QString &LocStr) const
{
    return fIndexedItems->IndexOf(LocStr) >= 0;
}

QString TCustomProgrammableLexicon::GetLocStr(int Index) const
{
    if (Index < 0 || Index > 65535 || !fIndexedItems->IsIncluded(quint16(Index)))
        return QString();
    return fIndexedItems->Get(quint16(Index));
}

TLangFormLexicon::TLangFormLexicon(TGlottaCore *Engine) : TCustomProgrammableLexicon(nullptr), fEngine(Engine)
{
    setObjectName(QStringLiteral("LangFormLexicon"));
    LoadLang(EnglishTexts());
    SetGlottaEngine(Engine);
}

void TLangFormLexicon::LoadLang(const TInternalLangDefs &StringArray)
{
    fIntLang.Name = StringArray[0];
    fIntLang.Code = StringArray[1];
    for (int n = 0; n < LibraryItemCount; ++n)
        DefineItem(quint16(n), StringArray[size_t(n) + 2]);
}

bool TLangFormLexicon::InternalLanguages(const QString &Lang, QString Code, bool LoadDefs)
{
    if (!NormalizeISOCode(Code)) {
        if (!Lang.isEmpty() && Lang == CustomInternallyLang[0])
            Code = CustomInternallyLang[1];
        else {
            // Later matches override earlier ones.
            if (IsSlovakName(Lang))
                Code = QStringLiteral("sk");
            if (IsGermanName(Lang))
                Code = QStringLiteral("de");
            if (IsCzechName(Lang))
                Code = QStringLiteral("cs");
            if (IsEnglishName(Lang))
                Code = QStringLiteral("en");
        }
    }
    if (!NormalizeISOCode(Code))
        return false;
    const TInternalLangDefs *Set = nullptr;
    if (Code == CustomInternallyLang[1])
        Set = &CustomInternallyLang;
    else if (Code == QLatin1String("en"))
        Set = &EnglishTexts();
    else if (Code == QLatin1String("de"))
        Set = &GermanTexts();
    else if (Code == QLatin1String("cs"))
        Set = &CzechTexts();
    else if (Code == QLatin1String("sk"))
        Set = &SlovakTexts();
    else if (Code == QLatin1String("it"))
        Set = &ItalianTexts();
    if (!Set)
        return false;
    if (LoadDefs)
        LoadLang(*Set);
    return true;
}

QString TLangFormLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    if (fGlottaEngine && fGlottaEngine->TranslateGlotta())
        return fGlottaEngine->TranslateString(GetLocStr(Index), this, Index);
    return GetLocStr(Index);
}

std::unique_ptr<TLibraryTexts> CreateLibraryLexicon(TGlottaCore *Engine)
{
    return std::make_unique<TLangFormLexicon>(Engine);
}

QString TLangFormLexicon::ListPath() const
{
    const QString EngineName = fEngine ? FormBaseName(fEngine->objectName()) : QString();
    return EngineName.isEmpty() ? objectName() : EngineName + QLatin1Char('.') + objectName();
}
