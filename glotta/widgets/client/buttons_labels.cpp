// Labels, push, tool, check and radio buttons, and the labelled-value
// control's value name. A tool button with a default action repeats the
// action's texts; the action is translated itself.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
QAction *DefaultAction(const QObject *Component)
{
    const auto *Button = qobject_cast<const QToolButton *>(Component);
    return Button ? Button->defaultAction() : nullptr;
}
} // namespace

QString ActionCaptionReference(const QObject *Component)
{
    // The button shows iconText(): the text without markers and "...".
    const QAction *A = DefaultAction(Component);
    return A ? A->iconText() : QString();
}

QString ActionHintReference(const QObject *Component)
{
    const QAction *A = DefaultAction(Component);
    return A ? A->toolTip() : QString();
}

QString ActionHelpReference(const QObject *Component)
{
    const QAction *A = DefaultAction(Component);
    return A ? A->whatsThis() : QString();
}

bool LabelCaption(TRowPass &P)
{
    auto *Label = qobject_cast<QLabel *>(P.Component);
    if (!Label || !MatchesRowClass(Label, "QLabel"))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Label->text(), [Label](const QString &T) { Label->setText(T); },
                P.R);
    return true;
}

bool ButtonCaption(TRowPass &P)
{
    // Push buttons (command-link buttons included), tool buttons, check
    // boxes and radio buttons; other button kinds have no caption row.
    auto *Button = qobject_cast<QAbstractButton *>(P.Component);
    if (!Button
        || !(qobject_cast<QPushButton *>(Button) || qobject_cast<QToolButton *>(Button)
             || qobject_cast<QCheckBox *>(Button) || qobject_cast<QRadioButton *>(Button)))
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnCaption), Button->text(), [Button](const QString &T) { Button->setText(T); },
                P.R);
    return true;
}

bool ValuedLabelValueName(TRowPass &P)
{
    // Recognised by class name and reached through its property, so that
    // the client does not depend on the selector controls.
    if (!P.Component->inherits("TValuedLabel"))
        return false;
    if (P.Enabled) {
        QObject *C = P.Component;
        TextRow(P, StringPropertyID(pnValueName), C->property("ValueName").toString(),
                [C](const QString &T) { C->setProperty("ValueName", T); }, P.R);
    }
    return true;
}
