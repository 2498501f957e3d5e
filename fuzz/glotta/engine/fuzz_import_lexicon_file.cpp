// The import of a lexicon file or language file: the reference and header
// lines, the component, lexicon and smart sections and the flag. Odd sizes
// import into the current language, even ones into the language the header
// names.

#include "fuzz/glotta/engine/fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    FuzzImport(Data, Size, QStringLiteral("lexicon.llx"), Size % 2 == 1);
    return 0;
}
