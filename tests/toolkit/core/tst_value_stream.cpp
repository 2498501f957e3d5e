#include "toolkit/core/exception.h"
#include "toolkit/core/value_stream.h"

#include <QTest>

class TestValueStream : public QObject
{
    Q_OBJECT
private slots:
    void roundTripsNestedLists()
    {
        TValueWriter W;
        W.WriteListBegin();
        W.WriteString("1;cs");
        W.WriteInteger(42);
        W.WriteListBegin();
        W.WriteString("inner");
        W.WriteListEnd();
        W.WriteListEnd();

        TValueReader R(W.Result());
        QCOMPARE(R.NextValue(), TValueReader::vaList);
        R.ReadListBegin();
        QVERIFY(!R.EndOfList());
        QCOMPARE(R.ReadString(), QString("1;cs"));
        QCOMPARE(R.ReadInteger(), 42);
        R.ReadListBegin();
        QCOMPARE(R.ReadString(), QString("inner"));
        QVERIFY(R.EndOfList());
        R.ReadListEnd();
        QVERIFY(R.EndOfList());
        R.ReadListEnd();
        QCOMPARE(R.NextValue(), TValueReader::vaNull);
    }

    void wrongKindsAreReadErrors()
    {
        TValueReader R(QJsonArray{QString("text"), 1.5});
        QVERIFY_THROWS_EXCEPTION(EReadError, R.ReadString()); // a list, not a text
        R.ReadListBegin();
        QVERIFY_THROWS_EXCEPTION(EReadError, R.ReadInteger());
        QCOMPARE(R.ReadString(), QString("text"));
        QVERIFY_THROWS_EXCEPTION(EReadError, R.ReadListEnd()); // not at the end
        QVERIFY_THROWS_EXCEPTION(EReadError, R.ReadInteger()); // 1.5 is no integer
    }
};

QTEST_GUILESS_MAIN(TestValueStream)
#include "tst_value_stream.moc"
