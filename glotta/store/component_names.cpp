#include "glotta/store/component_names.h"

#include "toolkit/core/component.h"

#include <QMetaObject>
#include <QObject>

QString ComponentPath(const QObject *Component)
{
    if (!Component)
        return QString();
    const QObject *Owner = ComponentOwner(Component);
    if (!Owner)
        return QString();
    const QString Base = FormBaseName(Owner->objectName());
    const QString Name = Component->objectName();
    if (Name.isEmpty())
        return Base;
    return Base + QLatin1Char('.') + Name;
}

QString FormBaseName(const QString &Name)
{
    const qsizetype P = Name.lastIndexOf(QLatin1Char('_'));
    if (P <= 0 || P == Name.size() - 1)
        return Name;
    const QString Suffix = Name.mid(P + 1);
    // Platform views: high-density layouts (LgXhdpiPh: "hdpi" after at least
    // two characters), phones, tablets and desktops.
    if (Suffix.indexOf(QLatin1String("hdpi"), 2) >= 0 || Suffix.startsWith(QLatin1String("iPhone"))
        || Suffix == QLatin1String("Macintosh") || Suffix.startsWith(QLatin1String("Android"))
        || Suffix == QLatin1String("Windows"))
        return Name.left(P);
    return Name;
}

QString NormalizeDirectory(const QString &Path)
{
    QString R = Path;
    R.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (!R.isEmpty() && !R.endsWith(QLatin1Char('\\')))
        R += QLatin1Char('\\');
    return R;
}

namespace {
bool HasDrive(const QString &Path)
{
    if (Path.size() < 2 || Path.at(1) != QLatin1Char(':'))
        return false;
    const ushort C = Path.at(0).unicode();
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z');
}
} // namespace

QString CombinePath(const QString &Base, const QString &Path)
{
    QString R;
    if (HasDrive(Path) || Path.startsWith(QLatin1String("\\\\")))
        R = Path;
    else if (Path.startsWith(QLatin1Char('\\')) || Path.startsWith(QLatin1Char('/')))
        R = Base + Path.mid(1);
    else
        R = Base + Path;
    return NormalizeDirectory(R);
}

QString IdentifierOf(const QString &S)
{
    QString R;
    R.reserve(S.size() + 1);
    for (QChar C : S) {
        const ushort U = C.unicode();
        const bool Digit = U >= '0' && U <= '9';
        if (U > 64) {
            R += C;
        } else if (Digit) {
            if (R.isEmpty())
                R += QLatin1Char('_');
            R += C;
        }
    }
    return R;
}

bool IsClassWithKey(const QObject *Obj, const QMetaObject *Key, const QList<TClassPair> &Pairs)
{
    if (!Obj)
        return false;
    const QMetaObject *Meta = Obj->metaObject();
    for (const TClassPair &P : Pairs)
        if (P.Key == Key && P.Class && Meta->inherits(P.Class))
            return true;
    return false;
}
