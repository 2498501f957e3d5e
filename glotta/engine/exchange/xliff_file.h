#pragma once
// XLIFF 1.2 through QXmlStreamWriter/Reader: a catalog written as one <file>
// and read back from one.
//
// The language file's header is a <prop-group name="glotta"> in <header>.
// Each entry is a <trans-unit> inside a group per form or lexicon (the
// group shape translators' tools and lconvert read as a context); its
// identity is the "x-gettext-msgctxt" context and the resname. A translated
// unit is approved, a fuzzy one "needs-review-translation", an excluded one
// translate="no". Statuses XLIFF has no word for are glotta:status and
// glotta:obsolete attributes in the program's own namespace, the
// superior's text a note from "glotta-inherited", the translator's comment
// a note from "translator".

#include "glotta/engine/exchange/translation_catalog.h"

#include <QByteArray>
#include <QString>

inline constexpr QLatin1String XliffNamespace("urn:oasis:names:tc:xliff:document:1.2");
inline constexpr QLatin1String GlottaXmlNamespace("urn:glotta:exchange:1");

// Template: targets left out, no target language.
QByteArray WriteXliffCatalog(const TTranslationCatalog &Catalog, bool Template);
// False with Error (line, column, why) for XML that is not well-formed, a
// document that is not XLIFF 1.2 with one <file>, or a unit whose identity
// names nothing.
bool ReadXliffCatalog(const QByteArray &Bytes, TTranslationCatalog &Catalog, QString &Error);
