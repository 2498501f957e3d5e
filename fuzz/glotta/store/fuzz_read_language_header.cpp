// ReadLanguageHeader on the lines of any text, with the flag icon, and on the
// raw bytes (byte-order marks and the ANSI code page).
#include "glotta/store/flag_icon.h"
#include "glotta/store/language_header.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    const QString Sign = QStringLiteral("[LANGUAGE_FILE]");
    const QStringList Lines = SplitLanguageFileLines(QString::fromUtf8(Bytes));
    TLangIDs IDs;
    ReadLanguageHeader(Lines, Sign, true, IDs);
    if (!IDs.Code.isEmpty() && IDs.Code.size() != 2)
        abort();
    if (FlagIconData().pos() != 0)
        abort();
    TLangIDs Raw;
    ReadLanguageHeader(Bytes, Sign, false, Raw);
    int Number = 0;
    for (int i = 0; i < Lines.size() && i < 64; ++i)
        LineNumber(Lines, i, Number);
    return 0;
}
