#include "glotta/engine/language_list.h"
#include "glotta/engine/engine_log.h"

#include "glotta/engine/language_file.h"
#include "glotta/engine/language_file_head.h"
#include "glotta/store/language_header.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QBuffer *TFlagsList::NewFlag()
{
    auto B = std::make_unique<QBuffer>();
    B->open(QIODevice::ReadWrite);
    fFlags.push_back(std::move(B));
    return fFlags.back().get();
}

QBuffer *TFlagsList::GetFlagStream(int Index)
{
    if (Index < 0)
        return nullptr;
    while (Count() <= Index)
        NewFlag();
    QBuffer *B = fFlags[size_t(Index)].get();
    B->seek(0);
    return B;
}

bool TFlagsList::Present(int FlagIndex) const
{
    return FlagIndex >= 0 && FlagIndex < Count() && fFlags[size_t(FlagIndex)]->size() > 10;
}

int TLanguageList::IndexOfLanguage(const QString &ISOorLangName) const
{
    // An empty request names no language, not one without a code.
    if (ISOorLangName.isEmpty())
        return -1;
    const int i = LangCodes.IndexOf(ISOorLangName);
    if (i >= 0)
        return i;
    return Languages.IndexOf(ISOorLangName);
}

QString TLanguageList::GetFile(const QString &ISOorLangName) const
{
    return GetFile(IndexOfLanguage(ISOorLangName));
}

QString TLanguageList::GetFile(int LanguageIndex) const
{
    return LanguageIndex >= 0 && LanguageIndex < FileNames.Count() ? FileNames.Strings(LanguageIndex) : QString();
}

QString TLanguageList::GetCode(const QString &LanguageName) const
{
    return GetCode(Languages.IndexOf(LanguageName));
}

QString TLanguageList::GetCode(int LanguageIndex) const
{
    return LanguageIndex >= 0 && LanguageIndex < LangCodes.Count() ? LangCodes.Strings(LanguageIndex) : QString();
}

bool TLanguageList::Exists(const QString &ISOorLangName) const
{
    return IndexOfLanguage(ISOorLangName) >= 0;
}

QBuffer *TLanguageList::Flag(const QString &ISOorLangName)
{
    const int i = IndexOfLanguage(ISOorLangName);
    return i < 0 ? nullptr : Flag(i);
}

QBuffer *TLanguageList::Flag(int LanguageIndex)
{
    if (LanguageIndex < 0 || LanguageIndex >= Flags.Count())
        return nullptr;
    return Flags.GetFlagStream(LanguageIndex);
}

void TLanguageList::Rescan(const TLanguageSources &Sources)
{
    Languages.Clear();
    fIndexedCount = -1;
    FileNames.Clear();
    LangCodes.Clear();
    EditableLangs.Clear();
    Flags.ClearFlags();

    Languages.Add(Sources.DesignName);
    FileNames.Add(Sources.DesignName);
    LangCodes.Add(Sources.DesignCode);
    Sources.InternalFlag(*Flags.NewFlag(), ifDesignLanguage);

    if (Sources.Resources) {
        QStringList &Resources = *Sources.Resources;
        for (qsizetype r = 0; r < Resources.size();) {
            const QString Name = Resources[r];
            QByteArray Bytes;
            if (!Sources.ReadResource(Name, Bytes)) {
                // A resource that cannot be opened is dropped; the rest are still scanned.
                qCWarning(lcGlottaEngine).noquote()
                    << QStringLiteral("language resource %1 dropped: it cannot be read").arg(Name);
                Resources.removeAt(r);
                continue;
            }
            TLangIDs IDs;
            QByteArray Picture;
            ReadLanguageHeader(Bytes, Sources.SignatureLine, IDs, Picture);
            if (IDs.Name.isEmpty())
                qCWarning(lcGlottaEngine).noquote()
                    << QStringLiteral("language resource %1 refused: its header names no language").arg(Name);
            AddLanguage(Name, IDs, Picture, Sources.ResourcesEditable, Sources);
            ++r;
        }
    }

    if (Sources.Dir.isEmpty())
        return;
    const QString Ext = Sources.Extension.toLower();
    // Files found again with their size and time unchanged are not read again.
    QHash<QString, TScannedFile> Scanned;
    const QFileInfoList Entries =
        QDir(Sources.Dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &Entry : Entries) {
        const QString FileName = Entry.fileName();
        const qsizetype Dot = FileName.lastIndexOf(QLatin1Char('.'));
        const QString EntryExt = Dot < 0 ? QString() : FileName.mid(Dot).toLower();
        if (EntryExt != Ext)
            continue;
        // The listing includes FIFOs, sockets and devices (and links to
        // them); only regular files, reached directly or by a link, hold
        // languages, and reading the others could block or never end.
        if (!Entry.isFile())
            continue;
        const TScannedFile &File = ScanFile(Entry, Sources.SignatureLine, Scanned);
        if (File.IDs.Name.isEmpty())
            qCWarning(lcGlottaEngine).noquote()
                << QStringLiteral("language file %1 skipped: its header names no language").arg(Sources.Dir + FileName);
        AddLanguage(Sources.Dir + FileName, File.IDs, File.Flag, true, Sources);
    }
    fScanned = std::move(Scanned);
}

const TLanguageList::TScannedFile &TLanguageList::ScanFile(const QFileInfo &Entry, const QString &Sign,
                                                            QHash<QString, TScannedFile> &Scanned)
{
    const QString Path = Entry.absoluteFilePath();
    const qint64 Size = Entry.size();
    const QDateTime Modified = Entry.lastModified();
    const auto Known = fScanned.constFind(Path);
    if (Known != fScanned.constEnd() && Known->Size == Size && Known->Modified == Modified && Known->Sign == Sign)
        return *Scanned.insert(Path, *Known);
    TScannedFile File{Size, Modified, Sign, TLangIDs(), QByteArray()};
    ReadLanguageFileHead(Entry.filePath(), Sign, File.IDs, File.Flag);
    return *Scanned.insert(Path, File);
}

bool TLanguageList::TCollatedLess::operator()(const QString &A, const QString &B) const
{
    return LocaleCompare(A, B, CaseSensitive) < 0;
}

int TLanguageList::FirstIndexOf(const QString &Name)
{
    if (fIndexedCount != Languages.Count() || fNameIndex.key_comp().CaseSensitive != Languages.CaseSensitive()) {
        fNameIndex = std::map<QString, int, TCollatedLess>(TCollatedLess{Languages.CaseSensitive()});
        for (int i = 0; i < Languages.Count(); ++i)
            fNameIndex.emplace(Languages.Strings(i), i); // keeps the first of equal names
        fIndexedCount = Languages.Count();
    }
    const auto It = fNameIndex.find(Name);
    return It == fNameIndex.end() ? -1 : It->second;
}

void TLanguageList::AddLanguage(const QString &FileOrResource, const TLangIDs &Header,
                                const QByteArray &FlagPicture, bool Editable, const TLanguageSources &Sources)
{
    if (Header.Name.isEmpty())
        return;
    const int i = FirstIndexOf(Header.Name);
    if (i <= 0) {
        const int Added = Languages.Add(Header.Name);
        if (fIndexedCount == Added) {
            fNameIndex.emplace(Header.Name, Added);
            fIndexedCount = Languages.Count();
        }
        FileNames.Add(FileOrResource);
        LangCodes.Add(Header.Code);
        if (Editable)
            EditableLangs.Add(Header.Name);
        QBuffer *Flag = Flags.NewFlag();
        if (!FlagPicture.isEmpty())
            Flag->buffer() = FlagPicture;
        else
            Sources.InternalFlag(*Flag, ifEmptyFlag);
        Flag->seek(0);
        return;
    }
    const QString Present = FileNames.Strings(i);
    if (!QFileInfo(Present).isFile() && Sources.ResourcesEditable && Sources.Resources
        && Sources.Resources->contains(Present)) {
        // A file of the resource language's name replaces the resource.
        FileNames.Put(i, FileOrResource);
        if (!Header.Code.isEmpty())
            LangCodes.Put(i, Header.Code);
        if (!FlagPicture.isEmpty()) {
            QBuffer *Flag = Flags.GetFlagStream(i);
            Flag->buffer() = FlagPicture;
            Flag->seek(0);
        }
        if (Editable && EditableLangs.IndexOf(Header.Name) < 0)
            EditableLangs.Add(Header.Name);
    }
    // Otherwise the first of two languages of one name wins.
}

void TLanguageList::RebuildMenu(const QList<TMenuCommand> &Commands, const TLanguageSources &Sources)
{
    LangMenu.Assign(Languages);
    for (const TMenuCommand &Command : Commands) {
        const int Index = LangMenu.Add(Command.Text);
        if (Flags.Count() <= Index)
            Sources.InternalFlag(*Flags.GetFlagStream(Index), Command.Picture);
    }
}

QString TLanguageList::UniqueFileName(const QString &Dir, const QString &Base, const QString &Extension)
{
    QString Stem = Base;
    if (!Extension.isEmpty() && Base.toLower().endsWith(Extension.toLower()))
        Stem.chop(Extension.size());
    QString P = Dir + Stem + Extension;
    for (int n = 2; QFileInfo::exists(P); ++n)
        P = Dir + Stem + QString::number(n) + Extension;
    return P;
}

bool TLanguageList::ExtractResource(int Index, const TLanguageSources &Sources)
{
    const QString Name = GetFile(Index);
    if (!Sources.Resources || Sources.Resources->isEmpty() || Index <= 0 || !Sources.Resources->contains(Name))
        return false;
    QByteArray Bytes;
    if (!Sources.ReadResource(Name, Bytes))
        return false;
    const QString Target = UniqueFileName(Sources.Dir, Name, Sources.Extension);
    QSaveFile File(Target);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit())
        return false;
    FileNames.Put(Index, Target);
    return true;
}
