// The two shapes every row takes (one text, or a string list line by line)
// and which widget classes a row leaves to others.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/widgets/client/qt_rows.h"
#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"
#include "toolkit/core/component.h"

#include <QRegularExpression>
#include <QVariant>
#include <QWidget>

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
    // A text the program marked to stay as it is is neither collected nor
    // written.
    if (Keeps(P, RowProperty(P.Component, ID)))
        return;
    const QString Text = P.Client.ProcessStringProperty(P.Component, ID, Value, P.Collect, Reference);
    // Writing an unchanged text would still raise the widget's change signals.
    if (!P.Collect && Text != Value)
        Write(Text);
}

void LinesRow(TRowPass &P, quint16 ID, const QStringList &Lines,
              const std::function<void(const QStringList &)> &Write)
{
    if (Keeps(P, RowProperty(P.Component, ID)))
        return;
    QStringList Texts = Lines;
    P.Client.ProcessStringsLines(P.Component, ID, P.Collect, Texts);
    if (!P.Collect && Texts != Lines)
        Write(Texts);
}

QString QtStrippedText(const QString &Text)
{
    QString S = Text;
    S.remove(QStringLiteral("..."));
    for (qsizetype i = 0; i < S.size(); ++i)
        if (S.at(i) == QLatin1Char('&'))
            S.remove(i, 1);
    return S.trimmed();
}

QStringList KeptProperties(const QObject *Object)
{
    const QVariant V = Object->property(NoTranslateProperty);
    if (!V.isValid())
        return {};
    if (V.typeId() == QMetaType::Bool)
        return V.toBool() ? QStringList{QStringLiteral("*")} : QStringList{};
    if (V.typeId() == QMetaType::QStringList)
        return V.toStringList();
    static const QRegularExpression Separators(QStringLiteral("[,;\\s]+"));
    return V.toString().split(Separators, Qt::SkipEmptyParts);
}

bool KeepsUntranslated(const QObject *Object, const char *Property)
{
    const QStringList Keep = KeptProperties(Object);
    return Keep.contains(QStringLiteral("*")) || Keep.contains(QLatin1String(Property));
}

bool Keeps(const TRowPass &P, const char *Property)
{
    return !P.Keep.isEmpty()
           && (P.Keep.contains(QStringLiteral("*")) || P.Keep.contains(QLatin1String(Property)));
}

const char *RowProperty(const QObject *Component, quint16 ID)
{
    if (ID >= QtRowFirstID)
        return ID < QtRowFirstID + qrCount ? QtRowProperty(TQtRow(ID - QtRowFirstID)) : "items";
    if (ID == StringsPropertyID(pnLines))
        return "plainText";
    if (ID >= StringsPropertiesBase)
        return "items";
    switch (ID) {
    case pnCaption: {
        if (Component->inherits("QMenu") || Component->inherits("QGroupBox") || Component->inherits("QWizardPage"))
            return "title";
        const auto *W = qobject_cast<const QWidget *>(Component);
        int Index = -1;
        if (W && PageHost(W, Index))
            return "title";
        if (W && (W->inherits("QDockWidget") || IsForm(W)))
            return "windowTitle";
        return "text";
    }
    case pnHint:
        return "toolTip";
    case pnTextHint:
        return "placeholderText";
    case pnEditLabelHint:
    case pnEditLabelCaption:
        return "EditLabel";
    case pnText:
        return Component->inherits("QComboBox") ? "currentText" : "text";
    case pnTitle:
        return "windowTitle";
    case pnValueName:
        return "ValueName";
    case pnHelpKeyword:
        return "whatsThis";
    case pnSimpleText:
        return "SimpleText";
    default:
        return "text";
    }
}
