#include "glotta/widgets/lang_combo.h"

#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_control_link.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>

// Hands painting and measuring of an owner-drawn box to its events; without
// a handler an item looks as in a plain box.
class TLangCombo::TOwnerDrawDelegate : public QStyledItemDelegate
{
public:
    explicit TOwnerDrawDelegate(TLangCombo *Combo) : QStyledItemDelegate(Combo), fCombo(Combo) {}

    // Variable heights: every item is measured by OnMeasureItem.
    bool Variable = false;

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        if (!fCombo->OnDrawItem) {
            QStyledItemDelegate::paint(Painter, Option, Index);
            return;
        }
        Painter->save();
        fCombo->OnDrawItem(fCombo, Index.row(), Painter, Option.rect, Option.state & QStyle::State_Selected);
        Painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
        if (Variable && fCombo->OnMeasureItem) {
            int Height = Size.height();
            fCombo->OnMeasureItem(fCombo, Index.row(), Height);
            Size.setHeight(qMax(0, Height));
        }
        return Size;
    }

private:
    TLangCombo *fCombo;
};

TLangCombo::TLangCombo(QWidget *Parent) : QComboBox(Parent)
{
    setEditable(false);
    // The user's pick, never a selection the engine set while filling.
    connect(this, &QComboBox::activated, this,
            [this](int Index) { ChooseLanguage(this, fGlottaEngine, itemData(Index).toString(), OnChangeLanguage); });
}

TLangCombo::~TLangCombo()
{
    if (TGlottaEngine *Engine = fGlottaEngine) {
        fGlottaEngine = nullptr;
        RemoveFreeNotification(Engine, this);
        Engine->DisconnectClient(this);
    }
}

void TLangCombo::SetGlottaEngine(TGlottaEngine *Value)
{
    // Setting the attached engine again keeps what the box shows.
    if (Value == fGlottaEngine)
        return;
    clear();
    AttachLangControl(this, Value, fGlottaEngine);
}

TLangCombo::TLangComboStyle TLangCombo::StyleCombo()
{
    if (isEditable()) {
        SetStyleCombo(scDropDownList);
        return scDropDownList;
    }
    return fStyle;
}

void TLangCombo::SetStyleCombo(TLangComboStyle Value)
{
    if (Value != scOwnerDrawFixed && Value != scOwnerDrawVariable)
        Value = scDropDownList;
    fStyle = Value;
    setEditable(false);
    const bool OwnerDraw = Value != scDropDownList;
    if (OwnerDraw && itemDelegate() != fOwnerDraw) {
        fPlainDelegate = itemDelegate();
        if (!fOwnerDraw)
            fOwnerDraw = new TOwnerDrawDelegate(this);
        setItemDelegate(fOwnerDraw);
    } else if (!OwnerDraw && fOwnerDraw && itemDelegate() == fOwnerDraw)
        setItemDelegate(fPlainDelegate ? fPlainDelegate.data() : new QStyledItemDelegate(this));
    if (fOwnerDraw)
        fOwnerDraw->Variable = Value == scOwnerDrawVariable;
    // Fixed heights: the view measures one item and takes it for all.
    view()->setProperty("uniformItemSizes", Value == scOwnerDrawFixed);
}

void TLangCombo::UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex)
{
    const QStringList Entries = Engine.LanguageMenuEntries();
    QStringList Shown;
    for (int i = 0; i < count(); ++i)
        Shown.append(itemData(i).toString());
    if (Shown != Entries) {
        clear();
        // Each item carries its entry as data: the pick is taken from there,
        // whatever text the item shows by then.
        for (const QString &Entry : Entries)
            addItem(Entry, Entry);
    }
    setCurrentIndex(LanguageIndex < count() ? LanguageIndex : -1);
    update();
}

void TLangCombo::ClearLanguages()
{
    clear();
    update();
}

void TLangCombo::Loaded()
{
    TComponentHooks::Loaded();
    if (fGlottaEngine)
        fGlottaEngine->RefreshLangControl(this);
}

void TLangCombo::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine) {
        // The engine is being destroyed: nothing may be asked of it any more.
        fGlottaEngine = nullptr;
        clear();
    }
}
