#pragma once
// One translator-tool format's reader alone, on bytes: the read into the
// catalog, the merge of what it read into a small language held in memory
// (a new one for odd sizes), and the promise that whatever was read can be
// written in the same format and read again. No engine, no window, no file
// but the temporary one libgettextpo reads.

#include "glotta/engine/exchange/translation_exchange.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

inline void FuzzTranslationReader(const uint8_t *Data, size_t Size, TExchangeFormat Format)
{
    static const QByteArray Language = QByteArray("\xEF\xBB\xBF[LANGUAGE_FILE]\r\n"
                                                  "0\t%LANGUAGE_NAME=\"english\"\t%CODE=en;\t%FILEVER=THLF1;\r\n"
                                                  "0\t\"close\"\t%COMPONENT=closeb;\t%OWNER=Form1;\r\n"
                                                  "0\t%NOTRANS\t%COMPONENT=logo;\t%OWNER=Form1;\r\n"
                                                  "0\t%LEXICON_STRINGS\r\n"
                                                  "0\t%LEXICON_NAME=Form1.Lexicon1;\r\n"
                                                  "0\t\"Error\"\r\n"
                                                  "0\t%SMART_STRINGS\r\n"
                                                  "0\t\"Ano\"\r\n"
                                                  "0\t\"Yes\"\r\n");
    static TCatalogTemplate Template = [] {
        TCatalogTemplate T;
        T.Design = {QStringLiteral("čeština"), QStringLiteral("cs")};
        TCatalogEntry E;
        E.Line.CompName = QStringLiteral("closeb");
        E.Line.OwnerName = QStringLiteral("Form1");
        E.Source = QStringLiteral("zavřít");
        T.Entries.push_back(E);
        return T;
    }();

    const QByteArray Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    QByteArray Target = Size % 2 ? QByteArray() : Language;
    ImportCatalogBytes(Bytes, Format, Target, Size % 3 == 0 ? &Template : nullptr);

    TTranslationCatalog Catalog;
    QString Error;
    if (!ReadCatalog(Bytes, Format, Catalog, Error))
        return;
    QByteArray Written;
    TTranslationCatalog Again;
    if (!WriteCatalog(Catalog, Format, Written, Error) || !ReadCatalog(Written, Format, Again, Error))
        std::abort();
    if (Again.Entries.size() != Catalog.Entries.size())
        std::abort();
}
