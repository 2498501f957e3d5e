#include "toolkit/core/exception.h"
#include "glotta/store/indexed_items.h"
#include "glotta/store/lexicon_data.h"

#include <QTest>

class TestLexiconData : public QObject
{
    Q_OBJECT
private slots:
    void newListHasOnlyTheEmptyPosition()
    {
        TIndexedItems L("Form1.Lexicon1");
        QCOMPARE(L.ListName(), QStringLiteral("Form1.Lexicon1"));
        QCOMPARE(L.Count(), quint16(0));
        QCOMPARE(L.MaxIndex(), quint16(0));
        QCOMPARE(L.PointerTableLength(), 32);
        QVERIFY(!L.IsIncluded(0));
        QCOMPARE(L.Get(0), QString());
        QCOMPARE(L.GetLangDescent(0), quint16(255));
        QCOMPARE(L.GetLangDescent(5), quint16(255));
        QCOMPARE(L.GetLangDescent(-1), quint16(255));
        QVERIFY(!L.IsGlobal(0));
    }

    void addGrowsThePointerTable_data()
    {
        QTest::addColumn<int>("ItemNr");
        QTest::addColumn<int>("Length");
        QTest::newRow("0") << 0 << 32;
        QTest::newRow("31") << 31 << 32;
        QTest::newRow("32") << 32 << 96;
        QTest::newRow("100") << 100 << 164;
        QTest::newRow("65535") << 65535 << 65599;
    }
    void addGrowsThePointerTable()
    {
        QFETCH(int, ItemNr);
        QFETCH(int, Length);
        TIndexedItems L("L");
        L.Add(quint16(ItemNr), "text", 0);
        QCOMPARE(L.PointerTableLength(), Length);
        QCOMPARE(int(L.MaxIndex()), ItemNr);
        QVERIFY(L.IsIncluded(quint16(ItemNr)));
        if (ItemNr > 0)
            QVERIFY(!L.IsIncluded(quint16(ItemNr - 1)));
        QCOMPARE(L.Count(), quint16(1));
        QCOMPARE(L.Get(quint16(ItemNr)), QStringLiteral("text"));
        L.Clear();
        QCOMPARE(L.PointerTableLength(), Length > 1024 ? 32 : Length);
        QCOMPARE(L.MaxIndex(), quint16(0));
        QCOMPARE(L.Count(), quint16(0));
        QVERIFY(!L.IsIncluded(quint16(ItemNr)));
        QCOMPARE(L.ListName(), QStringLiteral("L"));
    }

    void writeAddChangeAndRemove()
    {
        TIndexedItems L("L");
        L.Add(3, "three", 1);
        L.Write(3, "tri", 0); // present: in place
        QCOMPARE(L.Count(), quint16(1));
        QCOMPARE(L.Get(3), QStringLiteral("tri"));
        QCOMPARE(L.GetLangDescent(3), quint16(0));
        L.Write(4, "four", 2); // absent: added
        QCOMPARE(L.Count(), quint16(2));
        L.Add(3, "again", 5); // present: new position, old one dead
        QCOMPARE(L.Count(), quint16(3));
        QCOMPARE(L.Get(3), QStringLiteral("again"));
        QCOMPARE(L.GetLangDescent(3), quint16(5));
        L.Change(3, "changed");
        QCOMPARE(L.Get(3), QStringLiteral("changed"));
        QCOMPARE(L.GetLangDescent(3), quint16(5));
        L.Change(2, "absent"); // nothing
        QVERIFY(!L.IsIncluded(2));
        QCOMPARE(L.Get(2), QString());
        L.Remove(3);
        QCOMPARE(L.Count(), quint16(3));
        QVERIFY(!L.IsIncluded(3));
        QCOMPARE(L.Get(3), QString());
        QCOMPARE(L.GetLangDescent(3), quint16(255));
        L.Remove(100); // above MaxIndex: nothing
        L.Remove(0);   // absent: the shared empty position stays as it is
        QCOMPARE(L.MaxIndex(), quint16(4));
        QCOMPARE(L.Get(4), QStringLiteral("four"));
        QCOMPARE(L.GetLangDescent(4), quint16(2));
    }

    void setLangDescentTouchesOnlyPresentItems()
    {
        TIndexedItems L("L");
        L.Add(2, "two", 0);
        L.SetLangDescent(2, 256);
        QVERIFY(L.IsGlobal(2));
        QCOMPARE(L.GetLangDescent(2), quint16(256));
        L.SetLangDescent(1, 7); // absent, below MaxIndex: must not change what absent items read
        L.SetLangDescent(9, 7);
        QCOMPARE(L.GetLangDescent(1), quint16(255));
        QCOMPARE(L.GetLangDescent(0), quint16(255));
        QVERIFY(!L.IsGlobal(9));
    }

    void indexOfFindsPresentItemsIgnoringCase()
    {
        TIndexedItems L("L");
        L.Add(5, "Ano", 0);
        L.Add(7, "Ne", 0);
        L.Add(9, "ne", 0);
        QCOMPARE(L.IndexOf("ano"), 5);
        QCOMPARE(L.IndexOf("NE"), 7); // first stored of the equal texts
        L.Remove(9);
        QCOMPARE(L.IndexOf(""), -1);
        QCOMPARE(L.IndexOf("jo"), -1);
        L.Remove(5);
        QCOMPARE(L.IndexOf("Ano"), -1);
        // Item 7 re-added with the same text: its first position is dead now,
        // yet the item is present with that text.
        L.Add(7, "Ne", 1);
        QCOMPARE(L.IndexOf("Ne"), 7);
        L.Add(7, "Other", 1);
        QCOMPARE(L.IndexOf("Ne"), -1);
    }

    void newLanguageStepsEveryDescent()
    {
        TIndexedItems L("L");
        L.Add(1, "a", 0);
        L.Add(2, "b", 254);
        L.Add(3, "c", 256);
        L.Add(4, "d", 253);
        L.NewLanguage();
        QCOMPARE(L.GetLangDescent(1), quint16(1));
        QCOMPARE(L.GetLangDescent(2), quint16(254));
        QCOMPARE(L.GetLangDescent(3), quint16(256));
        QCOMPARE(L.GetLangDescent(4), quint16(254));
        QCOMPARE(L.GetLangDescent(0), quint16(255));
    }

    // 65535 positions between two Clear calls: re-adding beyond them reclaims
    // dead positions instead of wrapping the 16-bit position to 0.
    void positionsRunningOutAreReclaimed()
    {
        TIndexedItems L("L");
        for (int i = 0; i < 65535; ++i)
            L.Add(quint16(i % 10), QString::number(i), 0);
        QCOMPARE(L.Count(), quint16(65535));
        L.Add(3, "after", 1);
        QCOMPARE(L.Get(3), QStringLiteral("after"));
        QCOMPARE(L.GetLangDescent(3), quint16(1));
        QCOMPARE(L.Get(4), QStringLiteral("65534"));
        QCOMPARE(L.Count(), quint16(11)); // 10 live texts were kept, then one added
        QVERIFY(!L.IsIncluded(10));
    }

    void everyPositionLiveRefusesTheAdd()
    {
        TIndexedItems L("L");
        for (int i = 0; i < 65535; ++i)
            L.Add(quint16(i), "t", 0);
        L.Change(7, "seven");
        L.Add(65535, "last", 0);
        QVERIFY(!L.IsIncluded(65535));
        QCOMPARE(L.Get(0), QStringLiteral("t"));
        QCOMPARE(L.Get(65534), QStringLiteral("t"));
        // The refused add leaves the list as it was.
        QCOMPARE(L.Count(), quint16(65535));
        QCOMPARE(L.MaxIndex(), quint16(65534));
        QCOMPARE(L.Get(7), QStringLiteral("seven"));
        QCOMPARE(L.Get(8), QStringLiteral("t"));
    }

    // ---- TLexiconData ----

    void absentLexiconAnswersDefaults()
    {
        TLexiconData D;
        quint16 Descent = 0;
        QCOMPARE(D.ReadItem("Form1.Nothing", 1, Descent), QString());
        QCOMPARE(Descent, quint16(255));
        QCOMPARE(D.ReadItem("Form1.Nothing", 1), QString());
        QCOMPARE(D.MaxItemNr("Form1.Nothing"), -1);
        QCOMPARE(D.ItemsCount("Form1.Nothing"), quint16(0));
        QVERIFY(!D.IsIncluded("Form1.Nothing", 1));
        D.WriteItem("Form1.Nothing", 1, "x", 0);
        D.ChangeItem("Form1.Nothing", 1, "x");
        D.RemoveItem("Form1.Nothing", 1);
        D.DeleteLexicon("Form1.Nothing");
        QCOMPARE(D.LexiconCount(), quint16(0));
        QVERIFY(!D.LexiconExists("Form1.Nothing"));
        QCOMPARE(D.OpenedLexiconIndex(), -1);
        QCOMPARE(D.ReadItem("", 1), QString());
        QVERIFY_THROWS_EXCEPTION(EListError, D.LexiconName(0));
    }

    void lexiconNamesIgnoreLetterCase()
    {
        TLexiconData D;
        D.NewLexicon("Form1.Lexicon1");
        QCOMPARE(D.OpenedLexiconIndex(), 0);
        D.WriteItem("Form1.Lexicon1", 7, "Sedm", 0);
        D.NewLexicon("Form1.Other");
        QCOMPARE(D.OpenedLexiconIndex(), 1);
        D.NewLexicon("FORM1.LEXICON1"); // exists: nothing created, that one cached
        QCOMPARE(D.LexiconCount(), quint16(2));
        QCOMPARE(D.OpenedLexiconIndex(), 0);
        QCOMPARE(D.OpenedLexiconName(), QStringLiteral("FORM1.LEXICON1"));
        quint16 Descent = 9;
        QCOMPARE(D.ReadItem("form1.lexicon1", 7, Descent), QStringLiteral("Sedm"));
        QCOMPARE(Descent, quint16(0));
        QVERIFY(D.LexiconExists("form1.LEXICON1"));
        QCOMPARE(D.LexiconName(0), QStringLiteral("Form1.Lexicon1"));
        QCOMPARE(D.LexiconName(1), QStringLiteral("Form1.Other"));
        QCOMPARE(D.MaxItemNr("Form1.Lexicon1"), 7);
        QCOMPARE(D.ItemsCount("Form1.Lexicon1"), quint16(1));
        D.ChangeItem("Form1.Lexicon1", 7, "VII");
        QCOMPARE(D.ReadItem("Form1.Lexicon1", 7), QStringLiteral("VII"));
        D.RemoveItem("Form1.Lexicon1", 7);
        QVERIFY(!D.IsIncluded("Form1.Lexicon1", 7));
        D.WriteItem("Form1.Lexicon1", 70000, "out of range", 0); // no item number
        QCOMPARE(D.MaxItemNr("Form1.Lexicon1"), 7);
    }

    // 65536 is no item number: as a 16-bit number it would be item 0.
    void itemNumberPastTheLastLeavesItemZero()
    {
        TLexiconData D;
        D.NewLexicon("A");
        D.WriteItem("A", 0, "zero", 0);
        QCOMPARE(D.ReadItem("A", 65536), QString());
        quint16 Descent = 0;
        QCOMPARE(D.ReadItem("A", 65536, Descent), QString());
        QCOMPARE(Descent, quint16(255));
        QVERIFY(!D.IsIncluded("A", 65536));
        D.RemoveItem("A", 65536);
        QVERIFY(D.IsIncluded("A", 0));
        QCOMPARE(D.ReadItem("A", 0), QStringLiteral("zero"));
    }

    void deletingALexiconKeepsTheCacheRight()
    {
        TLexiconData D;
        for (const char *N : {"A", "B", "C"}) {
            D.NewLexicon(N);
            D.WriteItem(N, 1, QStringLiteral("%1 one").arg(N), 0);
        }
        QCOMPARE(D.ReadItem("C", 1), QStringLiteral("C one"));
        QCOMPARE(D.OpenedLexiconIndex(), 2);
        D.DeleteLexicon("a");
        QCOMPARE(D.OpenedLexiconIndex(), -2);
        QCOMPARE(D.ReadItem("C", 1), QStringLiteral("C one"));
        QCOMPARE(D.ReadItem("B", 1), QStringLiteral("B one"));
        QCOMPARE(D.LexiconCount(), quint16(2));
        QCOMPARE(D.LexiconName(0), QStringLiteral("B"));
    }

    // A caller that asks again and again with one string object (a lexicon
    // asks under the path it keeps) gets answers that follow every change
    // of the lexicons, and many lexicons are each found under their names.
    void remembersAnswersOnlyWhileTheLexiconsStay()
    {
        TLexiconData D;
        const QString Name = QStringLiteral("Form1.Lexicon\u00C4");
        QCOMPARE(D.ReadItem(Name, 1), QString());
        for (int i = 0; i < 300; ++i) {
            D.NewLexicon(QStringLiteral("Form%1.Other").arg(i));
            D.WriteItem(QStringLiteral("Form%1.Other").arg(i), 1, QString::number(i), 0);
        }
        QCOMPARE(D.ReadItem(Name, 1), QString());
        D.NewLexicon(QStringLiteral("FORM1.LEXICON\u00E4"));
        D.WriteItem(QStringLiteral("form1.lexicon\u00E4"), 1, "found", 0);
        QCOMPARE(D.ReadItem(Name, 1), QStringLiteral("found"));
        for (int i = 0; i < 300; i += 7)
            QCOMPARE(D.ReadItem(QStringLiteral("form%1.OTHER").arg(i), 1), QString::number(i));
        D.DeleteLexicon(QStringLiteral("Form0.Other"));
        QCOMPARE(D.ReadItem(Name, 1), QStringLiteral("found"));
        QCOMPARE(D.ReadItem(QStringLiteral("Form299.Other"), 1), QStringLiteral("299"));
        D.DeleteLexicon(Name);
        QCOMPARE(D.ReadItem(Name, 1), QString());
        QVERIFY(!D.LexiconExists(Name));
        D.NewLexicon(Name);
        D.WriteItem(Name, 1, "again", 0);
        QCOMPARE(D.ReadItem(Name, 1), QStringLiteral("again"));
        D.Clear();
        QCOMPARE(D.ReadItem(Name, 1), QString());
    }

    // Programs that alternate between many lexicons, each asking under the
    // name string it keeps, miss the one-entry cache on every read. Made-up
    // names in between make the shelf's memory of requests start over, which
    // must neither lose the cached lexicon nor answer from an old request.
    void alternatingLexiconsUnderKeptNames_data()
    {
        QTest::addColumn<int>("Count");
        QTest::newRow("one") << 1;
        QTest::newRow("seven") << 7;
        QTest::newRow("a thousand") << 1000;
    }
    void alternatingLexiconsUnderKeptNames()
    {
        QFETCH(int, Count);
        TLexiconData D;
        QList<QString> Names;
        for (int x = 0; x < Count; ++x) {
            Names << QStringLiteral("Form%1.Lexicon%2").arg(x / 10).arg(x % 10);
            D.NewLexicon(Names.last());
            D.WriteItem(Names.last(), 1, QString::number(x), 0);
        }
        for (int Pass = 0; Pass < 3; ++Pass) {
            for (int k = 0; k < 3 * Count; ++k) {
                const int x = int((qint64(k) * 7919 + Pass) % Count);
                QCOMPARE(D.ReadItem(Names[x], 1), QString::number(x));
                QCOMPARE(D.OpenedLexiconIndex(), x);
            }
            const int Last = int((qint64(3 * Count - 1) * 7919 + Pass) % Count);
            for (int i = 0; i < 5000; ++i)
                QVERIFY(!D.LexiconExists(QStringLiteral("Form%1.Made up").arg(i)));
            QCOMPARE(D.OpenedLexiconIndex(), Last);
            QCOMPARE(D.OpenedLexiconName(), Names[Last]);
            QCOMPARE(D.ReadItem(Names[Last], 1), QString::number(Last));
        }
        // More lexicons than the memory of requests was made for.
        for (int x = Count; x < 2 * Count + 20; ++x) {
            Names << QStringLiteral("Added%1").arg(x);
            D.NewLexicon(Names.last());
            QCOMPARE(D.OpenedLexiconName(), Names.last());
            D.WriteItem(Names.last(), 1, QString::number(x), 0);
            QCOMPARE(D.ReadItem(Names[x / 2], 1), QString::number(x / 2));
        }
        for (int x = 0; x < Names.size(); ++x)
            QCOMPARE(D.ReadItem(Names[x], 1), QString::number(x));
    }

    void newLanguageAndClear()
    {
        TLexiconData D;
        D.NewLexicon("A");
        D.WriteItem("A", 0, "zero", 0);
        D.WriteItem("A", 1, "one", 256);
        D.NewLexicon("B");
        D.WriteItem("B", 0, "b", 3);
        D.NewLanguage();
        quint16 Descent = 0;
        D.ReadItem("A", 0, Descent);
        QCOMPARE(Descent, quint16(1));
        D.ReadItem("A", 1, Descent);
        QCOMPARE(Descent, quint16(256));
        D.ReadItem("B", 0, Descent);
        QCOMPARE(Descent, quint16(4));
        D.Clear();
        QCOMPARE(D.LexiconCount(), quint16(0));
        QCOMPARE(D.OpenedLexiconIndex(), -2);
        QCOMPARE(D.ReadItem("A", 0), QString());
    }
};

QTEST_GUILESS_MAIN(TestLexiconData)
#include "tst_lexicon_data.moc"
