#include "glotta/engine/resources_translator.h"
#include "glotta/engine/engine_log.h"

#include "glotta/engine/glotta_core.h"
#include "glotta/store/resources_list.h"
#include "glotta/store/text_helpers.h"
#include "glotta/store/unit_list.h"
#include "toolkit/core/value_stream.h"

#include <QCoreApplication>
#include <QHash>
#include <QThread>
#include <QTranslator>

namespace {

// Every text Qt translates passes through here, most of them texts no
// translator holds: those must cost one hash lookup of the bytes Qt hands
// over, without building a QString.
class TResourceInterceptor : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override;
    // An empty translator is not announced to the widgets when installed.
    bool isEmpty() const override { return false; }

private:
    // A translation that asks Qt for a text again is answered by Qt alone.
    mutable bool fBusy = false;
};

struct TRegistry
{
    QList<TCustomResourcesTranslator *> Translators; // creation order, not owned
    // UTF-8 of a registered text -> how many translators hold it.
    QHash<QByteArray, int> Keys;
    TResourceInterceptor *Interceptor = nullptr; // owned; lives while a translator exists
    bool Installed = false;
};

TRegistry &Registry()
{
    static TRegistry R;
    return R;
}

// A translator may be created before the application object; the
// interception then joins the application at the next chance.
void EnsureInterception()
{
    TRegistry &R = Registry();
    if (!R.Interceptor)
        R.Interceptor = new TResourceInterceptor;
    if (!R.Installed && QCoreApplication::instance())
        R.Installed = QCoreApplication::installTranslator(R.Interceptor);
}

void DropInterception()
{
    TRegistry &R = Registry();
    // The QTranslator leaves the application's list as it is destroyed.
    delete R.Interceptor;
    R.Interceptor = nullptr;
    R.Installed = false;
}

void CountKey(const QString &Key, int Delta)
{
    QHash<QByteArray, int> &Keys = Registry().Keys;
    const QByteArray Utf8 = Key.toUtf8();
    const int N = Keys.value(Utf8) + Delta;
    if (N > 0)
        Keys.insert(Utf8, N);
    else
        Keys.remove(Utf8);
}

QString TResourceInterceptor::translate(const char *context, const char *sourceText, const char *disambiguation,
                                        int n) const
{
    Q_UNUSED(context);
    Q_UNUSED(disambiguation);
    Q_UNUSED(n);
    // The engine and the lists belong to the GUI thread; Qt also translates
    // on worker threads, which keep Qt's texts.
    if (!sourceText || fBusy || QThread::currentThread() != thread())
        return QString();
    const QByteArray Key = QByteArray::fromRawData(sourceText, qsizetype(qstrlen(sourceText)));
    if (!Registry().Keys.contains(Key))
        return QString();
    QString S = QString::fromUtf8(Key);
    // Qt holds its lock of the translator list while it asks, so what runs
    // from here (the engine's first initialisation, a language's handlers)
    // must not install or remove translators.
    fBusy = true;
    bool Found = false;
    try {
        Found = TCustomResourcesTranslator::TranslateResource(S);
    } catch (const std::exception &E) {
        // Qt cannot carry an exception through translate(): its text stays.
        qCWarning(lcGlottaEngine).noquote()
            << QStringLiteral("resource string \"%1\" not translated: %2").arg(S, QString::fromLocal8Bit(E.what()));
        Found = false;
    } catch (...) {
        qCWarning(lcGlottaEngine).noquote() << QStringLiteral("resource string \"%1\" not translated: an unknown error").arg(S);
        Found = false;
    }
    fBusy = false;
    return Found ? S : QString();
}

} // namespace

void TCustomResourcesTranslator::RaiseInterception()
{
    TRegistry &R = Registry();
    if (!R.Installed || !QCoreApplication::instance())
        return;
    QCoreApplication::removeTranslator(R.Interceptor);
    R.Installed = QCoreApplication::installTranslator(R.Interceptor);
}

TCustomResourcesTranslator::TCustomResourcesTranslator(QObject *Owner)
    : TLMList(Owner), fList(new TResourcesList), fUnitList(new TUnitList)
{
    Registry().Translators.append(this);
    EnsureInterception();
}

TCustomResourcesTranslator::~TCustomResourcesTranslator()
{
    UnindexKeys();
    TRegistry &R = Registry();
    R.Translators.removeOne(this);
    if (R.Translators.isEmpty())
        DropInterception();
}

int TCustomResourcesTranslator::RegisteredStrings() const
{
    return fList->Count();
}

void TCustomResourcesTranslator::RegisterResourceString(const QString &Resource, const QString &InDesignLanguage)
{
    if (Resource.isEmpty())
        return;
    QString Design = InDesignLanguage.isEmpty() ? Resource : InDesignLanguage;
    EncodeControlChars(Design);
    const bool Known = fList->IndexOf(Resource) >= 0;
    if (fList->RegisterCustom(Resource, Design, QString(), 0) >= 0 && !Known)
        CountKey(Resource, 1);
    EnsureInterception();
}

QString TCustomResourcesTranslator::GetItem(int ItemNr)
{
    if (!IsDefined(ItemNr))
        return QString();
    const QString Design = fList->GetDesignString(ItemNr);
    if (fGlottaEngine)
        return fGlottaEngine->TranslateString(Design, this, -1);
    QString S = Design;
    DecodeCharCodes(S);
    return S;
}

int TCustomResourcesTranslator::MaxItemIndex() const
{
    return fList->Count() - 1;
}

bool TCustomResourcesTranslator::IsDefined(int Index) const
{
    return Index >= 0 && Index < fList->Count();
}

bool TCustomResourcesTranslator::IsDefined(const QString &LocStr) const
{
    for (int i = 0; i < fList->Count(); ++i)
        if (fList->GetDesignString(i) == LocStr)
            return true;
    return false;
}

QString TCustomResourcesTranslator::GetLocStr(int Index) const
{
    return IsDefined(Index) ? fList->GetDesignString(Index) : QString();
}

bool TCustomResourcesTranslator::StoresLists(const QObject *Ancestor) const
{
    if (!Ancestor)
        return fList->Count() > 0;
    const auto *A = qobject_cast<const TCustomResourcesTranslator *>(Ancestor);
    if (!A)
        return true;
    if (!fList->Equal(*A->fList) || fUnitList->Count() != A->fUnitList->Count())
        return true;
    for (int i = 0; i < fUnitList->Count(); ++i)
        if (fUnitList->Strings(i) != A->fUnitList->Strings(i))
            return true;
    return false;
}

void TCustomResourcesTranslator::WriteUnits(TValueWriter &Writer) const
{
    Writer.WriteListBegin();
    for (int i = 0; i < fUnitList->Count(); ++i)
        Writer.WriteString(fUnitList->Strings(i));
    Writer.WriteListEnd();
}

void TCustomResourcesTranslator::ReadUnits(TValueReader &Reader)
{
    QStringList Lines;
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        Lines.append(Reader.ReadString());
    Reader.ReadListEnd();
    fUnitList->SetStrings(Lines);
}

void TCustomResourcesTranslator::WriteResources(TValueWriter &Writer) const
{
    fList->WriteList(Writer);
}

void TCustomResourcesTranslator::ReadResources(TValueReader &Reader)
{
    // A list broken off by an error keeps what was read before it, and the
    // index must know exactly that.
    struct TReindex
    {
        TCustomResourcesTranslator *T;
        ~TReindex() { T->IndexKeys(); }
    };
    UnindexKeys();
    TReindex Reindex{this};
    fList->ReadList(Reader);
}

QList<TCustomResourcesTranslator *> TCustomResourcesTranslator::Translators()
{
    return Registry().Translators;
}

bool TCustomResourcesTranslator::TranslateResource(QString &S)
{
    // A copy: a translation may create or destroy translators.
    const QList<TCustomResourcesTranslator *> All = Registry().Translators;
    for (const bool PreferredPass : {true, false})
        for (TCustomResourcesTranslator *T : All) {
            if (PreferredPass && !T->IsPreferred())
                continue;
            const int Index = T->fList->IndexOf(S);
            if (Index >= 0) {
                S = T->GetItem(Index);
                return true;
            }
        }
    return false;
}

bool TCustomResourcesTranslator::InterceptionInstalled()
{
    return Registry().Installed;
}

void TCustomResourcesTranslator::IndexKeys()
{
    for (int i = 0; i < fList->Count(); ++i)
        CountKey(fList->Strings(i), 1);
}

void TCustomResourcesTranslator::UnindexKeys()
{
    for (int i = 0; i < fList->Count(); ++i)
        CountKey(fList->Strings(i), -1);
}
