#pragma once
// Fuzz bytes as UTF-16 code units (every unit, unpaired surrogates included).

#include <QString>
#include <cstddef>
#include <cstdint>

inline QString FuzzText(const uint8_t *Data, size_t Size)
{
    QString S;
    S.reserve(qsizetype(Size / 2));
    for (size_t i = 0; i + 1 < Size; i += 2)
        S.append(QChar(char16_t(Data[i] | (Data[i + 1] << 8))));
    return S;
}
