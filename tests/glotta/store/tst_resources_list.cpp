#include "toolkit/core/exception.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/unit_list.h"
#include "toolkit/core/value_stream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

namespace {
QJsonValue Json(const char *Text)
{
    return QJsonDocument::fromJson(Text).array();
}

QJsonValue Written(const TResourcesList &L)
{
    TValueWriter W;
    L.WriteList(W);
    return W.Result();
}

void Read(TResourcesList &L, const QJsonValue &V)
{
    TValueReader R(V);
    L.ReadList(R);
}
} // namespace

class TestResourcesList : public QObject
{
    Q_OBJECT
private slots:
    void flagWord_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("setBlind");
        QTest::addColumn<int>("unitNr");
        QTest::addColumn<int>("unitId");
        QTest::addColumn<bool>("blind");
        // Unit and blind bit survive; link count and linked flag do not.
        QTest::newRow("all parts") << 7 + 5 * 1024 + 1048576 + 2097152 << false << 7 + 1048576 << 7 << true;
        QTest::newRow("set blind") << 3 << true << 3 + 1048576 << 3 << true;
        QTest::newRow("plain") << 1023 << false << 1023 << 1023 << false;
        QTest::newRow("high bits dropped") << int(0xFFC00000u) + 2 << false << 2 << 2 << false;
        QTest::newRow("negative") << -1 << false << 1023 + 1048576 << 1023 << true;
    }
    void flagWord()
    {
        QFETCH(int, flags);
        QFETCH(bool, setBlind);
        QFETCH(int, unitNr);
        QFETCH(int, unitId);
        QFETCH(bool, blind);
        TResourceInfo I("d", "n", flags, setBlind);
        QCOMPARE(I.GetFlags(), unitNr);
        QCOMPARE(I.UnitId(), unitId);
        QCOMPARE(I.Blind(), blind);
        QCOMPARE(I.Repetity(), 0);
        QVERIFY(!I.Linked());
    }

    void links()
    {
        TResourceInfo I("d", "n", 0, true);
        I.LinkFound(3);
        QCOMPARE(I.UnitId(), 3);
        QVERIFY(I.Linked());
        QVERIFY(!I.Blind());
        I.LinkFound(9);
        QCOMPARE(I.Repetity(), 1);
        QCOMPARE(I.UnitId(), 3);
        QVERIFY(!I.LinkRemove());
        QCOMPARE(I.Repetity(), 0);
        QVERIFY(I.LinkRemove());
        I.SetUnitId(1030);
        QCOMPARE(I.UnitId(), 6);
        QVERIFY(I.Linked());
        // The link count stops at its largest value instead of carrying into the blind bit.
        for (int i = 0; i < 1100; ++i)
            I.LinkFound(1);
        QCOMPARE(I.Repetity(), 1023);
        QVERIFY(!I.Blind());
        QVERIFY(I.Linked());
    }

    void registration()
    {
        TResourcesList L;
        QCOMPARE(L.RegisterCustom("", "d", "n", 1), -1);
        QCOMPARE(L.RegisterCustom("k", "", "n", 1), -1);
        QCOMPARE(L.Count(), 0);
        QCOMPARE(L.RegisterCustom("b", "B1", "nb", 2), 0);
        QVERIFY(!L.UnsortedItemsExists());
        QCOMPARE(L.RegisterCustom("a", "A1", "na", 1024), 0); // unit 0 after masking
        QVERIFY(L.UnsortedItemsExists());
        QVERIFY(L.GetResourceInfo(0)->Blind());
        // Registering a key again replaces its record.
        QCOMPARE(L.AddResource("b", "B2", "nb2", 5 + 1048576), 1);
        QCOMPARE(L.Count(), 2);
        QCOMPARE(L.GetDesignString(1), QStringLiteral("B2"));
        QCOMPARE(L.GetResourceInfo(1)->Name, QStringLiteral("nb2"));
        QVERIFY(L.GetResourceInfo(1)->Blind());
        // RegisterKnown links and starts a new record each time.
        QCOMPARE(L.RegisterKnown("b", "B3", "nb3", 4), 1);
        QVERIFY(L.GetResourceInfo(1)->Linked());
        QCOMPARE(L.GetResourceInfo(1)->UnitId(), 4);
        L.GetResourceInfo(1)->LinkFound(4);
        QCOMPARE(L.GetResourceInfo(1)->Repetity(), 1);
        QCOMPARE(L.RegisterKnown("b", "B3", "nb3", 4), 1);
        QCOMPARE(L.GetResourceInfo(1)->Repetity(), 0);
        QCOMPARE(L.RegisterKnown("c", "", "x", 4), -1);

        QCOMPARE(L.IndexByName("nb3"), 1);
        QCOMPARE(L.IndexByName("NB3"), -1);
        QString Key, Design;
        int Unit = 0;
        QCOMPARE(L.ReadResource(1, Key, Design, Unit), QStringLiteral("nb3"));
        QCOMPARE(Key, QStringLiteral("b"));
        QCOMPARE(Design, QStringLiteral("B3"));
        QCOMPARE(Unit, 4);
        QCOMPARE(L.ReadResource(2, Key, Design, Unit), QString());
        QCOMPARE(Key, QString());
        QCOMPARE(Unit, -1);
        L.SetDesignString(0, "A2");
        QCOMPARE(L.GetDesignString(0), QStringLiteral("A2"));
        QVERIFY_THROWS_EXCEPTION(EListError, L.GetResourceInfo(2));
        QVERIFY_THROWS_EXCEPTION(EListError, L.GetDesignString(-1));
        QVERIFY_THROWS_EXCEPTION(EListError, L.SetDesignString(5, "x"));
    }

    void differDesignForm()
    {
        TResourcesList L;
        L.AddResource("Line\r\nbreak", "Line'#13''#10'break", "n", 1);
        L.AddResource("same", "other", "m", 1);
        QVERIFY(!L.DifferDesignForm(QStringLiteral("Line\r\nbreak")));
        QVERIFY(!L.DifferDesignForm(0));
        QVERIFY(L.DifferDesignForm(QStringLiteral("same")));
        QVERIFY(!L.DifferDesignForm(QStringLiteral("absent")));
        QVERIFY(!L.DifferDesignForm(2));
        QVERIFY(!L.DifferDesignForm(-1));
    }

    void assignAndEqual()
    {
        TResourcesList A;
        A.LibraryLangCode = "cs";
        A.RegisterKnown("x", "X", "nx", 2);
        A.GetResourceInfo(0)->LinkFound(2);
        A.AddResource("y", "Y", "ny", 0);
        TResourcesList B;
        B.AddResource("old", "O", "no", 1);
        B.Assign(A);
        QCOMPARE(B.Count(), 2);
        QCOMPARE(B.LibraryLangCode, QStringLiteral("cs"));
        QVERIFY(B.UnsortedItemsExists());
        // Link count and linked flag are not copied, so the lists differ.
        QCOMPARE(B.GetResourceInfo(0)->GetFlags(), 2);
        QVERIFY(!B.Equal(A));
        TResourcesList C;
        C.Assign(B);
        QVERIFY(C.Equal(B));
        C.SetDesignString(1, "Z");
        QVERIFY(!C.Equal(B));
        B.Assign(B);
        QCOMPARE(B.Count(), 2);
        B.Clear();
        QCOMPARE(B.Count(), 0);
        QVERIFY(!B.UnsortedItemsExists());
        QCOMPARE(B.LibraryLangCode, QString());
    }

    void storedForm()
    {
        TResourcesList L;
        L.LibraryLangCode = "cs";
        QCOMPARE(Written(L), Json(R"(["1;cs"])"));
        TResourcesList Back;
        Read(Back, Written(L));
        QCOMPARE(Back.Count(), 0);
        QCOMPARE(Back.LibraryLangCode, QStringLiteral("cs"));

        L.RegisterKnown("Open", "Otev'#13'", "SOpen", 3);
        L.RegisterCustom("Close", "Zav", "", 0);
        QCOMPARE(Written(L), Json(R"(["1;cs", "", "Close", "Zav", 1048576, "SOpen", "Open", "Otev'#13'", 2097155])"));
        Read(Back, Written(L));
        QCOMPARE(Back.Count(), 2);
        QCOMPARE(Back.GetResourceInfo(1)->GetFlags(), 3); // linked flag not kept
        QCOMPARE(Back.GetResourceInfo(0)->GetFlags(), 1048576);
        QVERIFY(Back.UnsortedItemsExists());
    }

    void readListCases_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("langCode");
        QTest::newRow("no header keeps the list") << QByteArray("[]") << QStringList{"keep"} << "de";
        QTest::newRow("header without ;") << QByteArray(R"(["1"])") << QStringList{} << "";
        QTest::newRow("incomplete entry dropped")
            << QByteArray(R"(["1;en", "n", "k", "d", 1, "n2", "k2"])") << QStringList{"k"} << "en";
        QTest::newRow("empty key skipped") << QByteArray(R"(["1;en", "n", "", "d", 1])") << QStringList{} << "en";
        QTest::newRow("legacy") << QByteArray(R"(["ANSI;cs", "n", "P~232 es~65535~70000", "~x~", 1])")
                                << QStringList{QString("P") + QChar(232) + "es" + QChar(255) + "~70000"} << "cs";
    }
    void readListCases()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, keys);
        QFETCH(QString, langCode);
        TResourcesList L;
        L.LibraryLangCode = "de";
        L.AddResource("keep", "K", "", 1);
        Read(L, QJsonDocument::fromJson(json).array());
        QCOMPARE(L.ToStringList(), keys);
        QCOMPARE(L.LibraryLangCode, langCode);
    }

    void readListErrors_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message"); // empty: the stream's own error
        QTest::newRow("version 2") << QByteArray(R"(["2;cs"])") << "Glotta can not retrieve a list of resource strings!";
        QTest::newRow("empty header") << QByteArray(R"([""])") << "Glotta can not retrieve a list of resource strings!";
        QTest::newRow("header not text") << QByteArray("[1]") << "";
        QTest::newRow("flag word not integer") << QByteArray(R"(["1;cs", "n", "k", "d", "x"])") << "";
        QTest::newRow("nested list") << QByteArray(R"(["1;cs", ["n"]])") << "";
    }
    void readListErrors()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        TResourcesList L;
        try {
            Read(L, QJsonDocument::fromJson(json).array());
            QFAIL("no error");
        } catch (const EReadError &E) {
            if (!message.isEmpty())
                QCOMPARE(E.Message(), message);
        }
        TValueReader R(QJsonValue(QStringLiteral("not a list")));
        QVERIFY_THROWS_EXCEPTION(EReadError, L.ReadList(R));
    }

    void tildeCodes_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("code and space") << "~65 B" << "AB";
        QTest::newRow("modulo 256") << "~321x" << "Ax";
        QTest::newRow("only one space") << "~66  C" << "B C";
        QTest::newRow("too big") << "~65536 x" << "~65536 x";
        QTest::newRow("no digit") << "~ ~a~" << "~ ~a~";
        QTest::newRow("long digits") << "~00000000000000065" << "A";
        QTest::newRow("zero") << "~0" << QString(QChar(0));
    }
    void tildeCodes()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(DecodeTildeCodes(in), out);
    }

    void unitList()
    {
        TUnitList U;
        U.Add("Main");
        U.Add("Tools=x");
        U.Add("tools");
        QCOMPARE(U.GetNameEx(1), QStringLiteral("Tools"));
        QCOMPARE(U.GetNameEx(0), QStringLiteral("Main"));
        QCOMPARE(U.IndexOfName("Tools"), 1);
        QCOMPARE(U.IndexOfName("main"), 0);
        QCOMPARE(U.IndexOfName("x"), -1);
        QCOMPARE(U.OtherIndexOfName("TOOLS", 1), 2);
        QCOMPARE(U.OtherIndexOfName("Main", 0), -1);
        U.SetNameValueSeparator(':');
        QCOMPARE(U.IndexOfName("Tools=x"), 1);
    }
};

QTEST_APPLESS_MAIN(TestResourcesList)
#include "tst_resources_list.moc"
