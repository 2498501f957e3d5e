// The library's lookups next to Qt's QTranslator (a .qm made by lrelease) and
// GNU gettext (a .mo made by msgfmt, read by the C library's dgettext), all
// over the same texts, in one process: a language of 20,000 component lines,
// 10 numbered lexicons of 2,000 items and a smart lexicon of 10,000 pairs.
// Then the cost of a numbered lookup as the number of lexicons grows (the
// store read alone, and the whole GetItem of lexicon components), the
// discovery of a folder with 3 such files (first scan and rescan), the full
// load of one, and the resident memory a load adds next to the file's size.
//
// Times are thread CPU time per lookup, best of the rounds; each round walks
// the same keys in a scattered order. A plain timed executable, not a test.
//
//   bench_compare [rounds] [messages...]   (load by size; default 10000 100000 1000000)

#include "bench/bench_core_engine.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/engine/language_list.h"
#include "glotta/engine/lexicon.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/lexicon_data.h"
#include "glotta/store/smart_lexicon_data.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <libintl.h>
#include <locale.h>
#include <malloc.h>
#include <vector>

namespace {
constexpr int ComponentLines = 20000;
constexpr int Owners = 25;
constexpr int Lexicons = 10;
constexpr int LexiconItems = 2000;
constexpr int SmartPairs = 10000;
constexpr int Keys = 4000; // lookups per round
const QString SmartName = QStringLiteral("Form0.Lexicon1");

QString CompName(int i) { return QStringLiteral("Comp%1").arg(i); }
QString OwnerOf(int i) { return QStringLiteral("Form%1").arg(i % Owners); }
QString Caption(int i) { return QStringLiteral("Caption of component %1").arg(i); }
QString LexiconPath(int x) { return QStringLiteral("Form%1.Lexicon1").arg(x); }
QString Message(int x, int n) { return QStringLiteral("Message %1 of lexicon %2, somewhat longer as messages are").arg(n).arg(x); }
QString SmartText(int n) { return QStringLiteral("Designed text number %1").arg(n); }
QString Translated(const QString &S) { return QStringLiteral("xx ") + S; }

QStringList Generate(const QString &Name)
{
    QStringList L;
    L << "[LANGUAGE_FILE]" << "0\t%LANGUAGE_NAME=\"" + Name + "\"\t%CODE=xy;\t%FILEVER=THLF1;";
    for (int i = 0; i < ComponentLines; ++i)
        L << QStringLiteral("0\t\"%1\"\t%COMPONENT=%2;\t%OWNER=%3;").arg(Translated(Caption(i)), CompName(i), OwnerOf(i));
    L << "0\t%LEXICON_STRINGS";
    for (int x = 0; x < Lexicons; ++x) {
        L << "0\t%LEXICON_NAME=" + LexiconPath(x) + ";";
        for (int n = 0; n < LexiconItems; ++n)
            L << QStringLiteral("%1\t\"%2\"").arg(n).arg(Translated(Message(x, n)));
    }
    L << "0\t%SMART_STRINGS" << "0\t%LEXICON_NAME=" + SmartName + ";";
    for (int n = 0; n < SmartPairs; ++n)
        L << QStringLiteral("%1\t\"%2\"").arg(n).arg(SmartText(n)) << QStringLiteral("%1\t\"%2\"").arg(n).arg(Translated(SmartText(n)));
    return L;
}

// The same texts as (context, source, translation) triples for Qt and gettext.
struct TMessage
{
    QString Context, Source, Translation;
};

std::vector<TMessage> Messages()
{
    std::vector<TMessage> M;
    for (int i = 0; i < ComponentLines; ++i)
        M.push_back({OwnerOf(i), Caption(i), Translated(Caption(i))});
    for (int x = 0; x < Lexicons; ++x)
        for (int n = 0; n < LexiconItems; ++n)
            M.push_back({LexiconPath(x), Message(x, n), Translated(Message(x, n))});
    for (int n = 0; n < SmartPairs; ++n)
        M.push_back({SmartName + QStringLiteral(".smart"), SmartText(n), Translated(SmartText(n))});
    return M;
}

QString XmlEscaped(const QString &S) { return S.toHtmlEscaped(); }
QString PoEscaped(QString S) { return S.replace('\\', "\\\\").replace('"', "\\\""); }

bool WriteFile(const QString &Path, const QByteArray &Bytes)
{
    QFile F(Path);
    return F.open(QIODevice::WriteOnly) && F.write(Bytes) == Bytes.size();
}

bool MakeQm(const QString &Dir, const std::vector<TMessage> &M, QTranslator &T)
{
    QString Ts = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"xy\">\n";
    QString Context;
    for (const TMessage &E : M) {
        if (E.Context != Context) {
            if (!Context.isEmpty())
                Ts += "</context>\n";
            Context = E.Context;
            Ts += "<context><name>" + XmlEscaped(Context) + "</name>\n";
        }
        Ts += "<message><source>" + XmlEscaped(E.Source) + "</source><translation>" + XmlEscaped(E.Translation)
              + "</translation></message>\n";
    }
    Ts += "</context>\n</TS>\n";
    if (!WriteFile(Dir + "/bench.ts", Ts.toUtf8()))
        return false;
    if (QProcess::execute(QStringLiteral(GLOTTA_LRELEASE), {"-silent", Dir + "/bench.ts", "-qm", Dir + "/bench.qm"}) != 0)
        return false;
    return T.load(Dir + "/bench.qm");
}

bool MakeMo(const QString &Dir, const std::vector<TMessage> &M)
{
    QString Po = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    for (const TMessage &E : M)
        Po += "msgctxt \"" + PoEscaped(E.Context) + "\"\nmsgid \"" + PoEscaped(E.Source) + "\"\nmsgstr \""
              + PoEscaped(E.Translation) + "\"\n\n";
    const QString MoDir = Dir + "/xy/LC_MESSAGES";
    if (!QDir().mkpath(MoDir) || !WriteFile(Dir + "/bench.po", Po.toUtf8()))
        return false;
    if (QProcess::execute(QStringLiteral(GLOTTA_MSGFMT), {"-o", MoDir + "/bench.mo", Dir + "/bench.po"}) != 0)
        return false;
    // The C library reads catalogs only outside the "C" locale; LANGUAGE picks xy.
    setlocale(LC_ALL, "C.UTF-8");
    qputenv("LANGUAGE", "xy");
    bindtextdomain("bench", QFile::encodeName(Dir).constData());
    bind_textdomain_codeset("bench", "UTF-8");
    return true;
}

double ThreadNs()
{
    timespec T;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &T);
    return T.tv_sec * 1e9 + T.tv_nsec;
}

int Rounds = 5;
qsizetype Sink = 0;

// Best time per call of Lookup(k) over keys 0..Keys-1.
double PerLookup(const std::function<qsizetype(int)> &Lookup)
{
    double Best = 1e300;
    for (int r = 0; r < Rounds; ++r) {
        const double T0 = ThreadNs();
        for (int k = 0; k < Keys; ++k)
            Sink += Lookup(k);
        Best = std::min(Best, (ThreadNs() - T0) / Keys);
    }
    return Best;
}

// Scattered but repeatable: key k names entry (k * 7919) mod Count.
int Scatter(int k, int Count) { return int((qint64(k) * 7919) % Count); }

long ProcStatusKb(const char *Field)
{
    QFile F("/proc/self/status");
    if (!F.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &Line : F.readAll().split('\n'))
        if (Line.startsWith(Field))
            return Line.mid(qstrlen(Field)).trimmed().split(' ').value(0).toLong();
    return -1;
}


TLanguageSources SourcesOf(const QString &Dir)
{
    TLanguageSources S;
    S.DesignName = QStringLiteral("English");
    S.DesignCode = QStringLiteral("en");
    S.Dir = Dir + QLatin1Char('/');
    S.Extension = QStringLiteral(".lng");
    S.SignatureLine = QStringLiteral("[LANGUAGE_FILE]");
    S.InternalFlag = [](QBuffer &, TInternalFlag) {};
    return S;
}

void Row(const char *Name, double Glotta, double Qt, double Gettext)
{
    std::printf("%-44s %10.0f %10.0f %10.0f %8.2f\n", Name, Glotta, Qt, Gettext, Glotta / Qt);
}

// ---- the load of one language by size, as each library keeps it ----------

// N messages: half component lines, a quarter numbered items (lexicons of
// 2,000), a quarter smart pairs (smart lexicons of 25,000).
struct TSized
{
    int Lines = 0, Items = 0, Pairs = 0;
    explicit TSized(int N) : Lines(N / 2), Items(N / 4), Pairs(N - N / 2 - N / 4) {}
    static QString LexName(int x) { return QStringLiteral("Big%1.Lexicon1").arg(x); }
    static QString SmartName(int x) { return QStringLiteral("Big%1.Smart1").arg(x); }
};

QByteArray SizedLanguageFile(const TSized &Z)
{
    QStringList L;
    L << "[LANGUAGE_FILE]" << "0\t%LANGUAGE_NAME=\"Main\"\t%CODE=xy;\t%FILEVER=THLF1;";
    for (int i = 0; i < Z.Lines; ++i)
        L << QStringLiteral("0\t\"%1\"\t%COMPONENT=%2;\t%OWNER=%3;").arg(Translated(Caption(i)), CompName(i), OwnerOf(i));
    L << "0\t%LEXICON_STRINGS";
    for (int i = 0; i < Z.Items; ++i) {
        if (i % LexiconItems == 0)
            L << "0\t%LEXICON_NAME=" + TSized::LexName(i / LexiconItems) + ";";
        L << QStringLiteral("%1\t\"%2\"").arg(i % LexiconItems).arg(Translated(Message(i / LexiconItems, i % LexiconItems)));
    }
    L << "0\t%SMART_STRINGS";
    for (int i = 0; i < Z.Pairs; ++i) {
        if (i % 25000 == 0)
            L << "0\t%LEXICON_NAME=" + TSized::SmartName(i / 25000) + ";";
        L << QStringLiteral("%1\t\"%2\"").arg(i).arg(SmartText(i)) << QStringLiteral("%1\t\"%2\"").arg(i).arg(Translated(SmartText(i)));
    }
    return EncodeLanguageFile(L, TLFEncoding::Unicode);
}

std::vector<TMessage> SizedMessages(const TSized &Z)
{
    std::vector<TMessage> M;
    M.reserve(size_t(Z.Lines + Z.Items + Z.Pairs));
    for (int i = 0; i < Z.Lines; ++i)
        M.push_back({OwnerOf(i), Caption(i), Translated(Caption(i))});
    for (int i = 0; i < Z.Items; ++i)
        M.push_back({TSized::LexName(i / LexiconItems), Message(i / LexiconItems, i % LexiconItems),
                     Translated(Message(i / LexiconItems, i % LexiconItems))});
    for (int i = 0; i < Z.Pairs; ++i)
        M.push_back({TSized::SmartName(i / 25000), SmartText(i), Translated(SmartText(i))});
    return M;
}

long RssKb()
{
    malloc_trim(0);
    return ProcStatusKb("VmRSS:");
}

qint64 FileBytes(const QString &Path) { return QFileInfo(Path).size(); }

void LoadBySize(const QString &Root, int N)
{
    const QString Dir = Root + QStringLiteral("/size%1").arg(N);
    QDir().mkpath(Dir + "/lang");
    const TSized Z(N);
    if (!WriteFile(Dir + "/lang/main.lng", SizedLanguageFile(Z))) {
        std::printf("%9d messages: the language file could not be written\n", N);
        return;
    }
    const std::vector<TMessage> M = SizedMessages(Z);
    // The keys in the form each library takes them, made before measuring.
    std::vector<QByteArray> Ctx, Src, Gt;
    Ctx.reserve(M.size());
    Src.reserve(M.size());
    Gt.reserve(M.size());
    for (const TMessage &E : M) {
        Ctx.push_back(E.Context.toUtf8());
        Src.push_back(E.Source.toUtf8());
        Gt.push_back(Ctx.back() + '\004' + Src.back());
    }
    std::vector<QString> Lex, Smart, Texts;
    for (int x = 0; x * LexiconItems < Z.Items; ++x)
        Lex.push_back(TSized::LexName(x));
    for (int x = 0; x * 25000 < Z.Pairs; ++x)
        Smart.push_back(TSized::SmartName(x));
    for (int i = 0; i < Z.Pairs; ++i)
        Texts.push_back(SmartText(i));

    struct TFig
    {
        double LoadMs = 0;
        long Loaded = 0, Touched = 0; // kB added to the resident set
    };
    TFig G, Q, T;
    qsizetype Sum = 0;
    {
        TBenchEngine Engine(Dir + "/lang/");
        Engine.InitEngine(false);
        Engine.RescanLanguages();
        const long R0 = RssKb();
        const double T0 = ThreadNs();
        if (!Engine.LoadLanguage(QStringLiteral("Main"), TLoadFlags())) {
            std::printf("%9d messages: the language did not load\n", N);
            return;
        }
        G.LoadMs = (ThreadNs() - T0) / 1e6;
        G.Loaded = RssKb() - R0;
        const TComponentStructure &S = *Engine.LData()->DataStruct;
        const TLexiconData &D = *Engine.LData()->DataLexicon;
        const TSmartLexiconData &SM = *Engine.LData()->SmartLexicon;
        for (int i = 0; i < S.Count(); ++i)
            Sum += S.GetTranslation(i).size();
        for (int i = 0; i < Z.Items; ++i)
            Sum += D.ReadItem(Lex[size_t(i / LexiconItems)], i % LexiconItems).size();
        for (int i = 0; i < Z.Pairs; ++i)
            Sum += SM.ReadItem(Smart[size_t(i / 25000)], Texts[size_t(i)]).size();
        G.Touched = RssKb() - R0;
    }
    const QString Domain = QStringLiteral("size%1").arg(N);
    {
        // The tools' inputs as bench.ts / bench.po, renamed per size.
        QTranslator Made;
        if (!MakeQm(Dir, M, Made) || !MakeMo(Dir, M)) {
            std::printf("%9d messages: lrelease or msgfmt failed\n", N);
            return;
        }
        QFile::rename(Dir + "/xy/LC_MESSAGES/bench.mo", Dir + "/xy/LC_MESSAGES/" + Domain + ".mo");
        QFile::remove(Dir + "/bench.ts");
        QFile::remove(Dir + "/bench.po");
    }
    bindtextdomain(Domain.toUtf8().constData(), QFile::encodeName(Dir).constData());
    bind_textdomain_codeset(Domain.toUtf8().constData(), "UTF-8");
    {
        QTranslator Tr;
        const long R0 = RssKb();
        const double T0 = ThreadNs();
        if (!Tr.load(Dir + "/bench.qm")) {
            std::printf("%9d messages: Qt did not load the .qm\n", N);
            return;
        }
        Q.LoadMs = (ThreadNs() - T0) / 1e6;
        Q.Loaded = RssKb() - R0;
        for (size_t i = 0; i < M.size(); ++i)
            Sum += Tr.translate(Ctx[i].constData(), Src[i].constData()).size();
        Q.Touched = RssKb() - R0;
    }
    {
        const QByteArray D = Domain.toUtf8();
        const long R0 = RssKb();
        const double T0 = ThreadNs();
        Sum += qsizetype(strlen(dgettext(D.constData(), Gt[0].constData()))); // the first call opens the catalog
        T.LoadMs = (ThreadNs() - T0) / 1e6;
        T.Loaded = RssKb() - R0;
        for (size_t i = 0; i < M.size(); ++i)
            Sum += qsizetype(strlen(dgettext(D.constData(), Gt[i].constData())));
        T.Touched = RssKb() - R0;
    }
    Sink += Sum;
    const auto Print = [N](const char *Name, qint64 Bytes, const TFig &F, const TFig &Qt) {
        const double Kb = Bytes / 1024.0;
        std::printf("%9d %-14s %9.1f %10.3f %9.0f %6.2fx %9.0f %6.2fx %8.1f\n", N, Name, Bytes / 1048576.0, F.LoadMs,
                    F.Loaded / 1024.0, F.Loaded / Kb, F.Touched / 1024.0, F.Touched / Kb, F.LoadMs / Qt.LoadMs);
    };
    Print("Glotta text", FileBytes(Dir + "/lang/main.lng"), G, Q);
    Print("Qt .qm", FileBytes(Dir + "/bench.qm"), Q, Q);
    Print("gettext .mo", FileBytes(Dir + "/xy/LC_MESSAGES/" + Domain + ".mo"), T, Q);
    std::fflush(stdout);
    QDir(Dir).removeRecursively();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    Rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir Tmp;
    const QString LoadDir = Tmp.path() + "/load", ScanDir = Tmp.path() + "/scan", ToolDir = Tmp.path() + "/tools";
    for (const QString &D : {LoadDir, ScanDir, ToolDir})
        QDir().mkpath(D);
    qint64 FileSize = 0;
    {
        const QByteArray Bytes = EncodeLanguageFile(Generate("Main"), TLFEncoding::Unicode);
        FileSize = Bytes.size();
        if (!WriteFile(LoadDir + "/main.lng", Bytes))
            return 1;
        for (int i = 0; i < 3; ++i)
            if (!WriteFile(ScanDir + QStringLiteral("/lang%1.lng").arg(i),
                           EncodeLanguageFile(Generate(QStringLiteral("Scan%1").arg(i)), TLFEncoding::Unicode)))
                return 1;
    }

    // Memory first, while the heap holds little else: the resident set just
    // before the load and its peak during it.
    TBenchEngine Engine(LoadDir + QLatin1Char('/'));
    Engine.InitEngine(false); // no automatic language choice during the lookups
    Engine.RescanLanguages();
    malloc_trim(0);
    QFile ClearRefs("/proc/self/clear_refs");
    const bool PeakReset = ClearRefs.open(QIODevice::WriteOnly) && ClearRefs.write("5") == 1;
    ClearRefs.close();
    const long RssBefore = ProcStatusKb("VmRSS:");
    if (!Engine.LoadLanguage(QStringLiteral("Main"), TLoadFlags()))
        return 2;
    const long RssPeak = ProcStatusKb("VmHWM:");
    const long RssAfter = ProcStatusKb("VmRSS:"); // the store alone stays

    // Full load time, first scan of one file, scan and rescan of three.
    double Load = 1e300, FirstScan = 1e300, ScanThree = 1e300, Rescan = 1e300;
    for (int r = 0; r < Rounds; ++r) {
        Engine.RescanLanguages(); // forgets the parsed language
        double T0 = ThreadNs();
        Engine.LoadLanguage(QStringLiteral("Main"), TLoadFlags());
        Load = std::min(Load, (ThreadNs() - T0) / 1e6);
        TLanguageList One;
        T0 = ThreadNs();
        One.Rescan(SourcesOf(LoadDir));
        FirstScan = std::min(FirstScan, (ThreadNs() - T0) / 1e6);
        TLanguageList Three;
        T0 = ThreadNs();
        Three.Rescan(SourcesOf(ScanDir));
        ScanThree = std::min(ScanThree, (ThreadNs() - T0) / 1e6);
        T0 = ThreadNs();
        Three.Rescan(SourcesOf(ScanDir));
        Rescan = std::min(Rescan, (ThreadNs() - T0) / 1e6);
        Sink += One.Languages.Count() + Three.Languages.Count();
    }

    const std::vector<TMessage> M = Messages();
    QTranslator Qm;
    if (!MakeQm(ToolDir, M, Qm) || !MakeMo(ToolDir, M)) {
        std::fprintf(stderr, "bench_compare: lrelease or msgfmt failed\n");
        return 3;
    }
    QCoreApplication::installTranslator(&Qm);
    if (QString::fromUtf8(dgettext("bench", (OwnerOf(0) + '\004' + Caption(0)).toUtf8().constData())) != Translated(Caption(0)))
        std::fprintf(stderr, "bench_compare: gettext finds no translations here; its column is meaningless\n");

    // Keys prepared before timing, in the form each library takes them.
    struct TKey
    {
        QString ID, Comp, Owner, Text;
        QByteArray Context, Source, Gettext;
        int Lex = 0, Item = 0;
    };
    auto MakeKey = [](const QString &Context, const QString &Source) {
        TKey K;
        K.Context = Context.toUtf8();
        K.Source = Source.toUtf8();
        K.Gettext = K.Context + '\004' + K.Source;
        K.Text = Source;
        return K;
    };
    std::vector<TKey> Comp, Lex, Smart, SmartMiss;
    for (int k = 0; k < Keys; ++k) {
        const int i = Scatter(k, ComponentLines);
        TKey K = MakeKey(OwnerOf(i), Caption(i));
        K.Comp = CompName(i);
        K.Owner = OwnerOf(i);
        K.ID = TComponentStructure::MakeLineID(K.Comp, K.Owner, 0, QString());
        Comp.push_back(K);
        const int x = k % Lexicons, n = Scatter(k, LexiconItems);
        TKey L = MakeKey(LexiconPath(x), Message(x, n));
        L.Lex = x;
        L.Item = n;
        Lex.push_back(L);
        const int s = Scatter(k, SmartPairs);
        const QByteArray SmartContext = (SmartName + QStringLiteral(".smart")).toUtf8();
        Smart.push_back(MakeKey(QString::fromUtf8(SmartContext), SmartText(s)));
        SmartMiss.push_back(MakeKey(QString::fromUtf8(SmartContext), SmartText(s) + QStringLiteral(" (absent)")));
    }

    // The lexicon components: one per numbered lexicon, each on its own form.
    std::vector<std::unique_ptr<QObject>> Forms;
    std::vector<TDesignedLexicon *> LexComps;
    for (int x = 0; x < Lexicons; ++x) {
        auto Form = std::make_unique<QObject>();
        Form->setObjectName(QStringLiteral("Form%1").arg(x));
        Form->setProperty("GlottaRole", QStringLiteral("form"));
        auto *L = new TDesignedLexicon(Form.get());
        L->setObjectName(QStringLiteral("Lexicon1"));
        QStringList Items;
        for (int n = 0; n < LexiconItems; ++n)
            Items << Message(x, n);
        L->SetItems(Items);
        L->SetGlottaEngine(&Engine);
        LexComps.push_back(L);
        Forms.push_back(std::move(Form));
    }
    TComponentStructure &Struct = *Engine.LData()->DataStruct;
    const TLexiconData &Data = *Engine.LData()->DataLexicon;
    const QList<QString> Paths = [] {
        QList<QString> P;
        for (int x = 0; x < Lexicons; ++x)
            P << LexiconPath(x);
        return P;
    }();

    auto Qt = [](const std::vector<TKey> &Keys) {
        return PerLookup([&](int k) { return QCoreApplication::translate(Keys[size_t(k)].Context.constData(), Keys[size_t(k)].Source.constData()).size(); });
    };
    auto Gettext = [](const std::vector<TKey> &Keys) {
        return PerLookup([&](int k) { return qsizetype(strlen(dgettext("bench", Keys[size_t(k)].Gettext.constData()))); });
    };

    std::printf("%d component lines, %d lexicons of %d items, %d smart pairs; file %lld bytes; ns per lookup, best of %d\n",
                Struct.Count(), int(Data.LexiconCount()), LexiconItems, SmartPairs, static_cast<long long>(FileSize), Rounds);
    std::printf("%-44s %10s %10s %10s %8s\n", "lookup", "Glotta", "Qt", "gettext", "G/Qt");
    const double QtComp = Qt(Comp), GtComp = Gettext(Comp);
    Row("component line, hit, by parts", PerLookup([&](int k) {
            const TKey &K = Comp[size_t(k)];
            return Struct.GetString(K.Comp, K.Owner, 0, QString()).size();
        }), QtComp, GtComp);
    Row("component line, hit, ready ID", PerLookup([&](int k) {
            const int i = Struct.Find(Comp[size_t(k)].ID);
            return i >= 0 ? Struct.GetTranslation(i).size() : 0;
        }), QtComp, GtComp);
    const double QtLex = Qt(Lex), GtLex = Gettext(Lex);
    Row("numbered lexicon GetItem(n), hit", PerLookup([&](int k) {
            const TKey &K = Lex[size_t(k)];
            return LexComps[size_t(K.Lex)]->GetItem(K.Item).size();
        }), QtLex, GtLex);
    Row("numbered lexicon, the store read alone", PerLookup([&](int k) {
            const TKey &K = Lex[size_t(k)];
            return Data.ReadItem(Paths[K.Lex], K.Item).size();
        }), QtLex, GtLex);
    TDesignedLexicon *SmartComp = LexComps[0];
    Row("smart lexicon by text, hit", PerLookup([&](int k) {
            return Engine.TranslateString(Smart[size_t(k)].Text, SmartComp, -1).size();
        }), Qt(Smart), Gettext(Smart));
    Row("smart lexicon by text, miss", PerLookup([&](int k) {
            return Engine.TranslateString(SmartMiss[size_t(k)].Text, SmartComp, -1).size();
        }), Qt(SmartMiss), Gettext(SmartMiss));
    QCoreApplication::removeTranslator(&Qm);

    // Each lookup names its lexicon either with the string the lexicon was
    // created with or with a string of its own (built per call, as a caller
    // that formats the name each time does; made before timing so that
    // only the lookup is timed).
    std::printf("\nstore reads as lexicons grow (each read from another lexicon), ns; Qt translate of a"
                " numbered item: %.0f\n", QtLex);
    std::printf("%15s %12s %12s %12s %12s\n", "", "numbered", "name built", "smart", "name built");
    double One = 0, OneBuilt = 0, OneSmart = 0, OneSmartBuilt = 0;
    for (int Count : {1, 10, 200, 1000}) {
        TLexiconData D;
        TSmartLexiconData S;
        QList<QString> Names;
        for (int x = 0; x < Count; ++x) {
            Names << QStringLiteral("Form%1.Lexicon%2").arg(x / 10).arg(x % 10);
            D.NewLexicon(Names.last());
            S.NewLexicon(Names.last());
            for (int n = 0; n < 100; ++n) {
                D.WriteItem(Names.last(), n, Message(x, n), 0);
                S.AddItem(Names.last(), SmartText(n), Translated(SmartText(n)), 0);
            }
        }
        std::vector<QString> Built, Texts;
        for (int k = 0; k < Keys; ++k) {
            const QString &N = Names[(k * 7) % Count];
            Built.push_back(QString(N.constData(), N.size())); // a copy with storage of its own
            Texts.push_back(SmartText(k % 100));
        }
        const double T = PerLookup([&](int k) { return D.ReadItem(Names[(k * 7) % Count], k % 100).size(); });
        const double TB = PerLookup([&](int k) { return D.ReadItem(Built[size_t(k)], k % 100).size(); });
        const double TS = PerLookup([&](int k) { return S.ReadItem(Names[(k * 7) % Count], Texts[size_t(k)]).size(); });
        const double TSB = PerLookup([&](int k) { return S.ReadItem(Built[size_t(k)], Texts[size_t(k)]).size(); });
        if (Count == 1) {
            One = T;
            OneBuilt = TB;
            OneSmart = TS;
            OneSmartBuilt = TSB;
        }
        std::printf("%6d lexicons %6.0f %4.2fx %6.0f %4.2fx %6.0f %4.2fx %6.0f %4.2fx\n", Count, T, T / One, TB,
                    TB / OneBuilt, TS, TS / OneSmart, TSB, TSB / OneSmartBuilt);
    }

    // The whole lookup of a lexicon component, the same lexicons as
    // components of forms (ten to a form) reading through the engine, whose
    // loaded lexicons are replaced by theirs.
    std::printf("\nnumbered GetItem(n) as lexicon components grow (each read from another lexicon), ns\n");
    TLexiconData &Live = *Engine.LData()->DataLexicon;
    for (int Count : {1, 10, 200, 1000}) {
        Live.Clear();
        std::vector<std::unique_ptr<QObject>> GrowForms;
        std::vector<TDesignedLexicon *> Comps;
        for (int x = 0; x < Count; ++x) {
            if (x % 10 == 0) {
                GrowForms.push_back(std::make_unique<QObject>());
                GrowForms.back()->setObjectName(QStringLiteral("Form%1").arg(x / 10));
                GrowForms.back()->setProperty("GlottaRole", QStringLiteral("form"));
            }
            auto *L = new TDesignedLexicon(GrowForms.back().get());
            L->setObjectName(QStringLiteral("Lexicon%1").arg(x % 10));
            const QString Name = L->ListPath();
            Live.NewLexicon(Name);
            QStringList Items;
            for (int n = 0; n < 100; ++n) {
                Items << Message(x, n);
                Live.WriteItem(Name, n, Translated(Message(x, n)), 0);
            }
            L->SetItems(Items);
            L->SetGlottaEngine(&Engine);
            Comps.push_back(L);
        }
        const double T = PerLookup([&](int k) { return Comps[size_t((k * 7) % Count)]->GetItem(k % 100).size(); });
        if (Count == 1)
            One = T;
        std::printf("%6d lexicons %10.0f  (%.2fx one)\n", Count, T, T / One);
    }

    std::printf("\nfull load of the file: %.1f ms\n", Load);
    std::printf("first scan of a folder with the file: %.2f ms (%.3f of the load)\n", FirstScan, FirstScan / Load);
    std::printf("first scan of 3 such files: %.2f ms; rescan, unchanged: %.3f ms\n", ScanThree, Rescan);
    if (PeakReset && RssBefore > 0 && RssPeak > 0)
        std::printf("load: resident set %ld kB before, peak %ld kB: +%ld kB for a %lld kB file (%.2fx); "
                    "the loaded store keeps +%ld kB\n", RssBefore, RssPeak, RssPeak - RssBefore,
                    static_cast<long long>(FileSize / 1024), (RssPeak - RssBefore) * 1024.0 / double(FileSize),
                    RssAfter - RssBefore);
    else
        std::printf("load: peak resident set not measurable here (/proc/self/clear_refs)\n");

    // The load of one language by size in each library's own form: thread
    // CPU time of the load, what it adds to the resident set (x the size of
    // its own file) before and after every message is read once.
    QList<int> Sizes;
    for (int i = 2; i < argc; ++i)
        Sizes << std::max(4, atoi(argv[i]));
    if (Sizes.isEmpty())
        Sizes = {10000, 100000, 1000000};
    std::printf("\nload by size: thread CPU ms; resident MB added (x file) after the load and after reading every message\n");
    std::printf("%9s %-14s %9s %10s %16s %16s %8s\n", "messages", "form", "file MB", "load ms", "RSS loaded",
                "RSS touched", "load/Qt");
    for (int N : Sizes)
        LoadBySize(Tmp.path(), N);
    std::printf("(sink %lld)\n", static_cast<long long>(Sink));
    return 0;
}
