#pragma once
// Templates: the designed texts of a program, extracted from its forms (Qt
// Designer .ui files through Qt's form loader, stored designs through the
// toolkit's reader) by attaching a client exactly as a running program
// does, or read from a template language file that "glotta extract" wrote.

#include "glotta/engine/exchange/catalog_language_file.h"
#include "glotta/engine/exchange/translation_catalog.h"
#include "tools/glotta/glotta_tool.h"

#include <QHash>
#include <QString>
#include <QStringList>

struct TToolTemplate
{
    TCatalogTemplate Template;
    // CatalogEntryId -> the group whose accelerators must differ: one menu,
    // or one window's other controls. Known only for extracted forms.
    QHash<QString, QString> AcceleratorScope;
    // Where each entry came from (a form file), for messages.
    QHash<QString, QString> Origin;
};

// The design language a form's engine lacks (a .ui has none): name and code.
struct TExtractOptions
{
    QString DesignName;
    QString DesignCode;
};

// True when File is a form extract reads (.ui, or a stored design .json).
bool IsFormFile(const QString &File);

// Adds the template of File (a form, or a template language file) to T.
// False after a message naming the file (and line, where there is one).
bool AddToTemplate(const QString &File, const TExtractOptions &Options, TToolTemplate &T, TToolConsole &Console);
