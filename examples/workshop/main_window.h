#pragma once
// The example's main window: its Designer form, an engine that fills the
// language menu and the language combo, a client that translates the
// window's texts, and a resources translator for the texts the program asks
// tr() for.

#include "ui_main_window.h"

#include <QMainWindow>
#include <QStringList>

class TGlottaEngine;
class TLangCombo;
class QDialog;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    TGlottaEngine *engine() const { return m_engine; }
    // Switches to each language of the folder and back, checking a few of
    // each kind of text (menu, action, tab, table header and cell, dialog,
    // tr() text); the problems found, none when everything switched.
    QStringList selfCheck();

private:
    // The texts the program itself sets, asked for again in each language.
    void retranslateProgramTexts();
    void newCustomer();
    void about();
    QDialog *customerDialog();

    Ui::MainWindow ui;
    TGlottaEngine *m_engine = nullptr;
    TLangCombo *m_languageCombo = nullptr;
    QDialog *m_customerDialog = nullptr;
};
