// DecodeTextToStream on any text: no read beyond the text, output bounded by the text's length.
#include "glotta/store/byte_text_decoder.h"
#include "fuzz/glotta/store/fuzz_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    // Mostly 8-bit characters (as the encoder writes them); with a leading
    // 0xFF the bytes are taken as UTF-16 units to reach whole count characters.
    QString Text;
    if (Size > 0 && Data[0] == 0xFF)
        Text = FuzzText(Data + 1, Size - 1);
    else
        Text = QString::fromLatin1(reinterpret_cast<const char *>(Data), qsizetype(Size));
    QBuffer Stream;
    DecodeTextToStream(Stream, Text);
    if (Stream.pos() != 0 || Stream.size() > DecodedBytesLimitFor(Text.size()))
        abort();
    return 0;
}
