#include "glotta/widgets/glotta_engine.h"
#include "glotta/engine/engine_log.h"

#include "glotta/widgets/qt_language.h"

#include "glotta/engine/lang_core_data.h"
#include "glotta/widgets/lang_control.h"
#include "toolkit/widgets/application.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QPointer>

namespace {
TGlottaCore::TDataFactory &DataFactory()
{
    static TGlottaCore::TDataFactory Factory = nullptr;
    return Factory;
}

// Marks the action group through which an engine makes a menu's language
// items exclusive.
const char *const LanguageGroupMark = "GlottaLanguageGroup";

QActionGroup *LanguageGroup(QMenu *Menu)
{
    for (QActionGroup *G : Menu->findChildren<QActionGroup *>(QString(), Qt::FindDirectChildrenOnly))
        if (G->property(LanguageGroupMark).toBool())
            return G;
    auto *G = new QActionGroup(Menu);
    G->setProperty(LanguageGroupMark, true);
    G->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    return G;
}

// The program's activation handler of one engine. It runs the engine's
// initialisation once, gives the program back the handler that was in place
// before and calls it. Only the engine's identity is kept besides a guarded
// link, so a handler whose engine is gone still passes the activation on.
struct TActivationHook
{
    const TGlottaEngine *Engine;
    QPointer<TGlottaEngine> Alive;
    TNotifyEvent Saved;

    void operator()(QObject *Sender) const
    {
        // Copies: restoring the saved handler destroys this one.
        const TNotifyEvent Next = Saved;
        const QPointer<TGlottaEngine> Target = Alive;
        if (Target)
            Target->InitEngine(true);
        SetApplicationOnActivate(Next);
        if (Next)
            Next(Sender);
    }
};
} // namespace

void TGlottaEngine::SetDataFactory(TDataFactory Factory)
{
    DataFactory() = Factory;
}

TGlottaEngine::TGlottaEngine(QObject *Owner) : TGlottaCore(Owner, DataFactory())
{
    // A failure leaves the empty flag empty; languages without a flag then
    // show the white square.
    fEmptyFlag.LoadFromBytes(BuiltInFlag(ifEmptyFlag));
    // The core's construction scanned before this class could answer
    // GetLangsDir and draw flags; now both are known. (An engine the design
    // reader creates scans only when loading ends.)
    RescanLanguages();
    InstallActivationHandler();
}

TGlottaEngine::~TGlottaEngine()
{
    RemoveActivationHandler();
    if (fLanguageMenu) {
        RemoveFreeNotification(fLanguageMenu, this);
        // The items this engine made go; items that belong elsewhere only leave the menu.
        for (QAction *A : fLanguageMenu->actions()) {
            if (A->parent() == fLanguageMenu)
                delete A;
            else
                fLanguageMenu->removeAction(A);
        }
        fLanguageMenu = nullptr;
    }
}

// ---- the program's first activation ----

void TGlottaEngine::InstallActivationHandler()
{
    SetApplicationOnActivate(TActivationHook{this, this, ApplicationOnActivate()});
}

void TGlottaEngine::RemoveActivationHandler()
{
    // Only the handler in place is this engine's to undo. When a later engine
    // chained to it, this engine's hook stays in that chain and, finding the
    // engine gone, only passes the activation on.
    const TNotifyEvent Current = ApplicationOnActivate();
    if (const auto *Hook = Current.target<TActivationHook>(); Hook && Hook->Engine == this)
        SetApplicationOnActivate(Hook->Saved);
}

// ---- pictures ----

void TGlottaEngine::SetDesignLangFlag(const TPicture &Value)
{
    fDesignLangFlag = Value;
    NormalizeFlagPicture(fDesignLangFlag);
    RescanLanguages();
}

void TGlottaEngine::SetEmptyFlag(const TPicture &Value)
{
    fEmptyFlag = Value;
    NormalizeFlagPicture(fEmptyFlag);
    RescanLanguages();
}

void TGlottaEngine::GetInternalFlag(QBuffer &Stream, TInternalFlag Kind)
{
    QByteArray Bytes;
    switch (Kind) {
    case ifCreateEntry:
    case ifEditEntry:
        Bytes = BuiltInFlag(Kind);
        break;
    case ifDesignLanguage:
        Bytes = FlagBytes(fDesignLangFlag);
        break;
    case ifEmptyFlag:
        Bytes = FlagBytes(fEmptyFlag);
        break;
    }
    Stream.buffer() = Bytes;
    Stream.seek(0);
}

TFlagKind TGlottaEngine::LoadFlagPicture(TPicture &Picture, int Index)
{
    Picture = TPicture();
    TLangCoreData *D = LData();
    if (!D || !D->Flags.Present(Index))
        return fkNone;
    const QByteArray &Bytes = D->Flags.GetFlagStream(Index)->data();
    const TFlagKind Kind = LoadFlagBytes(Picture, Bytes);
    if (Kind == fkNone && !Bytes.isEmpty())
        qCWarning(lcGlottaEngine).noquote() << QStringLiteral("flag of %1 refused: its %2 bytes are no BMP or ICO picture")
                                                   .arg(D->GetFile(Index))
                                                   .arg(Bytes.size());
    return Kind;
}

void TGlottaEngine::RebuildFlagsList()
{
    // Every switch rebuilds the list; decoding each picture again would be
    // most of a switch's work. A picture is decoded once for its bytes (a
    // file's new version brings new bytes) and kept while a language shows it.
    QHash<QByteArray, QIcon> Shown;
    fFlagsList.clear();
    TLangCoreData *D = LData();
    const int Count = D->Flags.Count();
    for (int i = 0; i < Count; ++i) {
        const QByteArray Bytes = D->Flags.Present(i) ? D->Flags.GetFlagStream(i)->data() : QByteArray();
        auto It = fDecodedFlags.constFind(Bytes);
        if (It == fDecodedFlags.constEnd()) {
            TPicture Scratch;
            const TFlagKind Kind = LoadFlagBytes(Scratch, Bytes);
            ++fFlagDecodes;
            // Nothing loaded gives the white square, so image i stays with entry i.
            It = fDecodedFlags.insert(Bytes, QIcon(QPixmap::fromImage(FlagListImage(Scratch, Kind))));
        }
        Shown.insert(Bytes, *It);
        fFlagsList.append(*It);
    }
    fDecodedFlags = std::move(Shown);
}

// ---- the menu list, the language menu and the controls ----

bool TGlottaEngine::RebuildLangMenu()
{
    if (!TGlottaCore::RebuildLangMenu())
        return false;
    RebuildFlagsList();
    if (fLanguageMenu)
        FillLanguageMenu(fLanguageMenu);
    RefreshLangControls();
    return true;
}

void TGlottaEngine::SetLangMenuFlags(bool Value)
{
    if (Value == fLangMenuFlags)
        return;
    fLangMenuFlags = Value;
    if (fLanguageMenu)
        FillLanguageMenu(fLanguageMenu);
}

void TGlottaEngine::SetLanguageMenu(QMenu *Value)
{
    if (Value == fLanguageMenu)
        return;
    if (fLanguageMenu) {
        // The old menu no longer shows this engine's flags.
        for (QAction *A : fLanguageMenu->actions())
            A->setIcon(QIcon());
    }
    SetComponentLink(this, fLanguageMenu, Value);
    // While loading the list is not scanned yet; the rescan at its end fills the menu.
    if (fLanguageMenu && !IsLoading())
        FillLanguageMenu(fLanguageMenu);
}

void TGlottaEngine::FillLanguageMenu(QMenu *MenuItem)
{
    if (!MenuItem)
        return;
    const QStringList Entries = LanguageMenuEntries();
    QActionGroup *Group = LanguageGroup(MenuItem);
    QList<QAction *> Items = MenuItem->actions();
    for (int i = 0; i < Entries.size(); ++i) {
        QAction *Item = i < Items.size() ? Items[i] : nullptr;
        if (!Item) {
            Item = new QAction(MenuItem);
            MenuItem->addAction(Item);
        }
        Item->setSeparator(false);
        Item->setText(Entries[i]);
        // The entry itself, not the caption, says which language the item
        // chooses: a client or the editor may give the caption another text.
        Item->setData(Entries[i]);
        Item->setCheckable(true);
        Item->setActionGroup(Group);
        Item->setChecked(Entries[i] == fCurrentLanguage);
        Item->setIcon(fLangMenuFlags && i < fFlagsList.size() ? fFlagsList[i] : QIcon());
        disconnect(Item, &QAction::triggered, this, nullptr);
        connect(Item, &QAction::triggered, this, [this, Item] { MenuClick(Item); });
    }
    for (int i = int(Entries.size()); i < Items.size(); ++i) {
        if (Items[i]->parent() == MenuItem)
            delete Items[i];
        else
            MenuItem->removeAction(Items[i]);
    }
}

void TGlottaEngine::MenuClick(QAction *Item)
{
    const QString Name = Item->data().toString();
    if (Name != fCurrentLanguage)
        RunGuarded([&] { Translate(Name); });
}

void TGlottaEngine::UpdateLangControl(QObject *Control, int LanguageIndex)
{
    if (auto *C = dynamic_cast<TLangControl *>(Control))
        C->UpdateLanguages(*this, LanguageIndex);
}

void TGlottaEngine::DisconnectClient(QObject *Client)
{
    TGlottaCore::DisconnectClient(Client);
    if (auto *C = dynamic_cast<TLangControl *>(Client))
        C->ClearLanguages();
}

void TGlottaEngine::LanguageChosen(const QString &Language)
{
    TGlottaCore::LanguageChosen(Language);
    if (fQtFollowsLanguage)
        FollowLanguageInQt(CurrentLanguageISO());
    ++fLanguageChanges;
}

void TGlottaEngine::Notification(QObject *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == fLanguageMenu)
        fLanguageMenu = nullptr;
}

QString TGlottaEngine::GetLangsDir() const
{
    const QString Sub = fLangSubdir;
    QString Dir;
    if (QDir::isAbsolutePath(Sub) || Sub.startsWith(QLatin1String("\\\\")))
        Dir = Sub;
    else {
        QString Rel = Sub;
        if (Rel.startsWith(QLatin1Char('/')) || Rel.startsWith(QLatin1Char('\\')))
            Rel.remove(0, 1);
        Dir = QCoreApplication::applicationDirPath() + QLatin1Char('/') + Rel;
    }
    Dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!Dir.endsWith(QLatin1Char('/')))
        Dir += QLatin1Char('/');
    return QDir::cleanPath(Dir) + QLatin1Char('/');
}
