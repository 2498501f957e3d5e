#include "glotta/store/struct_item.h"
#include "glotta/store/word_list.h"

#include <QTest>

class TestWordList : public QObject
{
    Q_OBJECT
private slots:
    void growsInStepsOf64()
    {
        TWordList L;
        QCOMPARE(L.Count(), 0);
        QCOMPARE(L.Capacity(), 32);
        for (int i = 0; i < 32; ++i)
            L.AddWord(quint16(i));
        QCOMPARE(L.Capacity(), 32);
        L.AddWord(32);
        QCOMPARE(L.Capacity(), 96);
        QCOMPARE(L.Count(), 33);
        for (int i = 0; i < 33; ++i)
            QCOMPARE(L.GetWord(i), quint16(i));
    }

    void clearShrinksOnlyAbove1024_data()
    {
        QTest::addColumn<int>("Words");
        QTest::addColumn<int>("CapacityBefore");
        QTest::addColumn<int>("CapacityAfter");
        QTest::newRow("capacity 96 stays") << 40 << 96 << 96;
        QTest::newRow("capacity 1056 is cut") << 1000 << 1056 << 32; // 32 + 64 * 16
        QTest::newRow("capacity 1120 is cut") << 1100 << 1120 << 32;
        QTest::newRow("capacity 992 stays") << 950 << 992 << 992;
    }
    void clearShrinksOnlyAbove1024()
    {
        QFETCH(int, Words);
        QFETCH(int, CapacityBefore);
        QFETCH(int, CapacityAfter);
        TWordList L;
        for (int i = 0; i < Words; ++i)
            L.AddWord(1);
        QCOMPARE(L.Capacity(), CapacityBefore);
        L.Clear();
        QCOMPARE(L.Count(), 0);
        QCOMPARE(L.Capacity(), CapacityAfter);
        QCOMPARE(L.GetWord(0), quint16(0));
    }

    void assignFitsCapacityToTheSource_data()
    {
        QTest::addColumn<int>("TargetWords"); // words added to the target first
        QTest::addColumn<int>("SourceWords");
        QTest::addColumn<int>("Capacity");
        QTest::newRow("2016 shrinks to count + 32") << 2000 << 10 << 42;
        QTest::newRow("96 kept") << 40 << 10 << 96;
        QTest::newRow("32 grows to count + 32") << 0 << 100 << 132;
        QTest::newRow("exact fit kept") << 0 << 32 << 32;
    }
    void assignFitsCapacityToTheSource()
    {
        QFETCH(int, TargetWords);
        QFETCH(int, SourceWords);
        QFETCH(int, Capacity);
        TWordList Source, Target;
        for (int i = 0; i < SourceWords; ++i)
            Source.AddWord(quint16(i * 3));
        for (int i = 0; i < TargetWords; ++i)
            Target.AddWord(7);
        Target.Assign(Source);
        QCOMPARE(Target.Capacity(), Capacity);
        QCOMPARE(Target.Count(), SourceWords);
        for (int i = 0; i < SourceWords; ++i)
            QCOMPARE(Target.GetWord(i), quint16(i * 3));
        Target.Assign(Target); // self: unchanged
        QCOMPARE(Target.Count(), SourceWords);
    }

    void indexesOutsideTheWordsAreAbsent()
    {
        TWordList L;
        for (quint16 W : {5, 6, 7})
            L.AddWord(W);
        QCOMPARE(L.GetWord(3), quint16(0));
        QCOMPARE(L.GetWord(-1), quint16(0));
        L.RewriteWord(3, 9);
        L.RewriteWord(-1, 9);
        L.Delete(-1);
        L.Delete(3);
        L.Inherit(3);
        L.Inherit(-1);
        QCOMPARE(L.Count(), 3);
        QCOMPARE(L.IndexOfWord(9), -1);
        QCOMPARE(L.IndexOfWord(0), -1); // storage beyond Count is not searched
        L.RewriteWord(1, 9);
        QCOMPARE(L.GetWord(1), quint16(9));
    }

    void deleteMovesFollowingWordsDown()
    {
        TWordList L;
        for (quint16 W : {1, 2, 3, 2})
            L.AddWord(W);
        QCOMPARE(L.IndexOfWord(2), 1);
        L.Delete(1);
        QCOMPARE(L.Count(), 3);
        QCOMPARE(L.GetWord(1), quint16(3));
        QCOMPARE(L.IndexOfWord(2), 2);
        QCOMPARE(TWordList().IndexOfWord(0), -1);
    }

    void inheritIsTheDescentStep_data()
    {
        QTest::addColumn<int>("Word");
        QTest::addColumn<int>("Stepped");
        for (auto [W, S] : {std::pair{0, 1}, {1, 2}, {253, 254}, {254, 254}, {255, 255}, {256, 256},
                            {257, 257}, {300, 300}})
            QTest::addRow("%d", W) << W << S;
    }
    void inheritIsTheDescentStep()
    {
        QFETCH(int, Word);
        QFETCH(int, Stepped);
        TWordList L;
        L.AddWord(quint16(Word));
        L.Inherit(0);
        QCOMPARE(int(L.GetWord(0)), Stepped);
        TWordList All;
        All.AddWord(quint16(Word));
        All.AddWord(quint16(Word));
        All.InheritAll();
        QCOMPARE(int(All.GetWord(0)), Stepped);
        QCOMPARE(int(All.GetWord(1)), Stepped);
    }

    void structItemKeepsItsValues()
    {
        const TStructItem Item(QStringLiteral("Ano"), 3, 5);
        QCOMPARE(Item.Translation, QStringLiteral("Ano"));
        QCOMPARE(Item.Descent, quint16(3));
        QCOMPARE(Item.Changeable, quint16(5));
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_word_list.moc"
