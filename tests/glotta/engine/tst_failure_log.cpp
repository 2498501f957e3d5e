// Refused and failed loads, discoveries and imports say why: one warning
// naming the file or resource and the reason, and the operation's answer is
// what it was without the log.

#include "engine_fixture.h"
#include "glotta/engine/exchange/import_refusal.h"
#include "glotta/engine/glotta_core.h"
#include "toolkit/core/exception.h"

#include <QRegularExpression>
#include <QTest>

namespace {
enum TScenario {
    UnsignedFile,
    FileGoneBeforeLoad,
    SignatureChangedBeforeLoad,
    ResourceUnreadable,
    ResourceWithoutHeader,
    ImportOfMissingFile,
    ImportIntoDesignLanguage,
};

QByteArray Deutsch()
{
    return LangFile({QStringLiteral("[LANGUAGE_FILE]"), HeaderLine(QStringLiteral("Deutsch"), QStringLiteral("de")),
                     QStringLiteral("0\t\"Schließen\"\t%COMPONENT=Button1;\t%OWNER=Form1;")});
}
} // namespace

class TestFailureLog : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // A warning nobody expects, or a second one for the same failure, fails the case.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    }

    void failureLogsOnce_data()
    {
        QTest::addColumn<int>("Scenario");
        QTest::addColumn<QString>("Message"); // %1: the language directory
        QTest::newRow("file of another signature") << int(UnsignedFile)
                                                   << "language file %1/other.lng skipped: its header names no language";
        QTest::newRow("file gone before loading") << int(FileGoneBeforeLoad)
                                                  << "language Deutsch not loaded from %1/deutsch.lng: it cannot be opened";
        QTest::newRow("signature changed before loading")
            << int(SignatureChangedBeforeLoad)
            << "language Deutsch not loaded from %1/deutsch.lng: its first line is not the language-file signature";
        QTest::newRow("resource that cannot be read") << int(ResourceUnreadable)
                                                      << "language resource ABSENT dropped: it cannot be read";
        QTest::newRow("resource without header") << int(ResourceWithoutHeader)
                                                 << "language resource JUNK refused: its header names no language";
        QTest::newRow("import of a missing file")
            << int(ImportOfMissingFile) << "import of %1/missing.llx refused: the file does not exist (reason 1)";
        QTest::newRow("import into the design language")
            << int(ImportIntoDesignLanguage)
            << "import of %1/words.txt refused: the design language is current (reason 2)";
    }
    void failureLogsOnce()
    {
        QFETCH(int, Scenario);
        QFETCH(QString, Message);
        TEngineFixture F;
        TTestEngine &E = *F.Engine;
        const QString Dir = QDir(F.Dir.path()).absolutePath();
        const QString Expected = Message.contains(QLatin1String("%1")) ? Message.arg(Dir) : Message;

        switch (TScenario(Scenario)) {
        case UnsignedFile:
            WriteBytes(F.Path("other.lng"), LangFile({QStringLiteral("[SOMETHING_ELSE]"), HeaderLine("Other", "fr")}));
            QTest::ignoreMessage(QtWarningMsg, qPrintable(Expected));
            E.RescanLanguages();
            QCOMPARE(F.Languages(), QStringList{"čeština"});
            break;
        case FileGoneBeforeLoad:
        case SignatureChangedBeforeLoad:
            WriteBytes(F.Path("deutsch.lng"), Deutsch());
            E.RescanLanguages();
            QCOMPARE(F.Languages(), (QStringList{"čeština", "Deutsch"}));
            if (Scenario == FileGoneBeforeLoad)
                QVERIFY(QFile::remove(F.Path("deutsch.lng")));
            else
                WriteBytes(F.Path("deutsch.lng"), LangFile({QStringLiteral("[SOMETHING_ELSE]"), HeaderLine("Deutsch", "de")}));
            QTest::ignoreMessage(QtWarningMsg, qPrintable(Expected));
            QVERIFY(!E.LoadLanguage(QStringLiteral("Deutsch"), TLoadFlags()));
            QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
            break;
        case ResourceUnreadable:
            QTest::ignoreMessage(QtWarningMsg, qPrintable(Expected));
            E.SetLangResources({QStringLiteral("ABSENT")});
            QCOMPARE(E.LangResources(), QStringList());
            QCOMPARE(F.Languages(), QStringList{"čeština"});
            break;
        case ResourceWithoutHeader:
            E.Resources[QStringLiteral("JUNK")] = QByteArray("no language here");
            QTest::ignoreMessage(QtWarningMsg, qPrintable(Expected));
            E.SetLangResources({QStringLiteral("JUNK")});
            QCOMPARE(F.Languages(), QStringList{"čeština"});
            break;
        case ImportOfMissingFile:
        case ImportIntoDesignLanguage: {
            const bool Missing = Scenario == ImportOfMissingFile;
            const QString File = Missing ? F.Path("missing.llx") : F.Path("words.txt");
            if (!Missing)
                WriteBytes(File, "a=b\r\n");
            E.RescanLanguages();
            QTest::ignoreMessage(QtWarningMsg, qPrintable(Expected));
            QVERIFY_THROWS_EXCEPTION(EImportExport, E.ImportFromFile(File, !Missing));
            QCOMPARE(E.CurrentLanguage(), QStringLiteral("čeština"));
            break;
        }
        }
    }
};

QTEST_MAIN(TestFailureLog)
#include "tst_failure_log.moc"
