// Timing of discovery: listing a language folder of 5,000 to 20,000 language
// files (each a header and one line). Usage: bench_discovery [repeats]
//
// Each figure is the best of the repeats of one rescan of the folder (the
// files are written once per size, so the file system's cache is warm).

#include "glotta/engine/language_file.h"
#include "glotta/engine/language_list.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

void WriteLanguages(const QString &Dir, int Count)
{
    for (int i = 0; i < Count; ++i) {
        const QString Name = QStringLiteral("Language %1").arg(i);
        const QStringList Lines{QStringLiteral("[LANGUAGE_FILE]"),
                                QStringLiteral("0\t%LANGUAGE_NAME=\"") + Name + QStringLiteral("\"\t%FILEVER=THLF1;"),
                                QStringLiteral("0\t\"text\"\t%COMPONENT=Label;\t%OWNER=Form;")};
        QFile F(Dir + QStringLiteral("/lang%1.lng").arg(i));
        if (F.open(QIODevice::WriteOnly))
            F.write(EncodeLanguageFile(Lines, TLFEncoding::Unicode));
    }
}

} // namespace

int main(int argc, char **argv)
{
    const int Repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    std::printf("%8s %12s %10s\n", "files", "rescan s", "languages");
    for (int Count : {5000, 10000, 20000}) {
        QTemporaryDir Dir;
        WriteLanguages(Dir.path(), Count);
        TLanguageSources Sources;
        Sources.DesignName = QStringLiteral("English");
        Sources.DesignCode = QStringLiteral("en");
        Sources.Dir = Dir.path() + QLatin1Char('/');
        Sources.Extension = QStringLiteral(".lng");
        Sources.SignatureLine = QStringLiteral("[LANGUAGE_FILE]");
        Sources.InternalFlag = [](QBuffer &, TInternalFlag) {};
        TLanguageList List;
        double Best = 1e300;
        for (int r = 0; r < Repeats; ++r) {
            const auto T0 = Clock::now();
            List.Rescan(Sources);
            Best = std::min(Best, std::chrono::duration<double>(Clock::now() - T0).count());
        }
        std::printf("%8d %12.3f %10d\n", Count, Best, List.Languages.Count());
    }
    return 0;
}
