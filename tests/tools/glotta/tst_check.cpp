// glotta check: a fixture with one fault of each kind, each found with its
// file line, component path and rule; the installer's shipped language is
// clean against its stored design; accelerators are judged per menu when
// the template comes from a form.

#include "tests/tools/glotta/tool_run.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
// "line|path|rule" of every finding line of the output.
QStringList Findings(const QString &Out)
{
    QStringList L;
    static const QRegularExpression Finding(":(\\d+): (\\S+) \\([^)]*\\): ([a-z-]+): ");
    for (const QString &Line : Out.split('\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch M = Finding.match(Line);
        L << (M.hasMatch() ? M.captured(1) + '|' + M.captured(2) + '|' + M.captured(3) : Line);
    }
    return L;
}
} // namespace

class TstCheck : public QObject
{
    Q_OBJECT

private slots:
    void oneFaultOfEachKind_data()
    {
        QTest::addColumn<QString>("Finding"); // line|component path|rule
        QTest::newRow("accelerator clash (1)") << "4|Main.editB|accelerator-clash";
        QTest::newRow("obsolete") << "5|Main.goneB|obsolete";
        QTest::newRow("line breaks") << "6|Main.helpL|line-breaks";
        QTest::newRow("blanks") << "8|Main.nameL|blanks";
        QTest::newRow("placeholders") << "9|Main.openB|placeholders";
        QTest::newRow("accelerator clash (2)") << "10|Main.quitB|accelerator-clash";
        QTest::newRow("accelerator") << "11|Main.saveB|accelerator";
        QTest::newRow("empty own") << "12|Main.tipL|empty-own";
    }

    void oneFaultOfEachKind()
    {
        QFETCH(QString, Finding);
        const TToolRun R = RunTool({"check", "-t", ToolData("template_check.lng"), ToolData("check/faults.lng")});
        QCOMPARE(R.Exit, int(ToolFindings));
        const QStringList Found = Findings(R.Out);
        QVERIFY2(Found.contains(Finding), qPrintable(R.Out));
        // Nothing else: the fine lines (3, 7, the lexicon item) give nothing.
        QCOMPARE(Found.size(), 8);
        for (const QString &Line : R.Out.split('\n', Qt::SkipEmptyParts))
            QVERIFY2(Line.startsWith(ToolData("check/faults.lng") + ':'), qPrintable(Line));
    }

    // What the installer ships is checked against its stored design.
    void installerLanguagesAreClean()
    {
        const TToolRun R = RunTool({"check", "-t", SourcePath("resources/form1.json"), SourcePath("resources/lang")});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Out + R.Err));
        QCOMPARE(R.Out, QString());
    }

    // With the form as the template, actions clash only within their menu:
    // "&Neu" and "&Nächste" sit in different menus, "&Beenden" and "&Bild"
    // (the File and View menus' titles) share the menu bar.
    void acceleratorsPerMenu()
    {
        QTemporaryDir Dir;
        const QString Template = Dir.filePath("notr.lng");
        QCOMPARE(RunTool({"extract", ToolData("notr_form.ui"), "-o", Template}).Exit, int(ToolSuccess));
        QMap<QString, QString> Lines = ComponentLines(Template);
        QVERIFY(Lines.contains("actionNew@NotrForm#0["));
        const QMap<QString, QString> German{{"actionNew@NotrForm#0[", "&Neu"},
                                            {"actionNext@NotrForm#0[", "&Nächste Notiz"},
                                            {"actionQuit@NotrForm#0[", "B&eenden"},
                                            {"menuFile@NotrForm#0[", "&Bild"},
                                            {"menuView@NotrForm#0[", "&Bearbeiten"}};
        QString Text = "[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"deutsch\"\t%CODE=de;\t%FILEVER=THLF1;\r\n";
        for (auto It = German.begin(); It != German.end(); ++It) {
            const QString Comp = It.key().section('@', 0, 0);
            Text += "0\t\"" + It.value() + "\"\t%COMPONENT=" + Comp + ";\t%OWNER=NotrForm;\r\n";
        }
        Text += "0\t%LEXICON_STRINGS\r\n0\t%SMART_STRINGS\r\n";
        const QString Language = Dir.filePath("deutsch.lng");
        QFile F(Language);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write(Text.toUtf8().prepend("\xEF\xBB\xBF"));
        F.close();
        const TToolRun R = RunTool({"check", "-t", ToolData("notr_form.ui"), Language});
        QCOMPARE(R.Exit, int(ToolFindings));
        QCOMPARE(Findings(R.Out), (QStringList{"6|NotrForm.menuFile|accelerator-clash", "7|NotrForm.menuView|accelerator-clash"}));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("Args");
        QTest::addColumn<QString>("Message");
        QTest::newRow("no template") << QStringList{"check", ToolData("check/faults.lng")} << "give --template";
        QTest::newRow("unreadable language") << QStringList{"check", "-t", ToolData("template_check.lng"), ToolData("broken_design.json")}
                                             << ToolData("broken_design.json") + ":1: not a language file";
    }

    void badInput()
    {
        QFETCH(QStringList, Args);
        QFETCH(QString, Message);
        const TToolRun R = RunTool(Args);
        QCOMPARE(R.Exit, int(ToolBadInput));
        QVERIFY2(R.Err.contains(Message), qPrintable(R.Err));
    }
};

QTEST_MAIN(TstCheck)
#include "tst_check.moc"
