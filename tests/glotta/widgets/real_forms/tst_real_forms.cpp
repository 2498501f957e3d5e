// Qt Designer forms of public Qt programs, compiled by uic, given an engine
// and a client the way the README shows: a pseudo language made from the
// collected lines translates every text lupdate lists for the form (but
// shortcuts, which are kept as designed), and the design language brings
// every text, shortcut, selection and item back exactly.

#include "tests/glotta/widgets/real_forms/real_form.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/text_helpers.h"
#include "glotta/engine/lang_core_data.h"

#include <QtWidgets>
#include <QTest>
#include <QXmlStreamReader>

QList<TRealForm> &RealForms()
{
    static QList<TRealForm> Forms;
    return Forms;
}

namespace {
class TPseudoEngine : public TGlottaEngine
{
public:
    using TGlottaEngine::TGlottaEngine;
    using TGlottaCore::RescanLanguages;
    using TGlottaCore::SaveLanguage;
};

QString Pseudo(const QString &Designed)
{
    return QStringLiteral("⟦") + Designed + QStringLiteral("⟧");
}

// The texts lupdate lists for a form (the .ts it wrote at build time).
QStringList ListedTexts(const QString &TsFile)
{
    QFile F(TsFile);
    if (!F.open(QIODevice::ReadOnly))
        return {};
    QStringList Texts;
    QXmlStreamReader X(&F);
    while (!X.atEnd())
        if (X.readNext() == QXmlStreamReader::StartElement && X.name() == QLatin1String("source"))
            Texts << X.readElementText();
    return Texts;
}

// Texts of the form that are shortcuts (key sequences are kept, not
// translated) and texts it marks "do not translate".
void UiTexts(const QString &UiFile, QSet<QString> &Shortcuts, QSet<QString> &NoTr)
{
    QFile F(UiFile);
    if (!F.open(QIODevice::ReadOnly))
        return;
    QXmlStreamReader X(&F);
    QString Property;
    while (!X.atEnd()) {
        if (X.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (X.name() == QLatin1String("property") || X.name() == QLatin1String("attribute"))
            Property = X.attributes().value("name").toString();
        else if (X.name() == QLatin1String("string")) {
            const bool Notr = X.attributes().value("notr") == QLatin1String("true");
            const QString Text = X.readElementText();
            if (Notr)
                NoTr.insert(Text);
            else if (Property == QLatin1String("shortcut"))
                Shortcuts.insert(Text);
        }
    }
}

// Every text, shortcut, selection and item of the form, by where it sits.
QMap<QString, QString> Dump(QWidget *Form)
{
    QMap<QString, QString> D;
    QList<QObject *> Objects{Form};
    Objects += Form->findChildren<QObject *>();
    int n = 0;
    for (QObject *O : std::as_const(Objects)) {
        const QString Key = QString::number(n++) + QLatin1Char(' ') + O->objectName() + QLatin1Char('.');
        const QMetaObject *M = O->metaObject();
        for (int i = 0; i < M->propertyCount(); ++i) {
            const QMetaProperty P = M->property(i);
            const QByteArray Name = P.name();
            if (Name == "objectName" || Name == "styleSheet" || Name == "html" || Name == "documentTitle")
                continue;
            const int Type = P.metaType().id();
            const bool Kept = Type == QMetaType::QString || Type == QMetaType::QStringList
                              || Type == QMetaType::QKeySequence || Name == "currentIndex" || Name == "checked"
                              || Name == "value" || Name == "count";
            if (!Kept)
                continue;
            const QVariant V = P.read(O);
            D[Key + Name] = Type == QMetaType::QStringList ? V.toStringList().join(QChar(0x1f))
                            : Type == QMetaType::QKeySequence ? V.value<QKeySequence>().toString()
                                                              : V.toString();
        }
        const auto Roles = {int(Qt::DisplayRole), int(Qt::ToolTipRole), int(Qt::StatusTipRole),
                            int(Qt::WhatsThisRole)};
        if (auto *Tree = qobject_cast<QTreeWidget *>(O)) {
            QList<QTreeWidgetItem *> Items{Tree->headerItem()};
            for (QTreeWidgetItemIterator It(Tree); *It; ++It)
                Items << *It;
            for (int k = 0; k < Items.size(); ++k)
                for (int c = 0; c < Tree->columnCount(); ++c)
                    for (int R : Roles)
                        D[Key + QStringLiteral("item %1/%2/%3").arg(k).arg(c).arg(R)] = Items[k]->data(c, R).toString();
        } else if (auto *List = qobject_cast<QListWidget *>(O)) {
            for (int k = 0; k < List->count(); ++k)
                for (int R : Roles)
                    D[Key + QStringLiteral("item %1/%2").arg(k).arg(R)] = List->item(k)->data(R).toString();
        } else if (auto *Table = qobject_cast<QTableWidget *>(O)) {
            for (int r = -1; r < Table->rowCount(); ++r)
                for (int c = -1; c < Table->columnCount(); ++c) {
                    QTableWidgetItem *I = r < 0 && c < 0 ? nullptr
                                          : r < 0        ? Table->horizontalHeaderItem(c)
                                          : c < 0        ? Table->verticalHeaderItem(r)
                                                         : Table->item(r, c);
                    if (I)
                        for (int R : Roles)
                            D[Key + QStringLiteral("item %1/%2/%3").arg(r).arg(c).arg(R)] = I->data(R).toString();
                }
        } else if (auto *Combo = qobject_cast<QComboBox *>(O)) {
            for (int k = 0; k < Combo->count(); ++k)
                D[Key + QStringLiteral("item %1").arg(k)] = Combo->itemText(k);
        } else if (auto *Tabs = qobject_cast<QTabWidget *>(O)) {
            for (int k = 0; k < Tabs->count(); ++k) {
                D[Key + QStringLiteral("tab %1").arg(k)] = Tabs->tabText(k);
                D[Key + QStringLiteral("tab tip %1").arg(k)] = Tabs->tabToolTip(k);
                D[Key + QStringLiteral("tab help %1").arg(k)] = Tabs->tabWhatsThis(k);
            }
        } else if (auto *Box = qobject_cast<QToolBox *>(O)) {
            for (int k = 0; k < Box->count(); ++k) {
                D[Key + QStringLiteral("page %1").arg(k)] = Box->itemText(k);
                D[Key + QStringLiteral("page tip %1").arg(k)] = Box->itemToolTip(k);
            }
        }
    }
    return D;
}
} // namespace

class TestRealForms : public QObject
{
    Q_OBJECT
    int fListed = 0, fChecked = 0, fTranslated = 0;
private slots:
    void forms_data()
    {
        QTest::addColumn<int>("Form");
        for (int i = 0; i < RealForms().size(); ++i)
            QTest::newRow(qPrintable(RealForms()[i].File)) << i;
        if (RealForms().isEmpty())
            QTest::newRow("none") << -1;
    }
    void forms()
    {
        QFETCH(int, Form);
        if (Form < 0)
            QSKIP("No real forms compiled in: configure with -DGLOTTA_REAL_FORMS=ON and shared/real-forms beside "
                  "the repository (or -DGLOTTA_REAL_FORMS_DIR=...).");
        const TRealForm &R = RealForms()[Form];
        const QString Base = QFileInfo(R.File).completeBaseName();
        QSet<QString> Shortcuts, NoTr;
        UiTexts(QStringLiteral(GLOTTA_REAL_FORMS_DIR "/") + R.File, Shortcuts, NoTr);
        const QStringList Listed = ListedTexts(QStringLiteral(GLOTTA_REAL_FORMS_TS "/") + Base + ".ts");
        QVERIFY2(!Listed.isEmpty(), "lupdate listed no text");

        QTemporaryDir Dir;
        std::unique_ptr<QWidget> W(R.Make());
        // As the README attaches them.
        auto *Engine = new TPseudoEngine(W.get());
        Engine->setObjectName("GlottaEngine1");
        Engine->SetDesignLangISOCode("en");
        Engine->SetDesignLanguageName("English");
        Engine->SetLangSubdirectory(Dir.path());
        auto *Client = new TGlottaClient(W.get());
        Client->setObjectName("GlottaClient1");
        Client->SetGlottaEngine(Engine);
        Client->Translate();
        const QMap<QString, QString> Before = Dump(W.get());

        TComponentStructure &Data = *Engine->LData()->DataStruct;
        const TComponentStructure &Design = Client->DesignStruct();
        for (int i = 0; i < Design.Count(); ++i) {
            TFullStructLine Line = Design.GetFull(i);
            QString Text = Line.Translation;
            DecodeCharCodes(Text);
            Line.Translation = Pseudo(Text);
            EncodeControlChars(Line.Translation);
            Line.Descent = 0;
            Line.Changeable = ChangeableTranslatable;
            Data.AddLine(Line);
        }
        Engine->SaveLanguage("Pseudo", "", "", Dir.filePath("pseudo.lng"));
        Engine->RescanLanguages();
        Engine->Translate("Pseudo");
        QCOMPARE(Engine->CurrentLanguage(), QStringLiteral("Pseudo"));
        const QMap<QString, QString> After = Dump(W.get());
        const QSet<QString> BeforeValues(Before.cbegin(), Before.cend());
        const QSet<QString> AfterValues(After.cbegin(), After.cend());

        QStringList Untranslated;
        int Checked = 0, Translated = 0;
        for (const QString &S : Listed) {
            // A shortcut, a text the form also holds as "do not translate",
            // or a text the widgets do not show (a custom widget's own
            // property, kept dynamic by its stand-in) cannot be judged.
            if (Shortcuts.contains(S) || NoTr.contains(S) || !BeforeValues.contains(S))
                continue;
            ++Checked;
            if (AfterValues.contains(S))
                Untranslated << S;
            else
                ++Translated;
        }
        fListed += Listed.size();
        fChecked += Checked;
        fTranslated += Translated;
        qInfo("%s: %lld listed, %d shown and judged, %d translated", qPrintable(R.File), Listed.size(), Checked,
              Translated);
        QVERIFY2(Untranslated.isEmpty(), qPrintable(Untranslated.join(" | ")));

        Engine->Translate("English");
        const QMap<QString, QString> Back = Dump(W.get());
        QStringList Differs;
        for (auto It = Before.cbegin(); It != Before.cend(); ++It)
            if (Back.value(It.key()) != It.value())
                Differs << It.key() + ": " + It.value() + " -> " + Back.value(It.key());
        QVERIFY2(Differs.isEmpty(), qPrintable(Differs.join("\n")));
        QCOMPARE(Back.size(), Before.size());
    }
    void cleanupTestCase()
    {
        qInfo("all forms: %d texts listed, %d shown and judged, %d translated", fListed, fChecked, fTranslated);
    }
};

QTEST_MAIN(TestRealForms)
#include "tst_real_forms.moc"
