// A workshop's order book in three languages, switched while it runs.
//
//   workshop                   the window
//   workshop --self-check      switches through its languages, checks the texts, exits 0 when all switched
//   workshop --screenshot F [--language cs]   the window as a PNG picture

#include "main_window.h"

#include "glotta/widgets/editor/vcl_lang_data.h"
#include "glotta/widgets/glotta_engine.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption selfCheck(QStringLiteral("self-check"), QStringLiteral("Switch languages, check, exit."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("Save the window as PNG."),
                                        QStringLiteral("file"));
    const QCommandLineOption language(QStringLiteral("language"), QStringLiteral("Start in this language."),
                                      QStringLiteral("code"));
    options.addOptions({selfCheck, screenshot, language});
    options.process(app);

    // The language menu and combo then offer to create and edit languages.
    InstallLanguageEditor();

    MainWindow window;
    window.show();
    if (options.isSet(language))
        window.engine()->Translate(options.value(language));

    if (options.isSet(selfCheck)) {
        const QStringList problems = window.selfCheck();
        for (const QString &problem : problems)
            std::fprintf(stderr, "%s\n", qPrintable(problem));
        std::fprintf(stderr, "self-check: %s\n", problems.isEmpty() ? "every language switched" : "FAILED");
        return problems.isEmpty() ? 0 : 1;
    }
    if (options.isSet(screenshot)) {
        QTimer::singleShot(100, &window, [&] {
            const bool saved = window.grab().save(options.value(screenshot), "PNG");
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
