// The installer's window has a fixed geometry: every text of every language
// it ships must fit the control that shows it. The Linux program draws with
// what the system offers for the design's Tahoma, which the test names so as
// not to depend on the machine: "DejaVu Sans" (what fontconfig gives for
// Tahoma here) and the narrower "Liberation Sans" (Arial's widths). The
// first English caption of Label1 was cut off in the Windows program under
// Wine; at the design's 11 pixels it fits every font here, so the test shows
// it lacking pixels one pixel of font size larger.

#include "tests/installer/fake_platform.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/widgets/editor/text_fit.h"
#include "glotta/widgets/glotta_engine.h"
#include "installer/form1.h"

#include <QFontDatabase>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
// The English caption of Label1 as it shipped first: cut off in the window.
const QString LongLabel1 = QStringLiteral("The missing components for the operation of database MS SQL LocalDB:");

// Every control of the window draws with Family (the system's choice when
// empty), at the sizes of the design plus Larger pixels.
void UseFamily(QWidget *Form, const QString &Family, int Larger = 0)
{
    QList<QWidget *> All = Form->findChildren<QWidget *>();
    All.prepend(Form);
    for (QWidget *W : All) {
        QFont F = W->font();
        if (!Family.isEmpty())
            F.setFamily(Family);
        if (Larger != 0 && F.pixelSize() > 0)
            F.setPixelSize(F.pixelSize() + Larger);
        W->setFont(F);
    }
}

QString Listed(const QList<TFitProblem> &Problems)
{
    QStringList Lines;
    for (const TFitProblem &P : Problems)
        Lines << QStringLiteral("%1%2 lacks %3 px: %4").arg(P.Component, P.Part.isEmpty() ? QString() : "." + P.Part)
                     .arg(P.Lacking()).arg(P.Text);
    return Lines.join('\n');
}
} // namespace

class TestInstallerFit : public QObject
{
    Q_OBJECT
    TFakePlatform Platform;
    QTemporaryDir ProgramDir;

    std::unique_ptr<TForm1> Create()
    {
        Platform = TFakePlatform();
        Platform.Locale = "cs";
        return std::unique_ptr<TForm1>(TForm1::Create(&Platform, ProgramDir.path()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFontDatabase::hasFamily("DejaVu Sans"), "scripts/setup.sh installs fonts-dejavu-core");
        QVERIFY2(QFontDatabase::hasFamily("Liberation Sans"), "scripts/setup.sh installs fonts-liberation2");
    }

    // The first English caption of Label1 lacks pixels in DejaVu Sans at 12
    // pixels; the shipped, shorter one fits, in the window as it is shown.
    void label1InEnglish()
    {
        TBoxRecorder Boxes;
        auto Form = Create();
        UseFamily(Form.get(), "DejaVu Sans");
        auto *Label1 = Form->findChild<QLabel *>("Label1");
        QVERIFY(Label1);
        QFont Font = Label1->font();
        Font.setPixelSize(Font.pixelSize() + 1);
        Label1->setFont(Font);
        const int Lack = CaptionLack(Label1, LongLabel1);
        QCOMPARE(Lack, 36);

        TGlottaEngine *Engine = Form->GlottaEngine1;
        QCOMPARE(Engine->Translate("en"), QStringLiteral("english"));
        QVERIFY(Label1->text() != LongLabel1);
        QCOMPARE(CaptionLack(Label1, Label1->text()), 0);
        // Put back, the long text is reported with the pixels it lacks.
        Label1->setText(LongLabel1);
        const QList<TFitProblem> Problems = FormFitProblems(Form.get());
        QCOMPARE(Problems.size(), 1);
        QCOMPARE(Problems[0].Component, QStringLiteral("Label1"));
        QCOMPARE(Problems[0].Lacking(), Lack);
    }

    void shippedLanguagesFit_data()
    {
        QTest::addColumn<QString>("Family");
        QTest::addColumn<int>("Larger");
        QTest::addColumn<QString>("Language");
        const QList<std::pair<QString, int>> Fonts{
            {QString(), 0}, {"DejaVu Sans", 0}, {"Liberation Sans", 0}};
        for (const auto &[Family, Larger] : Fonts)
            for (const QString &Language : {QStringLiteral("čeština"), QStringLiteral("english")})
                QTest::addRow("%s +%d, %s", Family.isEmpty() ? "system font" : qPrintable(Family), Larger,
                              qPrintable(Language))
                    << Family << Larger << Language;
    }
    void shippedLanguagesFit()
    {
        QFETCH(QString, Family);
        QFETCH(int, Larger);
        QFETCH(QString, Language);
        TBoxRecorder Boxes;
        auto Form = Create();
        UseFamily(Form.get(), Family, Larger);
        TGlottaEngine *Engine = Form->GlottaEngine1;
        QCOMPARE(Engine->LData()->Languages.ToStringList(), (QStringList{"čeština", "english"}));
        const QString Before = Engine->CurrentLanguage();
        const QList<TFitProblem> Problems = FormFitProblems(Form.get(), Engine, Language);
        QVERIFY2(Problems.isEmpty(), qPrintable(Listed(Problems)));
        QCOMPARE(Engine->CurrentLanguage(), Before);
    }

    void unknownLanguageMeasuresNothing()
    {
        TBoxRecorder Boxes;
        auto Form = Create();
        QVERIFY(FormFitProblems(Form.get(), Form->GlottaEngine1, "klingon").isEmpty());
        QCOMPARE(Form->GlottaEngine1->CurrentLanguage(), QStringLiteral("čeština"));
    }
};

QTEST_MAIN(TestInstallerFit)
#include "tst_installer_fit.moc"
