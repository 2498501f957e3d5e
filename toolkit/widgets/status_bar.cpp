#include "toolkit/widgets/status_bar.h"

#include <QLabel>
#include <QVariantMap>

TStatusBar::TStatusBar(QWidget *Parent) : QStatusBar(Parent)
{
    setSizeGripEnabled(false);
    // A status tip that ends clears the message; the simple text comes back.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString &Message) {
        if (Message.isEmpty() && fSimplePanel && !fSimpleText.isEmpty())
            showMessage(fSimpleText);
    });
}

void TStatusBar::SetSimpleText(const QString &Value)
{
    fSimpleText = Value;
    Refresh();
}

void TStatusBar::SetSimplePanel(bool Value)
{
    fSimplePanel = Value;
    Refresh();
}

void TStatusBar::Refresh()
{
    if (fSimplePanel && !fSimpleText.isEmpty())
        showMessage(fSimpleText);
    else
        clearMessage();
    for (const TPanel &P : fPanels)
        P.Label->setVisible(!fSimplePanel);
}

QVariantList TStatusBar::Panels() const
{
    QVariantList Result;
    for (const TPanel &P : fPanels)
        Result.append(QVariantMap{{QStringLiteral("Text"), P.Label->text()}, {QStringLiteral("Width"), P.Width}});
    return Result;
}

void TStatusBar::SetPanels(const QVariantList &Value)
{
    for (const TPanel &P : fPanels)
        delete P.Label;
    fPanels.clear();
    for (const QVariant &V : Value) {
        const QVariantMap M = V.toMap();
        auto *L = new QLabel(M.value(QStringLiteral("Text")).toString(), this); // unnamed: never walked
        const int W = M.value(QStringLiteral("Width"), 50).toInt();
        L->setMinimumWidth(W);
        addWidget(L);
        fPanels.append(TPanel{L, W});
    }
    Refresh();
}

QString TStatusBar::PanelText(int Index) const
{
    return Index >= 0 && Index < fPanels.size() ? fPanels[Index].Label->text() : QString();
}

void TStatusBar::SetPanelText(int Index, const QString &Value)
{
    if (Index >= 0 && Index < fPanels.size())
        fPanels[Index].Label->setText(Value);
}
