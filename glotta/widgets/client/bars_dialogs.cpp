// Status bars (the toolkit's bar by its simple text, a plain bar by its
// message) and the title of a file dialog component.

#include "glotta/widgets/client/client_rows.h"

#include "glotta/engine/glotta_component.h"
#include "toolkit/widgets/status_bar.h"
#include "glotta/store/property_ids.h"

#include <QFileDialog>
#include <QStatusBar>

bool StatusBarText(TRowPass &P)
{
    const quint16 ID = StringPropertyID(pnSimpleText);
    // The stored simple text, not currentMessage(), which also holds
    // passing status tips.
    if (auto *Bar = qobject_cast<TStatusBar *>(P.Component)) {
        if (P.Enabled)
            TextRow(P, ID, Bar->SimpleText(), [Bar](const QString &T) { Bar->SetSimpleText(T); }, P.R);
        return true;
    }
    auto *Plain = qobject_cast<QStatusBar *>(P.Component);
    if (!Plain)
        return false;
    if (P.Enabled)
        TextRow(P, ID, Plain->currentMessage(), [Plain](const QString &T) { Plain->showMessage(T); }, P.R);
    return true;
}

bool FileDialogTitle(TRowPass &P)
{
    auto *Dialog = qobject_cast<QFileDialog *>(P.Component);
    if (!Dialog)
        return false;
    if (P.Enabled)
        TextRow(P, StringPropertyID(pnTitle), Dialog->windowTitle(),
                [Dialog](const QString &T) { Dialog->setWindowTitle(T); }, QString());
    return true;
}
