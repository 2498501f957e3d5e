#include "glotta/widgets/valued_label.h"

TValuedLabel::TValuedLabel(QWidget *Parent) : QLabel(Parent) {}

void TValuedLabel::SetValue(const QString &Value)
{
    fValue = Value;
    ComposeCaption();
}

void TValuedLabel::SetValueName(const QString &Value)
{
    fValueName = Value;
    ComposeCaption();
}

void TValuedLabel::SetValueSeparator(const QString &Value)
{
    fValueSeparator = Value;
    ComposeCaption();
}

void TValuedLabel::SetValueSpaces(int Value)
{
    fValueSpaces = quint8(qBound(0, Value, 255));
    fSpace = QString(fValueSpaces, QLatin1Char(' '));
    ComposeCaption();
}

void TValuedLabel::ComposeCaption()
{
    setText(fValueName + fValueSeparator + fSpace + fValue);
}
