#pragma once
// TSpans: the engine's registry of attached components (clients, lexicons,
// language controls) in registration order. The engine walks it to
// initialise its clients and to push a language change to them; the
// language-file reader asks it which client owns a line.
//
// Entries are held through guarded pointers, so a destroyed component drops
// out by itself; walks run over a copy, so a handler that attaches, detaches
// or destroys components while a walk runs does not disturb it.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/store/struct_lines.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class TSpanClient;

class GLOTTA_ENGINE_EXPORT TSpans
{
public:
    TSpans() = default;
    TSpans(const TSpans &) = delete;
    TSpans &operator=(const TSpans &) = delete;

    // The live registered components, in registration order.
    QList<QObject *> Components() const;
    int Count() const { return int(Components().size()); }

    // Appends Client (nil ignored; no check for an entry already present).
    void RegisterClient(QObject *Client);
    // Removes the first occurrence of Client.
    void UnregisterClient(QObject *Client);

    // InitClient of every registered Glotta component, in registration order.
    void InitClients();
    // ChangeLanguage of every registered Glotta component, in registration order.
    void CallClientProcs();
    // Brings every Glotta component whose language differs to InitLanguage;
    // with IsDesignLang a component that still shows its designed texts only
    // takes the name.
    void InitToLanguage(const QString &InitLanguage, bool IsDesignLang);

    // The first registered client whose design structure has the line's ID.
    TSpanClient *GetClientByStructLine(const TFullStructLine &StructItem) const;
    bool IsRegistered(const TFullStructLine &StructItem) const;
    // The first registered list component whose path equals ListName exactly.
    TSpanClient *GetListByName(const QString &ListName) const;
    // A client's language owner, a list component's path, else the Name.
    QString SpanName(int Index) const;
    bool IsRegistered(const QString &ByName) const;

private:
    void Compact();
    QList<QPointer<QObject>> fComponents;
};
