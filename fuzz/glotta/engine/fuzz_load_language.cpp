// LoadLanguage from bytes: the input is a language file as stored (its own
// byte-order mark, or none for the ANSI code page), served as a language
// resource, discovered and then loaded with every language of the engine.
// The load flags come from the input's length so that the file itself stays
// untouched and the test fixtures of tests/data/lang seed the corpus as they
// are: the flags are half the length modulo 16 (UTF-16 files have even
// lengths, so half of it lets every flag bit vary over them). A second,
// fixed language "Base" can serve as a superior and names "Child" as its own
// superior, so a seed "Child" over "Base" closes a loop.

#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstddef>
#include <cstdint>

namespace {
class TFuzzEngine : public TGlottaCore
{
public:
    QByteArray Data;
    using TGlottaCore::LoadLanguage;
    using TGlottaCore::RescanLanguages;

protected:
    bool ReadLanguageResource(const QString &Name, QByteArray &Bytes) const override
    {
        if (Name == QLatin1String("FUZZ"))
            Bytes = Data;
        else if (Name == QLatin1String("BASE"))
            Bytes = EncodeLanguageFile({QStringLiteral("[LANGUAGE_FILE]"),
                                        QStringLiteral("0\t%LANGUAGE_NAME=\"Base\"\t%SUPERIOR_LANGUAGE=Child;"),
                                        QStringLiteral("0\t\"b\"\t%COMPONENT=B;\t%OWNER=F;"),
                                        QStringLiteral("0\t%LEXICON_STRINGS"), QStringLiteral("0\t%LEXICON_NAME=L;"),
                                        QStringLiteral("1\t\"one\""), QStringLiteral("0\t%SMART_STRINGS"),
                                        QStringLiteral("0\t\"a\""), QStringLiteral("0\t\"b\"")},
                                       TLFEncoding::Unicode);
        else
            return false;
        return true;
    }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication App(*argc, *argv);
    // Refused inputs are what fuzzing feeds; their warnings would only flood the output.
    QLoggingCategory::setFilterRules(QStringLiteral("glotta.*.warning=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    TFuzzEngine E;
    E.Data = QByteArray(reinterpret_cast<const char *>(Data), qsizetype(Size));
    E.SetDesignLanguageName(QStringLiteral("čeština"));
    E.SetLangResources({QStringLiteral("BASE"), QStringLiteral("FUZZ")});
    const TLoadFlags Flags = TLoadFlags::fromInt(int((Size / 2) % 16));
    for (int i = 1; i < E.LData()->Languages.Count(); ++i)
        E.LoadLanguage(E.LData()->Languages.Strings(i), Flags);
    E.Translate(QStringLiteral(">"));
    E.Translate(QStringLiteral(">"));
    return 0;
}
