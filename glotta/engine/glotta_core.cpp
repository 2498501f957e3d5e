#include "glotta_core.h"

TGlottaCore::TGlottaCore(QObject *Owner)
    : QObject(Owner), fCurrentLanguage(QStringLiteral("Design language")),
      fDesignLanguage(QStringLiteral("Design language")), fLangFileExt(QStringLiteral(".lng")),
      fLangFileSign(QStringLiteral("LANGUAGE_FILE"))
{
}

TGlottaCore::~TGlottaCore() = default;

QString TGlottaCore::AboutGlotta() const
{
    return QStringLiteral("Glotta 2.13.4");
}

void TGlottaCore::SetDesignLangISOCode(const QString &Value)
{
    fDesignLangISOCode = Value;
}

void TGlottaCore::SetDesignLanguageName(const QString &Value)
{
    const QString Name = Value.isEmpty() ? QStringLiteral("Design language") : Value;
    if (fCurrentLanguage == fDesignLanguage)
        fCurrentLanguage = Name;
    fDesignLanguage = Name;
}

void TGlottaCore::SetDefaultLanguage(const QString &Value)
{
    fDefaultLanguage = Value;
}

void TGlottaCore::SetLangSubdirectory(const QString &Value)
{
    fLangSubdir = Value.trimmed();
}

void TGlottaCore::SetLangFileExtension(const QString &Value)
{
    fLangFileExt = Value.isEmpty() || Value.startsWith(QLatin1Char('.')) ? Value : QLatin1Char('.') + Value;
}

void TGlottaCore::SetLangFileSignature(const QString &Value)
{
    fLangFileSign = Value;
}

bool TGlottaCore::LangCreatorVisible() const
{
    return !IsMultiEngine && fLangCreatorVisible;
}

void TGlottaCore::SetLangCreatorVisible(bool Value)
{
    fLangCreatorVisible = Value;
}

bool TGlottaCore::LangEditorVisible() const
{
    return !IsMultiEngine && fLangEditorVisible;
}

void TGlottaCore::SetLangEditorVisible(bool Value)
{
    fLangEditorVisible = Value;
}

void TGlottaCore::SetLangResources(const QStringList &Value)
{
    fLangResources = Value;
}

void TGlottaCore::SetLangResourcesAllowEdit(bool Value)
{
    fAllowEditInternalLangs = Value;
}

void TGlottaCore::SetCurrentLanguage(const QString &Value)
{
    if (Value.compare(fCurrentLanguage, Qt::CaseInsensitive) == 0
        || (!Value.isEmpty() && Value.compare(fCurrentLangISO, Qt::CaseInsensitive) == 0))
        return;
    Translate(Value);
}

QString TGlottaCore::Translate(const QString &ISOorLangName)
{
    Q_UNUSED(ISOorLangName);
    return fCurrentLanguage;
}
