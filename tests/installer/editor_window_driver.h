#pragma once
// Drives the editor window as a user does, for the tests that open it from
// the installer window: picking entries, typing values, photographing it.

#include "glotta/widgets/editor/lang_grid.h"
#include "glotta/widgets/editor/language_manager.h"
#include "glotta/widgets/lang_combo.h"
#include "installer/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

inline TLanguageManager *OpenEditor()
{
    for (QWidget *W : QApplication::topLevelWidgets())
        if (auto *M = qobject_cast<TLanguageManager *>(W); M && M->isVisible())
            return M;
    return nullptr;
}

// Picks Text in Combo as a user does (the pick raises "activated").
inline void Pick(QComboBox *Combo, const QString &Text)
{
    const int i = Combo->findText(Text);
    if (i < 0)
        qFatal("no entry %s", qPrintable(Text));
    Combo->setCurrentIndex(i);
    emit Combo->activated(i);
}

inline int GridRow(TLanguageManager *W, const QString &Label)
{
    TLangGrid *Grid = W->LangListEditor;
    int Row = 0;
    while (Row < Grid->rowCount() && Grid->item(Row, 0)->text() != Label)
        ++Row;
    if (Row == Grid->rowCount())
        qFatal("no row %s", qPrintable(Label));
    return Row;
}

// The value editor open on the grid row labelled Label.
inline QLineEdit *OpenValue(TLanguageManager *W, const QString &Label)
{
    TLangGrid *Grid = W->LangListEditor;
    const int Row = GridRow(W, Label);
    Grid->setCurrentCell(Row, 1);
    // Making the cell current opens its editor; otherwise open it.
    // Editors of earlier pages may wait for their deletion: the newest is the open one.
    const auto OpenEditor = [Grid] {
        QLineEdit *Newest = nullptr;
        for (QLineEdit *E : Grid->viewport()->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
            if (E->isVisible())
                Newest = E;
        return Newest;
    };
    QLineEdit *Edit = OpenEditor();
    if (!Edit) {
        Grid->editItem(Grid->item(Row, 1));
        Edit = OpenEditor();
    }
    if (!Edit)
        qFatal("no value editor");
    return Edit;
}

// Types Text over the value of the grid row labelled Label and commits it.
inline void TypeValue(TLanguageManager *W, const QString &Label, const QString &Text)
{
    QLineEdit *Edit = OpenValue(W, Label);
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
    // Enter commits the editor through a queued call.
    QTest::keyClick(Edit, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// With GLOTTA_EDITOR_SCREENSHOTS set to a folder (scripts/editor_screenshots.sh
// sets it), the window is photographed in the states the user meets.
inline void Photograph(QWidget *Window, const QString &State)
{
    const QString Dir = qEnvironmentVariable("GLOTTA_EDITOR_SCREENSHOTS");
    if (Dir.isEmpty())
        return;
    QCoreApplication::processEvents();
    const QString Scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    Window->grab().save(Dir + QStringLiteral("/editor-%1-%2x.png").arg(State, Scale));
}

// Runs User inside the editor window that Entry of the installer's
// language combo opens (the engine's editing entry when Entry is
// empty); answers whether a window was there.
inline bool WithEditor(TForm1 *Form, const QString &Entry, std::function<void(TLanguageManager *)> User)
{
    bool Seen = false;
    QTimer::singleShot(0, [&] {
        if (TLanguageManager *W = OpenEditor()) {
            Seen = true;
            User(W);
        }
        // Whatever happened, the modal loop must end.
        if (TLanguageManager *W = OpenEditor()) {
            W->LangModify = false;
            W->close();
        }
    });
    if (Entry.isEmpty())
        Form->GlottaEngine1->ShowLangEditor();
    else
        Pick(Form->findChild<TLangCombo *>("LangCombo1"), Entry);
    return Seen;
}
