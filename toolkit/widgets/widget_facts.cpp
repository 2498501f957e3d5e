// The widget facts of the owner rule, installed before main() runs. The
// widgets target tells the linker to keep this file (see its CMakeLists.txt):
// nothing refers to it, and without it parented Qt::Window widgets and MDI
// children would stop counting as forms.

#include "toolkit/core/component.h"

#include <QMdiSubWindow>
#include <QStackedWidget>

extern "C" {
// Referenced only by the linker option that keeps this file in every program.
extern const int glotta_widget_facts_anchor;
const int glotta_widget_facts_anchor = 1;
}

namespace {
class TQtWidgetFacts final : public TWidgetFacts
{
public:
    bool IsOwnWindow(const QObject *Obj) const override
    {
        const auto *W = qobject_cast<const QWidget *>(Obj);
        if (!W)
            return false;
        if (W->windowType() == Qt::Window)
            return true;
        const auto *Sub = qobject_cast<const QMdiSubWindow *>(W->parentWidget());
        return Sub && Sub->widget() == W;
    }

    QList<QObject *> CreationOrder(QObject *Parent) const override
    {
        const QList<QObject *> Children = Parent->children();
        auto *Stack = qobject_cast<QStackedWidget *>(Parent);
        if (!Stack)
            return Children;
        QList<QObject *> Ordered;
        for (int i = 0; i < Stack->count(); ++i)
            Ordered.append(Stack->widget(i));
        for (QObject *C : Children)
            if (!Ordered.contains(C))
                Ordered.append(C);
        return Ordered;
    }
};

const TQtWidgetFacts Facts;

const bool Installed = [] {
    SetWidgetFacts(&Facts);
    return true;
}();
} // namespace
