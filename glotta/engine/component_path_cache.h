#pragma once
// TComponentPathCache: a component's stored name (ComponentPath) kept between
// calls. Building it walks up to the owner asking every ancestor whether it
// is a form, which costs more than the lookup the name is wanted for. The
// name is built again when the component or its owner has been renamed, when
// the component or an ancestor up to the owner has moved to another parent,
// or when one of them has had a dynamic property set (the form role is one).
// A component without an owner is not cached: any ancestor could become one.
//
// Renames are learnt from the two names' property notifiers, which fire even
// while the objects' signals are blocked, so a read of the kept name touches
// neither object: comparing the names on every read cost more than the rest
// of a lexicon lookup.

#include "glotta/engine/glotta_engine_export.h"
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProperty>
#include <QString>

class GLOTTA_ENGINE_EXPORT TComponentPathCache : public QObject
{
public:
    TComponentPathCache();
    ~TComponentPathCache() override;

    QString Path(const QObject *Component);

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void Unwatch();

    QString fPath;
    QPropertyNotifier fNameWatch;
    QPropertyNotifier fOwnerNameWatch;
    QList<QPointer<QObject>> fWatched;
    bool fValid = false;
};
