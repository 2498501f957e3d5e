#include "glotta/store/iso639.h"
#include "glotta/store/language_names.h"

#include <QSet>
#include <QTest>

class TestLanguageNames : public QObject
{
    Q_OBJECT
private slots:
    void normalizeISOCode_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("ok");
        QTest::newRow("upper with spaces") << " EN " << "en" << true;
        QTest::newRow("region") << "cs-CZ" << "cs" << true;
        QTest::newRow("three letters") << "ces" << "ce" << true;
        QTest::newRow("xx") << "xx" << "" << false;
        QTest::newRow("XX") << "XX" << "" << false;
        QTest::newRow("digit") << "e1" << "" << false;
        QTest::newRow("one letter") << "x" << "" << false;
        QTest::newRow("empty") << "" << "" << false;
        QTest::newRow("accented") << QString::fromUtf8("čs") << "" << false;
        QTest::newRow("tab trimmed") << "\tde\r\n" << "de" << true;
    }
    void normalizeISOCode()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(bool, ok);
        QString Code = in;
        QCOMPARE(NormalizeISOCode(Code), ok);
        QCOMPARE(Code, out);
    }

    void isoTable()
    {
        QCOMPARE(ISO639LanguagesCount, 186);
        QCOMPARE(ISO639Language(0), QStringLiteral("ab - Abkhazian"));
        QCOMPARE(ISO639Language(185), QStringLiteral("zu - Zulu"));
        QCOMPARE(ISO639Language(52), QStringLiteral("lg - Ganda"));
        QCOMPARE(ISO639Language(53), QStringLiteral("gd - Gaelic"));
        QSet<QString> Codes;
        int Duplicates = 0;
        for (int i = 0; i < ISO639LanguagesCount; ++i) {
            const QString Row = ISO639Language(i);
            QCOMPARE(Row.mid(2, 3), QStringLiteral(" - "));
            if (Codes.contains(Row.left(2)))
                ++Duplicates;
            Codes.insert(Row.left(2));
        }
        QCOMPARE(Duplicates, 1); // "ny"
    }

    void languageNameOfISO_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("ny first row") << "ny" << "Chewa";
        QTest::newRow("upper") << "CS" << "Czech";
        QTest::newRow("three letters") << "ces" << "";
        QTest::newRow("unknown") << "qq" << "";
        QTest::newRow("latin") << " la " << "latin";
        QTest::newRow("comma name") << "nd" << "Ndebele, North";
        QTest::newRow("non-ASCII") << "nb" << QString::fromUtf8("Norwegian Bokmål");
        QTest::newRow("withdrawn") << "sh" << "Serbo-Croatian";
        QTest::newRow("empty") << "" << "";
    }
    void languageNameOfISO()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(LanguageNameOfISO(code), name);
    }

    void extractISOName()
    {
        QCOMPARE(ExtractISOName("en - English"), QStringLiteral("English"));
        QCOMPARE(ExtractISOName("sh - Serbo-Croatian"), QStringLiteral("Serbo-Croatian"));
        QCOMPARE(ExtractISOName("-English"), QString());
        QCOMPARE(ExtractISOName("en -"), QString());
        QCOMPARE(ExtractISOName("English"), QString());
    }

    void recognisers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code"); // the recogniser that answers true, or empty
        QTest::newRow("Čeština") << QString::fromUtf8("Čeština") << "cs";
        QTest::newRow("ČEŠTINA") << QString::fromUtf8("ČEŠTINA") << "cs";
        QTest::newRow("čEština") << QString::fromUtf8("čEština") << "cs";
        QTest::newRow("ČEština") << QString::fromUtf8("ČEština") << "";
        QTest::newRow("Tschechisch") << "Tschechisch" << "cs";
        QTest::newRow("checo") << "checo" << "cs";
        QTest::newRow("CZECH") << "CZECH" << "cs";
        QTest::newRow("Czech with space") << "Czech " << "";
        QTest::newRow("Slovenčina") << QString::fromUtf8("Slovenčina") << "sk";
        QTest::newRow("Slovenian") << "Slovenian" << "sk";
        QTest::newRow("SLOWAKISCH") << "SLOWAKISCH" << "sk";
        QTest::newRow("Angličtina") << QString::fromUtf8("Angličtina") << "en";
        QTest::newRow("ANGLIČTINA") << QString::fromUtf8("ANGLIČTINA") << "en";
        QTest::newRow("INGLÉS") << QString::fromUtf8("INGLÉS") << "en";
        QTest::newRow("British") << "British" << "";
        QTest::newRow("Britannique") << "Britannique" << "en";
        QTest::newRow("Deutsch with spaces") << "  Deutsch" << "de";
        QTest::newRow("Schweizerdeutsch") << "Schweizerdeutsch" << "";
        QTest::newRow("Němčina") << QString::fromUtf8("Němčina") << "de";
        QTest::newRow("Tysk") << "Tysk" << "de";
        QTest::newRow("French") << "French" << "";
    }
    void recognisers()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(IsCzechName(name), code == "cs");
        QCOMPARE(IsSlovakName(name), code == "sk");
        QCOMPARE(IsEnglishName(name), code == "en");
        QCOMPARE(IsGermanName(name), code == "de");
    }
};

QTEST_APPLESS_MAIN(TestLanguageNames)
#include "tst_language_names.moc"
