#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/spans.h"

TLangCoreData::TLangCoreData(TLangDataEngine *OwnedEngine)
    : SpanClients(new TSpans), Engine(OwnedEngine), DataStruct(new TComponentStructure),
      DataLexicon(new TLexiconData), SmartLexicon(new TSmartLexiconData)
{
}

TLangCoreData::~TLangCoreData() = default;

QString TLangCoreData::LangsDir() const
{
    return Engine ? Engine->GetLangsDir() : QString();
}

bool TLangCoreData::EditorAction(TEditorActions Act, const QString &Param)
{
    return Engine && Engine->EditorAction(Act, Param);
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
