// A program without widgets: the engine alone (Glotta::Engine, QtCore only)
// finds the workshop's languages and switches between them.
//
//   console [language directory]    prints the languages and the switches

#include "glotta/engine/glotta_core.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {
// The core leaves the language directory to the program.
class ConsoleEngine : public TGlottaCore
{
public:
    explicit ConsoleEngine(const QString &dir) : m_dir(QDir(dir).absolutePath() + QLatin1Char('/')) {}
    QString GetLangsDir() const override { return m_dir; }

private:
    QString m_dir;
};
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    ConsoleEngine engine(args.size() > 1 ? args[1] : QCoreApplication::applicationDirPath() + QStringLiteral("/lang"));
    engine.setObjectName(QStringLiteral("GlottaEngine1"));
    engine.SetDesignLangISOCode(QStringLiteral("en"));
    engine.SetDesignLanguageName(QStringLiteral("English"));
    engine.InitEngine(false);

    QStringList languages;
    engine.AssignLanguagesList(&languages);
    std::printf("%s: %s\n", qPrintable(engine.AboutGlotta()), qPrintable(languages.join(QStringLiteral(", "))));
    int failures = 0;
    for (const QString code : {QStringLiteral("de"), QStringLiteral("cs"), QStringLiteral("en")}) {
        engine.Translate(code);
        std::printf("%s -> %s\n", qPrintable(code), qPrintable(engine.CurrentLanguage()));
        if (engine.CurrentLanguageISO() != code)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
