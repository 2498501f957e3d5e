// The panels of the toolkit's status bar and the sections of a standalone
// header. A plain QStatusBar has no panels: widgets added to it are
// components of their own.
#include "glotta/widgets/client/collection_rows.h"

#include "toolkit/widgets/status_bar.h"
#include "glotta/store/property_ids.h"

#include <QAbstractItemModel>
#include <QHeaderView>

bool StatusPanels(TItemPass &P)
{
    auto *Bar = qobject_cast<TStatusBar *>(P.Component);
    if (!Bar)
        return false;
    for (int i = 0; i < Bar->PanelCount(); ++i)
        ItemText(P, StructuredPropertyID(pnPanels), AddSubPropertyToAddr(QString::number(i), pnText), nullptr,
                 Bar->PanelText(i), [Bar, i](const QString &T) { Bar->SetPanelText(i, T); });
    return true;
}

bool HeaderSections(TItemPass &P)
{
    // A view's own header belongs to the view and is never walked; a named
    // header standing alone shows the header data of its model, which must
    // store them (a QStandardItemModel does).
    auto *Header = qobject_cast<QHeaderView *>(P.Component);
    if (!Header)
        return false;
    QAbstractItemModel *Model = Header->model();
    if (!Model)
        return true;
    const Qt::Orientation O = Header->orientation();
    const int Count = O == Qt::Horizontal ? Model->columnCount() : Model->rowCount();
    for (int i = 0; i < Count; ++i)
        ItemText(P, StructuredPropertyID(pnHeaderSections), AddSubPropertyToAddr(QString::number(i), pnText),
                 nullptr, Model->headerData(i, O).toString(),
                 [Model, i, O](const QString &T) { Model->setHeaderData(i, O, T); });
    return true;
}
