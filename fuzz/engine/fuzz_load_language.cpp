// LoadLanguage from bytes: the input is a language resource, discovered and
// then loaded with the load flags, in any of the four encodings. The first
// byte chooses the byte-order mark put in front (none: the ANSI code page)
// and the flags; a second, fixed language can serve as a superior.

#include "glotta_core.h"
#include "lang_core_data.h"
#include "language_file.h"

#include <QCoreApplication>
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
                                        QStringLiteral("0\t%LANGUAGE_NAME=\"Base\"\t%SUPERIOR_LANGUAGE=FuzzLang;"),
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
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    if (Size < 1)
        return 0;
    static const QByteArray Marks[] = {QByteArray(), QByteArray("\xFF\xFE", 2), QByteArray("\xFE\xFF", 2),
                                       QByteArray("\xEF\xBB\xBF", 3)};
    const uint8_t Choice = Data[0];
    TFuzzEngine E;
    E.Data = Marks[Choice & 3] + QByteArray(reinterpret_cast<const char *>(Data + 1), qsizetype(Size - 1));
    E.SetDesignLanguageName(QStringLiteral("čeština"));
    E.SetLangResources({QStringLiteral("BASE"), QStringLiteral("FUZZ")});
    const TLoadFlags Flags = TLoadFlags::fromInt((Choice >> 2) & 15);
    for (int i = 1; i < E.LData->Languages.Count(); ++i)
        E.LoadLanguage(E.LData->Languages.Strings(i), Flags);
    E.Translate(QStringLiteral(">"));
    E.Translate(QStringLiteral(">"));
    return 0;
}
