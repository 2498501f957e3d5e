// Item widgets: the nodes of a tree widget (first column), the column
// captions of tree and table widgets, and the cells of a table widget, a
// row's first cell being the item and the others its sub-items. Views on
// models are not translated: their texts belong to the model.
#include "glotta/widgets/client/collection_rows.h"

#include "glotta/store/property_ids.h"

#include <QTableWidget>
#include <QTreeWidget>

namespace {
// A node and then its children, depth first.
void TreeNode(TItemPass &P, QTreeWidgetItem *Node, const QString &Path)
{
    ItemText(P, StructuredPropertyID(pnTreeItems), Path, Node, Node->text(0),
             [Node](const QString &T) { Node->setText(0, T); });
    for (int j = 0; j < Node->childCount(); ++j)
        TreeNode(P, Node->child(j), AddIndexToAddr(Path, j));
}

QString CaptionPath(int Index)
{
    return AddSubPropertyToAddr(QString::number(Index), pnCaption);
}
} // namespace

bool TreeNodes(TItemPass &P)
{
    auto *Tree = qobject_cast<QTreeWidget *>(P.Component);
    if (!Tree)
        return false;
    for (int k = 0; k < Tree->topLevelItemCount(); ++k)
        TreeNode(P, Tree->topLevelItem(k), QString::number(k));
    return true;
}

bool ListColumns(TItemPass &P)
{
    const quint16 ID = StructuredPropertyID(pnListColumns);
    // Qt numbers the columns of a header without captions ("1", "2"): no
    // letter, no line.
    if (auto *Tree = qobject_cast<QTreeWidget *>(P.Component)) {
        QTreeWidgetItem *Header = Tree->headerItem();
        for (int i = 0; Header && i < Tree->columnCount(); ++i)
            ItemText(P, ID, CaptionPath(i), nullptr, Header->text(i),
                     [Header, i](const QString &T) { Header->setText(i, T); });
        return true;
    }
    auto *Table = qobject_cast<QTableWidget *>(P.Component);
    if (!Table)
        return false;
    for (int i = 0; i < Table->columnCount(); ++i)
        if (QTableWidgetItem *Column = Table->horizontalHeaderItem(i))
            ItemText(P, ID, CaptionPath(i), Column, Column->text(),
                     [Column](const QString &T) { Column->setText(T); });
    return true;
}

bool TableItems(TItemPass &P)
{
    auto *Table = qobject_cast<QTableWidget *>(P.Component);
    if (!Table)
        return false;
    const quint16 ID = StructuredPropertyID(pnListItems);
    const auto Cell = [&P, ID](QTableWidgetItem *Item, const QString &Path) {
        if (Item)
            ItemText(P, ID, Path, Item, Item->text(), [Item](const QString &T) { Item->setText(T); });
    };
    for (int i = 0; i < Table->rowCount(); ++i) {
        Cell(Table->item(i, 0), CaptionPath(i));
        for (int j = 0; j + 1 < Table->columnCount(); ++j)
            Cell(Table->item(i, j + 1), AddIndexToAddr(QString::number(i), j));
    }
    return true;
}
