// The Wine registry reader on a system.reg in which one section is written
// again and again (a file a damaged or hostile prefix can hold), at 1/4, 1/2
// and all of the given repeats so that the growth shows, and the probes
// asking 1000 times about the unchanged file.
//   bench_wine_registry [repeats, default 80000]

#include "installer/platform/wine/wine_probes.h"
#include "installer/platform/wine/wine_registry.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QByteArray RepeatedSections(int Repeats)
{
    QByteArray Text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    Text.reserve(Text.size() + qsizetype(Repeats) * 40);
    for (int I = 0; I < Repeats; ++I)
        Text += "[Software\\\\Dilnex] 1700000000\n\"v\"=\"1\"\n";
    return Text;
}

double Msec(const QElapsedTimer &Clock)
{
    return double(Clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    const int Repeats = argc > 1 ? QByteArray(argv[1]).toInt() : 80000;
    QTextStream Out(stdout);
    for (int Part : {4, 2, 1}) {
        const QByteArray Text = RepeatedSections(Repeats / Part);
        QElapsedTimer Clock;
        Clock.start();
        TWineRegistry Registry;
        Registry.Parse(Text);
        const double ParseMs = Msec(Clock);
        Clock.restart();
        const bool Found = Registry.ReadString(QStringLiteral("Software\\Dilnex"), QStringLiteral("v")).has_value();
        Out << Repeats / Part << " repeats, " << Text.size() << " bytes: parse " << ParseMs << " ms, a value of the key "
            << Msec(Clock) << " ms" << (Found ? "" : " (NOT FOUND)") << Qt::endl;
    }

    QTemporaryDir Dir;
    qputenv("WINEPREFIX", Dir.path().toLocal8Bit());
    {
        QFile File(Dir.filePath(QStringLiteral("system.reg")));
        if (!File.open(QIODevice::WriteOnly) || File.write(RepeatedSections(Repeats)) < 0)
            return 1;
        // Settled, as a prefix is between two installers.
        File.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    }
    TWineProbes Probes;
    const QString Key = QStringLiteral("Software\\Microsoft\\SQLNCLI11");
    QElapsedTimer Clock;
    Clock.start();
    int Present = Probes.HKLMKeyExists(Key) ? 1 : 0;
    const double FirstMs = Msec(Clock);
    Clock.restart();
    for (int I = 0; I < 1000; ++I)
        Present += Probes.HKLMKeyExists(Key) ? 1 : 0;
    Out << "probes of the unchanged file: the first " << FirstMs << " ms, 1000 more " << Msec(Clock) << " ms ("
        << Present << " found)" << Qt::endl;
    return 0;
}
