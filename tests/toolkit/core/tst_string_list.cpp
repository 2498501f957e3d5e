#include "toolkit/core/exception.h"
#include "toolkit/core/string_list.h"

#include <QTest>

namespace {
// Counts its own destructions so ownership rules can be checked.
struct TCounted : TObject
{
    explicit TCounted(int *Deaths) : fDeaths(Deaths) {}
    ~TCounted() override { ++*fDeaths; }
    int *fDeaths;
};
} // namespace

class TestStringList : public QObject
{
    Q_OBJECT
private slots:
    void plainListKeepsOrderAndDuplicates()
    {
        TStringList L;
        L.Add("Beta");
        L.Add("alpha");
        L.Add("beta");
        QCOMPARE(L.Count(), 3);
        QCOMPARE(L.Strings(0), QString("Beta"));
        QCOMPARE(L.IndexOf("BETA"), 0); // case-insensitive, first match
        QCOMPARE(L.IndexOf("gamma"), -1);
    }

    void indexErrors()
    {
        TStringList L;
        L.Add("a");
        QVERIFY_THROWS_EXCEPTION(EListError, L.Strings(1));
        QVERIFY_THROWS_EXCEPTION(EListError, L.Strings(-1));
        QVERIFY_THROWS_EXCEPTION(EListError, L.Delete(1));
        QVERIFY_THROWS_EXCEPTION(EListError, L.Objects(5));
    }

    void nameValueAccess()
    {
        TStringList L;
        L.Add("Main");
        L.Add("Tools=x");
        QCOMPARE(L.Names(1), QString("Tools"));
        QCOMPARE(L.Names(0), QString());
        QCOMPARE(L.Values("tools"), QString("x"));
        L.SetValue("Tools", "y");
        QCOMPARE(L.Strings(1), QString("Tools=y"));
        L.SetValue("New", "1");
        QCOMPARE(L.Strings(2), QString("New=1"));
        L.SetValue("New", "");
        QCOMPARE(L.Count(), 2);
    }

    void sortedListFindsAndRefusesEdits()
    {
        TStringList L;
        L.SetSorted(true);
        L.SetDuplicates(TDuplicates::dupIgnore);
        for (const char *S : {"d", "b", "a", "c", "b"})
            L.Add(S);
        QCOMPARE(L.ToStringList(), QStringList({"a", "b", "c", "d"}));
        int Index = -1;
        QVERIFY(L.Find("c", Index));
        QCOMPARE(Index, 2);
        QVERIFY(!L.Find("bb", Index));
        QCOMPARE(Index, 2);
        QVERIFY(!L.Find("z", Index));
        QCOMPARE(Index, 4);
        QVERIFY_THROWS_EXCEPTION(EListError, L.Put(0, "x"));
        L.SetSorted(false);
        L.Put(0, "x");
        QCOMPARE(L.Strings(0), QString("x"));
    }

    void ownedObjectsAreFreedOnce()
    {
        int Deaths = 0;
        {
            TStringList L;
            L.SetOwnsObjects(true);
            L.AddObject("a", new TCounted(&Deaths));
            L.AddObject("b", new TCounted(&Deaths));
            L.AddObject("c", new TCounted(&Deaths));
            L.Delete(0);
            QCOMPARE(Deaths, 1);
            TStringList Copy;
            Copy.SetOwnsObjects(true);
            Copy.Assign(L); // texts only: no second owner
            QCOMPARE(Copy.Objects(0), nullptr);
        }
        QCOMPARE(Deaths, 3);
    }

    void textSplitsAllLineBreaks()
    {
        TStringList L;
        L.SetText("a\r\nb\nc\rd");
        QCOMPARE(L.ToStringList(), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(L.Text(), QString("a\r\nb\r\nc\r\nd\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestStringList)
#include "tst_string_list.moc"
