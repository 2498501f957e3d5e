#include "glotta/widgets/glotta_classes.h"

#include "toolkit/widgets/class_registry.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"
#include "glotta/widgets/lang_flag.h"
#include "glotta/widgets/lang_flags_combo.h"
#include "glotta/widgets/valued_label.h"
#include "glotta/engine/form_lexicon.h"
#include "glotta/engine/lexicon.h"
#include "glotta/engine/resources_translator.h"

#include "toolkit/widgets/design_values.h"

#include <QJsonArray>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The client's five property sets are stored by member name; a number (how
// earlier designs stored them) is read as the set's bits.
TPropertyInfo SetProperty(const QString &Name, TTransSet Set)
{
    const QByteArray QtName = Name.toLatin1();
    TPropertyInfo Info;
    Info.Name = Name;
    Info.Get = [QtName, Set](const QObject *O) {
        return QJsonValue(QJsonArray::fromStringList(TransSetNames(Set, O->property(QtName).toUInt())));
    };
    Info.Set = [QtName, Set](QObject *O, const QJsonValue &J, TDesignContext &) {
        quint32 Value = 0;
        if (J.isDouble()) {
            const double D = J.toDouble();
            if (D < 0 || D > double(std::numeric_limits<quint32>::max()) || D != std::floor(D))
                throw EDesignValue(QStringLiteral("a set of members expected"));
            Value = quint32(D);
        } else {
            QString Unknown;
            if (!TransSetFromNames(Set, ToTexts(J), Value, Unknown))
                throw EDesignValue(QStringLiteral("unknown member '%1'").arg(Unknown));
        }
        O->setProperty(QtName, Value);
    };
    return Info;
}

QList<TPropertyInfo> ClientProperties()
{
    const QList<std::pair<QString, TTransSet>> Sets{{QStringLiteral("TransStringProp"), TTransSet::StringProp},
                                                    {QStringLiteral("TransTStringsProp"), TTransSet::TStringsProp},
                                                    {QStringLiteral("TransStructuredProp"), TTransSet::StructuredProp},
                                                    {QStringLiteral("TransOtherProp"), TTransSet::OtherProp},
                                                    {QStringLiteral("TransAdditions"), TTransSet::Additions}};
    QList<TPropertyInfo> L;
    for (TPropertyInfo &P : PublishedProperties(&TGlottaClient::staticMetaObject)) {
        auto It = std::find_if(Sets.begin(), Sets.end(), [&](const auto &S) { return S.first == P.Name; });
        L.append(It == Sets.end() ? P : SetProperty(It->first, It->second));
    }
    return L;
}
} // namespace

namespace {
// OnInitialization is set through its setter, never assigned: setting a
// handler runs it at once, so a handler bound while the design is read
// defines the items before anything can ask for them.
TEventInfo InitializationEvent()
{
    const QString Name = QStringLiteral("OnInitialization");
    return TEventInfo{Name, [Name](QObject *Component, const std::any &Method) {
                          auto *F = std::any_cast<TNotifyEvent>(&Method);
                          if (!F)
                              BindMemberEventFailed(Name);
                          static_cast<TCustomProgrammableLexicon *>(Component)->SetOnInitialization(GuardNotify(*F));
                      }};
}
// The translator's register of strings and its units, stored beside its
// properties; a design holds them only when StoresLists says so.
TPropertyInfo TranslatorList(const QString &Name,
                             void (TCustomResourcesTranslator::*Write)(TValueWriter &) const,
                             void (TCustomResourcesTranslator::*Read)(TValueReader &))
{
    auto Translator = [](const QObject *O) { return static_cast<const TCustomResourcesTranslator *>(O); };
    TPropertyInfo P = DataProperty(
        Name, [=](const QObject *O, TValueWriter &W) { (Translator(O)->*Write)(W); },
        [Read](QObject *O, TValueReader &R) { (static_cast<TCustomResourcesTranslator *>(O)->*Read)(R); });
    // The design has no inherited forms: every translator is written as one
    // without an ancestor.
    P.Get = [=, Get = P.Get](const QObject *O) {
        if (!Translator(O)->StoresLists(nullptr))
            return QJsonValue(QJsonValue::Undefined);
        return Get(O);
    };
    return P;
}

QList<TPropertyInfo> ResourcesTranslatorProperties()
{
    return PublishedProperties(&TCustomResourcesTranslator::staticMetaObject)
           << TranslatorList(QStringLiteral("Units"), &TCustomResourcesTranslator::WriteUnits,
                             &TCustomResourcesTranslator::ReadUnits)
           << TranslatorList(QStringLiteral("Resources"), &TCustomResourcesTranslator::WriteResources,
                             &TCustomResourcesTranslator::ReadResources);
}
} // namespace

void RegisterGlottaClasses()
{
    static bool Done = false;
    if (Done)
        return;
    Done = true;
    RegisterToolkitClasses();

    TClassRegistry::Register({QStringLiteral("TGlottaCore"), &TGlottaCore::staticMetaObject, QStringLiteral("QObject"),
                              [](QObject *Owner) { return new TGlottaCore(Owner); },
                              PublishedProperties(&TGlottaCore::staticMetaObject),
                              {MemberEvent<TGlottaCore, void(QObject *, bool &)>(QStringLiteral("OnChangeLangQuery"),
                                                                                 &TGlottaCore::OnChangeLangQuery),
                               MemberEvent<TGlottaCore, void(QObject *)>(QStringLiteral("OnChangeLanguage"),
                                                                         &TGlottaCore::OnChangeLanguage),
                               MemberEvent<TGlottaCore, void(QObject *)>(QStringLiteral("OnBeforeEdit"),
                                                                         &TGlottaCore::OnBeforeEdit),
                               MemberEvent<TGlottaCore, void(QObject *)>(QStringLiteral("OnAfterEdit"),
                                                                         &TGlottaCore::OnAfterEdit)}});
    TClassRegistry::Register({QStringLiteral("TGlottaEngine"), &TGlottaEngine::staticMetaObject,
                              QStringLiteral("TGlottaCore"), [](QObject *Owner) { return new TGlottaEngine(Owner); },
                              PublishedProperties(&TGlottaEngine::staticMetaObject), {}});
    TClassRegistry::Register({QStringLiteral("TGlottaComponent"), &TGlottaComponent::staticMetaObject,
                              QStringLiteral("QObject"), nullptr, PublishedProperties(&TGlottaComponent::staticMetaObject),
                              {MemberEvent<TGlottaComponent, void(QObject *)>(QStringLiteral("OnChangeLanguage"),
                                                                              &TGlottaComponent::OnChangeLanguage)}});
    TClassRegistry::Register({QStringLiteral("TGlottaCPC"), &TGlottaCPC::staticMetaObject,
                              QStringLiteral("TGlottaComponent"), nullptr,
                              PublishedProperties(&TGlottaCPC::staticMetaObject), {}});
    TClassRegistry::Register({QStringLiteral("TGlottaClient"), &TGlottaClient::staticMetaObject,
                              QStringLiteral("TGlottaCPC"), [](QObject *Owner) { return new TGlottaClient(Owner); },
                              ClientProperties(), {}});
    TClassRegistry::Register({QStringLiteral("TCustomDesignedLexicon"), &TCustomDesignedLexicon::staticMetaObject,
                              QStringLiteral("TGlottaComponent"), nullptr,
                              PublishedProperties(&TCustomDesignedLexicon::staticMetaObject), {}});
    TClassRegistry::Register({QStringLiteral("TDesignedLexicon"), &TDesignedLexicon::staticMetaObject,
                              QStringLiteral("TCustomDesignedLexicon"),
                              [](QObject *Owner) { return new TDesignedLexicon(Owner); }, {}, {}});
    TClassRegistry::Register({QStringLiteral("TCustomProgrammableLexicon"),
                              &TCustomProgrammableLexicon::staticMetaObject, QStringLiteral("TGlottaComponent"),
                              [](QObject *Owner) { return new TCustomProgrammableLexicon(Owner); },
                              PublishedProperties(&TCustomProgrammableLexicon::staticMetaObject),
                              {InitializationEvent()}});
    TClassRegistry::Register({QStringLiteral("TCustomResourcesTranslator"),
                              &TCustomResourcesTranslator::staticMetaObject, QStringLiteral("TGlottaComponent"),
                              [](QObject *Owner) { return new TCustomResourcesTranslator(Owner); },
                              ResourcesTranslatorProperties(), {}});
    TClassRegistry::Register({QStringLiteral("TResourcesTranslator"), &TResourcesTranslator::staticMetaObject,
                              QStringLiteral("TCustomResourcesTranslator"),
                              [](QObject *Owner) { return new TResourcesTranslator(Owner); }, {}, {}});
    TClassRegistry::Register({QStringLiteral("TLangCombo"), &TLangCombo::staticMetaObject, QStringLiteral("QWidget"),
                              [](QObject *Parent) { return new TLangCombo(qobject_cast<QWidget *>(Parent)); },
                              PublishedProperties(&TLangCombo::staticMetaObject),
                              {MemberEvent<TLangCombo, void(QObject *)>(QStringLiteral("OnChangeLanguage"),
                                                                        &TLangCombo::OnChangeLanguage),
                               MemberEvent<TLangCombo, void(QObject *, int, QPainter *, const QRect &, bool)>(
                                   QStringLiteral("OnDrawItem"), &TLangCombo::OnDrawItem),
                               MemberEvent<TLangCombo, void(QObject *, int, int &)>(QStringLiteral("OnMeasureItem"),
                                                                                   &TLangCombo::OnMeasureItem)}});
    TClassRegistry::Register({QStringLiteral("TLangFlagsCombo"), &TLangFlagsCombo::staticMetaObject,
                              QStringLiteral("QWidget"),
                              [](QObject *Parent) { return new TLangFlagsCombo(qobject_cast<QWidget *>(Parent)); },
                              PublishedProperties(&TLangFlagsCombo::staticMetaObject),
                              {MemberEvent<TLangFlagsCombo, void(QObject *)>(QStringLiteral("OnChangeLanguage"),
                                                                             &TLangFlagsCombo::OnChangeLanguage)}});
    TClassRegistry::Register({QStringLiteral("TLangFlag"), &TLangFlag::staticMetaObject, QStringLiteral("QWidget"),
                              [](QObject *Parent) { return new TLangFlag(qobject_cast<QWidget *>(Parent)); },
                              PublishedProperties(&TLangFlag::staticMetaObject), {}});
    // The caption is composed from the parts, so only the parts are stored.
    TClassInfo ValuedLabel{QStringLiteral("TValuedLabel"), &TValuedLabel::staticMetaObject, QStringLiteral("QWidget"),
                           [](QObject *Parent) { return new TValuedLabel(qobject_cast<QWidget *>(Parent)); },
                           PublishedProperties(&TValuedLabel::staticMetaObject), {}};
    ValuedLabel.Properties.append(QtProperty(QStringLiteral("WordWrap"), "wordWrap"));
    TClassRegistry::Register(ValuedLabel);
    TClassRegistry::Register({QStringLiteral("QMenu"), &QMenu::staticMetaObject, QStringLiteral("QWidget"),
                              [](QObject *Parent) { return new QMenu(qobject_cast<QWidget *>(Parent)); },
                              {QtProperty(QStringLiteral("Caption"), "title")}, {}});
}
