// The installer's English through the exchange files: exported as a lexicon
// file and as a dictionary under another name, each imported into a fresh
// language (a new file in "lang", switched to, the window showing the
// English texts again); and a dictionary imported into English itself,
// which keeps English's own translations unless it allows overwriting.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/lexicon.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// Component name -> text, for every caption, the description and every
// message of the window's lexicon.
using TTexts = QMap<QString, QString>;

TTexts Texts(TForm1 *Form)
{
    TTexts T;
    T.insert("Form1", Form->windowTitle());
    for (QObject *O : OwnedComponents(Form)) {
        if (auto *B = qobject_cast<QPushButton *>(O))
            T.insert(B->objectName(), B->text());
        else if (auto *L = qobject_cast<QLabel *>(O))
            T.insert(L->objectName(), L->text());
    }
    T.insert("Memo1", Form->Memo1->toPlainText());
    for (int n = 0; n <= Form->Lexicon1->MaxItemIndex(); ++n)
        T.insert("Lexicon1." + QString::number(n), Form->Lexicon1->GetItem(n));
    return T;
}

void WriteUtf8(const QString &Path, const QStringList &Lines)
{
    QFile F(Path);
    if (F.open(QIODevice::WriteOnly))
        F.write("\xEF\xBB\xBF" + Lines.join("\r\n").toUtf8());
}
} // namespace

class TestInstallerExchange : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    std::unique_ptr<QTemporaryDir> ProgramDir;

    std::unique_ptr<TForm1> Create()
    {
        // Every case starts without language files.
        ProgramDir = std::make_unique<QTemporaryDir>();
        Platform = TFakePlatform();
        Platform.Locale = "cs";
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, ProgramDir->path()));
        // The language directory of the window's design ("lang" beside the
        // program), moved into the temporary directory.
        Form->GlottaEngine1->SetLangSubdirectory(LangDir());
        return Form;
    }
    QString LangDir() const { return ProgramDir->path() + "/lang"; }

private slots:
    void initTestCase()
    {
        QVERIFY(!QDir(QCoreApplication::applicationDirPath() + "/lang").exists());
    }
    void cleanupTestCase()
    {
        // Nothing was written beside the test program.
        QVERIFY(!QDir(QCoreApplication::applicationDirPath() + "/lang").exists());
    }

    void roundTripIntoFreshLanguage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("lexicon file") << "british.llx";
        QTest::newRow("dictionary") << "british.txt";
    }
    void roundTripIntoFreshLanguage()
    {
        QFETCH(QString, file);
        TBoxRecorder Boxes;
        auto Form = Create();
        TGlottaEngine *E = Form->GlottaEngine1;
        QCOMPARE(E->Translate("en"), QStringLiteral("english"));
        const TTexts English = Texts(Form.get());
        QVERIFY(English.value("Memo1").startsWith("This is installation program"));

        const QString Path = ProgramDir->filePath(file);
        E->LData()->ExportLanguage(Path, "British", QString());
        QVERIFY(QFile::exists(Path));
        QVERIFY(!QDir(LangDir()).exists());

        E->Translate("cs");
        QVERIFY(Texts(Form.get()) != English);
        QVERIFY(E->ImportFromFile(Path, false) > 0);
        QCOMPARE(QDir(LangDir()).entryList(QDir::Files), QStringList{"british.lng"});
        QCOMPARE(E->CurrentLanguage(), QStringLiteral("British"));
        QCOMPARE(E->LData()->Languages.ToStringList(), (QStringList{"čeština", "english", "British"}));
        QCOMPARE(Texts(Form.get()), English);
        // The new language is a language like the others.
        E->Translate("cs");
        QCOMPARE(E->Translate("British"), QStringLiteral("British"));
        QCOMPARE(Texts(Form.get()), English);
    }

    // English translates every caption itself: only a dictionary that
    // allows overwriting replaces them.
    void importIntoEnglish_data()
    {
        QTest::addColumn<QString>("overwrite");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("konecb");
        QTest::addColumn<QString>("instalovat3b");
        QTest::newRow("own translations kept") << "no" << 0 << "close" << "Download and install the program Dilnex";
        QTest::newRow("option absent") << QString() << 0 << "close" << "Download and install the program Dilnex";
        QTest::newRow("overwriting allowed") << "Yes // replace" << 2 << "Quit" << "Install Dilnex";
    }
    void importIntoEnglish()
    {
        QFETCH(QString, overwrite);
        QFETCH(int, count);
        QFETCH(QString, konecb);
        QFETCH(QString, instalovat3b);
        TBoxRecorder Boxes;
        auto Form = Create();
        TGlottaEngine *E = Form->GlottaEngine1;
        const TTexts Czech = Texts(Form.get());
        E->Translate("en");
        const TTexts English = Texts(Form.get());

        QStringList Lines{"$translation=en - english", "$original=cs - čeština"};
        if (!overwrite.isNull())
            Lines << "$overwrite_existing=" + overwrite;
        Lines << Czech.value("konecb") + "=Quit" << Czech.value("instalovat3b") + "=Install Dilnex";
        const QString Path = ProgramDir->filePath("english.txt");
        WriteUtf8(Path, Lines);
        QCOMPARE(E->ImportFromFile(Path, true), count);

        TTexts Expected = English;
        Expected.insert("konecb", konecb);
        Expected.insert("instalovat3b", instalovat3b);
        QCOMPARE(Texts(Form.get()), Expected);
        // The resource language is saved as a file of its own, which now
        // stands for it.
        QCOMPARE(QDir(LangDir()).entryList(QDir::Files), QStringList{"ENGLISH.lng"});
        E->Translate("cs");
        E->Translate("en");
        QCOMPARE(Texts(Form.get()), Expected);
    }
};

QTEST_MAIN(TestInstallerExchange)
#include "tst_installer_exchange.moc"
