#include "glotta/engine/lang_core_data.h"

#include "glotta/engine/library_texts.h"
#include "glotta/engine/spans.h"

TLangCoreData::TLangCoreData(TLangDataEngine *OwnedEngine)
    : SpanClients(new TSpans), Engine(OwnedEngine), DataStruct(new TComponentStructure),
      DataLexicon(new TLexiconData), SmartLexicon(new TSmartLexiconData),
      DesignedList(new TIndexedItems(QStringLiteral("Designed"))), WorkIndexes(new TWordList),
      SourceIndexes(new TWordList), WorkStruct(new TComponentStructure), SourceStruct(new TComponentStructure),
      WorkLexicon(new TIndexedItems(QStringLiteral("Temp lexicon"))), SourceLexicon(new TLexiconData),
      WorkGlobalLexicon(new TNamedItems(QStringLiteral("Global"))),
      WorkSmartLexicon(new TNamedItems(QStringLiteral("Smart"))), SourceSmartLexicon(new TSmartLexiconData)
{
}

TLangCoreData::~TLangCoreData() = default;

QString TLangCoreData::LangsDir() const
{
    return Engine ? Engine->GetLangsDir() : QString();
}

TLibraryTexts *TLangCoreData::LangFormLexicon() const
{
    return Engine ? Engine->LangFormLexicon() : nullptr;
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

QString TLangCoreData::PrepareForEditor()
{
    ClearWorkData();
    EditorMode = TEditorModes::emIndexedLexicon;
    if (TLibraryTexts *Texts = LangFormLexicon())
        for (int i = 0; i < EditorLexCount; ++i)
            EditorLex[size_t(i)] = Texts->GetItem(i);
    return Engine ? Engine->AboutGlotta() : QString();
}

void TLangCoreData::ClearWorkData()
{
    EditorLex.fill(QString());
    ClientGroups.clear();
    WorkIndexes->Clear();
    SourceIndexes->Clear();
    DesignedList->Clear();
    WorkStruct->Clear();
    SourceStruct->Clear();
    WorkLexicon->Clear();
    SourceLexicon->Clear();
    WorkGlobalLexicon->Clear();
    WorkSmartLexicon->Clear();
    SourceSmartLexicon->Clear();
    SelectedClient = -1;
    PageFromClient = -1;
}

QString TLangCoreData::EditorExecute(int EMode)
{
    Q_UNUSED(EMode);
    return Engine ? Engine->CurrentLanguage() : QString();
}

// The plain holder has no window: no rows to show or read back.
void TLangCoreData::AddEditorRow(const QString &PropertyName, const QString &Value)
{
    Q_UNUSED(PropertyName);
    Q_UNUSED(Value);
}

QString TLangCoreData::GetEditorRow(int Row) const
{
    Q_UNUSED(Row);
    return QString();
}

void TLangCoreData::EditorSelect(int Row, int Start, int Len, TEditorSearch Column)
{
    Q_UNUSED(Row);
    Q_UNUSED(Start);
    Q_UNUSED(Len);
    Q_UNUSED(Column);
}
