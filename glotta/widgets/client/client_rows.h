#pragma once
// The rows of the property client, one family of widgets per file: which
// widgets hold which texts, under which property-type ID, and how a text is
// read and written back. The client runs them in its fixed order; a row
// answers whether its widget class matched, so that a group in which only
// the first matching row runs can stop there.

#include <QString>
#include <QStringList>
#include <functional>

class QObject;
class QWidget;
class TGlottaCPC;

// One component in one pass.
struct TRowPass
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
bool Keeps(const TRowPass &P, const char *Property);
// The Qt property a text row of property-type ID reads on Component, as Qt
// Designer names it.
const char *RowProperty(const QObject *Component, quint16 ID);
// What Qt shows for a text without its markers: no "&" (a "&&" keeps one)
// and no "..."; an action's tooltip and icon text fall back to it.
QString QtStrippedText(const QString &Text);
// The names a "do not translate" mark lists (empty: none).
QStringList KeptProperties(const QObject *Object);

// The row class matches (QObject::inherits) and the component is none of the
// descendants that row skips (controls that show values or fill themselves).
bool MatchesRowClass(const QObject *Component, const char *RowClass);
bool IsExcludedRowDescendant(const QObject *Component, const char *RowClass);

// A text: collected, or its translation written back when it changed.
void TextRow(TRowPass &P, quint16 ID, const QString &Value, const std::function<void(const QString &)> &Write,
             const QString &Reference);
// A string list, line i under the item path i.
void LinesRow(TRowPass &P, quint16 ID, const QStringList &Lines,
              const std::function<void(const QStringList &)> &Write);

// Buttons and labels (buttons_labels.cpp).
bool LabelCaption(TRowPass &P);
bool ButtonCaption(TRowPass &P);
bool ValuedLabelValueName(TRowPass &P);
// The caption the component repeats from its action: a tool button's
// default action's text without its markers; empty for every other widget.
QString ActionCaptionReference(const QObject *Component);
QString ActionHintReference(const QObject *Component);
QString ActionHelpReference(const QObject *Component);
// The tooltip of a button or label when it only repeats the caption without
// its markers (it then follows the caption); empty otherwise.
QString RepeatedCaption(const QWidget *Component);

// Edits and memos (edits_memos.cpp).
bool EditText(TRowPass &P);
bool EditTextHint(TRowPass &P);
bool MemoLines(TRowPass &P);
// The bound label of an edit with a label: its caption and hint, recorded
// under the edit's name with the label's own tag rules (ApplyLabelTag), which
// from then on rule the rest of the component. False when the label's tag
// ends the component's processing.
bool LabeledEditLabel(TRowPass &P, const std::function<bool(int Tag)> &ApplyLabelTag);

// Combo boxes and lists (combos_lists.cpp).
bool ComboText(TRowPass &P);
bool ListBoxItems(TRowPass &P);
bool ComboItems(TRowPass &P);

// Containers, pages, tab bars and forms (containers.cpp).
bool GroupBoxCaption(TRowPass &P);
bool ToolBoxPageCaption(TRowPass &P);
bool TabPageCaption(TRowPass &P);
bool FormCaption(TRowPass &P);
bool TabBarTabs(TRowPass &P);
// The container that shows Page as one of its pages (a tab widget or a
// tool box) and the page's index there; nullptr when Page is no page.
QWidget *PageHost(const QWidget *Page, int &Index);

// Actions and menus (actions_menus.cpp).
bool MenuCaption(TRowPass &P);
bool ActionCaption(TRowPass &P);
bool ActionHint(TRowPass &P);

// Hints and help keywords of any widget (hints_help.cpp).
bool WidgetHint(TRowPass &P);
bool WidgetHelpKeyword(TRowPass &P);

// The texts beyond the published sets (qt_rows.cpp): accessible texts,
// status tips, icon texts, spin-box affixes, placeholders of text editors,
// progress formats, wizard subtitles, titles of toolbars, command-link
// descriptions, date formats.
void QtWidgetRows(TRowPass &P);

// Status bars and dialog components (bars_dialogs.cpp).
bool StatusBarText(TRowPass &P);
bool FileDialogTitle(TRowPass &P);
