// Dialog components: the filters and labels of a file dialog (its title is
// one of its own texts) and the texts and custom buttons of a message box.
#include "glotta/widgets/client/collection_rows.h"

#include "glotta/engine/glotta_component.h"
#include "glotta/store/property_ids.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QFileDialog>
#include <QMessageBox>

namespace {
// The sub-property of a command-link button's hint inside an item path.
constexpr int CommandLinkHintID = 506;

// The button a box with details adds to show and hide them: Qt's own, with
// no name and no standard-button value, known only by its two texts.
bool IsDetailsButton(const QAbstractButton *B)
{
    return B->text() == QMessageBox::tr("Show Details...") || B->text() == QMessageBox::tr("Hide Details...");
}

// A filter "Description (p1 p2)" split into its description and the rest;
// false for an entry without patterns, which stays as it is.
bool SplitFilter(const QString &Filter, QString &Description, QString &Patterns)
{
    const qsizetype Open = Filter.lastIndexOf(QLatin1Char('('));
    if (Open < 0 || !Filter.trimmed().endsWith(QLatin1Char(')')))
        return false;
    qsizetype End = Open;
    while (End > 0 && Filter.at(End - 1).isSpace())
        --End;
    Description = Filter.left(End);
    Patterns = Filter.mid(Open + 1, Filter.lastIndexOf(QLatin1Char(')')) - Open - 1);
    return true;
}
} // namespace

bool FileDialogFilters(TItemPass &P)
{
    auto *Dialog = qobject_cast<QFileDialog *>(P.Component);
    if (!Dialog)
        return false;
    const QStringList Filters = Dialog->nameFilters();
    QStringList Texts = Filters;
    for (qsizetype i = 0; i < Filters.size(); ++i) {
        QString Description, Patterns;
        if (!SplitFilter(Filters[i], Description, Patterns))
            continue;
        const QString Rest = Filters[i].mid(Description.size());
        // A mask of several patterns reads "[*.txt *.text]" in the item path,
        // as a ";"-separated one would: the token turns ";" into a space.
        const QString Path = AddrToken(QLatin1Char('[') + Patterns + QLatin1Char(']'));
        // The dialog keeps each filter on one line, its blanks simplified.
        ItemText(
            P, OtherPropertyID(pnFilter), Path, nullptr, Description,
            [&Texts, i, Rest](const QString &T) { Texts[i] = T + Rest; }, 0,
            [](const QString &T) { return T.simplified(); });
    }
    if (!P.Collect && Texts != Filters) {
        // Setting the filters selects the first one.
        const qsizetype Selected = Filters.indexOf(Dialog->selectedNameFilter());
        Dialog->setNameFilters(Texts);
        if (Selected >= 0)
            Dialog->selectNameFilter(Texts[Selected]);
    }
    return true;
}

bool FileDialogLabels(TItemPass &P)
{
    // Qt answers its own defaults for a label nobody set, so the designed
    // labels are dynamic properties that the client pushes to the dialog.
    auto *Dialog = qobject_cast<QFileDialog *>(P.Component);
    if (!Dialog)
        return false;
    const auto Label = [&P, Dialog](quint8 Member, const char *Property, QFileDialog::DialogLabel Which) {
        ComponentText(P, Member, Dialog->property(Property).toString(), [Dialog, Property, Which](const QString &T) {
            Dialog->setProperty(Property, T);
            if (!T.isEmpty())
                Dialog->setLabelText(Which, T);
        });
    };
    Label(pnFileNameLabel, "FileNameLabel", QFileDialog::FileName);
    Label(pnOkButtonLabel, "OkButtonLabel", QFileDialog::Accept);
    return true;
}

bool MessageBoxTexts(TItemPass &P)
{
    auto *Box = qobject_cast<QMessageBox *>(P.Component);
    if (!Box)
        return false;
    // Standard buttons carry Qt's own translations; custom ones are counted
    // in the box's order, which is by role, not by insertion.
    if (P.Client.TranslatesStructuredProperty(pnButtons)) {
        const quint16 ID = StructuredPropertyID(pnButtons);
        int i = 0;
        for (QAbstractButton *B : Box->buttons()) {
            if (Box->standardButton(B) != QMessageBox::NoButton || IsDetailsButton(B))
                continue;
            ItemText(P, ID, AddSubPropertyToAddr(QString::number(i), pnCaption), B, B->text(),
                     [B](const QString &T) { B->setText(T); });
            if (auto *Link = qobject_cast<QCommandLinkButton *>(B))
                ItemText(P, ID, AddSubPropertyToAddr(QString::number(i), CommandLinkHintID), Link,
                         Link->description(), [Link](const QString &T) { Link->setDescription(T); }, 1);
            ++i;
        }
    }
    ComponentText(P, pnCaption, Box->windowTitle(), [Box](const QString &T) { Box->setWindowTitle(T); });
    ComponentText(P, pnExpandedText, Box->detailedText(), [Box](const QString &T) { Box->setDetailedText(T); });
    ComponentText(P, pnText, Box->informativeText(), [Box](const QString &T) { Box->setInformativeText(T); });
    ComponentText(P, pnTitle, Box->text(), [Box](const QString &T) { Box->setText(T); });
    if (QCheckBox *Check = Box->checkBox())
        ComponentText(P, pnVerificationText, Check->text(), [Check](const QString &T) { Check->setText(T); });
    return true;
}
