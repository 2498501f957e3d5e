#include "toolkit/widgets/class_registry.h"

#include "toolkit/widgets/application.h"
#include "toolkit/widgets/design_values.h"
#include "toolkit/widgets/form.h"

#include <QMetaProperty>
#include <QWidget>

namespace {
QHash<QString, TClassInfo> &Classes()
{
    static QHash<QString, TClassInfo> C;
    return C;
}

TPropertyInfo MetaPropertyInfo(const QString &Name, const QMetaObject *Meta, int Index)
{
    const QMetaProperty P = Meta->property(Index);
    TPropertyInfo Info;
    Info.Name = Name;
    Info.Get = [P](const QObject *O) { return VariantToJson(P, P.read(O)); };
    if (P.metaType().flags() & QMetaType::PointerToQObject) {
        Info.Set = [P, Name](QObject *O, const QJsonValue &J, TDesignContext &Ctx) {
            const QString Target = ToText(J);
            if (Target.isEmpty()) {
                P.write(O, QVariant::fromValue<QObject *>(nullptr));
                return;
            }
            Ctx.AddFixup(O, Name, Target, [P, O](QObject *T) {
                QVariant V = QVariant::fromValue(T);
                if (!V.convert(P.metaType()) || !P.write(O, V))
                    throw EDesignValue(QStringLiteral("the component is of the wrong class"));
            });
        };
    } else {
        Info.Set = [P](QObject *O, const QJsonValue &J, TDesignContext &) {
            if (!P.write(O, JsonToVariant(P, J)))
                throw EDesignValue(QStringLiteral("the value was refused"));
        };
    }
    return Info;
}
} // namespace

void BindMemberEventFailed(const QString &Name)
{
    throw EDesignValue(QStringLiteral("the method does not fit the event %1").arg(Name));
}

std::function<void(QObject *)> GuardNotify(std::function<void(QObject *)> F)
{
    return Guarded(std::move(F));
}

std::function<void(QObject *, bool &)> GuardQuery(std::function<void(QObject *, bool &)> F)
{
    return Guarded(std::move(F));
}

void TClassRegistry::Register(TClassInfo Info)
{
    Classes().insert(Info.ClassName, std::move(Info));
}

const TClassInfo *TClassRegistry::Find(const QString &ClassName)
{
    auto It = Classes().constFind(ClassName);
    return It == Classes().constEnd() ? nullptr : &It.value();
}

const TClassInfo *TClassRegistry::FindFor(const QObject *Obj)
{
    for (const QMetaObject *M = Obj->metaObject(); M; M = M->superClass())
        if (const TClassInfo *I = Find(QString::fromLatin1(M->className())))
            return I;
    return nullptr;
}

QList<const TPropertyInfo *> TClassRegistry::PropertiesOf(const TClassInfo &Info)
{
    QList<const TPropertyInfo *> R;
    if (const TClassInfo *Base = Info.BaseClass.isEmpty() ? nullptr : Find(Info.BaseClass))
        R = PropertiesOf(*Base);
    for (const TPropertyInfo &P : Info.Properties) {
        // A class may restate a base property; its own definition wins.
        R.removeIf([&](const TPropertyInfo *Q) { return Q->Name == P.Name; });
        R.append(&P);
    }
    return R;
}

QList<const TEventInfo *> TClassRegistry::EventsOf(const TClassInfo &Info)
{
    QList<const TEventInfo *> R;
    if (const TClassInfo *Base = Info.BaseClass.isEmpty() ? nullptr : Find(Info.BaseClass))
        R = EventsOf(*Base);
    for (const TEventInfo &E : Info.Events)
        R.append(&E);
    return R;
}

const QHash<QString, QJsonValue> &TClassRegistry::Defaults(const TClassInfo &Info)
{
    static QHash<QString, QHash<QString, QJsonValue>> Cache;
    auto It = Cache.find(Info.ClassName);
    if (It != Cache.end())
        return It.value();
    QHash<QString, QJsonValue> D;
    // An abstract class has no instance to ask: no value counts as default.
    if (!Info.Create)
        return Cache.insert(Info.ClassName, D).value();
    // Widgets get a parent, so that visibility and fonts read as a placed control's do.
    QWidget Parent;
    QObject *Fresh = Info.Create(Info.Meta && Info.Meta->inherits(&QWidget::staticMetaObject)
                                         && !Info.Meta->inherits(&TForm::staticMetaObject)
                                     ? static_cast<QObject *>(&Parent)
                                     : nullptr);
    for (const TPropertyInfo *P : PropertiesOf(Info))
        D.insert(P->Name, P->Get(Fresh));
    if (Fresh->parent() != &Parent)
        delete Fresh;
    return Cache.insert(Info.ClassName, D).value();
}

QList<TPropertyInfo> PublishedProperties(const QMetaObject *Meta)
{
    QList<TPropertyInfo> L;
    for (int i = Meta->propertyOffset(); i < Meta->propertyCount(); ++i)
        if (Meta->property(i).isWritable() && Meta->property(i).isStored())
            L.append(MetaPropertyInfo(QString::fromLatin1(Meta->property(i).name()), Meta, i));
    return L;
}

TPropertyInfo QtProperty(const QString &Name, const char *QtName)
{
    TPropertyInfo Info;
    Info.Name = Name;
    Info.Get = [QtName](const QObject *O) {
        const QMetaProperty P = O->metaObject()->property(O->metaObject()->indexOfProperty(QtName));
        return VariantToJson(P, P.read(O));
    };
    Info.Set = [QtName](QObject *O, const QJsonValue &J, TDesignContext &) {
        const QMetaProperty P = O->metaObject()->property(O->metaObject()->indexOfProperty(QtName));
        if (!P.write(O, JsonToVariant(P, J)))
            throw EDesignValue(QStringLiteral("the value was refused"));
    };
    return Info;
}

TPropertyInfo DataProperty(const QString &Name, std::function<void(const QObject *, TValueWriter &)> Write,
                           std::function<void(QObject *, TValueReader &)> Read)
{
    return {Name,
            [Write](const QObject *O) {
                TValueWriter W;
                Write(O, W);
                return W.Result();
            },
            [Read](QObject *O, const QJsonValue &J, TDesignContext &) {
                TValueReader R(J);
                try {
                    Read(O, R);
                } catch (const Exception &E) {
                    throw EDesignValue(E.Message());
                }
            }};
}
