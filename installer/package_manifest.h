#pragma once
// An offline package folder: the packages laid out under their server paths
// ("data/..."), with a manifest of each file's size and SHA-256, so that a
// folder carried on a USB stick or a share can be checked before anything
// from it runs.

#include <QHash>
#include <QString>
#include <QStringList>

// Every path the download server offers, for 32- and 64-bit systems alike.
QStringList AllPackagePaths();

// The manifest's file name inside the folder.
inline constexpr char PackageManifestName[] = "dilnex-packages.sha256";

struct TManifestEntry
{
    qint64 Size = -1;
    QString Sha256; // lower-case hex
};

class TPackageManifest
{
public:
    // Reads Folder's manifest; false with Why when it is missing or malformed.
    bool Read(const QString &Folder, QString &Why);
    // Writes it (one line per file: digest, size, server path) in one rename.
    bool Write(const QString &Folder, QString &Why) const;

    void Add(const QString &Path, const TManifestEntry &Entry) { fEntries.insert(Path, Entry); }
    bool Contains(const QString &Path) const { return fEntries.contains(Path); }
    // Whether FileName is the file the manifest lists under Path; Why says
    // how it differs when not.
    bool Matches(const QString &Path, const QString &FileName, QString &Why) const;

    // Size and digest of a file; Size -1 when it cannot be read.
    static TManifestEntry Describe(const QString &FileName);

private:
    QHash<QString, TManifestEntry> fEntries;
};
