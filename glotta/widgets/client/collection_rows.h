#pragma once
// The handlers of texts inside collections, one family of widgets per file.
// The client runs them after a component's own texts, in its fixed order;
// each answers whether its widget class matched. A handler whose member is
// not in the effective set is not called.

#include "glotta/widgets/client/item_texts.h"

// Status-bar panels and standalone header sections (status_headers.cpp).
bool StatusPanels(TItemPass &P);
bool HeaderSections(TItemPass &P);

// Tree-item columns after the first, item and section tooltips, what's-this
// texts and status tips, and table row headers (qt_item_rows.cpp).
void QtItemRows(TItemPass &P);

// Tree nodes, list columns and table cells (item_views.cpp).
bool TreeNodes(TItemPass &P);
bool ListColumns(TItemPass &P);
bool TableItems(TItemPass &P);

// File dialogs and message boxes (dialog_components.cpp).
bool FileDialogFilters(TItemPass &P);
bool FileDialogLabels(TItemPass &P);
bool MessageBoxTexts(TItemPass &P);

// Tray icons (tray_icon.cpp).
bool TrayIconTexts(TItemPass &P);

// The unnamed actions of named menu bars, toolbars and menus (action_bars.cpp).
bool ActionBarItems(TItemPass &P);
