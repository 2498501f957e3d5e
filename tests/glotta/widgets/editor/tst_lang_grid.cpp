// The editor's grid paints each row's status marker in the row's colour: a
// colour value holds red in its low byte, the way the editor model answers it.

#include "glotta/widgets/editor/lang_grid.h"

#include <QImage>
#include <QTest>

class TestLangGrid : public QObject
{
    Q_OBJECT

private slots:
    void markerColour_data()
    {
        QTest::addColumn<quint32>("Value");
        QTest::addColumn<QColor>("Painted");
        QTest::newRow("yellow") << quint32(0x03F1F8) << QColor(0xF8, 0xF1, 0x03);
        QTest::newRow("blue") << quint32(0xFF6600) << QColor(0x00, 0x66, 0xFF);
        QTest::newRow("red") << quint32(0x1111EE) << QColor(0xEE, 0x11, 0x11);
    }
    void markerColour()
    {
        QFETCH(quint32, Value);
        QFETCH(QColor, Painted);
        TLangGrid Grid;
        Grid.resize(300, 120);
        Grid.RowColor = [Value](int) { return Value; };
        Grid.AddRow(QStringLiteral("Label1.Caption"), QStringLiteral("Hello"));
        Grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Grid));
        const QRect Cell = Grid.visualRect(Grid.model()->index(0, 0));
        const QPoint Centre = TLangGrid::MarkerRect(Cell).center() + Grid.viewport()->pos();
        const QImage Shot = Grid.grab().toImage();
        QCOMPARE(Shot.pixelColor(Centre), Painted);
    }
};

QTEST_MAIN(TestLangGrid)
#include "tst_lang_grid.moc"
