#pragma once
// TCustomResourcesTranslator: translates the texts a program and Qt itself
// hand to QCoreApplication::translate (tr(), the captions of Qt's standard
// buttons and dialogs). The program registers such texts; while at least one
// translator exists, one QTranslator installed in the application answers
// every registered text with the translation of its design form in the
// engine's current language and leaves every other text to Qt. Qt asks the
// translators installed last first, so a Qt translation file the application
// installs later answers Qt's texts before it.

#include "glotta/engine/glotta_engine_export.h"
#include "glotta/engine/lexicon.h"

#include <QList>
#include <QString>
#include <memory>

class TResourcesList;
class TUnitList;
class TValueReader;
class TValueWriter;

class GLOTTA_ENGINE_EXPORT TCustomResourcesTranslator : public TLMList
{
    Q_OBJECT
    Q_PROPERTY(QString OriginalLanguage READ OriginalLanguage WRITE SetOriginalLanguage)
    Q_PROPERTY(int RegisteredStrings READ RegisteredStrings)
public:
    explicit TCustomResourcesTranslator(QObject *Owner = nullptr);
    ~TCustomResourcesTranslator() override;

    // The language of the texts as the program loads them, a name or an ISO code.
    QString OriginalLanguage() const { return fOriginalLang; }
    void SetOriginalLanguage(const QString &Value) { fOriginalLang = Value; }
    int RegisteredStrings() const;

    // Key: the text as loaded; entry: its design form, identifier name and flags.
    const TResourcesList &List() const { return *fList; }
    // The unit names the registered strings are grouped into.
    TUnitList &UnitList() { return *fUnitList; }
    const TUnitList &UnitList() const { return *fUnitList; }

    // Registers Resource (exactly as loaded) with the design form
    // InDesignLanguage, or Resource itself when that is empty, in one-line
    // form; a registered Resource gets the new design form. An empty
    // Resource registers nothing.
    void RegisterResourceString(const QString &Resource, const QString &InDesignLanguage = QString());

    // The text shown for entry ItemNr: with an engine the translation of its
    // design form (the translator's smart lexicon, then the global lexicon
    // when connected, else the design form); without one the design form.
    // Decoded; empty for an entry that does not exist.
    QString GetItem(int ItemNr) override;
    int MaxItemIndex() const override;
    bool IsDefined(int Index) const override;
    // Some entry's design form equals LocStr exactly.
    bool IsDefined(const QString &LocStr) const override;
    QString GetLocStr(int Index) const override;
    // Its translations are a smart lexicon keyed by the designed texts.
    bool KeepsSmartLexicon() const override { return true; }
    // A preferred translator is asked before all others. None of the
    // library's translators is.
    virtual bool IsPreferred() const { return false; }

    // Whether a stored design holds "Units" and "Resources". Without an
    // ancestor (the same component in the design this one inherits from):
    // when entries are registered. With an ancestor translator: when the
    // lists differ from its lists. With an ancestor of another kind: always.
    bool StoresLists(const QObject *Ancestor) const;
    void WriteUnits(TValueWriter &Writer) const;
    void ReadUnits(TValueReader &Reader);
    void WriteResources(TValueWriter &Writer) const;
    // Raises EReadError "Glotta can not retrieve a list of resource
    // strings!" for a list of another version.
    void ReadResources(TValueReader &Reader);

    // The existing translators, in creation order.
    static QList<TCustomResourcesTranslator *> Translators();
    // Puts the translators' interception in front of every translator
    // installed since (Qt asks the one installed last first), so that their
    // texts win over Qt translation files loaded later.
    static void RaiseInterception();
    // The translation of a loaded text S: the first preferred translator
    // holding S decides, else the first in creation order. Answers false,
    // leaving S as it is, when no translator holds S (letter case counts).
    static bool TranslateResource(QString &S);
    // The interception is in the application's translators.
    static bool InterceptionInstalled();

private:
    // The process-wide index of registered texts follows every change of List.
    void IndexKeys();
    void UnindexKeys();

    QString fOriginalLang;
    std::unique_ptr<TResourcesList> fList;
    std::unique_ptr<TUnitList> fUnitList;
};

// The translator as placed on a form.
class GLOTTA_ENGINE_EXPORT TResourcesTranslator : public TCustomResourcesTranslator
{
    Q_OBJECT
public:
    using TCustomResourcesTranslator::TCustomResourcesTranslator;
};
