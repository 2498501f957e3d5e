#include "glotta/store/component_names.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

class TestComponentNames : public QObject
{
    Q_OBJECT
private slots:
    void formBaseName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::newRow("iPhone") << "Form1_iPhone47in" << "Form1";
        QTest::newRow("hdpi") << "Form1_LgXhdpiPh" << "Form1";
        QTest::newRow("Windows") << "Main_Form_Windows" << "Main_Form";
        QTest::newRow("Macintosh") << "Form1_Macintosh" << "Form1";
        QTest::newRow("Android") << "Form1_Android2" << "Form1";
        QTest::newRow("other suffix") << "Form1_Tablet" << "Form1_Tablet";
        QTest::newRow("underscore last") << "Form1_" << "Form1_";
        QTest::newRow("underscore first") << "_Windows" << "_Windows";
        QTest::newRow("hdpi too early") << "Form1_Xhdpi" << "Form1_Xhdpi";
        QTest::newRow("hdpi at third") << "Form1_Xxhdpi" << "Form1";
        QTest::newRow("case-sensitive") << "Form1_windows" << "Form1_windows";
        QTest::newRow("no underscore") << "Form1" << "Form1";
    }
    void formBaseName()
    {
        QFETCH(QString, name);
        QFETCH(QString, base);
        QCOMPARE(FormBaseName(name), base);
    }

    void componentPath()
    {
        QWidget Form;
        Form.setObjectName("Form1_Windows");
        auto *Lexicon = new QObject(&Form);
        Lexicon->setObjectName("Lexicon1");
        auto *Unnamed = new QObject(&Form);
        QCOMPARE(ComponentPath(Lexicon), QStringLiteral("Form1.Lexicon1"));
        QCOMPARE(ComponentPath(Unnamed), QStringLiteral("Form1"));
        QCOMPARE(ComponentPath(nullptr), QString());
        QObject Orphan;
        Orphan.setObjectName("Lexicon2");
        QCOMPARE(ComponentPath(&Orphan), QString());
    }

    void combinePath_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("result");
        QTest::newRow("relative") << "C:\\App\\" << "lang" << "C:\\App\\lang\\";
        QTest::newRow("leading slash") << "C:\\App\\" << "/lang" << "C:\\App\\lang\\";
        QTest::newRow("leading backslash") << "C:\\App\\" << "\\lang\\" << "C:\\App\\lang\\";
        QTest::newRow("drive") << "C:\\App\\" << "D:\\Lang" << "D:\\Lang\\";
        QTest::newRow("UNC") << "C:\\App\\" << "\\\\srv\\x" << "\\\\srv\\x\\";
        QTest::newRow("forward slashes") << "C:/App/" << "a/b" << "C:\\App\\a\\b\\";
        QTest::newRow("both empty") << "" << "" << "";
    }
    void combinePath()
    {
        QFETCH(QString, base);
        QFETCH(QString, path);
        QFETCH(QString, result);
        QCOMPARE(CombinePath(base, path), result);
    }

    void normalizeDirectory()
    {
        QCOMPARE(NormalizeDirectory(""), QString());
        QCOMPARE(NormalizeDirectory("a/b"), QStringLiteral("a\\b\\"));
        QCOMPARE(NormalizeDirectory("a\\"), QStringLiteral("a\\"));
    }

    void identifierOf()
    {
        QCOMPARE(IdentifierOf("1st item-name 2"), QStringLiteral("_1stitemname2"));
        QCOMPARE(IdentifierOf(QString::fromUtf8("Čeština!")), QString::fromUtf8("Čeština"));
        QCOMPARE(IdentifierOf("@#$"), QString());
        QCOMPARE(IdentifierOf("-9"), QStringLiteral("_9"));
    }

    void isClassWithKey()
    {
        const QList<TClassPair> Pairs = {
            {&QLineEdit::staticMetaObject, &QPlainTextEdit::staticMetaObject},
            {&QLabel::staticMetaObject, &QComboBox::staticMetaObject},
        };
        QPlainTextEdit Memo;
        QLineEdit Edit;
        QVERIFY(IsClassWithKey(&Memo, &QLineEdit::staticMetaObject, Pairs));
        QVERIFY(!IsClassWithKey(&Memo, &QLabel::staticMetaObject, Pairs));
        QVERIFY(!IsClassWithKey(&Edit, &QLineEdit::staticMetaObject, Pairs));
        QVERIFY(!IsClassWithKey(nullptr, &QLineEdit::staticMetaObject, Pairs));
    }
};

QTEST_MAIN(TestComponentNames)
#include "tst_component_names.moc"
