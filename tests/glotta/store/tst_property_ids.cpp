#include "glotta/store/property_ids.h"

#include <QTest>

class TestPropertyIds : public QObject
{
    Q_OBJECT
private slots:
    void idRanges()
    {
        QCOMPARE(StringPropertyID(5), quint16(5));
        QCOMPARE(StringsPropertyID(1), quint16(33));
        QCOMPARE(StructuredPropertyID(5), quint16(69));
        QCOMPARE(OtherPropertyID(0), quint16(96));
        // Ordinals are taken modulo 128.
        QCOMPARE(StringPropertyID(130), quint16(2));
        QCOMPARE(OtherPropertyID(128 + 7), quint16(103));
    }

    void propertyTypeName_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("name");
        QTest::newRow("caption") << 0 << "Caption";
        QTest::newRow("edit label") << 3 << "EditLabel.Hint";
        QTest::newRow("past last string member") << 23 << "";
        QTest::newRow("items") << 33 << "Items";
        QTest::newRow("category") << 66 << "Category";
        QTest::newRow("state captions, no name") << 81 << "";
        QTest::newRow("filter") << 96 << "Filter";
        QTest::newRow("web options") << 109 << "WebOptions";
        QTest::newRow("last of table") << 127 << "";
        QTest::newRow("unassigned low") << 128 << "Unknown";
        QTest::newRow("499") << 499 << "Unknown";
        QTest::newRow("header") << 500 << "Header";
        QTest::newRow("519 empty") << 519 << "";
        QTest::newRow("521") << 521 << "Unknown";
        QTest::newRow("522") << 522 << "Unknown";
        QTest::newRow("999") << 999 << "Unknown";
        QTest::newRow("first addition") << 1000 << "Chart";
        QTest::newRow("second addition") << 1001 << "Grid";
        QTest::newRow("missing addition") << 1002 << "Unknown";
        QTest::newRow("negative") << -1 << "Unknown";
    }
    void propertyTypeName()
    {
        QFETCH(int, id);
        QFETCH(QString, name);
        QCOMPARE(PropertyTypeName(id, {"Chart", "Grid"}), name);
    }

    void itemPaths()
    {
        QCOMPARE(AddrToken(QStringLiteral("Font.Name,a;b\"c")), QStringLiteral("Font:Name a b c"));
        QCOMPARE(AddIndexToAddr("Title:Text", 0), QStringLiteral("Title:Text,0"));
        QCOMPARE(AddIndexToAddr("3", 2), QStringLiteral("3,2"));
        QCOMPARE(AddTokenToAddr("1", "Font:Name"), QStringLiteral("1,Font:Name"));
        QCOMPARE(AddSubPropertyToAddr("3", 500), QStringLiteral("3.500"));
        QCOMPARE(AddSubPropertyToAddr("2", pnText), QStringLiteral("2.5"));
        QCOMPARE(AddSubPropertyToAddr("2", TStringProperties(133)), QStringLiteral("2.5"));
    }
};

QTEST_APPLESS_MAIN(TestPropertyIds)
#include "tst_property_ids.moc"
