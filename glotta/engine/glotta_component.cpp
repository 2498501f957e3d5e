#include "glotta/engine/glotta_component.h"

#include "glotta/store/component_names.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/property_ids.h"
#include "glotta/store/text_helpers.h"
#include "glotta/engine/lang_core_data.h"

#include <QPointer>
#include <QVariant>

TGlottaComponent::TGlottaComponent(QObject *Owner) : QObject(Owner) {}

TGlottaComponent::~TGlottaComponent()
{
    if (fGlottaEngine)
        fGlottaEngine->DisconnectClient(this);
}

void TGlottaComponent::SetGlottaEngine(TGlottaCore *Value)
{
    if (fGlottaEngine == Value)
        return;
    LMComponentLanguage.clear();
    if (!Value) {
        RemoveFreeNotification(fGlottaEngine, this);
        fGlottaEngine->DisconnectClient(this);
        fGlottaEngine = nullptr;
        if (!IsLoading())
            ChangeLanguage();
        return;
    }
    const bool FirstEngine = !fGlottaEngine;
    if (fGlottaEngine)
        RemoveFreeNotification(fGlottaEngine, this);
    // Leaves the present engine (when there is one) and registers with Value.
    Value->ConnectClient(this, fGlottaEngine);
    FreeNotification(Value, this);
    // A component attached for the first time collects what it translates.
    if (FirstEngine && !IsLoading())
        InitClient();
    if (!Value->IsLoading() && !IsLoading())
        ChangeLanguage();
}

void TGlottaComponent::SetGlobalLexicon(bool Value)
{
    if (fConnectedGlobal == Value)
        return;
    fConnectedGlobal = Value;
    if (!IsLoading() && fGlottaEngine && fGlottaEngine->IsInitialized())
        ChangeLanguage();
}

void TGlottaComponent::ChangeLanguage()
{
    LMComponentLanguage = fGlottaEngine ? fGlottaEngine->CurrentLanguage() : QString();
    if (OnChangeLanguage)
        OnChangeLanguage(this);
}

void TGlottaComponent::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine) {
        fGlottaEngine = nullptr;
        LMComponentLanguage.clear();
    }
}

TGlottaCPC::TGlottaCPC(QObject *Owner)
    : TGlottaComponent(Owner), fDesignStruct(new TComponentStructure), fShownTexts(new TComponentStructure)
{
}

TGlottaCPC::~TGlottaCPC() = default;

QString TGlottaCPC::GetLanguageOwner() const
{
    if (!LanguageOwner.isEmpty())
        return LanguageOwner;
    return FormBaseName(OwnerName(this));
}

QString TGlottaCPC::GetOwnerName(const QObject *Component) const
{
    const QObject *Owner = ComponentOwner(Component);
    if (!Owner)
        return QString();
    if (Owner == ComponentOwner(this))
        return GetLanguageOwner();
    return Owner->objectName();
}

void TGlottaCPC::SetGlottaEngine(TGlottaCore *Value)
{
    // The base forgets the shown language before it lets the client take
    // over the new one, so the texts are restored here, while the design
    // structure still knows them; the next engine collects afresh.
    if (fGlottaEngine && Value != fGlottaEngine && !IsLoading() && CSInitialized) {
        RestoreDesignTexts();
        CSInitialized = false;
    }
    TGlottaComponent::SetGlottaEngine(Value);
}

bool TGlottaCPC::HasDesignLine(const QString &LineID) const
{
    return fDesignStruct->Find(LineID) >= 0;
}

void TGlottaCPC::InitClient()
{
    if (CSInitialized)
        return;
    CSInitialized = true;
    ProcessAllComponents(true);
    if (NeedsAfterCollect())
        AfterCollect();
}

void TGlottaCPC::ChangeLanguage()
{
    if (!fGlottaEngine) {
        RestoreDesignTexts();
        TGlottaComponent::ChangeLanguage();
        return;
    }
    if (!fGlottaEngine->IsInitialized())
        return;
    if (!CSInitialized)
        InitClient();
    if (fDesignStruct->Count() > 0)
        ProcessAllComponents(false);
    TGlottaComponent::ChangeLanguage();
}

bool TGlottaCPC::TranslatesStringProperty(quint8) const { return true; }
bool TGlottaCPC::TranslatesStringsProperty(quint8) const { return true; }
bool TGlottaCPC::TranslatesStructuredProperty(quint8) const { return true; }
bool TGlottaCPC::TranslatesOtherProperty(quint8) const { return true; }

void TGlottaCPC::OwnerCreated(QObject *Sender)
{
    Q_UNUSED(Sender);
    if (fOwnerCreatedRun)
        return;
    fOwnerCreatedRun = true;
    // The handler may replace or free the engine: the field is read afresh.
    if (fAfterCreate && OwnerOnCreate)
        OwnerOnCreate(this);
    if (fGlottaEngine)
        fGlottaEngine->InitEngine(true);
    if (!fAfterCreate && OwnerOnCreate)
        OwnerOnCreate(this);
}

bool TGlottaCPC::ValueDiffers(quint16 PropertyType, const QString &Value, const QString &Reference) const
{
    Q_UNUSED(PropertyType);
    return Value != Reference;
}

void TGlottaCPC::ProcessComponent(QObject *Component, bool Collect)
{
    // An action's help keyword. QAction lives in QtGui, so it is recognised
    // by its class name and read through its meta-object.
    if (Component->inherits("QAction") && TranslatesStringProperty(pnHelpKeyword)) {
        const QString Value = Component->property("whatsThis").toString();
        const QString Text =
            ProcessStringProperty(Component, StringPropertyID(pnHelpKeyword), Value, Collect, QString());
        if (!Collect && Text != Value)
            Component->setProperty("whatsThis", Text);
    }
}

void TGlottaCPC::ProcessAllComponents(bool Collect)
{
    QObject *Owner = ComponentOwner(this);
    if (!Owner)
        return;
    // Translating may create, rename or free components (a handler reacting
    // to a text): the walk runs over guarded pointers taken beforehand.
    QList<QPointer<QObject>> Snapshot;
    if (IsForm(Owner))
        Snapshot.append(Owner);
    for (QObject *C : OwnedComponents(Owner))
        Snapshot.append(C);
    for (const QPointer<QObject> &C : std::as_const(Snapshot))
        if (C)
            ProcessComponent(C.data(), Collect);
}

bool TGlottaCPC::AddComponent(QObject *Component, const QString &Name, bool Translate)
{
    if (!Component || ComponentOwner(Component) != ComponentOwner(this))
        return false;
    if (!Name.isEmpty())
        Component->setObjectName(Name);
    ProcessComponent(Component, true);
    if (Translate && fGlottaEngine)
        ProcessComponent(Component, false);
    return true;
}

QString TGlottaCPC::RestoreDesignTexts()
{
    QString Shown = LMComponentLanguage;
    if (fGlottaEngine && Shown == fGlottaEngine->DesignLanguageName())
        Shown.clear();
    if (CSInitialized && !Shown.isEmpty()) {
        // Without an engine every applied text is the designed one. The link
        // is only set aside: the registry keeps the client.
        TGlottaCore *Engine = fGlottaEngine;
        fGlottaEngine = nullptr;
        LMComponentLanguage.clear();
        ProcessAllComponents(false);
        fGlottaEngine = Engine;
        CSInitialized = false;
    }
    fDesignStruct->Clear();
    fShownTexts->Clear();
    return Shown;
}

void TGlottaCPC::RebuildAfterRestore(const QString &Shown)
{
    if (!Shown.isEmpty() && fGlottaEngine && fGlottaEngine->IsInitialized())
        ChangeLanguage();
    else if (CSInitialized)
        ProcessAllComponents(true);
    else
        InitClient();
}

void TGlottaCPC::RecreateTransStruct()
{
    RebuildAfterRestore(RestoreDesignTexts());
}

void TGlottaCPC::RebuildIfReady(const std::function<void()> &ChangeSets)
{
    if (IsLoading() || !fGlottaEngine || !fGlottaEngine->IsInitialized()) {
        ChangeSets();
        return;
    }
    // The texts the old sets translated are the ones to put back.
    const QString Shown = RestoreDesignTexts();
    ChangeSets();
    RebuildAfterRestore(Shown);
}

void TGlottaCPC::TranslateComponent(QObject *Component, const QString &Name)
{
    if (!Component)
        return;
    if (!Name.isEmpty())
        Component->setObjectName(Name);
    if (ComponentOwner(Component) && fGlottaEngine)
        ProcessComponent(Component, false);
}

void TGlottaCPC::Translate()
{
    if (!fGlottaEngine)
        return;
    // An engine that switched to its start language has translated every
    // client already.
    if (!fGlottaEngine->InitEngine(true) && fGlottaEngine)
        ChangeLanguage();
}

void TGlottaCPC::TranslateAs(const QString &FormName)
{
    const QString Current = GetLanguageOwner();
    LanguageOwner = FormName;
    if (fDesignStruct->SwitchLanguageOwner(Current, FormName))
        Translate();
}

QString TGlottaCPC::ClientTranslation(const QString &CompName, const QString &OwnerName, quint16 PropertyType,
                                      const QString &Addr)
{
    QString Result = fDesignStruct->GetString(CompName, OwnerName, PropertyType, Addr);
    if (Result.isEmpty())
        Result = fShownTexts->GetString(CompName, OwnerName, PropertyType, Addr);
    TLangCoreData *Data = fGlottaEngine ? fGlottaEngine->LData() : nullptr;
    if (Data) {
        const QString Designed = Result;
        TComponentStructure &Lines = *Data->DataStruct;
        quint16 Limit = DescentNone;
        const int i = Lines.Find(CompName, OwnerName, PropertyType, Addr);
        if (i >= 0) {
            Lines.ValidItem(i);
            const QString T = Lines.GetTranslation(i);
            if (!T.isEmpty())
                Result = T;
            Limit = quint16(Lines.GetDescent(i) & 0xFF);
        }
        // A language's own line (descent 0, "%NOTRANS" included) is final.
        if (fConnectedGlobal && Limit != 0) {
            const int G = Data->SmartLexicon->FindTranslate(Designed, Limit);
            if (G >= 0)
                Result = Data->SmartLexicon->ReadItem(G);
        }
    }
    DecodeCharCodes(Result);
    return Result;
}

void TGlottaCPC::CollectText(const QObject *Component, quint16 PropertyType, const QString &Input,
                             const QString &Addr)
{
    if (DesignedTextRules()) {
        // Numbers and punctuation alone are left out of a stored design.
        fDesignStruct->AddTextProperty(Component->objectName(), GetOwnerName(Component), PropertyType, Input, Addr);
        return;
    }
    // Elsewhere such a text ("...", "<-", "1") can be real, and a
    // right-to-left language turns an arrow round: only an empty one is none.
    if (Input.isEmpty())
        return;
    TFullStructLine Line;
    Line.CompName = Component->objectName();
    Line.OwnerName = GetOwnerName(Component);
    Line.PropertyID = PropertyType;
    Line.ItemAddr = Addr;
    Line.Translation = Input;
    EncodeControlChars(Line.Translation);
    Line.Descent = DescentNone;
    Line.Changeable = ChangeableTranslatable;
    fDesignStruct->AddLine(Line);
}

QString TGlottaCPC::ApplyText(const QObject *Component, quint16 PropertyType, const QString &Addr,
                              const QString &Value)
{
    const QString CompName = Component->objectName();
    const QString Owner = GetOwnerName(Component);
    const QString T = ClientTranslation(CompName, Owner, PropertyType, Addr);
    if (T.isEmpty())
        return Value;
    // A text left out of the collection (a caption equal to its name, a text
    // without letters, a component never added) that the language data
    // translate all the same: remember what it showed, or no later language
    // could bring it back.
    if (fGlottaEngine && T != Value && fDesignStruct->Find(CompName, Owner, PropertyType, Addr) < 0
        && fShownTexts->Find(CompName, Owner, PropertyType, Addr) < 0) {
        TFullStructLine Line;
        Line.CompName = CompName;
        Line.OwnerName = Owner;
        Line.PropertyID = PropertyType;
        Line.ItemAddr = Addr;
        Line.Translation = Value;
        EncodeControlChars(Line.Translation);
        Line.Descent = DescentNone;
        Line.Changeable = ChangeableTranslatable;
        fShownTexts->AddLine(Line);
    }
    return T;
}

QString TGlottaCPC::ProcessStringProperty(const QObject *Component, quint16 PropertyType, const QString &Value,
                                          bool Collect, const QString &Reference)
{
    if (!Collect)
        return ApplyText(Component, PropertyType, QString(), Value);
    // A text equal to the name is the toolkit's default caption (in a stored
    // design only); one equal to its reference only repeats a text collected
    // elsewhere.
    if ((!DesignedTextRules() || Value != Component->objectName()) && ValueDiffers(PropertyType, Value, Reference))
        CollectText(Component, PropertyType, Value, QString());
    return Value;
}

QString TGlottaCPC::ProcessItemText(const QObject *Component, quint16 PropertyType, const QString &Addr,
                                    bool Collect, const QString &Value)
{
    if (!Collect)
        return ApplyText(Component, PropertyType, Addr, Value);
    CollectText(Component, PropertyType, Value, Addr);
    return Value;
}

void TGlottaCPC::ProcessStringsLines(const QObject *Component, quint16 PropertyType, bool Collect,
                                     QStringList &Lines)
{
    for (int i = 0; i < Lines.size(); ++i)
        Lines[i] = ProcessItemText(Component, PropertyType, QString::number(i), Collect, Lines[i]);
}

void TGlottaCPC::ProcessPrefixedLines(const QObject *Component, quint16 PropertyType, const QString &Prefix,
                                      bool Collect, QStringList &Lines)
{
    for (int i = 0; i < Lines.size(); ++i)
        Lines[i] = ProcessItemText(Component, PropertyType, AddIndexToAddr(Prefix, i), Collect, Lines[i]);
}

QString TGlottaCPC::ProcessFilter(const QObject *Component, quint16 PropertyType, bool Collect,
                                  const QString &Filter)
{
    QString Result;
    QString Rest = Filter;
    bool AnyPair = false;
    while (Rest.contains(QLatin1Char('|'))) {
        const qsizetype Bar = Rest.indexOf(QLatin1Char('|'));
        const QString Desc = Rest.left(Bar);
        Rest.remove(0, Bar + 1);
        QString Mask;
        const qsizetype Next = Rest.indexOf(QLatin1Char('|'));
        if (Next < 0) {
            Mask = Rest;
            Rest.clear();
        } else {
            Mask = Rest.left(Next);
            Rest.remove(0, Next + 1);
        }
        const QString Addr = AddrToken(QLatin1Char('[') + Mask + QLatin1Char(']'));
        const QString Text = ProcessItemText(Component, PropertyType, Addr, Collect, Desc);
        if (AnyPair)
            Result += QLatin1Char('|');
        Result += Text + QLatin1Char('|') + Mask;
        AnyPair = true;
    }
    // A filter with no pair in it (a bare mask) has nothing to translate and
    // stays as it is instead of being written over with an empty text.
    if (Collect || !AnyPair)
        return Filter;
    return Result;
}

QString TGlottaCPC::ObjectMapName(const QObject *Item, const QString &Caption)
{
    // The entry goes with the item: an item created later at the same
    // address is another item and gets a name of its own.
    const qsizetype Before = fObjMap.size();
    const QString Name = ObjectMapName(static_cast<const void *>(Item), Caption);
    if (fObjMap.size() > Before)
        connect(Item, &QObject::destroyed, this, [this](QObject *Gone) {
            fObjMap.removeIf([Gone](const auto &Entry) { return Entry.first == Gone; });
        });
    return Name;
}

QString TGlottaCPC::ObjectMapName(const void *Item, const QString &Caption)
{
    for (const auto &Entry : std::as_const(fObjMap))
        if (Entry.first == Item)
            return Entry.second;
    const QString Name = IdentifierOf(Caption);
    if (!Name.isEmpty())
        fObjMap.append({Item, Name});
    return Name;
}
