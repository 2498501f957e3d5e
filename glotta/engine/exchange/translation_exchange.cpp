#include "glotta/engine/exchange/translation_exchange.h"

#include "glotta/engine/exchange/ts_file.h"
#include "glotta/engine/exchange/xliff_file.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/language_names.h"

#ifdef GLOTTA_HAVE_GETTEXTPO
#include "glotta/engine/exchange/po_file.h"
#endif

#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>

#include <memory>

Q_LOGGING_CATEGORY(lcTranslationExchange, "glotta.exchange.translation")

namespace {
// Translators' files are text of at most a few megabytes.
constexpr qint64 MaxExchangeFileSize = 64 * 1024 * 1024;

bool ReadWholeFile(const QString &FileName, QByteArray &Bytes, QString &Error)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly)) {
        Error = QStringLiteral("%1: %2").arg(FileName, File.errorString());
        return false;
    }
    Bytes = File.read(MaxExchangeFileSize + 1);
    if (Bytes.size() > MaxExchangeFileSize) {
        Error = QStringLiteral("%1: larger than %2 bytes").arg(FileName).arg(MaxExchangeFileSize);
        return false;
    }
    return true;
}

QString Normalized(QString Code)
{
    return NormalizeISOCode(Code) ? Code : QString();
}

// Why Catalog cannot go into the language of Stores (empty: it can).
QString OtherLanguage(const TTranslationCatalog &Catalog, const TLanguageStores &Stores)
{
    const QString FileCode = Normalized(Catalog.Language.Code);
    const QString OwnCode = Normalized(Stores.Header.Code);
    if (!FileCode.isEmpty() && !OwnCode.isEmpty()) {
        if (FileCode != OwnCode)
            return QStringLiteral("the file is for the language code \"%1\", not \"%2\"").arg(FileCode, OwnCode);
        return QString();
    }
    if (Catalog.Language.Name != Stores.Header.Name)
        return QStringLiteral("the file is for the language \"%1\", not \"%2\"")
            .arg(Catalog.Language.Name, Stores.Header.Name);
    return QString();
}

QString OtherTemplate(const TTranslationCatalog &Catalog, const TCatalogTemplate &Template)
{
    const QString FileCode = Normalized(Catalog.Design.Code);
    const QString OwnCode = Normalized(Template.Design.Code);
    if (!FileCode.isEmpty() && !OwnCode.isEmpty() && FileCode != OwnCode)
        return QStringLiteral("the file translates from the language code \"%1\", the program is designed in \"%2\"")
            .arg(FileCode, OwnCode);
    if (Template.Entries.empty())
        return QString();
    // One entry that is this program's line with this program's designed
    // text (or none given) is enough: single entries that differ are refused
    // one by one.
    QHash<QString, QString> Known;
    for (const TCatalogEntry &T : Template.Entries)
        Known.insert(CatalogEntryId(T), T.Source);
    bool AnyKeyed = false;
    for (const TCatalogEntry &E : Catalog.Entries) {
        if (E.Kind == TCatalogKind::SmartPair)
            continue;
        AnyKeyed = true;
        const auto It = Known.constFind(CatalogEntryId(E));
        if (It != Known.constEnd() && (E.Source.isEmpty() || It->isEmpty() || *It == E.Source))
            return QString();
    }
    return AnyKeyed ? QStringLiteral("none of the file's entries belongs to this program") : QString();
}

QString Duplicate(const TTranslationCatalog &Catalog)
{
    QSet<QString> Seen;
    for (const TCatalogEntry &E : Catalog.Entries) {
        const QString Id = CatalogEntryId(E);
        if (Seen.contains(Id))
            return QStringLiteral("the entry \"%1\" is in the file twice").arg(CatalogKey(E) + E.Source);
        Seen.insert(Id);
    }
    return QString();
}

TCatalogImportReport Refusal(const QString &Reason)
{
    qCInfo(lcTranslationExchange).noquote() << "import refused:" << Reason;
    TCatalogImportReport R;
    R.Refused = true;
    R.Reason = Reason;
    return R;
}
} // namespace

std::optional<TExchangeFormat> ExchangeFormatOfFile(const QString &FileName)
{
    const QString Suffix = QFileInfo(FileName).suffix().toLower();
    if (Suffix == QLatin1String("po"))
        return TExchangeFormat::Po;
    if (Suffix == QLatin1String("pot"))
        return TExchangeFormat::Pot;
    if (Suffix == QLatin1String("xlf") || Suffix == QLatin1String("xliff"))
        return TExchangeFormat::Xliff;
    if (Suffix == QLatin1String("ts"))
        return TExchangeFormat::Ts;
    return std::nullopt;
}

bool ExchangeFormatAvailable(TExchangeFormat Format)
{
#ifdef GLOTTA_HAVE_GETTEXTPO
    Q_UNUSED(Format);
    return true;
#else
    return Format != TExchangeFormat::Po && Format != TExchangeFormat::Pot;
#endif
}

bool WriteCatalog(const TTranslationCatalog &Catalog, TExchangeFormat Format, QByteArray &Bytes, QString &Error)
{
    switch (Format) {
    case TExchangeFormat::Po:
    case TExchangeFormat::Pot:
#ifdef GLOTTA_HAVE_GETTEXTPO
        return WritePoCatalog(Catalog, Format == TExchangeFormat::Pot, Bytes, Error);
#else
        Error = QStringLiteral("this build cannot write PO files (no libgettextpo)");
        return false;
#endif
    case TExchangeFormat::Xliff:
        Bytes = WriteXliffCatalog(Catalog, false);
        return true;
    case TExchangeFormat::Ts:
        Bytes = WriteTsCatalog(Catalog, false);
        return true;
    }
    return false;
}

bool ReadCatalog(const QByteArray &Bytes, TExchangeFormat Format, TTranslationCatalog &Catalog, QString &Error)
{
    switch (Format) {
    case TExchangeFormat::Po:
    case TExchangeFormat::Pot:
#ifdef GLOTTA_HAVE_GETTEXTPO
        return ReadPoCatalog(Bytes, Catalog, Error);
#else
        Error = QStringLiteral("this build cannot read PO files (no libgettextpo)");
        return false;
#endif
    case TExchangeFormat::Xliff:
        return ReadXliffCatalog(Bytes, Catalog, Error);
    case TExchangeFormat::Ts:
        return ReadTsCatalog(Bytes, Catalog, Error);
    }
    return false;
}

bool ExportLanguageFile(const QString &LanguageFile, const QString &OutFile, TExchangeFormat Format,
                        const TExchangeOptions &Options, QString &Error)
{
    QByteArray Bytes;
    if (!ReadLanguageFileBytes(LanguageFile, Bytes)) {
        Error = QStringLiteral("%1: cannot be read").arg(LanguageFile);
        return false;
    }
    TLanguageStores Stores;
    if (!ReadLanguageStores(Bytes, Stores, Error)) {
        Error = LanguageFile + QStringLiteral(": ") + Error;
        return false;
    }
    std::vector<std::unique_ptr<TLanguageStores>> Superiors;
    std::vector<const TLanguageStores *> Chain;
    for (const QString &File : Options.SuperiorFiles) {
        QByteArray SuperiorBytes;
        auto S = std::make_unique<TLanguageStores>();
        if (!ReadLanguageFileBytes(File, SuperiorBytes) || !ReadLanguageStores(SuperiorBytes, *S, Error)) {
            Error = QStringLiteral("%1: cannot be read as a language file").arg(File);
            return false;
        }
        Chain.push_back(S.get());
        Superiors.push_back(std::move(S));
    }
    TTranslationCatalog Catalog;
    CatalogFromStores(Stores, Options.Template, Chain, Catalog);
    QByteArray Out;
    if (!WriteCatalog(Catalog, Format, Out, Error))
        return false;
    QFileDevice::FileError FileError;
    if (!WriteLanguageFileBytes(OutFile, Out, FileError, Error)) {
        Error = OutFile + QStringLiteral(": ") + Error;
        return false;
    }
    return true;
}

TCatalogImportReport ImportCatalogBytes(const QByteArray &Bytes, TExchangeFormat Format, QByteArray &Target,
                                        const TCatalogTemplate *Template)
{
    TTranslationCatalog Catalog;
    QString Error;
    if (!ReadCatalog(Bytes, Format, Catalog, Error))
        return Refusal(QStringLiteral("broken file: ") + Error);
    if (Catalog.IsTemplate())
        return Refusal(QStringLiteral("the file is a template: it names no language"));
    if (const QString Why = Duplicate(Catalog); !Why.isEmpty())
        return Refusal(Why);
    if (Template)
        if (const QString Why = OtherTemplate(Catalog, *Template); !Why.isEmpty())
            return Refusal(Why);

    TLanguageStores Stores;
    const bool New = Target.isEmpty();
    if (New) {
        StoresFromCatalogHeader(Catalog, Stores);
    } else {
        if (!ReadLanguageStores(Target, Stores, Error))
            return Refusal(QStringLiteral("the language file: ") + Error);
        if (const QString Why = OtherLanguage(Catalog, Stores); !Why.isEmpty())
            return Refusal(Why);
    }
    TCatalogImportReport Report;
    MergeCatalog(Catalog, Template, Stores, Report);
    if (New || !Report.Added.isEmpty() || !Report.Changed.isEmpty()) {
        Target = WriteLanguageStores(Stores);
        Report.Written = true;
    }
    return Report;
}

TCatalogImportReport ImportIntoLanguageFile(const QString &InFile, TExchangeFormat Format,
                                            const QString &LanguageFile, const TExchangeOptions &Options)
{
    QByteArray Bytes;
    QString Error;
    if (!ReadWholeFile(InFile, Bytes, Error))
        return Refusal(Error);
    QByteArray Target;
    if (QFileInfo::exists(LanguageFile) && !ReadLanguageFileBytes(LanguageFile, Target))
        return Refusal(QStringLiteral("%1: cannot be read").arg(LanguageFile));
    if (QFileInfo::exists(LanguageFile) && Target.isEmpty())
        return Refusal(QStringLiteral("%1: an empty language file").arg(LanguageFile));
    TCatalogImportReport Report = ImportCatalogBytes(Bytes, Format, Target, Options.Template);
    if (Report.Refused || !Report.Written)
        return Report;
    QFileDevice::FileError FileError;
    if (!WriteLanguageFileBytes(LanguageFile, Target, FileError, Error)) {
        Report.Written = false;
        Report.Refused = true;
        Report.Reason = LanguageFile + QStringLiteral(": ") + Error;
    }
    return Report;
}
