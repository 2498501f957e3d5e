#include "glotta/widgets/editor/lang_grid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace {
const QColor ProblemColor(0xE0, 0x10, 0x10);
} // namespace

class TLangGrid::TMarkerDelegate : public QStyledItemDelegate
{
public:
    explicit TMarkerDelegate(TLangGrid *Grid) : QStyledItemDelegate(Grid), fGrid(Grid) {}

    // The marker is painted over the key cell after the cell itself.
    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QStyledItemDelegate::paint(Painter, Option, Index);
        if (Index.column() == 1 && fGrid->ValueProblem && !fGrid->ValueProblem(Index.row()).isEmpty())
            Painter->fillRect(ProblemRect(Option.rect), ProblemColor);
        if (Index.column() != 0 || !fGrid->RowColor)
            return;
        Painter->fillRect(MarkerRect(Option.rect), PaintedColor(fGrid->RowColor(Index.row())));
    }

    // What the translator types reaches the row at once, so that its
    // marker and the language's progress follow every key, not only the
    // end of the edit.
    QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        QWidget *Editor = QStyledItemDelegate::createEditor(Parent, Option, Index);
        if (auto *Line = qobject_cast<QLineEdit *>(Editor)) {
            auto *Self = const_cast<TMarkerDelegate *>(this);
            connect(Line, &QLineEdit::textEdited, Self, [Self, Line] { emit Self->commitData(Line); });
        }
        return Editor;
    }

    bool helpEvent(QHelpEvent *Event, QAbstractItemView *View, const QStyleOptionViewItem &Option,
                   const QModelIndex &Index) override
    {
        if (Event->type() == QEvent::ToolTip && Index.column() == 1 && fGrid->ValueProblem) {
            const QString Problem = fGrid->ValueProblem(Index.row());
            if (Problem.isEmpty())
                return QStyledItemDelegate::helpEvent(Event, View, Option, Index);
            QToolTip::showText(Event->globalPos(), Problem, View);
            return true;
        }
        if (Event->type() != QEvent::ToolTip || Index.column() != 0 || !fGrid->RowColor || !fGrid->ColorHint)
            return QStyledItemDelegate::helpEvent(Event, View, Option, Index);
        const QString Hint = fGrid->ColorHint(fGrid->RowColor(Index.row()));
        if (Hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(Event->globalPos(), Hint, View);
        return true;
    }

private:
    TLangGrid *fGrid;
};

TLangGrid::TLangGrid(QWidget *Parent) : QTableWidget(0, 2, Parent)
{
    setItemDelegate(new TMarkerDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Typing on a row edits its value at once, as does F2 or a double click.
    setEditTriggers(QAbstractItemView::DoubleClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, 115);
    setWordWrap(false);
}

QColor TLangGrid::PaintedColor(quint32 Color)
{
    return QColor(int(Color & 0xFF), int((Color >> 8) & 0xFF), int((Color >> 16) & 0xFF));
}

void TLangGrid::AddRow(const QString &Label, const QString &Value)
{
    const int Row = rowCount();
    insertRow(Row);
    auto *Key = new QTableWidgetItem(Label);
    Key->setFlags(Qt::ItemIsEnabled);
    setItem(Row, 0, Key);
    setItem(Row, 1, new QTableWidgetItem(Value));
}

QString TLangGrid::Value(int Row) const
{
    const QTableWidgetItem *Cell = item(Row, 1);
    return Cell ? Cell->text() : QString();
}

void TLangGrid::SetValue(int Row, const QString &Text)
{
    if (QTableWidgetItem *Cell = item(Row, 1))
        Cell->setText(Text);
}

void TLangGrid::SetEditable(int Row, bool Editable)
{
    if (QTableWidgetItem *Cell = item(Row, 1))
        Cell->setFlags(Editable ? Cell->flags() | Qt::ItemIsEditable : Cell->flags() & ~Qt::ItemIsEditable);
}

QRect TLangGrid::MarkerRect(const QRect &Cell)
{
    return QRect(QPoint(Cell.right() - 9, Cell.top() + 4), QPoint(Cell.right() - 4, Cell.bottom() - 4));
}

QRect TLangGrid::ProblemRect(const QRect &Cell)
{
    return QRect(QPoint(Cell.right() - 3, Cell.top() + 1), QPoint(Cell.right() - 1, Cell.bottom() - 1));
}

void TLangGrid::mousePressEvent(QMouseEvent *Event)
{
    const QModelIndex Index = indexAt(Event->position().toPoint());
    if (Event->button() == Qt::LeftButton && Index.isValid() && Index.column() == 0) {
        emit KeyCellClicked(Index.row());
        return;
    }
    QTableWidget::mousePressEvent(Event);
}
