#pragma once
// The engine core for benchmarks: its language directory is given, and
// loading and rescanning are reachable.

#include "glotta/engine/glotta_core.h"

class TBenchEngine : public TGlottaCore
{
public:
    explicit TBenchEngine(const QString &Dir) : fDir(Dir) {}
    using TGlottaCore::LoadLanguage;
    using TGlottaCore::RescanLanguages;
    QString GetLangsDir() const override { return fDir; }

private:
    QString fDir;
};
