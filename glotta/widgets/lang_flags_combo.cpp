#include "glotta/widgets/lang_flags_combo.h"

#include "glotta/widgets/lang_control_link.h"

#include <QStyledItemDelegate>

namespace {
// Items as high as the box less the margin, whatever the style would make them.
class TFlagItemDelegate : public QStyledItemDelegate
{
public:
    explicit TFlagItemDelegate(TLangFlagsCombo *Combo) : QStyledItemDelegate(Combo), fCombo(Combo) {}

    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QSize Size = QStyledItemDelegate::sizeHint(Option, Index);
        Size.setHeight(fCombo->ItemHeight());
        return Size;
    }

private:
    TLangFlagsCombo *fCombo;
};
} // namespace

TLangFlagsCombo::TLangFlagsCombo(QWidget *Parent) : QComboBox(Parent)
{
    setEditable(false);
    setIconSize(QSize(FlagSize, FlagSize));
    setItemDelegate(new TFlagItemDelegate(this));
    // The user's pick, never a selection the engine set while filling.
    connect(this, &QComboBox::activated, this,
            [this](int Index) { ChooseLanguage(this, fGlottaEngine, itemData(Index).toString(), OnChangeLanguage); });
}

TLangFlagsCombo::~TLangFlagsCombo()
{
    if (TGlottaEngine *Engine = fGlottaEngine) {
        fGlottaEngine = nullptr;
        RemoveFreeNotification(Engine, this);
        Engine->DisconnectClient(this);
    }
}

int TLangFlagsCombo::ItemHeight() const
{
    // A box lower than the margin still shows its items one pixel high.
    return qMax(1, height() - ItemHeightMargin);
}

void TLangFlagsCombo::SetGlottaEngine(TGlottaEngine *Value)
{
    // Setting the attached engine again keeps what the box shows.
    if (Value == fGlottaEngine)
        return;
    Empty();
    AttachLangControl(this, Value, fGlottaEngine);
}

void TLangFlagsCombo::UpdateLanguages(TGlottaEngine &Engine, int LanguageIndex)
{
    Q_UNUSED(LanguageIndex);
    fImages = Engine.FlagsList();
    const QStringList Entries = Engine.LanguageMenuEntries();
    for (int i = 0; i < Entries.size(); ++i) {
        const QIcon Image = i < fImages.size() ? fImages[i] : QIcon();
        if (i < count()) {
            setItemText(i, Entries[i]);
            setItemIcon(i, Image);
            setItemData(i, Entries[i]);
        } else
            addItem(Image, Entries[i], Entries[i]);
    }
    while (count() > Entries.size())
        removeItem(count() - 1);
    setCurrentIndex(findData(Engine.CurrentLanguage(), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    update();
}

void TLangFlagsCombo::ClearLanguages()
{
    Empty();
}

void TLangFlagsCombo::Empty()
{
    clear();
    fImages.clear();
    update();
}

void TLangFlagsCombo::Loaded()
{
    TComponentHooks::Loaded();
    if (fGlottaEngine)
        fGlottaEngine->RefreshLangControl(this);
}

void TLangFlagsCombo::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fGlottaEngine) {
        // The engine is being destroyed: nothing may be asked of it any more.
        fGlottaEngine = nullptr;
        Empty();
    }
}
