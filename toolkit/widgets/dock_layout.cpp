#include "toolkit/widgets/dock_layout.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {
bool HasPlacement(const QWidget *W)
{
    const QString A = W->property("Align").toString();
    return (!A.isEmpty() && A != QLatin1String("alNone")) || W->property("Anchors").isValid();
}
} // namespace

TDockLayout::TDockLayout(QWidget *Container) : QObject(Container), fContainer(Container), fDesignSize(Container->size())
{
    Container->installEventFilter(this);
}

void TDockLayout::Install(QWidget *Container)
{
    if (!Container->findChild<TDockLayout *>(QString(), Qt::FindDirectChildrenOnly)) {
        auto *L = new TDockLayout(Container);
        // Anchored controls remember where the design put them.
        for (QObject *C : Container->children())
            if (auto *W = qobject_cast<QWidget *>(C); W && W->property("Anchors").isValid())
                W->setProperty("_glotta_design_rect", W->geometry());
        L->Arrange();
    }
    for (QObject *C : Container->children()) {
        auto *W = qobject_cast<QWidget *>(C);
        if (!W || W->isWindow())
            continue;
        const auto Kids = W->children();
        if (std::any_of(Kids.begin(), Kids.end(), [](QObject *K) {
                auto *KW = qobject_cast<QWidget *>(K);
                return KW && HasPlacement(KW);
            }))
            Install(W);
    }
}

bool TDockLayout::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == fContainer && (Event->type() == QEvent::Resize || Event->type() == QEvent::Show))
        Arrange();
    return QObject::eventFilter(Watched, Event);
}

void TDockLayout::Arrange()
{
    QRect Free = fContainer->rect();
    QList<QWidget *> Top, Bottom, Left, Right, Client;
    for (QObject *C : fContainer->children()) {
        auto *W = qobject_cast<QWidget *>(C);
        if (!W || W->isWindow() || W->isHidden())
            continue;
        const QString A = W->property("Align").toString();
        if (A == QLatin1String("alTop"))
            Top.append(W);
        else if (A == QLatin1String("alBottom"))
            Bottom.append(W);
        else if (A == QLatin1String("alLeft"))
            Left.append(W);
        else if (A == QLatin1String("alRight"))
            Right.append(W);
        else if (A == QLatin1String("alClient"))
            Client.append(W);
    }
    // Controls docked to the same edge keep the order their positions give:
    // the one nearest the edge is placed first.
    std::stable_sort(Top.begin(), Top.end(), [](QWidget *A, QWidget *B) { return A->y() < B->y(); });
    std::stable_sort(Bottom.begin(), Bottom.end(), [](QWidget *A, QWidget *B) { return A->y() > B->y(); });
    std::stable_sort(Left.begin(), Left.end(), [](QWidget *A, QWidget *B) { return A->x() < B->x(); });
    std::stable_sort(Right.begin(), Right.end(), [](QWidget *A, QWidget *B) { return A->x() > B->x(); });
    for (QWidget *W : Top) {
        W->setGeometry(Free.left(), Free.top(), Free.width(), W->height());
        Free.setTop(Free.top() + W->height());
    }
    for (QWidget *W : Bottom) {
        W->setGeometry(Free.left(), Free.bottom() + 1 - W->height(), Free.width(), W->height());
        Free.setBottom(Free.bottom() - W->height());
    }
    for (QWidget *W : Left) {
        W->setGeometry(Free.left(), Free.top(), W->width(), Free.height());
        Free.setLeft(Free.left() + W->width());
    }
    for (QWidget *W : Right) {
        W->setGeometry(Free.right() + 1 - W->width(), Free.top(), W->width(), Free.height());
        Free.setRight(Free.right() - W->width());
    }
    for (QWidget *W : Client)
        W->setGeometry(Free);

    const int DW = fContainer->width() - fDesignSize.width();
    const int DH = fContainer->height() - fDesignSize.height();
    for (QObject *C : fContainer->children()) {
        auto *W = qobject_cast<QWidget *>(C);
        if (!W || !W->property("Anchors").isValid() || !W->property("_glotta_design_rect").isValid())
            continue;
        const QStringList A = W->property("Anchors").toStringList();
        QRect R = W->property("_glotta_design_rect").toRect();
        const bool L = A.contains(QLatin1String("akLeft")), Ri = A.contains(QLatin1String("akRight"));
        const bool T = A.contains(QLatin1String("akTop")), B = A.contains(QLatin1String("akBottom"));
        if (Ri && L)
            R.setWidth(R.width() + DW);
        else if (Ri)
            R.moveLeft(R.left() + DW);
        if (B && T)
            R.setHeight(R.height() + DH);
        else if (B)
            R.moveTop(R.top() + DH);
        W->setGeometry(R);
    }
}
