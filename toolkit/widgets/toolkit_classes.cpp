// The toolkit's own classes and the Qt widgets that stored designs use, with
// the properties a design stores for them under the toolkit's names.

#include "toolkit/widgets/class_registry.h"

#include "toolkit/core/component.h"
#include "toolkit/widgets/design_values.h"
#include "toolkit/widgets/form.h"
#include "toolkit/widgets/labeled_edit.h"
#include "toolkit/widgets/picture.h"
#include "toolkit/widgets/status_bar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVariant>

namespace {
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
    TClassRegistry::Register({QStringLiteral("TLabeledEdit"), &TLabeledEdit::staticMetaObject,
                              QStringLiteral("QLineEdit"), WidgetFactory<TLabeledEdit>(),
                              PublishedProperties(&TLabeledEdit::staticMetaObject), {}});
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
