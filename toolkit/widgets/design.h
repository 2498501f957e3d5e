#pragma once
// Stored designs: a JSON tree of {"class", "name", "properties", "components"}
// objects. The reader creates the components in design order, sets each one's
// properties before creating its children, resolves component references,
// calls Loaded() on every component in creation order and then raises the
// form's OnCreate. The writer stores only values that differ from a fresh
// instance's, so a design read and written again is unchanged.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include "toolkit/widgets/class_registry.h"
#include "toolkit/core/exception.h"

#include <QJsonDocument>
#include <QList>
#include <QString>

class QObject;
class QWidget;
class TForm;

// A design that cannot be read; the message names the file, the component and the property.
GLOTTA_DECLARE_EXCEPTION(EDesignError, Exception)

// Reads the design in FileName (a path or a Qt resource ":/...") into Root,
// an instance of the design's root class, creating its components. Throws
// EDesignError; components already created stay owned by Root.
TOOLKIT_WIDGETS_EXPORT void ReadDesign(QObject *Root, const QString &FileName);
// The same from bytes; Source names them in error messages.
TOOLKIT_WIDGETS_EXPORT void ReadDesignFromBytes(QObject *Root, const QByteArray &Bytes, const QString &Source);
// Creates the root from the design's class and reads the design into it.
TOOLKIT_WIDGETS_EXPORT QObject *CreateFromDesign(const QString &FileName, QObject *Parent = nullptr);

TOOLKIT_WIDGETS_EXPORT QJsonDocument WriteDesign(const QObject *Root);
TOOLKIT_WIDGETS_EXPORT QByteArray WriteDesignBytes(const QObject *Root);
