#pragma once
// Docked (Align) and anchored placement of the controls of a container, as
// stored designs give it: the dynamic property "Align" (alTop, alBottom,
// alLeft, alRight, alClient) docks a control to an edge of the space left by
// the controls docked before it; "Anchors" (a list of akLeft, akTop,
// akRight, akBottom) keeps a control's distances to those edges on resize.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include <QObject>
#include <QRect>
#include <QSize>

class QWidget;

class TOOLKIT_WIDGETS_EXPORT TDockLayout : public QObject
{
    Q_OBJECT
public:
    // Takes the container's current size as its design size and arranges it
    // now and on every resize. Containers inside it that have docked or
    // anchored children are installed too.
    static void Install(QWidget *Container);
    void Arrange();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    explicit TDockLayout(QWidget *Container);
    QWidget *fContainer;
    QSize fDesignSize;
};
