#pragma once
// Text for the XML formats: XML 1.0 cannot carry most control characters or
// lone surrogates, so those become U+FFFD instead of a document no reader
// accepts. The catalog's texts never hold them (their codes stay written
// out); names and comments from a foreign file might.

#include <QString>

QString XmlSafeText(const QString &Text);
