// glotta pseudo: a pseudo language made from a template, so that a program
// shows its windows under long, accented texts before any translation
// exists: every text bracketed, its letters replaced by accented look-alikes
// and lengthened by about a third; placeholders, accelerators, markup and
// line breaks kept. Written as an ordinary language file.

#include "glotta/engine/exchange/catalog_template.h"
#include "glotta/store/text_helpers.h"
#include "tools/glotta/glotta_tool.h"
#include "tools/glotta/tool_counts.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {
QChar LookAlike(QChar C)
{
    static const QString Plain = QStringLiteral("abcdeghiklnorstuyzABCDEGHIKLNORSTUYZ");
    static const QString Accented = QStringLiteral("áƀçďéğĥíķĺñöŕšţüýžÅƁÇĎÉĞĤÍĶĹÑÖŔŠŢÜÝŽ");
    const qsizetype i = Plain.indexOf(C);
    return i < 0 ? C : Accented.at(i);
}

// What must reach the program unchanged: placeholders of every kind, "%%",
// accelerators with their letter, "&&", markup tags and entities.
const QRegularExpression &Kept()
{
    static const QRegularExpression R(QStringLiteral(
        "%%|%[0-9]+\\$[-+#0']*[0-9]*(?:\\.[0-9]+)?[a-zA-Z]+|%L?[1-9][0-9]?|%L?n|%[-+#0']*[0-9*]*(?:\\.[0-9*]+)?"
        "(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcsp]|\\{[A-Za-z_0-9]+\\}|&&|&[#A-Za-z0-9]+;|&.|<[^<>]*>"));
    return R;
}

QString PseudoText(const QString &OneLine)
{
    if (OneLine.isEmpty())
        return OneLine;
    QString Text = OneLine;
    DecodeCharCodes(Text);
    // The blanks and line breaks at either end stay outside the brackets.
    qsizetype Start = 0;
    while (Start < Text.size() && Text.at(Start).isSpace())
        ++Start;
    qsizetype End = Text.size();
    while (End > Start && Text.at(End - 1).isSpace())
        --End;
    const QString Core = Text.mid(Start, End - Start);
    QString Out;
    int Letters = 0;
    qsizetype i = 0;
    while (i < Core.size()) {
        const QRegularExpressionMatch M =
            Kept().match(Core, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (M.hasMatch()) {
            Out += M.captured(0);
            i = M.capturedEnd();
            continue;
        }
        if (Core.at(i).isLetter())
            ++Letters;
        Out += LookAlike(Core.at(i));
        ++i;
    }
    // About a third longer: filler after the text, inside the brackets.
    static const QString Filler = QStringLiteral("ĺōŕēḿ ĩṗšũḿ đōĺōŕ šĩţ ąḿēţ ");
    const int Extra = (Letters + 2) / 3;
    QString Pad;
    while (Pad.size() < Extra)
        Pad += Filler;
    Pad.truncate(Extra);
    QString Result = Text.left(Start) + QLatin1Char('[') + Out + (Extra > 0 ? QLatin1Char(' ') + Pad.trimmed() : QString())
                     + QLatin1Char(']') + Text.mid(End);
    EncodeControlChars(Result);
    return Result;
}
} // namespace

int RunPseudo(const QStringList &Args, TToolConsole &Console)
{
    QCommandLineParser P;
    P.setApplicationDescription(QStringLiteral(
        "Writes a pseudo language from a template: every text in brackets, with accented look-alike letters,\n"
        "about a third longer; placeholders, accelerators, markup and line breaks kept. An ordinary language\n"
        "file: put it in the program's language folder and switch to it."));
    const QCommandLineOption Output({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The language file to write."),
                                    QStringLiteral("file"));
    const QCommandLineOption Name(QStringLiteral("name"), QStringLiteral("The language's name (default: pseudo)."),
                                  QStringLiteral("name"), QStringLiteral("pseudo"));
    const QCommandLineOption Code(QStringLiteral("code"),
                                  QStringLiteral("Its ISO 639-1 code, so a program can be started in it (default: none)."),
                                  QStringLiteral("code"));
    const QCommandLineOption DesignName(QStringLiteral("design-name"), QStringLiteral("The design language's name for .ui forms."),
                                        QStringLiteral("name"));
    const QCommandLineOption DesignCode(QStringLiteral("design-code"), QStringLiteral("The design language's code for .ui forms."),
                                        QStringLiteral("code"));
    P.addOptions({Output, Name, Code, DesignName, DesignCode});
    P.addPositionalArgument(QStringLiteral("template"),
                            QStringLiteral("Template language files, or forms (.ui, .json) to extract the template from."),
                            QStringLiteral("template..."));
    int Exit = ToolSuccess;
    if (!ParseToolOptions(P, QStringLiteral("pseudo"), Args, Console, Exit))
        return Exit;
    if (P.positionalArguments().isEmpty() || !P.isSet(Output)) {
        Console.Message(QString(), 0, QStringLiteral("pseudo: give a template and --output (see glotta pseudo --help)"));
        return ToolBadInput;
    }
    TToolTemplate T;
    if (!LoadToolTemplate(P.positionalArguments(), {P.value(DesignName), P.value(DesignCode)}, T, Console))
        return ToolBadInput;
    TLanguageFileHeader Header;
    Header.Name = P.value(Name);
    Header.Code = P.value(Code);
    // Lines the pseudo language lacks fall back to the design language.
    Header.Superior = T.Template.Design.Name;
    TLanguageStores Stores;
    StoresOfTemplate(T.Template, Header, Stores, PseudoText);
    const QByteArray Bytes = WriteLanguageStores(Stores);
    QString Error;
    if (!SaveFileAtomically(P.value(Output), Bytes, Error)) {
        Console.Message(P.value(Output), 0, QStringLiteral("cannot be written: %1").arg(Error));
        return ToolBadInput;
    }
    return ToolSuccess;
}
