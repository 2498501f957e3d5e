// A language file from the input, read by every subcommand that reads one:
// stats and check against a fixed template, pseudo with it as the template,
// update in place. None may crash; each ends with a documented status.

#include "fuzz/tools/glotta/fuzz_tool_run.h"

#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("glotta.*=false"));
    static QApplication App(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    static QTemporaryDir Dir;
    const QString File = Dir.filePath("input.lng");
    if (!WriteInput(File, Data, Size))
        return 0;
    const QString Template = QStringLiteral(TOOL_DATA "/template_check.lng");
    RunFuzzedTool({"stats", "--json", "-t", Template, File});
    RunFuzzedTool({"check", "-t", Template, File});
    RunFuzzedTool({"pseudo", File, "-o", Dir.filePath("pseudo.lng")});
    RunFuzzedTool({"update", "-t", Template, File});
    return 0;
}
