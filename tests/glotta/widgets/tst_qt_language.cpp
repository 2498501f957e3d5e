// Qt's own side of a language change: Qt's translations of its standard
// buttons follow the chosen language (the library's resource strings still
// win), and a right-to-left language turns the layout direction round.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/engine/resources_translator.h"
#include "glotta/widgets/qt_language.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

namespace {
struct TLanguages : TEngineFixture
{
    QDialogButtonBox *Box = nullptr;
    TLanguages()
    {
        Engine->SetQtFollowsLanguage(true);
        Box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Form.get());
        Copy("client/deutsch.lng", "de.lng");
        // An Arabic language with no line of its own is enough to switch to.
        Engine->SaveLanguage(QString::fromUtf8("العربية"), "", "ar", Path("ar.lng"));
        Engine->RescanLanguages();
    }
    QString Cancel()
    {
        // Qt tells the widgets of a new translator by posted events.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        return Box->button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&'));
    }
};
} // namespace

class TestQtLanguage : public QObject
{
    Q_OBJECT
private slots:
    void standardButtonsAndDirection()
    {
        TLanguages F;
        QCOMPARE(F.Cancel(), QStringLiteral("Cancel"));
        F.Engine->Translate("de");
        QCOMPARE(F.Cancel(), QStringLiteral("Abbrechen"));
        QVERIFY(InstalledQtTranslations().endsWith("qtbase_de.qm"));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        // Back in the design language: Czech from Qt's Czech translation.
        F.Engine->Translate(QString::fromUtf8("čeština"));
        QVERIFY(InstalledQtTranslations().endsWith("qtbase_cs.qm"));
        QCOMPARE(F.Cancel(), QStringLiteral("Zrušit"));
        F.Engine->Translate("ar");
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft);
        QCOMPARE(F.Box->layoutDirection(), Qt::RightToLeft);
        F.Engine->Translate(QString::fromUtf8("čeština"));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    }

    // A language Qt has no translations for leaves Qt's texts in English.
    void languageWithoutQtTranslations()
    {
        QVERIFY(FollowLanguageInQt("de"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
        QVERIFY(!FollowLanguageInQt("eo"));
        QCOMPARE(InstalledQtTranslations(), QString());
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
        QVERIFY(!FollowLanguageInQt("xx-unknown"));
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    }

    // The library's resource strings are asked before Qt's translations.
    void resourceStringsWin()
    {
        TLanguages F;
        auto *Strings = new TResourcesTranslator(F.Form.get());
        Strings->setObjectName("ResStrings1");
        Strings->SetGlottaEngine(F.Engine);
        Strings->RegisterResourceString("Cancel", QString::fromUtf8("Storno"));
        F.Engine->Translate("de");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("Storno"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
        F.Engine->Translate(QString::fromUtf8("čeština"));
    }
};

QTEST_MAIN(TestQtLanguage)
#include "tst_qt_language.moc"
