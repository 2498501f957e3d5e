#include "lang_core_data.h"

#include "glotta_core.h"
#include "language_names.h"
#include "spans.h"

#include <QFileInfo>

QBuffer *TFlagsList::NewFlag()
{
    auto B = std::make_unique<QBuffer>();
    B->open(QIODevice::ReadWrite);
    fFlags.push_back(std::move(B));
    return fFlags.back().get();
}

QBuffer *TFlagsList::GetFlagStream(int Index)
{
    if (Index < 0)
        return nullptr;
    while (Count() <= Index)
        NewFlag();
    QBuffer *B = fFlags[size_t(Index)].get();
    B->seek(0);
    return B;
}

bool TFlagsList::Present(int FlagIndex) const
{
    return FlagIndex >= 0 && FlagIndex < Count() && fFlags[size_t(FlagIndex)]->size() > 10;
}

TLangCoreData::TLangCoreData(TGlottaCore *OwnedEngine)
    : SpanClients(new TSpans), Engine(OwnedEngine), DataStruct(new TComponentStructure),
      DataLexicon(new TLexiconData), SmartLexicon(new TSmartLexiconData)
{
}

TLangCoreData::~TLangCoreData() = default;

QString TLangCoreData::LangsDir() const
{
    return Engine ? Engine->GetLangsDir() : QString();
}

int TLangCoreData::IndexOfLanguage(const QString &ISOorLangName) const
{
    // An empty request names no language, not one without a code.
    if (ISOorLangName.isEmpty())
        return -1;
    const int i = LangCodes.IndexOf(ISOorLangName);
    if (i >= 0)
        return i;
    return Languages.IndexOf(ISOorLangName);
}

QString TLangCoreData::GetFile(const QString &ISOorLangName) const
{
    return GetFile(IndexOfLanguage(ISOorLangName));
}

QString TLangCoreData::GetFile(int LanguageIndex) const
{
    return LanguageIndex >= 0 && LanguageIndex < FileNames.Count() ? FileNames.Strings(LanguageIndex) : QString();
}

QString TLangCoreData::GetCode(const QString &LanguageName) const
{
    return GetCode(Languages.IndexOf(LanguageName));
}

QString TLangCoreData::GetCode(int LanguageIndex) const
{
    return LanguageIndex >= 0 && LanguageIndex < LangCodes.Count() ? LangCodes.Strings(LanguageIndex) : QString();
}

bool TLangCoreData::Exists(const QString &ISOorLangName) const
{
    return IndexOfLanguage(ISOorLangName) >= 0;
}

QBuffer *TLangCoreData::Flag(const QString &ISOorLangName)
{
    const int i = IndexOfLanguage(ISOorLangName);
    return i < 0 ? nullptr : Flag(i);
}

QBuffer *TLangCoreData::Flag(int LanguageIndex)
{
    if (LanguageIndex < 0 || LanguageIndex >= Flags.Count())
        return nullptr;
    return Flags.GetFlagStream(LanguageIndex);
}

void TLangCoreData::NewLanguage()
{
    DataStruct->NewLanguage();
    DataLexicon->NewLanguage();
    SmartLexicon->NewLanguage();
}

void TLangCoreData::Clear()
{
    DataStruct->Clear();
    DataLexicon->Clear();
    SmartLexicon->Clear();
    CurrentSuperiorLang = TLangIDs();
}

QString TLangCoreData::EditorExecute(int EMode)
{
    Q_UNUSED(EMode);
    return Engine ? Engine->CurrentLanguage() : QString();
}

bool TLangCoreData::EditorAction(TEditorActions Act, const QString &Param)
{
    if (!Engine)
        return false;
    switch (Act) {
    case TEditorActions::eaLoadLangForEdit: {
        const int i = Languages.IndexOf(Param);
        if (i >= 0 && !QFileInfo(FileNames.Strings(i)).isFile() && !Engine->ExtractResourceLanguage(i))
            return false;
        return Engine->LoadLanguage(Param, LoadToEdit);
    }
    case TEditorActions::eaLoadLangForCreate:
        return Engine->LoadLanguage(Param, TLoadFlag::AsSuperior);
    case TEditorActions::eaCreateLang: {
        QString Code = EditorISO;
        NormalizeISOCode(Code);
        Engine->fCurrentLanguage = EditorLang;
        Engine->fCurrentLangISO = Code;
        return true;
    }
    case TEditorActions::eaSaveLang:
        Engine->SaveLanguage(EditorLang, CurrentSuperiorLang.Name, EditorISO, Param);
        return true;
    }
    return false;
}
