// A form from the input, extracted as a Qt Designer form and as a stored
// design (the first byte chooses).

#include "fuzz/tools/glotta/fuzz_tool_run.h"

#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("glotta.*=false\nqt.*=false"));
    static QApplication App(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    static QTemporaryDir Dir;
    const QString File = Dir.filePath(Data[0] & 1 ? "input.json" : "input.ui");
    if (!WriteInput(File, Data + 1, Size - 1))
        return 0;
    RunFuzzedTool({"extract", File, "-o", Dir.filePath("template.lng"), "--design-name", "English"});
    return 0;
}
