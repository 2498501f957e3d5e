#include "class_registry.h"

#include "application.h"
#include "design.h"
#include "form.h"
#include "picture.h"
#include "status_bar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVariant>
#include <cmath>
#include <limits>

namespace {
QHash<QString, TClassInfo> &Classes()
{
    static QHash<QString, TClassInfo> C;
    return C;
}

int ToInt(const QJsonValue &V)
{
    if (!V.isDouble())
        throw EDesignValue(QStringLiteral("an integer expected"));
    const double D = V.toDouble();
    if (D != std::floor(D) || D < double(std::numeric_limits<int>::min())
        || D > double(std::numeric_limits<int>::max()))
        throw EDesignValue(QStringLiteral("an integer expected"));
    return int(D);
}

QString ToText(const QJsonValue &V)
{
    if (!V.isString())
        throw EDesignValue(QStringLiteral("a text expected"));
    return V.toString();
}

bool ToBool(const QJsonValue &V)
{
    if (!V.isBool())
        throw EDesignValue(QStringLiteral("true or false expected"));
    return V.toBool();
}

QList<int> ToInts(const QJsonValue &V, int Count)
{
    if (!V.isArray() || V.toArray().size() != Count)
        throw EDesignValue(QStringLiteral("a list of %1 integers expected").arg(Count));
    QList<int> R;
    for (const QJsonValue &E : V.toArray())
        R.append(ToInt(E));
    return R;
}

QStringList ToTexts(const QJsonValue &V)
{
    if (!V.isArray())
        throw EDesignValue(QStringLiteral("a list of texts expected"));
    QStringList R;
    for (const QJsonValue &E : V.toArray())
        R.append(ToText(E));
    return R;
}

QJsonValue FontToJson(const QFont &F)
{
    QJsonObject O;
    O.insert(QStringLiteral("Name"), F.family());
    O.insert(QStringLiteral("Height"), F.pixelSize() > 0 ? F.pixelSize() : F.pointSize());
    QJsonArray Style;
    if (F.bold())
        Style.append(QStringLiteral("fsBold"));
    if (F.italic())
        Style.append(QStringLiteral("fsItalic"));
    if (F.underline())
        Style.append(QStringLiteral("fsUnderline"));
    if (!Style.isEmpty())
        O.insert(QStringLiteral("Style"), Style);
    return O;
}

QFont JsonToFont(const QJsonValue &V)
{
    if (!V.isObject())
        throw EDesignValue(QStringLiteral("a font {Name, Height, Style} expected"));
    const QJsonObject O = V.toObject();
    QFont F;
    for (auto It = O.begin(); It != O.end(); ++It)
        if (It.key() != QLatin1String("Name") && It.key() != QLatin1String("Height")
            && It.key() != QLatin1String("Style"))
            throw EDesignValue(QStringLiteral("unknown font field '%1'").arg(It.key()));
    if (O.contains(QStringLiteral("Name")))
        F.setFamily(ToText(O.value(QStringLiteral("Name"))));
    if (O.contains(QStringLiteral("Height"))) {
        const int H = ToInt(O.value(QStringLiteral("Height")));
        if (H <= 0)
            throw EDesignValue(QStringLiteral("a positive font height expected"));
        F.setPixelSize(H);
    }
    const QStringList Style = O.contains(QStringLiteral("Style")) ? ToTexts(O.value(QStringLiteral("Style"))) : QStringList();
    for (const QString &S : Style)
        if (S != QLatin1String("fsBold") && S != QLatin1String("fsItalic") && S != QLatin1String("fsUnderline"))
            throw EDesignValue(QStringLiteral("unknown font style '%1'").arg(S));
    F.setBold(Style.contains(QStringLiteral("fsBold")));
    F.setItalic(Style.contains(QStringLiteral("fsItalic")));
    F.setUnderline(Style.contains(QStringLiteral("fsUnderline")));
    return F;
}

// A Qt property's value as a design stores it.
QJsonValue VariantToJson(const QMetaProperty &P, const QVariant &V)
{
    if (P.isEnumType()) {
        const QMetaEnum E = P.enumerator();
        if (E.isFlag()) {
            QJsonArray A;
            const int Bits = V.toInt();
            for (int i = 0; i < E.keyCount(); ++i)
                if (E.value(i) != 0 && (Bits & E.value(i)) == E.value(i))
                    A.append(QString::fromLatin1(E.key(i)));
            return A;
        }
        return QString::fromLatin1(E.valueToKey(V.toInt()));
    }
    const int Type = P.metaType().id();
    if (Type == qMetaTypeId<TPicture>())
        return QString::fromLatin1(V.value<TPicture>().Bytes().toBase64());
    if (P.metaType().flags() & QMetaType::PointerToQObject) {
        QObject *O = V.value<QObject *>();
        return O ? O->objectName() : QString();
    }
    switch (Type) {
    case QMetaType::QString:
        return V.toString();
    case QMetaType::Bool:
        return V.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return V.toDouble();
    case QMetaType::Double:
        return V.toDouble();
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(V.toStringList());
    case QMetaType::QSize:
        return QJsonArray{V.toSize().width(), V.toSize().height()};
    case QMetaType::QRect: {
        const QRect R = V.toRect();
        return QJsonArray{R.x(), R.y(), R.width(), R.height()};
    }
    case QMetaType::QFont:
        return FontToJson(V.value<QFont>());
    case QMetaType::QColor:
        return V.value<QColor>().name();
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
        return QJsonValue::fromVariant(V);
    default:
        return QJsonValue(QJsonValue::Undefined);
    }
}

QVariant JsonToVariant(const QMetaProperty &P, const QJsonValue &J)
{
    if (P.isEnumType()) {
        const QMetaEnum E = P.enumerator();
        if (E.isFlag()) {
            int Bits = 0;
            for (const QString &K : ToTexts(J)) {
                bool Ok = false;
                const int V = E.keyToValue(K.toLatin1().constData(), &Ok);
                if (!Ok)
                    throw EDesignValue(QStringLiteral("unknown member '%1'").arg(K));
                Bits |= V;
            }
            return Bits;
        }
        bool Ok = false;
        const int V = E.keyToValue(ToText(J).toLatin1().constData(), &Ok);
        if (!Ok)
            throw EDesignValue(QStringLiteral("unknown value '%1'").arg(J.toString()));
        return V;
    }
    const int Type = P.metaType().id();
    if (Type == qMetaTypeId<TPicture>()) {
        const QString S = ToText(J);
        auto Decoded = QByteArray::fromBase64Encoding(S.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        TPicture Pic;
        if (!Decoded || !Pic.LoadFromBytes(*Decoded))
            throw EDesignValue(QStringLiteral("a picture (base64 of an image file) expected"));
        return QVariant::fromValue(Pic);
    }
    switch (Type) {
    case QMetaType::QString:
        return ToText(J);
    case QMetaType::Bool:
        return ToBool(J);
    case QMetaType::Int:
        return ToInt(J);
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar: {
        if (!J.isDouble() || J.toDouble() != std::floor(J.toDouble()))
            throw EDesignValue(QStringLiteral("an integer expected"));
        QVariant V(J.toDouble());
        if (!V.convert(P.metaType()) || V.toDouble() != J.toDouble())
            throw EDesignValue(QStringLiteral("an integer in range expected"));
        return V;
    }
    case QMetaType::Double:
        if (!J.isDouble())
            throw EDesignValue(QStringLiteral("a number expected"));
        return J.toDouble();
    case QMetaType::QStringList:
        return ToTexts(J);
    case QMetaType::QSize: {
        const QList<int> I = ToInts(J, 2);
        return QSize(I[0], I[1]);
    }
    case QMetaType::QRect: {
        const QList<int> I = ToInts(J, 4);
        return QRect(I[0], I[1], I[2], I[3]);
    }
    case QMetaType::QFont:
        return JsonToFont(J);
    case QMetaType::QColor: {
        const QColor C(ToText(J));
        if (!C.isValid())
            throw EDesignValue(QStringLiteral("a colour #rrggbb expected"));
        return C;
    }
    case QMetaType::QVariantList:
        if (!J.isArray())
            throw EDesignValue(QStringLiteral("a list expected"));
        return J.toArray().toVariantList();
    case QMetaType::QVariantMap:
        if (!J.isObject())
            throw EDesignValue(QStringLiteral("an object expected"));
        return J.toObject().toVariantMap();
    default:
        throw EDesignValue(QStringLiteral("a property of type %1 cannot be stored").arg(QString::fromLatin1(P.typeName())));
    }
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

// Widget placement and state that every control stores under the toolkit's names.
QList<TPropertyInfo> ControlProperties()
{
    QList<TPropertyInfo> L;
    L.append({QStringLiteral("Bounds"),
              [](const QObject *O) {
                  const QRect R = static_cast<const QWidget *>(O)->geometry();
                  return QJsonValue(QJsonArray{R.x(), R.y(), R.width(), R.height()});
              },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  const QList<int> I = ToInts(J, 4);
                  if (I[2] < 0 || I[3] < 0)
                      throw EDesignValue(QStringLiteral("a negative size"));
                  static_cast<QWidget *>(O)->setGeometry(I[0], I[1], I[2], I[3]);
              }});
    auto Text = [](const char *Dyn, const char *Default, QStringList Allowed) {
        return TPropertyInfo{QString::fromLatin1(Dyn),
                             [Dyn, Default](const QObject *O) {
                                 const QVariant V = O->property(Dyn);
                                 return QJsonValue(V.isValid() ? V.toString() : QString::fromLatin1(Default));
                             },
                             [Dyn, Allowed](QObject *O, const QJsonValue &J, TDesignContext &) {
                                 const QString S = ToText(J);
                                 if (!Allowed.contains(S))
                                     throw EDesignValue(QStringLiteral("unknown value '%1'").arg(S));
                                 O->setProperty(Dyn, S);
                             }};
    };
    L.append(Text("Align", "alNone", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}));
    L.append({QStringLiteral("Anchors"),
              [](const QObject *O) {
                  const QVariant V = O->property("Anchors");
                  return QJsonValue(QJsonArray::fromStringList(
                      V.isValid() ? V.toStringList() : QStringList{"akLeft", "akTop"}));
              },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  const QStringList A = ToTexts(J);
                  for (const QString &S : A)
                      if (!QStringList{"akLeft", "akTop", "akRight", "akBottom"}.contains(S))
                          throw EDesignValue(QStringLiteral("unknown anchor '%1'").arg(S));
                  O->setProperty("Anchors", A);
              }});
    L.append({QStringLiteral("Visible"),
              [](const QObject *O) { return QJsonValue(!static_cast<const QWidget *>(O)->isHidden()); },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  static_cast<QWidget *>(O)->setHidden(!ToBool(J));
              }});
    L.append({QStringLiteral("Enabled"),
              [](const QObject *O) { return QJsonValue(static_cast<const QWidget *>(O)->isEnabled()); },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  static_cast<QWidget *>(O)->setEnabled(ToBool(J));
              }});
    L.append({QStringLiteral("TabStop"),
              [](const QObject *O) {
                  return QJsonValue(bool(static_cast<const QWidget *>(O)->focusPolicy() & Qt::TabFocus));
              },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  static_cast<QWidget *>(O)->setFocusPolicy(ToBool(J) ? Qt::StrongFocus : Qt::ClickFocus);
              }});
    L.append({QStringLiteral("TabOrder"),
              [](const QObject *O) {
                  const QVariant V = O->property("TabOrder");
                  return QJsonValue(V.isValid() ? V.toInt() : -1);
              },
              [](QObject *O, const QJsonValue &J, TDesignContext &) { O->setProperty("TabOrder", ToInt(J)); }});
    L.append({QStringLiteral("Font"),
              [](const QObject *O) {
                  const QWidget *W = static_cast<const QWidget *>(O);
                  // Only a font of its own is stored; an inherited one comes from the parent.
                  return W->testAttribute(Qt::WA_SetFont) ? FontToJson(W->font()) : QJsonValue(QJsonValue::Null);
              },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  static_cast<QWidget *>(O)->setFont(JsonToFont(J));
              }});
    L.append({QStringLiteral("Hint"),
              [](const QObject *O) { return QJsonValue(static_cast<const QWidget *>(O)->toolTip()); },
              [](QObject *O, const QJsonValue &J, TDesignContext &) {
                  static_cast<QWidget *>(O)->setToolTip(ToText(J));
              }});
    return L;
}

TPropertyInfo TagProperty()
{
    return {QStringLiteral("Tag"), [](const QObject *O) { return QJsonValue(Tag(O)); },
            [](QObject *O, const QJsonValue &J, TDesignContext &) { SetTag(O, ToInt(J)); }};
}

TPropertyInfo BorderStyle(std::function<bool(const QObject *)> HasBorder, std::function<void(QObject *, bool)> Set)
{
    return {QStringLiteral("BorderStyle"),
            [HasBorder](const QObject *O) {
                return QJsonValue(HasBorder(O) ? QStringLiteral("bsSingle") : QStringLiteral("bsNone"));
            },
            [Set](QObject *O, const QJsonValue &J, TDesignContext &) {
                const QString S = ToText(J);
                if (S != QLatin1String("bsSingle") && S != QLatin1String("bsNone"))
                    throw EDesignValue(QStringLiteral("unknown value '%1'").arg(S));
                Set(O, S == QLatin1String("bsSingle"));
            }};
}

// A design colour: a #rrggbb value or the name of a system colour.
TPropertyInfo ColorProperty()
{
    return {QStringLiteral("Color"),
            [](const QObject *O) {
                const QVariant V = O->property("_glotta_color");
                return QJsonValue(V.isValid() ? V.toString() : QStringLiteral("clDefault"));
            },
            [](QObject *O, const QJsonValue &J, TDesignContext &) {
                const QString S = ToText(J);
                auto *W = static_cast<QWidget *>(O);
                QPalette Pal = W->palette();
                if (S == QLatin1String("clBtnFace")) {
                    // The window's own background, as a borderless description text shows it.
                    Pal.setColor(QPalette::Base, Pal.color(QPalette::Window));
                } else if (S != QLatin1String("clDefault")) {
                    const QColor C(S);
                    if (!C.isValid())
                        throw EDesignValue(QStringLiteral("a colour #rrggbb or clBtnFace expected"));
                    Pal.setColor(QPalette::Base, C);
                    Pal.setColor(QPalette::Window, C);
                }
                W->setPalette(Pal);
                O->setProperty("_glotta_color", S);
            }};
}

TEventInfo ClickEvent()
{
    return {QStringLiteral("OnClick"), [](QObject *Component, const std::any &Method) {
                auto *F = std::any_cast<TNotifyEvent>(&Method);
                if (!F)
                    BindMemberEventFailed(QStringLiteral("OnClick"));
                auto *B = qobject_cast<QAbstractButton *>(Component);
                TNotifyEvent Handler = GuardNotify(*F);
                QObject::connect(B, &QAbstractButton::clicked, B, [B, Handler] { Handler(B); });
            }};
}

template<typename T>
std::function<QObject *(QObject *)> WidgetFactory()
{
    return [](QObject *Parent) -> QObject * { return new T(qobject_cast<QWidget *>(Parent)); };
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

void RegisterToolkitClasses()
{
    static bool Done = false;
    if (Done)
        return;
    Done = true;
    qRegisterMetaType<TPicture>();

    TClassRegistry::Register({QStringLiteral("QObject"), &QObject::staticMetaObject, QString(),
                              [](QObject *Parent) { return new QObject(Parent); }, {TagProperty()}, {}});
    TClassRegistry::Register({QStringLiteral("QWidget"), &QWidget::staticMetaObject, QStringLiteral("QObject"),
                              WidgetFactory<QWidget>(), ControlProperties(), {}});

    TClassInfo Form{QStringLiteral("TForm"), &TForm::staticMetaObject, QStringLiteral("QObject"),
                    [](QObject *Parent) { return new TForm(qobject_cast<QWidget *>(Parent)); },
                    PublishedProperties(&TForm::staticMetaObject),
                    {MemberEvent<TForm, void(QObject *)>(QStringLiteral("OnCreate"), &TForm::OnCreate)}};
    Form.Properties.append(QtProperty(QStringLiteral("Font"), "font"));
    TClassRegistry::Register(Form);
    TClassRegistry::Register({QStringLiteral("TFrame"), &TFrame::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<TFrame>(), {}, {}});

    TClassRegistry::Register({QStringLiteral("QPushButton"), &QPushButton::staticMetaObject,
                              QStringLiteral("QWidget"), WidgetFactory<QPushButton>(),
                              {QtProperty(QStringLiteral("Caption"), "text"),
                               QtProperty(QStringLiteral("Default"), "default")},
                              {ClickEvent()}});
    TClassRegistry::Register({QStringLiteral("QCheckBox"), &QCheckBox::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<QCheckBox>(),
                              {QtProperty(QStringLiteral("Caption"), "text"),
                               QtProperty(QStringLiteral("Checked"), "checked")},
                              {ClickEvent()}});
    TClassRegistry::Register({QStringLiteral("QRadioButton"), &QRadioButton::staticMetaObject,
                              QStringLiteral("QWidget"), WidgetFactory<QRadioButton>(),
                              {QtProperty(QStringLiteral("Caption"), "text"),
                               QtProperty(QStringLiteral("Checked"), "checked")},
                              {ClickEvent()}});
    TClassRegistry::Register({QStringLiteral("QLabel"), &QLabel::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<QLabel>(),
                              {QtProperty(QStringLiteral("Caption"), "text"),
                               QtProperty(QStringLiteral("WordWrap"), "wordWrap")},
                              {}});
    TClassRegistry::Register({QStringLiteral("QGroupBox"), &QGroupBox::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<QGroupBox>(), {QtProperty(QStringLiteral("Caption"), "title")}, {}});
    TClassRegistry::Register({QStringLiteral("QLineEdit"), &QLineEdit::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<QLineEdit>(),
                              {QtProperty(QStringLiteral("Text"), "text"),
                               QtProperty(QStringLiteral("ReadOnly"), "readOnly"),
                               QtProperty(QStringLiteral("TextHint"), "placeholderText")},
                              {}});
    TClassRegistry::Register(
        {QStringLiteral("QPlainTextEdit"), &QPlainTextEdit::staticMetaObject, QStringLiteral("QWidget"),
         WidgetFactory<QPlainTextEdit>(),
         {{QStringLiteral("Lines"),
           [](const QObject *O) {
               const QString T = static_cast<const QPlainTextEdit *>(O)->toPlainText();
               return QJsonValue(QJsonArray::fromStringList(T.isEmpty() ? QStringList() : T.split(QLatin1Char('\n'))));
           },
           [](QObject *O, const QJsonValue &J, TDesignContext &) {
               static_cast<QPlainTextEdit *>(O)->setPlainText(ToTexts(J).join(QLatin1Char('\n')));
           }},
          QtProperty(QStringLiteral("ReadOnly"), "readOnly"),
          BorderStyle([](const QObject *O) { return static_cast<const QFrame *>(O)->frameShape() != QFrame::NoFrame; },
                      [](QObject *O, bool On) {
                          static_cast<QFrame *>(O)->setFrameShape(On ? QFrame::StyledPanel : QFrame::NoFrame);
                      }),
          ColorProperty()},
         {}});
    TClassRegistry::Register({QStringLiteral("QComboBox"), &QComboBox::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<QComboBox>(),
                              {{QStringLiteral("Items"),
                                [](const QObject *O) {
                                    const auto *C = static_cast<const QComboBox *>(O);
                                    QJsonArray A;
                                    for (int i = 0; i < C->count(); ++i)
                                        A.append(C->itemText(i));
                                    return QJsonValue(A);
                                },
                                [](QObject *O, const QJsonValue &J, TDesignContext &) {
                                    auto *C = static_cast<QComboBox *>(O);
                                    C->clear();
                                    C->addItems(ToTexts(J));
                                }}},
                              {}});
    TClassRegistry::Register({QStringLiteral("QListWidget"), &QListWidget::staticMetaObject,
                              QStringLiteral("QWidget"), WidgetFactory<QListWidget>(), {}, {}});
    TClassRegistry::Register({QStringLiteral("QProgressBar"), &QProgressBar::staticMetaObject,
                              QStringLiteral("QWidget"),
                              [](QObject *Parent) -> QObject * {
                                  auto *P = new QProgressBar(qobject_cast<QWidget *>(Parent));
                                  P->setValue(0);
                                  P->setTextVisible(false);
                                  return P;
                              },
                              {QtProperty(QStringLiteral("Min"), "minimum"), QtProperty(QStringLiteral("Max"), "maximum"),
                               QtProperty(QStringLiteral("Position"), "value")},
                              {}});
    TClassRegistry::Register({QStringLiteral("TStatusBar"), &TStatusBar::staticMetaObject, QStringLiteral("QWidget"),
                              WidgetFactory<TStatusBar>(), PublishedProperties(&TStatusBar::staticMetaObject), {}});
}
