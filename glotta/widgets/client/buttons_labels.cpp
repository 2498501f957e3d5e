// Labels, push, tool, check and radio buttons, and the labelled-value
// control's value name. A tool button with a default action repeats the
// action's texts; the action is translated itself.

#include "glotta/widgets/client/client_rows.h"
#include "glotta/widgets/client/qt_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
// A button's text with what hangs on it. Qt gives the button the new text's
// mnemonic as its shortcut, so a shortcut of its own (Esc on "Close") is
// put back; a tooltip that only repeated the text repeats the new one.
void WriteButtonText(QAbstractButton *Button, const QString &T)
{
    const QString Old = Button->text();
    const QKeySequence Shortcut = Button->shortcut();
    const bool OwnShortcut = Shortcut != QKeySequence::mnemonic(Old);
    // A tooltip marked "do not translate" stays, whatever it repeats.
    const bool TipFollows = !Button->toolTip().isEmpty() && Button->toolTip() == QtStrippedText(Old)
                            && !KeepsUntranslated(Button, "toolTip");
    Button->setText(T);
    if (OwnShortcut && Button->shortcut() != Shortcut)
        Button->setShortcut(Shortcut);
    if (TipFollows)
        Button->setToolTip(QtStrippedText(T));
}

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

QString RepeatedCaption(const QWidget *Component)
{
    QString Caption;
    if (const auto *Button = qobject_cast<const QAbstractButton *>(Component))
        Caption = Button->text();
    else if (const auto *Label = qobject_cast<const QLabel *>(Component))
        Caption = Label->text();
    const QString Tip = Component->toolTip();
    return !Caption.isEmpty() && Tip == QtStrippedText(Caption) ? Tip : QString();
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
        TextRow(P, StringPropertyID(pnCaption), Label->text(),
                [Label](const QString &T) {
                    const bool TipFollows =
                        !Label->toolTip().isEmpty() && Label->toolTip() == QtStrippedText(Label->text())
                        && !KeepsUntranslated(Label, "toolTip");
                    Label->setText(T);
                    if (TipFollows)
                        Label->setToolTip(QtStrippedText(T));
                },
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
        TextRow(P, StringPropertyID(pnCaption), Button->text(),
                [Button](const QString &T) { WriteButtonText(Button, T); }, P.R);
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
