#pragma once
// The texts inside a component's collections (panels, tree nodes, table
// cells, header sections, filters, message-box buttons, action-bar items):
// each has its own line under an item path, and the client remembers which
// item each line came from.
//
// Item paths are positions, so an item the program removes or inserts
// shifts every later one. The client therefore keeps, per item, the path it
// was collected under, its own designed text and the text it showed when
// the client last wrote it:
// - an item known by its address (a tree node, a table cell, an action, a
//   button) keeps its path wherever it moves;
// - an item whose text the program changed since is left alone (that text
//   is no longer the one translated);
// - an item the client has never met (added after start-up) takes the line
//   of its position only when it shows that line's designed text; at a
//   position without a designed line the language data alone decide, as
//   for any text never collected;
// - items that share one line (action-bar items whose captions give the
//   same name) get each their own designed text back when the line shows
//   its designed text.

#include "glotta/widgets/glotta_widgets_export.h"
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class TGlottaCPC;

// What the client remembers of one collection item.
struct GLOTTA_WIDGETS_EXPORT TItemRecord
{
    QString Path;     // the item path its line carries
    QString Designed; // its own designed text
    QString Shown;    // what it showed after the client's last pass
};

// The records of every component of one client, pruned to the items met in
// each component's latest pass, and dropped with the component.
class GLOTTA_WIDGETS_EXPORT TItemMemory : public QObject
{
public:
    using TRecords = QHash<QString, TItemRecord>;
    const TItemRecord *Find(const QObject *Component, const QString &Key) const;
    // The records of Component's latest pass replace those of the one before.
    void Replace(QObject *Component, TRecords Records);

private:
    QHash<const QObject *, TRecords> fRecords;
    // Components whose destruction drops their records: watched once.
    QSet<const QObject *> fWatched;
};

// One component's collection texts in one pass.
struct GLOTTA_WIDGETS_EXPORT TItemPass
{
    TGlottaCPC &Client;
    QObject *Component;
    bool Collect;
    TItemMemory &Memory;
    // The records of this pass, handed to Memory at its end.
    TItemMemory::TRecords Next;
    // As in TRowPass: the rows beyond the published sets, and the Qt
    // properties kept untranslated.
    quint32 QtRows = 0;
    QStringList Keep;
};

// One collection text in either pass. Item is the item's address, or
// nullptr for an item known only by its position (a panel, a header
// section, a column of a header item); Part tells apart the texts of one
// item (a button's caption and its hint). Write shows a text in the item;
// Shows, when given, tells what the item makes of a text (a file dialog
// keeps a filter on one line), so that the client knows what it shows.
void ItemText(TItemPass &P, quint16 ID, const QString &Path, const void *Item, const QString &Value,
              const std::function<void(const QString &)> &Write, int Part = 0,
              const std::function<QString(const QString &)> &Shows = {});

// A plain text of the component itself (a dialog's or tray icon's), under
// the member's own ID and an empty item path, when Member is in the
// effective set. Never compared with a reference; a text equal to the
// component's name is no designed text.
GLOTTA_WIDGETS_EXPORT void ComponentText(TItemPass &P, quint8 Member, const QString &Value,
                   const std::function<void(const QString &)> &Write);
