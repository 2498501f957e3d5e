#include "component.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextEdit>
#include <QVariant>

namespace {
QString Role(const QObject *Obj)
{
    return Obj->property("GlottaRole").toString();
}

bool IsDialogComponent(const QObject *Obj)
{
    return qobject_cast<const QFileDialog *>(Obj) || qobject_cast<const QMessageBox *>(Obj);
}

// Widgets whose children are all Qt's own: listed, never entered.
bool HasOnlyQtChildren(const QObject *Obj)
{
    return qobject_cast<const QAbstractItemView *>(Obj) || qobject_cast<const QAbstractSpinBox *>(Obj)
        || qobject_cast<const QComboBox *>(Obj) || qobject_cast<const QLineEdit *>(Obj)
        || qobject_cast<const QKeySequenceEdit *>(Obj) || qobject_cast<const QTextEdit *>(Obj)
        || qobject_cast<const QPlainTextEdit *>(Obj) || qobject_cast<const QCalendarWidget *>(Obj)
        || qobject_cast<const QTabBar *>(Obj);
}

void CollectOwned(QObject *Parent, QList<QObject *> &Out)
{
    QList<QObject *> Children = Parent->children();
    // Stacked pages come first, in page order: their children() order follows the current page.
    if (auto *Stack = qobject_cast<QStackedWidget *>(Parent)) {
        QList<QObject *> Ordered;
        for (int i = 0; i < Stack->count(); ++i)
            Ordered.append(Stack->widget(i));
        for (QObject *C : Children)
            if (!Ordered.contains(C))
                Ordered.append(C);
        Children = Ordered;
    }
    for (QObject *C : Children) {
        if (IsQtInternal(C)) {
            // Internal containers (scroll-area viewports, tab stacks) hold user widgets.
            if (!HasOnlyQtChildren(C) && !IsForm(C))
                CollectOwned(C, Out);
            continue;
        }
        if (IsForm(C))
            continue;
        Out.append(C);
        if (IsFrame(C) || IsDialogComponent(C) || HasOnlyQtChildren(C))
            continue;
        CollectOwned(C, Out);
    }
}
} // namespace

bool IsQtInternal(const QObject *Obj)
{
    const QString N = Obj->objectName();
    return N.startsWith(QLatin1String("qt_")) || N.startsWith(QLatin1String("_q_"))
        || N.startsWith(QLatin1String("__qt__"));
}

bool IsForm(const QObject *Obj)
{
    if (!Obj)
        return false;
    const QString R = Role(Obj);
    if (R == QLatin1String("form"))
        return true;
    if (R == QLatin1String("frame"))
        return false;
    auto *W = qobject_cast<const QWidget *>(Obj);
    if (!W)
        return false;
    if (!W->parentWidget())
        return true;
    if (qobject_cast<const QMainWindow *>(W))
        return true;
    if (qobject_cast<const QDialog *>(W) && !IsDialogComponent(W))
        return true;
    if (W->windowType() == Qt::Window)
        return true;
    return qobject_cast<const QMdiSubWindow *>(W->parentWidget())
        && static_cast<const QMdiSubWindow *>(W->parentWidget())->widget() == W;
}

bool IsFrame(const QObject *Obj)
{
    return Obj && Role(Obj) == QLatin1String("frame");
}

QObject *ComponentOwner(const QObject *Obj)
{
    if (!Obj || IsForm(Obj))
        return nullptr;
    for (QObject *P = Obj->parent(); P; P = P->parent())
        if (IsForm(P) || IsFrame(P))
            return P;
    return nullptr;
}

QString OwnerName(const QObject *Obj)
{
    QObject *O = ComponentOwner(Obj);
    return O ? O->objectName() : QString();
}

QList<QObject *> OwnedComponents(QObject *Owner)
{
    QList<QObject *> Result;
    if (Owner)
        CollectOwned(Owner, Result);
    return Result;
}

QObject *FindComponent(QObject *Owner, const QString &Name)
{
    if (Name.isEmpty())
        return nullptr;
    for (QObject *C : OwnedComponents(Owner))
        if (C->objectName().compare(Name, Qt::CaseInsensitive) == 0)
            return C;
    return nullptr;
}

int Tag(const QObject *Obj)
{
    bool Ok = false;
    const int V = Obj ? Obj->property("Tag").toInt(&Ok) : 0;
    return Ok ? V : 0;
}

void SetTag(QObject *Obj, int Value)
{
    Obj->setProperty("Tag", Value);
}

void FreeNotification(QObject *Subject, QObject *Subscriber)
{
    if (!Subject || !Subscriber || Subject == Subscriber)
        return;
    auto *Hooks = dynamic_cast<TComponentHooks *>(Subscriber);
    if (!Hooks)
        return;
    // One connection per pair: a second request adds nothing.
    RemoveFreeNotification(Subject, Subscriber);
    QObject::connect(
        Subject, &QObject::destroyed, Subscriber,
        [Hooks](QObject *Gone) { Hooks->Notification(Gone, opRemove); }, Qt::DirectConnection);
}

void RemoveFreeNotification(QObject *Subject, QObject *Subscriber)
{
    if (Subject && Subscriber)
        QObject::disconnect(Subject, &QObject::destroyed, Subscriber, nullptr);
}
