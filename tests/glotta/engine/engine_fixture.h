#pragma once
// A test engine: the language directory is a temporary directory (an
// absolute LangSubdirectory), language resources come from a map, and the
// engine's private file operations are reachable. Language-file fixtures
// are files under tests/data/lang (they seed the load fuzzer as well). Also
// what the tests' small windows and written files share: named children,
// small language files with a flag, the lines of a written file.

#include "glotta/widgets/glotta_engine.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/flag_icon.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringDecoder>
#include <QMap>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <type_traits>

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
    // How often a resource was read.
    mutable int ResourceReads = 0;

protected:
    bool ReadLanguageResource(const QString &Name, QByteArray &Bytes) const override
    {
        ++ResourceReads;
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

// The bytes of file Path; empty when it cannot be read.
inline QByteArray FileBytes(const QString &Path)
{
    QFile File(Path);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// The lines of a language file as the engine writes it (UTF-16 with its
// mark, CR LF line ends), without empty lines; none when it cannot be read.
inline QStringList FileLines(const QString &Path)
{
    QStringDecoder Decode(QStringConverter::Utf16);
    return QString(Decode(FileBytes(Path))).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// A bitmap of Size filled with Colour, as flag bytes.
inline QByteArray FlagBitmap(QSize Size, QColor Colour)
{
    QImage Image(Size, QImage::Format_RGB32);
    Image.fill(Colour);
    QByteArray Bytes;
    QBuffer Out(&Bytes);
    Out.open(QIODevice::WriteOnly);
    Image.save(&Out, "BMP");
    return Bytes;
}

inline QStringList ComboItems(const QComboBox &Box)
{
    QStringList L;
    for (int i = 0; i < Box.count(); ++i)
        L.append(Box.itemText(i));
    return L;
}

// A T made with Args, named Name, child of Parent. A widget made without a
// parent is a window: it keeps the flags of its kind (a menu's popup, a
// dialog's) and drops only that.
template<typename T, typename... A>
T *Named(QObject *Parent, const QString &Name, A &&...Args)
{
    auto *O = new T(std::forward<A>(Args)...);
    if constexpr (std::is_base_of_v<QWidget, T>)
        O->setParent(qobject_cast<QWidget *>(Parent), O->windowType() == Qt::Window ? Qt::Widget : O->windowFlags());
    else
        O->setParent(Parent);
    O->setObjectName(Name);
    return O;
}

inline QString LangDataPath(const QString &Name)
{
    return QStringLiteral(GLOTTA_TEST_DATA "/lang/") + Name;
}

// The bytes of the fixture tests/data/lang/Name.
inline QByteArray LangData(const QString &Name)
{
    QFile F(LangDataPath(Name));
    if (!F.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(F.fileName()));
    return F.readAll();
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
    // A named child of the form.
    template<typename T, typename... A>
    T *Add(const QString &Name, A &&...Args)
    {
        return Named<T>(Form.get(), Name, std::forward<A>(Args)...);
    }
    // A small language file of the language directory: its header and one
    // lexicon line (a header alone is no language file); with Flag non-null
    // also a flag section.
    void WriteLanguage(const QString &File, const QString &Name, const QString &Code,
                       const QByteArray &Flag = QByteArray())
    {
        QStringList Lines{QStringLiteral("[LANGUAGE_FILE]"), HeaderLine(Name, Code),
                          QStringLiteral("0\t%LEXICON_STRINGS")};
        if (!Flag.isNull())
            WriteFlagIcon(Flag, Lines);
        WriteBytes(Path(File), LangFile(Lines));
    }
    // The fixture tests/data/lang/DataName as file Name of the language directory.
    void Copy(const QString &DataName, const QString &Name) { WriteBytes(Path(Name), LangData(DataName)); }
    // Every file of the fixture folder tests/data/lang/Folder, under its own name.
    void CopyAll(const QString &Folder)
    {
        const QDir From(LangDataPath(Folder));
        const QStringList Names = From.entryList(QDir::Files);
        if (Names.isEmpty())
            qFatal("missing fixture folder %s", qPrintable(From.path()));
        for (const QString &Name : Names)
            Copy(Folder + QLatin1Char('/') + Name, Name);
    }
    QStringList Languages() const { return Engine->LData()->Languages.ToStringList(); }
};
