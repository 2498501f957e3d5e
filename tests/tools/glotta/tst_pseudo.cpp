// glotta pseudo: every text bracketed, accented and about a third longer,
// with its placeholders, accelerators, blanks and line breaks intact (the
// translation checks find nothing); the installer started in the pseudo
// language shows every caption that way.

#include "tests/installer/fake_platform.h"
#include "tests/tools/glotta/tool_run.h"
#include "glotta/engine/checks/translation_checks.h"
#include "glotta/store/text_helpers.h"
#include "installer/form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
QString Shown(QString OneLine)
{
    DecodeCharCodes(OneLine);
    return OneLine;
}

// The text between the blanks at either end is in brackets.
bool Bracketed(const QString &Text)
{
    const QString Core = Text.trimmed();
    return Core.startsWith('[') && Core.endsWith(']');
}
} // namespace

class TstPseudo : public QObject
{
    Q_OBJECT
    QTemporaryDir Dir;

private slots:
    void texts()
    {
        const QString Out = Dir.filePath("pseudo.lng");
        const TToolRun R = RunTool({"pseudo", ToolData("template_check.lng"), "-o", Out, "--code", "eo"});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        const QMap<QString, QString> Design = ComponentLines(ToolData("template_check.lng"));
        const QMap<QString, QString> Pseudo = ComponentLines(Out);
        QCOMPARE(Pseudo.keys(), Design.keys());
        for (auto It = Design.begin(); It != Design.end(); ++It) {
            const QString D = Shown(It.value());
            const QString P = Shown(Pseudo.value(It.key()));
            QVERIFY2(Bracketed(P), qPrintable(P));
            QVERIFY2(P.size() >= D.size() + D.size() / 4 + 2, qPrintable(D + " -> " + P));
            QVERIFY2(P != D && P.contains(QRegularExpression("[^\\x00-\\x7f]")), qPrintable(P));
            const QList<TCheckFinding> Faults = CheckTranslation(D, P);
            QVERIFY2(Faults.isEmpty(), qPrintable(D + " -> " + P + ": " + (Faults.isEmpty() ? QString() : Faults.first().Reason)));
        }
        QByteArray Bytes;
        TLanguageStores Stores;
        QString Error;
        QVERIFY(ReadLanguageFileBytes(Out, Bytes) && ReadLanguageStores(Bytes, Stores, Error));
        QCOMPARE(Stores.Header.Name, QStringLiteral("pseudo"));
        QCOMPARE(Stores.Header.Code, QStringLiteral("eo"));
        QCOMPARE(Stores.Header.Superior, QStringLiteral("english"));
        const QString Item = Shown(Stores.Lexicons.ReadItem("Main.Lexicon1", 0));
        QVERIFY2(Bracketed(Item) && Item.contains("%1"), qPrintable(Item));
    }

    // The installer's window, started with a desktop in the pseudo
    // language's code, shows its title, label and buttons bracketed.
    void installerInPseudo()
    {
        // The installer's engine reads the "lang" folder beside the program:
        // beside this test, for the time of the test.
        const QString LangDir = QCoreApplication::applicationDirPath() + "/lang";
        QVERIFY(!QDir(LangDir).exists());
        QVERIFY(QDir().mkpath(LangDir));
        const auto Cleanup = qScopeGuard([&] { QDir(LangDir).removeRecursively(); });
        const QString Out = LangDir + "/pseudo.lng";
        const TToolRun R = RunTool({"pseudo", SourcePath("resources/form1.json"), "-o", Out, "--code", "eo"});
        QVERIFY2(R.Exit == ToolSuccess, qPrintable(R.Err));
        TFakePlatform Platform;
        Platform.Locale = "eo";
        TBoxRecorder Boxes;
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, Dir.path()));
        QStringList Captions{Form->windowTitle()};
        for (QObject *O : OwnedComponents(Form.get())) {
            if (auto *B = qobject_cast<QPushButton *>(O))
                Captions << B->text();
            else if (auto *L = qobject_cast<QLabel *>(O); L && L->text().contains(QRegularExpression("\\p{L}")))
                Captions << L->text();
        }
        QCOMPARE(Captions.size(), 8);
        for (const QString &C : std::as_const(Captions))
            QVERIFY2(Bracketed(C) && C.size() > 6, qPrintable(C));
        QVERIFY2(Bracketed(Form->Memo1->toPlainText()), qPrintable(Form->Memo1->toPlainText()));
        // scripts/pseudo_screenshot.sh takes the README's picture from here.
        const QString Shot = qEnvironmentVariable("GLOTTA_PSEUDO_SCREENSHOT");
        if (!Shot.isEmpty()) {
            Form->show();
            QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
            QVERIFY(Form->grab().save(Shot));
        }
    }
};

QTEST_MAIN(TstPseudo)
#include "tst_pseudo.moc"
