#pragma once
// Why an import is refused: the reason that formats the library's "this file
// can not be imported" text of the EImportExport raised.

enum TImportRefusal {
    irFileMissing = 1,
    irDesignLanguageCurrent = 2,
    irTooFewLines = 3,
    irReferenceCode = 4,
    irReferenceName = 5,
    irFileVersion = 6,
    irOtherLanguage = 7,
    irTargetNotLoaded = 8,
    irNoHeader = 9,
    irLibraryUnnamed = 10,
    irLexiconUnnamed = 11,
    irSmartLexiconUnnamed = 12,
    irDictionaryUnlabelled = 13,
};
