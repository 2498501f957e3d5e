// Suggestions for the row being edited: translations the same designed
// text, or one close to it, already has elsewhere in the edited language
// and in its reference (superior) languages, closest first.

#include "glotta/engine/lang_core_data.h"

#include <QHash>
#include <algorithm>

namespace {
// Designed texts longer than this are only matched whole: comparing them
// letter by letter costs more than a near match of a long text is worth.
constexpr qsizetype MaxCompared = 400;
// How close a designed text must be (in percent) to be offered.
constexpr int MinCloseness = 60;

// Percent of the longer text that stays when the fewest edits (insert,
// delete, replace a letter) turn one text into the other; letter case
// aside, which costs a point only.
int Closeness(const QString &A, const QString &B)
{
    if (A == B)
        return 100;
    const QString X = A.toCaseFolded(), Y = B.toCaseFolded();
    if (X == Y)
        return 99;
    const qsizetype Longer = qMax(X.size(), Y.size());
    if (Longer == 0 || X.size() > MaxCompared || Y.size() > MaxCompared
        || qMin(X.size(), Y.size()) * 100 < Longer * MinCloseness)
        return 0;
    QList<int> Previous(Y.size() + 1), Current(Y.size() + 1);
    for (qsizetype j = 0; j <= Y.size(); ++j)
        Previous[j] = int(j);
    for (qsizetype i = 1; i <= X.size(); ++i) {
        Current[0] = int(i);
        for (qsizetype j = 1; j <= Y.size(); ++j)
            Current[j] = qMin(qMin(Previous[j] + 1, Current[j - 1] + 1),
                              Previous[j - 1] + (X[i - 1] == Y[j - 1] ? 0 : 1));
        std::swap(Previous, Current);
    }
    // Never 99 or 100: those are the same text.
    return qMin(98, int(100 - qint64(Previous[Y.size()]) * 100 / Longer));
}
} // namespace

QList<TLangCoreData::TSuggestion> TLangCoreData::Suggestions(int Row, int Limit) const
{
    QList<TSuggestion> Found;
    if (Row < 0 || Row >= WorkIndexes->Count() || PageFromClient != SelectedClient)
        return Found;
    const QString Designed = RowDesigned(Row);
    const QString Value = GetEditorRow(Row);
    if (Designed.isEmpty())
        return Found;
    QHash<QString, qsizetype> Offered;
    const auto Offer = [&](const QString &Text, const QString &From, const QString &Language) {
        if (Text.isEmpty() || Text == Value || Text == From)
            return;
        const int Close = Closeness(Designed, From);
        if (Close < MinCloseness)
            return;
        const auto It = Offered.constFind(Text);
        if (It != Offered.constEnd()) {
            if (Found[*It].Closeness < Close)
                Found[*It] = {Text, From, Language, Close};
            return;
        }
        Offered.insert(Text, Found.size());
        Found.append({Text, From, Language, Close});
    };
    // The edited language's own texts first, then the reference's.
    for (int g = 0; g < ClientGroups.size(); ++g)
        GroupRows(g, [&](const TRowFacts &Facts) {
            if (g == SelectedClient && Facts.PageRow == Row)
                return;
            const TRowState State = RowState(Facts);
            if (State == TRowState::Own || State == TRowState::Global)
                Offer(Facts.Value.isEmpty() ? Facts.Source : Facts.Value, Facts.Designed, EditorLang);
        });
    for (int g = 0; g < ClientGroups.size(); ++g)
        GroupRows(g, [&](const TRowFacts &Facts) {
            const int Level = Facts.SourceDescent & 0xFF;
            if (Facts.HasSource && (Level != DescentNone || IsGlobalDescent(Facts.SourceDescent)))
                Offer(Facts.Source, Facts.Designed, CurrentSuperiorLang.Name);
        });
    std::stable_sort(Found.begin(), Found.end(),
                     [](const TSuggestion &A, const TSuggestion &B) { return A.Closeness > B.Closeness; });
    if (Limit >= 0 && Found.size() > Limit)
        Found.resize(Limit);
    return Found;
}
