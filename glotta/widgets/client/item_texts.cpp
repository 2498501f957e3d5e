#include "glotta/widgets/client/item_texts.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/property_ids.h"
#include "glotta/store/text_helpers.h"

namespace {
// An item known by its address is found again wherever it moved; one known
// by its position only by that position.
QString RecordKey(quint16 ID, const QString &Path, const void *Item, int Part)
{
    if (Item)
        return QString::number(ID) + QLatin1Char('@') + QString::number(quintptr(Item), 16) + QLatin1Char('.')
               + QString::number(Part);
    return QString::number(ID) + QLatin1Char('[') + Path;
}

// The designed text of a line of the client's design structure, decoded;
// false when the structure has no such line.
bool DesignedLine(TItemPass &P, quint16 ID, const QString &Path, QString &Text)
{
    TComponentStructure &Design = P.Client.DesignStruct();
    const QString Name = P.Component->objectName(), Owner = P.Client.GetOwnerName(P.Component);
    if (Design.Find(Name, Owner, ID, Path) < 0)
        return false;
    Text = Design.GetString(Name, Owner, ID, Path);
    DecodeCharCodes(Text);
    return true;
}
} // namespace

const TItemRecord *TItemMemory::Find(const QObject *Component, const QString &Key) const
{
    const auto C = fRecords.constFind(Component);
    if (C == fRecords.constEnd())
        return nullptr;
    const auto R = C->constFind(Key);
    return R == C->constEnd() ? nullptr : &*R;
}

void TItemMemory::Replace(QObject *Component, TRecords Records)
{
    if (Records.isEmpty()) {
        fRecords.remove(Component);
        return;
    }
    if (!fWatched.contains(Component)) {
        fWatched.insert(Component);
        connect(Component, &QObject::destroyed, this, [this](QObject *Gone) {
            fRecords.remove(Gone);
            fWatched.remove(Gone);
        });
    }
    fRecords.insert(Component, std::move(Records));
}

void ItemText(TItemPass &P, quint16 ID, const QString &Path, const void *Item, const QString &Value,
              const std::function<void(const QString &)> &Write, int Part,
              const std::function<QString(const QString &)> &Shows)
{
    // Items the program marked to stay as they are: no line, never written.
    if (P.Keep.contains(QStringLiteral("*")) || P.Keep.contains(QStringLiteral("items")))
        return;
    const QString Key = RecordKey(ID, Path, Item, Part);
    if (P.Collect) {
        P.Client.ProcessItemText(P.Component, ID, Path, true, Value);
        P.Next.insert(Key, TItemRecord{Path, Value, Value});
        return;
    }
    TItemRecord R;
    QString Designed;
    const TItemRecord *Old = P.Memory.Find(P.Component, Key);
    if (Old && Old->Shown == Value) {
        R = *Old;
    } else if (DesignedLine(P, ID, Path, Designed)) {
        // An item the client does not know (new, or one whose text the
        // program has changed since) takes the line of its position only
        // when it shows that line's designed text (a list refilled with the
        // same texts); otherwise the line belongs to an item removed, moved
        // or rewritten by the program.
        if (Value != Designed)
            return;
        R = TItemRecord{Path, Value, Value};
    } else {
        R = TItemRecord{Path, QString(), Value};
    }
    QString Text = P.Client.ProcessItemText(P.Component, ID, R.Path, false, Value);
    // Items sharing one line: the line's designed text is the last item's,
    // so each item takes its own instead.
    if (!R.Designed.isEmpty() && DesignedLine(P, ID, R.Path, Designed) && Text == Designed)
        Text = R.Designed;
    if (Shows)
        Text = Shows(Text);
    if (Text != Value)
        Write(Text);
    R.Shown = Text;
    P.Next.insert(Key, R);
}

void ComponentText(TItemPass &P, quint8 Member, const QString &Value,
                   const std::function<void(const QString &)> &Write)
{
    if (!P.Client.TranslatesStringProperty(Member) || P.Keep.contains(QStringLiteral("*")))
        return;
    const QString Text =
        P.Client.ProcessStringProperty(P.Component, StringPropertyID(Member), Value, P.Collect, QString());
    if (!P.Collect && Text != Value)
        Write(Text);
}
