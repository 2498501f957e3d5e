#pragma once
// TComponentPathCache: a component's stored name (ComponentPath) kept between
// calls. Building it walks up to the owner asking every ancestor whether it
// is a form, which costs more than the lookup the name is wanted for. The
// name is built again when the component or its owner has been renamed, when
// the component or an ancestor up to the owner has moved to another parent,
// or when one of them has had a dynamic property set (the form role is one).
// A component without an owner is not cached: any ancestor could become one.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class TComponentPathCache : public QObject
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
    QString fName;
    QString fOwnerName;
    QPointer<QObject> fOwner;
    QList<QPointer<QObject>> fWatched;
    bool fValid = false;
};
