#pragma once
// What a language file holds besides its texts (name, code, superior, design
// language, signature, encoding, flag) as named fields, the same in every
// translator-tool format: PO header fields "X-Glotta-<name>", XLIFF header
// properties, TS "extra-glotta-..." elements.

#include "glotta/engine/exchange/translation_catalog.h"

#include <QList>
#include <QPair>
#include <QString>

using TExchangeFields = QList<QPair<QString, QString>>;

// Template: the fields of a template (the design language only).
TExchangeFields CatalogHeaderFields(const TTranslationCatalog &Catalog, bool Template);
// Takes one field into Catalog; unknown names are ignored. False with Error
// for a value that cannot be what it names (an unknown encoding, a flag
// that is no hexadecimal).
bool SetCatalogHeaderField(TTranslationCatalog &Catalog, const QString &Name, const QString &Value, QString &Error);

enum class ExchangeHeaderStyle { Po };
// The PO header: gettext's fields and the X-Glotta- fields.
QString FormatExchangeHeader(const TTranslationCatalog &Catalog, bool Template, ExchangeHeaderStyle Style);
bool ReadExchangeHeader(const QString &Header, ExchangeHeaderStyle Style, TTranslationCatalog &Catalog,
                        QString &Error);
