// The client's property sets in a stored design: written by member name,
// read by name or (as earlier designs hold them) by number.

#include "glotta/widgets/glotta_classes.h"
#include "glotta/widgets/glotta_client.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>
#include <memory>

namespace {
QByteArray Design(const QString &Sets)
{
    return QStringLiteral(R"({"class": "TForm", "name": "Form1", "components": [
        {"class": "TGlottaClient", "name": "GlottaClient1", "properties": {%1}}]})")
        .arg(Sets)
        .toUtf8();
}
} // namespace

class TestClientDesign : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterGlottaClasses(); }

    void readSets_data()
    {
        QTest::addColumn<QString>("Sets");
        QTest::addColumn<uint>("StringProp");
        QTest::addColumn<uint>("OtherProp");
        QTest::newRow("defaults") << "" << uint(DefaultTransStringProp) << uint(DefaultTransOtherProp);
        QTest::newRow("by name") << R"("TransStringProp": ["pnCaption", "pnText"], "TransOtherProp": [])"
                                 << uint(PropertySet({pnCaption, pnText})) << 0u;
        QTest::newRow("by number") << R"("TransStringProp": 33, "TransOtherProp": 225)" << 33u << 225u;
        QTest::newRow("numbers keep accepted members") << R"("TransStringProp": 1048576)" << 0u
                                                       << uint(DefaultTransOtherProp);
    }
    void readSets()
    {
        QFETCH(QString, Sets);
        QFETCH(uint, StringProp);
        QFETCH(uint, OtherProp);
        TForm Form;
        ReadDesignFromBytes(&Form, Design(Sets), "test");
        auto *Client = Form.findChild<TGlottaClient *>("GlottaClient1");
        QVERIFY(Client);
        QCOMPARE(Client->TransStringProp(), StringProp);
        QCOMPARE(Client->TransOtherProp(), OtherProp);
    }

    void writesNamesAndRejectsUnknown()
    {
        TForm Form;
        ReadDesignFromBytes(&Form, Design(R"("TransTStringsProp": ["pnLines", "pnItems"])"), "test");
        const QJsonObject Client = WriteDesign(&Form).object()["components"].toArray()[0].toObject();
        QCOMPARE(Client["properties"].toObject()["TransTStringsProp"].toArray(),
                 (QJsonArray{"pnLines", "pnItems"}));
        QVERIFY(!Client["properties"].toObject().contains("TransStringProp")); // the default is not written
        TForm Bad;
        QVERIFY_THROWS_EXCEPTION(EDesignError,
                                 ReadDesignFromBytes(&Bad, Design(R"("TransStringProp": ["pnNothing"])"), "test"));
    }
};

int main(int argc, char **argv)
{
    QApplication App(argc, argv);
    TestClientDesign T;
    return QTest::qExec(&T, argc, argv);
}

#include "tst_client_design.moc"
