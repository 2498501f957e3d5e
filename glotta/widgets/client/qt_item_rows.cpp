// The texts of item widgets beyond the published sets: a tree item's
// columns after the first, the tooltips of tree, list and table items and
// of header sections, the what's-this texts and status tips of items, and
// the row (vertical) headers of a table widget. Each item keeps its own
// address as its key, as the first column's rows do, so that items the
// program adds or moves are never given another item's text.
#include "glotta/widgets/client/collection_rows.h"
#include "glotta/widgets/client/qt_rows.h"

#include "glotta/store/property_ids.h"

#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace {
bool On(const TItemPass &P, TQtRow Row)
{
    return (P.QtRows & (1u << Row)) != 0;
}

// Parts of one item's texts: a column's text, tooltip, what's-this text and
// status tip each have their own record.
enum TPart { ptText, ptHint, ptHelp, ptStatus };
int PartOf(TPart Part, int Column)
{
    return Column * 4 + Part;
}

// The hints and help texts of one item in one column: tooltips under
// qrItemHints (path Path.Column), what's-this texts and status tips under
// qrItemHelp (paths Path.Column,w and Path.Column,s).
template<typename TItem, typename TRead, typename TWrite>
void ItemHelps(TItemPass &P, TItem *Item, const QString &Path, int Column, TRead Read, TWrite Write)
{
    const QString Base = AddSubPropertyToAddr(Path, Column);
    // Most items have none of these: an empty text has no line and needs no
    // record.
    const auto One = [&](TQtRow Row, const QString &ItemPath, int Role, TPart Part) {
        const QString Value = Read(Item, Column, Role);
        if (!Value.isEmpty())
            ItemText(P, QtRowID(Row), ItemPath, Item, Value,
                     [=](const QString &T) { Write(Item, Column, Role, T); }, PartOf(Part, Column));
    };
    if (On(P, qrItemHints))
        One(qrItemHints, Base, Qt::ToolTipRole, ptHint);
    if (On(P, qrItemHelp)) {
        One(qrItemHelp, AddTokenToAddr(Base, QStringLiteral("w")), Qt::WhatsThisRole, ptHelp);
        One(qrItemHelp, AddTokenToAddr(Base, QStringLiteral("s")), Qt::StatusTipRole, ptStatus);
    }
}

const auto TreeRead = [](QTreeWidgetItem *I, int C, int Role) { return I->data(C, Role).toString(); };
const auto TreeWrite = [](QTreeWidgetItem *I, int C, int Role, const QString &T) { I->setData(C, Role, T); };
const auto TableRead = [](QTableWidgetItem *I, int, int Role) { return I->data(Role).toString(); };
const auto TableWrite = [](QTableWidgetItem *I, int, int Role, const QString &T) { I->setData(Role, T); };
const auto ListRead = [](QListWidgetItem *I, int, int Role) { return I->data(Role).toString(); };
const auto ListWrite = [](QListWidgetItem *I, int, int Role, const QString &T) { I->setData(Role, T); };

void TreeNode(TItemPass &P, QTreeWidgetItem *Node, const QString &Path, int Columns)
{
    for (int c = 0; c < Columns; ++c) {
        if (c > 0 && On(P, qrItemColumns))
            ItemText(P, QtRowID(qrItemColumns), AddSubPropertyToAddr(Path, c), Node, Node->text(c),
                     [Node, c](const QString &T) { Node->setText(c, T); }, PartOf(ptText, c));
        ItemHelps(P, Node, Path, c, TreeRead, TreeWrite);
    }
    for (int j = 0; j < Node->childCount(); ++j)
        TreeNode(P, Node->child(j), AddIndexToAddr(Path, j), Columns);
}

void Tree(TItemPass &P, QTreeWidget *Tree)
{
    const int Columns = Tree->columnCount();
    for (int k = 0; k < Tree->topLevelItemCount(); ++k)
        TreeNode(P, Tree->topLevelItem(k), QString::number(k), Columns);
    if (QTreeWidgetItem *Header = Tree->headerItem())
        for (int c = 0; c < Columns; ++c)
            ItemHelps(P, Header, QStringLiteral("H"), c, TreeRead, TreeWrite);
}

void Table(TItemPass &P, QTableWidget *Table)
{
    for (int i = 0; i < Table->rowCount(); ++i)
        for (int j = 0; j < Table->columnCount(); ++j)
            if (QTableWidgetItem *Cell = Table->item(i, j))
                ItemHelps(P, Cell, AddIndexToAddr(QString::number(i), j), 0, TableRead, TableWrite);
    for (int j = 0; j < Table->columnCount(); ++j)
        if (QTableWidgetItem *Column = Table->horizontalHeaderItem(j))
            ItemHelps(P, Column, AddIndexToAddr(QStringLiteral("H"), j), 0, TableRead, TableWrite);
    for (int i = 0; i < Table->rowCount(); ++i) {
        QTableWidgetItem *Row = Table->verticalHeaderItem(i);
        if (!Row)
            continue;
        if (On(P, qrRowHeaders))
            ItemText(P, QtRowID(qrRowHeaders), QString::number(i), Row, Row->text(),
                     [Row](const QString &T) { Row->setText(T); });
        ItemHelps(P, Row, AddIndexToAddr(QStringLiteral("V"), i), 0, TableRead, TableWrite);
    }
}

void List(TItemPass &P, QListWidget *List)
{
    for (int i = 0; i < List->count(); ++i)
        ItemHelps(P, List->item(i), QString::number(i), 0, ListRead, ListWrite);
}
} // namespace

void QtItemRows(TItemPass &P)
{
    if (!(P.QtRows & ((1u << qrItemColumns) | (1u << qrItemHints) | (1u << qrRowHeaders) | (1u << qrItemHelp))))
        return;
    if (auto *T = qobject_cast<QTreeWidget *>(P.Component))
        Tree(P, T);
    else if (auto *W = qobject_cast<QTableWidget *>(P.Component))
        Table(P, W);
    else if (auto *L = qobject_cast<QListWidget *>(P.Component))
        List(P, L);
}
