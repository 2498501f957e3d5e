#pragma once
// The class registry of stored designs: for every class a design may name,
// how to create it and which properties and events a design stores for it.
// Properties are read and written as JSON values; an event is bound to a
// form method by name.

#include "toolkit/widgets/toolkit_widgets_export.h"
#include "toolkit/core/value_stream.h"

#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QString>
#include <any>
#include <functional>

class QObject;
class QMetaObject;

// What a property setter of a design being read may ask of the reader.
class TOOLKIT_WIDGETS_EXPORT TDesignContext
{
public:
    QObject *Root = nullptr;
    // References by component name, resolved when the whole design has been read.
    void AddFixup(QObject *Component, const QString &Property, const QString &TargetName,
                  std::function<void(QObject *Target)> Apply);

private:
    friend class TDesignReader;
    struct TFixup
    {
        QPointer<QObject> Component;
        QString Property;
        QString TargetName;
        std::function<void(QObject *)> Apply;
    };
    QList<TFixup> fFixups;
};

struct TOOLKIT_WIDGETS_EXPORT TPropertyInfo
{
    QString Name;
    std::function<QJsonValue(const QObject *)> Get;
    // Throws EDesignValue for a value of the wrong type or out of range.
    std::function<void(QObject *, const QJsonValue &, TDesignContext &)> Set;
};

struct TOOLKIT_WIDGETS_EXPORT TEventInfo
{
    QString Name;
    // Binds Method (a form method as published, a std::function in a std::any)
    // to the component's event; throws EDesignValue when its shape does not fit.
    std::function<void(QObject *Component, const std::any &Method)> Bind;
};

struct TOOLKIT_WIDGETS_EXPORT TClassInfo
{
    QString ClassName;
    const QMetaObject *Meta = nullptr;
    QString BaseClass; // a registered class whose properties and events are inherited
    // Empty for an abstract class, registered only as the base of others.
    std::function<QObject *(QObject *Parent)> Create;
    QList<TPropertyInfo> Properties;
    QList<TEventInfo> Events;
};

class TOOLKIT_WIDGETS_EXPORT TClassRegistry
{
public:
    static void Register(TClassInfo Info);
    static const TClassInfo *Find(const QString &ClassName);
    // The registered class nearest to the object's own class.
    static const TClassInfo *FindFor(const QObject *Obj);
    // Own and inherited properties and events.
    static QList<const TPropertyInfo *> PropertiesOf(const TClassInfo &Info);
    static QList<const TEventInfo *> EventsOf(const TClassInfo &Info);
    // The stored value of every property on a freshly created instance
    // (none for an abstract class).
    static const QHash<QString, QJsonValue> &Defaults(const TClassInfo &Info);
};

// Every Q_PROPERTY that Meta itself declares (not its bases), converted by type.
TOOLKIT_WIDGETS_EXPORT QList<TPropertyInfo> PublishedProperties(const QMetaObject *Meta);
// One property stored under Name that reads and writes the Qt property QtName.
TOOLKIT_WIDGETS_EXPORT TPropertyInfo QtProperty(const QString &Name, const char *QtName);
// Extra data a component stores through the value stream.
TOOLKIT_WIDGETS_EXPORT TPropertyInfo DataProperty(const QString &Name, std::function<void(const QObject *, TValueWriter &)> Write,
                           std::function<void(QObject *, TValueReader &)> Read);

// An event held in a std::function member of T.
template<typename T, typename Sig>
TEventInfo MemberEvent(const QString &Name, std::function<Sig> T::*Member);

// Registers the toolkit's own classes and the Qt widgets designs use.
TOOLKIT_WIDGETS_EXPORT void RegisterToolkitClasses();

// ---- implementation of the template

TOOLKIT_WIDGETS_EXPORT void BindMemberEventFailed(const QString &Name);
std::function<void(QObject *)> GuardNotify(std::function<void(QObject *)> F);
std::function<void(QObject *, bool &)> GuardQuery(std::function<void(QObject *, bool &)> F);

template<typename T, typename Sig>
TEventInfo MemberEvent(const QString &Name, std::function<Sig> T::*Member)
{
    return TEventInfo{Name, [Name, Member](QObject *Component, const std::any &Method) {
                          auto *F = std::any_cast<std::function<Sig>>(&Method);
                          if (!F)
                              BindMemberEventFailed(Name);
                          auto *Target = dynamic_cast<T *>(Component);
                          if constexpr (std::is_same_v<Sig, void(QObject *)>)
                              Target->*Member = GuardNotify(*F);
                          else if constexpr (std::is_same_v<Sig, void(QObject *, bool &)>)
                              Target->*Member = GuardQuery(*F);
                          else
                              Target->*Member = *F;
                      }};
}
