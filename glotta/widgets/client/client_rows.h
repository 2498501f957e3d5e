#pragma once
// The rows of the property client, one family of widgets per file: which
// widgets hold which texts, under which property-type ID, and how a text is
// read and written back. The client runs them in its fixed order; a row
// answers whether its widget class matched, so that a group in which only
// the first matching row runs can stop there.

#include "glotta/widgets/glotta_widgets_export.h"
#include <QString>
#include <QStringList>
#include <functional>

class QObject;
class QWidget;
class TGlottaCPC;

// One component in one pass.
struct GLOTTA_WIDGETS_EXPORT TRowPass
{
    TGlottaCPC &Client;
    QObject *Component;
    bool Collect;
    // The text of the component's action that the component only repeats;
    // empty when it has none.
    QString R;
    // The row's member is in the effective set: a matching row that is not
    // enabled stops its group without touching the text.
    bool Enabled = true;
    // The rows beyond the published sets in force for the component (bit n:
    // TQtRow n).
    quint32 QtRows = 0;
    // The Qt properties whose texts the component keeps untranslated ("*":
    // all of them).
    QStringList Keep;
};

// The component keeps the text of its Qt property Property as it is.
GLOTTA_WIDGETS_EXPORT bool Keeps(const TRowPass &P, const char *Property);
// The Qt property a text row of property-type ID reads on Component, as Qt
// Designer names it.
GLOTTA_WIDGETS_EXPORT const char *RowProperty(const QObject *Component, quint16 ID);
// What Qt shows for a text without its markers: no "&" (a "&&" keeps one)
// and no "..."; an action's tooltip and icon text fall back to it.
GLOTTA_WIDGETS_EXPORT QString QtStrippedText(const QString &Text);
// The names a "do not translate" mark lists (empty: none).
GLOTTA_WIDGETS_EXPORT QStringList KeptProperties(const QObject *Object);

// The row class matches (QObject::inherits) and the component is none of the
// descendants that row skips (controls that show values or fill themselves).
GLOTTA_WIDGETS_EXPORT bool MatchesRowClass(const QObject *Component, const char *RowClass);
GLOTTA_WIDGETS_EXPORT bool IsExcludedRowDescendant(const QObject *Component, const char *RowClass);

// A text: collected, or its translation written back when it changed.
GLOTTA_WIDGETS_EXPORT void TextRow(TRowPass &P, quint16 ID, const QString &Value, const std::function<void(const QString &)> &Write,
             const QString &Reference);
// A string list, line i under the item path i.
GLOTTA_WIDGETS_EXPORT void LinesRow(TRowPass &P, quint16 ID, const QStringList &Lines,
              const std::function<void(const QStringList &)> &Write);

// Buttons and labels (buttons_labels.cpp).
GLOTTA_WIDGETS_EXPORT bool LabelCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ButtonCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ValuedLabelValueName(TRowPass &P);
// The caption the component repeats from its action: a tool button's
// default action's text without its markers; empty for every other widget.
GLOTTA_WIDGETS_EXPORT QString ActionCaptionReference(const QObject *Component);
GLOTTA_WIDGETS_EXPORT QString ActionHintReference(const QObject *Component);
GLOTTA_WIDGETS_EXPORT QString ActionHelpReference(const QObject *Component);
// The tooltip of a button or label when it only repeats the caption without
// its markers (it then follows the caption); empty otherwise.
GLOTTA_WIDGETS_EXPORT QString RepeatedCaption(const QWidget *Component);

// Edits and memos (edits_memos.cpp).
GLOTTA_WIDGETS_EXPORT bool EditText(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool EditTextHint(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool MemoLines(TRowPass &P);
// The bound label of an edit with a label: its caption and hint, recorded
// under the edit's name with the label's own tag rules (ApplyLabelTag), which
// from then on rule the rest of the component. False when the label's tag
// ends the component's processing.
GLOTTA_WIDGETS_EXPORT bool LabeledEditLabel(TRowPass &P, const std::function<bool(int Tag)> &ApplyLabelTag);

// Combo boxes and lists (combos_lists.cpp).
GLOTTA_WIDGETS_EXPORT bool ComboText(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ListBoxItems(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ComboItems(TRowPass &P);

// Containers, pages, tab bars and forms (containers.cpp).
GLOTTA_WIDGETS_EXPORT bool GroupBoxCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ToolBoxPageCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool TabPageCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool FormCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool TabBarTabs(TRowPass &P);
// The container that shows Page as one of its pages (a tab widget or a
// tool box) and the page's index there; nullptr when Page is no page.
GLOTTA_WIDGETS_EXPORT QWidget *PageHost(const QWidget *Page, int &Index);

// Actions and menus (actions_menus.cpp).
GLOTTA_WIDGETS_EXPORT bool MenuCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ActionCaption(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool ActionHint(TRowPass &P);

// Hints and help keywords of any widget (hints_help.cpp).
GLOTTA_WIDGETS_EXPORT bool WidgetHint(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool WidgetHelpKeyword(TRowPass &P);

// The texts beyond the published sets (qt_rows.cpp): accessible texts,
// status tips, icon texts, spin-box affixes, placeholders of text editors,
// progress formats, wizard subtitles, titles of toolbars, command-link
// descriptions, date formats.
GLOTTA_WIDGETS_EXPORT void QtWidgetRows(TRowPass &P);

// Status bars and dialog components (bars_dialogs.cpp).
GLOTTA_WIDGETS_EXPORT bool StatusBarText(TRowPass &P);
GLOTTA_WIDGETS_EXPORT bool FileDialogTitle(TRowPass &P);
