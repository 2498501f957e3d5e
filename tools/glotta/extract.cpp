// glotta extract: the template of forms, written as a template language
// file (the design language's lines) or as a translator's template (.pot,
// .ts, .xlf), which also carries the comments Qt Designer stores.

#include "glotta/engine/exchange/catalog_template.h"
#include "glotta/engine/exchange/translation_exchange.h"
#include "tools/glotta/glotta_tool.h"
#include "tools/glotta/tool_files.h"
#include "tools/glotta/tool_template.h"

#include <QCommandLineParser>
#include <QFileInfo>

int RunExtract(const QStringList &Args, TToolConsole &Console)
{
    QCommandLineParser P;
    P.setApplicationDescription(QStringLiteral(
        "Writes the template of forms: every text a client attached to each window collects at run time,\n"
        "named as the client names it. Forms are Qt Designer .ui files (texts marked notr=\"true\" are left\n"
        "out) and stored designs (.json). The output is a template language file (.lng) or, with the\n"
        "comments of the .ui files, a translator's template (.pot, .ts, .xlf)."));
    const QCommandLineOption Output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The file to write (.lng, .pot, .ts, .xlf)."), QStringLiteral("file"));
    const QCommandLineOption DesignName(QStringLiteral("design-name"),
                                        QStringLiteral("The design language's name where a form's engine gives none."),
                                        QStringLiteral("name"));
    const QCommandLineOption DesignCode(QStringLiteral("design-code"),
                                        QStringLiteral("The design language's ISO 639-1 code where a form's engine gives none."),
                                        QStringLiteral("code"));
    P.addOptions({Output, DesignName, DesignCode});
    P.addPositionalArgument(QStringLiteral("forms"), QStringLiteral("Qt Designer forms and stored designs."),
                            QStringLiteral("forms..."));
    int Exit = ToolSuccess;
    if (!ParseToolOptions(P, QStringLiteral("extract"), Args, Console, Exit))
        return Exit;
    const QStringList Forms = P.positionalArguments();
    if (Forms.isEmpty() || !P.isSet(Output)) {
        Console.Message(QString(), 0, QStringLiteral("extract: give the forms and --output (see glotta extract --help)"));
        return ToolBadInput;
    }
    const QString Out = P.value(Output);
    const auto Format = ExchangeFormatOfFile(Out);
    if (!Format && QFileInfo(Out).suffix().compare(QLatin1String("lng"), Qt::CaseInsensitive) != 0) {
        Console.Message(Out, 0, QStringLiteral("the output must be a .lng, .pot, .ts or .xlf file"));
        return ToolBadInput;
    }

    TExtractOptions Options{P.value(DesignName), P.value(DesignCode)};
    TToolTemplate T;
    for (int i = 0; i < Forms.size(); ++i) {
        Console.Progress(i + 1, Forms.size(), Forms.at(i));
        if (!IsFormFile(Forms.at(i))) {
            Console.Message(Forms.at(i), 0, QStringLiteral("not a form (.ui or .json)"));
            return ToolBadInput;
        }
        if (!AddToTemplate(Forms.at(i), Options, T, Console))
            return ToolBadInput;
    }
    Console.ProgressDone();

    QByteArray Bytes;
    if (Format) {
        TTranslationCatalog Catalog;
        Catalog.Design = T.Template.Design;
        Catalog.Entries = T.Template.Entries;
        QString Error;
        if (!WriteCatalog(Catalog, *Format, Bytes, Error)) {
            Console.Message(Out, 0, Error);
            return ToolBadInput;
        }
    } else {
        TLanguageFileHeader Header;
        Header.Name = T.Template.Design.Name.isEmpty() ? QStringLiteral("design") : T.Template.Design.Name;
        Header.Code = T.Template.Design.Code;
        TLanguageStores Stores;
        StoresOfTemplate(T.Template, Header, Stores);
        Bytes = WriteLanguageStores(Stores);
    }
    QString Error;
    if (!SaveFileAtomically(Out, Bytes, Error)) {
        Console.Message(Out, 0, QStringLiteral("cannot be written: %1").arg(Error));
        return ToolBadInput;
    }
    return ToolSuccess;
}
