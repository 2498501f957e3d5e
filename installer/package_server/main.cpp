// Serves the installer's packages from a folder on 127.0.0.1 for the run
// command: package_server --root DIR [--port N]. Prints the base URL.

#include "installer/package_server/package_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("package_server"));

    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral("Serves files below ROOT for the URL paths /data/... on 127.0.0.1."));
    Parser.addHelpOption();
    const QCommandLineOption RootOption(QStringLiteral("root"), QStringLiteral("Folder whose files are served."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption PortOption(QStringLiteral("port"), QStringLiteral("TCP port; 0 picks a free one."),
                                        QStringLiteral("N"), QStringLiteral("0"));
    Parser.addOption(RootOption);
    Parser.addOption(PortOption);
    Parser.process(App);

    QTextStream Err(stderr);
    if (!Parser.isSet(RootOption) || !QDir(Parser.value(RootOption)).exists()) {
        Err << "package_server: --root must name an existing folder\n";
        return 2;
    }
    bool PortOk = false;
    const uint Port = Parser.value(PortOption).toUInt(&PortOk);
    if (!PortOk || Port > 65535) {
        Err << "package_server: --port must be a number from 0 to 65535\n";
        return 2;
    }

    TPackageServer Server(Parser.value(RootOption));
    if (!Server.Listen(quint16(Port))) {
        Err << "package_server: " << Server.ErrorString() << "\n";
        return 1;
    }
    QTextStream Out(stdout);
    Out << Server.BaseUrl() << Qt::endl;
    return App.exec();
}
