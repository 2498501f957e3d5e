// Resource strings on real widgets: Qt's standard button texts reach the
// translator on Qt's own route, and a stored design keeps the translator's
// units and registered strings.

#include "tests/glotta/engine/engine_fixture.h"

#include "glotta/engine/resources_translator.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/unit_list.h"
#include "glotta/widgets/glotta_classes.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {
const QString DesignPath = QStringLiteral(GLOTTA_TEST_DATA "/design/resources_translator.json");

QByteArray DesignBytes()
{
    QFile F(DesignPath);
    if (!F.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(DesignPath));
    return F.readAll();
}

QJsonObject TranslatorNode(const QJsonDocument &Design)
{
    return Design.object()[QStringLiteral("components")].toArray()[0].toObject();
}
} // namespace

class TestResourceStrings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterGlottaClasses(); }

    void standardButtonsTranslated()
    {
        // The texts Qt shows without a translator are the texts to register.
        {
            QDialogButtonBox Box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            QCOMPARE(Box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
            QMessageBox Message(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(Message.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
        }
        TEngineFixture F;
        F.CopyAll(QStringLiteral("resources"));
        F.Form->setObjectName(QStringLiteral("ResForm"));
        F.Engine->RescanLanguages();
        auto *R = new TResourcesTranslator(F.Form.get());
        R->setObjectName(QStringLiteral("Res1"));
        R->SetGlottaEngine(F.Engine);
        R->RegisterResourceString(QStringLiteral("Cancel"), QStringLiteral("Zrušit"));
        R->RegisterResourceString(QStringLiteral("&Yes"), QStringLiteral("&Ano"));
        R->RegisterResourceString(QStringLiteral("&No"), QStringLiteral("&Ne"));
        // Qt fetches a standard button's text from its platform theme, which
        // asks QCoreApplication::translate in the context "QPlatformTheme".
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
        {
            QDialogButtonBox Box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
            QCOMPARE(Box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušit"));
            QCOMPARE(Box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK")); // not registered
            QMessageBox Message(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(Message.button(QMessageBox::Yes)->text(), QStringLiteral("&Ano"));
            QCOMPARE(Message.button(QMessageBox::No)->text(), QStringLiteral("&Ne"));
        }
        // A box created after a language change shows the language's text.
        F.Engine->Translate(QStringLiteral("English"));
        QDialogButtonBox Box(QDialogButtonBox::Cancel);
        QCOMPARE(Box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel (en)"));
    }

    void designRoundTrip()
    {
        TForm Form;
        ReadDesign(&Form, DesignPath);
        auto *R = Form.findChild<TResourcesTranslator *>(QStringLiteral("Res1"));
        QVERIFY(R);
        QCOMPARE(R->OriginalLanguage(), QStringLiteral("en"));
        QCOMPARE(R->UnitList().ToStringList(), (QStringList{"", "Dialogs=dialogs.cpp", "Errors"}));
        QCOMPARE(R->RegisteredStrings(), 3);
        QCOMPARE(R->List().LibraryLangCode, QStringLiteral("cs"));
        const TResourceInfo *Cancel = R->List().GetResourceInfo(R->List().IndexOf(QStringLiteral("Cancel")));
        QCOMPARE(Cancel->Name, QStringLiteral("SCancel"));
        QCOMPARE(Cancel->UnitId(), 1);
        QVERIFY(R->List().GetResourceInfo(R->List().IndexOf(QStringLiteral("&Yes")))->Blind());
        // The strings of the design are translated as soon as it is read.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Zrušit"));
        QCOMPARE(QCoreApplication::translate("Main", "Two\nlines"), QStringLiteral("Dva\r\nřádky"));

        const QJsonDocument Written = WriteDesign(&Form);
        QCOMPARE(TranslatorNode(Written), TranslatorNode(QJsonDocument::fromJson(DesignBytes())));


        // Units alone, without registered strings, are not stored.
        TForm Empty;
        Empty.setObjectName(QStringLiteral("EmptyForm"));
        auto *E = new TResourcesTranslator(&Empty);
        E->setObjectName(QStringLiteral("Res1"));
        E->UnitList().SetStrings({"", "Dialogs"});
        const QJsonObject Props = TranslatorNode(WriteDesign(&Empty))[QStringLiteral("properties")].toObject();
        QVERIFY(!Props.contains(QStringLiteral("Units")));
        QVERIFY(!Props.contains(QStringLiteral("Resources")));
    }

    void designOfAnotherVersionRefused()
    {
        QByteArray Bytes = DesignBytes();
        QVERIFY(Bytes.contains("\"1;cs\""));
        Bytes.replace("\"1;cs\"", "\"2;cs\"");
        TForm Form;
        try {
            ReadDesignFromBytes(&Form, Bytes, QStringLiteral("test"));
            QFAIL("a resource list of another version was read");
        } catch (const EDesignError &E) {
            QVERIFY2(E.Message().endsWith(QStringLiteral(": Glotta can not retrieve a list of resource strings!")),
                     qPrintable(E.Message()));
        }
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestResourceStrings T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_resource_strings.moc"
