#include "glotta/engine/parsed_languages.h"

#include <QFileInfo>

TSourceStamp TSourceStamp::OfFile(const QString &Path)
{
    TSourceStamp S;
    S.Name = Path;
    S.IsFile = true;
    const QFileInfo Info(Path);
    if (Info.isFile()) {
        S.Size = Info.size();
        S.Modified = Info.lastModified().toMSecsSinceEpoch();
    }
    return S;
}

TSourceStamp TSourceStamp::OfResource(const QString &Name, qint64 Size)
{
    TSourceStamp S;
    S.Name = Name;
    S.Size = Size;
    return S;
}

bool TSourceStamp::Unchanged() const
{
    if (!IsFile)
        return true;
    return Size >= 0 && OfFile(Name) == *this;
}

void TParsedLanguages::Keep(TParsedLanguage &&Parsed)
{
    fEntries.remove_if([&](const TParsedLanguage &E) { return E.Language == Parsed.Language; });
    fEntries.push_front(std::move(Parsed));
    while (int(fEntries.size()) > MaxLanguages)
        fEntries.pop_back();
}

bool TParsedLanguages::Take(const QString &Language, TParsedLanguage &Parsed)
{
    for (auto It = fEntries.begin(); It != fEntries.end(); ++It) {
        if (It->Language != Language)
            continue;
        bool Fresh = true;
        for (const TSourceStamp &S : std::as_const(It->Sources))
            if (!S.Unchanged()) {
                Fresh = false;
                break;
            }
        if (Fresh)
            Parsed = std::move(*It);
        fEntries.erase(It);
        return Fresh;
    }
    return false;
}

void TParsedLanguages::Forget(const QString &FileName)
{
    fEntries.remove_if([&](const TParsedLanguage &E) {
        for (const TSourceStamp &S : E.Sources)
            if (S.IsFile && S.Name == FileName)
                return true;
        return false;
    });
}
