#include "toolkit/core/exception.h"
#include "glotta/store/named_items.h"
#include "glotta/store/smart_lexicon_data.h"

#include <QTest>

class TestSmartLexiconData : public QObject
{
    Q_OBJECT
private slots:
    // Each step adds the one LocStr again; the entry keeps the closer
    // translation (low byte of the descent), of two equally close the later.
    void addLineKeepsTheCloserTranslation()
    {
        TNamedItemsList L;
        const struct { const char *Text; int Descent; const char *Kept; int KeptDescent; } Steps[] = {
            {"three", 3, "three", 3},  {"one", 1, "one", 1},     {"two", 2, "one", 1},
            {"one again", 1, "one again", 1}, {"global one", 257, "global one", 257},
            {"plain one", 1, "plain one", 1}, {"zero", 0, "zero", 0}, {"global two", 258, "zero", 0},
        };
        for (const auto &S : Steps) {
            L.AddLine("Ano", S.Text, quint16(S.Descent));
            QCOMPARE(L.Count(), 1);
            quint16 Descent;
            QCOMPARE(L.GetBoth(0, Descent), QString::fromLatin1(S.Kept));
            QCOMPARE(int(Descent), S.KeptDescent);
        }
        L.AddLine("", "nothing", 0);
        QCOMPARE(L.Count(), 1);
        L.AddLine("ano", "other case", 0);
        QCOMPARE(L.Count(), 2);
    }

    void listIndexOperationsReportListErrors()
    {
        TNamedItemsList L;
        L.AddLine("a", "b", 0);
        quint16 D;
        QVERIFY_THROWS_EXCEPTION(EListError, L.GetTranslation(1));
        QVERIFY_THROWS_EXCEPTION(EListError, L.SetTranslation(-1, "x"));
        QVERIFY_THROWS_EXCEPTION(EListError, L.GetDescent(1));
        QVERIFY_THROWS_EXCEPTION(EListError, L.SetDescent(1, 0));
        QVERIFY_THROWS_EXCEPTION(EListError, L.GetBoth(1, D));
    }

    void findAnswersOnlyACloserGlobal_data()
    {
        QTest::addColumn<int>("EntryDescent");
        QTest::addColumn<int>("Asked");
        QTest::addColumn<bool>("Found");
        QTest::newRow("asked 0, entry 0") << 0 << 0 << false;
        QTest::newRow("asked 1, entry 0") << 0 << 1 << true;
        QTest::newRow("asked 1, entry 1") << 1 << 1 << false;
        QTest::newRow("asked 255, entry 254") << 254 << 255 << true;
        QTest::newRow("asked 255, entry 0") << 0 << 255 << true;
        QTest::newRow("asked 255, entry 255") << 255 << 255 << false;
        QTest::newRow("asked 255, entry 256") << 256 << 255 << false; // whole word compared
        QTest::newRow("asked 512, entry 256") << 256 << 512 << true;
        QTest::newRow("asked 512, entry 300") << 300 << 512 << true;
        QTest::newRow("asked 3, entry 2") << 2 << 3 << true;
        QTest::newRow("asked 3, entry 3") << 3 << 3 << false;
    }
    void findAnswersOnlyACloserGlobal()
    {
        QFETCH(int, EntryDescent);
        QFETCH(int, Asked);
        QFETCH(bool, Found);
        TSmartLexiconData D;
        D.AddItem("A", "a", 0);
        D.AddItem("Konec", "End", quint16(EntryDescent));
        QCOMPARE(D.FindTranslate("Konec", quint16(Asked)), Found ? 1 : -1);
        QCOMPARE(D.FindTranslate("", "Konec", quint16(Asked)), Found ? 1 : -1);
        QCOMPARE(D.FindTranslate("Nic", 512), -1);
        QCOMPARE(D.FindTranslate("", 512), -1);
    }

    void readsOfAbsentItemsAnswerDefaults()
    {
        TNamedItems L("L");
        L.Add("b", "B", 3);
        L.Add("a", "A", 0);
        QCOMPARE(L.Count(), quint16(2));
        QCOMPARE(L.MaxIndex(), 1);
        QCOMPARE(L.GetLocStr(0), QStringLiteral("a"));
        QCOMPARE(L.Get(quint16(1)), QStringLiteral("B"));
        QCOMPARE(L.Get(quint16(2)), QString());
        QCOMPARE(L.GetLocStr(2), QString());
        QCOMPARE(L.GetLangDescent(2), quint16(255));
        QCOMPARE(L.GetLangDescent(-1), quint16(255));
        QVERIFY(!L.IsIncluded(quint16(2)));
        QVERIFY(L.IsIncluded(quint16(1)));
        QVERIFY(!L.IsIncluded(QString()));
        QVERIFY(!L.IsIncluded("B")); // LocStrs are case-sensitive
        quint16 Descent = 0;
        QCOMPARE(L.Get("c", Descent), QString());
        QCOMPARE(Descent, quint16(255));
        QCOMPARE(L.Get("", Descent), QString());
        QCOMPARE(Descent, quint16(255));
        QCOMPARE(L.Get("b", Descent), QStringLiteral("B"));
        QCOMPARE(Descent, quint16(3));
        QCOMPARE(L.GetLangDescent("b"), quint16(3));
        QCOMPARE(L.GetLangDescent(""), quint16(255));
        L.SetLangDescent(0, 256);
        L.SetLangDescent(2, 256);
        L.SetLangDescent(-1, 256);
        QVERIFY(L.IsGlobal(quint16(0)));
        QVERIFY(L.IsGlobal("a"));
        QVERIFY(!L.IsGlobal("b"));
        QVERIFY(!L.IsGlobal(quint16(2)));
        QCOMPARE(L.Count(), quint16(2));
        TNamedItems Empty("E");
        QCOMPARE(Empty.MaxIndex(), -1);
    }

    void writeChangeAndRemove()
    {
        TNamedItems L("L");
        L.Write("Ano", "Yes", 3);
        L.Write("Ano", "Yes!", 5); // present: overwritten whatever the descent
        QCOMPARE(L.Get("Ano"), QStringLiteral("Yes!"));
        QCOMPARE(L.GetLangDescent("Ano"), quint16(5));
        L.Write("", "x", 0);
        L.Write(quint16(0), "Y", 1);
        L.Write(quint16(1), "absent", 1);
        QCOMPARE(L.Count(), quint16(1));
        QCOMPARE(L.Get(quint16(0)), QStringLiteral("Y"));
        L.Change(quint16(0), "Jo");
        L.Change("Ne", "No");
        L.Change(quint16(4), "No");
        QCOMPARE(L.Get("Ano"), QStringLiteral("Jo"));
        QCOMPARE(L.GetLangDescent("Ano"), quint16(1));
        L.Change("Ano", "Ja");
        QCOMPARE(L.Get("Ano"), QStringLiteral("Ja"));
        QCOMPARE(L.Count(), quint16(1));
        L.Add("Ne", "No", 0);
        L.Remove(quint16(0)); // "Ano"
        QCOMPARE(L.Count(), quint16(1));
        QCOMPARE(L.GetLocStr(0), QStringLiteral("Ne"));
        L.Remove(quint16(1));
        L.Remove("ne");
        QCOMPARE(L.Count(), quint16(1));
        L.Remove("Ne");
        QCOMPARE(L.Count(), quint16(0));
    }

    void saveChangedGlobalItem_data()
    {
        QTest::addColumn<bool>("Present");
        QTest::addColumn<int>("Descent"); // of the present entry
        QTest::addColumn<bool>("SaveNewGlobals");
        QTest::addColumn<int>("After");
        QTest::newRow("present, save new") << true << 0 << true << 1;
        QTest::newRow("present 2, save new") << true << 2 << true << 1;
        QTest::newRow("present, keep") << true << 0 << false << 0;
        QTest::newRow("absent, save new") << false << 0 << true << 1;
        QTest::newRow("absent, keep") << false << 0 << false << 2;
    }
    void saveChangedGlobalItem()
    {
        QFETCH(bool, Present);
        QFETCH(int, Descent);
        QFETCH(bool, SaveNewGlobals);
        QFETCH(int, After);
        TNamedItems L("GlobalLexicon");
        if (Present)
            L.Add("Konec", "End", quint16(Descent));
        L.SaveChangedGlobalItem("Konec", "Finish", SaveNewGlobals);
        QCOMPARE(L.Get("Konec"), QStringLiteral("Finish"));
        QCOMPARE(int(L.GetLangDescent("Konec")), After);
        L.SaveChangedGlobalItem("", "x", SaveNewGlobals);
        QCOMPARE(L.Count(), quint16(1));
    }

    void emptyLexiconNameMeansTheGlobalLexicon()
    {
        TSmartLexiconData D;
        QCOMPARE(D.GlobalLexicon().ListName(), QStringLiteral("GlobalLexicon"));
        D.AddItem("", "Konec", "End", 2);
        quint16 Descent = 0;
        QCOMPARE(D.ReadItem("", "Konec", Descent), QStringLiteral("End"));
        QCOMPARE(Descent, quint16(2));
        QCOMPARE(D.ReadItem(QStringLiteral("Konec"), Descent), QStringLiteral("End"));
        QCOMPARE(D.ReadItem(0), QStringLiteral("End"));
        QCOMPARE(D.ReadItem(0, Descent), QStringLiteral("End"));
        QCOMPARE(D.ReadItem("", 0, Descent), QStringLiteral("End"));
        QCOMPARE(D.GetLocStr(0), QStringLiteral("Konec"));
        QCOMPARE(D.GetLocStr("", 0), QStringLiteral("Konec"));
        QCOMPARE(D.ItemsCount(), quint16(1));
        QCOMPARE(D.ItemsCount(""), quint16(1));
        QCOMPARE(D.MaxItemNr(), 0);
        QVERIFY(D.IsIncluded(0));
        QVERIFY(D.IsIncluded(QStringLiteral("Konec")));
        QVERIFY(D.IsIncluded("", "Konec"));
        QCOMPARE(D.LexiconCount(), quint16(0));
        QVERIFY(!D.LexiconExists("GlobalLexicon"));
        QVERIFY(!D.LexiconExists(""));
        D.WriteItem("Ano", "Yes", 0);
        D.ChangeItem("Ano", "Yes!");
        QCOMPARE(D.ReadItem(QStringLiteral("Ano")), QStringLiteral("Yes!"));
        D.RemoveItem(QStringLiteral("Ano"));
        QVERIFY(!D.IsIncluded(QStringLiteral("Ano")));
        D.RemoveItem(0);
        QCOMPARE(D.ItemsCount(), quint16(0));
        QCOMPARE(D.MaxItemNr(), -1);
        QCOMPARE(D.ReadItem(70000), QString()); // not an item number
        QCOMPARE(D.ReadItem(-1, Descent), QString());
        QCOMPARE(Descent, quint16(255));
    }

    void smartLexiconsAreReachedOnlyUnderTheirExactName()
    {
        TSmartLexiconData D;
        D.NewLexicon("Form1.Lexicon1");
        QCOMPARE(D.OpenedLexiconIndex(), 0);
        D.AddItem("Form1.Lexicon1", "Ano", "Yes", 0);
        QVERIFY(D.IsIncluded("Form1.Lexicon1", "Ano"));
        QVERIFY(!D.IsIncluded("form1.lexicon1", "Ano"));
        QCOMPARE(D.OpenedLexiconIndex(), -2);
        D.AddItem("form1.lexicon1", "Ne", "No", 0);
        QCOMPARE(D.ItemsCount("Form1.Lexicon1"), quint16(1));
        QCOMPARE(D.ItemsCount("form1.lexicon1"), quint16(0));
        QCOMPARE(D.MaxItemNr("form1.lexicon1"), -1);
        quint16 Descent = 0;
        QCOMPARE(D.ReadItem("form1.lexicon1", "Ano", Descent), QString());
        QCOMPARE(Descent, quint16(255));
        QCOMPARE(D.FindTranslate("form1.lexicon1", "Ano", 512), -1);
        QCOMPARE(D.FindTranslate("Form1.Lexicon1", "Ano", 512), 0);
        QVERIFY(D.LexiconExists("form1.lexicon1"));
        D.NewLexicon("FORM1.LEXICON1"); // exists ignoring case: nothing created
        QCOMPARE(D.LexiconCount(), quint16(1));
        QCOMPARE(D.LexiconName(0), QStringLiteral("Form1.Lexicon1"));
        QVERIFY_THROWS_EXCEPTION(EListError, D.LexiconName(1));
        QCOMPARE(D.ReadItem("Nothing", 0), QString());
        QCOMPARE(D.OpenedLexiconIndex(), -1);
        QCOMPARE(D.ReadItem("Form1.Lexicon1", 0), QStringLiteral("Yes"));
        QCOMPARE(D.OpenedLexiconIndex(), 0);
        QCOMPARE(D.OpenedLexiconName(), QStringLiteral("Form1.Lexicon1"));
    }

    // The answer for a name string asked before is kept, the letter case
    // check included: asked again and again, alternately and after the
    // memory of requests starts over, the exact name reaches the lexicon
    // and the other letter case does not.
    void exactNameStaysExactWhenAskedAgain()
    {
        TSmartLexiconData D;
        const QString Exact = QStringLiteral("Form1.Lexicon1");
        const QString Other = QStringLiteral("FORM1.lexicon1");
        const QString Second = QStringLiteral("Form2.Lexicon1");
        D.NewLexicon(Exact);
        D.NewLexicon(Second);
        D.AddItem(Exact, "Ano", "Yes", 0);
        D.AddItem(Second, "Ano", "Jo", 0);
        for (int Round = 0; Round < 3; ++Round) {
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(D.ReadItem(Exact, "Ano"), QStringLiteral("Yes"));
                QCOMPARE(D.OpenedLexiconName(), Exact);
                QCOMPARE(D.ReadItem(Other, "Ano"), QString());
                QCOMPARE(D.OpenedLexiconIndex(), -2);
                QCOMPARE(D.ReadItem(Second, "Ano"), QStringLiteral("Jo"));
            }
            QVERIFY(D.LexiconExists(Other));
            for (int i = 0; i < 100; ++i)
                QVERIFY(!D.LexiconExists(QStringLiteral("Made up %1").arg(i)));
        }
    }

    void operationsOnOneSmartLexicon()
    {
        TSmartLexiconData D;
        D.NewLexicon("A");
        D.NewLexicon("B");
        D.WriteItem("A", "x", "ax", 0);
        D.WriteItem("B", "x", "bx", 1);
        D.ChangeItem("A", "x", "AX");
        QCOMPARE(D.ReadItem("A", "x"), QStringLiteral("AX"));
        QCOMPARE(D.ReadItem("B", 0), QStringLiteral("bx"));
        QCOMPARE(D.GetLocStr("B", 0), QStringLiteral("x"));
        QVERIFY(D.IsIncluded("B", 0));
        QVERIFY(!D.IsIncluded("B", 1));
        QVERIFY(!D.IsIncluded(QStringLiteral("x"))); // the global lexicon has nothing
        D.RemoveItem("A", 0);
        QCOMPARE(D.ItemsCount("A"), quint16(0));
        D.RemoveItem("B", "x");
        QCOMPARE(D.ItemsCount("B"), quint16(0));
        D.RemoveItem("Nothing", "x");
        D.ChangeItem("Nothing", "x", "y");
        D.WriteItem("Nothing", "x", "y", 0);
        QCOMPARE(D.LexiconCount(), quint16(2));
    }

    void newLanguageStepsEveryLexicon_data()
    {
        QTest::addColumn<int>("Descent");
        QTest::addColumn<int>("Stepped");
        for (auto [D, S] : {std::pair{0, 1}, {1, 2}, {253, 254}, {254, 254}, {255, 255}, {256, 256}})
            QTest::addRow("%d", D) << D << S;
    }
    void newLanguageStepsEveryLexicon()
    {
        QFETCH(int, Descent);
        QFETCH(int, Stepped);
        TSmartLexiconData D;
        D.NewLexicon("A");
        D.NewLexicon("B");
        D.AddItem("A", "t", "T", quint16(Descent));
        D.AddItem("B", "t", "T", quint16(Descent));
        D.AddItem("t", "T", quint16(Descent));
        D.NewLanguage();
        QCOMPARE(int(D.GlobalLexicon().GetLangDescent("t")), Stepped);
        quint16 Got = 0;
        D.ReadItem("A", "t", Got);
        QCOMPARE(int(Got), Stepped);
        D.ReadItem("B", "t", Got);
        QCOMPARE(int(Got), Stepped);
    }

    // Once a lexicon has been searched often it answers from a text index;
    // every change, made through the lexicon or its list, must reach it.
    void textIndexFollowsChanges()
    {
        TNamedItems L(QStringLiteral("Form1.Smart"));
        for (int i = 0; i < 200; ++i)
            L.Add(QStringLiteral("text %1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("tr %1").arg(i), 0);
        const auto CheckAll = [&L](int Count) {
            for (int r = 0; r < 2; ++r)
                for (int i = 0; i < Count; ++i) {
                    const QString T = QStringLiteral("text %1").arg(i, 3, 10, QLatin1Char('0'));
                    QCOMPARE(L.Get(T), QStringLiteral("tr %1").arg(i));
                    QCOMPARE(L.GetLocStr(quint16(L.Find(T, 1))), T);
                }
        };
        CheckAll(200);
        QCOMPARE(L.Get(QStringLiteral("TEXT 001")), QString()); // texts are exact
        L.Add(QStringLiteral("a first text"), QStringLiteral("first"), 0); // moves every entry
        QCOMPARE(L.Get(QStringLiteral("a first text")), QStringLiteral("first"));
        CheckAll(200);
        L.Remove(QStringLiteral("text 000"));
        QCOMPARE(L.Get(QStringLiteral("text 000")), QString());
        QCOMPARE(L.Find(QStringLiteral("text 199"), 1), 199);
        L.Items().AddLine(QStringLiteral("0 through the list"), QStringLiteral("list"), 0);
        QCOMPARE(L.Get(QStringLiteral("0 through the list")), QStringLiteral("list"));
        QCOMPARE(L.Find(QStringLiteral("text 199"), 1), 200);
        L.Clear();
        QCOMPARE(L.Get(QStringLiteral("text 100")), QString());
    }

    void assignGlobalsAndClear()
    {
        TSmartLexiconData D;
        D.AddItem("b", "B", 256);
        D.AddItem("a", "A", 1);
        D.NewLexicon("L");
        D.AddItem("L", "x", "X", 0);
        TNamedItems Copy("Work");
        Copy.Add("old", "Old", 0);
        Copy.AssignGlobals(D);
        QCOMPARE(Copy.Count(), quint16(2));
        QCOMPARE(Copy.Get("a"), QStringLiteral("A"));
        QCOMPARE(Copy.GetLangDescent("b"), quint16(256));
        QVERIFY(!Copy.IsIncluded("old"));
        D.GlobalLexicon().AssignGlobals(D); // its own globals: unchanged
        QCOMPARE(D.ItemsCount(), quint16(2));

        D.ClearGlobals();
        QCOMPARE(D.ItemsCount(), quint16(0));
        QCOMPARE(D.ItemsCount("L"), quint16(1));
        D.AddItem("g", "G", 0);
        D.Clear();
        QCOMPARE(D.ItemsCount(), quint16(0));
        QCOMPARE(D.LexiconCount(), quint16(0));
        QCOMPARE(D.OpenedLexiconIndex(), -2);
        QCOMPARE(D.ReadItem("L", "x"), QString());
    }
};

QTEST_GUILESS_MAIN(TestSmartLexiconData)
#include "tst_smart_lexicon_data.moc"
