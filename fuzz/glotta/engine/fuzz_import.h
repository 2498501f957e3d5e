#pragma once
// The import of an exchange file from bytes, shared by the exchange
// fuzzers. An engine designed in Czech lists English (a language resource
// with component lines, lexicon items and global pairs) and has English
// current; a property client and a designed lexicon are registered, so the
// import's rules for every kind of client run. The editor counts as open,
// so nothing is saved and the bundle path is taken for imports into the
// current language. The input is written to a file and imported; the
// window is built once and English is loaded afresh for every input.

#include "glotta/engine/glotta_component.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/engine/lexicon.h"
#include "glotta/store/component_structure.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {
class TFuzzData : public TLangCoreData
{
public:
    using TLangCoreData::TLangCoreData;
    bool EditorOpened() const override { return true; }
};

class TFuzzEngine : public TGlottaCore
{
public:
    explicit TFuzzEngine(QObject *Owner)
        : TGlottaCore(Owner, [](TGlottaCore *E) -> TLangCoreData * { return new TFuzzData(E); })
    {
    }

protected:
    bool ReadLanguageResource(const QString &Name, QByteArray &Bytes) const override
    {
        if (Name != QLatin1String("ENGLISH"))
            return false;
        Bytes = EncodeLanguageFile({QStringLiteral("[LANGUAGE_FILE]"),
                                    QStringLiteral("0\t%LANGUAGE_NAME=\"english\"\t%CODE=en;\t%FILEVER=THLF1;"),
                                    QStringLiteral("0\t\"Close\"\t%COMPONENT=Button1;\t%OWNER=Form1;"),
                                    QStringLiteral("0\t%LEXICON_STRINGS"),
                                    QStringLiteral("0\t%LEXICON_NAME=Form1.Lexicon1;"), QStringLiteral("1\t\"Two\""),
                                    QStringLiteral("0\t%SMART_STRINGS"), QStringLiteral("0\t\"Ano\""),
                                    QStringLiteral("0\t\"Yes\"")},
                                   TLFEncoding::Unicode);
        return true;
    }
};

// A property client whose design structure is filled by hand.
class TFuzzClient : public TGlottaCPC
{
public:
    using TGlottaCPC::TGlottaCPC;
    void ProcessAllComponents(bool) override {}
};

inline QString FuzzFilePath(const QString &Name)
{
    static QTemporaryDir Dir;
    return Dir.filePath(Name);
}

// The window, built once: every input starts from English loaded afresh.
struct TFuzzWindow
{
    QObject Form;
    TFuzzEngine *Engine;
    TFuzzClient *Client;

    TFuzzWindow()
    {
        Form.setObjectName(QStringLiteral("Form1"));
        Engine = new TFuzzEngine(&Form);
        Engine->setObjectName(QStringLiteral("GlottaEngine1"));
        Engine->SetDesignLangISOCode(QStringLiteral("cs - Czech"));
        Engine->SetDesignLanguageName(QStringLiteral("čeština"));
        Engine->SetLangResources({QStringLiteral("ENGLISH")});
        Client = new TFuzzClient(&Form);
        Client->setObjectName(QStringLiteral("GlottaClient1"));
        Client->LanguageOwner = QStringLiteral("Form1");
        Client->DesignStruct().AddTextProperty(QStringLiteral("Button1"), QStringLiteral("Form1"), 0,
                                               QStringLiteral("Zavřít"), QString());
        Client->DesignStruct().AddTextProperty(QStringLiteral("Label1"), QStringLiteral("Form1"), 0,
                                               QStringLiteral("Ano"), QString());
        Client->CSInitialized = true;
        Client->SetGlottaEngine(Engine);
        auto *Lexicon = new TDesignedLexicon(&Form);
        Lexicon->setObjectName(QStringLiteral("Lexicon1"));
        Lexicon->SetItems({QStringLiteral("Jedna"), QStringLiteral("Dva"), QStringLiteral("Ano")});
        Lexicon->SetGlottaEngine(Engine);
    }
};

// Imports Bytes as file FileName into the current language or (ToCurrent
// false) into the language the file names.
inline void FuzzImport(const uint8_t *Data, size_t Size, const QString &FileName, bool ToCurrent)
{
    const QString Path = FuzzFilePath(FileName);
    {
        QFile F(Path);
        if (!F.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        F.write(reinterpret_cast<const char *>(Data), qint64(Size));
    }
    static TFuzzWindow W;
    W.Engine->SetTranslateGlotta(Size % 2 == 0);
    W.Client->SetGlobalLexicon(Size % 3 == 0);
    W.Engine->Translate(QStringLiteral("cs"));
    W.Engine->Translate(QStringLiteral("en"));
    try {
        W.Engine->ImportFromFile(Path, ToCurrent);
    } catch (const Exception &) {
        // A refusal is an answer, not a finding.
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication App(*argc, *argv);
    // Refused inputs are what fuzzing feeds; their warnings would only flood the output.
    QLoggingCategory::setFilterRules(QStringLiteral("glotta.*.warning=false"));
    return 0;
}
