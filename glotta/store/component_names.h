#pragma once
// Names under which lexicons and clients are stored (owner form's base name
// + "." + component name), form base names without platform view suffixes,
// and the directory paths of language files.

#include "glotta/store/glotta_store_export.h"
#include <QList>
#include <QString>

class QObject;
struct QMetaObject;

// "" without a component or owner; else FormBaseName(owner name) + "." +
// name, or the owner's base name alone for an unnamed component.
GLOTTA_STORE_EXPORT QString ComponentPath(const QObject *Component);

// Form1_iPhone47in, Form1_LgXhdpiPh, Main_Form_Windows -> Form1, Form1,
// Main_Form: a form and its platform-specific views share their names.
GLOTTA_STORE_EXPORT QString FormBaseName(const QString &Name);

// Every "/" and "\" becomes "\"; a non-empty result ends with "\".
GLOTTA_STORE_EXPORT QString NormalizeDirectory(const QString &Path);

// Path when it has a drive or starts with "\\"; Base + Path (without a
// leading "\" or "/") otherwise; then NormalizeDirectory.
GLOTTA_STORE_EXPORT QString CombinePath(const QString &Base, const QString &Path);

// Keeps characters above code 64 and the digits; a leading digit gets "_".
GLOTTA_STORE_EXPORT QString IdentifierOf(const QString &S);

// A (key class, class) pair of a client's class table.
struct GLOTTA_STORE_EXPORT TClassPair
{
    const QMetaObject *Key;
    const QMetaObject *Class;
};

// True when a pair has the key Key and Obj is an instance of its class or of
// a class derived from it.
GLOTTA_STORE_EXPORT bool IsClassWithKey(const QObject *Obj, const QMetaObject *Key, const QList<TClassPair> &Pairs);
