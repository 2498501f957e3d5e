#pragma once
// The rows for texts a Qt window carries beyond the published property sets
// (accessible texts, status tips, spin-box affixes, item columns, ...). Each
// has its own property-type ID from 1000 up, so the IDs of the published
// sets keep their meaning in every stored language file. Also the run-time
// "do not translate" mark.

#include <QString>
#include <QStringList>

class QObject;

enum TQtRow : quint8 {
    qrAccessibleName,        // QWidget::accessibleName
    qrAccessibleDescription, // QWidget::accessibleDescription
    qrStatusTip,             // QWidget and QAction statusTip
    qrIconText,              // QAction::iconText set apart from its text
    qrPrefix,                // QSpinBox/QDoubleSpinBox prefix
    qrSuffix,                // ... suffix
    qrSpecialValueText,      // QAbstractSpinBox::specialValueText
    qrPlaceholder,           // QPlainTextEdit, QTextEdit and QComboBox placeholderText
    qrProgressFormat,        // QProgressBar::format
    qrSubTitle,              // QWizardPage::subTitle
    qrWindowTitle,           // windowTitle of a widget that is no form and no dock (a toolbar's)
    qrDescription,           // QCommandLinkButton::description
    qrItemColumns,           // tree-widget item columns after the first
    qrItemHints,             // tooltips of tree, list and table items and of header sections
    qrRowHeaders,            // QTableWidget row (vertical) header texts
    qrItemHelp,              // what's-this and status tips of tree, list and table items
    qrDisplayFormat,         // QDateTimeEdit::displayFormat
    qrCount
};

constexpr quint16 QtRowFirstID = 1000;
constexpr quint16 QtRowID(TQtRow Row)
{
    return quint16(QtRowFirstID + Row);
}
constexpr quint32 AllQtRows = (1u << qrCount) - 1;
// The rows a tag that keeps only hints, or drops them, counts as hints.
constexpr quint32 QtHintRows = (1u << qrAccessibleDescription) | (1u << qrStatusTip) | (1u << qrItemHints)
                               | (1u << qrItemHelp);

// The Qt property a row reads, as Qt Designer names it.
const char *QtRowProperty(TQtRow Row);
// The names of the rows by ordinal, as the editor labels their lines (the
// entry of ID - 1000).
const QStringList &QtRowNames();

// The dynamic property that keeps texts of an object as they are: "*" (or
// true) for all of them, else a list of Qt property names, separated by
// commas or spaces, as Qt Designer names them ("text", "toolTip",
// "windowTitle", "title", "whatsThis", "statusTip", "placeholderText",
// "accessibleName", "suffix", ...; "items" for the items of a list, combo
// box, tree or table widget and a header's sections).
inline constexpr char NoTranslateProperty[] = "GlottaNoTranslate";
// Object's text held in its Qt property Property is marked to stay as it is.
bool KeepsUntranslated(const QObject *Object, const char *Property);
