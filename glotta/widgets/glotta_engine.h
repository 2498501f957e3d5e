#pragma once
// TGlottaEngine: the engine component a form carries. It adds to the core the
// language directory beside the program, flag pictures and the language menu.

#include "glotta/engine/glotta_core.h"
#include "toolkit/widgets/picture.h"

#include <QMenu>

class TGlottaEngine : public TGlottaCore
{
    Q_OBJECT
    Q_PROPERTY(bool LangMenuFlags READ LangMenuFlags WRITE SetLangMenuFlags)
    Q_PROPERTY(QMenu *LanguageMenu READ LanguageMenu WRITE SetLanguageMenu)
    Q_PROPERTY(TPicture DesignLangFlag READ DesignLangFlag WRITE SetDesignLangFlag)
    Q_PROPERTY(TPicture EmptyFlag READ EmptyFlag WRITE SetEmptyFlag)
public:
    explicit TGlottaEngine(QObject *Owner = nullptr);
    ~TGlottaEngine() override;

    void SetLangMenuFlags(bool Value) override { fLangMenuFlags = Value; }
    QMenu *LanguageMenu() const { return fLanguageMenu; }
    void SetLanguageMenu(QMenu *Value);
    TPicture DesignLangFlag() const { return fDesignLangFlag; }
    void SetDesignLangFlag(const TPicture &Value) { fDesignLangFlag = Value; RescanLanguages(); }
    TPicture EmptyFlag() const { return fEmptyFlag; }
    void SetEmptyFlag(const TPicture &Value) { fEmptyFlag = Value; RescanLanguages(); }

    // The language directory: the program's directory combined with
    // LangSubdirectory (an absolute one is used as it is), ending with a separator.
    QString GetLangsDir() const override;
    // The design language's flag and the empty flag as image bytes; the
    // command entries' pictures are not drawn yet.
    void GetInternalFlag(QBuffer &Stream, TInternalFlag Kind) override;

    void Notification(QObject *AComponent, TOperation Operation) override;

private:
    QMenu *fLanguageMenu = nullptr; // not owned; cleared by free notification
    TPicture fDesignLangFlag;
    TPicture fEmptyFlag;
};
