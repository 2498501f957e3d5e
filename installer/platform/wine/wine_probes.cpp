#include "installer/platform/wine/wine_probes.h"

#include "installer/platform/registry_keys.h"
#include "installer/platform/windows_name.h"
#include "installer/platform/wine/wine_prefix.h"
#include "installer/platform/wine/wine_registry.h"

#include <QDir>
#include <QSysInfo>
#include <QtGlobal>

namespace {

// What a prefix created by Debian's Wine 8 reports when nothing else says.
constexpr unsigned DefaultMajor = 6;
constexpr unsigned DefaultMinor = 1;

// Windows accepts these flags beside the information kind; they do not change
// which information is asked for.
constexpr int LOCALE_NOUSEROVERRIDE = int(0x80000000u);
constexpr int LOCALE_USE_CP_ACP = 0x40000000;

} // namespace

bool TWineProbes::ParseVersionText(const QString &Text, unsigned &Major, unsigned &Minor)
{
    const QStringList Parts = Text.trimmed().split(u'.');
    if (Parts.size() < 2)
        return false;
    bool MajorOk = false, MinorOk = false;
    const uint NewMajor = Parts[0].toUInt(&MajorOk);
    const uint NewMinor = Parts[1].toUInt(&MinorOk);
    if (!MajorOk || !MinorOk)
        return false;
    Major = NewMajor;
    Minor = NewMinor;
    return true;
}

TLocalDBVersions TWineProbes::GetLocalDBVersions()
{
    const auto Registry = TWineRegistry::Shared(TWinePrefix::SystemRegPath());
    TLocalDBVersions Versions;
    for (size_t I = 0; I < Versions.Installed.size(); ++I)
        Versions.Installed[I] = Registry->KeyExistsIn32BitView(QString::fromLatin1(LocalDBVersionKeys[I]));
    return Versions;
}

bool TWineProbes::LocalDB11Installed()
{
    return HKLMKeyExists(QString::fromLatin1(LocalDBVersionKeys[0]));
}

bool TWineProbes::HKLMKeyExists(const QString &Key)
{
    return TWineRegistry::Shared(TWinePrefix::SystemRegPath())->KeyExistsIn32BitView(Key);
}

bool TWineProbes::IsWindows64()
{
    const auto Registry = TWineRegistry::Shared(TWinePrefix::SystemRegPath());
    if (Registry->IsLoaded()) {
        // Wine wrote no "#arch=" before it could make 64-bit prefixes.
        return Registry->Arch() == TWineArch::Win64;
    }
    // Wine creates a missing prefix for $WINEARCH, else for the host.
    const QString Arch = qEnvironmentVariable("WINEARCH");
    if (Arch == u"win64")
        return true;
    if (Arch == u"win32")
        return false;
    return QSysInfo::currentCpuArchitecture().contains(QLatin1String("64"));
}

bool TWineProbes::IsUserAdmin()
{
    return true;
}

QString TWineProbes::GetWindowsName()
{
    const auto Registry = TWineRegistry::Shared(TWinePrefix::SystemRegPath());
    const QString Key = QString::fromLatin1(WindowsCurrentVersionKey);
    unsigned Major = DefaultMajor, Minor = DefaultMinor;
    const std::optional<quint32> NewMajor = Registry->ReadDWord(Key, QStringLiteral("CurrentMajorVersionNumber"));
    const std::optional<quint32> NewMinor = Registry->ReadDWord(Key, QStringLiteral("CurrentMinorVersionNumber"));
    if (NewMajor && NewMinor) {
        Major = *NewMajor;
        Minor = *NewMinor;
    } else if (const std::optional<QString> Text = Registry->ReadString(Key, QStringLiteral("CurrentVersion"))) {
        ParseVersionText(*Text, Major, Minor);
    }
    return QString::fromStdString(WindowsNameOf(Major, Minor));
}

bool TWineProbes::InterfaceConnects(QNetworkInterface::InterfaceFlags Flags)
{
    return Flags.testFlag(QNetworkInterface::IsUp) && Flags.testFlag(QNetworkInterface::IsRunning)
           && !Flags.testFlag(QNetworkInterface::IsLoopBack);
}

bool TWineProbes::InternetConnected()
{
    const QList<QNetworkInterface> Interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &Interface : Interfaces)
        if (InterfaceConnects(Interface.flags()))
            return true;
    return false;
}

QString TWineProbes::GetTempDir()
{
    // Not the host's shared /tmp: there another user's file of the same name
    // could break or race a download under the fixed package names.
    return TWinePrefix::TempDir();
}

QString TWineProbes::LanguageOfLocaleName(const QString &LocaleName)
{
    qsizetype End = 0;
    while (End < LocaleName.size() && LocaleName[End] != u'_' && LocaleName[End] != u'.' && LocaleName[End] != u'@')
        ++End;
    const QString Language = LocaleName.left(End).toLower();
    if (Language.size() < 2 || Language.size() > 3)
        return QString(); // also "C" and "POSIX"
    for (QChar C : Language)
        if (C < u'a' || C > u'z')
            return QString();
    return Language;
}

QString TWineProbes::GetLocaleString(int LCType)
{
    if ((LCType & ~(LOCALE_NOUSEROVERRIDE | LOCALE_USE_CP_ACP)) != LOCALE_SISO639LANGNAME)
        return QString();
    // The first of these that is set and not empty decides, as in POSIX.
    for (const char *Name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString Value = qEnvironmentVariable(Name);
        if (!Value.isEmpty())
            return LanguageOfLocaleName(Value);
    }
    return QString();
}
