#include "main_window.h"
#include "ui_customer_dialog.h"

#include "glotta/engine/resources_translator.h"
#include "glotta/glotta_version.h"
#include "glotta/widgets/glotta_client.h"
#include "glotta/widgets/glotta_engine.h"
#include "glotta/widgets/lang_combo.h"

#include <QDialog>
#include <QMessageBox>
#include <QStatusBar>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    ui.setupUi(this); // the widgets first: the client collects what they show

    m_engine = new TGlottaEngine(this);
    m_engine->setObjectName(QStringLiteral("GlottaEngine1"));
    m_engine->SetDesignLangISOCode(QStringLiteral("en")); // the language the .ui files are written in
    m_engine->SetDesignLanguageName(QStringLiteral("English"));
    m_engine->SetLangSubdirectory(QStringLiteral("lang")); // *.lng beside the program
    m_engine->SetLanguageMenu(ui.menuLanguage); // one checkable entry per language, then the editor's

    m_languageCombo = new TLangCombo(ui.mainToolBar);
    m_languageCombo->setObjectName(QStringLiteral("languageCombo"));
    ui.mainToolBar->addSeparator();
    ui.mainToolBar->addWidget(m_languageCombo);
    m_languageCombo->SetGlottaEngine(m_engine);

    // The texts the program asks tr() for, with the form they are designed in.
    auto *strings = new TResourcesTranslator(this);
    strings->setObjectName(QStringLiteral("ResStrings1"));
    strings->SetGlottaEngine(m_engine);
    strings->RegisterResourceString(QStringLiteral("Ready"));
    strings->RegisterResourceString(QStringLiteral("%1 orders open"));
    strings->RegisterResourceString(QStringLiteral("About the workshop"));
    strings->RegisterResourceString(QStringLiteral("An example of Glotta %1, a runtime localization library."));

    auto *client = new TGlottaClient(this);
    client->setObjectName(QStringLiteral("GlottaClient1"));
    // Table cells are data more often than designed text, so a client leaves
    // them alone unless asked; this table's cells are designed.
    client->SetTransStructuredProp(client->TransStructuredProp() | PropertySet({pnListItems}));
    client->SetGlottaEngine(m_engine);

    m_engine->OnChangeLanguage = [this](QObject *) { retranslateProgramTexts(); };
    connect(ui.actionNewCustomer, &QAction::triggered, this, &MainWindow::newCustomer);
    connect(ui.actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(ui.actionAbout, &QAction::triggered, this, &MainWindow::about);

    client->Translate();
    retranslateProgramTexts();
}

void MainWindow::retranslateProgramTexts()
{
    statusBar()->showMessage(tr("Ready") + QStringLiteral(" · ")
                             + tr("%1 orders open").arg(ui.ordersTable->rowCount()));
}

QDialog *MainWindow::customerDialog()
{
    if (!m_customerDialog) {
        // The dialog is a window of its own, so it has a client of its own
        // on the same engine; it is translated into the current language at once.
        m_customerDialog = new QDialog(this);
        Ui::CustomerDialog form;
        form.setupUi(m_customerDialog);
        auto *client = new TGlottaClient(m_customerDialog);
        client->setObjectName(QStringLiteral("GlottaClient1"));
        client->SetGlottaEngine(m_engine);
        client->Translate();
    }
    return m_customerDialog;
}

void MainWindow::newCustomer()
{
    customerDialog()->open();
}

void MainWindow::about()
{
    QMessageBox::about(this, tr("About the workshop"),
                       tr("An example of Glotta %1, a runtime localization library.")
                           .arg(QStringLiteral(GLOTTA_VERSION_STRING)));
}

namespace {
struct Expected
{
    QString menu, action, tab, header, cell, dialog, status;
};
} // namespace

QStringList MainWindow::selfCheck()
{
    QStringList problems;
    const QList<QPair<QString, Expected>> languages = {
        {QStringLiteral("cs"),
         {QStringLiteral("&Soubor"), QStringLiteral("&Nový zákazník…"), QStringLiteral("Poznámky"),
          QStringLiteral("Zákazník"), QStringLiteral("Čeká na díly"), QStringLiteral("Nový zákazník"),
          QStringLiteral("Připraveno")}},
        {QStringLiteral("de"),
         {QStringLiteral("&Datei"), QStringLiteral("&Neuer Kunde…"), QStringLiteral("Notizen"),
          QStringLiteral("Kunde"), QStringLiteral("Wartet auf Teile"), QStringLiteral("Neuer Kunde"),
          QStringLiteral("Bereit")}},
        {QStringLiteral("en"),
         {QStringLiteral("&File"), QStringLiteral("&New customer…"), QStringLiteral("Notes"),
          QStringLiteral("Customer"), QStringLiteral("Waiting for parts"), QStringLiteral("New customer"),
          QStringLiteral("Ready")}},
    };
    QDialog *dialog = customerDialog();
    for (const auto &[code, want] : languages) {
        m_engine->Translate(code);
        const auto check = [&](const char *what, const QString &shown, const QString &expected) {
            if (shown != expected)
                problems << QStringLiteral("%1: %2 shows \"%3\", expected \"%4\"")
                                .arg(code, QLatin1String(what), shown, expected);
        };
        check("the current language", m_engine->CurrentLanguageISO(), code);
        check("the File menu", ui.menuFile->title(), want.menu);
        check("the new-customer action", ui.actionNewCustomer->text(), want.action);
        check("the second tab", ui.tabs->tabText(1), want.tab);
        check("the first column", ui.ordersTable->horizontalHeaderItem(0)->text(), want.header);
        check("a table cell", ui.ordersTable->item(0, 2)->text(), want.cell);
        check("the dialog", dialog->windowTitle(), want.dialog);
        check("the status bar", statusBar()->currentMessage().section(QStringLiteral(" · "), 0, 0), want.status);
        check("the combo", m_languageCombo->currentText(), m_engine->CurrentLanguage());
        const QAction *checked = nullptr;
        for (const QAction *entry : ui.menuLanguage->actions())
            if (entry->isChecked())
                checked = entry;
        if (!checked || !checked->text().contains(m_engine->CurrentLanguage()))
            problems << code + QStringLiteral(": the language menu does not check the current language");
    }
    return problems;
}
