#include "lexicon.h"

#include "text_helpers.h"

QString TLexicon::GetLink(int Index) const
{
    return QStringLiteral("«#%1;").arg(Index);
}

TCustomDesignedLexicon::TCustomDesignedLexicon(QObject *Owner) : TLexicon(Owner) {}

QString TCustomDesignedLexicon::GetItem(int Index)
{
    QString S = GetLocStr(Index);
    DecodeCharCodes(S);
    return S;
}

bool TCustomDesignedLexicon::IsDefined(int Index) const
{
    return !GetLocStr(Index).isEmpty();
}

bool TCustomDesignedLexicon::IsDefined(const QString &LocStr) const
{
    return !LocStr.isEmpty() && fItems.contains(LocStr);
}

QString TCustomDesignedLexicon::GetLocStr(int Index) const
{
    return Index >= 0 && Index < fItems.size() ? fItems[Index] : QString();
}
