// The installer window's language combo: what it lists before and after the
// engine's initialisation, and a user's pick of "english" with the mouse.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestLanguageCombo : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

private slots:
    // The first window of the process: its engine is the first of its key and offers the editor.
    void pickEnglishWithTheMouse()
    {
        TBoxRecorder Boxes;
        Platform.Locale = "cs";
        std::unique_ptr<TForm1> Form(TForm1::Create(&Platform, ProgramDir.path()));
        TLangCombo *Box = Form->LangCombo1;
        // The start-up's first lexicon lookup initialised the engine: the
        // command entries follow the languages, in Czech.
        QStringList Items;
        for (int i = 0; i < Box->count(); ++i)
            Items.append(Box->itemText(i));
        QCOMPARE(Items, (QStringList{"čeština", "english", "> Přidat jazyk <", "> Upravit jazyk <"}));
        QCOMPARE(Box->currentText(), QStringLiteral("čeština"));
        QStringList Events;
        Form->GlottaEngine1->OnChangeLanguage = [&](QObject *Sender) {
            Events.append("engine");
            Form->GlottaEngine1ChangeLanguage(Sender);
        };
        Box->OnChangeLanguage = [&](QObject *) { Events.append("combo"); };

        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Box->showPopup();
        QAbstractItemView *View = Box->view();
        QVERIFY(QTest::qWaitForWindowExposed(View->window()));
        // The list ignores a release that follows its opening too closely.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(View->viewport(), Qt::LeftButton, Qt::NoModifier,
                          View->visualRect(View->model()->index(1, 0)).center());
        QTRY_COMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("english"));
        QCOMPARE(Form->GlottaEngine1->CurrentLanguageISO(), QStringLiteral("en"));
        QCOMPARE(Events, (QStringList{"engine", "combo"}));
        QCOMPARE(Box->currentText(), QStringLiteral("english"));
        QCOMPARE(Box->itemText(2), QStringLiteral("> Add <"));
        QVERIFY(Form->Memo1->toPlainText().startsWith("This is installation program"));
        QVERIFY(Boxes.Boxes.isEmpty());
    }
};

QTEST_MAIN(TestLanguageCombo)
#include "tst_language_combo.moc"
