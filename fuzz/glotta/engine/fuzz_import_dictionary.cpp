// The import of a dictionary: its option lines, its entries and the rule that
// applies each pair to the registered clients. Odd sizes import into the
// current language, even ones into the language the options name.

#include "fuzz/glotta/engine/fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    FuzzImport(Data, Size, QStringLiteral("dictionary.txt"), Size % 2 == 1);
    return 0;
}
