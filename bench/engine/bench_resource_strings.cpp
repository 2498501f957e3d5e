// Timing of QCoreApplication::translate with and without the resources
// translator: a text no translator holds, with no translator in the
// application and with one holding 1,000 texts, and a text it holds (with
// no engine: its design form). Prints nanoseconds per call.
//
//   bench_resource_strings [calls]

#include "glotta/engine/resources_translator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
double NsPerCall(const char *Text, int Calls)
{
    double Best = 1e300;
    for (int Round = 0; Round < 3; ++Round) {
        QElapsedTimer T;
        T.start();
        qsizetype Sink = 0;
        for (int i = 0; i < Calls; ++i)
            Sink += QCoreApplication::translate("QPlatformTheme", Text).size();
        Best = std::min(Best, double(T.nsecsElapsed()) / Calls);
        if (Sink < 0)
            std::puts("");
    }
    return Best;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    const int Calls = argc > 1 ? std::max(1, atoi(argv[1])) : 1000000;
    const char *Other = "Restore Defaults";
    const double Bare = NsPerCall(Other, Calls);
    auto Strings = std::make_unique<TResourcesTranslator>();
    for (int i = 0; i < 1000; ++i)
        Strings->RegisterResourceString(QStringLiteral("Text %1").arg(i), QStringLiteral("Text %1 (cs)").arg(i));
    const double Missed = NsPerCall(Other, Calls);
    const double Held = NsPerCall("Text 500", Calls);
    std::printf("%-34s %8.1f ns\n", "not held, no translator", Bare);
    std::printf("%-34s %8.1f ns\n", "not held, translator of 1,000", Missed);
    std::printf("%-34s %8.1f ns\n", "held (design form)", Held);
    return 0;
}
