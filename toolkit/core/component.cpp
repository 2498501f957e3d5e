#include "toolkit/core/component.h"

#include <QPointer>
#include <QVariant>

namespace {
const TWidgetFacts *Facts = nullptr;
// The innermost TLoadingCreation of this thread.
thread_local TLoadingCreation *CurrentCreation = nullptr;

QString Role(const QObject *Obj)
{
    return Obj->property("GlottaRole").toString();
}

bool InheritsAny(const QObject *Obj, std::initializer_list<const char *> Classes)
{
    for (const char *Class : Classes)
        if (Obj->inherits(Class))
            return true;
    return false;
}

bool IsDialogComponent(const QObject *Obj)
{
    return InheritsAny(Obj, {"QFileDialog", "QMessageBox"});
}

// Widgets whose children are all Qt's own: listed, never entered.
bool HasOnlyQtChildren(const QObject *Obj)
{
    return InheritsAny(Obj, {"QAbstractItemView", "QAbstractSpinBox", "QComboBox", "QLineEdit", "QKeySequenceEdit",
                             "QTextEdit", "QPlainTextEdit", "QCalendarWidget", "QTabBar"});
}

void CollectOwned(QObject *Parent, QList<QObject *> &Out)
{
    const QList<QObject *> Children = Facts && Parent->isWidgetType() ? Facts->CreationOrder(Parent) : Parent->children();
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

TComponentHooks::TComponentHooks() : fLoading(TLoadingCreation::Claim(this)) {}

TComponentHooks::~TComponentHooks()
{
    TLoadingCreation::Release(this);
}

TLoadingCreation::TLoadingCreation() : fOuter(CurrentCreation)
{
    CurrentCreation = this;
}

TLoadingCreation::~TLoadingCreation()
{
    CurrentCreation = fOuter;
}

bool TLoadingCreation::Claim(TComponentHooks *Component)
{
    if (!CurrentCreation || CurrentCreation->fClaimed)
        return false;
    CurrentCreation->fClaimed = true;
    CurrentCreation->fComponent = Component;
    return true;
}

void TLoadingCreation::Release(TComponentHooks *Component)
{
    // Any scope of the thread may still name it: a component created under
    // an outer scope can go away while an inner one is open.
    for (TLoadingCreation *C = CurrentCreation; C; C = C->fOuter)
        if (C->fComponent == Component)
            C->fComponent = nullptr;
}

void SetWidgetFacts(const TWidgetFacts *Value)
{
    Facts = Value;
}

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
    if (!Obj->isWidgetType())
        return false;
    if (!Obj->parent())
        return true;
    if (Obj->inherits("QMainWindow"))
        return true;
    if (Obj->inherits("QDialog") && !IsDialogComponent(Obj))
        return true;
    return Facts && Facts->IsOwnWindow(Obj);
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
