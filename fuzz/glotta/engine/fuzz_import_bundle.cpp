// The import of a language bundle into the current language (English) with
// the editor open: packed strings, the language count, the entry of the
// current language, and whatever text the bundle holds or the file is.

#include "fuzz/glotta/engine/fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    FuzzImport(Data, Size, QStringLiteral("bundle.lng"), true);
    return 0;
}
