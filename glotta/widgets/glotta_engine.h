#pragma once
// TGlottaEngine: the engine component a form carries. It adds to the core the
// language directory beside the program, flag pictures and their image list,
// a language menu it fills and keeps checked, the filling of the language
// selector controls, and the engine's initialisation at the program's first
// activation.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/widgets/flag_picture.h"
#include "toolkit/widgets/picture.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QMenu>

class QAction;

class GLOTTA_WIDGETS_EXPORT TGlottaEngine : public TGlottaCore
{
    Q_OBJECT
    Q_PROPERTY(bool LangMenuFlags READ LangMenuFlags WRITE SetLangMenuFlags)
    Q_PROPERTY(QMenu *LanguageMenu READ LanguageMenu WRITE SetLanguageMenu)
    Q_PROPERTY(TPicture DesignLangFlag READ DesignLangFlag WRITE SetDesignLangFlag)
    Q_PROPERTY(TPicture EmptyFlag READ EmptyFlag WRITE SetEmptyFlag)
public:
    explicit TGlottaEngine(QObject *Owner = nullptr);
    ~TGlottaEngine() override;

    // The data holder that engines created from now on get. The editor
    // installs its holder, which can show the editor window; without one an
    // engine has the plain holder, whose editor keeps the current language.
    static void SetDataFactory(TDataFactory Factory);

    void SetLangMenuFlags(bool Value) override;
    QMenu *LanguageMenu() const { return fLanguageMenu; }
    void SetLanguageMenu(QMenu *Value);
    TPicture DesignLangFlag() const { return fDesignLangFlag; }
    // Both pictures are normalised to flag size when set; the languages are
    // then scanned anew, so the lists show the new picture.
    void SetDesignLangFlag(const TPicture &Value);
    TPicture EmptyFlag() const { return fEmptyFlag; }
    void SetEmptyFlag(const TPicture &Value);

    // One image per flag of the language list, in its order: image i belongs
    // to entry i of the menu list.
    const QList<QIcon> &FlagsList() const { return fFlagsList; }
    // How many flag pictures the images of FlagsList were decoded from so far.
    int FlagDecodes() const { return fFlagDecodes; }
    // Loads flag Index into Picture; fkNone (and an empty picture) when the
    // language brings no usable flag.
    TFlagKind LoadFlagPicture(TPicture &Picture, int Index);
    // Completed language changes since the engine was created. A control
    // that asked for a change compares it to learn whether one happened.
    int LanguageChanges() const { return fLanguageChanges; }
    // Qt's own translations and the layout direction follow each language
    // change (see qt_language.h); on by default.
    bool QtFollowsLanguage() const { return fQtFollowsLanguage; }
    void SetQtFollowsLanguage(bool Value) { fQtFollowsLanguage = Value; }

    // The language directory: the program's directory combined with
    // LangSubdirectory (an absolute one is used as it is), ending with a separator.
    QString GetLangsDir() const override;
    // The command entries' built-in pictures, and the design language's flag
    // and the empty flag as bitmap or icon bytes (nothing for other kinds).
    void GetInternalFlag(QBuffer &Stream, TInternalFlag Kind) override;
    bool GetIsMultiEngine() const override { return fIsMultiEngine || ForcedMultiEngine(); }
    // The menu list, then the flag images, the language menu and every
    // registered selector control.
    bool RebuildLangMenu() override;
    void UpdateLangControl(QObject *Control, int LanguageIndex) override;
    // Unregisters Client; a selector list then shows no entries.
    void DisconnectClient(QObject *Client) override;
    void LanguageChosen(const QString &Language) override;
    // Makes the sub-items of MenuItem the entries of the menu list: checkable,
    // one group, the current language checked, flags as icons when
    // LangMenuFlags is on; surplus items are removed. Picking one switches.
    virtual void FillLanguageMenu(QMenu *MenuItem);

    void Notification(QObject *AComponent, TOperation Operation) override;

private:
    void RebuildFlagsList();
    void MenuClick(QAction *Item);
    void InstallActivationHandler();
    void RemoveActivationHandler();

    QMenu *fLanguageMenu = nullptr; // not owned; cleared by free notification
    TPicture fDesignLangFlag;
    TPicture fEmptyFlag;
    QList<QIcon> fFlagsList;
    // The images of the flags the list shows, by the bytes they were decoded from.
    QHash<QByteArray, QIcon> fDecodedFlags;
    int fFlagDecodes = 0;
    int fLanguageChanges = 0;
    bool fQtFollowsLanguage = true;
};
