#pragma once
// Qt Linguist TS through QXmlStreamWriter/Reader: a catalog written as a TS
// file and read back from one.
//
// A context per form or lexicon; a message's <comment> (Linguist's
// disambiguation, which lconvert and QTranslator use as such) carries the
// entry's identity. An unfinished translation is type "unfinished", an
// obsolete line "vanished". Statuses TS has no word for are an
// <extracomment> "glotta: ..." (the superior's text on its following
// lines); the translator's comment is <translatorcomment>. The language
// file's header is "extra-glotta-..." elements of <TS>.

#include "glotta/engine/exchange/translation_catalog.h"

#include <QByteArray>
#include <QString>

// Template: every translation empty and unfinished, no language.
QByteArray WriteTsCatalog(const TTranslationCatalog &Catalog, bool Template);
// False with Error (line, column, why) for XML that is not well-formed, a
// document that is not TS, numerus messages or an identity that names nothing.
bool ReadTsCatalog(const QByteArray &Bytes, TTranslationCatalog &Catalog, QString &Error);
