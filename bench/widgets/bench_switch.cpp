// Switches a window of 1,000 named widgets (labels, buttons, line edits with
// tool tips), without and with a layout, between two languages and prints the
// time per switch through the library next to Qt's own route for the same
// texts: a QTranslator (a .qm file made by lrelease) installed in place of the
// other one, and a LanguageChange handler calling setText(tr(...)) for every
// widget. The first switch to a language (the library reads and parses its
// file; Qt loads its .qm) and the repeated switch between the two languages
// are timed apart, each round on a fresh window, the library and Qt taking
// turns; each switch is timed until the window has handled every event it
// caused (layout, paint), best of the rounds.
//
//   QT_QPA_PLATFORM=offscreen bench_switch [rounds]

#include "glotta/engine/glotta_core.h"
#include "glotta/engine/glotta_component.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"
#include "glotta/store/component_structure.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
constexpr int WidgetCount = 1000;
constexpr const char *Context = "BenchForm";

QString DesignedText(int i)
{
    return QStringLiteral("Designed text of widget %1").arg(i);
}

QString Translated(const QString &Designed, const QString &Language)
{
    return Language + QStringLiteral(": ") + Designed;
}

// The window: a third each of labels, buttons and line edits with a tool tip.
class TBenchForm : public QWidget
{
public:
    explicit TBenchForm(bool WithLayout)
    {
        setObjectName(QStringLiteral("BenchForm"));
        QGridLayout *Grid = WithLayout ? new QGridLayout(this) : nullptr;
        for (int i = 0; i < WidgetCount; ++i) {
            QWidget *W = nullptr;
            switch (i % 3) {
            case 0:
                W = new QLabel(DesignedText(i), this);
                break;
            case 1:
                W = new QPushButton(DesignedText(i), this);
                break;
            default: {
                auto *E = new QLineEdit(this);
                E->setToolTip(DesignedText(i));
                W = E;
            }
            }
            W->setObjectName(QStringLiteral("W%1").arg(i));
            if (Grid)
                Grid->addWidget(W, i / 20, i % 20);
            else
                W->setGeometry((i % 20) * 60, (i / 20) * 22, 58, 20);
            fWidgets.push_back(W);
            Sources.push_back(DesignedText(i).toUtf8());
        }
    }

    // Qt's route: every text again through tr() on a language change.
    bool QtRoute = false;
    // The source texts as tr() takes them, made once: the route does no
    // formatting of its own while it is timed.
    std::vector<QByteArray> Sources;

protected:
    void changeEvent(QEvent *E) override
    {
        if (QtRoute && E->type() == QEvent::LanguageChange)
            Retranslate();
        QWidget::changeEvent(E);
    }

private:
    void Retranslate()
    {
        for (int i = 0; i < WidgetCount; ++i) {
            const QString T = QCoreApplication::translate(Context, Sources[size_t(i)].constData());
            QWidget *W = fWidgets[size_t(i)];
            switch (i % 3) {
            case 0:
                static_cast<QLabel *>(W)->setText(T);
                break;
            case 1:
                static_cast<QPushButton *>(W)->setText(T);
                break;
            default:
                W->setToolTip(T);
            }
        }
    }

    std::vector<QWidget *> fWidgets;
};

class TBenchEngine : public TGlottaEngine
{
public:
    TBenchEngine(QObject *Owner, const QString &Dir) : TGlottaEngine(Owner), fDir(Dir) {}
    QString GetLangsDir() const override { return fDir; }
    using TGlottaEngine::RescanLanguages;

private:
    QString fDir;
};

void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The language files of both languages, made from the texts the client collected.
bool WriteLanguageFiles(const TGlottaCPC &Client, const QString &Dir, const QStringList &Languages)
{
    const TComponentStructure &Design = Client.DesignStruct();
    for (const QString &Language : Languages) {
        QStringList Lines{QStringLiteral("[LANGUAGE_FILE]"),
                          QStringLiteral("0\t%LANGUAGE_NAME=\"") + Language + QStringLiteral("\"\t%FILEVER=THLF1;")};
        for (int n = 0; n < Design.Count(); ++n) {
            TFullStructLine Line = Design.GetFull(n);
            Line.Translation = Translated(Line.Translation, Language);
            Line.Descent = 0;
            Line.Changeable = 1;
            Lines.append(FormatStructLine(Line));
        }
        Lines << QStringLiteral("0\t%LEXICON_STRINGS") << QStringLiteral("0\t%SMART_STRINGS");
        QFile F(Dir + Language + QStringLiteral(".lng"));
        const QByteArray Bytes = EncodeLanguageFile(Lines, TLFEncoding::Unicode);
        if (!F.open(QIODevice::WriteOnly) || F.write(Bytes) != Bytes.size())
            return false;
    }
    return true;
}

// A .qm file per language made by lrelease from a .ts file of the same texts.
bool MakeTranslators(const QString &Dir, const QStringList &Languages,
                     std::vector<std::unique_ptr<QTranslator>> &Translators)
{
    const QString Lrelease = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
    for (const QString &Language : Languages) {
        QString Ts = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                                    "<TS version=\"2.1\"><context><name>%1</name>\n")
                         .arg(QLatin1String(Context));
        for (int i = 0; i < WidgetCount; ++i)
            Ts += QStringLiteral("<message><source>%1</source><translation>%2</translation></message>\n")
                      .arg(DesignedText(i), Translated(DesignedText(i), Language));
        Ts += QStringLiteral("</context></TS>\n");
        const QString TsPath = Dir + Language + QStringLiteral(".ts");
        const QString QmPath = Dir + Language + QStringLiteral(".qm");
        QFile F(TsPath);
        if (!F.open(QIODevice::WriteOnly) || F.write(Ts.toUtf8()) < 0)
            return false;
        F.close();
        if (QProcess::execute(Lrelease, {QStringLiteral("-silent"), TsPath, QStringLiteral("-qm"), QmPath}) != 0)
            return false;
        auto T = std::make_unique<QTranslator>();
        if (!T->load(QmPath))
            return false;
        Translators.push_back(std::move(T));
    }
    return true;
}

struct TFigures
{
    double GlottaFirst = 1e9, Glotta = 1e9;
    double QtFirst = -1, Qt = -1;
};

double Ms(const QElapsedTimer &T) { return T.nsecsElapsed() / 1e6; }

// One round of the library: a fresh window and engine (nothing parsed), the
// first switch to each language (read, parsed, applied), then switches
// between the two parsed languages.
void GlottaRound(bool WithLayout, const QString &Dir, const QStringList &Languages, bool &Written, TFigures &F)
{
    TBenchForm Form(WithLayout);
    auto *Engine = new TBenchEngine(&Form, Dir);
    Engine->setObjectName(QStringLiteral("GlottaEngine1"));
    auto *Client = new TGlottaClient(&Form);
    Client->setObjectName(QStringLiteral("GlottaClient1"));
    Client->SetGlottaEngine(Engine);
    Form.show();
    Settle();
    Engine->InitEngine(false);
    if (!Written) {
        if (!WriteLanguageFiles(*Client, Dir, Languages))
            return;
        Written = true;
    }
    Engine->RescanLanguages();
    for (const QString &L : Languages) {
        QElapsedTimer T;
        T.start();
        Engine->Translate(L);
        Settle();
        F.GlottaFirst = std::min(F.GlottaFirst, Ms(T));
    }
    for (const QString &L : Languages) {
        QElapsedTimer T;
        T.start();
        Engine->Translate(L);
        Settle();
        F.Glotta = std::min(F.Glotta, Ms(T));
    }
}

// One round of Qt's route on a fresh window: the first switch to each
// language loads its .qm, installs it and retranslates; the repeated one
// installs a translator loaded before.
void QtRound(bool WithLayout, const QStringList &QmFiles, TFigures &F)
{
    TBenchForm Form(WithLayout);
    Form.QtRoute = true;
    Form.show();
    Settle();
    std::vector<std::unique_ptr<QTranslator>> Loaded;
    QTranslator *Installed = nullptr;
    const auto Install = [&Installed](QTranslator *T) {
        if (Installed)
            QCoreApplication::removeTranslator(Installed);
        QCoreApplication::installTranslator(T);
        Installed = T;
        Settle();
    };
    for (const QString &Qm : QmFiles) {
        QElapsedTimer T;
        T.start();
        auto Tr = std::make_unique<QTranslator>();
        if (!Tr->load(Qm))
            return;
        Install(Tr.get());
        F.QtFirst = F.QtFirst < 0 ? Ms(T) : std::min(F.QtFirst, Ms(T));
        Loaded.push_back(std::move(Tr));
    }
    for (auto &Tr : Loaded) {
        QElapsedTimer T;
        T.start();
        Install(Tr.get());
        F.Qt = F.Qt < 0 ? Ms(T) : std::min(F.Qt, Ms(T));
    }
    if (Installed)
        QCoreApplication::removeTranslator(Installed);
    Settle();
}

TFigures Measure(bool WithLayout, int Rounds, const QString &Dir)
{
    const QStringList Languages{QStringLiteral("Alpha"), QStringLiteral("Beta")};
    TFigures Result;
    std::vector<std::unique_ptr<QTranslator>> Made;
    const bool HaveQm = MakeTranslators(Dir, Languages, Made);
    Made.clear();
    QStringList QmFiles;
    for (const QString &L : Languages)
        QmFiles << Dir + L + QStringLiteral(".qm");
    bool Written = false;
    // The contenders take turns, round by round.
    for (int r = 0; r < Rounds; ++r) {
        GlottaRound(WithLayout, Dir, Languages, Written, Result);
        if (HaveQm)
            QtRound(WithLayout, QmFiles, Result);
    }
    return Result;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication App(argc, argv);
    const int Rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir Dir;
    const QString Path = Dir.path() + QLatin1Char('/');
    std::printf("%d widgets, best of %d rounds, the contenders alternated (ms per switch)\n", WidgetCount, Rounds);
    std::printf("%-12s %-9s %10s %10s %8s\n", "window", "switch", "library", "Qt", "lib/Qt");
    for (bool WithLayout : {false, true}) {
        const TFigures F = Measure(WithLayout, Rounds, Path);
        const char *Name = WithLayout ? "grid layout" : "no layout";
        const auto Row = [Name](const char *Kind, double G, double Q) {
            if (Q < 0)
                std::printf("%-12s %-9s %10.2f %10s %8s  (Qt route not measured: lrelease missing)\n", Name, Kind, G, "-", "-");
            else
                std::printf("%-12s %-9s %10.2f %10.2f %8.2f\n", Name, Kind, G, Q, G / Q);
        };
        Row("first", F.GlottaFirst, F.QtFirst);
        Row("repeated", F.Glotta, F.Qt);
    }
    return 0;
}
