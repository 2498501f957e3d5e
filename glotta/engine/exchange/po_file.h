#pragma once
// gettext PO (and POT, the template without translations) through gettext's
// own libgettextpo: a catalog written as a PO file and read back from one.
//
// msgctxt carries the entry's identity (CatalogKey), msgid the designed text
// (the identity again when the designed text is not known), msgstr the
// translation. Obsolete lines are obsolete entries ("#~"), a translator's
// comment is "# ", and a status a PO has no word for (excluded, an empty own
// translation, inherited with the superior's text) is an extracted comment
// "#. glotta: ..." that tools keep and never edit. The language file's header
// travels in "X-Glotta-..." header fields.

#include "glotta/engine/exchange/translation_catalog.h"

#include <QByteArray>
#include <QString>

// Template: a POT (every msgstr empty, no language in the header).
bool WritePoCatalog(const TTranslationCatalog &Catalog, bool Template, QByteArray &Bytes, QString &Error);
// False with Error (file line and gettext's message) for a file gettext
// cannot read, a charset it does not know, plural entries or a header that
// does not say which language the file is for.
bool ReadPoCatalog(const QByteArray &Bytes, TTranslationCatalog &Catalog, QString &Error);
