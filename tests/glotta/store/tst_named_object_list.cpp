#include "glotta/store/named_object_list.h"

#include <QTest>

namespace {
struct TCounted : TObject
{
    explicit TCounted(int *Deaths) : fDeaths(Deaths) {}
    ~TCounted() override { ++*fDeaths; }
    int *fDeaths;
};
} // namespace

class TestNamedObjectList : public QObject
{
    Q_OBJECT
private slots:
    void orderIsCaseFoldedThenExact()
    {
        TNamedObjectList L;
        for (const char *S : {"konecb", "Label1", "Form1", "instalovat1b", "label1", "Form1"})
            L.Add(S);
        // "Form1" twice gives one entry; "Label1" and "label1" stay apart.
        QCOMPARE(L.ToStringList(), QStringList({"Form1", "instalovat1b", "konecb", "Label1", "label1"}));
        QCOMPARE(L.IndexOf("LABEL1"), -1);
        QCOMPARE(L.IndexOf("label1"), 4);
    }

    void composedAndDecomposedAccentsAreDifferentTexts()
    {
        TNamedObjectList L;
        L.Add(QString::fromUtf8("\xC3\xA9"));  // é precomposed
        L.Add(QString::fromUtf8("e\xCC\x81")); // e + combining acute
        QCOMPARE(L.Count(), 2);
    }

    void addingPresentTextAnswersItsIndex()
    {
        TNamedObjectList L;
        QCOMPARE(L.Add("b"), 0);
        QCOMPARE(L.Add("a"), 0);
        QCOMPARE(L.Add("b"), 1);
        QCOMPARE(L.Count(), 2);
    }

    void replaceObjectFreesThePreviousOnce()
    {
        int Deaths = 0;
        {
            TNamedObjectList L;
            const int i = L.AddObject("x", nullptr);
            L.ReplaceObject(i, new TCounted(&Deaths));
            L.ReplaceObject(i, new TCounted(&Deaths));
            QCOMPARE(Deaths, 1);
            L.ReplaceObject(i, L.Objects(i)); // same object: kept
            QCOMPARE(Deaths, 1);
        }
        QCOMPARE(Deaths, 2);
    }

    void resortingDoesNotMergeEqualTexts()
    {
        TNamedObjectList L;
        L.Add("a");
        L.Add("c");
        L.SetSorted(false);
        L.Put(1, "a");
        L.SetSorted(true);
        QCOMPARE(L.ToStringList(), QStringList({"a", "a"}));
    }
};

QTEST_GUILESS_MAIN(TestNamedObjectList)
#include "tst_named_object_list.moc"
