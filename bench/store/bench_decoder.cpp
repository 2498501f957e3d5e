// Timing of the picture decoder against the length of its text.
// Usage: bench_decoder [repeats]
//
// Two kinds of text: pictures-like texts (single bytes and short runs), and
// texts built to cost the most: one interleaved run over 10.9 MB, then runs
// of two characters' count whose byte is always the current placeholder, so
// each renames every place after it. Each figure is the best of the repeats.

#include "glotta/store/byte_text_decoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

QString PictureLike(int Length)
{
    QString S;
    for (int i = 0; S.size() < Length; ++i) {
        if (i % 5 == 0)
            S += QStringLiteral("!*A"); // a short run
        else
            S += QChar(char16_t(56 + i % 60));
    }
    return S.left(Length);
}

QString Renaming(int Length)
{
    QString S = QStringLiteral("\"$/&&&A");
    for (int i = 0; S.size() + 4 <= Length; ++i) {
        const int Value = (95 + i) & 0xFF;
        S += QLatin1Char('"');
        S += QLatin1Char('(');
        S += QChar(char16_t(40 + Value / 16));
        S += QChar(char16_t(40 + Value % 16));
    }
    return S;
}

double Best(int Repeats, const QString &S, qsizetype &Size)
{
    double B = 1e300;
    for (int r = 0; r < Repeats; ++r) {
        const auto T0 = Clock::now();
        Size = DecodeTextToBytes(S).size();
        B = std::min(B, std::chrono::duration<double>(Clock::now() - T0).count());
    }
    return B;
}

} // namespace

int main(int argc, char **argv)
{
    const int Repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    std::printf("%8s %14s %10s %14s %10s\n", "chars", "picture s", "bytes", "renaming s", "bytes");
    for (int Length : {250, 1000, 2500, 10000, 40000, 160000}) {
        qsizetype PictureBytes = 0, RenamingBytes = 0;
        const double P = Best(Repeats, PictureLike(Length), PictureBytes);
        const double R = Best(Repeats, Renaming(Length), RenamingBytes);
        std::printf("%8d %14.6f %10lld %14.6f %10lld\n", Length, P, (long long)PictureBytes, R,
                    (long long)RenamingBytes);
    }
    return 0;
}
