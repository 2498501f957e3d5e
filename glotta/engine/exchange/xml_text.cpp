#include "glotta/engine/exchange/xml_text.h"

QString XmlSafeText(const QString &Text)
{
    QString S = Text;
    const qsizetype N = S.size();
    for (qsizetype i = 0; i < N; ++i) {
        const char16_t C = S.at(i).unicode();
        if (QChar::isHighSurrogate(C) && i + 1 < N && QChar::isLowSurrogate(S.at(i + 1).unicode())) {
            ++i;
            continue;
        }
        const bool Bad = (C < 32 && C != u'\t' && C != u'\n' && C != u'\r') || QChar::isSurrogate(C) || C == 0xFFFE
                         || C == 0xFFFF;
        if (Bad)
            S[i] = QChar(0xFFFD);
    }
    return S;
}
