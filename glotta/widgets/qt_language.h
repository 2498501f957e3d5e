#pragma once
// Qt's own side of a language change: Qt's translations of its standard
// buttons and dialogs (qtbase_<code>.qm from Qt's translation directory)
// and the application's layout direction, both following the language the
// user chose. Application-wide: one set of Qt translations at a time.

#include <QString>

// Installs Qt's translations for the language ISOCode ("de", "pt-BR",
// "zh_CN"), removing those installed for the language before; a language
// without such a file leaves Qt's texts in English. The library's
// resources translator stays in front, so the texts it holds win. Sets the
// layout direction to right-to-left for a language written so (by Qt's
// locale data), else left-to-right. Answers whether Qt's translations for
// the language were found.
bool FollowLanguageInQt(const QString &ISOCode);
// The file of Qt's translations installed now; empty when none is.
QString InstalledQtTranslations();
