#include "tools/glotta/tool_template.h"

#include "glotta/engine/exchange/catalog_template.h"
#include "glotta/store/component_structure.h"
#include "glotta/widgets/glotta_classes.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "toolkit/widgets/class_registry.h"
#include "toolkit/widgets/design.h"
#include "tools/glotta/tool_files.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>
#include <QXmlStreamReader>
#include <memory>

#ifdef GLOTTA_HAVE_UITOOLS
#include <QUiLoader>
#endif

namespace {
// What a .ui says of its texts beyond their values: the texts marked
// notr="true" and the comments (disambiguation, then the extra comment) of
// the others, by the object they belong to.
struct TUiNotes
{
    QHash<QString, QSet<QString>> NoTr;             // object -> texts
    QHash<QString, QHash<QString, QString>> Comment; // object -> text -> comment
};

TUiNotes ReadUiNotes(const QByteArray &Bytes)
{
    TUiNotes Notes;
    QXmlStreamReader X(Bytes);
    QStringList Objects; // the enclosing <widget>/<action> names, innermost last
    QList<int> Depths;
    int Depth = 0;
    while (!X.atEnd()) {
        const auto Token = X.readNext();
        if (Token == QXmlStreamReader::StartElement) {
            ++Depth;
            const auto Name = X.name();
            if (Name == QLatin1String("widget") || Name == QLatin1String("action")) {
                Objects << X.attributes().value(QLatin1String("name")).toString();
                Depths << Depth;
            } else if (Name == QLatin1String("string") && !Objects.isEmpty()) {
                const auto A = X.attributes();
                const bool NoTr = A.value(QLatin1String("notr")) == QLatin1String("true");
                QStringList Comments;
                for (const char *Key : {"comment", "extracomment"})
                    if (!A.value(QLatin1String(Key)).isEmpty())
                        Comments << A.value(QLatin1String(Key)).toString();
                const QString Text = X.readElementText(QXmlStreamReader::IncludeChildElements);
                --Depth; // readElementText consumed the end element
                if (NoTr)
                    Notes.NoTr[Objects.last()].insert(Text);
                else if (!Comments.isEmpty())
                    Notes.Comment[Objects.last()].insert(Text, Comments.join(QStringLiteral(" - ")));
            }
        } else if (Token == QXmlStreamReader::EndElement) {
            if (!Depths.isEmpty() && Depths.last() == Depth) {
                Depths.removeLast();
                Objects.removeLast();
            }
            --Depth;
        }
    }
    return Notes;
}

// Accelerator letters must differ among the entries of one menu (a menu
// bar's menus among themselves) and among a window's other controls.
QString ScopeOf(QObject *Form, const TCatalogEntry &E)
{
    const QString Window = QStringLiteral("window:") + (E.Line.OwnerName.isEmpty() ? E.Line.CompName : E.Line.OwnerName);
    QObject *O = Form->objectName() == E.Line.CompName ? Form : Form->findChild<QObject *>(E.Line.CompName);
    QAction *Action = qobject_cast<QAction *>(O);
    if (auto *Menu = qobject_cast<QMenu *>(O))
        Action = Menu->menuAction();
    if (Action)
        for (QObject *Holder : Action->associatedObjects())
            if (qobject_cast<QMenu *>(Holder) || qobject_cast<QMenuBar *>(Holder))
                return QStringLiteral("menu:") + Holder->objectName();
    return Window;
}

// Attaches an engine and a client to Form the way a program does, when the
// form brought none, and collects.
TCatalogTemplate CollectForm(QWidget *Form, const TExtractOptions &Options)
{
    TGlottaCore *Engine = Form->findChild<TGlottaCore *>();
    if (!Engine) {
        auto *Own = new TGlottaEngine(Form);
        Own->setObjectName(QStringLiteral("GlottaEngine1"));
        // No language directory: the engine only collects here.
        Own->SetLangSubdirectory(QStringLiteral(".glotta-extract-no-languages"));
        Engine = Own;
    }
    if (!Options.DesignName.isEmpty())
        Engine->SetDesignLanguageName(Options.DesignName);
    if (!Options.DesignCode.isEmpty())
        Engine->SetDesignLangISOCode(Options.DesignCode);
    QList<TGlottaCPC *> Clients = Form->findChildren<TGlottaCPC *>();
    if (Clients.isEmpty()) {
        auto *Client = new TGlottaClient(Form);
        Client->setObjectName(QStringLiteral("GlottaClient1"));
        Client->SetGlottaEngine(Engine);
        Clients << Client;
    }
    for (TGlottaCPC *Client : Clients)
        Client->Translate();
    return TemplateOfEngine(*Engine, false);
}

// A stored design read with the toolkit's reader, less what only the
// program that stored it has: its form class (read as the toolkit's form),
// its event handlers and its own published properties.
bool PrepareDesign(QJsonObject &Node, bool IsRoot, QString &Error)
{
    const QString Class = Node.value(QStringLiteral("class")).toString();
    const TClassInfo *Info = TClassRegistry::Find(Class);
    if (!Info || !Info->Create) {
        if (!IsRoot) {
            Error = QStringLiteral("component '%1': class '%2' is not one the library knows")
                        .arg(Node.value(QStringLiteral("name")).toString(), Class);
            return false;
        }
        Info = TClassRegistry::Find(QStringLiteral("TForm"));
        Node.insert(QStringLiteral("class"), QStringLiteral("TForm"));
    }
    QSet<QString> Known;
    for (const TPropertyInfo *P : TClassRegistry::PropertiesOf(*Info))
        Known.insert(P->Name);
    QJsonObject Props = Node.value(QStringLiteral("properties")).toObject();
    for (const QString &Key : Props.keys())
        if (!Known.contains(Key))
            Props.remove(Key);
    if (Node.contains(QStringLiteral("properties")))
        Node.insert(QStringLiteral("properties"), Props);
    if (Node.contains(QStringLiteral("components"))) {
        QJsonArray Kids = Node.value(QStringLiteral("components")).toArray();
        for (qsizetype i = 0; i < Kids.size(); ++i) {
            QJsonObject Kid = Kids.at(i).toObject();
            if (!PrepareDesign(Kid, false, Error))
                return false;
            Kids.replace(i, Kid);
        }
        Node.insert(QStringLiteral("components"), Kids);
    }
    return true;
}

void AddEntries(QWidget *Form, const QString &File, const TCatalogTemplate &Collected, const TUiNotes &Notes,
                TToolTemplate &T)
{
    if (T.Template.Design.Name.isEmpty())
        T.Template.Design = Collected.Design;
    for (TCatalogEntry E : Collected.Entries) {
        if (E.Kind == TCatalogKind::Component) {
            const QString Shown = Decoded(E.Source);
            if (Notes.NoTr.value(E.Line.CompName).contains(Shown))
                continue;
            E.Comment = Notes.Comment.value(E.Line.CompName).value(Shown);
        }
        const QString Id = CatalogEntryId(E);
        if (T.Origin.contains(Id))
            continue; // one form read twice, or two forms of one name: the first wins
        T.Origin.insert(Id, File);
        if (E.Kind == TCatalogKind::Component && E.Line.PropertyID == 0)
            T.AcceleratorScope.insert(Id, ScopeOf(Form, E));
        T.Template.Entries.push_back(std::move(E));
    }
}

bool AddUiForm(const QString &File, const TExtractOptions &Options, TToolTemplate &T, TToolConsole &Console)
{
#ifdef GLOTTA_HAVE_UITOOLS
    QFile F(File);
    if (!F.open(QIODevice::ReadOnly)) {
        Console.Message(File, 0, QStringLiteral("cannot be read: %1").arg(F.errorString()));
        return false;
    }
    const QByteArray Bytes = F.readAll();
    QXmlStreamReader Check(Bytes);
    while (!Check.atEnd())
        Check.readNext();
    if (Check.hasError()) {
        Console.Message(File, int(Check.lineNumber()), QStringLiteral("not a Qt Designer form: %1").arg(Check.errorString()));
        return false;
    }
    QUiLoader Loader;
    Loader.setTranslationEnabled(false); // the designed texts, not a translation of them
    QBuffer Buffer;
    Buffer.setData(Bytes);
    Buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> Form(Loader.load(&Buffer));
    if (!Form) {
        Console.Message(File, 0, QStringLiteral("not a Qt Designer form: %1").arg(Loader.errorString()));
        return false;
    }
    AddEntries(Form.get(), File, CollectForm(Form.get(), Options), ReadUiNotes(Bytes), T);
    return true;
#else
    Q_UNUSED(Options);
    Q_UNUSED(T);
    Console.Message(File, 0, QStringLiteral("this glotta was built without Qt's form loader (Qt6 UiTools)"));
    return false;
#endif
}

bool AddStoredDesign(const QString &File, const TExtractOptions &Options, TToolTemplate &T, TToolConsole &Console)
{
    RegisterGlottaClasses();
    QFile F(File);
    if (!F.open(QIODevice::ReadOnly)) {
        Console.Message(File, 0, QStringLiteral("cannot be read: %1").arg(F.errorString()));
        return false;
    }
    QJsonParseError Err;
    QJsonDocument Doc = QJsonDocument::fromJson(F.readAll(), &Err);
    if (Err.error != QJsonParseError::NoError || !Doc.isObject()) {
        const QByteArray Bytes = (F.seek(0), F.readAll());
        const int Line = int(Bytes.left(Err.offset).count('\n')) + 1;
        Console.Message(File, Line, QStringLiteral("not a stored design: %1").arg(Err.errorString()));
        return false;
    }
    QJsonObject Root = Doc.object();
    QString Error;
    if (!PrepareDesign(Root, true, Error)) {
        Console.Message(File, 0, Error);
        return false;
    }
    const TClassInfo *Info = TClassRegistry::Find(Root.value(QStringLiteral("class")).toString());
    std::unique_ptr<QObject> Made(Info->Create(nullptr));
    auto *Form = qobject_cast<QWidget *>(Made.get());
    if (!Form) {
        Console.Message(File, 0, QStringLiteral("the design's root is no window"));
        return false;
    }
    try {
        ReadDesignFromBytes(Form, QJsonDocument(Root).toJson(), File);
    } catch (const EDesignError &E) {
        Console.Message(File, 0, E.Message());
        return false;
    }
    AddEntries(Form, File, CollectForm(Form, Options), TUiNotes(), T);
    return true;
}

bool AddTemplateFile(const QString &File, TToolTemplate &T, TToolConsole &Console)
{
    TToolLanguage L;
    QString Error;
    int Line = 0;
    if (!ReadToolLanguage(File, L, Error, Line)) {
        Console.Message(File, Line, Error);
        return false;
    }
    if (T.Template.Design.Name.isEmpty())
        T.Template.Design = {L.Stores.Header.Name, L.Stores.Header.Code};
    TTranslationCatalog C;
    CatalogFromStores(L.Stores, nullptr, {}, C);
    for (TCatalogEntry &E : C.Entries) {
        if (E.Kind == TCatalogKind::SmartPair && E.Lexicon.isEmpty())
            continue; // the global lexicon holds translations, not designed texts
        E.Source = E.Translation;
        E.Translation.clear();
        E.Status = TCatalogStatus::Untranslated;
        const QString Id = CatalogEntryId(E);
        if (E.Source.isEmpty() || T.Origin.contains(Id))
            continue;
        T.Origin.insert(Id, File);
        T.Template.Entries.push_back(std::move(E));
    }
    return true;
}
} // namespace

bool IsFormFile(const QString &File)
{
    const QString Suffix = QFileInfo(File).suffix().toLower();
    return Suffix == QLatin1String("ui") || Suffix == QLatin1String("json");
}

bool AddToTemplate(const QString &File, const TExtractOptions &Options, TToolTemplate &T, TToolConsole &Console)
{
    if (!QFileInfo(File).isFile()) {
        Console.Message(File, 0, QStringLiteral("no such file"));
        return false;
    }
    const QString Suffix = QFileInfo(File).suffix().toLower();
    if (Suffix == QLatin1String("ui"))
        return AddUiForm(File, Options, T, Console);
    if (Suffix == QLatin1String("json"))
        return AddStoredDesign(File, Options, T, Console);
    return AddTemplateFile(File, T, Console);
}
