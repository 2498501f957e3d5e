#include "glotta/engine/component_path_cache.h"

#include "glotta/store/component_names.h"
#include "toolkit/core/component.h"

#include <QChildEvent>
#include <QEvent>

TComponentPathCache::TComponentPathCache() = default;

TComponentPathCache::~TComponentPathCache()
{
    Unwatch();
}

QString TComponentPathCache::Path(const QObject *Component)
{
    if (!Component)
        return QString();
    if (fValid)
        return fPath;
    Unwatch();
    fPath = ComponentPath(Component);
    QObject *Owner = ComponentOwner(Component);
    if (!Owner)
        return fPath;
    // The component itself, and every object from it up to the owner: a move
    // of any of them tells its parent, which is watched as well.
    for (QObject *O = const_cast<QObject *>(Component); O; O = O->parent()) {
        O->installEventFilter(this);
        fWatched.append(O);
        if (O == Owner)
            break;
    }
    const auto Renamed = [this] { fValid = false; };
    fNameWatch = const_cast<QObject *>(Component)->bindableObjectName().addNotifier(Renamed);
    fOwnerNameWatch = Owner->bindableObjectName().addNotifier(Renamed);
    fValid = true;
    return fPath;
}

bool TComponentPathCache::eventFilter(QObject *Watched, QEvent *Event)
{
    switch (Event->type()) {
    case QEvent::ChildRemoved:
        // Only a move out of the chain matters, not a sibling that goes.
        if (fWatched.contains(static_cast<QChildEvent *>(Event)->child()))
            fValid = false;
        break;
    case QEvent::ParentChange:
    case QEvent::DynamicPropertyChange:
        fValid = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(Watched, Event);
}

void TComponentPathCache::Unwatch()
{
    for (const QPointer<QObject> &O : std::as_const(fWatched))
        if (O)
            O->removeEventFilter(this);
    fWatched.clear();
    fNameWatch = QPropertyNotifier();
    fOwnerNameWatch = QPropertyNotifier();
    fValid = false;
}
