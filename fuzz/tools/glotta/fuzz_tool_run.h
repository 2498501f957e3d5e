#pragma once
// Runs a glotta subcommand in process on a file made from the fuzzer's
// input; what it writes is dropped. The exit status must be one the tool
// documents.

#include "tools/glotta/glotta_tool.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

inline void RunFuzzedTool(const QStringList &Args)
{
    QString Out, Err;
    QTextStream O(&Out), E(&Err);
    TToolConsole Console(O, E, false);
    const int Exit = RunGlotta(Args, Console);
    if (Exit < 0 || Exit > 2)
        std::abort();
}

inline bool WriteInput(const QString &File, const uint8_t *Data, size_t Size)
{
    QFile F(File);
    return F.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && F.write(reinterpret_cast<const char *>(Data), qint64(Size)) == qint64(Size);
}
