#pragma once
// TLangGrid: the editor's two-column grid of labels and values. The label
// (key) cell of each row carries a small status marker in the row's colour,
// and its tooltip names the status; a click on a key cell asks to switch
// the row's status. A value that needs another look is marked with a red
// bar at its right edge, its tooltip saying why.

#include "glotta/widgets/glotta_widgets_export.h"
#include <QColor>
#include <QTableWidget>
#include <functional>

class GLOTTA_WIDGETS_EXPORT TLangGrid : public QTableWidget
{
    Q_OBJECT
public:
    explicit TLangGrid(QWidget *Parent = nullptr);

    // Colour of the marker of row Row (red in the low byte, as the editor
    // model answers it); the hint of a colour.
    std::function<quint32(int Row)> RowColor;
    std::function<QString(quint32 Color)> ColorHint;
    // Why the value of row Row needs another look (too long for its
    // control, failing a check), one reason a line; empty when nothing is
    // wrong. A value with a reason is marked and its tooltip gives it.
    std::function<QString(int Row)> ValueProblem;
    // The colour Qt paints for a colour value with red in its low byte.
    static QColor PaintedColor(quint32 Color);

    // Appends a row; the value is editable unless told otherwise.
    void AddRow(const QString &Label, const QString &Value);
    QString Value(int Row) const;
    void SetValue(int Row, const QString &Text);
    void SetEditable(int Row, bool Editable);
    // Where the marker of a key cell goes: from 9 to 4 pixels before the
    // cell's right edge, 4 pixels inside its top and bottom.
    static QRect MarkerRect(const QRect &Cell);
    // Where the mark of a value with a problem goes: a bar along the
    // cell's right edge.
    static QRect ProblemRect(const QRect &Cell);

signals:
    void KeyCellClicked(int Row);

protected:
    void mousePressEvent(QMouseEvent *Event) override;

private:
    class TMarkerDelegate;
};
