// Saving a language from the editor: the typed name never leads outside the
// language directory, the extension is forced, and a failed write leaves the
// old file as it was.

#include "glotta/widgets/editor/lang_file_save.h"

#include "toolkit/core/exception.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
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

    void writeReplacesWholeFile()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("Deutsch.lng"));
        WriteLangFile(Path, QByteArray("a long first version of the file\n"));
        WriteLangFile(Path, QByteArray("short\n"));
        QFile File(Path);
        QVERIFY(File.open(QIODevice::ReadOnly));
        QCOMPARE(File.readAll(), QByteArray("short\n"));
        // No temporary file is left behind.
        QCOMPARE(QDir(Dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Deutsch.lng")});
    }

    void writeOverDirectoryThrows()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("Deutsch.lng"));
        QVERIFY(QDir(Dir.path()).mkdir(QStringLiteral("Deutsch.lng")));
        QVERIFY_THROWS_EXCEPTION(Exception, WriteLangFile(Path, QByteArray("new\n")));
        QVERIFY(QFileInfo(Path).isDir());
    }

    void failedWriteKeepsOldFile()
    {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath(QStringLiteral("Deutsch.lng"));
        WriteLangFile(Path, QByteArray("old\n"));
        // A read-only directory: the temporary file cannot be created.
        QVERIFY(QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(Dir.path() + QStringLiteral("/x")).isWritable() || QFile(Dir.filePath("probe")).open(QIODevice::WriteOnly)) {
            QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("running with rights that ignore directory permissions");
        }
        QVERIFY_THROWS_EXCEPTION(Exception, WriteLangFile(Path, QByteArray("new\n")));
        QFile::setPermissions(Dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile File(Path);
        QVERIFY(File.open(QIODevice::ReadOnly));
        QCOMPARE(File.readAll(), QByteArray("old\n"));
    }
};

QTEST_GUILESS_MAIN(TestLangFileSave)
#include "tst_lang_file_save.moc"
