#include "toolkit/widgets/design.h"

#include "toolkit/widgets/class_registry.h"
#include "toolkit/widgets/design_values.h"
#include "toolkit/core/component.h"
#include "toolkit/widgets/form.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QVariant>
#include <QWidget>
#include <algorithm>

void TDesignContext::AddFixup(QObject *Component, const QString &Property, const QString &TargetName,
                              std::function<void(QObject *)> Apply)
{
    fFixups.append(TFixup{Component, Property, TargetName, std::move(Apply)});
}

namespace {
// Creates a component that the reader then loads. It is loading from its
// construction on; should the component have no hooks and its constructor
// make in code one that has, that one took the mark and is no part of the
// design: its loading ends here, as though nothing had marked it.
QObject *CreateForLoading(const TClassInfo &Info, QObject *Parent)
{
    Q_ASSERT(Info.Create);
    TLoadingCreation Creation;
    QObject *Obj = Info.Create(Parent);
    TComponentHooks *Marked = Creation.Component();
    if (Marked && Marked != dynamic_cast<TComponentHooks *>(Obj))
        Marked->Loaded();
    return Obj;
}
// A class registered only as the base of others (its properties and events
// are theirs) has no instances of its own.
QString NotCreatable(const QString &Class)
{
    return QStringLiteral("class '%1' is abstract and cannot be created").arg(Class);
}
} // namespace

class TDesignReader
{
public:
    TDesignReader(QObject *Root, QString Source) : fSource(std::move(Source)) { fContext.Root = Root; }

    void Read(const QByteArray &Bytes)
    {
        QJsonParseError Err;
        const QJsonDocument Doc = QJsonDocument::fromJson(Bytes, &Err);
        if (Err.error != QJsonParseError::NoError)
            Fail(QString(), QString(), QStringLiteral("not a stored design (%1 at offset %2)")
                                          .arg(Err.errorString())
                                          .arg(Err.offset));
        if (!Doc.isObject())
            Fail(QString(), QString(), QStringLiteral("not a stored design (no root object)"));
        const QJsonObject RootNode = Doc.object();
        const QString Class = RootNode.value(QStringLiteral("class")).toString();
        const TClassInfo *Info = TClassRegistry::Find(Class);
        if (!Info)
            Fail(RootNode.value(QStringLiteral("name")).toString(), QString(),
                 QStringLiteral("unknown class '%1'").arg(Class));
        if (!Info->Meta || !fContext.Root->metaObject()->inherits(Info->Meta))
            Fail(RootNode.value(QStringLiteral("name")).toString(), QString(),
                 QStringLiteral("the design is of class '%1', not of the root's class '%2'")
                     .arg(Class, QString::fromLatin1(fContext.Root->metaObject()->className())));
        Load(fContext.Root, *Info, RootNode);
        Finish();
    }

    QObject *CreateRoot(const QByteArray &Bytes, QObject *Parent)
    {
        const QJsonDocument Doc = QJsonDocument::fromJson(Bytes);
        const QString Class = Doc.object().value(QStringLiteral("class")).toString();
        const TClassInfo *Info = TClassRegistry::Find(Class);
        if (!Info)
            Fail(Doc.object().value(QStringLiteral("name")).toString(), QString(),
                 QStringLiteral("unknown class '%1'").arg(Class));
        if (!Info->Create)
            Fail(Doc.object().value(QStringLiteral("name")).toString(), QString(), NotCreatable(Class));
        fContext.Root = CreateForLoading(*Info, Parent);
        try {
            Read(Bytes);
        } catch (...) {
            delete fContext.Root;
            throw;
        }
        return fContext.Root;
    }

private:
    [[noreturn]] void Fail(const QString &Component, const QString &Property, const QString &Detail) const
    {
        QString Place = fSource;
        if (!Component.isEmpty())
            Place += QStringLiteral(", component '%1'").arg(Component);
        if (!Property.isEmpty())
            Place += QStringLiteral(", property '%1'").arg(Property);
        throw EDesignError(Place + QStringLiteral(": ") + Detail);
    }

    void Load(QObject *Obj, const TClassInfo &Info, const QJsonObject &Node)
    {
        const QString Name = Node.value(QStringLiteral("name")).toString();
        for (auto It = Node.begin(); It != Node.end(); ++It)
            if (!QStringList{"class", "name", "properties", "components"}.contains(It.key()))
                Fail(Name, QString(), QStringLiteral("unknown entry '%1'").arg(It.key()));
        // Loading from before the name is set (a root made in code is marked
        // only here): a component that reacts to its name (an engine rescans
        // its languages) waits for Loaded() instead.
        if (auto *Hooks = dynamic_cast<TComponentHooks *>(Obj))
            Hooks->SetLoading(true);
        Obj->setObjectName(Name);
        fCreated.append(Obj);

        const QJsonValue Props = Node.value(QStringLiteral("properties"));
        if (!Props.isUndefined() && !Props.isObject())
            Fail(Name, QString(), QStringLiteral("'properties' must be an object"));
        const auto Properties = TClassRegistry::PropertiesOf(Info);
        const auto Events = TClassRegistry::EventsOf(Info);
        const QJsonObject PropObj = Props.toObject();
        for (auto It = PropObj.begin(); It != PropObj.end(); ++It) {
            const QString Key = It.key();
            auto P = std::find_if(Properties.begin(), Properties.end(),
                                  [&](const TPropertyInfo *I) { return I->Name == Key; });
            if (P != Properties.end()) {
                try {
                    (*P)->Set(Obj, It.value(), fContext);
                } catch (const EDesignValue &E) {
                    Fail(Name, Key, E.Message());
                }
                continue;
            }
            auto Ev = std::find_if(Events.begin(), Events.end(), [&](const TEventInfo *I) { return I->Name == Key; });
            if (Ev == Events.end())
                Fail(Name, Key, QStringLiteral("unknown property of class '%1'").arg(Info.ClassName));
            BindEvent(Obj, Name, **Ev, It.value());
        }

        const QJsonValue Kids = Node.value(QStringLiteral("components"));
        if (Kids.isUndefined())
            return;
        if (!Kids.isArray())
            Fail(Name, QString(), QStringLiteral("'components' must be a list"));
        for (const QJsonValue &K : Kids.toArray()) {
            if (!K.isObject())
                Fail(Name, QString(), QStringLiteral("a component entry must be an object"));
            const QJsonObject Child = K.toObject();
            const QString ChildName = Child.value(QStringLiteral("name")).toString();
            const QString Class = Child.value(QStringLiteral("class")).toString();
            const TClassInfo *ChildInfo = TClassRegistry::Find(Class);
            if (!ChildInfo)
                Fail(ChildName, QString(), QStringLiteral("unknown class '%1'").arg(Class));
            if (!ChildInfo->Create)
                Fail(ChildName, QString(), NotCreatable(Class));
            if (ChildName.isEmpty())
                Fail(QString(), QString(), QStringLiteral("a component of class '%1' has no name").arg(Class));
            for (QObject *Other : fCreated)
                if (Other != fContext.Root && Other->objectName().compare(ChildName, Qt::CaseInsensitive) == 0)
                    Fail(ChildName, QString(), QStringLiteral("a second component of that name"));
            const bool IsWidget = ChildInfo->Meta && ChildInfo->Meta->inherits(&QWidget::staticMetaObject);
            if (IsWidget && !qobject_cast<QWidget *>(Obj))
                Fail(ChildName, QString(), QStringLiteral("a control inside the non-visual component '%1'").arg(Name));
            // Non-visual components belong to the form (or frame) being read.
            QObject *Parent = IsWidget ? Obj : (qobject_cast<QWidget *>(Obj) ? Obj : Obj->parent());
            Load(CreateForLoading(*ChildInfo, Parent), *ChildInfo, Child);
        }
    }

    void BindEvent(QObject *Obj, const QString &Name, const TEventInfo &Event, const QJsonValue &Value)
    {
        if (!Value.isString() || Value.toString().isEmpty())
            Fail(Name, Event.Name, QStringLiteral("the name of a form method expected"));
        const QString MethodName = Value.toString();
        auto *Form = qobject_cast<TForm *>(fContext.Root);
        const std::any *Method = Form ? Form->Method(MethodName) : nullptr;
        if (!Method)
            Fail(Name, Event.Name, QStringLiteral("the form has no method '%1'").arg(MethodName));
        try {
            Event.Bind(Obj, *Method);
        } catch (const EDesignValue &E) {
            Fail(Name, Event.Name, E.Message());
        }
        Obj->setProperty(("_glotta_" + Event.Name).toLatin1().constData(), MethodName);
    }

    void Finish()
    {
        for (const TDesignContext::TFixup &F : std::as_const(fContext.fFixups)) {
            if (!F.Component)
                continue;
            QObject *Target = fContext.Root->objectName().compare(F.TargetName, Qt::CaseInsensitive) == 0
                                  ? fContext.Root
                                  : FindComponent(fContext.Root, F.TargetName);
            if (!Target)
                Fail(F.Component->objectName(), F.Property,
                     QStringLiteral("no component named '%1'").arg(F.TargetName));
            try {
                F.Apply(Target);
            } catch (const EDesignValue &E) {
                Fail(F.Component->objectName(), F.Property, E.Message());
            }
        }
        ApplyTabOrder();
        // Loaded() in creation order, the root last (its layout needs the children in place).
        QList<QPointer<QObject>> Order;
        for (QObject *O : fCreated)
            Order.append(O);
        Order.append(Order.takeFirst());
        for (const QPointer<QObject> &O : Order)
            if (auto *Hooks = O ? dynamic_cast<TComponentHooks *>(O.data()) : nullptr)
                Hooks->Loaded();
        if (auto *Form = qobject_cast<TForm *>(fContext.Root))
            Form->DoCreate();
    }

    void ApplyTabOrder()
    {
        QList<QWidget *> Ordered;
        for (QObject *O : fCreated)
            if (auto *W = qobject_cast<QWidget *>(O); W && W->property("TabOrder").isValid())
                Ordered.append(W);
        // Siblings by their order number; containers' children follow their container.
        std::stable_sort(Ordered.begin(), Ordered.end(), [](QWidget *A, QWidget *B) {
            if (A->parentWidget() != B->parentWidget())
                return false;
            return A->property("TabOrder").toInt() < B->property("TabOrder").toInt();
        });
        for (int i = 1; i < Ordered.size(); ++i)
            QWidget::setTabOrder(Ordered[i - 1], Ordered[i]);
    }

    QString fSource;
    TDesignContext fContext;
    QList<QObject *> fCreated;
};

namespace {
QByteArray ReadFileBytes(const QString &FileName)
{
    QFile F(FileName);
    if (!F.open(QIODevice::ReadOnly))
        throw EDesignError(QStringLiteral("%1: cannot be opened (%2)").arg(FileName, F.errorString()));
    return F.readAll();
}

bool IsDesigned(const QObject *O)
{
    return !O->objectName().isEmpty() && !IsQtInternal(O) && TClassRegistry::FindFor(O);
}

QJsonObject WriteNode(const QObject *Obj)
{
    const TClassInfo *Info = TClassRegistry::FindFor(Obj);
    // Written under an abstract class, the component could never be read
    // back; leaving it out would lose it without a word.
    if (!Info->Create)
        throw EDesignError(QStringLiteral("component '%1' of class '%2': not registered, and %3")
                               .arg(Obj->objectName(), QString::fromLatin1(Obj->metaObject()->className()),
                                    NotCreatable(Info->ClassName)));
    QJsonObject Node;
    Node.insert(QStringLiteral("class"), Info->ClassName);
    Node.insert(QStringLiteral("name"), Obj->objectName());
    const auto &Defaults = TClassRegistry::Defaults(*Info);
    QJsonObject Props;
    for (const TPropertyInfo *P : TClassRegistry::PropertiesOf(*Info)) {
        const QJsonValue V = P->Get(Obj);
        if (!V.isUndefined() && !V.isNull() && V != Defaults.value(P->Name))
            Props.insert(P->Name, V);
    }
    for (const TEventInfo *E : TClassRegistry::EventsOf(*Info)) {
        const QVariant M = Obj->property(("_glotta_" + E->Name).toLatin1().constData());
        if (M.isValid())
            Props.insert(E->Name, M.toString());
    }
    if (!Props.isEmpty())
        Node.insert(QStringLiteral("properties"), Props);
    QJsonArray Kids;
    for (const QObject *C : Obj->children())
        if (IsDesigned(C) && !IsForm(C))
            Kids.append(WriteNode(C));
    if (!Kids.isEmpty())
        Node.insert(QStringLiteral("components"), Kids);
    return Node;
}
} // namespace

void ReadDesign(QObject *Root, const QString &FileName)
{
    ReadDesignFromBytes(Root, ReadFileBytes(FileName), FileName);
}

void ReadDesignFromBytes(QObject *Root, const QByteArray &Bytes, const QString &Source)
{
    RegisterToolkitClasses();
    TDesignReader(Root, Source).Read(Bytes);
}

QObject *CreateFromDesign(const QString &FileName, QObject *Parent)
{
    RegisterToolkitClasses();
    return TDesignReader(nullptr, FileName).CreateRoot(ReadFileBytes(FileName), Parent);
}

QJsonDocument WriteDesign(const QObject *Root)
{
    RegisterToolkitClasses();
    if (!TClassRegistry::FindFor(Root))
        throw EDesignError(QStringLiteral("class '%1' is not registered")
                               .arg(QString::fromLatin1(Root->metaObject()->className())));
    return QJsonDocument(WriteNode(Root));
}

QByteArray WriteDesignBytes(const QObject *Root)
{
    return WriteDesign(Root).toJson(QJsonDocument::Indented);
}
