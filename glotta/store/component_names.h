#pragma once
// Names under which lexicons and clients are stored (owner form's base name
// + "." + component name), form base names without platform view suffixes,
// and the directory paths of language files.

#include <QList>
#include <QString>

class QObject;
struct QMetaObject;

// "" without a component or owner; else FormBaseName(owner name) + "." +
// name, or the owner's base name alone for an unnamed component.
QString ComponentPath(const QObject *Component);

// Form1_iPhone47in, Form1_LgXhdpiPh, Main_Form_Windows -> Form1, Form1,
// Main_Form: a form and its platform-specific views share their names.
QString FormBaseName(const QString &Name);

// Every "/" and "\" becomes "\"; a non-empty result ends with "\".
QString NormalizeDirectory(const QString &Path);

// Path when it has a drive or starts with "\\"; Base + Path (without a
// leading "\" or "/") otherwise; then NormalizeDirectory.
QString CombinePath(const QString &Base, const QString &Path);

// Keeps characters above code 64 and the digits; a leading digit gets "_".
QString IdentifierOf(const QString &S);

// A (key class, class) pair of a client's class table.
struct TClassPair
{
    const QMetaObject *Key;
    const QMetaObject *Class;
};

// True when a pair has the key Key and Obj is an instance of its class or of
// a class derived from it.
bool IsClassWithKey(const QObject *Obj, const QMetaObject *Key, const QList<TClassPair> &Pairs);
