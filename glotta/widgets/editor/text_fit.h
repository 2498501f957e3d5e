#pragma once
// Whether texts fit the controls that show them: a text is measured with the
// control's own font against the room the control has (its geometry when
// nothing resizes it, its maximum when a layout manages it, an item view's
// column), so that a translation too long for a fixed window is known
// before a user meets it cut off.

#include "glotta/widgets/glotta_widgets_export.h"

#include <QList>
#include <QString>

class QWidget;
class TGlottaCore;

// One text that does not fit: the control (its object name), what part of
// it shows the text ("" for its caption, "Items[i]", "Columns[i]"), the
// text, the pixels it needs and the pixels it has. A word-wrapped label is
// measured in height, every other text in width.
struct TFitProblem
{
    QString Component;
    QString Part;
    QString Text;
    int Needed = 0;
    int Room = 0;
    int Lacking() const { return Needed - Room; }
    bool operator==(const TFitProblem &) const = default;
};

// How many pixels Text lacks as the caption of Control (a label, a button,
// a check box, a group box's title); 0 when it fits, when the control shows
// no caption, and when a layout may widen the control without bound.
GLOTTA_WIDGETS_EXPORT int CaptionLack(const QWidget *Control, const QString &Text);

// Every text that a visible control of Form shows now and that does not
// fit: captions, combo box entries, item views' entries and column titles.
GLOTTA_WIDGETS_EXPORT QList<TFitProblem> FormFitProblems(const QWidget *Form);

// The same for the language Language: the engine shows it for the time of
// the measurement and then the language it showed before. An unknown
// language measures nothing.
GLOTTA_WIDGETS_EXPORT QList<TFitProblem> FormFitProblems(QWidget *Form, TGlottaCore *Engine,
                                                         const QString &Language);
