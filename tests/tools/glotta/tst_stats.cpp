// glotta stats: the counts of a two-level superior chain against a
// template, the installer's shipped language against its stored design, the
// JSON validated against the schema kept beside the tool, the table.

#include "tests/tools/glotta/tool_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {
QJsonObject LanguageOf(const QJsonDocument &Doc, const QString &FileEnd)
{
    for (const QJsonValue &V : Doc.object().value("languages").toArray())
        if (V.toObject().value("file").toString().endsWith(FileEnd))
            return V.toObject();
    return {};
}

// Validates with python3-jsonschema (scripts/setup.sh installs it).
QString SchemaErrors(const QByteArray &Json)
{
    QTemporaryDir Dir;
    QFile F(Dir.filePath("stats.json"));
    if (!F.open(QIODevice::WriteOnly) || F.write(Json) != Json.size())
        return "cannot write the JSON";
    F.close();
    QProcess P;
    P.start("python3", {"-c",
                        "import json, sys, jsonschema\n"
                        "jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))\n",
                        F.fileName(), SourcePath("tools/glotta/stats.schema.json")});
    if (!P.waitForFinished(60000))
        return "python3 did not finish";
    return P.exitCode() == 0 ? QString() : QString::fromUtf8(P.readAllStandardError());
}
} // namespace

class TstStats : public QObject
{
    Q_OBJECT

private slots:
    // template_chain.lng has 7 entries: 5 lines of window Main, items 0 and 1
    // of Main.Lexicon1. deutsch (superior english, the design language)
    // translates Main, cancelB, okB and item 0, excludes helpL, translates
    // nameL's "Name:" in its global lexicon, lacks item 1 and keeps goneB,
    // which the template lacks. bairisch (superior deutsch) translates Main
    // and item 1, inherits cancelB, okB and item 0 from deutsch and helpL's
    // exclusion, leaves nameL empty and keeps oldB marked obsolete.
    void chain_data()
    {
        QTest::addColumn<QString>("File");
        QTest::addColumn<QStringList>("Chain");
        QTest::addColumn<QList<int>>("Counts"); // own, inherited, global, excluded, missing, obsolete
        QTest::addColumn<double>("Complete");
        QTest::newRow("deutsch") << "chain/deutsch.lng" << QStringList{"english"} << QList<int>{4, 0, 1, 1, 1, 1} << 85.7;
        QTest::newRow("bairisch") << "chain/bairisch.lng" << QStringList{"deutsch", "english"}
                                  << QList<int>{2, 3, 0, 1, 1, 1} << 42.9;
    }

    void chain()
    {
        QFETCH(QString, File);
        QFETCH(QStringList, Chain);
        QFETCH(QList<int>, Counts);
        QFETCH(double, Complete);
        const TToolRun R = RunTool({"stats", "--json", "-t", ToolData("template_chain.lng"), ToolData("chain")});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        const QJsonDocument Doc = QJsonDocument::fromJson(R.Out.toUtf8());
        QCOMPARE(Doc.object().value("templateLines").toInt(), 7);
        const QJsonObject L = LanguageOf(Doc, File);
        QVERIFY2(!L.isEmpty(), qPrintable(R.Out));
        QCOMPARE(L.value("superiorChain").toVariant().toStringList(), Chain);
        QList<int> Got;
        for (const char *Key : {"own", "inherited", "global", "excluded", "missing", "obsolete"})
            Got << L.value(Key).toInt(-1);
        QCOMPARE(Got, Counts);
        QCOMPARE(L.value("complete").toDouble(), Complete);
        QCOMPARE(SchemaErrors(R.Out.toUtf8()), QString());
    }

    // Without a template only what the file itself says is counted.
    void withoutTemplate()
    {
        const TToolRun R = RunTool({"stats", "--json", ToolData("chain/bairisch.lng")});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        const QJsonObject L = LanguageOf(QJsonDocument::fromJson(R.Out.toUtf8()), "bairisch.lng");
        QCOMPARE(L.value("own").toInt(), 2);
        QCOMPARE(L.value("obsolete").toInt(), 1);
        QVERIFY(L.value("missing").isNull() && L.value("complete").isNull());
        // Its superior is not among the files given: the chain ends at its name.
        QCOMPARE(L.value("superiorChain").toVariant().toStringList(), QStringList{"deutsch"});
        QCOMPARE(SchemaErrors(R.Out.toUtf8()), QString());
    }

    // The installer's language folder against its stored design: english
    // translates the eight captions and 37 of the 38 messages; message 23 is
    // designed without a text, so the template has 8 + 37 entries.
    void installerLanguages()
    {
        const TToolRun R = RunTool({"stats", "--json", "-t", SourcePath("resources/form1.json"), SourcePath("resources/lang")});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        const QJsonDocument Doc = QJsonDocument::fromJson(R.Out.toUtf8());
        QCOMPARE(Doc.object().value("languages").toArray().size(), 1);
        const QJsonObject L = LanguageOf(Doc, "ENGLISH.lng");
        QCOMPARE(L.value("language").toString(), QStringLiteral("english"));
        QCOMPARE(L.value("code").toString(), QStringLiteral("en"));
        QCOMPARE(L.value("superiorChain").toVariant().toStringList(), QStringList{QStringLiteral("čeština")});
        QCOMPARE(Doc.object().value("templateLines").toInt(), 45);
        QList<int> Got;
        for (const char *Key : {"own", "inherited", "global", "excluded", "missing", "obsolete"})
            Got << L.value(Key).toInt(-1);
        QCOMPARE(Got, (QList<int>{45, 0, 0, 0, 0, 0}));
        QCOMPARE(L.value("complete").toDouble(), 100.0);
        QCOMPARE(SchemaErrors(R.Out.toUtf8()), QString());
    }

    void table()
    {
        const TToolRun R = RunTool({"stats", "-t", ToolData("template_chain.lng"), ToolData("chain")});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        const QStringList Lines = R.Out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(Lines.size(), 3);
        QVERIFY(Lines.at(0).startsWith("File"));
        QVERIFY2(Lines.at(1).contains(QRegularExpression("bairisch\\s+deutsch > english\\s+2\\s+3\\s+0\\s+1\\s+1\\s+1\\s+42\\.9%")),
                 qPrintable(Lines.at(1)));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("Args");
        QTest::addColumn<QString>("Message");
        QTest::newRow("no paths") << QStringList{"stats"} << "give language files";
        QTest::newRow("missing folder") << QStringList{"stats", ToolData("absent")} << ToolData("absent") + ": no such file";
        QTest::newRow("no language file") << QStringList{"stats", ToolData("notr_form.ui")}
                                          << ToolData("notr_form.ui") + ":1: not a language file";
        QTest::newRow("missing template") << QStringList{"stats", "-t", ToolData("absent.lng"), ToolData("chain")}
                                          << ToolData("absent.lng") + ": no such file";
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

QTEST_MAIN(TstStats)
#include "tst_stats.moc"
