// The two shapes every row takes: one text, or a string list line by line.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/widgets/glotta_client.h"

void TextRow(TRowPass &P, quint16 ID, const QString &Value, const std::function<void(const QString &)> &Write,
             const QString &Reference)
{
    const QString Text = P.Client.ProcessStringProperty(P.Component, ID, Value, P.Collect, Reference);
    // Writing an unchanged text would still raise the widget's change signals.
    if (!P.Collect && Text != Value)
        Write(Text);
}

void LinesRow(TRowPass &P, quint16 ID, const QStringList &Lines,
              const std::function<void(const QStringList &)> &Write)
{
    QStringList Texts = Lines;
    P.Client.ProcessStringsLines(P.Component, ID, P.Collect, Texts);
    if (!P.Collect && Texts != Lines)
        Write(Texts);
}
