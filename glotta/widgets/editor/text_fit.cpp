#include "glotta/widgets/editor/text_fit.h"

#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>

namespace {
// What a mnemonic caption shows: "&x" underlines x, "&&" is one "&".
QString WithoutMnemonics(const QString &Text)
{
    QString Shown;
    Shown.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text[i] == QLatin1Char('&') && i + 1 < Text.size())
            ++i;
        Shown += Text[i];
    }
    return Shown;
}

// The widest line of a text.
int TextWidth(const QFontMetrics &Metrics, const QString &Text)
{
    int Widest = 0;
    for (const QString &Line : Text.split(QLatin1Char('\n')))
        Widest = qMax(Widest, Metrics.horizontalAdvance(Line));
    return Widest;
}

// The room a layout can give a control: its maximum width, or none (-1)
// when the layout may widen it without bound. A control no layout manages
// keeps the width it has.
int WidthRoom(const QWidget *Control)
{
    const QWidget *Parent = Control->parentWidget();
    const bool Managed = Parent && Parent->layout() && Parent->layout()->indexOf(const_cast<QWidget *>(Control)) >= 0;
    if (!Managed)
        return Control->width();
    return Control->maximumWidth() < QWIDGETSIZE_MAX ? Control->maximumWidth() : -1;
}

struct TMeasure
{
    int Needed = 0;
    int Room = -1; // -1: unbounded, nothing to report
};

TMeasure LabelMeasure(const QLabel *Label, const QString &Text)
{
    TMeasure M;
    const int Width = WidthRoom(Label);
    if (Width < 0 || (Label->textFormat() != Qt::PlainText && Qt::mightBeRichText(Text)))
        return M;
    const QFontMetrics Metrics(Label->font());
    const QString Shown = Label->buddy() ? WithoutMnemonics(Text) : Text;
    // The frame and margins come off the label's own width.
    const int Frame = Label->width() - Label->contentsRect().width();
    int Indent = Label->indent();
    if (Indent < 0)
        Indent = Label->frameWidth() > 0 ? Metrics.horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const int Inner = Width - Frame - 2 * Label->margin() - Indent;
    if (Label->wordWrap()) {
        // A wrapped text grows downwards: it lacks height.
        const QRect Box = Metrics.boundingRect(QRect(0, 0, qMax(Inner, 1), 1 << 20), Qt::TextWordWrap, Shown);
        M.Needed = Box.height();
        M.Room = Label->contentsRect().height() - 2 * Label->margin();
        return M;
    }
    M.Needed = TextWidth(Metrics, Shown);
    M.Room = Inner;
    return M;
}

TMeasure ButtonMeasure(const QAbstractButton *Button, const QString &Text)
{
    TMeasure M;
    const int Width = WidthRoom(Button);
    if (Width < 0)
        return M;
    const QStyle *Style = Button->style();
    const QFontMetrics Metrics(Button->font());
    int Used = 0;
    if (qobject_cast<const QCheckBox *>(Button))
        Used = Style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Button)
               + Style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, Button);
    else if (qobject_cast<const QRadioButton *>(Button))
        Used = Style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, Button)
               + Style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, Button);
    else
        // A push or tool button: its frame and the margin on both sides.
        Used = 2 * (Style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, Button) / 2
                    + Style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Button));
    if (!Button->icon().isNull())
        Used += Button->iconSize().width() + 4;
    M.Needed = TextWidth(Metrics, WithoutMnemonics(Text));
    M.Room = Width - Used;
    return M;
}

TMeasure GroupBoxMeasure(const QGroupBox *Box, const QString &Text)
{
    TMeasure M;
    const int Width = WidthRoom(Box);
    if (Width < 0)
        return M;
    const QFontMetrics Metrics(Box->font());
    // The title sits inside the frame, with a little space on each side.
    M.Needed = TextWidth(Metrics, WithoutMnemonics(Text)) + Metrics.horizontalAdvance(QLatin1Char(' ')) * 2;
    M.Room = Width - 2 * Box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, Box) - 8;
    if (Box->isCheckable())
        M.Room -= Box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Box) + 4;
    return M;
}

TMeasure CaptionMeasure(const QWidget *Control, const QString &Text)
{
    if (const auto *Label = qobject_cast<const QLabel *>(Control))
        return LabelMeasure(Label, Text);
    if (const auto *Button = qobject_cast<const QAbstractButton *>(Control))
        return ButtonMeasure(Button, Text);
    if (const auto *Box = qobject_cast<const QGroupBox *>(Control))
        return GroupBoxMeasure(Box, Text);
    return {};
}

void Report(QList<TFitProblem> &Problems, const QWidget *Control, const QString &Part, const QString &Text,
            const TMeasure &M)
{
    if (M.Room >= 0 && M.Needed > M.Room)
        Problems.append({Control->objectName(), Part, Text, M.Needed, M.Room});
}

// The entries of a combo box each show in its edit field once chosen.
void ComboProblems(QList<TFitProblem> &Problems, const QComboBox *Combo)
{
    const int Width = WidthRoom(Combo);
    if (Width < 0)
        return;
    QStyleOptionComboBox Option;
    Option.initFrom(Combo);
    Option.rect = QRect(0, 0, Width, Combo->height());
    Option.editable = Combo->isEditable();
    const QRect Field = Combo->style()->subControlRect(QStyle::CC_ComboBox, &Option, QStyle::SC_ComboBoxEditField, Combo);
    const QFontMetrics Metrics(Combo->font());
    for (int i = 0; i < Combo->count(); ++i) {
        const QString Text = Combo->itemText(i);
        int Needed = Metrics.horizontalAdvance(Text);
        if (!Combo->itemIcon(i).isNull())
            Needed += Combo->iconSize().width() + 4;
        Report(Problems, Combo, QStringLiteral("Items[%1]").arg(i), Text, {Needed, Field.width()});
    }
}

// A column title against its section, and the entries of a column against
// the column.
void HeaderProblems(QList<TFitProblem> &Problems, const QWidget *View, const QHeaderView *Header)
{
    if (!Header || Header->isHidden() || Header->sectionResizeMode(0) == QHeaderView::ResizeToContents)
        return;
    const QFontMetrics Metrics(Header->font());
    const int Margin = Header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, Header);
    for (int c = 0; c < Header->count(); ++c) {
        if (Header->isSectionHidden(c) || (Header->stretchLastSection() && c == Header->count() - 1))
            continue;
        const QString Text = Header->model()->headerData(c, Header->orientation()).toString();
        Report(Problems, View, QStringLiteral("Columns[%1]").arg(c), Text,
               {Metrics.horizontalAdvance(Text) + 2 * Margin, Header->sectionSize(c)});
    }
}

void ViewProblems(QList<TFitProblem> &Problems, const QWidget *Control)
{
    const int Margin = 2 * (Control->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Control) + 1);
    if (const auto *Tree = qobject_cast<const QTreeWidget *>(Control)) {
        HeaderProblems(Problems, Tree, Tree->header());
        const QFontMetrics Metrics(Tree->font());
        const bool LastStretches = Tree->header()->stretchLastSection();
        for (int i = 0; i < Tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *Item = Tree->topLevelItem(i);
            for (int c = 0; c < Tree->columnCount(); ++c) {
                if (LastStretches && c == Tree->columnCount() - 1)
                    continue;
                const int Indent = c == 0 ? Tree->indentation() * (Tree->rootIsDecorated() ? 1 : 0) : 0;
                Report(Problems, Tree, QStringLiteral("Items[%1].Columns[%2]").arg(i).arg(c), Item->text(c),
                       {Metrics.horizontalAdvance(Item->text(c)) + Margin + Indent, Tree->columnWidth(c)});
            }
        }
    } else if (const auto *Table = qobject_cast<const QTableWidget *>(Control)) {
        HeaderProblems(Problems, Table, Table->horizontalHeader());
        const QFontMetrics Metrics(Table->font());
        for (int r = 0; r < Table->rowCount(); ++r)
            for (int c = 0; c < Table->columnCount(); ++c)
                if (const QTableWidgetItem *Item = Table->item(r, c))
                    Report(Problems, Table, QStringLiteral("Items[%1,%2]").arg(r).arg(c), Item->text(),
                           {Metrics.horizontalAdvance(Item->text()) + Margin, Table->columnWidth(c)});
    } else if (const auto *List = qobject_cast<const QListWidget *>(Control)) {
        const QFontMetrics Metrics(List->font());
        const int Room = WidthRoom(List) < 0 ? -1 : List->viewport()->width();
        for (int i = 0; i < List->count(); ++i)
            Report(Problems, List, QStringLiteral("Items[%1]").arg(i), List->item(i)->text(),
                   {Metrics.horizontalAdvance(List->item(i)->text()) + Margin, Room});
    }
}

QString Caption(const QWidget *Control)
{
    if (const auto *Label = qobject_cast<const QLabel *>(Control))
        return Label->text();
    if (const auto *Button = qobject_cast<const QAbstractButton *>(Control))
        return Button->text();
    if (const auto *Box = qobject_cast<const QGroupBox *>(Control))
        return Box->title();
    return QString();
}
} // namespace

int CaptionLack(const QWidget *Control, const QString &Text)
{
    if (!Control || Text.isEmpty())
        return 0;
    const TMeasure M = CaptionMeasure(Control, Text);
    return M.Room >= 0 && M.Needed > M.Room ? M.Needed - M.Room : 0;
}

QList<TFitProblem> FormFitProblems(const QWidget *Form)
{
    QList<TFitProblem> Problems;
    if (!Form)
        return Problems;
    for (const QWidget *Control : Form->findChildren<QWidget *>()) {
        // A control hidden by the program shows nothing; nor do Qt's own
        // parts of a control.
        if (!Control->isVisibleTo(Form) || Control->objectName().isEmpty()
            || Control->objectName().startsWith(QLatin1String("qt_")))
            continue;
        const QString Text = Caption(Control);
        if (!Text.isEmpty())
            Report(Problems, Control, QString(), Text, CaptionMeasure(Control, Text));
        if (const auto *Combo = qobject_cast<const QComboBox *>(Control))
            ComboProblems(Problems, Combo);
        else
            ViewProblems(Problems, Control);
    }
    return Problems;
}

QList<TFitProblem> FormFitProblems(QWidget *Form, TGlottaCore *Engine, const QString &Language)
{
    if (!Engine || !Engine->LData() || Engine->LData()->IndexOfLanguage(Language) < 0)
        return {};
    const QString Before = Engine->CurrentLanguage();
    Engine->Translate(Language);
    QList<TFitProblem> Problems = FormFitProblems(Form);
    Engine->Translate(Before);
    return Problems;
}
