// The translation checks on rows a translator could write: each fault found
// under its rule with a reason that names what is wrong, and the lookalikes
// of faults (a literal "&&", "100 %", moved Qt placeholders, an untranslated
// row) found as nothing.

#include "glotta/engine/checks/translation_checks.h"

#include <QTest>

namespace {
// "rule:fragment" per finding, the fragment being a part of the reason that
// must be there ("" when any reason does).
QStringList Described(const QList<TCheckFinding> &Findings)
{
    QStringList L;
    for (const TCheckFinding &F : Findings)
        L << CheckRuleName(F.Rule) + QLatin1Char(':') + F.Reason;
    return L;
}
} // namespace

class TstTranslationChecks : public QObject
{
    Q_OBJECT

private slots:
    void Row_data()
    {
        QTest::addColumn<QString>("Design");
        QTest::addColumn<QString>("Translation");
        QTest::addColumn<bool>("Own");
        // Each expected finding as "rule|a text its reason contains".
        QTest::addColumn<QStringList>("Expected");

        QTest::newRow("faithful") << "&Open %1 of %2\n" << "&Otevřít %1 z %2\n" << true << QStringList();
        QTest::newRow("untranslated row is no fault") << "&Save %1" << "" << false << QStringList();
        QTest::newRow("empty own") << "&Save %1" << "" << true << QStringList{"empty-own|empty"};
        QTest::newRow("empty design, empty own") << "" << "" << true << QStringList();
        QTest::newRow("qt placeholder missing") << "Copy %1 to %2" << "Kopírovat %1" << false
                                                << QStringList{"placeholders|%2"};
        QTest::newRow("qt placeholder added") << "Copy %1" << "Kopírovat %1 do %3" << false
                                              << QStringList{"placeholders|adds the placeholder %3"};
        QTest::newRow("qt placeholders may move and repeat") << "Copy %1 to %2" << "%2: %1 (%1)" << false
                                                             << QStringList();
        QTest::newRow("%L1 is %1") << "%1 files" << "%L1 souborů" << false << QStringList();
        QTest::newRow("two-digit qt placeholder") << "%10 and %1" << "%1 a %1" << false
                                                  << QStringList{"placeholders|%10"};
        QTest::newRow("plural %n lost") << "%n file(s)" << "soubory" << false << QStringList{"placeholders|%n"};
        QTest::newRow("printf lost") << "Saved %d of %s" << "Uloženo %d" << false << QStringList{"placeholders|%s"};
        QTest::newRow("printf reordered") << "%d files in %s" << "V %s je %d souborů" << false
                                          << QStringList{"placeholders|another order"};
        QTest::newRow("a bare width is a qt placeholder") << "%5d left" << "zbývá %5d" << false << QStringList();
        QTest::newRow("printf width is part of the form") << "%5.2f MB" << "%f MB" << false
                                                          << QStringList{"placeholders|%5.2f", "placeholders|%f"};
        QTest::newRow("printf positional may move") << "%1$d files in %2$s" << "V %2$s je %1$d souborů" << false
                                                    << QStringList();
        QTest::newRow("named lost") << "Hello {name}, {count} new" << "Ahoj {name}" << false
                                    << QStringList{"placeholders|{count}"};
        QTest::newRow("named renamed") << "Hello {name}" << "Ahoj {jmeno}" << false
                                       << QStringList{"placeholders|{name}", "placeholders|{jmeno}"};
        QTest::newRow("percent signs are no placeholders") << "100 % done, 50%% left" << "100 % hotovo" << false
                                                           << QStringList();
        QTest::newRow("accelerator lost") << "&File" << "Soubor" << false << QStringList{"accelerator|lost"};
        QTest::newRow("accelerator doubled") << "&File" << "&Sou&bor" << false << QStringList{"accelerator|2"};
        QTest::newRow("&& is an ampersand") << "Save && &Close" << "Uložit && &zavřít" << false << QStringList();
        QTest::newRow("&& only is no accelerator lost") << "A && B" << "A a B" << false << QStringList();
        QTest::newRow("trailing & marks nothing") << "Drag &" << "Táhnout" << false << QStringList();
        QTest::newRow("leading blank lost") << "  indented" << "odsazeno" << false
                                            << QStringList{"blanks|begins with no blank, the design text with 2 blanks"};
        QTest::newRow("trailing blank added") << "Name:" << "Jméno: " << false
                                              << QStringList{"blanks|ends with 1 blank"};
        QTest::newRow("other trailing blank") << "Name: " << QString("Jméno:") + QChar(0xA0) << false
                                              << QStringList{"blanks|other blanks"};
        QTest::newRow("blanks beside a break count apart") << "First\n" << "První \n" << false
                                                           << QStringList{"blanks|ends with 1 blank"};
        QTest::newRow("line break lost") << "First\r\nSecond" << "První Druhý" << false
                                         << QStringList{"line-breaks|no line break, the design text 1 line break"};
        QTest::newRow("CR LF and LF count alike") << "a\r\nb\nc" << "a\nb\r\nc" << false << QStringList();
        QTest::newRow("several faults of one row")
            << "&Copy %1\n" << "Kopírovat " << false
            << QStringList{"placeholders|%1", "accelerator|lost", "blanks|ends with 1 blank", "line-breaks|"};
    }

    void Row()
    {
        QFETCH(QString, Design);
        QFETCH(QString, Translation);
        QFETCH(bool, Own);
        QFETCH(QStringList, Expected);
        const QStringList Found = Described(CheckTranslation(Design, Translation, Own));
        QCOMPARE(Found.size(), Expected.size());
        for (int i = 0; i < Expected.size(); ++i) {
            const QString Rule = Expected.at(i).section(QLatin1Char('|'), 0, 0);
            const QString Fragment = Expected.at(i).section(QLatin1Char('|'), 1);
            QVERIFY2(Found.at(i).startsWith(Rule + QLatin1Char(':')), qPrintable(Found.at(i)));
            QVERIFY2(Found.at(i).contains(Fragment), qPrintable(Found.at(i) + " lacks " + Fragment));
        }
        if (!Own)
            QCOMPARE(Described(CheckTranslation(Design, Translation)), Found);
    }

    void RuleNames()
    {
        for (TCheckRule R : {TCheckRule::Placeholders, TCheckRule::Accelerator, TCheckRule::AcceleratorClash,
                             TCheckRule::Blanks, TCheckRule::LineBreaks, TCheckRule::EmptyOwn, TCheckRule::Obsolete}) {
            TCheckRule Back = TCheckRule::Obsolete;
            QVERIFY(!CheckRuleName(R).isEmpty());
            QVERIFY(CheckRuleOfName(CheckRuleName(R), Back));
            QCOMPARE(Back, R);
        }
        TCheckRule Unused;
        QVERIFY(!CheckRuleOfName(QStringLiteral("Placeholders"), Unused));
    }

    void AcceleratorClashes_data()
    {
        QTest::addColumn<QStringList>("Rows"); // "id|design|translation" per control of one window
        QTest::addColumn<QStringList>("Clashing"); // the ids reported, in order

        QTest::newRow("translation makes two share") << QStringList{"open|&Open|&Otevřít", "close|&Close|&Obnovit", "x|E&xit|&Konec"}
                                                     << QStringList{"open", "close"};
        QTest::newRow("letter case does not matter") << QStringList{"a|&Apply|&Použít", "b|&Back|Z&pět"}
                                                     << QStringList{"a", "b"};
        QTest::newRow("untranslated control keeps its design letter")
            << QStringList{"a|&Apply|", "b|&Back|&Aplikovat"} << QStringList{"a", "b"};
        QTest::newRow("the design's own clash is not the translation's")
            << QStringList{"a|&Apply|&Použít", "b|&All|&Vše", "c|Ad&d|&Doplnit"} << QStringList{};
        QTest::newRow("a clash between a design clash and a third control")
            << QStringList{"a|&Apply|&Použít", "b|&All|&Použít vše", "c|&Back|&Pryč"} << QStringList{"a", "b", "c"};
        QTest::newRow("distinct letters") << QStringList{"a|&Apply|&Použít", "b|&Back|&Zpět", "c|No accelerator|Bez"}
                                          << QStringList{};
        QTest::newRow("&& shows no letter") << QStringList{"a|A && B|A && B", "b|&Apply|&A"} << QStringList{};
    }

    void AcceleratorClashes()
    {
        QFETCH(QStringList, Rows);
        QFETCH(QStringList, Clashing);
        QList<TCheckGroupItem> Items;
        for (const QString &Row : Rows)
            Items << TCheckGroupItem{Row.section('|', 0, 0), Row.section('|', 1, 1), Row.section('|', 2)};
        QStringList Ids;
        for (const TCheckGroupFinding &F : CheckAcceleratorClashes(Items)) {
            QCOMPARE(F.Finding.Rule, TCheckRule::AcceleratorClash);
            Ids << F.Id;
            for (const QString &Other : Clashing)
                if (Other != F.Id)
                    QVERIFY2(F.Finding.Reason.contains(Other), qPrintable(F.Finding.Reason));
        }
        QCOMPARE(Ids, Clashing);
    }

    void ObsoleteLines()
    {
        const QList<TCheckGroupFinding> Found =
            CheckObsoleteLines({"Form1@#0[", "gone@Form1#0[", "Label1@Form1#0[", "old@Form1#1["},
                               {"Form1@#0[", "Label1@Form1#0["});
        QCOMPARE(Found.size(), 2);
        QCOMPARE(Found.at(0).Id, QStringLiteral("gone@Form1#0["));
        QCOMPARE(Found.at(1).Id, QStringLiteral("old@Form1#1["));
        QCOMPARE(Found.at(0).Finding.Rule, TCheckRule::Obsolete);
    }
};

QTEST_GUILESS_MAIN(TstTranslationChecks)
#include "tst_translation_checks.moc"
