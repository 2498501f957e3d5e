// The Qt Linguist TS reader alone: see fuzz_translation_reader.h.

#include "fuzz/glotta/engine/fuzz_translation_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    FuzzTranslationReader(Data, Size, TExchangeFormat::Ts);
    return 0;
}
