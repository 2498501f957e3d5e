#include "glotta/widgets/glotta_client.h"

#include "toolkit/widgets/application.h"

#include "glotta/widgets/client/client_rows.h"
#include "glotta/widgets/client/collection_rows.h"
#include "toolkit/widgets/form.h"
#include "glotta/store/property_ids.h"
#include "glotta/store/text_helpers.h"

#include <QCollator>
#include <QEvent>
#include <QLocale>
#include <QPointer>

// Stored designs hold the sets as numbers and omit a value equal to the
// default, so these numbers must not drift when the member lists are edited.
static_assert(AcceptedTransStringProp == 7340031 && DefaultTransStringProp == 7337727);
static_assert(AcceptedTransTStringsProp == 255 && DefaultTransTStringsProp == 255);
static_assert(AcceptedTransStructuredProp == 229375 && DefaultTransStructuredProp == 229230);
static_assert(AcceptedTransOtherProp == 225 && DefaultTransOtherProp == 97);
static_assert(AcceptedTransAdditions == 1 && DefaultTransAdditions == 0);
static_assert(HintPropertiesMask == 526 && TextPropertyMask == 32);

namespace {
// Widths of the sets: the member tests answer false beyond them.
constexpr quint8 WideSetBits = 32;
constexpr quint8 NarrowSetBits = 16;

bool InSet(quint32 Set, quint8 Ordinal, quint8 Bits)
{
    return Ordinal < Bits && (Set & (1u << Ordinal)) != 0;
}

} // namespace

const QStringList &TransSetMembers(TTransSet Set)
{
    static const QStringList Strings{
        "pnCaption",         "pnHint",          "pnTextHint",       "pnEditLabelHint",    "pnEditLabelCaption",
        "pnText",            "pnTitle",         "pnValueName",      "pnHelpKeyword",      "pnBalloonHint",
        "pnBalloonTitle",    "pnSimpleText",    "pnFileNameLabel",  "pnOkButtonLabel",    "pnExpandButtonCaption",
        "pnExpandedText",    "pnFooterText",    "pnVerificationText", "pnDialogCaption",  "pnHeaderTitle",
        "pnPrompt",          "pnFieldLabel",    "pnEmptyText"};
    static const QStringList TStrings{"pnLines",  "pnItems",  "pnTitleCaptions", "pnTabs",
                                      "pnPages",  "pnSections", "pnHeader",      "pnFooter",
                                      "pnInsertList", "pnItemList", "pnAutoCompleteList"};
    static const QStringList Structured{
        "pnPanels",        "pnBands",          "pnButtonCategories", "pnGrpButtonItems",      "pnTreeItems",
        "pnListColumns",   "pnListGroups",     "pnListItems",        "pnHeaderSections",      "pnDBGridTitleCaptions",
        "pnOutlineItems",  "pnTabProducerColumns", "pnFileTypes",    "pnButtons",             "pnRadioButtons",
        "pnMessages",      "pnKeyCaptions",    "pnStateCaptions"};
    static const QStringList Other{"pnFilter",         "RvProject_DISABLED",       "RvSystem_DISABLED",
                                   "RvRender_DISABLED", "RAVE_IS_DISABLED",        "cnTChart",
                                   "cnTActionManager", "cnTGestureManager",        "cnTScreenTipItem_UNSUPP",
                                   "ScreenMask_UNSUPP", "UniCalendar_UNSUPP",      "DateFormat_UNSUPP",
                                   "TimeFormat_UNSUPP", "WebOptions_UNSUPP"};
    static const QStringList Additions{"adCount"};
    switch (Set) {
    case TTransSet::StringProp:
        return Strings;
    case TTransSet::TStringsProp:
        return TStrings;
    case TTransSet::StructuredProp:
        return Structured;
    case TTransSet::OtherProp:
        return Other;
    case TTransSet::Additions:
        break;
    }
    return Additions;
}

QStringList TransSetNames(TTransSet Set, quint32 Value)
{
    const QStringList &Members = TransSetMembers(Set);
    QStringList Names;
    for (int i = 0; i < Members.size(); ++i)
        if (Value & (1u << i))
            Names.append(Members[i]);
    return Names;
}

bool TransSetFromNames(TTransSet Set, const QStringList &Names, quint32 &Value, QString &Unknown)
{
    const QStringList &Members = TransSetMembers(Set);
    quint32 Result = 0;
    for (const QString &N : Names) {
        const qsizetype i = Members.indexOf(N);
        if (i < 0) {
            Unknown = N;
            return false;
        }
        Result |= 1u << i;
    }
    Value = Result;
    return true;
}

bool SameCaption(const QString &A, const QString &B)
{
    const QString SA = StripAccelerators(A), SB = StripAccelerators(B);
    if (SA == SB)
        return true;
    // Making a collator is costly and every caption of a form is compared.
    static const QCollator C = [] {
        QCollator Collator{QLocale::system()};
        Collator.setCaseSensitivity(Qt::CaseInsensitive);
        return Collator;
    }();
    return C.compare(SA, SB) == 0;
}

TGlottaClient::TGlottaClient(QObject *Owner) : TGlottaCPC(Owner), fItems(std::make_unique<TItemMemory>())
{
    QObject *Form = ComponentOwner(this);
    if (auto *F = qobject_cast<TForm *>(Form)) {
        OwnerOnCreate = F->OnCreate;
        // A client freed before the form's creation event leaves the form's
        // own handler to run by itself.
        F->OnCreate = [Self = QPointer<TGlottaClient>(this), Saved = OwnerOnCreate](QObject *Sender) {
            if (Self)
                Self->OwnerCreated(Sender);
            else if (Saved)
                Saved(Sender);
        };
    }
    // A window with no creation event starts at its first Show, unless the
    // application has translated it before.
    if (Form && Form->isWidgetType())
        Form->installEventFilter(this);
}

TGlottaClient::~TGlottaClient() = default;

bool TGlottaClient::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() == QEvent::Show && Watched == ComponentOwner(this)) {
        Watched->removeEventFilter(this);
        // Inside Qt's event delivery: an error goes to the error report.
        if (!OwnerCreatedRun())
            RunGuarded([this, Watched] { OwnerCreated(Watched); });
    }
    return false;
}

void TGlottaClient::SetSets(quint32 &Field, quint32 Value)
{
    if (Field == Value)
        return;
    RebuildIfReady([&Field, Value] { Field = Value; });
}

void TGlottaClient::SetTransStringProp(quint32 Value)
{
    SetSets(fTransStringProp, Value & AcceptedTransStringProp);
}

void TGlottaClient::SetTransTStringsProp(quint32 Value)
{
    SetSets(fTransTStringsProp, Value & AcceptedTransTStringsProp);
}

void TGlottaClient::SetTransStructuredProp(quint32 Value)
{
    SetSets(fTransStructuredProp, Value & AcceptedTransStructuredProp);
}

void TGlottaClient::SetTransOtherProp(quint32 Value)
{
    SetSets(fTransOtherProp, Value & AcceptedTransOtherProp);
}

void TGlottaClient::SetTransAdditions(quint32 Value)
{
    SetSets(fTransAdditions, Value & AcceptedTransAdditions);
}

bool TGlottaClient::TranslatesStringProperty(quint8 Ordinal) const
{
    return InSet(CmpTransStringProp, Ordinal, WideSetBits);
}

bool TGlottaClient::TranslatesStringsProperty(quint8 Ordinal) const
{
    return InSet(CmpTransTStringsProp, Ordinal, NarrowSetBits);
}

bool TGlottaClient::TranslatesStructuredProperty(quint8 Ordinal) const
{
    return InSet(CmpTransStructuredProp, Ordinal, WideSetBits);
}

bool TGlottaClient::TranslatesOtherProperty(quint8 Ordinal) const
{
    return InSet(CmpTransOtherProp, Ordinal, NarrowSetBits);
}

bool TGlottaClient::ValueDiffers(quint16 PropertyType, const QString &Value, const QString &Reference) const
{
    if (!TGlottaCPC::ValueDiffers(PropertyType, Value, Reference))
        return false;
    return !(PropertyType == StringPropertyID(pnCaption) && SameCaption(Value, Reference));
}

bool TGlottaClient::ApplyTagRules(int Tag)
{
    CmpTransStringProp = fTransStringProp;
    CmpTransTStringsProp = fTransTStringsProp;
    CmpTransStructuredProp = fTransStructuredProp;
    CmpTransOtherProp = fTransOtherProp;
    switch (Tag) {
    case TagSkipComponent:
        return false;
    case TagNoHints:
        CmpTransStringProp &= ~HintPropertiesMask;
        break;
    case TagNoText:
        CmpTransStringProp &= ~TextPropertyMask;
        break;
    case TagTextOnly:
    case TagHintsOnly:
        CmpTransStringProp = Tag == TagTextOnly ? TextPropertyMask : fTransStringProp & HintPropertiesMask;
        CmpTransTStringsProp = 0;
        CmpTransStructuredProp = 0;
        CmpTransOtherProp = 0;
        break;
    default:
        break;
    }
    return true;
}

bool TGlottaClient::IsExcludedDescendant(const QObject *Component, const char *RowClass) const
{
    return IsExcludedRowDescendant(Component, RowClass);
}

bool TGlottaClient::MatchesClass(const QObject *Component, const char *RowClass) const
{
    return MatchesRowClass(Component, RowClass);
}

void TGlottaClient::ProcessComponent(QObject *Component, bool Collect)
{
    if (!Component || Component->objectName().isEmpty())
        return;
    // An error of one component ends that component only; the texts it
    // wrote stay written and the walk goes on.
    try {
        if (!ApplyTagRules(Tag(Component)))
            return;
        TGlottaCPC::ProcessComponent(Component, Collect);
        TRowPass P{*this, Component, Collect, ActionCaptionReference(Component)};

        P.Enabled = TranslatesStringProperty(pnCaption);
        MenuCaption(P) || LabelCaption(P) || ButtonCaption(P) || GroupBoxCaption(P) || ActionCaption(P)
            || ToolBoxPageCaption(P) || TabPageCaption(P) || FormCaption(P);
        P.Enabled = TranslatesStringProperty(pnText);
        EditText(P) || ComboText(P);
        P.Enabled = TranslatesStringProperty(pnValueName);
        ValuedLabelValueName(P);
        P.Enabled = TranslatesStringProperty(pnSimpleText);
        StatusBarText(P);
        P.Enabled = TranslatesStringProperty(pnHint);
        WidgetHint(P) || ActionHint(P);
        P.Enabled = TranslatesStringProperty(pnTextHint);
        EditTextHint(P);
        P.Enabled = TranslatesStringProperty(pnHelpKeyword);
        WidgetHelpKeyword(P);
        P.Enabled = TranslatesStringProperty(pnTitle);
        FileDialogTitle(P);
        if (!LabeledEditLabel(P, [this](int LabelTag) { return ApplyTagRules(LabelTag); }))
            return;
        P.Enabled = TranslatesStringsProperty(pnLines);
        MemoLines(P);
        P.Enabled = TranslatesStringsProperty(pnItems);
        ListBoxItems(P) || ComboItems(P);
        P.Enabled = TranslatesStringsProperty(pnTabs);
        TabBarTabs(P);

        ProcessCollections(Component, Collect);
    } catch (...) {
    }
}

void TGlottaClient::ProcessCollections(QObject *Component, bool Collect)
{
    TItemPass P{*this, Component, Collect, *fItems, {}};
    if (TranslatesStructuredProperty(pnPanels))
        StatusPanels(P);
    if (TranslatesStructuredProperty(pnTreeItems))
        TreeNodes(P);
    if (TranslatesStructuredProperty(pnListColumns))
        ListColumns(P);
    if (TranslatesStructuredProperty(pnListItems))
        TableItems(P);
    if (TranslatesStructuredProperty(pnHeaderSections))
        HeaderSections(P);
    if (TranslatesOtherProperty(pnFilter))
        FileDialogFilters(P);
    if (TranslatesOtherProperty(cnTActionManager))
        ActionBarItems(P);
    TrayIconTexts(P) || FileDialogLabels(P) || MessageBoxTexts(P);
    fItems->Replace(Component, std::move(P.Next));
}
