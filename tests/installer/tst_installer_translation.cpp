// The installer window translates itself: the start language follows the
// user locale, a switch rewrites every caption and the description, and
// switching back restores every designed caption.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/store/component_structure.h"
#include "toolkit/widgets/status_bar.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// Component name -> caption, for every caption of the window (the form's title under its own name).
using TCaptions = QMap<QString, QString>;

const TCaptions &EnglishCaptions()
{
    static const TCaptions C{{"Form1", "Local installation of program Dilnex"},
                             {"instalovat1b", "Download and install the missing component."},
                             {"instalovat2b", "Download and install the database MS SQL LocalDB"},
                             {"instalovat3b", "Download and install the program Dilnex"},
                             {"konecb", "close"},
                             {"Label1", "Missing components for the local database MS SQL LocalDB:"},
                             {"pokracovatb", "continue"},
                             {"zrusitb", "cancel downloading"}};
    return C;
}

TCaptions Captions(TForm1 *Form)
{
    TCaptions C;
    C.insert("Form1", Form->windowTitle());
    for (QObject *O : OwnedComponents(Form)) {
        if (auto *B = qobject_cast<QPushButton *>(O))
            C.insert(B->objectName(), B->text());
        else if (auto *L = qobject_cast<QLabel *>(O))
            C.insert(L->objectName(), L->text());
    }
    return C;
}
} // namespace

class TestInstallerTranslation : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;
    TCaptions Designed;

    std::unique_ptr<TForm1> Create(const QString &Locale)
    {
        Platform = TFakePlatform();
        Platform.Locale = Locale;
        return std::unique_ptr<TForm1>(TForm1::Create(&Platform, ProgramDir.path()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!QDir(ProgramDir.path() + "/lang").exists());
        TBoxRecorder Boxes;
        Designed = Captions(Create("cs").get());
        QCOMPARE(Designed.value("Form1"), QStringLiteral("Lokální instalace programu Dilnex 8"));
    }

    // The collect pass: the form's caption, Label1 and the six buttons; the
    // step numbers have no letter, the memos are empty, the status line and
    // the language combo give nothing.
    void collectsEightLines()
    {
        TBoxRecorder Boxes;
        auto Form = Create("cs");
        const TComponentStructure &DS = Form->GlottaClient1->DesignStruct();
        QStringList IDs;
        for (int i = 0; i < DS.Count(); ++i)
            IDs << DS.LineID(i);
        IDs.sort();
        QCOMPARE(IDs, (QStringList{"Form1@#0[", "Label1@Form1#0[", "instalovat1b@Form1#0[", "instalovat2b@Form1#0[",
                                   "instalovat3b@Form1#0[", "konecb@Form1#0[", "pokracovatb@Form1#0[",
                                   "zrusitb@Form1#0["}));
        QCOMPARE(DS.GetString("Form1", "", 0, ""), Designed.value("Form1"));
    }

    // The start language comes from the user locale; a language without a file stays Czech.
    void startLanguage_data()
    {
        QTest::addColumn<QString>("Locale");
        QTest::addColumn<bool>("English");
        QTest::newRow("english desktop") << "en" << true;
        QTest::newRow("czech desktop") << "cs" << false;
        QTest::newRow("german desktop, no german file") << "de" << false;
    }
    void startLanguage()
    {
        QFETCH(QString, Locale);
        QFETCH(bool, English);
        TBoxRecorder Boxes;
        auto Form = Create(Locale);
        QCOMPARE(Captions(Form.get()), English ? [&] {
            TCaptions C = Designed;
            for (auto It = EnglishCaptions().begin(); It != EnglishCaptions().end(); ++It)
                C.insert(It.key(), It.value());
            return C;
        }()
                                               : Designed);
        QCOMPARE(Form->Memo1->toPlainText().startsWith("This is installation program"), English);
    }

    // A switch re-translates every caption and the description and leaves
    // the list of missing components and the status line alone; switching
    // back restores every designed caption exactly.
    void switchAndBack()
    {
        TBoxRecorder Boxes;
        auto Form = Create("cs");
        Form->Memo2->setPlainText("NET Framework 4");
        Form->sb1->SetSimpleText("stav");
        TGlottaEngine *E = Form->GlottaEngine1;
        E->OnChangeLanguage = [&](QObject *Sender) { Form->GlottaEngine1ChangeLanguage(Sender); };
        QCOMPARE(E->Translate("english"), QStringLiteral("english"));
        const TCaptions Shown = Captions(Form.get());
        for (auto It = EnglishCaptions().begin(); It != EnglishCaptions().end(); ++It)
            QCOMPARE(Shown.value(It.key()), It.value());
        QVERIFY(Form->Memo1->toPlainText().startsWith("This is installation program"));
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("NET Framework 4"));
        QCOMPARE(Form->sb1->SimpleText(), QStringLiteral("stav"));

        QCOMPARE(E->Translate("čeština"), QStringLiteral("čeština"));
        QCOMPARE(Captions(Form.get()), Designed);
        QVERIFY(Form->Memo1->toPlainText().startsWith("Instalační program"));
        QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("NET Framework 4"));
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestInstallerTranslation T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_installer_translation.moc"
