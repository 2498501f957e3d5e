// DecodeCharCodes on any text, and the one-line round trip: every text
// without character 0 whose own apostrophes are not followed by "#" and a
// digit comes back unchanged from EncodeControlChars + DecodeCharCodes.
#include "fuzz/glotta/store/fuzz_text.h"
#include "glotta/store/text_helpers.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    // Half the inputs as UTF-8 (dense in "'", "#", digits), half as UTF-16.
    const bool Utf16 = Size > 0 && (Data[0] & 1);
    QString Text = Utf16 ? FuzzText(Data + 1, Size - 1)
                         : QString::fromUtf8(reinterpret_cast<const char *>(Data), qsizetype(Size));
    QString Decoded = Text;
    DecodeCharCodes(Decoded);

    if (!Text.contains(QChar(0)) && !HasCodeLikeApostrophe(Text)) {
        QString S = Text;
        EncodeControlChars(S);
        DecodeCharCodes(S);
        if (S != Text)
            abort();
    }
    QString E = Text;
    EncodeChar(E, QLatin1Char('='));
    QString Line = SingleLineText(Text, true);
    (void)Line;
    return 0;
}
