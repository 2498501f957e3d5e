#include "spans.h"

#include "component_structure.h"
#include "glotta_component.h"
#include "lexicon.h"

QList<QObject *> TSpans::Components() const
{
    QList<QObject *> Live;
    for (const QPointer<QObject> &P : fComponents)
        if (P)
            Live.append(P.data());
    return Live;
}

void TSpans::Compact()
{
    fComponents.removeIf([](const QPointer<QObject> &P) { return P.isNull(); });
}

void TSpans::RegisterClient(QObject *Client)
{
    if (!Client)
        return;
    Compact();
    fComponents.append(QPointer<QObject>(Client));
}

void TSpans::UnregisterClient(QObject *Client)
{
    Compact();
    for (qsizetype i = 0; i < fComponents.size(); ++i)
        if (fComponents[i].data() == Client) {
            fComponents.removeAt(i);
            return;
        }
}

namespace {
// Every live Glotta component of a snapshot of the registry, so that a walk
// survives components that come and go while it runs.
template <typename Fn>
void ForEachGlotta(const QList<QPointer<QObject>> &Snapshot, Fn F)
{
    for (const QPointer<QObject> &P : Snapshot)
        if (auto *C = qobject_cast<TGlottaComponent *>(P.data()))
            F(C);
}
} // namespace

void TSpans::InitClients()
{
    ForEachGlotta(fComponents, [](TGlottaComponent *C) { C->InitClient(); });
}

void TSpans::CallClientProcs()
{
    ForEachGlotta(fComponents, [](TGlottaComponent *C) { C->ChangeLanguage(); });
}

void TSpans::InitToLanguage(const QString &InitLanguage, bool IsDesignLang)
{
    ForEachGlotta(fComponents, [&](TGlottaComponent *C) {
        if (C->LMComponentLanguage == InitLanguage)
            return;
        if (IsDesignLang && C->LMComponentLanguage.isEmpty())
            C->LMComponentLanguage = InitLanguage;
        else
            C->ChangeLanguage();
    });
}

void TSpans::PrepareForDesignTimeEdit()
{
    ForEachGlotta(fComponents, [](TGlottaComponent *C) { C->PrepareForDesignTimeEdit(); });
}

TGlottaCPC *TSpans::GetClientByStructLine(const TFullStructLine &StructItem) const
{
    const QString ID = TComponentStructure::MakeLineID(StructItem);
    for (const QPointer<QObject> &P : fComponents)
        if (auto *Client = qobject_cast<TGlottaCPC *>(P.data()))
            if (Client->DesignStruct().Find(ID) >= 0)
                return Client;
    return nullptr;
}

bool TSpans::IsRegistered(const TFullStructLine &StructItem) const
{
    return GetClientByStructLine(StructItem) != nullptr;
}

TLMList *TSpans::GetListByName(const QString &ListName) const
{
    for (const QPointer<QObject> &P : fComponents)
        if (auto *List = qobject_cast<TLMList *>(P.data()))
            if (List->ListPath() == ListName)
                return List;
    return nullptr;
}

QString TSpans::SpanName(int Index) const
{
    const QList<QObject *> Live = Components();
    if (Index < 0 || Index >= Live.size())
        return QString();
    QObject *C = Live[Index];
    if (auto *Client = qobject_cast<TGlottaCPC *>(C))
        return Client->GetLanguageOwner();
    if (auto *List = qobject_cast<TLMList *>(C))
        return List->ListPath();
    return C->objectName();
}

bool TSpans::IsRegistered(const QString &ByName) const
{
    const int N = Count();
    for (int i = 0; i < N; ++i)
        if (SpanName(i) == ByName)
            return true;
    return false;
}
