#pragma once
// TLabeledEdit: a line edit with a bound label of its own above it. The label
// is unnamed, so component walks never meet it on its own; it belongs to the
// edit (its buddy) and follows the edit's place, visibility and parent.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

class TOOLKIT_WIDGETS_EXPORT TLabeledEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString EditLabelCaption READ EditLabelCaption WRITE SetEditLabelCaption)
    Q_PROPERTY(QString EditLabelHint READ EditLabelHint WRITE SetEditLabelHint)
    Q_PROPERTY(int LabelSpacing READ LabelSpacing WRITE SetLabelSpacing)
public:
    explicit TLabeledEdit(QWidget *Parent = nullptr);
    ~TLabeledEdit() override;

    // The bound label; nil once it has been destroyed from outside.
    QLabel *EditLabel() const { return fLabel; }

    QString EditLabelCaption() const;
    void SetEditLabelCaption(const QString &Value);
    QString EditLabelHint() const;
    void SetEditLabelHint(const QString &Value);
    // Pixels between the label's bottom and the edit's top.
    int LabelSpacing() const { return fLabelSpacing; }
    void SetLabelSpacing(int Value);

protected:
    bool event(QEvent *E) override;

private:
    void PlaceLabel();
    QPointer<QLabel> fLabel;
    int fLabelSpacing = 3;
};
