// Start-up and the window's design: controls, initial states, the
// administrator warning, the installed-application check, close and cancel.

#include "tests/installer/fake_platform.h"
#include "installer/form1.h"
#include "toolkit/widgets/design.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"
#include "glotta/engine/lexicon.h"
#include "toolkit/widgets/status_bar.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
const QString CzechMessage1 = QStringLiteral("Pro instalaci je třeba program spustit pod účtem administrátora.");
const QString CzechMessage2 = QStringLiteral("Chyba instalace.");

// A TForm1 whose start-up does nothing, to see the design as stored.
class TBareForm1 : public TForm1
{
public:
    TBareForm1()
    {
        PublishMethod(QStringLiteral("FormCreate"), &TBareForm1::NoStartUp);
    }
    void NoStartUp(QObject *) {}
};
} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

    std::unique_ptr<TForm1> Create() { return std::unique_ptr<TForm1>(TForm1::Create(&Platform, ProgramDir.path())); }

private slots:
    void init()
    {
        Platform = TFakePlatform();
        QFile::remove(ProgramDir.filePath("dilnex.exe"));
        QDir(ProgramDir.path()).rmdir(QStringLiteral("dilnex.exe"));
    }

    void designedWindow()
    {
        TBoxRecorder Boxes;
        auto Form = Create();
        QCOMPARE(Form->windowTitle(), QStringLiteral("Lokální instalace programu Dilnex 8"));
        QCOMPARE(Form->size(), QSize(592, 423));
        struct Expected
        {
            QWidget *W;
            QRect Bounds;
            QString Text;
        };
        const QList<Expected> Controls = {
            {Form->pokracovatb, {8, 155, 111, 25}, QStringLiteral("pokračovat")},
            {Form->instalovat1b, {36, 279, 315, 25}, QStringLiteral("stáhnout a nainstalovat chybějící součásti")},
            {Form->instalovat2b, {36, 315, 315, 25}, QStringLiteral("stáhnout a instalovat databázi MS SQL LocalDB")},
            {Form->zrusitb, {428, 318, 126, 25}, QStringLiteral("zrušit stahování")},
            {Form->instalovat3b, {36, 352, 315, 25}, QStringLiteral("stáhnout a instalovat program Dilnex 8")},
            {Form->konecb, {479, 352, 75, 25}, QStringLiteral("konec")},
            {Form->Memo2, {4, 202, 550, 71}, QString()},
            {Form->LangCombo1, {409, 157, 145, 21}, QString()},
        };
        for (const Expected &E : Controls) {
            QCOMPARE(E.W->geometry(), E.Bounds);
            if (auto *B = qobject_cast<QPushButton *>(E.W))
                QCOMPARE(B->text(), E.Text);
        }
        QCOMPARE(Form->Label1->text(), QStringLiteral("Chybějící součásti pro provoz  lokální databáze MS SQL LocalDB:"));
        QCOMPARE(Form->Label1->pos(), QPoint(8, 186));
        for (QLabel *L : {Form->Label2, Form->Label3, Form->Label4}) {
            QVERIFY(L->font().bold());
            QCOMPARE(L->font().pixelSize(), 21);
        }
        // Docked: description at the top, status line at the very bottom, progress above it.
        QCOMPARE(Form->Memo1->geometry(), QRect(0, 0, 592, 141));
        QCOMPARE(Form->sb1->geometry(), QRect(0, 404, 592, 19));
        QCOMPARE(Form->pb1->geometry(), QRect(0, 391, 592, 13));
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Form->resize(700, 500);
        QTRY_COMPARE(Form->size(), QSize(700, 500));
        QCOMPARE(Form->sb1->geometry(), QRect(0, 481, 700, 19));
        QCOMPARE(Form->Memo1->width(), 700);

        QVERIFY(Form->Memo1->isReadOnly());
        QCOMPARE(Form->Memo1->font().pixelSize(), 12);
        QCOMPARE(Form->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(Form->font().pixelSize(), 11);
        QCOMPARE(Form->LangCombo1->GlottaEngine(), Form->GlottaEngine1);
        QCOMPARE(Form->LangCombo1->StyleCombo(), TLangCombo::scDropDownList);
        QCOMPARE(Form->Lexicon1->GlottaEngine(), Form->GlottaEngine1);
        QCOMPARE(Form->Lexicon1->Items().size(), fmFileDiffers + 1);
        QCOMPARE(Form->Lexicon1->GetItem(23), QString());

        TGlottaEngine *E = Form->GlottaEngine1;
        QCOMPARE(E->DesignLangISOCode(), QStringLiteral("cs - Czech"));
        QCOMPARE(E->DesignLanguageName(), QStringLiteral("čeština"));
        QCOMPARE(E->DefaultLanguage(), QStringLiteral("čeština"));
        QCOMPARE(E->LangSubdirectory(), QStringLiteral("lang"));
        QCOMPARE(E->LangFileExtension(), QStringLiteral(".lng"));
        QCOMPARE(E->LangFileSignature(), QStringLiteral("LANGUAGE_FILE"));
        QCOMPARE(E->LangResources(), QStringList{QStringLiteral("ENGLISH")});
        QVERIFY(E->LangResourcesAllowEdit());
        QCOMPARE(E->EmptyFlag().Image().size(), QSize(16, 16));
        QCOMPARE(E->EmptyFlag().Image().depth(), 32);
        QVERIFY(E->OnChangeLanguage);
        QVERIFY(Boxes.Boxes.isEmpty());
    }

    void tabOrder()
    {
        auto Form = Create();
        QList<QWidget *> Order = {Form->pokracovatb, Form->instalovat1b, Form->instalovat2b, Form->instalovat3b,
                                  Form->zrusitb,     Form->konecb,       Form->LangCombo1};
        for (int i = 0; i + 1 < Order.size(); ++i)
            QCOMPARE(Order[i]->nextInFocusChain(), Order[i + 1]);
        // The memos are out of the tab chain.
        QVERIFY(!(Form->Memo1->focusPolicy() & Qt::TabFocus));
        QVERIFY(!(Form->Memo2->focusPolicy() & Qt::TabFocus));
    }

    void initialStates()
    {
        auto Form = Create();
        QVERIFY(Form->pokracovatb->isEnabled());
        QVERIFY(Form->konecb->isEnabled());
        for (QPushButton *B : {Form->instalovat1b, Form->instalovat2b, Form->instalovat3b, Form->zrusitb})
            QVERIFY(!B->isEnabled());
        for (QWidget *W : std::initializer_list<QWidget *>{Form->Label1, Form->Label2, Form->Label3, Form->Label4,
                                                             Form->instalovat3b})
            QVERIFY(!W->isHidden());
        QVERIFY(Form->Memo2->toPlainText().isEmpty());
        QCOMPARE(Form->pb1->value(), 0);
        QVERIFY(Form->sb1->SimpleText().isEmpty());
        QVERIFY(Form->sb1->SimplePanel());
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<int>("boxes");
        QTest::newRow("Czech administrator") << "cs" << true << 0;
        QTest::newRow("German locale, no German language") << "de" << true << 0;
        QTest::newRow("locale query gave nothing") << "" << true << 0;
        QTest::newRow("not an administrator") << "cs" << false << 1;
    }

    void startUp()
    {
        QFETCH(QString, locale);
        QFETCH(bool, admin);
        QFETCH(int, boxes);
        Platform.Locale = locale;
        Platform.Admin = admin;
        TBoxRecorder Boxes;
        int Changes = 0;
        auto Form = Create();
        Form->GlottaEngine1->OnChangeLanguage = [&](QObject *) { ++Changes; };
        QCOMPARE(Boxes.Boxes.size(), boxes);
        if (boxes) {
            QCOMPARE(Boxes.Boxes[0].Text, CzechMessage1);
            QCOMPARE(Boxes.Boxes[0].Caption, CzechMessage2);
            QCOMPARE(Boxes.Boxes[0].Flags, 0x10u);
        }
        // The window stays Czech and the description holds message 0.
        QCOMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(Form->windowTitle(), QStringLiteral("Lokální instalace programu Dilnex 8"));
        QVERIFY(Form->Memo1->toPlainText().startsWith(QStringLiteral("Instalační program pro lokální (jednouživatelskou")));
        QCOMPARE(Form->Memo1->toPlainText(), Form->Lexicon1->GetItem(fmDescription));
        // Setting the language that is current raises nothing.
        Form->GlottaEngine1->SetCurrentLanguage(QStringLiteral("čeština"));
        QCOMPARE(Changes, 0);
        // Every button works as usual.
        QVERIFY(Form->pokracovatb->isEnabled());
    }

    void installedApplicationHidesStepThree()
    {
        QFile F(ProgramDir.filePath("dilnex.exe"));
        QVERIFY(F.open(QIODevice::WriteOnly));
        F.close();
        auto Form = Create();
        QVERIFY(Form->Label4->isHidden());
        QVERIFY(Form->instalovat3b->isHidden());
        QVERIFY(!Form->Label3->isHidden());
        // "continue" with LocalDB present enables step 3, which stays hidden.
        Platform.Keys.insert(QString::fromLatin1(LocalDBVersionKeys[0]));
        QTest::mouseClick(Form->pokracovatb, Qt::LeftButton);
        QVERIFY(Form->instalovat3b->isEnabled());
        QVERIFY(Form->instalovat3b->isHidden());
    }

    // Only a file is the installed program.
    void folderNamedLikeProgramIsNotTheProgram()
    {
        QVERIFY(QDir(ProgramDir.path()).mkdir(QStringLiteral("dilnex.exe")));
        auto Form = Create();
        QVERIFY(!Form->instalovat3b->isHidden());
        QVERIFY(!Form->Label4->isHidden());
    }

    // Shrunk as far as it goes, the window keeps every row clear of the bars
    // at the bottom and inside the window.
    void minimumSizeKeepsRowsApart()
    {
        auto Form = Create();
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Form->resize(450, 330);
        QTRY_COMPARE(Form->size(), Form->minimumSize());
        QVERIFY(Form->minimumWidth() < 592 && Form->minimumHeight() < 423);
        QCoreApplication::processEvents(); // the bars follow the new size
        const QRect Client = Form->rect();
        QCOMPARE(Form->sb1->geometry().bottom(), Client.bottom());
        QVERIFY(Form->pb1->geometry().bottom() < Form->sb1->geometry().top());
        for (QWidget *W : QList<QWidget *>{Form->pokracovatb, Form->LangCombo1, Form->Label1, Form->Memo2,
                                           Form->Label2, Form->instalovat1b, Form->Label3, Form->instalovat2b,
                                           Form->zrusitb, Form->Label4, Form->instalovat3b, Form->konecb}) {
            QVERIFY2(Client.contains(W->geometry()), qPrintable(W->objectName()));
            QVERIFY2(!W->geometry().intersects(Form->pb1->geometry()), qPrintable(W->objectName()));
            QVERIFY2(!W->geometry().intersects(Form->sb1->geometry()), qPrintable(W->objectName()));
            QVERIFY2(!W->geometry().intersects(Form->Memo1->geometry()), qPrintable(W->objectName()));
        }
    }

    // Without the means to run installers the window says so at start, in the
    // user's language, and "continue" repeats it instead of probing.
    void noInstallersAtAll_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("status");
        QTest::newRow("Czech") << "cs"
                               << "Program Wine nebyl nalezen. Bez něj nelze instalační programy součástí spustit. "
                                  "Nainstalujte Wine a spusťte instalaci znovu."
                               << "nenalezen program Wine: wine";
        QTest::newRow("English") << "en"
                                 << "Wine was not found. The installers of the components cannot be run without it. "
                                    "Install Wine and start the installation again."
                                 << "Wine program not found: wine";
    }

    void noInstallersAtAll()
    {
        QFETCH(QString, locale);
        QFETCH(QString, box);
        QFETCH(QString, status);
        TBoxRecorder Boxes;
        Platform.Locale = locale;
        Platform.MissingRuntime = QStringLiteral("wine");
        auto Form = Create();
        QCOMPARE(Boxes.Boxes.size(), 1);
        QCOMPARE(Boxes.Boxes[0].Text, box);
        QCOMPARE(Form->sb1->SimpleText(), status);
        Platform.Calls.clear();
        Form->sb1->SetSimpleText(QString());
        QTest::mouseClick(Form->pokracovatb, Qt::LeftButton);
        QCOMPARE(Boxes.Boxes.size(), 2);
        QCOMPARE(Boxes.Boxes[1].Text, box);
        QCOMPARE(Form->sb1->SimpleText(), status);
        QVERIFY(Platform.Calls.isEmpty());
        QVERIFY(Form->Memo2->toPlainText().isEmpty());
        for (QPushButton *B : {Form->instalovat1b, Form->instalovat2b, Form->instalovat3b})
            QVERIFY(!B->isEnabled());
    }

    // A system not made yet is made by "continue" before any probe, with the
    // status line saying so; when that fails, nothing is probed.
    void continuePreparesTheSystemFirst_data()
    {
        QTest::addColumn<bool>("succeeds");
        QTest::newRow("prepared") << true;
        QTest::newRow("fails") << false;
    }

    void continuePreparesTheSystemFirst()
    {
        QFETCH(bool, succeeds);
        TBoxRecorder Boxes;
        Platform.Unprepared = true;
        auto Form = Create();
        QString StatusWhilePreparing;
        bool ContinueLocked = false;
        Platform.PrepareAction = [&](QString &Reason) {
            StatusWhilePreparing = Form->sb1->SimpleText();
            ContinueLocked = !Form->pokracovatb->isEnabled();
            if (!succeeds)
                Reason = QStringLiteral("wineboot -i (exit code 1)");
            return succeeds;
        };
        Platform.Calls.clear();
        QTest::mouseClick(Form->pokracovatb, Qt::LeftButton);
        QCOMPARE(StatusWhilePreparing, QStringLiteral("připravuje se prostředí Wine..."));
        QVERIFY(ContinueLocked);
        QVERIFY(Form->pokracovatb->isEnabled());
        QVERIFY(!Platform.Calls.isEmpty());
        QCOMPARE(Platform.Calls.first(), QStringLiteral("Prepare"));
        if (succeeds) {
            QVERIFY(Boxes.Boxes.isEmpty());
            QVERIFY(Platform.Calls.size() > 1); // the checks followed
            QCOMPARE(Form->Memo2->toPlainText(), QStringLiteral("Net Framework 4.0.2\nSQL Native Client 11 64bit"));
            QVERIFY(Form->instalovat1b->isEnabled());
            QCOMPARE(Form->sb1->SimpleText(), QString());
        } else {
            QCOMPARE(Platform.Calls, QStringList{QStringLiteral("Prepare")});
            QCOMPARE(Boxes.Boxes.size(), 1);
            QCOMPARE(Boxes.Boxes[0].Text, QStringLiteral("Prostředí Wine se nepodařilo připravit, v instalaci nelze "
                                                          "pokračovat. wineboot -i (exit code 1)"));
            QCOMPARE(Form->sb1->SimpleText(), QStringLiteral("wineboot -i (exit code 1)"));
            QVERIFY(!Form->instalovat1b->isEnabled());
        }
        // Once made, it is not made again.
        Platform.Calls.clear();
        QTest::mouseClick(Form->pokracovatb, Qt::LeftButton);
        QCOMPARE(Platform.Calls.contains(QStringLiteral("Prepare")), !succeeds);
    }

    void closeAndCancelButtons()
    {
        auto Form = Create();
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        Form->zrusitb->setEnabled(true);
        QTest::mouseClick(Form->zrusitb, Qt::LeftButton);
        QVERIFY(!Form->zrusitb->isEnabled());
        QVERIFY(Form->isVisible());
        QTest::mouseClick(Form->konecb, Qt::LeftButton);
        QVERIFY(!Form->isVisible());
    }

    void designRoundTrips()
    {
        RegisterInstallerClasses();
        QFile F(QStringLiteral(":/designs/form1.json"));
        TBareForm1 Form;
        ReadDesign(&Form, F.fileName());
        QVERIFY(F.open(QIODevice::ReadOnly));
        const QJsonDocument Stored = QJsonDocument::fromJson(F.readAll());
        const QJsonDocument Written = WriteDesign(&Form);
        if (Written != Stored)
            qWarning().noquote() << Written.toJson();
        QCOMPARE(Written, Stored);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
