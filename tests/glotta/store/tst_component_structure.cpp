#include "glotta/store/component_structure.h"
#include "toolkit/core/exception.h"
#include "glotta/store/property_names.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {
TFullStructLine Full(const QString &Comp, const QString &Owner, quint16 PropertyID, const QString &Addr,
                     const QString &Translation, quint16 Descent = 0, quint16 Changeable = 1)
{
    TFullStructLine L;
    L.CompName = Comp;
    L.OwnerName = Owner;
    L.PropertyID = PropertyID;
    L.ItemAddr = Addr;
    L.Translation = Translation;
    L.Descent = Descent;
    L.Changeable = Changeable;
    return L;
}

TSimpleStructLine Simple(const QString &ID, const QString &Translation, quint16 Descent = 0,
                         quint16 Changeable = 1)
{
    return TSimpleStructLine{ID, Translation, Descent, Changeable};
}

QStringList IDs(const TComponentStructure &S)
{
    QStringList R;
    for (int i = 0; i < S.Count(); ++i)
        R << S.LineID(i);
    return R;
}
} // namespace

class TestComponentStructure : public QObject
{
    Q_OBJECT
private slots:
    void lineIDHasItsFourParts_data()
    {
        QTest::addColumn<QString>("Comp");
        QTest::addColumn<QString>("Owner");
        QTest::addColumn<int>("PropertyID");
        QTest::addColumn<QString>("Addr");
        QTest::addColumn<QString>("ID");
        QTest::newRow("button caption") << "Button1" << "Form1" << 0 << "" << "Button1@Form1#0[";
        QTest::newRow("form caption") << "Form1" << "" << 0 << "" << "Form1@#0[";
        QTest::newRow("list item") << "ListBox1" << "Form1" << 33 << "3" << "ListBox1@Form1#33[3";
        QTest::newRow("extension") << "X" << "F" << 1001 << "1,Font:Name" << "X@F#1001[1,Font:Name";
    }
    void lineIDHasItsFourParts()
    {
        QFETCH(QString, Comp);
        QFETCH(QString, Owner);
        QFETCH(int, PropertyID);
        QFETCH(QString, Addr);
        QFETCH(QString, ID);
        QCOMPARE(TComponentStructure::MakeLineID(Comp, Owner, quint16(PropertyID), Addr), ID);

        TComponentStructure S;
        S.AddLine(Full(Comp, Owner, quint16(PropertyID), Addr, "T", 2, 5));
        QCOMPARE(S.LineID(0), ID);
        const TFullStructLine F = S.GetFull(0);
        QCOMPARE(F.CompName, Comp);
        QCOMPARE(F.OwnerName, Owner);
        QCOMPARE(int(F.PropertyID), PropertyID);
        QCOMPARE(F.ItemAddr, Addr);
        QCOMPARE(F.Translation, QStringLiteral("T"));
        QCOMPARE(F.Descent, quint16(2));
        QCOMPARE(F.Changeable, quint16(5));
        QCOMPARE(int(S.GetPropertyID(0)), PropertyID);
        QCOMPARE(S.GetComponentName(0), Comp);
    }

    void addingAPresentIDOverwritesTheLine()
    {
        TComponentStructure S;
        S.AddLine(Full("Button1", "Form1", 0, "", "first", 0, 1));
        S.AddLine(Full("Button1", "Form1", 0, "", "second", 3, 4));
        S.AddLine(Simple("Button1@Form1#1[", "hint"));
        QCOMPARE(S.Count(), 2);
        const TSimpleStructLine L = S.GetSimple(S.Find("Button1", "Form1", 0, ""));
        QCOMPARE(L.Translation, QStringLiteral("second"));
        QCOMPARE(L.Descent, quint16(3));
        QCOMPARE(L.Changeable, quint16(4));
        S.AddLine(Simple("Button1@Form1#0[", "third", 0, 1));
        QCOMPARE(S.Count(), 2);
        QCOMPARE(S.GetString("Button1", "Form1", 0, ""), QStringLiteral("third"));
    }

    void lookupIsCaseSensitive()
    {
        TComponentStructure S;
        S.AddLine(Full("Button1", "Form1", 0, "", "a"));
        S.AddLine(Full("button1", "Form1", 0, "", "b"));
        QCOMPARE(S.Count(), 2);
        QCOMPARE(S.Find("BUTTON1", "Form1", 0, ""), -1);
        QCOMPARE(S.LastFoundIndex(), -1);
        QCOMPARE(S.FoundItem(), QString());
        QCOMPARE(S.GetTranslation(S.Find("button1", "Form1", 0, "")), QStringLiteral("b"));
        QCOMPARE(S.FoundItem(), QStringLiteral("b"));
        S.SetFoundItem("B");
        QCOMPARE(S.GetString("button1", "Form1", 0, ""), QStringLiteral("B"));
    }

    // Lines must be found and ordered the same whatever order they were added in:
    // in order (appended), reversed, shuffled, and with repeats mixed in.
    void orderDoesNotDependOnInsertionOrder_data()
    {
        QTest::addColumn<int>("Mode");
        QTest::addColumn<int>("Lines");
        QTest::newRow("sorted") << 0 << 500;
        QTest::newRow("reversed") << 1 << 500;
        QTest::newRow("shuffled few") << 2 << 40;
        QTest::newRow("shuffled many") << 2 << 3000;
    }
    void orderDoesNotDependOnInsertionOrder()
    {
        QFETCH(int, Mode);
        QFETCH(int, Lines);
        QStringList Names;
        for (int i = 0; i < Lines; ++i)
            Names << QStringLiteral("C%1").arg(i) << QStringLiteral("c%1").arg(i);
        TComponentStructure Reference;
        for (const QString &N : Names)
            Reference.AddLine(Full(N, "F", 0, "", N + "!"));
        QStringList Order = IDs(Reference);
        QStringList Sorted = Order;
        std::sort(Sorted.begin(), Sorted.end(), [&](const QString &A, const QString &B) {
            return Reference.Lines().CompareStrings(A, B) < 0;
        });
        QCOMPARE(Order, Sorted);

        if (Mode == 1)
            std::reverse(Names.begin(), Names.end());
        if (Mode == 2) {
            QRandomGenerator G(42);
            std::shuffle(Names.begin(), Names.end(), G);
        }
        TComponentStructure S;
        for (const QString &N : Names)
            S.AddLine(Full(N, "F", 0, "", "old"));
        for (int i = 0; i < Names.size(); i += 3) // repeats replace, both while waiting and after
            S.AddLine(Full(Names[i], "F", 0, "", Names[i] + "!"));
        for (int i = 1; i < Names.size(); i += 3)
            S.AddLine(Full(Names[i], "F", 0, "", Names[i] + "!"));
        for (int i = 2; i < Names.size(); i += 3)
            S.AddLine(Full(Names[i], "F", 0, "", Names[i] + "!"));
        QCOMPARE(S.Count(), Names.size());
        QCOMPARE(IDs(S), Order);
        for (const QString &N : Names) {
            const int i = S.Find(N, "F", 0, "");
            QVERIFY(i >= 0);
            QCOMPARE(S.GetTranslation(i), N + "!");
        }
    }

    // Repeated searches switch to a faster index; every kind of change to the
    // lines must still be seen by the next search.
    void searchesStayRightWhileLinesMove()
    {
        TComponentStructure S;
        for (int i = 0; i < 200; i += 2)
            S.AddLine(Full(QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), "F", 0, "", "t"));
        const auto Index = [&S](int i) { return S.Find(QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')), "F", 0, ""); };
        for (int Round = 0; Round < 3; ++Round)
            for (int i = 0; i < 200; i += 2)
                QCOMPARE(Index(i), i / 2);
        S.AddLine(Full("C001", "F", 0, "", "t")); // into the middle
        QCOMPARE(Index(1), 1);
        QCOMPARE(Index(2), 2);
        S.AddLine(Full("C999", "F", 0, "", "t")); // appended
        QCOMPARE(Index(999), 101);
        QCOMPARE(Index(198), 100);
        S.DeleteLine(0);
        QCOMPARE(Index(0), -1);
        QCOMPARE(Index(1), 0);
        QCOMPARE(Index(999), 100);
        for (int Round = 0; Round < 3; ++Round)
            QCOMPARE(Index(100), 50);
        QVERIFY(S.SwitchLanguageOwner("F", "G"));
        QCOMPARE(Index(100), -1);
        QCOMPARE(S.Find("C100", "G", 0, ""), 50);
        QCOMPARE(S.GetString("C100", "G", 0, ""), QStringLiteral("t"));
        S.Clear();
        QCOMPARE(S.Find("C100", "G", 0, ""), -1);
        S.AddLine(Full("C100", "G", 0, "", "again"));
        QCOMPARE(S.Find("C100", "G", 0, ""), 0);
    }

    // Lines added once the ID index answers: one appended in order keeps the
    // index, one out of order makes it rebuild; both must be found.
    void linesAddedAfterTheIndexAreFound()
    {
        TComponentStructure S;
        const auto ID = [](int i) { return QStringLiteral("C%1").arg(i, 3, 10, QLatin1Char('0')); };
        for (int i = 0; i < 100; i += 2)
            S.AddLine(Full(ID(i), "F", 0, "", "t"));
        for (int Round = 0; Round < 2; ++Round)
            for (int i = 0; i < 100; i += 2)
                QCOMPARE(S.Find(ID(i), "F", 0, ""), i / 2);
        S.AddLine(Full(ID(500), "F", 0, "", "appended"));
        QCOMPARE(S.Find(ID(500), "F", 0, ""), 50);
        QCOMPARE(S.GetString(ID(500), "F", 0, ""), QStringLiteral("appended"));
        QCOMPARE(S.Find(ID(98), "F", 0, ""), 49);
        S.AddLine(Full(ID(51), "F", 0, "", "inserted"));
        QCOMPARE(S.Find(ID(51), "F", 0, ""), 26);
        QCOMPARE(S.GetString(ID(51), "F", 0, ""), QStringLiteral("inserted"));
        QCOMPARE(S.Find(ID(500), "F", 0, ""), 51);
        QCOMPARE(S.Find(ID(52), "F", 0, ""), 27);
    }

    void outOfRangeReadsGiveDefaults_data()
    {
        QTest::addColumn<int>("Index");
        QTest::newRow("-1") << -1;
        QTest::newRow("Count") << 1;
    }
    void outOfRangeReadsGiveDefaults()
    {
        QFETCH(int, Index);
        TComponentStructure S;
        S.AddLine(Full("A", "F", 0, "", "x"));
        const TFullStructLine F = S.GetFull(Index);
        QVERIFY(F.CompName.isEmpty() && F.OwnerName.isEmpty() && F.Translation.isEmpty() && F.ItemAddr.isEmpty());
        QCOMPARE(F.PropertyID, quint16(521));
        QCOMPARE(F.Descent, quint16(255));
        QCOMPARE(F.Changeable, quint16(0));
        const TSimpleStructLine L = S.GetSimple(Index);
        QVERIFY(L.LineID.isEmpty() && L.Translation.isEmpty());
        QCOMPARE(L.Descent, quint16(255));
        QCOMPARE(L.Changeable, quint16(0));
        QCOMPARE(S.LineID(Index), QString());
    }

    void indexedOperationsReportListErrors()
    {
        TComponentStructure S;
        S.AddLine(Full("A", "F", 0, "", "x", 0, 1));
        S.Find("A", "F", 0, "");
        const QStringList None;
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetTranslation(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetDescent(-1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetChangeable(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetPropertyID(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetComponentName(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.IsGlobal(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.ValidItem(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.SetupLine(1, "y", 0, 0));
        QVERIFY_THROWS_EXCEPTION(EListError, S.SetTranslation(-1, "y"));
        QVERIFY_THROWS_EXCEPTION(EListError, S.DeleteLine(1));
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetPropertyName(1, None));
        QVERIFY_THROWS_EXCEPTION(EListError, S.Find(-1, S));
        QVERIFY_THROWS_EXCEPTION(EListError, S.GetString(-1, S));
        QCOMPARE(S.LastFoundIndex(), 0); // failed calls changed nothing
        QCOMPARE(S.GetTranslation(0), QStringLiteral("x"));
        // FoundItem on a line that has gone since the search.
        S.DeleteLine(0);
        QCOMPARE(S.LastFoundIndex(), 0);
        QVERIFY_THROWS_EXCEPTION(EListError, S.FoundItem());
        QVERIFY_THROWS_EXCEPTION(EListError, S.SetFoundItem("z"));
    }

    void findByLineOfAnotherStructure()
    {
        TComponentStructure A, B;
        A.AddLine(Full("X", "F", 0, "", "ax"));
        A.AddLine(Full("Y", "F", 0, "", "ay"));
        B.AddLine(Full("Y", "F", 0, "", "by"));
        B.AddLine(Full("Z", "F", 0, "", "bz"));
        QCOMPARE(A.Find(0, B), 1);
        QCOMPARE(A.GetString(0, B), QStringLiteral("ay"));
        QCOMPARE(A.Find(1, B), -1);
        QCOMPARE(A.GetString(1, B), QString());
        A.Find(0, B);
        QCOMPARE(A.GetString(2, B), QString()); // too large: empty, LastFoundIndex kept
        QCOMPARE(A.LastFoundIndex(), 1);
        QCOMPARE(A.Find(2, B), -1);
        QCOMPARE(A.LastFoundIndex(), -1);
    }

    void addTextPropertyKeepsOnlyTextsWithLetters_data()
    {
        QTest::addColumn<QString>("Input");
        QTest::addColumn<bool>("Added");
        QTest::addColumn<QString>("Stored");
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("time") << "12:30" << false << "";
        QTest::newRow("punctuation") << "-- ; ?" << false << "";
        QTest::newRow("word") << "Konec" << true << "Konec";
        QTest::newRow("line break") << "Ano\r\nNe" << true << "Ano'#13''#10'Ne";
        QTest::newRow("accented only") << QString::fromUtf8("\xC3\xA9") << true << QString::fromUtf8("\xC3\xA9");
    }
    void addTextPropertyKeepsOnlyTextsWithLetters()
    {
        QFETCH(QString, Input);
        QFETCH(bool, Added);
        QFETCH(QString, Stored);
        TComponentStructure S;
        S.AddTextProperty("Label1", "Form1", 0, Input, "");
        QCOMPARE(S.Count(), Added ? 1 : 0);
        if (!Added)
            return;
        QCOMPARE(S.LineID(0), QStringLiteral("Label1@Form1#0["));
        QCOMPARE(S.GetTranslation(0), Stored);
        QCOMPARE(S.GetDescent(0), quint16(255));
        QCOMPARE(S.GetChangeable(0), quint16(1));
    }

    void validItemClearsObsolete_data()
    {
        QTest::addColumn<int>("Before");
        QTest::addColumn<bool>("Valid");
        QTest::addColumn<int>("After");
        QTest::newRow("3") << 3 << true << 1;
        QTest::newRow("2") << 2 << false << 0;
        QTest::newRow("7") << 7 << true << 5;
        QTest::newRow("4") << 4 << false << 4;
    }
    void validItemClearsObsolete()
    {
        QFETCH(int, Before);
        QFETCH(bool, Valid);
        QFETCH(int, After);
        TComponentStructure S;
        S.AddLine(Full("A", "F", 0, "", "x", 0, quint16(Before)));
        QCOMPARE(S.ValidItem(0), Valid);
        QCOMPARE(int(S.GetChangeable(0)), After);
    }

    void descentStepAndGlobalBit_data()
    {
        QTest::addColumn<int>("Descent");
        QTest::addColumn<int>("Stepped");
        QTest::addColumn<bool>("Global");
        QTest::newRow("0") << 0 << 1 << false;
        QTest::newRow("253") << 253 << 254 << false;
        QTest::newRow("254") << 254 << 254 << false;
        QTest::newRow("255") << 255 << 255 << false;
        QTest::newRow("256") << 256 << 256 << true;
        QTest::newRow("257") << 257 << 257 << true;
    }
    void descentStepAndGlobalBit()
    {
        QFETCH(int, Descent);
        QFETCH(int, Stepped);
        QFETCH(bool, Global);
        TComponentStructure S;
        S.AddLine(Full("A", "F", 0, "", "x", quint16(Descent)));
        S.AddLine(Full("B", "F", 0, "", "y", quint16(Descent)));
        QCOMPARE(S.IsGlobal(0), Global);
        S.NewLanguage();
        QCOMPARE(int(S.GetDescent(0)), Stepped);
        QCOMPARE(int(S.GetDescent(1)), Stepped);
    }

    void setupLineBy()
    {
        TComponentStructure Target, Source;
        Target.AddLine(Full("A", "F", 0, "", "old", 255, 2));
        Source.AddLine(Full("S", "F", 0, "", "new", 3, 1));
        Target.SetupLineBy(0, 0, Source, 4);
        QCOMPARE(Target.GetTranslation(0), QStringLiteral("new"));
        QCOMPARE(Target.GetDescent(0), quint16(3));
        QCOMPARE(Target.GetChangeable(0), quint16(5));
        for (auto [Line, SourceLine] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}})
            Target.SetupLineBy(Line, SourceLine, Source, 2);
        QCOMPARE(Target.GetChangeable(0), quint16(5));
        Target.SetupLine(0, "set", 7, 0);
        QCOMPARE(Target.GetSimple(0).Translation, QStringLiteral("set"));
        QCOMPARE(Target.GetSimple(0).Descent, quint16(7));
        QCOMPARE(Target.GetSimple(0).Changeable, quint16(0));
    }

    void assignCopiesEveryLineAndClearKeepsLastFound()
    {
        TComponentStructure A, B;
        A.AddLine(Full("Z", "F", 0, "", "z", 1, 5));
        A.AddLine(Full("A", "F", 33, "1", "a", 256, 1));
        B.AddLine(Full("Old", "F", 0, "", "o"));
        QCOMPARE(B.Find("Old", "F", 0, ""), 0);
        B.Assign(A);
        QCOMPARE(IDs(B), IDs(A));
        for (int i = 0; i < A.Count(); ++i) {
            QCOMPARE(B.GetTranslation(i), A.GetTranslation(i));
            QCOMPARE(B.GetDescent(i), A.GetDescent(i));
            QCOMPARE(B.GetChangeable(i), A.GetChangeable(i));
        }
        B.Assign(B);
        QCOMPARE(B.Count(), 2);
        B.Copy(5, A); // not a line of A: nothing
        B.Copy(-1, A);
        B.Copy(A.Count(), A); // one past the end
        QCOMPARE(B.Count(), 2);
        B.Find("A", "F", 33, "1");
        B.Clear();
        QCOMPARE(B.Count(), 0);
        QCOMPARE(B.LastFoundIndex(), 0);
    }

    void propertyIDThatIsNotANumber()
    {
        TComponentStructure S;
        S.AddLine(Simple("A@F#x[", "t"));
        S.AddLine(Simple("B@F#70000[", "t"));
        S.AddLine(Simple("C@F#12", "t")); // no bracket
        QCOMPARE(S.GetFull(0).PropertyID, quint16(521));
        QVERIFY_THROWS_EXCEPTION(EConvertError, S.GetPropertyID(0));
        QCOMPARE(S.GetPropertyID(1), quint16(521));
        QCOMPARE(S.GetPropertyName(0, {}), QStringLiteral("Unknown"));
        QCOMPARE(S.GetPropertyID(2), quint16(12));
        QCOMPARE(S.GetFull(2).ItemAddr, QString());
        QCOMPARE(S.GetPropertyName(2, {}), QStringLiteral("FileNameLabel"));
    }

    void propertyName_data()
    {
        QTest::addColumn<int>("PropertyID");
        QTest::addColumn<QString>("Addr");
        QTest::addColumn<QString>("Name");
        QTest::newRow("caption") << 0 << "" << "Caption";
        QTest::newRow("list item") << 33 << "3" << "Items.Item[3]";
        QTest::newRow("nested items") << 33 << "1,4" << "Items[1].Item.Item[4]";
        QTest::newRow("column header") << 69 << "2.500" << "Columns[2].Header";
        QTest::newRow("name token") << 96 << "Font:Name" << "Filter.Font.Name";
        QTest::newRow("name token with =") << 96 << "a=b" << "Filter.a b";
        QTest::newRow("indexed name token") << 33 << "2,Sub:Caption" << "Items[2].Item.Sub.Caption";
        QTest::newRow("addition 1000") << 1000 << "" << "Unknown";
        QTest::newRow("addition 1001") << 1001 << "" << "Unknown";
        QTest::newRow("unassigned 200") << 200 << "" << "Unknown";
        QTest::newRow("unnamed 81") << 81 << "" << "";
        QTest::newRow("last string property") << 22 << "" << "EmptyText";
        QTest::newRow("last strings property") << 42 << "" << "AutoCompleteList";
        QTest::newRow("button categories") << 66 << "" << "Category";
        QTest::newRow("gestures") << 103 << "" << "Gestures";
        QTest::newRow("last other property") << 109 << "" << "WebOptions";
        QTest::newRow("past the other properties") << 110 << "" << "";
        QTest::newRow("first sub-property") << 500 << "" << "Header";
        QTest::newRow("last sub-property") << 520 << "" << "ServerMessages";
        QTest::newRow("521") << 521 << "" << "Unknown";
        QTest::newRow("522") << 522 << "" << "Unknown";
        QTest::newRow("past a range") << 50 << "" << "";
        QTest::newRow("sub-property on empty name") << 81 << "3.500" << "[3].Header";
        QTest::newRow("sub-property without index") << 0 << "x.501" << "Caption.Footer";
        QTest::newRow("sub-property 499 is none") << 33 << "1.499" << "Items.Item[1]";
        QTest::newRow("sub-property not a number") << 33 << "1.zz" << "Items.Item[1]";
        QTest::newRow("sub-property above 520") << 69 << "0.9000" << "Columns[0].Unknown";
        QTest::newRow("sub-property 520, the last") << 69 << "0.520" << "Columns[0].ServerMessages";
        QTest::newRow("sub-property 521") << 69 << "0.521" << "Columns[0].Unknown";
        QTest::newRow("sub-property 519 unnamed") << 69 << "0.519" << "Columns[0].";
        QTest::newRow("sub-property in 0-127") << 69 << "0.1" << "Columns[0].Hint";
        QTest::newRow("index -32000 is none") << 33 << "-32000" << "Items";
        QTest::newRow("index -31999") << 33 << "-31999" << "Items.Item[-31999]";
        QTest::newRow("punctuation token") << 33 << "?" << "Items";
        QTest::newRow("empty tokens") << 33 << ",,5" << "Items.Item[5]";
        QTest::newRow("trailing comma") << 33 << "5," << "Items.Item[5]";
        QTest::newRow("three levels") << 68 << "0,1,2.513" << "Items[0].Item[1].Item[2].Name";
    }
    void propertyName()
    {
        QFETCH(int, PropertyID);
        QFETCH(QString, Addr);
        QFETCH(QString, Name);
        TComponentStructure S;
        S.AddLine(Full("C", "F", quint16(PropertyID), Addr, "t"));
        QCOMPARE(S.GetPropertyName(0, {QStringLiteral("Unknown")}), Name);
    }

    void propertyNameOfAnAddition()
    {
        TComponentStructure S;
        S.AddLine(Full("C", "F", 1001, "", "t"));
        QCOMPARE(S.GetPropertyName(0, {"Series", "Axis"}), QStringLiteral("Axis"));
    }

    void switchLanguageOwner()
    {
        TComponentStructure Empty;
        QVERIFY(!Empty.SwitchLanguageOwner("Form1", "Form2"));

        TComponentStructure S;
        // Case-folded order would put "b@Form1" between "A@..." and "C@..."; a
        // rename must re-sort.
        S.AddLine(Full("Button1", "Form1", 0, "", "Konec", 0, 5));
        S.AddLine(Full("Zeta", "Form1", 0, "", "z"));
        S.AddLine(Full("Form1", "", 0, "", "Titulek"));
        S.AddLine(Simple("Odd@Form1", "no hash"));
        S.AddLine(Full("Label1", "form1", 0, "", "other case"));
        const QStringList Before = IDs(S);
        QVERIFY(!S.SwitchLanguageOwner("Nobody", "Form2"));
        QCOMPARE(IDs(S), Before);

        QVERIFY(S.SwitchLanguageOwner("Form1", "Form2"));
        QCOMPARE(S.Find("Button1", "Form1", 0, ""), -1);
        const int i = S.Find("Button1", "Form2", 0, "");
        QVERIFY(i >= 0);
        QCOMPARE(S.GetTranslation(i), QStringLiteral("Konec"));
        QCOMPARE(S.GetChangeable(i), quint16(5));
        QVERIFY(S.Find("Zeta", "Form2", 0, "") >= 0);
        QVERIFY(S.Find("Label1", "form1", 0, "") >= 0); // other letter case: not renamed
        QVERIFY(S.Find("Odd@Form1") >= 0);             // no "#" after the owner: kept
        QVERIFY(S.Find("Form1", "", 0, "") >= 0);
        QStringList Sorted = IDs(S);
        std::sort(Sorted.begin(), Sorted.end(),
                  [&](const QString &A, const QString &B) { return S.Lines().CompareStrings(A, B) < 0; });
        QCOMPARE(IDs(S), Sorted);
    }

    void switchLanguageOwnerOntoAPresentIDKeepsTheRenamedLine()
    {
        TComponentStructure S;
        S.AddLine(Full("Button1", "Form1", 0, "", "renamed"));
        S.AddLine(Full("Button1", "Form2", 0, "", "present"));
        S.AddLine(Full("Other", "Form2", 0, "", "kept"));
        QVERIFY(S.SwitchLanguageOwner("Form1", "Form2"));
        QCOMPARE(IDs(S), QStringList({"Button1@Form2#0[", "Other@Form2#0["}));
        QCOMPARE(S.GetString("Button1", "Form2", 0, ""), QStringLiteral("renamed"));
    }
};

QTEST_GUILESS_MAIN(TestComponentStructure)
#include "tst_component_structure.moc"
