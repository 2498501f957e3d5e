// Texts measured against the room of the control that shows them: fixed
// geometry, a layout's maximum, no bound at all, the parts of a control
// that are not the text's (frames, indicators), word-wrapped labels,
// combo box entries and column titles, and controls that show nothing.

#include "glotta/widgets/editor/text_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {
const QString Long = QStringLiteral("The missing components for the operation of the database:");

int Width(const QWidget *W, const QString &Text)
{
    return QFontMetrics(W->font()).horizontalAdvance(Text);
}
} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    // A plain label with fixed geometry has exactly its width for the text.
    void fixedLabel_data()
    {
        QTest::addColumn<int>("Spare"); // label width minus text width
        QTest::addColumn<int>("Lack");
        QTest::newRow("five pixels short") << -5 << 5;
        QTest::newRow("exactly wide enough") << 0 << 0;
        QTest::newRow("room to spare") << 30 << 0;
    }
    void fixedLabel()
    {
        QFETCH(int, Spare);
        QFETCH(int, Lack);
        QWidget Form;
        auto *Label = new QLabel(&Form);
        Label->setObjectName("Label1");
        Label->resize(Width(Label, Long) + Spare, 14);
        QCOMPARE(CaptionLack(Label, Long), Lack);
        Label->setText(Long);
        const QList<TFitProblem> Problems = FormFitProblems(&Form);
        if (Lack == 0) {
            QVERIFY(Problems.isEmpty());
        } else {
            QCOMPARE(Problems.size(), 1);
            QCOMPARE(Problems[0].Component, QStringLiteral("Label1"));
            QCOMPARE(Problems[0].Text, Long);
            QCOMPARE(Problems[0].Lacking(), Lack);
        }
    }

    // A frame and a margin take their pixels from the text's room.
    void labelFrameAndMargin()
    {
        QLabel Label;
        Label.setFrameStyle(QFrame::Box | QFrame::Plain);
        Label.setLineWidth(1);
        Label.setIndent(0);
        Label.setMargin(3);
        Label.resize(Width(&Label, Long) + 4, 20);
        // 2 of the frame and 6 of the margins: 4 short.
        QCOMPARE(CaptionLack(&Label, Long), 4);
    }

    // Managed by a layout, a control may grow to its maximum; without one,
    // it grows as far as its text needs.
    void labelInLayout()
    {
        QWidget Form;
        auto *Layout = new QHBoxLayout(&Form);
        auto *Label = new QLabel(&Form);
        Layout->addWidget(Label);
        Label->resize(10, 14);
        QCOMPARE(CaptionLack(Label, Long), 0);
        Label->setMaximumWidth(Width(Label, Long) - 7);
        QCOMPARE(CaptionLack(Label, Long), 7);
    }

    // A button's text shares the width with the button's frame; a check
    // box's with its indicator; "&" marks a mnemonic and takes no room.
    void buttons()
    {
        QPushButton Button;
        Button.resize(Width(&Button, Long), 25);
        QVERIFY(CaptionLack(&Button, Long) > 0);
        Button.resize(Width(&Button, Long) + 40, 25);
        QCOMPARE(CaptionLack(&Button, Long), 0);
        const int Lack = CaptionLack(&Button, Long + Long);
        QCOMPARE(CaptionLack(&Button, "&" + Long + Long), Lack);

        QCheckBox Box;
        Box.resize(Width(&Box, Long) + 2, 20);
        QVERIFY(CaptionLack(&Box, Long) > 0);
    }

    // A word-wrapped label grows downwards: it lacks height.
    void wrappedLabel()
    {
        QLabel Label;
        Label.setWordWrap(true);
        Label.resize(Width(&Label, Long) / 2 + 10, QFontMetrics(Label.font()).height());
        QVERIFY(CaptionLack(&Label, Long) > 0);
        Label.resize(Label.width(), QFontMetrics(Label.font()).height() * 4);
        QCOMPARE(CaptionLack(&Label, Long), 0);
    }

    // Combo box entries against the edit field, column titles against
    // their sections; hidden controls and unnamed ones show nothing.
    void formParts()
    {
        QWidget Form;
        auto *Combo = new QComboBox(&Form);
        Combo->setObjectName("Combo");
        Combo->resize(80, 21);
        Combo->addItems({"ok", Long});
        auto *Tree = new QTreeWidget(&Form);
        Tree->setObjectName("Tree");
        Tree->setHeaderLabels({Long, "b"});
        Tree->setColumnWidth(0, 40);
        auto *Hidden = new QLabel(Long, &Form);
        Hidden->setObjectName("Hidden");
        Hidden->resize(10, 14);
        Hidden->hide();
        auto *Unnamed = new QLabel(Long, &Form);
        Unnamed->resize(10, 14);

        QStringList Found;
        for (const TFitProblem &P : FormFitProblems(&Form))
            Found << P.Component + "/" + P.Part;
        QCOMPARE(Found, (QStringList{"Combo/Items[1]", "Tree/Columns[0]"}));
    }

    void unknownControlOrEmptyText()
    {
        QWidget Plain;
        Plain.resize(1, 1);
        QCOMPARE(CaptionLack(&Plain, Long), 0);
        QCOMPARE(CaptionLack(nullptr, Long), 0);
        QLabel Label;
        Label.resize(1, 1);
        QCOMPARE(CaptionLack(&Label, QString()), 0);
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_text_fit.moc"
