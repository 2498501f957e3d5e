// Switches a window of 1,000 named widgets (labels, buttons, line edits with
// tool tips), without and with a layout, between two languages and prints the
// time per switch through the library next to Qt's own route for the same
// texts: a QTranslator (a .qm file made by lrelease) installed in place of the
// other one, and a LanguageChange handler calling setText(tr(...)) for every
// widget. Both languages are discovered and parsed once before timing; each
// switch is timed until the window has handled every event it caused
// (layout, paint), best of the rounds.
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
        }
    }

    // Qt's route: every text again through tr() on a language change.
    bool QtRoute = false;

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
            const QByteArray Source = DesignedText(i).toUtf8();
            const QString T = QCoreApplication::translate(Context, Source.constData());
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
    double Glotta = 1e9;
    double Qt = -1;
};

TFigures Measure(bool WithLayout, int Rounds, const QString &Dir)
{
    const QStringList Languages{QStringLiteral("Alpha"), QStringLiteral("Beta")};
    TFigures Result;
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
        if (!WriteLanguageFiles(*Client, Dir, Languages))
            return Result;
        Engine->RescanLanguages();
        // Parsed once; every timed switch finds both languages parsed.
        for (const QString &L : Languages)
            Engine->Translate(L);
        Settle();
        for (int r = 0; r < Rounds; ++r)
            for (const QString &L : Languages) {
                QElapsedTimer T;
                T.start();
                Engine->Translate(L);
                Settle();
                Result.Glotta = std::min(Result.Glotta, T.nsecsElapsed() / 1e6);
            }
    }
    {
        std::vector<std::unique_ptr<QTranslator>> Translators;
        if (!MakeTranslators(Dir, Languages, Translators))
            return Result;
        TBenchForm Form(WithLayout);
        Form.QtRoute = true;
        Form.show();
        Settle();
        QTranslator *Installed = nullptr;
        double Best = 1e9;
        for (int r = 0; r < Rounds + 1; ++r)
            for (auto &T : Translators) {
                QElapsedTimer Timer;
                Timer.start();
                if (Installed)
                    QCoreApplication::removeTranslator(Installed);
                QCoreApplication::installTranslator(T.get());
                Installed = T.get();
                Settle();
                if (r > 0)
                    Best = std::min(Best, Timer.nsecsElapsed() / 1e6);
            }
        if (Installed)
            QCoreApplication::removeTranslator(Installed);
        Result.Qt = Best;
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
    std::printf("%d widgets, best of %d switches each way (ms per switch)\n", WidgetCount, Rounds);
    std::printf("%-16s %10s %10s %8s\n", "window", "library", "Qt", "ratio");
    for (bool WithLayout : {false, true}) {
        const TFigures F = Measure(WithLayout, Rounds, Path);
        const char *Name = WithLayout ? "grid layout" : "no layout";
        if (F.Qt < 0)
            std::printf("%-16s %10.2f %10s %8s  (Qt route not measured: lrelease missing)\n", Name, F.Glotta, "-", "-");
        else
            std::printf("%-16s %10.2f %10.2f %8.2f\n", Name, F.Glotta, F.Qt, F.Glotta / F.Qt);
    }
    return 0;
}
