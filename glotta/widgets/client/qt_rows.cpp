// The texts of a widget or action beyond the published sets, each under its
// own ID from 1000 up: accessible name and description, status tip, an
// action's icon text set apart from its text, spin-box prefix, suffix and
// special-value text, the placeholder of a text editor or combo box, a
// progress bar's format, a wizard page's subtitle, the title of a toolbar
// (or of any widget inside a window that carries one), a command-link
// button's description and a date or time edit's display format.
#include "glotta/widgets/client/client_rows.h"
#include "glotta/widgets/client/qt_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"
#include "toolkit/core/component.h"

#include <QAction>
#include <QCommandLinkButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QWizardPage>

namespace {
struct TRowInfo
{
    const char *Name;
    const char *Property;
};
constexpr TRowInfo Rows[qrCount] = {
    {"AccessibleName", "accessibleName"},
    {"AccessibleDescription", "accessibleDescription"},
    {"StatusTip", "statusTip"},
    {"IconText", "iconText"},
    {"Prefix", "prefix"},
    {"Suffix", "suffix"},
    {"SpecialValueText", "specialValueText"},
    {"Placeholder", "placeholderText"},
    {"Format", "format"},
    {"SubTitle", "subTitle"},
    {"WindowTitle", "windowTitle"},
    {"Description", "description"},
    {"ItemColumns", "items"},
    {"ItemHints", "items"},
    {"RowHeaders", "items"},
    {"ItemHelp", "items"},
    {"DisplayFormat", "displayFormat"},
};

bool On(const TRowPass &P, TQtRow Row)
{
    return (P.QtRows & (1u << Row)) != 0;
}

void Row(TRowPass &P, TQtRow R, const QString &Value, const std::function<void(const QString &)> &Write)
{
    if (On(P, R))
        TextRow(P, QtRowID(R), Value, Write, QString());
}

// An action's icon text set apart from its text; empty when it is Qt's
// fallback (the text without markers), which follows the text by itself.
QString OwnIconText(const QAction *A)
{
    const QString Icon = A->iconText();
    return Icon == QtStrippedText(A->text()) ? QString() : Icon;
}
// A date or time edit's format set apart from the one Qt gives a new edit of
// its kind under the present locale; empty when it is that one.
QString OwnDisplayFormat(const QDateTimeEdit *Edit)
{
    QString Default;
    if (qobject_cast<const QDateEdit *>(Edit))
        Default = QDateEdit().displayFormat();
    else if (qobject_cast<const QTimeEdit *>(Edit))
        Default = QTimeEdit().displayFormat();
    else
        Default = QDateTimeEdit().displayFormat();
    return Edit->displayFormat() == Default ? QString() : Edit->displayFormat();
}
} // namespace

const char *QtRowProperty(TQtRow Row)
{
    return Rows[Row].Property;
}

const QStringList &QtRowNames()
{
    static const QStringList Names = [] {
        QStringList L;
        for (const TRowInfo &R : Rows)
            L << QString::fromLatin1(R.Name);
        return L;
    }();
    return Names;
}

void QtWidgetRows(TRowPass &P)
{
    if (!P.QtRows)
        return;
    if (auto *A = qobject_cast<QAction *>(P.Component)) {
        Row(P, qrStatusTip, A->statusTip(), [A](const QString &T) { A->setStatusTip(T); });
        Row(P, qrIconText, OwnIconText(A), [A](const QString &T) { A->setIconText(T); });
        return;
    }
    auto *W = qobject_cast<QWidget *>(P.Component);
    if (!W)
        return;
    Row(P, qrAccessibleName, W->accessibleName(), [W](const QString &T) { W->setAccessibleName(T); });
    Row(P, qrAccessibleDescription, W->accessibleDescription(),
        [W](const QString &T) { W->setAccessibleDescription(T); });
    Row(P, qrStatusTip, W->statusTip(), [W](const QString &T) { W->setStatusTip(T); });
    // A form's and a dock's titles are captions; any other widget's title
    // (a toolbar's, shown on its handle and in the window's menu) is here,
    // and so is that of a form whose caption is another text (a wizard
    // page's title).
    if (qstrcmp(RowProperty(W, StringPropertyID(pnCaption)), "windowTitle") != 0)
        Row(P, qrWindowTitle, W->windowTitle(), [W](const QString &T) { W->setWindowTitle(T); });
    if (auto *Spin = qobject_cast<QSpinBox *>(W)) {
        Row(P, qrPrefix, Spin->prefix(), [Spin](const QString &T) { Spin->setPrefix(T); });
        Row(P, qrSuffix, Spin->suffix(), [Spin](const QString &T) { Spin->setSuffix(T); });
    } else if (auto *DSpin = qobject_cast<QDoubleSpinBox *>(W)) {
        Row(P, qrPrefix, DSpin->prefix(), [DSpin](const QString &T) { DSpin->setPrefix(T); });
        Row(P, qrSuffix, DSpin->suffix(), [DSpin](const QString &T) { DSpin->setSuffix(T); });
    }
    if (auto *Abstract = qobject_cast<QAbstractSpinBox *>(W))
        Row(P, qrSpecialValueText, Abstract->specialValueText(),
            [Abstract](const QString &T) { Abstract->setSpecialValueText(T); });
    if (auto *DateTime = qobject_cast<QDateTimeEdit *>(W))
        Row(P, qrDisplayFormat, OwnDisplayFormat(DateTime),
            [DateTime](const QString &T) { DateTime->setDisplayFormat(T); });
    if (auto *Plain = qobject_cast<QPlainTextEdit *>(W))
        Row(P, qrPlaceholder, Plain->placeholderText(), [Plain](const QString &T) { Plain->setPlaceholderText(T); });
    else if (auto *Rich = qobject_cast<QTextEdit *>(W))
        Row(P, qrPlaceholder, Rich->placeholderText(), [Rich](const QString &T) { Rich->setPlaceholderText(T); });
    else if (auto *Combo = qobject_cast<QComboBox *>(W); Combo && MatchesRowClass(Combo, "QComboBox"))
        Row(P, qrPlaceholder, Combo->placeholderText(), [Combo](const QString &T) { Combo->setPlaceholderText(T); });
    if (auto *Bar = qobject_cast<QProgressBar *>(W))
        Row(P, qrProgressFormat, Bar->format() == QLatin1String("%p%") ? QString() : Bar->format(), [Bar](const QString &T) { Bar->setFormat(T); });
    if (auto *Page = qobject_cast<QWizardPage *>(W))
        Row(P, qrSubTitle, Page->subTitle(), [Page](const QString &T) { Page->setSubTitle(T); });
    if (auto *Link = qobject_cast<QCommandLinkButton *>(W))
        Row(P, qrDescription, Link->description(), [Link](const QString &T) { Link->setDescription(T); });
}
