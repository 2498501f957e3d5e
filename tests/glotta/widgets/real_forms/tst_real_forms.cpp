// Qt Designer forms of public Qt programs, compiled by uic, given an engine
// and a client the way the README shows: a pseudo language made from the
// collected lines translates every text lupdate lists for the form (but
// shortcuts, which are kept as designed), leaves every text the form marks
// "do not translate" as it is, and the design language brings every text,
// shortcut, selection and item back exactly.

#include "tests/glotta/widgets/real_forms/real_form.h"
#include "glotta/widgets/client/qt_rows.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/store/component_structure.h"
#include "glotta/store/descent_codes.h"
#include "glotta/store/text_helpers.h"
#include "glotta/engine/lang_core_data.h"

#include <QtWidgets>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>

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

// What the .ui says beyond lupdate's list: which texts are shortcuts (key
// sequences are kept, not translated), which it marks "do not translate",
// and, by object name, the marked properties as the dynamic property
// GlottaNoTranslate names them ("items" when every item text of a list,
// combo box, tree or table is marked). Items marked one by one in a list
// that also has texts to translate cannot be named so; they are left out of
// the test language instead.
struct TUiMarks
{
    QSet<QString> Shortcuts, NoTr;
    QMap<QString, QStringList> NoTranslate;
    // The marked item texts of lists that also hold texts to translate.
    QSet<QString> NoTrItems;
};

TUiMarks ReadUi(const QString &UiFile)
{
    TUiMarks M;
    QFile F(UiFile);
    if (!F.open(QIODevice::ReadOnly))
        return M;
    QXmlStreamReader X(&F);
    QList<QPair<QString, QString>> Open; // open elements: tag, name attribute
    QMap<QString, QPair<int, int>> Items; // per object: item texts, of them marked
    QMultiMap<QString, QString> MarkedItems; // per object: its marked item texts
    while (!X.atEnd()) {
        const auto Token = X.readNext();
        if (Token == QXmlStreamReader::EndElement) {
            Open.removeLast();
            continue;
        }
        if (Token != QXmlStreamReader::StartElement)
            continue;
        const QString Tag = X.name().toString();
        if (Tag != QLatin1String("string")) {
            Open.append({Tag, X.attributes().value("name").toString()});
            continue;
        }
        const bool Notr = X.attributes().value("notr") == QLatin1String("true");
        const QString Text = X.readElementText(); // consumes the end element
        const QString Property = Open.isEmpty() ? QString() : Open.last().second;
        // The object the text belongs to, and whether an item, column or row
        // lies between (layouts' <item>s wrap widgets, never a <property>).
        QString Object;
        bool Item = false;
        for (int i = int(Open.size()) - 2; i >= 0; --i) {
            const QString &T = Open[i].first;
            if (T == QLatin1String("widget") || T == QLatin1String("action")) {
                Object = Open[i].second;
                break;
            }
            if (T == QLatin1String("item") || T == QLatin1String("column") || T == QLatin1String("row"))
                Item = true;
        }
        if (Item) {
            ++Items[Object].first;
            Items[Object].second += Notr ? 1 : 0;
            if (Notr)
                MarkedItems.insert(Object, Text);
        }
        if (Notr) {
            M.NoTr.insert(Text);
            if (!Item && !M.NoTranslate[Object].contains(Property))
                M.NoTranslate[Object] << Property;
        } else if (Property == QLatin1String("shortcut")) {
            M.Shortcuts.insert(Text);
        }
    }
    for (auto It = Items.cbegin(); It != Items.cend(); ++It)
        if (It.value().second > 0 && It.value().second == It.value().first)
            M.NoTranslate[It.key()] << QStringLiteral("items");
        else
            for (const QString &T : MarkedItems.values(It.key()))
                M.NoTrItems.insert(T);
    return M;
}

// Every text, shortcut, selection and item of the form, by where it sits.
QMap<QString, QString> Dump(QWidget *Form)
{
    QMap<QString, QString> D;
    QList<QObject *> Objects{Form};
    Objects += Form->findChildren<QObject *>();
    // A combo box's edit line shows the combo's current text, dumped with
    // the combo.
    Objects.removeIf([](QObject *O) { return qobject_cast<QLineEdit *>(O) && qobject_cast<QComboBox *>(O->parent()); });
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
            const bool Text = Type == QMetaType::QString || Type == QMetaType::QStringList;
            // Also states: what a widget derives from its value (a spin
            // box's text, read only) and Qt's own inner widgets ("qt_...").
            const bool Derived = !P.isWritable() || O->objectName().startsWith(QLatin1String("qt_"));
            const bool State = Type == QMetaType::QKeySequence || Name == "currentIndex" || Name == "checked"
                               || Name == "value" || Name == "count" || (Text && Derived);
            if (!Text && !State)
                continue;
            const QVariant V = P.read(O);
            // Keys of states start with "=", so that a number is never taken
            // for a text of the same digits.
            D[(State ? QStringLiteral("=") : QString()) + Key + Name] =
                Type == QMetaType::QStringList    ? V.toStringList().join(QChar(0x1f))
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

// Texts the stand-ins for custom widgets keep as dynamic properties (their
// own properties, which no Qt widget shows); the client has no row for them.
QSet<QString> StandInTexts(QWidget *Form)
{
    QSet<QString> Texts;
    QList<QObject *> Objects{Form};
    Objects += Form->findChildren<QObject *>();
    for (QObject *O : std::as_const(Objects))
        for (const QByteArray &Name : O->dynamicPropertyNames())
            if (Name != NoTranslateProperty)
                Texts.insert(O->property(Name).toString());
    return Texts;
}
} // namespace

class TestRealForms : public QObject
{
    Q_OBJECT
    int fListed = 0, fShortcuts = 0, fStandIn = 0, fLeftOut = 0, fJudged = 0, fTranslated = 0, fKept = 0;
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
            QSKIP("No real forms compiled in: shared/real-forms must lie beside the repository (or "
                  "-DGLOTTA_REAL_FORMS_DIR=...), with lupdate, python3 and uic.");
        const TRealForm &R = RealForms()[Form];
        const QString Base = QFileInfo(R.File).completeBaseName();
        const TUiMarks Ui = ReadUi(QStringLiteral(GLOTTA_REAL_FORMS_DIR "/") + R.File);
        const QStringList Listed = ListedTexts(QStringLiteral(GLOTTA_REAL_FORMS_TS "/") + Base + ".ts");
        QVERIFY2(!Listed.isEmpty(), "lupdate listed no text");

        QTemporaryDir Dir;
        std::unique_ptr<QWidget> W(R.Make());
        // The marks a form's author sets in Qt Designer for what the .ui
        // keeps untranslated.
        for (auto It = Ui.NoTranslate.cbegin(); It != Ui.NoTranslate.cend(); ++It) {
            QObject *O = W->objectName() == It.key() ? W.get() : W->findChild<QObject *>(It.key());
            QVERIFY2(O, qPrintable(It.key()));
            O->setProperty(NoTranslateProperty, It.value());
        }
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
        const QSet<QString> StandIn = StandInTexts(W.get());

        // The test language: every collected line framed, but the item
        // texts marked one by one (see TUiMarks).
        TComponentStructure &Data = *Engine->LData()->DataStruct;
        const TComponentStructure &Design = Client->DesignStruct();
        for (int i = 0; i < Design.Count(); ++i) {
            TFullStructLine Line = Design.GetFull(i);
            QString Text = Line.Translation;
            DecodeCharCodes(Text);
            if (Ui.NoTrItems.contains(Text))
                continue;
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
        // Where each text sits (states left out), and which places the form
        // marks "do not translate".
        QMultiHash<QString, QString> Places;
        QSet<QString> Marked;
        for (auto It = Before.cbegin(); It != Before.cend(); ++It) {
            if (It.key().startsWith(QLatin1Char('=')))
                continue;
            const QString Rest = It.key().section(QLatin1Char(' '), 1);
            const QString Object = Rest.section(QLatin1Char('.'), 0, 0), Property = Rest.section(QLatin1Char('.'), 1);
            const QStringList Marks = Ui.NoTranslate.value(Object);
            const bool ItemPlace = Property.startsWith(QLatin1String("item "));
            // A combo box's current text is its current item's (unless set
            // apart from the items).
            const bool ItemText = ItemPlace || Property == QLatin1String("currentText");
            if (Marks.contains(QStringLiteral("*")) || Marks.contains(Property)
                || (ItemText && Marks.contains(QStringLiteral("items")))
                || (ItemText && Ui.NoTrItems.contains(It.value())))
                Marked.insert(It.key());
            else
                Places.insert(It.value(), It.key());
        }

        // Every listed text is shown no more where the form shows it
        // unmarked; a shortcut (kept as designed) is not judged, and a text
        // only a stand-in keeps cannot be.
        QStringList Untranslated, NotShown;
        int Shortcuts = 0, Judged = 0, Translated = 0, StandInOnly = 0, LeftOut = 0;
        for (const QString &S : Listed) {
            if (Ui.Shortcuts.contains(S)) {
                ++Shortcuts;
                continue;
            }
            const QStringList At = Places.values(S);
            if (At.isEmpty()) {
                if (std::any_of(Marked.cbegin(), Marked.cend(), [&](const QString &K) { return Before[K] == S; }))
                    ++LeftOut; // shown only where the form marks it
                else if (StandIn.contains(S))
                    ++StandInOnly;
                else
                    NotShown << S;
                continue;
            }
            ++Judged;
            QStringList Still;
            for (const QString &Key : At)
                if (After.value(Key) == S)
                    Still << Key;
            if (Still.isEmpty())
                ++Translated;
            else
                Untranslated << S + " (" + Still.join(", ") + ")";
        }
        // Every text where the form marks "do not translate" is as designed.
        QStringList Changed;
        int Kept = 0;
        for (const QString &Key : std::as_const(Marked))
            if (!Before[Key].isEmpty()) {
                ++Kept;
                if (After.value(Key) != Before[Key])
                    Changed << Key + ": " + Before[Key] + " -> " + After.value(Key);
            }
        fListed += Listed.size();
        fShortcuts += Shortcuts;
        fStandIn += StandInOnly;
        fLeftOut += LeftOut;
        fJudged += Judged;
        fTranslated += Translated;
        fKept += Kept;
        qInfo("%s: %lld listed (%d shortcuts, %d only in stand-ins, %d shown only where marked), %d judged, %d translated; "
              "%d marked texts kept",
              qPrintable(R.File), Listed.size(), Shortcuts, StandInOnly, LeftOut, Judged, Translated, Kept);
        QVERIFY2(NotShown.isEmpty(), qPrintable("not found in the form: " + NotShown.join(" | ")));
        QVERIFY2(Untranslated.isEmpty(), qPrintable(Untranslated.join(" | ")));
        QVERIFY2(Changed.isEmpty(), qPrintable(Changed.join("\n")));

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
        qInfo("all forms: %d texts listed, %d of them shortcuts, %d only in stand-ins, %d shown only where marked; %d judged, "
              "%d translated; %d marked texts kept",
              fListed, fShortcuts, fStandIn, fLeftOut, fJudged, fTranslated, fKept);
    }
};

QTEST_MAIN(TestRealForms)
#include "tst_real_forms.moc"
