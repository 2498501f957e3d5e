#pragma once
// TValuedLabel: a label made of a translatable name part and a value part,
// shown as name, separator, spaces and value ("Size:  10").

#include "glotta/widgets/glotta_widgets_export.h"
#include <QLabel>

class GLOTTA_WIDGETS_EXPORT TValuedLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString Value READ Value WRITE SetValue)
    Q_PROPERTY(QString ValueName READ ValueName WRITE SetValueName)
    Q_PROPERTY(QString ValueSeparator READ ValueSeparator WRITE SetValueSeparator)
    Q_PROPERTY(int ValueSpaces READ ValueSpaces WRITE SetValueSpaces)
public:
    explicit TValuedLabel(QWidget *Parent = nullptr);

    QString Value() const { return fValue; }
    void SetValue(const QString &Value);
    QString ValueName() const { return fValueName; }
    void SetValueName(const QString &Value);
    QString ValueSeparator() const { return fValueSeparator; }
    void SetValueSeparator(const QString &Value);
    // 0 to 255 spaces between the separator and the value; other numbers
    // are taken to the nearest of the two.
    int ValueSpaces() const { return fValueSpaces; }
    void SetValueSpaces(int Value);
    // The spaces between the separator and the value.
    const QString &Space() const { return fSpace; }

    // Caption := ValueName + ValueSeparator + Space + Value.
    virtual void ComposeCaption();

private:
    QString fSpace;
    QString fValue;
    QString fValueName;
    QString fValueSeparator;
    quint8 fValueSpaces = 0;
};
