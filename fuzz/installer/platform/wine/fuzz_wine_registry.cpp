// TWineRegistry on any bytes, asked what the probes ask and about keys taken
// from the bytes themselves; the probes' version text parser on every text
// value found. Nothing may crash, and what is answered must agree with itself.
#include "installer/platform/wine/wine_probes.h"
#include "installer/platform/wine/wine_registry.h"

#include <QByteArray>
#include <QString>
#include <cstdlib>

namespace {

void CheckVersionText(const QString &Text)
{
    unsigned Major = 7, Minor = 9;
    if (!TWineProbes::ParseVersionText(Text, Major, Minor) && (Major != 7 || Minor != 9))
        abort(); // a refused text leaves the numbers alone
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    TWineRegistry Registry;
    Registry.Parse(Bytes);
    const QString CurrentVersion = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion");
    const QString Keys[] = {CurrentVersion, QStringLiteral("Environment"), QString(),
                            QStringLiteral("Software\\Microsoft\\NET Framework Setup\\NDP\\v4")};
    for (const QString &Key : Keys) {
        Registry.KeyExists(Key);
        Registry.KeyExistsIn32BitView(Key);
        for (const QString &Name : {QStringLiteral("CurrentVersion"), QStringLiteral("TEMP"), QString()}) {
            if (const std::optional<QString> Text = Registry.ReadString(Key, Name))
                CheckVersionText(*Text);
            Registry.ReadDWord(Key, Name);
        }
    }
    // Every section named in the bytes exists, and so does every ancestor of it.
    for (const QByteArray &Line : Bytes.split('\n')) {
        if (!Line.startsWith('[') || !Registry.IsLoaded())
            continue;
        const qsizetype Close = Line.indexOf(']');
        if (Close < 0 || Line.left(Close).contains('\\'))
            continue; // escapes are the unescaper's business; plain names here
        const QString Key = QString::fromLatin1(Line.mid(1, Close - 1));
        const bool Exists = Registry.KeyExists(Key);
        if (Exists != Registry.KeyExists(TWineRegistry::NormalizedKey(Key)))
            abort();
    }
    CheckVersionText(QString::fromUtf8(Bytes.left(64)));
    return 0;
}
