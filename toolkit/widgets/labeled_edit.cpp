#include "toolkit/widgets/labeled_edit.h"

#include <QEvent>
#include <QLabel>

TLabeledEdit::TLabeledEdit(QWidget *Parent) : QLineEdit(Parent), fLabel(new QLabel(Parent))
{
    fLabel->setBuddy(this);
    fLabel->setVisible(isVisibleTo(parentWidget()));
    PlaceLabel();
}

TLabeledEdit::~TLabeledEdit()
{
    delete fLabel.data();
}

QString TLabeledEdit::EditLabelCaption() const
{
    return fLabel ? fLabel->text() : QString();
}

void TLabeledEdit::SetEditLabelCaption(const QString &Value)
{
    if (!fLabel)
        return;
    fLabel->setText(Value);
    fLabel->adjustSize();
    PlaceLabel();
}

QString TLabeledEdit::EditLabelHint() const
{
    return fLabel ? fLabel->toolTip() : QString();
}

void TLabeledEdit::SetEditLabelHint(const QString &Value)
{
    if (fLabel)
        fLabel->setToolTip(Value);
}

void TLabeledEdit::SetLabelSpacing(int Value)
{
    fLabelSpacing = Value;
    PlaceLabel();
}

bool TLabeledEdit::event(QEvent *E)
{
    switch (E->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        PlaceLabel();
        break;
    case QEvent::Show:
    case QEvent::Hide:
        if (fLabel)
            fLabel->setVisible(E->type() == QEvent::Show);
        break;
    case QEvent::ParentChange:
        if (fLabel && fLabel->parentWidget() != parentWidget()) {
            fLabel->setParent(parentWidget());
            fLabel->setVisible(isVisibleTo(parentWidget()));
            PlaceLabel();
        }
        break;
    default:
        break;
    }
    return QLineEdit::event(E);
}

void TLabeledEdit::PlaceLabel()
{
    if (!fLabel)
        return;
    const QSize Size = fLabel->sizeHint();
    fLabel->setGeometry(x(), y() - fLabelSpacing - Size.height(), Size.width(), Size.height());
}
