#include "glotta/engine/lexicon.h"

#include "glotta/store/component_names.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/store/text_helpers.h"

QString TLMList::ListPath() const
{
    return ComponentPath(this);
}

QString TLexicon::GetLink(int Index) const
{
    return QStringLiteral("«#%1;").arg(Index);
}

TCustomDesignedLexicon::TCustomDesignedLexicon(QObject *Owner) : TLexicon(Owner) {}

QString TCustomDesignedLexicon::GetItem(int Index)
{
    if (!IsDefined(Index))
        return QString();
    if (fGlottaEngine)
        return fGlottaEngine->TranslateString(fItems[Index], this, Index);
    QString S = fItems[Index];
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
