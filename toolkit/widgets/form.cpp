#include "toolkit/widgets/form.h"

#include "toolkit/widgets/application.h"
#include "toolkit/widgets/dock_layout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>

TForm::TForm(QWidget *Parent) : QWidget(Parent, Qt::Window)
{
    setProperty("GlottaRole", QStringLiteral("form"));
}

TForm::~TForm() = default;

void TForm::DoCreate()
{
    if (OnCreate)
        RunGuarded([this] { OnCreate(this); });
}

const std::any *TForm::Method(const QString &Name) const
{
    auto It = fMethods.constFind(Name);
    return It == fMethods.constEnd() ? nullptr : &It.value();
}

void TForm::Loaded()
{
    TComponentHooks::Loaded();
    TDockLayout::Install(this);
}

void TForm::showEvent(QShowEvent *Event)
{
    if (!fPositioned && fPosition == poScreenCenter) {
        fPositioned = true;
        if (QScreen *S = screen()) {
            QRect Frame = frameGeometry();
            Frame.moveCenter(S->availableGeometry().center());
            move(Frame.topLeft());
        }
    }
    QWidget::showEvent(Event);
}

TFrame::TFrame(QWidget *Parent) : QWidget(Parent)
{
    setProperty("GlottaRole", QStringLiteral("frame"));
}
