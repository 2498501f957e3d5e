// glotta update: after a template change every line that still exists keeps
// its bytes, lines the template lost are marked obsolete, lines that came
// back lose the mark, nothing is added, and the file still loads.

#include "tests/glotta/engine/editor/editor_double.h"
#include "tests/installer/fake_platform.h"
#include "tests/tools/glotta/tool_run.h"
#include "glotta/engine/editor/item_colors.h"
#include "installer/form1.h"

#include <QDir>
#include <QLabel>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
QStringList FileLines(const QString &File)
{
    QFile F(File);
    if (!F.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(F.readAll()).split(QStringLiteral("\r\n"));
}

bool Copy(const QString &From, const QString &To)
{
    QFile::remove(To);
    return QFile::copy(From, To) && QFile::setPermissions(To, QFile::ReadOwner | QFile::WriteOwner);
}
} // namespace

class TstUpdate : public QObject
{
    Q_OBJECT
    QTemporaryDir Dir;

private slots:
    void update_data()
    {
        QTest::addColumn<QString>("Language");
        QTest::addColumn<QStringList>("Marked");  // component names whose lines gain "%OLD"
        QTest::addColumn<QStringList>("Revived"); // component names whose lines lose it
        // The new template drops cancelB, brings oldB back and adds newB.
        QTest::newRow("deutsch") << "deutsch.lng" << QStringList{"cancelB", "goneB"} << QStringList();
        QTest::newRow("bairisch") << "bairisch.lng" << QStringList() << QStringList{"oldB"};
    }

    void update()
    {
        QFETCH(QString, Language);
        QFETCH(QStringList, Marked);
        QFETCH(QStringList, Revived);
        QStringList Template = FileLines(ToolData("template_chain.lng"));
        Template.removeIf([](const QString &L) { return L.contains("%COMPONENT=cancelB;"); });
        Template.insert(3, "0\t\"Old\"\t%COMPONENT=oldB;\t%OWNER=Main;");
        Template.insert(3, "0\t\"New\"\t%COMPONENT=newB;\t%OWNER=Main;");
        const QString TemplateFile = Dir.filePath("template.lng");
        QFile T(TemplateFile);
        QVERIFY(T.open(QIODevice::WriteOnly | QIODevice::Truncate));
        T.write(Template.join("\r\n").toUtf8());
        T.close();

        const QString File = Dir.filePath(Language);
        QVERIFY(Copy(ToolData("chain/" + Language), File));
        const QStringList Before = FileLines(File);
        const TToolRun R = RunTool({"update", "-t", TemplateFile, File});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        const QStringList After = FileLines(File);

        // The writer lays lines out in the engine's order; each line keeps
        // its bytes (the file stays UTF-8 with its mark), marked or not.
        QCOMPARE(After.size(), Before.size());
        for (const QString &Line : Before) {
            const QString Comp = Line.section("%COMPONENT=", 1).section(';', 0, 0);
            const QString Expected = Marked.contains(Comp)    ? Line + "\t%OLD"
                                     : Revived.contains(Comp) ? QString(Line).remove("\t%OLD")
                                                              : Line;
            QVERIFY2(After.contains(Expected), qPrintable(Expected));
        }
        QVERIFY(!After.join('\n').contains("newB"));

        QByteArray Bytes;
        TLanguageStores Stores;
        QString Error;
        QVERIFY(ReadLanguageFileBytes(File, Bytes) && ReadLanguageStores(Bytes, Stores, Error));
        for (int i = 0; i < Stores.Struct.Count(); ++i) {
            const TFullStructLine L = Stores.Struct.GetFull(i);
            const bool Old = Marked.contains(L.CompName) || (L.CompName == "oldB" && Revived.isEmpty());
            QCOMPARE(bool(L.Changeable & 2), Old);
        }

        // Run again: nothing left to do, the file is not touched.
        const TToolRun Again = RunTool({"update", "-t", TemplateFile, File});
        QCOMPARE(Again.Exit, int(ToolSuccess));
        QVERIFY2(Again.Out.contains("up to date"), qPrintable(Again.Out));
        QCOMPARE(FileLines(File), After);
    }

    // The installer's language after its form lost a text: the updated file
    // switches the window and opens in the editor, where the line the
    // template no longer has shows as obsolete with its translation kept.
    void updatedFileInEditor()
    {
        InstallEditorDouble();
        QTemporaryDir ProgramDir;
        const QString LangDir = ProgramDir.filePath("lang");
        QVERIFY(QDir().mkpath(LangDir));
        // Tools given the form would build the installer's window before the
        // test does, and only a process's first window of a name offers the
        // editor: the installer's English language file serves as template.
        const QString File = LangDir + "/pseudo.lng";
        const QString English = SourcePath("resources/lang/ENGLISH.lng");
        const TToolRun Pseudo = RunTool({"pseudo", English, "-o", File, "--code", "eo"});
        QVERIFY2(Pseudo.Exit == ToolSuccess, qPrintable(Pseudo.Err));

        // The new template: the form's lines less Label1's caption.
        QByteArray Bytes;
        QVERIFY(ReadLanguageFileBytes(English, Bytes));
        const auto Encoding = QStringConverter::encodingForData(Bytes);
        QVERIFY(Encoding);
        QString Text = QStringDecoder(*Encoding).decode(Bytes);
        if (Text.startsWith(QChar(0xFEFF)))
            Text.remove(0, 1);
        QStringList Template = Text.split(QStringLiteral("\r\n"));
        QCOMPARE(Template.removeIf([](const QString &L) { return L.contains("%COMPONENT=Label1;"); }), 1);
        const QString TemplateFile = ProgramDir.filePath("template.lng");
        QFile T(TemplateFile);
        QVERIFY(T.open(QIODevice::WriteOnly | QIODevice::Truncate));
        T.write(EncodeLanguageFile(Template, TLFEncoding::Unicode));
        T.close();
        const TToolRun Update = RunTool({"update", "-t", TemplateFile, File});
        QVERIFY2(Update.Exit == ToolSuccess, qPrintable(Update.Err));

        TFakePlatform Platform;
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, ProgramDir.path()));
        TGlottaEngine *Engine = Form->GlottaEngine1;
        Engine->SetLangSubdirectory(LangDir);
        QCOMPARE(Engine->Translate("eo"), QStringLiteral("pseudo"));
        QVERIFY(Form->findChild<QLabel *>("Label1")->text().startsWith('['));

        QMap<QString, quint32> Colors;
        TEditorDouble &Data = EditorDouble(Engine);
        Data.Session = [&](TEditorDouble &D, int Mode) -> QString {
            if (Mode != erEditLanguage || !D.EditorAction(TEditorActions::eaLoadLangForEdit, "pseudo"))
                return QString();
            D.EditorLang = "pseudo";
            D.EditorISO = "eo";
            QStringList Groups;
            D.LoadGroups(Groups);
            D.ChangeEditorClient(0);
            D.LoadPage();
            for (const QString &Label : D.Labels())
                Colors.insert(Label, D.Color(Label));
            return D.EditorLang;
        };
        Engine->ShowLangEditor();
        QVERIFY2(Colors.contains("Label1.Caption"), qPrintable(QStringList(Colors.keys()).join(", ")));
        QCOMPARE(Colors.value("Label1.Caption"), EditorColor::Violet);
        QCOMPARE(Colors.value("konecb.Caption"), EditorColor::Green);
    }

    // A file that cannot be read changes nothing and says which it is.
    void unreadable()
    {
        const QString File = Dir.filePath("broken.lng");
        QFile F(File);
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.write("not a language file\r\n");
        F.close();
        const TToolRun R = RunTool({"update", "-t", ToolData("template_chain.lng"), File});
        QCOMPARE(R.Exit, int(ToolBadInput));
        QVERIFY2(R.Err.contains(File + ":1:"), qPrintable(R.Err));
        QCOMPARE(FileLines(File), QStringList({"not a language file", ""}));
    }
};

QTEST_MAIN(TstUpdate)
#include "tst_update.moc"
