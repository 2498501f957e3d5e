#pragma once
// Lexicons: numbered lists of texts a program asks for by number at run time.
// TDesignedLexicon holds its texts as a designed string list (item n = line n,
// in one-line form); GetItem answers item n ready for display.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/component_path_cache.h"
#include "glotta/engine/glotta_component.h"
#include "toolkit/core/string_list.h"

#include <QStringList>

class GLOTTA_ENGINE_EXPORT TLMList : public TGlottaComponent
{
    Q_OBJECT
public:
    using TGlottaComponent::TGlottaComponent;

    virtual QString GetItem(int Index) = 0;
    virtual int MaxItemIndex() const = 0;
    virtual bool IsDefined(int Index) const = 0;
    virtual bool IsDefined(const QString &LocStr) const = 0;
    // The designed text of item Index in one-line form (not decoded).
    virtual QString GetLocStr(int Index) const = 0;
    // The name under which the list's translations are stored: its
    // ComponentPath ("Form1.Lexicon1").
    QString ListPath() const override;
    QString SpanName() const override { return ListPath(); }
    // The list keeps its translations in a named smart lexicon keyed by the
    // designed texts (the resource-string translator) instead of an indexed
    // lexicon keyed by item numbers.
    virtual bool KeepsSmartLexicon() const { return false; }

private:
    // Every item read asks for the path; it is built once and kept.
    mutable TComponentPathCache fPath;
};

class GLOTTA_ENGINE_EXPORT TLexicon : public TLMList
{
    Q_OBJECT
public:
    using TLMList::TLMList;

    // "«#" + Index + ";", the link text of an item.
    virtual QString GetLink(int Index) const;
    // Str with its markers replaced: an item link "«#n;" by GetItem(n) (or
    // "???" when item n is not defined), a quoted text «"T"» by T's
    // translation through the list's smart lexicon and the global lexicon.
    virtual QString CompleteString(const QString &Str);
};

class GLOTTA_ENGINE_EXPORT TCustomDesignedLexicon : public TLexicon
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
public:
    explicit TCustomDesignedLexicon(QObject *Owner = nullptr);

    // The designed lines, in one-line form.
    QStringList Items() const { return fItems.ToStringList(); }
    void SetItems(const QStringList &Value) { fItems.SetStrings(Value); }

    // Empty for an undefined item; with an engine the engine's translation
    // of the item (TranslateString); without one the designed text, decoded.
    // A negative Index raises the string list's index error.
    QString GetItem(int Index) override;
    int MaxItemIndex() const override { return fItems.Count() - 1; }
    bool IsDefined(int Index) const override;
    // Some line equals LocStr, ignoring letter case.
    bool IsDefined(const QString &LocStr) const override;
    QString GetLocStr(int Index) const override;

    // Appends Text (its control characters encoded) as a new line and
    // answers its item number.
    int CreateItem(const QString &Text);

protected:
    TStringList fItems;
};

class GLOTTA_ENGINE_EXPORT TDesignedLexicon : public TCustomDesignedLexicon
{
    Q_OBJECT
public:
    using TCustomDesignedLexicon::TCustomDesignedLexicon;
};
