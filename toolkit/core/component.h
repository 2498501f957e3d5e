#pragma once
// The component model on QObject: Name is objectName(), Owner is the nearest
// form or frame among the QObject ancestors, Tag is the dynamic property
// "Tag". Components that care about the end of design loading or about the
// destruction of components they link to implement TComponentHooks.

#include "toolkit/core/toolkit_core_export.h"
#include <QList>
#include <QObject>
#include <QString>

enum TOperation { opInsert, opRemove };

class TOOLKIT_CORE_EXPORT TComponentHooks
{
public:
    // A component the design reader creates is loading from its construction
    // on (see TLoadingCreation), so its constructor can leave to Loaded()
    // work that the design's properties would only make again.
    TComponentHooks();
    virtual ~TComponentHooks();

    // True from creation by the design reader until Loaded() has run.
    bool IsLoading() const { return fLoading; }
    void SetLoading(bool Value) { fLoading = Value; }
    // The end of loading: every property of the whole design is set.
    virtual void Loaded() { fLoading = false; }
    // AComponent, to which this component asked for free notification, goes away.
    virtual void Notification(QObject *AComponent, TOperation Operation)
    {
        Q_UNUSED(AComponent);
        Q_UNUSED(Operation);
    }

private:
    bool fLoading = false;
};

// Held by the design reader while it creates one component. The first
// component with hooks constructed meanwhile starts out loading: that is the
// created component itself whenever it has hooks, since its bases are built
// before anything its constructor makes. Scopes nest (a constructor may read
// a design of its own); the thread's innermost scope counts.
class TOOLKIT_CORE_EXPORT TLoadingCreation
{
public:
    TLoadingCreation();
    ~TLoadingCreation();
    TLoadingCreation(const TLoadingCreation &) = delete;
    TLoadingCreation &operator=(const TLoadingCreation &) = delete;

    // The component that started out loading, while it exists; nullptr
    // when none did or it is gone again.
    TComponentHooks *Component() const { return fComponent; }

    // For TComponentHooks: whether a component under construction is the
    // one the innermost scope waits for; it is so at most once.
    static bool Claim(TComponentHooks *Component);
    // For TComponentHooks: a component goes away.
    static void Release(TComponentHooks *Component);

private:
    TLoadingCreation *fOuter = nullptr;
    TComponentHooks *fComponent = nullptr;
    bool fClaimed = false;
};

// Forms: toolkit TForm, "GlottaRole" = "form", parentless widgets,
// QMainWindow, QDialog (not QFileDialog/QMessageBox), Qt::Window widgets, MDI
// children. Widget classes are told apart by their meta-object names.
TOOLKIT_CORE_EXPORT bool IsForm(const QObject *Obj);
// Frames: toolkit TFrame or "GlottaRole" = "frame" (and not a form).
TOOLKIT_CORE_EXPORT bool IsFrame(const QObject *Obj);
// The owner: none for a form (the application owns it), else the nearest form
// or frame among the QObject ancestors.
TOOLKIT_CORE_EXPORT QObject *ComponentOwner(const QObject *Obj);
TOOLKIT_CORE_EXPORT QString OwnerName(const QObject *Obj);
// The components an owner owns, in creation order (depth-first pre-order of
// children, skipping Qt's internal objects, not entering nested forms/frames).
TOOLKIT_CORE_EXPORT QList<QObject *> OwnedComponents(QObject *Owner);
// The component of Owner named Name, or nullptr.
TOOLKIT_CORE_EXPORT QObject *FindComponent(QObject *Owner, const QString &Name);

TOOLKIT_CORE_EXPORT int Tag(const QObject *Obj);
TOOLKIT_CORE_EXPORT void SetTag(QObject *Obj, int Value);

// Subscriber (which must implement TComponentHooks) hears of Subject's
// destruction through Notification(Subject, opRemove). The connection ends
// when either goes away.
TOOLKIT_CORE_EXPORT void FreeNotification(QObject *Subject, QObject *Subscriber);
TOOLKIT_CORE_EXPORT void RemoveFreeNotification(QObject *Subject, QObject *Subscriber);

// Points Field (a link of Subscriber to a component it does not own) at
// Value, moving the free notification from the old component to the new one.
// Answers false, changing nothing, when Field already is Value.
template<typename T>
bool SetComponentLink(QObject *Subscriber, T *&Field, T *Value)
{
    if (Field == Value)
        return false;
    if (Field)
        RemoveFreeNotification(Field, Subscriber);
    Field = Value;
    if (Value)
        FreeNotification(Value, Subscriber);
    return true;
}

// Qt's own objects: names starting with "qt_", "_q_" or "__qt__".
TOOLKIT_CORE_EXPORT bool IsQtInternal(const QObject *Obj);

// What the owner rule must know about widgets beyond their class names. The
// core builds on QtCore alone and cannot ask a QWidget; the toolkit's widgets
// part installs the answers when the program starts. Without them (a program
// with no widgets) no object is a window by its flags, and children keep
// QObject's order.
class TOOLKIT_CORE_EXPORT TWidgetFacts
{
public:
    virtual ~TWidgetFacts() = default;
    // A widget with a parent that is a window of its own: its window type is
    // Qt::Window, or it is the content of an MDI sub-window.
    virtual bool IsOwnWindow(const QObject *Widget) const = 0;
    // Parent's children in the order users created them: a stacked widget
    // lists its pages first, in page order (its children() order follows the
    // current page).
    virtual QList<QObject *> CreationOrder(QObject *Parent) const = 0;
};
TOOLKIT_CORE_EXPORT void SetWidgetFacts(const TWidgetFacts *Facts);
