#pragma once
// TGlottaCore: the localization engine component. It keeps the list of
// languages, knows the current one, loads a language's translations when it
// becomes current and tells every registered client to apply them.

#include "component.h"
#include "events.h"

#include <QObject>
#include <QStringList>

class TGlottaCore : public QObject, public TComponentHooks
{
    Q_OBJECT
    Q_PROPERTY(QString AboutGlotta READ AboutGlotta WRITE SetAboutGlotta)
    Q_PROPERTY(QString DesignLangISOCode READ DesignLangISOCode WRITE SetDesignLangISOCode)
    Q_PROPERTY(QString DesignLanguageName READ DesignLanguageName WRITE SetDesignLanguageName)
    Q_PROPERTY(QString DefaultLanguage READ DefaultLanguage WRITE SetDefaultLanguage)
    Q_PROPERTY(QString LangSubdirectory READ LangSubdirectory WRITE SetLangSubdirectory)
    Q_PROPERTY(QString LangFileExtension READ LangFileExtension WRITE SetLangFileExtension)
    Q_PROPERTY(QString LangFileSignature READ LangFileSignature WRITE SetLangFileSignature)
    Q_PROPERTY(TLFEncodingValue LangFileEncoding READ LangFileEncoding WRITE SetLangFileEncoding)
    Q_PROPERTY(bool HideCopyright READ HideCopyright WRITE SetHideCopyright)
    // Stored as set; reading through LangCreatorVisible() also asks whether the engine is a multi-engine.
    Q_PROPERTY(bool LangCreatorVisible MEMBER fLangCreatorVisible WRITE SetLangCreatorVisible)
    Q_PROPERTY(bool LangEditorVisible MEMBER fLangEditorVisible WRITE SetLangEditorVisible)
    Q_PROPERTY(bool TranslateGlotta READ TranslateGlotta WRITE SetTranslateGlotta)
    Q_PROPERTY(QStringList LangResources READ LangResources WRITE SetLangResources)
    Q_PROPERTY(bool LangResourcesAllowEdit READ LangResourcesAllowEdit WRITE SetLangResourcesAllowEdit)
public:
    // The encoding of written language files, as the design names it.
    enum TLFEncodingValue { Unicode, BigEndianUnicode, UTF8, ANSI };
    Q_ENUM(TLFEncodingValue)

    explicit TGlottaCore(QObject *Owner = nullptr);
    ~TGlottaCore() override;

    QString AboutGlotta() const;
    void SetAboutGlotta(const QString &) {}
    QString DesignLangISOCode() const { return fDesignLangISOCode; }
    void SetDesignLangISOCode(const QString &Value);
    QString DesignLanguageName() const { return fDesignLanguage; }
    void SetDesignLanguageName(const QString &Value);
    QString DefaultLanguage() const { return fDefaultLanguage; }
    void SetDefaultLanguage(const QString &Value);
    QString LangSubdirectory() const { return fLangSubdir; }
    virtual void SetLangSubdirectory(const QString &Value);
    QString LangFileExtension() const { return fLangFileExt; }
    void SetLangFileExtension(const QString &Value);
    QString LangFileSignature() const { return fLangFileSign; }
    void SetLangFileSignature(const QString &Value);
    TLFEncodingValue LangFileEncoding() const { return fLangFileEncoding; }
    void SetLangFileEncoding(TLFEncodingValue Value) { fLangFileEncoding = Value; }
    bool HideCopyright() const { return fHideCopyright; }
    void SetHideCopyright(bool Value) { fHideCopyright = Value; }
    bool LangCreatorVisible() const;
    void SetLangCreatorVisible(bool Value);
    bool LangEditorVisible() const;
    void SetLangEditorVisible(bool Value);
    bool TranslateGlotta() const { return fIncludeGlotta; }
    void SetTranslateGlotta(bool Value) { fIncludeGlotta = Value; }
    QStringList LangResources() const { return fLangResources; }
    void SetLangResources(const QStringList &Value);
    bool LangResourcesAllowEdit() const { return fAllowEditInternalLangs; }
    void SetLangResourcesAllowEdit(bool Value);

    QString CurrentLanguage() const { return fCurrentLanguage; }
    // Switches to the language named by an ISO code or a name; the current
    // language (by name or code) changes nothing, not even the change query.
    void SetCurrentLanguage(const QString &Value);
    QString CurrentLanguageISO() const { return fCurrentLangISO; }

    // Switches language; answers the current language's name afterwards.
    // Language discovery and loading are not built yet: the engine knows only
    // its design language, so any other request changes nothing.
    QString Translate(const QString &ISOorLangName);

    TContinueQuery OnChangeLangQuery;
    TNotifyEvent OnChangeLanguage;
    TNotifyEvent OnBeforeEdit;
    TNotifyEvent OnAfterEdit;

protected:
    bool IsMultiEngine = true;
    bool IsInitialized = false;
    QString fCurrentLanguage;
    QString fCurrentLangISO;
    QString fDesignLanguage;
    QString fDefaultLanguage;
    QString fDesignLangISOCode;
    QString fLangSubdir;
    QString fLangFileExt;
    QString fLangFileSign;
    TLFEncodingValue fLangFileEncoding = Unicode;
    bool fAllowEditInternalLangs = false;
    bool fLangEditorVisible = true;
    bool fLangCreatorVisible = true;
    bool fIncludeGlotta = false;
    bool fLangMenuFlags = true;
    bool fHideCopyright = false;
    QStringList fLangResources;
};
