#pragma once
// A test engine: the language directory is a temporary directory (an
// absolute LangSubdirectory), language resources come from a map, and the
// engine's private file operations are reachable.

#include "glotta/widgets/glotta_engine.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

class TTestEngine : public TGlottaEngine
{
public:
    using TGlottaEngine::TGlottaEngine;
    using TGlottaCore::ExtractResourceLanguage;
    using TGlottaCore::LoadLanguage;
    using TGlottaCore::RescanLanguages;
    using TGlottaCore::SaveLanguage;
    using TGlottaCore::UniqueLangFileName;

    QMap<QString, QByteArray> Resources;

protected:
    bool ReadLanguageResource(const QString &Name, QByteArray &Bytes) const override
    {
        const auto It = Resources.constFind(Name);
        if (It == Resources.constEnd())
            return false;
        Bytes = It.value();
        return true;
    }
};

// Language-file lines joined and encoded as the writer does.
inline QByteArray LangFile(const QStringList &Lines, TLFEncoding Encoding = TLFEncoding::Unicode)
{
    return EncodeLanguageFile(Lines, Encoding);
}

// The usual header line of language Name.
inline QString HeaderLine(const QString &Name, const QString &Code = QString(), const QString &Superior = QString())
{
    QString S = QStringLiteral("0\t%LANGUAGE_NAME=\"") + Name + QLatin1Char('"');
    if (!Code.isEmpty())
        S += QStringLiteral("\t%CODE=") + Code + QLatin1Char(';');
    if (!Superior.isEmpty())
        S += QStringLiteral("\t%SUPERIOR_LANGUAGE=") + Superior + QLatin1Char(';');
    return S + QStringLiteral("\t%FILEVER=THLF1;");
}

inline void WriteBytes(const QString &Path, const QByteArray &Bytes)
{
    QFile F(Path);
    if (F.open(QIODevice::WriteOnly))
        F.write(Bytes);
}

// A form (parentless widget) of a unique name holding a named engine whose
// language directory is Dir: each fixture is the first engine of its key.
struct TEngineFixture
{
    QTemporaryDir Dir;
    std::unique_ptr<QWidget> Form;
    TTestEngine *Engine = nullptr;

    explicit TEngineFixture(const QString &DesignCode = QStringLiteral("cs - Czech"),
                            const QString &DesignName = QStringLiteral("čeština"))
    {
        static int Counter = 0;
        Form = std::make_unique<QWidget>();
        Form->setObjectName(QStringLiteral("TestForm%1").arg(++Counter));
        Engine = new TTestEngine(Form.get());
        Engine->setObjectName(QStringLiteral("GlottaEngine1"));
        Engine->SetLangSubdirectory(Dir.path());
        Engine->SetDesignLangISOCode(DesignCode);
        Engine->SetDesignLanguageName(DesignName);
    }
    QString Path(const QString &Name) const { return Dir.filePath(Name); }
    void Write(const QString &Name, const QStringList &Lines, TLFEncoding Encoding = TLFEncoding::Unicode)
    {
        WriteBytes(Path(Name), LangFile(Lines, Encoding));
    }
    QStringList Languages() const { return Engine->LData()->Languages.ToStringList(); }
};
