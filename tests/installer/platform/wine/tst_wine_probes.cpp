// The Wine backend's probes against hand-written prefixes: registry files in
// Wine's format placed in a temporary WINEPREFIX, a missing prefix, damaged
// and truncated files, and the host-side answers driven by the environment.

#include "installer/platform/registry_keys.h"
#include "installer/platform/wine/wine_prefix.h"
#include "installer/platform/wine/wine_run.h"
#include "installer/platform/wine/wine_probes.h"
#include "installer/platform/wine/wine_registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <cstdio>

namespace {

const char *const SavedVariables[] = {"WINEPREFIX", "WINEARCH", "WINE", "HOME", "TMPDIR", "LC_ALL", "LC_MESSAGES", "LANG"};

QByteArray Fixture(const char *Name)
{
    QFile File(QStringLiteral(GLOTTA_TEST_DATA "/wine/%1/system.reg").arg(QLatin1String(Name)));
    if (!File.open(QIODevice::ReadOnly))
        qFatal("fixture %s missing", Name);
    return File.readAll();
}

// A registry file of a win32 prefix holding only the CurrentVersion section.
QByteArray WithCurrentVersion(const QByteArray &ValueLines)
{
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
           "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1712745600\n#time=1da8b1f2c3d4e50\n"
           + ValueLines + "\n";
}

QByteArray Win32Header()
{
    return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n";
}

void SetEnv(const char *Name, const QByteArray &Value)
{
    if (Value.isNull())
        qunsetenv(Name);
    else
        qputenv(Name, Value);
}

QString Key(const char *Utf8)
{
    return QString::fromUtf8(Utf8);
}

QString LocalDBKey(int Index)
{
    return QString::fromLatin1(LocalDBVersionKeys[Index]);
}

} // namespace

class TstWineProbes : public QObject
{
    Q_OBJECT

    QHash<QByteArray, QByteArray> fSavedEnv;
    std::unique_ptr<QTemporaryDir> fDir;
    TWineProbes fProbes;

    // WINEPREFIX becomes a fresh folder; SystemReg is its system.reg, a null
    // array leaves the folder without one, i.e. no prefix there yet.
    void UsePrefix(const QByteArray &SystemReg)
    {
        fDir = std::make_unique<QTemporaryDir>();
        QVERIFY(fDir->isValid());
        const QString Prefix = fDir->filePath(QStringLiteral("prefix"));
        if (!SystemReg.isNull()) {
            QVERIFY(QDir().mkpath(Prefix));
            QFile File(Prefix + QStringLiteral("/system.reg"));
            QVERIFY(File.open(QIODevice::WriteOnly));
            QCOMPARE(File.write(SystemReg), SystemReg.size());
        }
        qputenv("WINEPREFIX", Prefix.toLocal8Bit());
    }

private slots:
    void initTestCase()
    {
        for (const char *Name : SavedVariables)
            fSavedEnv.insert(Name, qEnvironmentVariableIsSet(Name) ? qgetenv(Name) : QByteArray());
    }

    void cleanup()
    {
        for (const char *Name : SavedVariables)
            SetEnv(Name, fSavedEnv.value(Name));
        fDir.reset();
    }

    void HKLMKeyExists_data()
    {
        QTest::addColumn<QByteArray>("systemReg");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("exists");

        const QByteArray Win64 = Fixture("win64"), Win32 = Fixture("win32");
        QTest::newRow("win64: 11.0 only in the 32-bit view") << Win64 << LocalDBKey(0) << true;
        QTest::newRow("win64: 12.0 only in the 64-bit view") << Win64 << LocalDBKey(1) << false;
        QTest::newRow("win64: 16.0 in both views") << Win64 << LocalDBKey(5) << true;
        QTest::newRow("win64: key with only a subkey") << Win64 << QString::fromLatin1(NetFramework4Key) << true;
        QTest::newRow("win64: ancestor two levels up")
            << Win64 << Key("SOFTWARE\\Microsoft\\NET Framework Setup") << true;
        QTest::newRow("win64: subkey only in the 64-bit view")
            << Win64 << Key("SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full") << false;
        QTest::newRow("win64: 64-bit only, longer name in 32-bit view")
            << Win64 << QString::fromLatin1(NativeClient11Key) << false;
        QTest::newRow("win64: lower case") << Win64 << LocalDBKey(0).toLower() << true;
        QTest::newRow("win64: escaped non-ASCII name")
            << Win64 << Key("SOFTWARE\\Účetní data\\Nastavení") << true;
        QTest::newRow("win64: non-ASCII parent, other case") << Win64 << Key("software\\ÚČETNÍ DATA") << true;
        QTest::newRow("win64: non-ASCII name spelled without accents")
            << Win64 << Key("SOFTWARE\\Ucetni data") << false;
        QTest::newRow("win64: escaped bracket in name") << Win64 << Key("SOFTWARE\\Odd]Name") << true;
        QTest::newRow("win64: Wow6432Node named explicitly")
            << Win64 << Key("SOFTWARE\\Wow6432Node\\Microsoft\\SQLNCLI110") << true;
        QTest::newRow("win64: outside Software is not redirected")
            << Win64 << Key("SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment") << true;
        QTest::newRow("win64: below an existing key")
            << Win64 << Key("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Nothing") << false;
        QTest::newRow("win32: present") << Win32 << QString::fromLatin1(NativeClient11Key) << true;
        QTest::newRow("win32: 13.0") << Win32 << LocalDBKey(2) << true;
        QTest::newRow("win32: absent 11.0") << Win32 << LocalDBKey(0) << false;
        QTest::newRow("win32: Wow6432Node is not looked into") << Win32 << LocalDBKey(5) << false;
        QTest::newRow("win32: key with only a subkey") << Win32 << QString::fromLatin1(NetFramework4Key) << true;
        QTest::newRow("win32: doubled and trailing separators")
            << Win32 << Key("SOFTWARE\\\\Microsoft\\SQLNCLI11\\") << true;
        QTest::newRow("missing prefix") << QByteArray() << QString::fromLatin1(NativeClient11Key) << false;
        QTest::newRow("missing prefix, root") << QByteArray() << QString() << false;
    }

    void HKLMKeyExists()
    {
        QFETCH(QByteArray, systemReg);
        QFETCH(QString, key);
        QFETCH(bool, exists);
        UsePrefix(systemReg);
        QCOMPARE(fProbes.HKLMKeyExists(key), exists);
    }

    void LocalDBVersions_data()
    {
        QTest::addColumn<QByteArray>("systemReg");
        QTest::addColumn<QString>("installed"); // one digit per version 11.0 .. 16.0

        QTest::newRow("win64") << Fixture("win64") << QStringLiteral("100001");
        QTest::newRow("win32") << Fixture("win32") << QStringLiteral("001000");
        QTest::newRow("missing prefix") << QByteArray() << QStringLiteral("000000");
    }

    void LocalDBVersions()
    {
        QFETCH(QByteArray, systemReg);
        QFETCH(QString, installed);
        UsePrefix(systemReg);
        const TLocalDBVersions Versions = fProbes.GetLocalDBVersions();
        QString Got;
        for (bool Installed : Versions.Installed)
            Got += Installed ? u'1' : u'0';
        QCOMPARE(Got, installed);
        QCOMPARE(fProbes.LocalDB11Installed(), installed[0] == u'1');
    }

    // The probes keep nothing: a key that appears in the prefix between two
    // calls is seen by the second.
    void AskedAnewAtEveryCall()
    {
        UsePrefix(Fixture("win64"));
        QVERIFY(!fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));
        QFile File(qEnvironmentVariable("WINEPREFIX") + QStringLiteral("/system.reg"));
        QVERIFY(File.open(QIODevice::Append));
        File.write("\n[Software\\\\Wow6432Node\\\\Microsoft\\\\SQLNCLI11] 1712745700\n#time=1da8b1f2c3d4e70\n");
        File.close();
        QVERIFY(fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));
    }

    void PrefixLocation()
    {
        fDir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(fDir->filePath(QStringLiteral(".wine"))));
        QFile File(fDir->filePath(QStringLiteral(".wine/system.reg")));
        QVERIFY(File.open(QIODevice::WriteOnly));
        File.write(Fixture("win32"));
        File.close();
        qputenv("HOME", fDir->path().toLocal8Bit());

        qunsetenv("WINEPREFIX");
        QCOMPARE(TWinePrefix::Path(), fDir->filePath(QStringLiteral(".wine")));
        QVERIFY(fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));
        qputenv("WINEPREFIX", "");
        QVERIFY(fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));
        qputenv("WINEPREFIX", QFile::encodeName(fDir->filePath(QStringLiteral("elsewhere"))));
        QVERIFY(!fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));

        // A program named by $WINE that is not there is still the one asked for.
        qputenv("WINE", "/opt/wine-stable/bin/wine");
        QCOMPARE(WineProgram(), QStringLiteral("/opt/wine-stable/bin/wine"));
        qputenv("WINE", "wine-not-installed");
        QCOMPARE(WineProgram(), QStringLiteral("wine-not-installed"));
        qunsetenv("WINE");
    }

    void KeyIn32BitView_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("win64");
        QTest::addColumn<QString>("viewed");

        QTest::newRow("win64 software") << Key("SOFTWARE\\Microsoft\\SQLNCLI11") << true
                                        << Key("SOFTWARE\\Wow6432Node\\Microsoft\\SQLNCLI11");
        QTest::newRow("win64 software itself") << Key("Software") << true << Key("Software\\Wow6432Node");
        QTest::newRow("win64 already Wow6432Node") << Key("software\\WOW6432NODE\\x") << true
                                                   << Key("software\\WOW6432NODE\\x");
        QTest::newRow("win64 other tree") << Key("SYSTEM\\Setup") << true << Key("SYSTEM\\Setup");
        QTest::newRow("win64 name starting with Software") << Key("SoftwareX\\Y") << true << Key("SoftwareX\\Y");
        QTest::newRow("win32") << Key("SOFTWARE\\Microsoft\\SQLNCLI11") << false
                               << Key("SOFTWARE\\Microsoft\\SQLNCLI11");
    }

    void KeyIn32BitView()
    {
        QFETCH(QString, key);
        QFETCH(bool, win64);
        QFETCH(QString, viewed);
        QCOMPARE(TWineRegistry::KeyIn32BitView(key, win64 ? TWineArch::Win64 : TWineArch::Win32), viewed);
    }

    void ReadValues_data()
    {
        QTest::addColumn<QByteArray>("systemReg");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("text");  // invalid: no text value
        QTest::addColumn<QVariant>("dword"); // invalid: no dword value

        const QByteArray Win64 = Fixture("win64");
        const QString CurrentVersion = QString::fromLatin1(WindowsCurrentVersionKey);
        const QString Odd = Key("Software\\Wow6432Node\\Odd]Name");
        QTest::newRow("escaped backslashes")
            << Win64 << Key("Software\\Microsoft\\SQLNCLI11") << Key("installedversion") << QVariant("11.4.7462.6")
            << QVariant();
        QTest::newRow("dword") << Win64 << Key("Software\\Microsoft\\NET Framework Setup\\NDP\\v4\\Full")
                               << Key("Release") << QVariant() << QVariant(0x80ff4u);
        QTest::newRow("after hex continuation lines")
            << Win64 << CurrentVersion << Key("ProductName") << QVariant("Windows 10 Pro") << QVariant();
        QTest::newRow("short hex escapes") << Win64 << CurrentVersion << Key("RegisteredOwner")
                                           << QVariant(Key("Dvořák")) << QVariant();
        QTest::newRow("four-digit hex escape before a hex digit")
            << Win64 << Key("Software\\Wow6432Node\\Účetní data\\Nastavení") << Key("Cesta")
            << QVariant(Key("C:\\Účetnictví")) << QVariant();
        QTest::newRow("empty text") << Win64 << CurrentVersion << Key("RegisteredOrganization") << QVariant("")
                                    << QVariant();
        QTest::newRow("default value") << Win64 << Odd << QString() << QVariant("closing bracket in a key name")
                                       << QVariant();
        QTest::newRow("expandable text, escaped quotes in name")
            << Win64 << Odd << Key("Say \"hi\"") << QVariant("%SystemRoot%\\system32") << QVariant();
        QTest::newRow("binary is neither") << Win64 << CurrentVersion << Key("DigitalProductId") << QVariant()
                                           << QVariant();
        QTest::newRow("missing value") << Win64 << CurrentVersion << Key("Nothing") << QVariant() << QVariant();
        QTest::newRow("key without section") << Win64 << Key("Software\\Microsoft") << Key("x") << QVariant()
                                             << QVariant();
        QTest::newRow("value of the next section is not taken")
            << Win64 << Key("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts") << Key("CurrentVersion")
            << QVariant() << QVariant();

        const QByteArray Twice = Win32Header() + "[Software\\\\A] 1\n\"First\"=\"1\"\n\"Both\"=\"old\"\n\n"
                                 "[Software\\\\B] 1\n\"First\"=\"b\"\n\n"
                                 "[software\\\\a] 2\n\"Second\"=dword:00000002\n\"Both\"=\"new\"\n";
        QTest::newRow("section written twice, first") << Twice << Key("Software\\A") << Key("First")
                                                       << QVariant("1") << QVariant();
        QTest::newRow("section written twice, second") << Twice << Key("Software\\A") << Key("Second")
                                                        << QVariant() << QVariant(2u);
        QTest::newRow("section written twice, later wins") << Twice << Key("Software\\A") << Key("Both")
                                                            << QVariant("new") << QVariant();
        QTest::newRow("unterminated text")
            << QByteArray(Win32Header() + "[Software\\\\A] 1\n\"V\"=\"abc\n") << Key("Software\\A") << Key("V")
            << QVariant() << QVariant();
        QTest::newRow("dword with bad digits")
            << QByteArray(Win32Header() + "[Software\\\\A] 1\n\"V\"=dword:0000000g\n") << Key("Software\\A")
            << Key("V") << QVariant() << QVariant();
        QTest::newRow("dword with too many digits")
            << QByteArray(Win32Header() + "[Software\\\\A] 1\n\"V\"=dword:000000001\n") << Key("Software\\A")
            << Key("V") << QVariant() << QVariant();
    }

    void ReadValues()
    {
        QFETCH(QByteArray, systemReg);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QVariant, text);
        QFETCH(QVariant, dword);
        TWineRegistry Registry;
        Registry.Parse(systemReg);
        const std::optional<QString> Text = Registry.ReadString(key, name);
        QCOMPARE(Text.has_value(), text.isValid());
        if (Text)
            QCOMPARE(*Text, text.toString());
        const std::optional<quint32> DWord = Registry.ReadDWord(key, name);
        QCOMPARE(DWord.has_value(), dword.isValid());
        if (DWord)
            QCOMPARE(*DWord, dword.toUInt());
    }

    void IsWindows64_data()
    {
        QTest::addColumn<QByteArray>("systemReg");
        QTest::addColumn<QByteArray>("wineArch");
        QTest::addColumn<bool>("win64");

        // $WINEARCH must not override an existing prefix.
        QTest::newRow("win64 prefix") << Fixture("win64") << QByteArray("win32") << true;
        QTest::newRow("win32 prefix") << Fixture("win32") << QByteArray("win64") << false;
        QTest::newRow("prefix from before 64-bit Wine")
            << QByteArray("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n[Software] 1\n")
            << QByteArray("win64") << false;
        QTest::newRow("missing prefix, WINEARCH=win32") << QByteArray() << QByteArray("win32") << false;
        QTest::newRow("missing prefix, WINEARCH=win64") << QByteArray() << QByteArray("win64") << true;
        QTest::newRow("foreign file reads as missing") << QByteArray("REGEDIT4\n") << QByteArray("win32") << false;
    }

    void IsWindows64()
    {
        QFETCH(QByteArray, systemReg);
        QFETCH(QByteArray, wineArch);
        QFETCH(bool, win64);
        UsePrefix(systemReg);
        qputenv("WINEARCH", wineArch);
        QCOMPARE(fProbes.IsWindows64(), win64);
    }

    void GetWindowsName_data()
    {
        QTest::addColumn<QByteArray>("systemReg");
        QTest::addColumn<QString>("name");

        QTest::newRow("win64 prefix reads its 64-bit view") << Fixture("win64") << Key("Windows 10");
        QTest::newRow("new prefix of Wine 8") << Fixture("win32") << Key("Windows 7");
        QTest::newRow("missing prefix") << QByteArray() << Key("Windows 7");
        QTest::newRow("no CurrentVersion section") << QByteArray(Win32Header() + "[Software] 1\n")
                                                   << Key("Windows 7");
        QTest::newRow("text 6.3") << WithCurrentVersion("\"CurrentVersion\"=\"6.3\"") << Key("Windows 8.1");
        QTest::newRow("text 6.0") << WithCurrentVersion("\"CurrentVersion\"=\"6.0\"") << Key("Windows Vista");
        QTest::newRow("text 5.2") << WithCurrentVersion("\"CurrentVersion\"=\"5.2\"")
                                  << Key("Unknown (Windows 5.2)");
        QTest::newRow("numbers win over text")
            << WithCurrentVersion("\"CurrentMajorVersionNumber\"=dword:00000006\n"
                                  "\"CurrentMinorVersionNumber\"=dword:00000002\n\"CurrentVersion\"=\"6.3\"")
            << Key("Windows 8");
        QTest::newRow("numbers above the table")
            << WithCurrentVersion("\"CurrentMajorVersionNumber\"=dword:0000000b\n"
                                  "\"CurrentMinorVersionNumber\"=dword:00000000\n")
            << Key("Unknown (Windows 11.0)");
        QTest::newRow("value names in other case")
            << WithCurrentVersion("\"CURRENTMAJORVERSIONNUMBER\"=dword:0000000a\n"
                                  "\"currentminorversionnumber\"=dword:00000000\n")
            << Key("Windows 10");
        QTest::newRow("major number alone falls back to text")
            << WithCurrentVersion("\"CurrentMajorVersionNumber\"=dword:0000000a\n\"CurrentVersion\"=\"6.2\"")
            << Key("Windows 8");
        QTest::newRow("number written as text falls back")
            << WithCurrentVersion("\"CurrentMajorVersionNumber\"=\"10\"\n"
                                  "\"CurrentMinorVersionNumber\"=dword:00000000\n\"CurrentVersion\"=\"6.3\"")
            << Key("Windows 8.1");
        QTest::newRow("unreadable text") << WithCurrentVersion("\"CurrentVersion\"=\"six\"") << Key("Windows 7");
        QTest::newRow("text without minor") << WithCurrentVersion("\"CurrentVersion\"=\"10\"") << Key("Windows 7");
    }

    void GetWindowsName()
    {
        QFETCH(QByteArray, systemReg);
        QFETCH(QString, name);
        UsePrefix(systemReg);
        QCOMPARE(fProbes.GetWindowsName(), name);
    }

    // Damaged files: whatever cannot be parsed reads as absent, the rest of the
    // file still counts. Prefixes without "#arch=" look keys up directly.
    void DamagedFile_data()
    {
        QTest::addColumn<QByteArray>("systemReg");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("exists");

        const QString Native = QString::fromLatin1(NativeClient11Key);
        const QByteArray Good = "[Software\\\\Microsoft\\\\SQLNCLI11] 1712745600\n";
        QTest::newRow("empty file") << QByteArray("") << QString() << false;
        QTest::newRow("other version") << QByteArray("WINE REGISTRY Version 1\n\n" + Good) << Native << false;
        QTest::newRow("regedit export") << QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\SQLNCLI11]\n")
                                        << Native << false;
        QByteArray Binary(512, '\0');
        for (int I = 0; I < Binary.size(); ++I)
            Binary[I] = char((I * 37 + 11) & 0xff);
        QTest::newRow("binary") << Binary << Native << false;
        QTest::newRow("header without line break") << QByteArray("WINE REGISTRY Version 2") << QString() << false;
        QTest::newRow("header with CR LF") << QByteArray("WINE REGISTRY Version 2\r\n\r\n" + Good) << Native << true;
        QTest::newRow("section without closing bracket")
            << QByteArray(Win32Header() + "[Software\\\\Microsoft\\\\SQLNCLI11 1712745600\n") << Native << false;
        QTest::newRow("escape at the end of the line")
            << QByteArray(Win32Header() + "[Software\\\\Microsoft\\\\SQLNCLI11\\\n[Software\\\\Other] 1\n")
            << Key("Software\\Other") << true;
        QTest::newRow("hex escape at the end of the line")
            << QByteArray(Win32Header() + "[Software\\\\Bad\\x\n" + Good) << Native << true;
        QTest::newRow("invalid UTF-8 in an earlier name")
            << QByteArray(Win32Header() + "[Software\\\\Bad\xff\xfe\x80Name] 1\n" + Good) << Native << true;
        QTest::newRow("raw UTF-8 name") << QByteArray(Win32Header() + "[Software\\\\Účetní] 1\n")
                                        << Key("SOFTWARE\\ÚČETNÍ") << true;
        QTest::newRow("NUL bytes in a line")
            << QByteArray(Win32Header() + QByteArray("[Software\\\\A\0B] 1\n", sizeof("[Software\\\\A\0B] 1\n") - 1) + Good) << Native << true;
        QTest::newRow("empty section name") << QByteArray(Win32Header() + "[] 1\n" + Good) << Native << true;
    }

    void DamagedFile()
    {
        QFETCH(QByteArray, systemReg);
        QFETCH(QString, key);
        QFETCH(bool, exists);
        UsePrefix(systemReg);
        QCOMPARE(fProbes.HKLMKeyExists(key), exists);
        fProbes.GetLocalDBVersions();
        fProbes.IsWindows64();
        QVERIFY(!fProbes.GetWindowsName().isEmpty());
    }

    void TruncatedFile_data()
    {
        QTest::addColumn<QByteArray>("cutAfter"); // the file ends after the first occurrence of this
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("windowsName");

        const QByteArray Wow16 = "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft SQL Server Local DB\\\\Installed Versions\\\\16";
        QTest::newRow("inside a section name") << Wow16 << LocalDBKey(5) << false << Key("Windows 10");
        QTest::newRow("earlier section survives") << Wow16 << LocalDBKey(0) << true << Key("Windows 10");
        QTest::newRow("before the closing bracket") << QByteArray(Wow16 + ".0") << LocalDBKey(5) << false
                                                    << Key("Windows 10");
        QTest::newRow("line without its line break")
            << QByteArray(Wow16 + ".0] 1712745600") << LocalDBKey(5) << false << Key("Windows 10");
        QTest::newRow("complete section line") << QByteArray(Wow16 + ".0] 1712745600\n") << LocalDBKey(5) << true
                                               << Key("Windows 10");
        QTest::newRow("inside a dword") << QByteArray("\"CurrentMajorVersionNumber\"=dword:0000000")
                                        << LocalDBKey(0) << false << Key("Windows 7");
        QTest::newRow("inside a later text value") << QByteArray("\"CurrentMinorVersionNumber\"=dword:00000000\n"
                                                                 "\"CurrentType\"=\"Multiprocessor Free\"\n"
                                                                 "\"CurrentVersion\"=\"6.")
                                                   << LocalDBKey(0) << false << Key("Windows 10");
        QTest::newRow("inside the header") << QByteArray("WINE REG") << QString() << false << Key("Windows 7");
    }

    void TruncatedFile()
    {
        QFETCH(QByteArray, cutAfter);
        QFETCH(QString, key);
        QFETCH(bool, exists);
        QFETCH(QString, windowsName);
        const QByteArray Full = Fixture("win64");
        const qsizetype At = Full.indexOf(cutAfter);
        QVERIFY(At >= 0);
        UsePrefix(Full.left(At + cutAfter.size()));
        QCOMPARE(fProbes.HKLMKeyExists(key), exists);
        QCOMPARE(fProbes.GetWindowsName(), windowsName);
    }

    // Cut at every byte, a file shows a subset of the full file's keys and
    // never another value or word size.
    void EveryTruncationIsSafe()
    {
        const QByteArray Full = Fixture("win64");
        TWineRegistry Whole;
        Whole.Parse(Full);
        const QStringList Keys = {LocalDBKey(0), LocalDBKey(1), LocalDBKey(5), QString::fromLatin1(NetFramework4Key),
                                  Key("SOFTWARE\\Účetní data\\Nastavení"), Key("SOFTWARE\\Odd]Name"),
                                  Key("SYSTEM\\CurrentControlSet")};
        const QString CurrentVersion = QString::fromLatin1(WindowsCurrentVersionKey);
        for (qsizetype Size = 0; Size <= Full.size(); ++Size) {
            TWineRegistry Cut;
            Cut.Parse(Full.left(Size));
            for (const QString &K : Keys)
                if (Cut.KeyExistsIn32BitView(K) && !Whole.KeyExistsIn32BitView(K))
                    QFAIL(qPrintable(QStringLiteral("%1 appears when cut at %2").arg(K).arg(Size)));
            QVERIFY(Cut.Arch() == TWineArch::Unknown || Cut.Arch() == TWineArch::Win64);
            for (const char *Name : {"CurrentMajorVersionNumber", "CurrentMinorVersionNumber"}) {
                const std::optional<quint32> Got = Cut.ReadDWord(CurrentVersion, QLatin1String(Name));
                if (Got && Got != Whole.ReadDWord(CurrentVersion, QLatin1String(Name)))
                    QFAIL(qPrintable(QStringLiteral("%1 changes when cut at %2").arg(QLatin1String(Name)).arg(Size)));
            }
            const std::optional<QString> Text = Cut.ReadString(CurrentVersion, QStringLiteral("CurrentVersion"));
            if (Text && Text != Whole.ReadString(CurrentVersion, QStringLiteral("CurrentVersion")))
                QFAIL(qPrintable(QStringLiteral("CurrentVersion changes when cut at %1").arg(Size)));
        }
    }

    void IsUserAdmin()
    {
        UsePrefix(QByteArray());
        QVERIFY(fProbes.IsUserAdmin());
    }

    void InterfaceConnects_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("connects");

        using F = QNetworkInterface;
        QTest::newRow("up and running") << int(F::IsUp | F::IsRunning | F::CanBroadcast) << true;
        QTest::newRow("point to point") << int(F::IsUp | F::IsRunning | F::IsPointToPoint) << true;
        QTest::newRow("loopback") << int(F::IsUp | F::IsRunning | F::IsLoopBack) << false;
        QTest::newRow("up, no carrier") << int(F::IsUp | F::CanBroadcast) << false;
        QTest::newRow("down") << int(F::CanBroadcast) << false;
    }

    void InterfaceConnects()
    {
        QFETCH(int, flags);
        QFETCH(bool, connects);
        QCOMPARE(TWineProbes::InterfaceConnects(QNetworkInterface::InterfaceFlags(flags)), connects);
    }

    // The prefix user's Windows temporary folder, as user.reg's TEMP names
    // it, mapped through the prefix's drives and created when missing.
    void GetTempDir_data()
    {
        QTest::addColumn<QByteArray>("temp");      // the TEMP line's data, null for no user.reg
        QTest::addColumn<QString>("expected");     // below the prefix; <user> is the Unix user
        const QString Default = QStringLiteral("drive_c/users/<user>/Temp");
        // What wineboot -i of Wine 8 wrote into a new prefix.
        QTest::newRow("as Wine writes it") << QByteArray(R"("C:\\users\\<user>\\Temp")") << Default;
        QTest::newRow("profile variable") << QByteArray(R"(str(2):"%USERPROFILE%\\AppData\\Local\\Temp")")
                                          << QStringLiteral("drive_c/users/<user>/AppData/Local/Temp");
        QTest::newRow("other drive") << QByteArray(R"("D:\\scratch\\t")") << QStringLiteral("elsewhere/scratch/t");
        QTest::newRow("no user.reg") << QByteArray() << Default;
        QTest::newRow("no TEMP") << QByteArray("") << Default;
        QTest::newRow("unknown variable") << QByteArray(R"("%NOSUCH%\\Temp")") << Default;
        // A variable Wine does not define, in an otherwise good path: not a
        // folder literally named "%NOSUCH%".
        QTest::newRow("unknown variable in a drive path") << QByteArray(R"("C:\\users\\%NOSUCH%\\Temp")") << Default;
        QTest::newRow("way out of the drive") << QByteArray(R"("C:\\..\\..\\outside")") << Default;
        QTest::newRow("drive without a link") << QByteArray(R"("E:\\t")") << Default;
        QTest::newRow("not a drive path") << QByteArray(R"("\\\\server\\share")") << Default;
    }

    void GetTempDir()
    {
        QFETCH(QByteArray, temp);
        QFETCH(QString, expected);
        UsePrefix(Fixture("win64"));
        const QString Prefix = qEnvironmentVariable("WINEPREFIX");
        QVERIFY(QDir().mkpath(Prefix + QStringLiteral("/drive_c")));
        QVERIFY(QDir().mkpath(Prefix + QStringLiteral("/elsewhere")));
        QVERIFY(QDir().mkpath(Prefix + QStringLiteral("/dosdevices")));
        QVERIFY(QFile::link(QStringLiteral("../drive_c"), Prefix + QStringLiteral("/dosdevices/c:")));
        QVERIFY(QFile::link(QStringLiteral("../elsewhere"), Prefix + QStringLiteral("/dosdevices/d:")));
        const QByteArray User = TWinePrefix::UserName().toUtf8();
        if (!temp.isNull()) {
            QByteArray Reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
                             "#arch=win64\n\n[Environment] 1796922003\n#time=1dd88c7e69a5c2a\n";
            if (!temp.isEmpty())
                Reg += "\"TEMP\"=" + temp.replace("<user>", User) + "\n\"TMP\"=" + temp + "\n";
            Reg += "\n";
            QFile File(Prefix + QStringLiteral("/user.reg"));
            QVERIFY(File.open(QIODevice::WriteOnly));
            File.write(Reg);
        }
        const QString Expected = Prefix + u'/' + expected.replace(QStringLiteral("<user>"), QString::fromUtf8(User)) + u'/';
        QVERIFY(!QFileInfo::exists(Expected));
        QCOMPARE(fProbes.GetTempDir(), Expected);
        QVERIFY(QFileInfo(Expected).isDir());
        // An existing folder is answered as it is.
        QCOMPARE(fProbes.GetTempDir(), Expected);
    }

    // The parse of system.reg is kept while the file stays as it is and
    // dropped when it changes, also when only the inode tells (Wine renames
    // a new file over the old one).
    void RegistryParsedOncePerChange()
    {
        UsePrefix(Fixture("win64"));
        const QString Path = TWinePrefix::SystemRegPath();
        const QDateTime Old = QDateTime::currentDateTime().addSecs(-3600);
        auto Age = [&] {
            QFile File(Path);
            QVERIFY(File.open(QIODevice::ReadWrite));
            QVERIFY(File.setFileTime(Old, QFileDevice::FileModificationTime));
        };
        Age();
        const auto First = TWineRegistry::Shared(Path);
        QCOMPARE(TWineRegistry::Shared(Path).get(), First.get());
        QVERIFY(!fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));

        // Same size and time, another inode.
        QByteArray Changed = Fixture("win64");
        const QByteArray From = "Microsoft\\\\Windows NT\\\\CurrentVersion]";
        QVERIFY(Changed.contains(From));
        Changed.replace(From, "Microsoft\\\\Windows NT\\\\CurrentVersioN]");
        {
            QFile File(Path + QStringLiteral(".new"));
            QVERIFY(File.open(QIODevice::WriteOnly));
            File.write(Changed);
        }
        QVERIFY(::rename(QFile::encodeName(Path + QStringLiteral(".new")).constData(), QFile::encodeName(Path).constData()) == 0);
        Age();
        const auto Second = TWineRegistry::Shared(Path);
        QVERIFY(Second.get() != First.get());
        QCOMPARE(TWineRegistry::Shared(Path).get(), Second.get());
        // What was handed out stays readable.
        QVERIFY(First->IsLoaded());

        // Another size.
        {
            QFile File(Path);
            QVERIFY(File.open(QIODevice::Append));
            File.write("\n[Software\\\\Wow6432Node\\\\Microsoft\\\\SQLNCLI11] 1712745700\n#time=1da8b1f2c3d4e70\n");
        }
        Age();
        QVERIFY(TWineRegistry::Shared(Path).get() != Second.get());
        QVERIFY(fProbes.HKLMKeyExists(QString::fromLatin1(NativeClient11Key)));
    }

    void GetLocaleString_data()
    {
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcMessages");
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<int>("lcType");
        QTest::addColumn<QString>("code");

        const int Iso = LOCALE_SISO639LANGNAME;
        const QByteArray Unset;
        QTest::newRow("LANG") << Unset << Unset << QByteArray("cs_CZ.UTF-8") << Iso << Key("cs");
        QTest::newRow("LC_MESSAGES before LANG") << Unset << QByteArray("en_GB") << QByteArray("cs_CZ") << Iso
                                                 << Key("en");
        QTest::newRow("LC_ALL before all") << QByteArray("de_DE.UTF-8") << QByteArray("en_GB")
                                           << QByteArray("cs_CZ") << Iso << Key("de");
        QTest::newRow("empty LC_ALL is not set") << QByteArray("") << Unset << QByteArray("sk_SK") << Iso
                                                 << Key("sk");
        QTest::newRow("C in LC_ALL wins") << QByteArray("C") << Unset << QByteArray("cs_CZ") << Iso << QString();
        QTest::newRow("POSIX") << Unset << Unset << QByteArray("POSIX") << Iso << QString();
        QTest::newRow("C.UTF-8") << Unset << Unset << QByteArray("C.UTF-8") << Iso << QString();
        QTest::newRow("nothing set") << Unset << Unset << Unset << Iso << QString();
        QTest::newRow("modifier") << Unset << Unset << QByteArray("sr_RS@latin") << Iso << Key("sr");
        QTest::newRow("three letters") << Unset << Unset << QByteArray("fil_PH.UTF-8") << Iso << Key("fil");
        QTest::newRow("language only") << Unset << Unset << QByteArray("pl") << Iso << Key("pl");
        QTest::newRow("not a language") << Unset << Unset << QByteArray("/usr/share/x") << Iso << QString();
        QTest::newRow("no user override flag") << Unset << Unset << QByteArray("cs_CZ")
                                               << int(0x80000000u | LOCALE_SISO639LANGNAME) << Key("cs");
        QTest::newRow("other kind") << Unset << Unset << QByteArray("cs_CZ") << 0x5a << QString();
    }

    void GetLocaleString()
    {
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcMessages);
        QFETCH(QByteArray, lang);
        QFETCH(int, lcType);
        QFETCH(QString, code);
        SetEnv("LC_ALL", lcAll);
        SetEnv("LC_MESSAGES", lcMessages);
        SetEnv("LANG", lang);
        QCOMPARE(fProbes.GetLocaleString(lcType), code);
    }
};

QTEST_GUILESS_MAIN(TstWineProbes)
#include "tst_wine_probes.moc"
