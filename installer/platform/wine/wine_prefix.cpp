#include "installer/platform/wine/wine_prefix.h"

#include "installer/platform/wine/wine_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

QString TWinePrefix::Path()
{
    const QString Prefix = qEnvironmentVariable("WINEPREFIX");
    if (!Prefix.isEmpty())
        return QDir::cleanPath(Prefix);
    return QDir::homePath() + QStringLiteral("/.wine");
}

QString TWinePrefix::SystemRegPath()
{
    return Path() + QStringLiteral("/system.reg");
}

QString TWinePrefix::UserRegPath()
{
    return Path() + QStringLiteral("/user.reg");
}

bool TWinePrefix::Exists()
{
    return QFileInfo(SystemRegPath()).isFile();
}

QString TWinePrefix::UserName()
{
#ifdef Q_OS_UNIX
    if (const passwd *Entry = ::getpwuid(::geteuid()); Entry && Entry->pw_name && *Entry->pw_name)
        return QString::fromLocal8Bit(Entry->pw_name);
#endif
    const QString User = qEnvironmentVariable("USER");
    return User.isEmpty() ? QStringLiteral("wine") : User;
}

QString TWinePrefix::LinuxPathOf(const QString &WindowsPath)
{
    static const QRegularExpression DrivePath(QStringLiteral("^([A-Za-z]):(\\\\.*)?$"));
    const QRegularExpressionMatch Match = DrivePath.match(WindowsPath);
    if (!Match.hasMatch())
        return {};
    const QString Drive = Match.captured(1).toLower();
    QString Root = Path() + QStringLiteral("/dosdevices/") + Drive + u':';
    if (!QFileInfo(Root).isDir()) {
        if (Drive != u"c")
            return {};
        Root = Path() + QStringLiteral("/drive_c");
    }
    QStringList Parts;
    for (const QString &Part : Match.captured(2).split(u'\\', Qt::SkipEmptyParts)) {
        // No way out of the drive: the folder is created and written to.
        if (Part == u"." || Part == u".." || Part.contains(u'/'))
            return {};
        Parts << Part;
    }
    return Parts.isEmpty() ? Root : Root + u'/' + Parts.join(u'/');
}

namespace {

// The variables Wine's own TEMP refers to; anything else leaves the text unusable.
QString ExpandProfileVariables(QString Text)
{
    const QString Profile = QStringLiteral("C:\\users\\") + TWinePrefix::UserName();
    const std::pair<const char *, QString> Known[] = {
        {"%USERPROFILE%", Profile},
        {"%SystemDrive%", QStringLiteral("C:")},
        {"%SystemRoot%", QStringLiteral("C:\\windows")},
        {"%windir%", QStringLiteral("C:\\windows")},
        {"%USERNAME%", TWinePrefix::UserName()},
        {"%LOCALAPPDATA%", Profile + QStringLiteral("\\AppData\\Local")},
    };
    for (const auto &[Name, Value] : Known)
        Text.replace(QLatin1String(Name), Value, Qt::CaseInsensitive);
    return Text.contains(u'%') ? QString() : Text;
}

} // namespace

QString TWinePrefix::TempDir()
{
    QString Dir;
    const TWineRegistry User(UserRegPath());
    if (const std::optional<QString> Temp = User.ReadString(QStringLiteral("Environment"), QStringLiteral("TEMP")))
        Dir = LinuxPathOf(ExpandProfileVariables(*Temp));
    if (Dir.isEmpty())
        Dir = Path() + QStringLiteral("/drive_c/users/") + UserName() + QStringLiteral("/Temp");
    QDir().mkpath(Dir);
    // Through the drive links to the folder itself, as a program's own paths read.
    const QString Canonical = QFileInfo(Dir).canonicalFilePath();
    return (Canonical.isEmpty() ? Dir : Canonical) + u'/';
}
