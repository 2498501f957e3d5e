// glotta extract names every line as a client attached at run time names
// it: the installer's stored design against the installer's own window, and
// Qt Designer forms against the same forms compiled by uic (less the texts
// marked notr); comments reach a translator's template; bad input ends with
// status 2 and a message naming the file.

#include "tests/installer/fake_platform.h"
#include "tests/tools/glotta/tool_run.h"
#include "glotta/engine/exchange/catalog_template.h"
#include "glotta/engine/lexicon.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "installer/form1.h"
#include "ui_designer_form.h"
#include "ui_notr_form.h"

#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// A Designer form as a program builds it (uic's setupUi), with the engine
// and client the README shows; its collected lines.
template <class TUi, class TWindow>
QMap<QString, QString> CollectedByClient()
{
    TWindow Window;
    TUi Ui;
    Ui.setupUi(&Window);
    auto *Engine = new TGlottaEngine(&Window);
    Engine->setObjectName("GlottaEngine1");
    Engine->SetLangSubdirectory("no-languages-here");
    auto *Client = new TGlottaClient(&Window);
    Client->setObjectName("GlottaClient1");
    Client->SetGlottaEngine(Engine);
    Client->Translate();
    QMap<QString, QString> Lines;
    const TComponentStructure &DS = Client->DesignStruct();
    for (int i = 0; i < DS.Count(); ++i)
        Lines.insert(DS.LineID(i), DS.GetFull(i).Translation);
    return Lines;
}
} // namespace

class TstExtract : public QObject
{
    Q_OBJECT
    QTemporaryDir Dir;

private slots:
    // Exactly the eight lines the installer's client collects, with their
    // texts, and the window's message lexicon.
    void installerForm()
    {
        const QString Out = Dir.filePath("installer.lng");
        const TToolRun R = RunTool({"extract", SourcePath("resources/form1.json"), "-o", Out});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));

        TFakePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Dir.path()));
        QMap<QString, QString> Collected;
        const TComponentStructure &DS = Form->GlottaClient1->DesignStruct();
        for (int i = 0; i < DS.Count(); ++i)
            Collected.insert(DS.LineID(i), DS.GetFull(i).Translation);
        QCOMPARE(Collected.size(), 8);
        QCOMPARE(ComponentLines(Out), Collected);

        QByteArray Bytes;
        TLanguageStores Stores;
        QString Error;
        QVERIFY(ReadLanguageFileBytes(Out, Bytes) && ReadLanguageStores(Bytes, Stores, Error));
        QCOMPARE(Stores.Header.Name, QStringLiteral("čeština"));
        QCOMPARE(Stores.Header.Code, QStringLiteral("cs"));
        const QString Lexicon = QStringLiteral("Form1.Lexicon1");
        QVERIFY(Form->Lexicon1->MaxItemIndex() > 30);
        for (int n = 0; n <= Form->Lexicon1->MaxItemIndex(); ++n)
            QCOMPARE(Stores.Lexicons.ReadItem(Lexicon, n), Form->Lexicon1->IsDefined(n) ? Form->Lexicon1->GetLocStr(n) : QString());

        // The library call writes the same template from the running window.
        const QString FromEngine = Dir.filePath("engine.lng");
        QVERIFY(WriteTemplateOfEngine(*Form->GlottaEngine1, FromEngine, Error));
        QByteArray EngineBytes;
        QVERIFY(ReadLanguageFileBytes(FromEngine, EngineBytes));
        QCOMPARE(EngineBytes, Bytes);
    }

    void designerForms_data()
    {
        QTest::addColumn<QString>("Form");
        QTest::addColumn<QStringList>("NoTr"); // texts the form marks notr="true"
        QTest::newRow("designer_form.ui") << SourcePath("tests/data/designer_form.ui") << QStringList();
        QTest::newRow("notr_form.ui") << ToolData("notr_form.ui") << QStringList{"v2.1-beta", "km/h", "Ctrl+Q"};
    }

    void designerForms()
    {
        QFETCH(QString, Form);
        QFETCH(QStringList, NoTr);
        QMap<QString, QString> Expected = Form.endsWith("notr_form.ui") ? CollectedByClient<Ui::NotrForm, QMainWindow>()
                                                                       : CollectedByClient<Ui::DesignerForm, QWidget>();
        int Dropped = 0;
        for (auto It = Expected.begin(); It != Expected.end();) {
            if (NoTr.contains(It.value())) {
                It = Expected.erase(It);
                ++Dropped;
            } else {
                ++It;
            }
        }
        // Every notr text but the shortcut is one a client collects.
        QCOMPARE(Dropped, std::max<int>(0, NoTr.size() - 1));
        QVERIFY(Expected.size() > 5);

        const QString Out = Dir.filePath(QFileInfo(Form).baseName() + ".lng");
        const TToolRun R = RunTool({"extract", Form, "-o", Out, "--design-name", "English", "--design-code", "en"});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        QCOMPARE(ComponentLines(Out), Expected);
    }

    // A translator's template keeps Designer's comment and disambiguation.
    void commentsInTranslatorsTemplate()
    {
        const QString Out = Dir.filePath("notr.ts");
        const TToolRun R = RunTool({"extract", ToolData("notr_form.ui"), "-o", Out});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        QFile F(Out);
        QVERIFY(F.open(QIODevice::ReadOnly));
        const QString Ts = QString::fromUtf8(F.readAll());
        QVERIFY2(Ts.contains("open a file, not a window"), qPrintable(Ts));
        QVERIFY(Ts.contains("a new, empty note"));
        QVERIFY(!Ts.contains("v2.1-beta"));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("Args");
        QTest::addColumn<int>("Exit");
        QTest::addColumn<QString>("Message"); // a part of the message on the error stream

        const QString Out = QDir::temp().filePath("glotta-extract-unused.lng");
        QTest::newRow("no forms") << QStringList{"extract", "-o", Out} << 2 << "give the forms";
        QTest::newRow("no output") << QStringList{"extract", ToolData("notr_form.ui")} << 2 << "--output";
        QTest::newRow("missing form") << QStringList{"extract", ToolData("absent.ui"), "-o", Out} << 2
                                      << ToolData("absent.ui") + ": no such file";
        QTest::newRow("broken .ui names its line") << QStringList{"extract", ToolData("broken_form.ui"), "-o", Out} << 2
                                                   << ToolData("broken_form.ui") + ":4: not a Qt Designer form";
        QTest::newRow("broken design names its line") << QStringList{"extract", ToolData("broken_design.json"), "-o", Out}
                                                      << 2 << ToolData("broken_design.json") + ":3: not a stored design";
        QTest::newRow("design of unknown classes")
            << QStringList{"extract", ToolData("unknown_class.json"), "-o", Out} << 2 << "class 'TFancyGauge'";
        QTest::newRow("unknown option") << QStringList{"extract", "--frobnicate"} << 2 << "frobnicate";
        QTest::newRow("unknown subcommand") << QStringList{"exract"} << 2 << "unknown subcommand 'exract'";
        QTest::newRow("help") << QStringList{"extract", "--help"} << 0 << "";
    }

    void badInput()
    {
        QFETCH(QStringList, Args);
        QFETCH(int, Exit);
        QFETCH(QString, Message);
        const TToolRun R = RunTool(Args);
        QCOMPARE(R.Exit, Exit);
        QVERIFY2(R.Err.contains(Message), qPrintable(R.Err));
        if (Exit == 0)
            QVERIFY(R.Out.startsWith("Usage: glotta extract [options] forms..."));
    }
};

QTEST_MAIN(TstExtract)
#include "tst_extract.moc"
