#include "installer/package_manifest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

QStringList AllPackagePaths()
{
    return {
        QStringLiteral("/data/sqllocaldb/netframe/dotnetfx40_full_x86_x64.exe"),
        QStringLiteral("/data/sqllocaldb/nativeclient/64bit/sqlncli.msi"),
        QStringLiteral("/data/sqllocaldb/nativeclient/32bit/sqlncli.msi"),
        QStringLiteral("/data/sqllocaldb/2022/sqllocaldb.msi"),
        QStringLiteral("/data/sqllocaldb/32bit/sqllocaldb.msi"),
        QStringLiteral("/data/dilnex8/dilnex8.exe"),
    };
}

TManifestEntry TPackageManifest::Describe(const QString &FileName)
{
    TManifestEntry Entry;
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return Entry;
    QCryptographicHash Hash(QCryptographicHash::Sha256);
    if (!Hash.addData(&File))
        return Entry;
    Entry.Size = File.size();
    Entry.Sha256 = QString::fromLatin1(Hash.result().toHex());
    return Entry;
}

bool TPackageManifest::Read(const QString &Folder, QString &Why)
{
    fEntries.clear();
    QFile File(QDir(Folder).filePath(QLatin1String(PackageManifestName)));
    if (!File.open(QIODevice::ReadOnly)) {
        Why = QStringLiteral("no manifest %1: %2").arg(File.fileName(), File.errorString());
        return false;
    }
    int Number = 0;
    while (!File.atEnd()) {
        ++Number;
        const QString Line = QString::fromUtf8(File.readLine()).trimmed();
        if (Line.isEmpty() || Line.startsWith(u'#'))
            continue;
        // "<sha256> <size> <path>"; the path is the rest, so it may hold blanks.
        const qsizetype First = Line.indexOf(u' ');
        const qsizetype Second = First < 0 ? -1 : Line.indexOf(u' ', First + 1);
        bool SizeOk = false;
        TManifestEntry Entry;
        if (Second > 0) {
            Entry.Sha256 = Line.left(First).toLower();
            Entry.Size = Line.mid(First + 1, Second - First - 1).toLongLong(&SizeOk);
        }
        const QString Path = Second > 0 ? Line.mid(Second + 1) : QString();
        static const QRegularExpression Hex(QStringLiteral("^[0-9a-f]{64}$"));
        if (!SizeOk || Entry.Size < 0 || !Hex.match(Entry.Sha256).hasMatch() || !Path.startsWith(u'/')) {
            Why = QStringLiteral("%1, line %2: not \"<sha256> <size> <path>\"").arg(File.fileName()).arg(Number);
            fEntries.clear();
            return false;
        }
        fEntries.insert(Path, Entry);
    }
    return true;
}

bool TPackageManifest::Write(const QString &Folder, QString &Why) const
{
    QSaveFile File(QDir(Folder).filePath(QLatin1String(PackageManifestName)));
    if (!File.open(QIODevice::WriteOnly)) {
        Why = File.errorString();
        return false;
    }
    QByteArray Text = "# Packages of the Dilnex 8 local installation: <sha256> <size> <path below this folder>\n";
    QStringList Paths = fEntries.keys();
    Paths.sort();
    for (const QString &Path : Paths) {
        const TManifestEntry &E = fEntries[Path];
        Text += E.Sha256.toLatin1() + ' ' + QByteArray::number(E.Size) + ' ' + Path.toUtf8() + '\n';
    }
    File.write(Text);
    if (!File.commit()) {
        Why = File.errorString();
        return false;
    }
    return true;
}

bool TPackageManifest::Matches(const QString &Path, const QString &FileName, QString &Why) const
{
    const auto It = fEntries.constFind(Path);
    if (It == fEntries.constEnd()) {
        Why = QStringLiteral("%1 is not in the manifest").arg(Path);
        return false;
    }
    const TManifestEntry Actual = Describe(FileName);
    if (Actual.Size < 0) {
        Why = QStringLiteral("%1 cannot be read").arg(FileName);
        return false;
    }
    if (Actual.Size != It->Size || Actual.Sha256 != It->Sha256) {
        Why = QStringLiteral("%1 differs from the manifest (size %2, SHA-256 %3; listed: size %4, SHA-256 %5)")
                  .arg(Path)
                  .arg(Actual.Size)
                  .arg(Actual.Sha256)
                  .arg(It->Size)
                  .arg(It->Sha256);
        return false;
    }
    return true;
}
