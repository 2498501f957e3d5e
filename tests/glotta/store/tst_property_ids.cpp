#include "property_ids.h"

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

    void itemPaths()
    {
        QCOMPARE(AddrToken(QStringLiteral("Font.Name,a;b\"c")), QStringLiteral("Font:Name a b c"));
        QCOMPARE(AddIndexToAddr("Title:Text", 0), QStringLiteral("Title:Text,0"));
        QCOMPARE(AddIndexToAddr("3", 2), QStringLiteral("3,2"));
        QCOMPARE(AddTokenToAddr("1", "Font:Name"), QStringLiteral("1,Font:Name"));
        QCOMPARE(AddSubPropertyToAddr("3", 500), QStringLiteral("3.500"));
    }
};

QTEST_APPLESS_MAIN(TestPropertyIds)
#include "tst_property_ids.moc"
