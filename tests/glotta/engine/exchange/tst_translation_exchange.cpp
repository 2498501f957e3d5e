// A language in the translators' formats (PO, XLIFF, TS): lossless round
// trips, what real tools make of the exports (msgfmt, msgcat, lconvert and
// QTranslator), a PO edited the way a translator's tool edits it, and the
// files an import refuses without touching the language file.

#include "glotta/engine/exchange/translation_exchange.h"
#include "glotta/engine/exchange/xliff_file.h"
#include "glotta/store/text_helpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

Q_DECLARE_METATYPE(TExchangeFormat)

namespace {
const QString Data = QStringLiteral(GLOTTA_TEST_DATA "/exchange/translator/");
const QString InstallerLanguage = QStringLiteral(GLOTTA_TEST_DATA "/../../resources/lang/ENGLISH.lng");
const QString InstallerDesign = QStringLiteral(GLOTTA_TEST_DATA "/../../resources/form1.json");

QByteArray ReadAll(const QString &Path)
{
    QFile F(Path);
    if (!F.open(QIODevice::ReadOnly))
        return QByteArray();
    return F.readAll();
}

bool WriteAll(const QString &Path, const QByteArray &Bytes)
{
    QFile F(Path);
    return F.open(QIODevice::WriteOnly | QIODevice::Truncate) && F.write(Bytes) == Bytes.size();
}

QString Coded(QString S)
{
    EncodeControlChars(S);
    return S;
}

TCatalogEntry Line(const QString &Comp, const QString &Owner, const QString &Source, quint16 Property = 0,
                   const QString &Item = QString())
{
    TCatalogEntry E;
    E.Kind = TCatalogKind::Component;
    E.Line.CompName = Comp;
    E.Line.OwnerName = Owner;
    E.Line.PropertyID = Property;
    E.Line.ItemAddr = Item;
    E.Source = Source;
    return E;
}

TCatalogEntry Item(const QString &Lexicon, int Number, const QString &Source, bool Library = false)
{
    TCatalogEntry E;
    E.Kind = TCatalogKind::LexiconItem;
    E.Lexicon = Lexicon;
    E.Number = Number;
    E.Library = Library;
    E.Source = Source;
    return E;
}

TCatalogEntry Pair(const QString &Lexicon, const QString &Source)
{
    TCatalogEntry E;
    E.Kind = TCatalogKind::SmartPair;
    E.Lexicon = Lexicon;
    E.Source = Source;
    return E;
}

// The designed (Czech) texts of the fixture language's program, with a line
// and an item the language lacks that its superior has (inherited), and a
// line and a resource string nobody translates yet.
TCatalogTemplate FixtureTemplate()
{
    TCatalogTemplate T;
    T.Design = {QStringLiteral("čeština"), QStringLiteral("cs")};
    T.Entries = {
        Line("Form1", "", "Soubor a nastavení"),
        Line("arabicb", "Form1", "Odinstalovat"),
        Line("cancelb", "Form1", "Storno"),
        Line("emptyb", "Form1", "Prázdné"),
        Line("fileb", "Form1", "&Soubor %1 z %s"),
        Line("Label1", "Form1", "první řádek'#13''#10'druhý'#9'sloupec"),
        Line("ListBox1", "Form1", "Položka dvě", 32, "Items[2]"),
        Line("logo", "Form1", "Logo"),
        Line("quoteb", "Form1", "Stiskni \"OK\""),
        Line("helpb", "Form1", "Nápověda"),
        Line("aboutb", "Form1", "O programu"),
        Item("Form1.Lexicon1", 0, "První zpráva"),
        Item("Form1.Lexicon1", 1, "%d souborů'#13''#10'v '#9' «složce»"),
        Item("Form1.Lexicon1", 2, "Druhá zpráva"),
        Item("Form1.Lexicon1", 3, "Chyba 3"),
        Item("GlottaTexts", 0, "Ano", true),
        Item("GlottaTexts", 1, "Ne", true),
        Pair("Unit1.Resources", "Soubor nenalezen"),
        Pair("Unit1.Resources", "Uloženo '#13''#10'%1"),
        Pair("Unit1.Resources", "Hotovo"),
    };
    return T;
}

// The installer's designed texts from its stored design: every caption and
// the items of its lexicon.
TCatalogTemplate InstallerTemplate()
{
    TCatalogTemplate T;
    T.Design = {QStringLiteral("čeština"), QStringLiteral("cs")};
    const QJsonObject Form = QJsonDocument::fromJson(ReadAll(InstallerDesign)).object();
    const QString FormName = Form.value("name").toString();
    if (Form.value("properties").toObject().contains("Caption"))
        T.Entries.push_back(Line(FormName, "", Coded(Form.value("properties").toObject().value("Caption").toString())));
    for (const QJsonValue &V : Form.value("components").toArray()) {
        const QJsonObject C = V.toObject();
        const QJsonObject P = C.value("properties").toObject();
        const QString Name = C.value("name").toString();
        if (P.contains("Caption"))
            T.Entries.push_back(Line(Name, FormName, Coded(P.value("Caption").toString())));
        if (Name == QLatin1String("Lexicon1")) {
            const QJsonArray Items = P.value("Items").toArray();
            for (int n = 0; n < Items.size(); ++n)
                T.Entries.push_back(Item(FormName + ".Lexicon1", n, Coded(Items.at(n).toString())));
        }
    }
    return T;
}

QString Tool(const QString &Name)
{
    const QString InQt = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QLatin1Char('/') + Name;
    if (QFile::exists(InQt))
        return InQt;
    const QString Found = QStandardPaths::findExecutable(Name);
    return Found.isEmpty() ? QStandardPaths::findExecutable(Name, {QStringLiteral("/usr/lib/qt6/bin")}) : Found;
}

// Runs a tool; its exit code, or -1 when it cannot be started. Output goes to Output.
int Run(const QString &Program, const QStringList &Args, QString *Output = nullptr)
{
    QProcess P;
    P.setProcessChannelMode(QProcess::MergedChannels);
    P.start(Program, Args);
    if (!P.waitForStarted() || !P.waitForFinished(120000))
        return -1;
    if (Output)
        *Output = QString::fromLocal8Bit(P.readAll());
    return P.exitStatus() == QProcess::NormalExit ? P.exitCode() : -1;
}

QString Suffix(TExchangeFormat F)
{
    switch (F) {
    case TExchangeFormat::Po:
        return QStringLiteral(".po");
    case TExchangeFormat::Pot:
        return QStringLiteral(".pot");
    case TExchangeFormat::Xliff:
        return QStringLiteral(".xlf");
    case TExchangeFormat::Ts:
        return QStringLiteral(".ts");
    }
    return QString();
}

TTranslationCatalog CatalogOf(const QString &LanguageFile, const TCatalogTemplate *Template)
{
    TLanguageStores Stores;
    QString Error;
    TTranslationCatalog Catalog;
    if (ReadLanguageStores(ReadAll(LanguageFile), Stores, Error))
        CatalogFromStores(Stores, Template, {}, Catalog);
    return Catalog;
}

// The PO text split into its entries (blank-line separated blocks).
QStringList PoBlocks(const QString &Text)
{
    return Text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
}

int BlockOf(const QStringList &Blocks, const QString &Key)
{
    for (int i = 0; i < Blocks.size(); ++i)
        if (Blocks.at(i).contains(QStringLiteral("msgctxt \"%1\"").arg(Key)))
            return i;
    return -1;
}
} // namespace

class TestTranslationExchange : public QObject
{
    Q_OBJECT
    QTemporaryDir fDir;
    TCatalogTemplate fFixtureTemplate = FixtureTemplate();
    TCatalogTemplate fInstallerTemplate = InstallerTemplate();

    QString Temp(const QString &Name) const { return fDir.filePath(Name); }
    const TCatalogTemplate *TemplateFor(const QString &Language) const
    {
        return Language.endsWith(QLatin1String("ENGLISH.lng")) ? &fInstallerTemplate : &fFixtureTemplate;
    }
    QString Export(const QString &Language, TExchangeFormat Format, const QString &Name)
    {
        TExchangeOptions Options;
        Options.Template = TemplateFor(Language);
        if (!Language.endsWith(QLatin1String("ENGLISH.lng")))
            Options.SuperiorFiles = {Data + QStringLiteral("superior.lng")};
        const QString Out = Temp(Name + Suffix(Format));
        QString Error;
        if (!ExportLanguageFile(Language, Out, Format, Options, Error))
            qWarning() << Error;
        return Out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(fDir.isValid());
        QVERIFY(fInstallerTemplate.Entries.size() > 20);
        for (TExchangeFormat F : {TExchangeFormat::Po, TExchangeFormat::Xliff, TExchangeFormat::Ts})
            QVERIFY(ExchangeFormatAvailable(F));
    }

    // The fixtures are the engine's own output: read and written back by the
    // stores they are what they were, so a trip through a format has
    // nothing else to answer for.
    void fixturesAreWriterOutput_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("installer") << InstallerLanguage;
        QTest::newRow("fixture") << Data + "fixture.lng";
        QTest::newRow("superior") << Data + "superior.lng";
    }
    void fixturesAreWriterOutput()
    {
        QFETCH(QString, file);
        const QByteArray Bytes = ReadAll(file);
        TLanguageStores Stores;
        QString Error;
        QVERIFY2(ReadLanguageStores(Bytes, Stores, Error), qPrintable(Error));
        QCOMPARE(WriteLanguageStores(Stores), Bytes);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<TExchangeFormat>("format");
        QTest::addColumn<bool>("withTemplate");
        for (const auto &[Name, File] : {std::pair{"installer", InstallerLanguage},
                                         std::pair{"fixture", Data + "fixture.lng"}})
            for (const auto &[FormatName, Format] : {std::pair{"PO", TExchangeFormat::Po},
                                                     std::pair{"XLIFF", TExchangeFormat::Xliff},
                                                     std::pair{"TS", TExchangeFormat::Ts}})
                for (bool WithTemplate : {true, false})
                    QTest::addRow("%s %s%s", Name, FormatName, WithTemplate ? "" : " without template")
                        << File << Format << WithTemplate;
    }
    void roundTrip()
    {
        QFETCH(QString, file);
        QFETCH(TExchangeFormat, format);
        QFETCH(bool, withTemplate);
        TExchangeOptions Options;
        if (withTemplate) {
            Options.Template = TemplateFor(file);
            Options.SuperiorFiles = {Data + QStringLiteral("superior.lng")};
        }
        const QString Exported = Temp(QStringLiteral("trip") + Suffix(format));
        QString Error;
        QVERIFY2(ExportLanguageFile(file, Exported, format, Options, Error), qPrintable(Error));

        const QString Back = Temp(QStringLiteral("trip.lng"));
        QFile::remove(Back);
        const TCatalogImportReport Report = ImportIntoLanguageFile(Exported, format, Back, Options);
        QVERIFY2(!Report.Refused, qPrintable(Report.Reason));
        QVERIFY(Report.Written);
        QVERIFY(Report.Changed.isEmpty());
        QVERIFY(Report.RefusedEntries.empty());
        QCOMPARE(ReadAll(Back), ReadAll(file));

        // Into the language itself, nothing changes and nothing is written.
        const TCatalogImportReport Again = ImportIntoLanguageFile(Exported, format, Back, Options);
        QVERIFY2(!Again.Refused, qPrintable(Again.Reason));
        QVERIFY(Again.Added.isEmpty());
        QVERIFY(Again.Changed.isEmpty());
        QVERIFY(!Again.Written);
    }

    // Each status leaves in the form a translator's tool counts right and
    // comes back as it was.
    void statusesInPo()
    {
        const QString Po = Export(Data + "fixture.lng", TExchangeFormat::Po, QStringLiteral("statuses"));
        const QStringList Blocks = PoBlocks(QString::fromUtf8(ReadAll(Po)));
        auto Block = [&](const QString &Key) {
            const int i = BlockOf(Blocks, Key);
            return i < 0 ? QString() : Blocks.at(i);
        };
        QVERIFY(Block("logo@Form1#0[").contains("#. glotta: excluded"));
        QVERIFY(Block("emptyb@Form1#0[").contains("#. glotta: empty"));
        QVERIFY(Block("gone@Form1#0[").contains("#~ msgstr \"Старый текст\""));
        // gettext keeps no obsolete entry without a translation: this one stays active.
        QVERIFY(Block("gone2@Form1#0[").contains("#. glotta: excluded obsolete\nmsgctxt"));
        const QString Inherited = Block("helpb@Form1#0[");
        QVERIFY(Inherited.contains("#. glotta: inherited\n#. Help"));
        QVERIFY(Inherited.contains("msgstr \"\""));
        QVERIFY(Block("lexicon:Form1.Lexicon1#2").contains("#. Second message"));
        QVERIFY(Block("aboutb@Form1#0[").contains("msgid \"O programu\"\nmsgstr \"\""));
        QVERIFY(Block("Label1@Form1#0[").contains("\\n"));
        QVERIFY(Block("Label1@Form1#0[").contains("\\t"));
        QVERIFY(Block("library:GlottaTexts#1").contains("msgstr \"Όχι\""));
        // The global lexicon's pairs are plain gettext entries.
        QVERIFY(Blocks.contains(QStringLiteral("msgid \"Ano\"\nmsgstr \"Ναι\"")));
    }

    // An inherited text sent back unchanged stays inherited; a translator's
    // own text for it, or for an untranslated line, becomes the language's.
    void inheritedAndUntranslatedOnImport()
    {
        const QString Po = Export(Data + "fixture.lng", TExchangeFormat::Po, QStringLiteral("inherit"));
        QString Text = QString::fromUtf8(ReadAll(Po));
        QStringList Blocks = PoBlocks(Text);
        const int Help = BlockOf(Blocks, "helpb@Form1#0[");
        const int About = BlockOf(Blocks, "aboutb@Form1#0[");
        const int Second = BlockOf(Blocks, "lexicon:Form1.Lexicon1#2");
        QVERIFY(Help >= 0 && About >= 0 && Second >= 0);
        // A tool that copies the source of an inherited entry in changes nothing.
        Blocks[Help].replace("msgstr \"\"", "msgstr \"Help\"");
        Blocks[About].replace("msgstr \"\"", "msgstr \"Σχετικά\"");
        Blocks[Second].replace("msgstr \"\"", "msgstr \"Δεύτερο μήνυμα\"");
        QVERIFY(WriteAll(Po, Blocks.join("\n\n").toUtf8()));

        const QString Target = Temp("inherit.lng");
        QFile::remove(Target);
        QVERIFY(QFile::copy(Data + "fixture.lng", Target));
        TExchangeOptions Options;
        Options.Template = &fFixtureTemplate;
        const TCatalogImportReport Report = ImportIntoLanguageFile(Po, TExchangeFormat::Po, Target, Options);
        QVERIFY2(!Report.Refused, qPrintable(Report.Reason));
        QCOMPARE(Report.Added, QStringList({"aboutb@Form1#0[", "lexicon:Form1.Lexicon1#2"}));
        QVERIFY(Report.Changed.isEmpty());
        QVERIFY(Report.Unchanged.contains("helpb@Form1#0["));
        const QString Written = QString::fromUtf16(
            reinterpret_cast<const char16_t *>(ReadAll(Target).constData() + 2), (ReadAll(Target).size() - 2) / 2);
        QVERIFY(Written.contains("0\t\"Σχετικά\"\t%COMPONENT=aboutb;\t%OWNER=Form1;\r\n"));
        QVERIFY(Written.contains("2\t\"Δεύτερο μήνυμα\"\r\n"));
        QVERIFY(!Written.contains("helpb"));
    }

    void msgfmtAcceptsThePo_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<TExchangeFormat>("format");
        QTest::newRow("installer PO") << InstallerLanguage << TExchangeFormat::Po;
        QTest::newRow("fixture PO") << Data + "fixture.lng" << TExchangeFormat::Po;
        QTest::newRow("fixture POT") << Data + "fixture.lng" << TExchangeFormat::Pot;
    }
    void msgfmtAcceptsThePo()
    {
        QFETCH(QString, file);
        QFETCH(TExchangeFormat, format);
        const QString Msgfmt = QStandardPaths::findExecutable("msgfmt");
        QVERIFY2(!Msgfmt.isEmpty(), "msgfmt (Debian gettext) is needed");
        const QString Po = Export(file, format, QStringLiteral("check"));
        QString Output;
        QCOMPARE(Run(Msgfmt, {"--check", "-o", Temp("check.mo"), Po}, &Output), 0);
        // A template leaves its language to the translator, which msgfmt notes.
        if (format == TExchangeFormat::Po)
            QVERIFY2(Output.isEmpty(), qPrintable(Output));
    }

    // lconvert makes a .qm of the TS and of the XLIFF; QTranslator answers
    // every translated text by its form (context), designed text and identity.
    void lconvertAndQTranslator_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<TExchangeFormat>("format");
        QTest::newRow("installer TS") << InstallerLanguage << TExchangeFormat::Ts;
        QTest::newRow("installer XLIFF") << InstallerLanguage << TExchangeFormat::Xliff;
        QTest::newRow("fixture TS") << Data + "fixture.lng" << TExchangeFormat::Ts;
        QTest::newRow("fixture XLIFF") << Data + "fixture.lng" << TExchangeFormat::Xliff;
    }
    void lconvertAndQTranslator()
    {
        QFETCH(QString, file);
        QFETCH(TExchangeFormat, format);
        const QString Lconvert = Tool("lconvert");
        QVERIFY2(!Lconvert.isEmpty(), "lconvert (Debian qt6-l10n-tools) is needed");
        const QString In = Export(file, format, QStringLiteral("qm"));
        const QString Qm = Temp("export.qm");
        QFile::remove(Qm);
        QString Output;
        QVERIFY2(Run(Lconvert, {"-i", In, "-o", Qm}, &Output) == 0, qPrintable(Output));
        QTranslator Translator;
        QVERIFY(Translator.load(Qm));

        const TTranslationCatalog Catalog = CatalogOf(file, TemplateFor(file));
        int Answered = 0;
        for (const TCatalogEntry &E : Catalog.Entries) {
            if (E.Obsolete || E.Status != TCatalogStatus::Translated || E.Translation.isEmpty())
                continue;
            const QString Key = CatalogKey(E);
            const QByteArray Context = CatalogGroup(E).toUtf8();
            const QByteArray Source = (E.Source.isEmpty() ? Key : ToToolText(E.Source)).toUtf8();
            const QByteArray Disambiguation = Key.toUtf8();
            const QString Answer = Translator.translate(Context.constData(), Source.constData(),
                                                        Key.isEmpty() ? nullptr : Disambiguation.constData());
            QVERIFY2(Answer == ToToolText(E.Translation), qPrintable(Key + " " + Source));
            ++Answered;
        }
        QVERIFY(Answered > 5);
    }

    void xliffIsNamespaced()
    {
        const QString Xlf = Export(Data + "fixture.lng", TExchangeFormat::Xliff, QStringLiteral("ns"));
        QXmlStreamReader R(ReadAll(Xlf));
        int Elements = 0;
        while (!R.atEnd()) {
            R.readNext();
            if (!R.isStartElement())
                continue;
            ++Elements;
            QCOMPARE(R.namespaceUri().toString(), QString(XliffNamespace));
            for (const QXmlStreamAttribute &A : R.attributes())
                QVERIFY2(A.namespaceUri().isEmpty() || A.namespaceUri() == GlottaXmlNamespace
                             || A.namespaceUri() == u"http://www.w3.org/XML/1998/namespace",
                         qPrintable(A.qualifiedName().toString()));
        }
        QVERIFY2(!R.hasError(), qPrintable(R.errorString()));
        QVERIFY(Elements > 50);
        QVERIFY(ReadAll(Xlf).contains("<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.2\""));
    }

    // What a translator's tool does to a PO: gettext's msgcat sorts the
    // entries and wraps them anew; the translator changes one translation,
    // changes another but leaves it fuzzy, and adds comments. Exactly the one
    // translation comes in; the fuzzy one is reported and left out.
    void translatorEditedPo()
    {
        const QString Po = Export(Data + "fixture.lng", TExchangeFormat::Po, QStringLiteral("edit"));
        const QString Msgcat = QStandardPaths::findExecutable("msgcat");
        QVERIFY2(!Msgcat.isEmpty(), "msgcat (Debian gettext) is needed");
        const QString Sorted = Temp("edited.po");
        QString Output;
        QVERIFY2(Run(Msgcat, {"--sort-output", "--width=28", "-o", Sorted, Po}, &Output) == 0, qPrintable(Output));

        QStringList Blocks = PoBlocks(QString::fromUtf8(ReadAll(Sorted)));
        QVERIFY(Blocks.size() > 20);
        QVERIFY(BlockOf(Blocks, "arabicb@Form1#0[") < BlockOf(Blocks, "Form1@#0["));
        QVERIFY(BlockOf(Blocks, "Form1@#0[") < BlockOf(Blocks, "cancelb@Form1#0["));
        const int Cancel = BlockOf(Blocks, "cancelb@Form1#0[");
        const int Arabic = BlockOf(Blocks, "arabicb@Form1#0[");
        const int Quote = BlockOf(Blocks, "quoteb@Form1#0[");
        QVERIFY(Cancel >= 0 && Arabic >= 0 && Quote >= 0);
        QVERIFY(Blocks[Cancel].contains("msgstr \"Отмена\""));
        Blocks[Cancel].replace("msgstr \"Отмена\"", "msgstr \"Άκυρο\"");
        Blocks[Arabic].replace(QRegularExpression("msgstr .*$", QRegularExpression::DotMatchesEverythingOption),
                               "msgstr \"Απεγκατάσταση\"");
        Blocks[Arabic].prepend("# not sure about this one\n#, fuzzy\n");
        Blocks[Quote].prepend("# keep the quotes\n");
        const QString Edited = Blocks.join("\n\n") + "\n";
        QVERIFY(WriteAll(Sorted, Edited.toUtf8()));

        const QString Target = Temp("edited.lng");
        QFile::remove(Target);
        QVERIFY(QFile::copy(Data + "fixture.lng", Target));
        QFile::setPermissions(Target, QFile::ReadOwner | QFile::WriteOwner);
        TExchangeOptions Options;
        Options.Template = &fFixtureTemplate;
        const TCatalogImportReport Report = ImportIntoLanguageFile(Sorted, TExchangeFormat::Po, Target, Options);
        QVERIFY2(!Report.Refused, qPrintable(Report.Reason));
        QCOMPARE(Report.Changed, QStringList{"cancelb@Form1#0["});
        QVERIFY(Report.Added.isEmpty());
        QCOMPARE(int(Report.RefusedEntries.size()), 1);
        QCOMPARE(Report.RefusedEntries.front().Entry, QString("arabicb@Form1#0["));
        QVERIFY(Report.RefusedEntries.front().Reason.contains("fuzzy"));
        QVERIFY(Report.Written);

        const QByteArray Original = ReadAll(Data + "fixture.lng");
        QString Expected = QString::fromUtf16(reinterpret_cast<const char16_t *>(Original.constData() + 2),
                                              (Original.size() - 2) / 2);
        QCOMPARE(Expected.count("Отмена"), 1);
        Expected.replace("Отмена", "Άκυρο");
        QCOMPARE(ReadAll(Target), QByteArray("\xFF\xFE", 2)
                                      + QByteArray(reinterpret_cast<const char *>(Expected.utf16()),
                                                   Expected.size() * 2));
    }

    // Each file here is refused whole, and the language file stays as it was.
    void refusals_data()
    {
        QTest::addColumn<TExchangeFormat>("format");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("reason");
        QTest::newRow("PO for another language code")
            << TExchangeFormat::Po << "X-Glotta-Language-Code: el" << "X-Glotta-Language-Code: ru" << "\"ru\"";
        QTest::newRow("TS for another language code") << TExchangeFormat::Ts << "<extra-glotta-Language-Code>el<"
                                                      << "<extra-glotta-Language-Code>de<" << "\"de\"";
        QTest::newRow("XLIFF for another design language")
            << TExchangeFormat::Xliff << "\"Design-Language-Code\">cs<" << "\"Design-Language-Code\">de<"
            << "designed in";
        QTest::newRow("PO with broken syntax") << TExchangeFormat::Po << "msgid \"Ano\"" << "msgid \"Ano" << "broken";
        QTest::newRow("PO with an entry twice")
            << TExchangeFormat::Po << "msgid \"Ano\"\nmsgstr \"Ναι\"\n"
            << "msgid \"Ano\"\nmsgstr \"Ναι\"\n\nmsgid \"Ano\"\nmsgstr \"Ναι\"\n" << "broken";
        QTest::newRow("XLIFF not well-formed") << TExchangeFormat::Xliff << "</body>" << "</bdy>" << "broken";
        QTest::newRow("XLIFF of another version") << TExchangeFormat::Xliff << "version=\"1.2\"" << "version=\"2.0\""
                                                  << "XLIFF 1.2";
        QTest::newRow("TS with an entry twice")
            << TExchangeFormat::Ts << "</context>\n</TS>"
            << "<message><source>Ano</source><translation>Ναι</translation></message></context>\n</TS>"
            << "twice";
        QTest::newRow("TS naming no line") << TExchangeFormat::Ts << "<comment>cancelb@Form1#0[</comment>"
                                           << "<comment>cancelb</comment>" << "names no line";
        QTest::newRow("PO template") << TExchangeFormat::Pot << QString() << QString() << "template";
    }
    void refusals()
    {
        QFETCH(TExchangeFormat, format);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, reason);
        const QString File = Export(Data + "fixture.lng", format, QStringLiteral("refused"));
        QString Text = QString::fromUtf8(ReadAll(File));
        if (!from.isEmpty()) {
            QVERIFY2(Text.contains(from), qPrintable(from));
            Text.replace(Text.indexOf(from), from.size(), to);
            QVERIFY(WriteAll(File, Text.toUtf8()));
        }
        const QString Target = Temp("refused.lng");
        QFile::remove(Target);
        QVERIFY(QFile::copy(Data + "fixture.lng", Target));
        QFile::setPermissions(Target, QFile::ReadOwner | QFile::WriteOwner);
        TExchangeOptions Options;
        Options.Template = &fFixtureTemplate;
        const TCatalogImportReport Report = ImportIntoLanguageFile(File, format, Target, Options);
        QVERIFY(Report.Refused);
        QVERIFY2(Report.Reason.contains(reason), qPrintable(Report.Reason));
        QVERIFY(!Report.Written);
        QVERIFY(Report.Added.isEmpty() && Report.Changed.isEmpty());
        QCOMPARE(ReadAll(Target), ReadAll(Data + "fixture.lng"));
    }

    // A file made for another program: none of its lines is one of this program's.
    void anotherTemplateIsRefused()
    {
        const QString Po = Export(InstallerLanguage, TExchangeFormat::Po, QStringLiteral("installer"));
        const QString Target = Temp("new.lng");
        QFile::remove(Target);
        TExchangeOptions Options;
        Options.Template = &fFixtureTemplate;
        const TCatalogImportReport Report = ImportIntoLanguageFile(Po, TExchangeFormat::Po, Target, Options);
        QVERIFY(Report.Refused);
        QVERIFY2(Report.Reason.contains("belongs to this program"), qPrintable(Report.Reason));
        QVERIFY(!QFile::exists(Target));
    }

    // An entry whose designed text is not the program's, a text typed into
    // an excluded line and a text the language file would read back as a
    // mark of its line are refused one by one; the rest comes in.
    void entriesRefusedOneByOne()
    {
        const QString Ts = Export(Data + "fixture.lng", TExchangeFormat::Ts, QStringLiteral("entries"));
        QString Text = QString::fromUtf8(ReadAll(Ts));
        QVERIFY(Text.contains("<source>Storno</source>"));
        Text.replace("<source>Storno</source>", "<source>Zrušit</source>");
        const QString Logo = "<comment>logo@Form1#0[</comment>";
        const qsizetype At = Text.indexOf(Logo);
        QVERIFY(At > 0);
        const qsizetype Tr = Text.indexOf("<translation type=\"unfinished\"></translation>", At);
        QVERIFY(Tr > At);
        Text.replace(Tr, 46, "<translation>Λογότυπο</translation>");
        const QString Quote = "<translation>Press &quot;OK&quot;";
        QVERIFY(Text.contains(Quote));
        Text.replace(Quote, "<translation>%NOTRANS Press &quot;OK&quot;");
        QVERIFY(WriteAll(Ts, Text.toUtf8()));

        const QString Target = Temp("entries.lng");
        QFile::remove(Target);
        QVERIFY(QFile::copy(Data + "fixture.lng", Target));
        QFile::setPermissions(Target, QFile::ReadOwner | QFile::WriteOwner);
        TExchangeOptions Options;
        Options.Template = &fFixtureTemplate;
        const TCatalogImportReport Report = ImportIntoLanguageFile(Ts, TExchangeFormat::Ts, Target, Options);
        QVERIFY2(!Report.Refused, qPrintable(Report.Reason));
        QCOMPARE(int(Report.RefusedEntries.size()), 3);
        QCOMPARE(Report.RefusedEntries[0].Entry, QString("cancelb@Form1#0["));
        QVERIFY(Report.RefusedEntries[0].Reason.contains("designed text"));
        QCOMPARE(Report.RefusedEntries[1].Entry, QString("logo@Form1#0["));
        QVERIFY(Report.RefusedEntries[1].Reason.contains("excluded"));
        QCOMPARE(Report.RefusedEntries[2].Entry, QString("quoteb@Form1#0["));
        QVERIFY(Report.RefusedEntries[2].Reason.contains("mark"));
        QVERIFY(!Report.Written);
        QCOMPARE(ReadAll(Target), ReadAll(Data + "fixture.lng"));
    }
};

QTEST_GUILESS_MAIN(TestTranslationExchange)
#include "tst_translation_exchange.moc"
