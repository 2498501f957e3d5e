#include "glotta/engine/spans.h"

#include "glotta/store/component_structure.h"
#include "glotta/engine/span_client.h"

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
TSpanClient *AsClient(QObject *Obj)
{
    return dynamic_cast<TSpanClient *>(Obj);
}

// Every live Glotta component of a snapshot of the registry, so that a walk
// survives components that come and go while it runs: the copy keeps its
// entries when the registry changes, and a guarded pointer turns null when
// its component is destroyed meanwhile.
template <typename Fn>
void ForEachGlotta(QList<QPointer<QObject>> Snapshot, Fn F)
{
    for (const QPointer<QObject> &P : std::as_const(Snapshot))
        if (TSpanClient *C = AsClient(P.data()))
            F(C);
}
} // namespace

void TSpans::InitClients()
{
    ForEachGlotta(fComponents, [](TSpanClient *C) { C->InitClient(); });
}

void TSpans::CallClientProcs()
{
    ForEachGlotta(fComponents, [](TSpanClient *C) { C->ChangeLanguage(); });
}

void TSpans::InitToLanguage(const QString &InitLanguage, bool IsDesignLang)
{
    ForEachGlotta(fComponents, [&](TSpanClient *C) {
        const QString Language = C->ComponentLanguage();
        if (Language == InitLanguage)
            return;
        if (IsDesignLang && Language.isEmpty())
            C->SetComponentLanguage(InitLanguage);
        else
            C->ChangeLanguage();
    });
}

TSpanClient *TSpans::GetClientByStructLine(const TFullStructLine &StructItem) const
{
    const QString ID = TComponentStructure::MakeLineID(StructItem);
    for (const QPointer<QObject> &P : fComponents)
        if (TSpanClient *Client = AsClient(P.data()))
            if (Client->HasDesignLine(ID))
                return Client;
    return nullptr;
}

bool TSpans::IsRegistered(const TFullStructLine &StructItem) const
{
    return GetClientByStructLine(StructItem) != nullptr;
}

TSpanClient *TSpans::GetListByName(const QString &ListName) const
{
    if (ListName.isEmpty())
        return nullptr;
    for (const QPointer<QObject> &P : fComponents)
        if (TSpanClient *List = AsClient(P.data()))
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
    if (TSpanClient *Client = AsClient(C))
        return Client->SpanName();
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
