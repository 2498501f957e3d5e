#pragma once
// TSpanClient: what the engine's registry (TSpans) and the engine itself ask
// of an attached component. Property clients, lexicons and the resource-string
// translator implement it through TGlottaComponent; other registered objects
// (language controls) do not, and the registry leaves them out of its walks.

#include "glotta/engine/glotta_engine_export.h"
#include <QString>

class GLOTTA_ENGINE_EXPORT TSpanClient
{
public:
    // Collects what the component translates (a client's design structure).
    virtual void InitClient() = 0;
    // Applies the engine's current language.
    virtual void ChangeLanguage() = 0;

    // The language whose texts the component shows; empty for the designed texts.
    virtual QString ComponentLanguage() const = 0;
    virtual void SetComponentLanguage(const QString &Language) = 0;

    // The name the registry knows the component by: a client's language
    // owner, a list component's path, else the component's name.
    virtual QString SpanName() const = 0;
    // A list component's path, under which its translations are stored
    // ("Form1.Lexicon1"); empty for components that are no lists.
    virtual QString ListPath() const { return QString(); }
    // The component falls back to the global lexicon for texts it lacks.
    virtual bool GlobalLexicon() const = 0;
    // A client's design structure holds the line LineID.
    virtual bool HasDesignLine(const QString &LineID) const
    {
        Q_UNUSED(LineID);
        return false;
    }

protected:
    ~TSpanClient() = default;
};
