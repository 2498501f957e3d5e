// Timings of the translation store. Usage: bench_store [repeats]
//
// For structures of 10,000 to 100,000 lines, built from line IDs in sorted
// and in shuffled order: the time to build the structure (every line added,
// the structure ready for indexed access), and the time per lookup when every
// line is searched once, by its four parts (find4, which includes building the
// ID: makeID alone) and by a ready line ID (findID). Then the
// time to fill a TIndexedItems with 60,000 items and to read them back.
// Each figure is the best of the repeats.

#include "glotta/store/component_structure.h"
#include "glotta/store/indexed_items.h"

#include <QRandomGenerator>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double BestSeconds(int Repeats, const std::function<void()> &Setup, const std::function<void()> &Run)
{
    double Best = 1e300;
    for (int r = 0; r < Repeats; ++r) {
        Setup();
        const auto T0 = Clock::now();
        Run();
        const auto T1 = Clock::now();
        Best = std::min(Best, std::chrono::duration<double>(T1 - T0).count());
    }
    return Best;
}

// Lines shaped like those of real forms: many components on a few dozen
// owners, caption-like properties, some list items and sub-properties.
std::vector<TFullStructLine> MakeLines(int N)
{
    std::vector<TFullStructLine> Lines(static_cast<size_t>(N));
    for (int i = 0; i < N; ++i) {
        TFullStructLine &L = Lines[size_t(i)];
        L.CompName = QStringLiteral("Component%1").arg(i);
        L.OwnerName = QStringLiteral("Form%1").arg(i % 37);
        L.PropertyID = quint16(i % 110);
        L.ItemAddr = i % 3 ? QString() : QStringLiteral("%1.500").arg(i % 17);
        L.Translation = QStringLiteral("Translated text number %1").arg(i);
        L.Descent = 0;
        L.Changeable = 5;
    }
    return Lines;
}

// Fresh copies of the texts in the order of the input, as a reader that
// parses a file line by line would produce them; shared texts scattered in
// another order would time the input's cache misses, not the structure.
std::vector<TFullStructLine> FreshCopy(const std::vector<TFullStructLine> &Input)
{
    const auto Copy = [](const QString &S) { return QString(S.constData(), S.size()); };
    std::vector<TFullStructLine> Result;
    Result.reserve(Input.size());
    for (const TFullStructLine &L : Input) {
        TFullStructLine C = L;
        C.CompName = Copy(L.CompName);
        C.OwnerName = Copy(L.OwnerName);
        C.ItemAddr = Copy(L.ItemAddr);
        C.Translation = Copy(L.Translation);
        Result.push_back(C);
    }
    return Result;
}

volatile long long Sink = 0;

} // namespace

int main(int argc, char **argv)
{
    const int Repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    std::printf("%-8s %-9s %12s %14s %14s %14s %14s\n", "lines", "order", "build ms", "build ns/line",
                "find4 ns", "findID ns", "makeID ns");
    for (int N : {10000, 20000, 50000, 100000}) {
        std::vector<TFullStructLine> Lines = MakeLines(N);
        TNamedObjectList Order;
        std::sort(Lines.begin(), Lines.end(), [&Order](const TFullStructLine &A, const TFullStructLine &B) {
            return Order.CompareStrings(TComponentStructure::MakeLineID(A), TComponentStructure::MakeLineID(B)) < 0;
        });
        std::vector<TFullStructLine> Shuffled = Lines;
        QRandomGenerator G(20240601);
        std::shuffle(Shuffled.begin(), Shuffled.end(), G);
        Lines = FreshCopy(Lines);
        Shuffled = FreshCopy(Shuffled);
        QStringList IDs;
        for (const TFullStructLine &L : Shuffled)
            IDs << TComponentStructure::MakeLineID(L);

        for (int Mode = 0; Mode < 2; ++Mode) {
            const std::vector<TFullStructLine> &Input = Mode == 0 ? Lines : Shuffled;
            std::unique_ptr<TComponentStructure> S;
            const double Build = BestSeconds(
                Repeats, [&] { S = std::make_unique<TComponentStructure>(); },
                [&] {
                    for (const TFullStructLine &L : Input)
                        S->AddLine(L);
                    Sink = Sink + S->Lines().Count(); // ready for indexed access
                });
            const double Find4 = BestSeconds(
                Repeats, [] {},
                [&] {
                    for (const TFullStructLine &L : Shuffled)
                        Sink = Sink + S->Find(L.CompName, L.OwnerName, L.PropertyID, L.ItemAddr);
                });
            const double MakeID = BestSeconds(
                Repeats, [] {},
                [&] {
                    for (const TFullStructLine &L : Shuffled)
                        Sink = Sink + TComponentStructure::MakeLineID(L.CompName, L.OwnerName, L.PropertyID, L.ItemAddr).size();
                });
            const double FindID = BestSeconds(
                Repeats, [] {},
                [&] {
                    for (const QString &ID : IDs)
                        Sink = Sink + S->Find(ID);
                });
            if (S->Count() != N || S->Find(IDs.first()) < 0)
                std::printf("wrong structure\n");
            std::printf("%-8d %-9s %12.2f %14.1f %14.1f %14.1f %14.1f\n", N, Mode == 0 ? "sorted" : "shuffled",
                        Build * 1e3, Build * 1e9 / N, Find4 * 1e9 / N, FindID * 1e9 / N, MakeID * 1e9 / N);
        }
    }

    const int Items = 60000;
    std::unique_ptr<TIndexedItems> L;
    QStringList Texts;
    for (int i = 0; i < Items; ++i)
        Texts << QStringLiteral("Message %1").arg(i);
    const double Fill = BestSeconds(
        Repeats, [&] { L = std::make_unique<TIndexedItems>(QStringLiteral("Form1.Lexicon1")); },
        [&] {
            for (int i = 0; i < Items; ++i)
                L->Add(quint16(i), Texts[i], 0);
        });
    const double Read = BestSeconds(
        Repeats, [] {},
        [&] {
            for (int i = 0; i < Items; ++i)
                Sink = Sink + L->Get(quint16(i)).size();
        });
    std::printf("TIndexedItems %d items: fill %.2f ms (%.1f ns/item), read %.1f ns/item, table length %d\n",
                Items, Fill * 1e3, Fill * 1e9 / Items, Read * 1e9 / Items, L->PointerTableLength());
    return 0;
}
