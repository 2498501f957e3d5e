// The two shapes every row takes (one text, or a string list line by line)
// and which widget classes a row leaves to others.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"

namespace {
// Row classes and the descendants their rows skip: controls that show
// values or fill themselves, whose texts are no designed texts.
struct TExclusion
{
    const char *RowClass;
    const char *Skipped;
};
constexpr TExclusion Exclusions[] = {
    {"QLabel", "TValuedLabel"},
    {"QComboBox", "TLangCombo"},
    {"QComboBox", "TLangFlagsCombo"},
    {"QComboBox", "QFontComboBox"},
};
} // namespace

bool IsExcludedRowDescendant(const QObject *Component, const char *RowClass)
{
    for (const TExclusion &E : Exclusions)
        if (qstrcmp(E.RowClass, RowClass) == 0 && Component->inherits(E.Skipped))
            return true;
    return false;
}

bool MatchesRowClass(const QObject *Component, const char *RowClass)
{
    return Component->inherits(RowClass) && !IsExcludedRowDescendant(Component, RowClass);
}

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
