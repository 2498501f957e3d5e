// Saving a language from the editor: the typed name never leads outside the
// language directory, and the extension is forced.

#include "glotta/widgets/editor/lang_file_save.h"

#include <QFileInfo>
#include <QTest>

class TestLangFileSave : public QObject
{
    Q_OBJECT

private slots:
    void savePath_data()
    {
        QTest::addColumn<QString>("Name");
        QTest::addColumn<QString>("FileName"); // empty: refused
        QTest::newRow("plain") << "Deutsch" << "Deutsch.lng";
        QTest::newRow("own extension kept once") << "Deutsch.lng" << "Deutsch.lng";
        QTest::newRow("extension case") << "Deutsch.LNG" << "Deutsch.LNG";
        QTest::newRow("other extension") << "Deutsch.txt" << "Deutsch.txt.lng";
        QTest::newRow("inner dot") << "de.at" << "de.at.lng";
        QTest::newRow("slash") << "sub/Deutsch" << "";
        QTest::newRow("backslash") << "..\\Deutsch" << "";
        QTest::newRow("parent") << "../Deutsch" << "";
        QTest::newRow("dots only") << ".." << "";
        QTest::newRow("dot and blanks") << " . " << "";
        QTest::newRow("absolute") << "/etc/passwd" << "";
        QTest::newRow("drive") << "C:Deutsch" << "";
        QTest::newRow("control char") << QString("De\nutsch") << "";
        QTest::newRow("empty") << "" << "";
    }

    void savePath()
    {
        QFETCH(QString, Name);
        QFETCH(QString, FileName);
        const QString Dir = QStringLiteral("/lang");
        const QString Path = LangFileSavePath(Dir, Name, QStringLiteral(".lng"));
        if (FileName.isEmpty()) {
            QVERIFY2(Path.isEmpty(), qPrintable(Path));
            return;
        }
        QCOMPARE(Path, Dir + u'/' + FileName);
        QCOMPARE(QFileInfo(Path).absolutePath(), Dir);
    }
};

QTEST_GUILESS_MAIN(TestLangFileSave)
#include "tst_lang_file_save.moc"
