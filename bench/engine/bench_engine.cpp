// Loads a generated language (20,000 component lines, 10 lexicons of 2,000
// items, 10,000 smart pairs) whose superior language has the same shape, and
// times it against a reference parser that only decodes the same two files
// and splits them into lines and TAB fields in a hash. Prints both times and
// their ratio (the aim: within 2x of the reference). Also times a switch back
// to the language once it has been parsed (nothing is read or parsed then).
//
//   bench_engine [rounds]

#include "bench/bench_core_engine.h"
#include "glotta/engine/glotta_core.h"
#include "glotta/engine/lang_core_data.h"
#include "glotta/engine/language_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

QStringList Generate(const QString &Name, const QString &Superior, const QString &Tag)
{
    QStringList L;
    L << "[LANGUAGE_FILE]";
    QString Header = "0\t%LANGUAGE_NAME=\"" + Name + "\"\t%CODE=xy;";
    if (!Superior.isEmpty())
        Header += "\t%SUPERIOR_LANGUAGE=" + Superior + ";";
    L << Header + "\t%FILEVER=THLF1;";
    for (int i = 0; i < 20000; ++i)
        L << QStringLiteral("%1\t\"%2 caption of component %3\"\t%COMPONENT=Comp%3;\t%OWNER=Form%4;")
                 .arg(i % 40)
                 .arg(Tag)
                 .arg(i)
                 .arg(i % 25);
    L << "0\t%LEXICON_STRINGS";
    for (int x = 0; x < 10; ++x) {
        L << QStringLiteral("0\t%LEXICON_NAME=Form%1.Lexicon1;").arg(x);
        for (int n = 0; n < 2000; ++n)
            L << QStringLiteral("%1\t\"%2 message %1 of lexicon %3, somewhat longer as messages are\"").arg(n).arg(Tag).arg(x);
    }
    L << "0\t%SMART_STRINGS";
    for (int n = 0; n < 10000; ++n) {
        L << QStringLiteral("%1\t\"designed text number %1\"").arg(n);
        L << QStringLiteral("%1\t\"%2 translated text number %1\"").arg(n).arg(Tag);
    }
    return L;
}

qsizetype ReferenceParse(const QByteArray &Bytes)
{
    const QString Text = QStringDecoder(QStringConverter::Utf16LE).decode(Bytes.mid(2));
    QHash<QString, QString> Fields;
    const QStringList Lines = Text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &Line : Lines) {
        const qsizetype Tab = Line.indexOf(QLatin1Char('\t'));
        if (Tab < 0)
            continue;
        Fields.insert(Line.mid(Tab + 1), Line.left(Tab));
    }
    return Fields.size();
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication App(argc, argv);
    const int Rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir Dir;
    const QByteArray Base = EncodeLanguageFile(Generate("Base", "", "base"), TLFEncoding::Unicode);
    const QByteArray Main = EncodeLanguageFile(Generate("Main", "Base", "main"), TLFEncoding::Unicode);
    for (const auto &[Name, Bytes] : {std::pair{QStringLiteral("base.lng"), Base}, std::pair{QStringLiteral("main.lng"), Main}}) {
        QFile F(Dir.filePath(Name));
        if (!F.open(QIODevice::WriteOnly) || F.write(Bytes) != Bytes.size())
            return 1;
    }
    TBenchEngine Engine(Dir.path() + QLatin1Char('/'));
    Engine.RescanLanguages();

    double BestLoad = 1e9, BestRef = 1e9, BestAgain = 1e9;
    qsizetype Sink = 0;
    for (int r = 0; r < Rounds; ++r) {
        // A rescan forgets the languages parsed before: this load parses.
        Engine.RescanLanguages();
        QElapsedTimer T;
        T.start();
        if (!Engine.LoadLanguage(QStringLiteral("Main"), TLoadFlags()))
            return 2;
        BestLoad = std::min(BestLoad, T.nsecsElapsed() / 1e6);
        Engine.LoadLanguage(Engine.DesignLanguageName(), TLoadFlags());
        T.restart();
        if (!Engine.LoadLanguage(QStringLiteral("Main"), TLoadFlags()))
            return 2;
        BestAgain = std::min(BestAgain, T.nsecsElapsed() / 1e6);
        T.restart();
        QFile B(Dir.filePath("base.lng")), M(Dir.filePath("main.lng"));
        B.open(QIODevice::ReadOnly);
        M.open(QIODevice::ReadOnly);
        Sink += ReferenceParse(B.readAll()) + ReferenceParse(M.readAll());
        BestRef = std::min(BestRef, T.nsecsElapsed() / 1e6);
    }
    const TLangCoreData &D = *Engine.LData();
    std::printf("store: %d component lines, %d lexicons, %d smart pairs (sink %lld)\n", D.DataStruct->Count(),
                int(D.DataLexicon->LexiconCount()), int(D.SmartLexicon->ItemsCount()), static_cast<long long>(Sink));
    std::printf("files: %lld + %lld bytes\n", static_cast<long long>(Base.size()), static_cast<long long>(Main.size()));
    std::printf("LoadLanguage (with superior): %.1f ms\n", BestLoad);
    std::printf("reference split into hash:    %.1f ms\n", BestRef);
    std::printf("ratio: %.2f\n", BestLoad / BestRef);
    std::printf("LoadLanguage again, parsed before: %.3f ms\n", BestAgain);
    return 0;
}
