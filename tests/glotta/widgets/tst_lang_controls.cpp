// The language selector controls: filling from the engine, a user's pick
// with the mouse, a refused switch, the combo styles, the flags combo's item
// height, the flag control, the valued label, and what attaching does and
// what happens when a control or its engine goes first.

#include "tests/glotta/engine/engine_fixture.h"
#include "glotta/store/flag_icon.h"
#include "glotta/widgets/glotta_classes.h"
#include "glotta/widgets/lang_combo.h"
#include "glotta/widgets/lang_flag.h"
#include "glotta/widgets/lang_flags_combo.h"
#include "glotta/widgets/valued_label.h"
#include "glotta/engine/spans.h"
#include "toolkit/widgets/design.h"
#include "toolkit/widgets/form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

namespace {
// The fixture's engine with "Deutsch" (a blue flag) beside the design
// language "čeština" (no flag).
void AddDeutsch(TEngineFixture &F)
{
    F.WriteLanguage("de.lng", "Deutsch", "de", FlagBitmap(QSize(16, 11), Qt::blue));
    F.Engine->RescanLanguages();
}

// Opens the box's list and clicks entry Row, as a user picks it.
void PickWithMouse(QComboBox *Box, int Row)
{
    QWidget *Window = Box->window();
    Window->show();
    QVERIFY(QTest::qWaitForWindowExposed(Window));
    Box->showPopup();
    QAbstractItemView *View = Box->view();
    QVERIFY(QTest::qWaitForWindowExposed(View->window()));
    const QRect Item = View->visualRect(View->model()->index(Row, 0));
    QVERIFY(Item.isValid());
    // The list ignores a release that follows its opening too closely.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(View->viewport(), Qt::LeftButton, Qt::NoModifier, Item.center());
    QTRY_VERIFY(!View->isVisible());
}
} // namespace

class TestLangControls : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { RegisterGlottaClasses(); }

    void comboIsFilledByItsEngine()
    {
        TEngineFixture F;
        AddDeutsch(F);
        auto *Box = new TLangCombo(F.Form.get());
        QCOMPARE(Box->StyleCombo(), TLangCombo::scDropDownList);
        Box->SetGlottaEngine(F.Engine);
        QCOMPARE(ComboItems(*Box), (QStringList{"čeština", "Deutsch"}));
        QCOMPARE(Box->currentIndex(), 0);
        // The command entries follow initialisation, in the library's language.
        F.Engine->InitEngine(false);
        QCOMPARE(ComboItems(*Box), (QStringList{"čeština", "Deutsch", "> Přidat jazyk <", "> Upravit jazyk <"}));
        F.Engine->Translate("de");
        QCOMPARE(Box->currentText(), QStringLiteral("Deutsch"));
        QCOMPARE(ComboItems(*Box).mid(2), (QStringList{"> Hinzufügen <", F.Engine->LanguageMenuEntries().value(3)}));
        // Setting the same engine again keeps what the box shows.
        Box->SetGlottaEngine(F.Engine);
        QCOMPARE(Box->count(), 4);
    }

    void pickWithTheMouse_data()
    {
        QTest::addColumn<bool>("flags");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("events");
        const QStringList Switched{"engine", "control"};
        for (bool Flags : {false, true}) {
            const char *Kind = Flags ? "flags combo: " : "combo: ";
            QTest::addRow("%sother language", Kind) << Flags << 1 << false << "Deutsch" << Switched;
            QTest::addRow("%scurrent language", Kind) << Flags << 0 << false << "čeština" << QStringList();
            // The combo raises nothing for a switch the engine did not make.
            QTest::addRow("%srefused", Kind) << Flags << 1 << true << "čeština" << QStringList();
            // Without an editor window the editor keeps the current language,
            // which the engine then loads again.
            QTest::addRow("%sedit entry", Kind) << Flags << 3 << false << "čeština" << Switched;
        }
    }

    void pickWithTheMouse()
    {
        QFETCH(bool, flags);
        QFETCH(int, row);
        QFETCH(bool, refuse);
        QFETCH(QString, current);
        QFETCH(QStringList, events);
        TEngineFixture F;
        AddDeutsch(F);
        F.Engine->InitEngine(false);
        QComboBox *Box = nullptr;
        QStringList Events;
        if (flags) {
            auto *C = new TLangFlagsCombo(F.Form.get());
            C->SetGlottaEngine(F.Engine);
            C->OnChangeLanguage = [&Events, C](QObject *Sender) {
                QCOMPARE(Sender, C);
                Events.append("control");
            };
            Box = C;
        } else {
            auto *C = new TLangCombo(F.Form.get());
            C->SetGlottaEngine(F.Engine);
            C->OnChangeLanguage = [&Events, C](QObject *Sender) {
                QCOMPARE(Sender, C);
                Events.append("control");
            };
            Box = C;
        }
        Box->setGeometry(10, 10, 160, 24);
        int Queries = 0;
        F.Engine->OnChangeLangQuery = [&](QObject *, bool &Continue) {
            ++Queries;
            Continue = !refuse;
        };
        F.Engine->OnChangeLanguage = [&](QObject *) { Events.append("engine"); };
        PickWithMouse(Box, row);
        QCOMPARE(F.Engine->CurrentLanguage(), current);
        QCOMPARE(Events, events);
        QCOMPARE(Queries, row == 0 ? 0 : 1);
        // The box shows the language that is current, whatever was picked.
        QCOMPARE(Box->currentText(), current);
    }

    // An item whose text a client or the program changed still picks the
    // language its entry names.
    void pickByEntryNotCaption_data()
    {
        QTest::addColumn<bool>("flags");
        QTest::newRow("combo") << false;
        QTest::newRow("flags combo") << true;
    }

    void pickByEntryNotCaption()
    {
        QFETCH(bool, flags);
        TEngineFixture F;
        AddDeutsch(F);
        QComboBox *Box = nullptr;
        if (flags) {
            auto *C = new TLangFlagsCombo(F.Form.get());
            C->SetGlottaEngine(F.Engine);
            Box = C;
        } else {
            auto *C = new TLangCombo(F.Form.get());
            C->SetGlottaEngine(F.Engine);
            Box = C;
        }
        Box->setItemText(0, QStringLiteral("Czech"));
        Box->setItemText(1, QStringLiteral("German"));
        emit Box->activated(1);
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
        QCOMPARE(Box->currentIndex(), 1);
        emit Box->activated(0);
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("čeština"));
        QCOMPARE(Box->currentIndex(), 0);
    }

    void comboStyles()
    {
        TLangCombo Box;
        Box.addItems({"a", "b"});
        Box.SetStyleCombo(TLangCombo::scOwnerDrawVariable);
        QCOMPARE(Box.StyleCombo(), TLangCombo::scOwnerDrawVariable);
        // The application measures the items of a variable box.
        Box.OnMeasureItem = [](QObject *, int Index, int &Height) { Height = 20 + 10 * Index; };
        QCOMPARE(Box.view()->sizeHintForRow(0), 20);
        QCOMPARE(Box.view()->sizeHintForRow(1), 30);
        int Drawn = 0;
        Box.OnDrawItem = [&](QObject *, int, QPainter *, const QRect &, bool) { ++Drawn; };
        Box.resize(120, 22);
        Box.showPopup();
        QTRY_VERIFY(Drawn >= 2);
        Box.hidePopup();
        // A box made editable (a simple combo) reads back as a drop-down list and becomes one.
        Box.setEditable(true);
        QCOMPARE(Box.StyleCombo(), TLangCombo::scDropDownList);
        QVERIFY(!Box.isEditable());
        QVERIFY(Box.view()->sizeHintForRow(0) != 20 || Box.view()->sizeHintForRow(1) != 30);
        Box.SetStyleCombo(TLangCombo::scOwnerDrawFixed);
        QCOMPARE(Box.StyleCombo(), TLangCombo::scOwnerDrawFixed);
        Box.SetStyleCombo(TLangCombo::TLangComboStyle(7));
        QCOMPARE(Box.StyleCombo(), TLangCombo::scDropDownList);
    }

    void flagsComboItemHeight_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("itemHeight");
        QTest::newRow("installer's combo height") << 21 << 15;
        QTest::newRow("tall") << 40 << 34;
        QTest::newRow("lower than the margin") << 5 << 1;
    }

    void flagsComboItemHeight()
    {
        QFETCH(int, height);
        QFETCH(int, itemHeight);
        TEngineFixture F;
        AddDeutsch(F);
        auto *Box = new TLangFlagsCombo(F.Form.get());
        Box->SetGlottaEngine(F.Engine);
        Box->setFixedHeight(height);
        QCOMPARE(Box->ItemHeight(), itemHeight);
        for (int Row = 0; Row < Box->count(); ++Row)
            QCOMPARE(Box->view()->sizeHintForRow(Row), itemHeight);
    }

    void flagsComboShowsFlags()
    {
        TEngineFixture F;
        AddDeutsch(F);
        TLangFlagsCombo Box;
        Box.SetGlottaEngine(F.Engine);
        F.Engine->InitEngine(false);
        QCOMPARE(ComboItems(Box), F.Engine->LData()->LangMenu.ToStringList());
        QCOMPARE(Box.Images().size(), F.Engine->FlagsList().size());
        const int De = F.Engine->LData()->Languages.IndexOf("Deutsch");
        QCOMPARE(Box.itemIcon(De).pixmap(16, 16).toImage().pixel(8, 8), qRgb(0, 0, 255));
        F.Engine->Translate("Deutsch");
        QCOMPARE(Box.currentIndex(), De);
        // Fewer entries: the surplus items go.
        F.Engine->SetLangCreatorVisible(false);
        F.Engine->SetLangEditorVisible(false);
        QCOMPARE(Box.count(), 2);
        // Leaving the engine empties the box and its images.
        Box.SetGlottaEngine(nullptr);
        QCOMPARE(Box.count(), 0);
        QVERIFY(Box.Images().isEmpty());
    }

    void flagShowsTheCurrentLanguagesFlag()
    {
        TEngineFixture F;
        AddDeutsch(F);
        TLangFlag Flag;
        QVERIFY(Flag.Transparent());
        QVERIFY(Flag.Center());
        // The design language has no flag: nothing to show.
        Flag.SetGlottaEngine(F.Engine);
        QVERIFY(Flag.Picture().IsEmpty());
        F.Engine->Translate("de");
        QCOMPARE(Flag.Picture().Image().pixel(4, 4), qRgb(0, 0, 255));
        F.Engine->Translate("čeština");
        QVERIFY(Flag.Picture().IsEmpty());
        F.Engine->Translate("de");
        Flag.SetGlottaEngine(nullptr);
        QVERIFY(Flag.Picture().IsEmpty());
    }

    void valuedLabel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("spaces");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::newRow("name, separator, two spaces, value") << "Size" << ":" << 2 << "10" << "Size:  10";
        QTest::newRow("no separator") << "Size" << "" << 1 << "10" << "Size 10";
        QTest::newRow("value only") << "" << "" << 0 << "10" << "10";
        QTest::newRow("spaces beyond a byte") << "A" << "=" << 300 << "" << "A=" + QString(255, ' ');
        QTest::newRow("negative spaces") << "A" << "=" << -3 << "b" << "A=b";
    }

    void valuedLabel()
    {
        QFETCH(QString, name);
        QFETCH(QString, separator);
        QFETCH(int, spaces);
        QFETCH(QString, value);
        QFETCH(QString, caption);
        TValuedLabel Label;
        // Every setter recomposes, whichever order they come in.
        Label.SetValue(value);
        Label.SetValueSpaces(spaces);
        Label.SetValueSeparator(separator);
        Label.SetValueName(name);
        QCOMPARE(Label.text(), caption);
        QCOMPARE(Label.Space().size(), qBound(0, spaces, 255));
    }

    void controlLeavesForAnotherEngine()
    {
        TEngineFixture F, G;
        AddDeutsch(F);
        TLangCombo Box;
        Box.SetGlottaEngine(F.Engine);
        QVERIFY(F.Engine->LData()->SpanClients->Components().contains(&Box));
        Box.SetGlottaEngine(G.Engine);
        QVERIFY(!F.Engine->LData()->SpanClients->Components().contains(&Box));
        QVERIFY(G.Engine->LData()->SpanClients->Components().contains(&Box));
        QCOMPARE(ComboItems(Box), QStringList{"čeština"});
        // The first engine's changes no longer reach it.
        F.Engine->Translate("de");
        QCOMPARE(ComboItems(Box), QStringList{"čeština"});
    }

    void engineGoesFirst()
    {
        auto F = std::make_unique<TEngineFixture>();
        AddDeutsch(*F);
        // Controls outside the engine's form, so they outlive it.
        QWidget Other;
        auto *Box = new TLangCombo(&Other);
        auto *Flags = new TLangFlagsCombo(&Other);
        auto *Flag = new TLangFlag(&Other);
        Box->SetGlottaEngine(F->Engine);
        Flags->SetGlottaEngine(F->Engine);
        Flag->SetGlottaEngine(F->Engine);
        F->Engine->Translate("de");
        QVERIFY(Box->count() > 0 && Flags->count() > 0 && !Flag->Picture().IsEmpty());
        F.reset();
        QCOMPARE(Box->GlottaEngine(), nullptr);
        QCOMPARE(Flags->GlottaEngine(), nullptr);
        QCOMPARE(Flag->GlottaEngine(), nullptr);
        QCOMPARE(Box->count(), 0);
        QCOMPARE(Flags->count(), 0);
        QVERIFY(Flag->Picture().IsEmpty());
        // Picking in a box without an engine does nothing.
        Box->addItem("x");
        emit Box->activated(0);
    }

    void controlGoesFirst()
    {
        TEngineFixture F;
        AddDeutsch(F);
        auto *Box = new TLangCombo;
        auto *Flag = new TLangFlag;
        Box->SetGlottaEngine(F.Engine);
        Flag->SetGlottaEngine(F.Engine);
        const int Before = F.Engine->LData()->SpanClients->Count();
        delete Box;
        delete Flag;
        QCOMPARE(F.Engine->LData()->SpanClients->Count(), Before - 2);
        // The engine fills its remaining controls without the gone ones.
        F.Engine->Translate("de");
        QCOMPARE(F.Engine->CurrentLanguage(), QStringLiteral("Deutsch"));
    }

    void storedDesign()
    {
        // A design with an engine and the four controls reads in, the
        // controls attach and are filled when loading ends, and it writes back unchanged.
        const QJsonObject Design{
            {"class", "TForm"},
            {"name", "ControlsForm"},
            {"components",
             QJsonArray{
                 QJsonObject{{"class", "TLangCombo"},
                             {"name", "LangCombo1"},
                             {"properties", QJsonObject{{"GlottaEngine", "GlottaEngine1"}, {"StyleCombo", "scOwnerDrawFixed"}}}},
                 QJsonObject{{"class", "TLangFlagsCombo"},
                             {"name", "LangFlagsCombo1"},
                             {"properties", QJsonObject{{"GlottaEngine", "GlottaEngine1"}}}},
                 QJsonObject{{"class", "TLangFlag"},
                             {"name", "LangFlag1"},
                             {"properties", QJsonObject{{"GlottaEngine", "GlottaEngine1"}, {"Center", false}}}},
                 QJsonObject{{"class", "TValuedLabel"},
                             {"name", "ValuedLabel1"},
                             {"properties", QJsonObject{{"ValueName", "Size"},
                                                        {"ValueSeparator", ":"},
                                                        {"ValueSpaces", 2},
                                                        {"Value", "10"}}}},
                 QJsonObject{{"class", "TGlottaEngine"},
                             {"name", "GlottaEngine1"},
                             {"properties", QJsonObject{{"DesignLanguageName", "Designed"}, {"LangMenuFlags", false}}}},
             }}};
        const QByteArray Bytes = QJsonDocument(Design).toJson();
        TForm Form;
        ReadDesignFromBytes(&Form, Bytes, "controls design");
        auto *Combo = Form.findChild<TLangCombo *>("LangCombo1");
        auto *Flags = Form.findChild<TLangFlagsCombo *>("LangFlagsCombo1");
        auto *Label = Form.findChild<TValuedLabel *>("ValuedLabel1");
        QVERIFY(Combo && Flags && Label);
        QCOMPARE(Combo->StyleCombo(), TLangCombo::scOwnerDrawFixed);
        QCOMPARE(ComboItems(*Combo), QStringList{"Designed"});
        QCOMPARE(ComboItems(*Flags), QStringList{"Designed"});
        QCOMPARE(Label->text(), QStringLiteral("Size:  10"));
        QCOMPARE(WriteDesign(&Form), QJsonDocument(Design));
    }
};

QTEST_MAIN(TestLangControls)
#include "tst_lang_controls.moc"
