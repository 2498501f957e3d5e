// Language discovery over a folder made from the fuzz bytes. The input is a
// sequence of files, each a name length (one byte), the name's bytes, a
// content length (two bytes, little-endian) and the content; the last file
// takes whatever is left. Names are raw bytes as the file system stores them
// (so names that are not UTF-8 come through too); only "/" and character 0,
// which no file name can hold, become "_", and ".", ".." and empty names are
// skipped. The files are written as regular files into a fresh folder, the
// engine rescans it and loads every language it found (superior chains
// between the files included), and the folder is removed again.
//
// After the rescan the list must be consistent: as many files and codes as
// languages, every file inside the folder, and no two languages of one name
// (apart from the design language's own name, which a file may take).

#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "toolkit/core/string_list.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QFile>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {
constexpr int MaxFiles = 64;

class TFuzzEngine : public TGlottaCore
{
public:
    QString Dir;
    using TGlottaCore::LoadLanguage;
    using TGlottaCore::RescanLanguages;
    QString GetLangsDir() const override { return Dir; }
};

[[noreturn]] void Broken(const char *What, const QString &Detail)
{
    std::fprintf(stderr, "discovery: %s: %s\n", What, qPrintable(Detail));
    std::abort();
}

// Writes the files of the input into Dir (a descriptor of the folder).
void WriteFiles(int Dir, const uint8_t *Data, size_t Size)
{
    size_t Pos = 0;
    for (int n = 0; n < MaxFiles && Pos < Size; ++n) {
        const size_t Stated = Data[Pos++];
        const size_t NameLen = std::min(Stated, Size - Pos);
        std::string Name(reinterpret_cast<const char *>(Data + Pos), NameLen);
        Pos += NameLen;
        size_t ContentLen = Size - Pos;
        if (Size - Pos >= 2) {
            ContentLen = std::min<size_t>(Data[Pos] | (Data[Pos + 1] << 8), Size - Pos - 2);
            Pos += 2;
        }
        const uint8_t *Content = Data + Pos;
        Pos += ContentLen;
        for (char &C : Name)
            if (C == '/' || C == '\0')
                C = '_';
        if (Name.empty() || Name == "." || Name == "..")
            continue;
        const int F = ::openat(Dir, Name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (F < 0)
            continue;
        if (ContentLen > 0 && ::write(F, Content, ContentLen) != ssize_t(ContentLen))
            std::perror("discovery: write");
        ::close(F);
    }
}

// Removes the folder and the regular files in it, whatever their names.
void RemoveFolder(const std::string &Path)
{
    if (DIR *D = ::opendir(Path.c_str())) {
        while (const dirent *E = ::readdir(D))
            if (std::strcmp(E->d_name, ".") != 0 && std::strcmp(E->d_name, "..") != 0)
                ::unlinkat(::dirfd(D), E->d_name, 0);
        ::closedir(D);
    }
    ::rmdir(Path.c_str());
}

void CheckList(const TLangCoreData &L, const QString &Dir)
{
    const int Count = L.Languages.Count();
    if (L.FileNames.Count() != Count || L.LangCodes.Count() != Count)
        Broken("lists of different lengths", QString::number(Count));
    const bool Sensitive = L.Languages.CaseSensitive();
    for (int i = 1; i < Count; ++i) {
        if (!L.FileNames.Strings(i).startsWith(Dir))
            Broken("a language file outside the folder", L.FileNames.Strings(i));
        const QString A = L.Languages.Strings(i);
        if (LocaleCompare(A, L.Languages.Strings(0), Sensitive) == 0)
            continue;
        for (int j = i + 1; j < Count; ++j)
            if (LocaleCompare(A, L.Languages.Strings(j), Sensitive) == 0)
                Broken("one name listed twice", A + QLatin1String(" / ") + L.Languages.Strings(j));
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication App(*argc, *argv);
    // Refused inputs are what fuzzing feeds; their warnings would only flood the output.
    QLoggingCategory::setFilterRules(QStringLiteral("glotta.*.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray TempBase = qgetenv("TMPDIR").isEmpty() ? QByteArray("/tmp") : qgetenv("TMPDIR");
    std::string Path = TempBase.toStdString() + "/glotta-discovery-XXXXXX";
    if (!::mkdtemp(Path.data())) {
        std::perror("discovery: mkdtemp");
        std::abort();
    }
    const int Dir = ::open(Path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    WriteFiles(Dir, Data, Size);
    ::close(Dir);
    {
        TFuzzEngine E;
        E.SetDesignLanguageName(QStringLiteral("čeština"));
        E.Dir = QFile::decodeName(QByteArray::fromStdString(Path)) + QLatin1Char('/');
        E.RescanLanguages();
        CheckList(*E.LData(), E.Dir);
        for (int i = 1; i < E.LData()->Languages.Count(); ++i)
            E.LoadLanguage(E.LData()->Languages.Strings(i), TLoadFlags());
    }
    RemoveFolder(Path);
    return 0;
}
