#pragma once
// The handlers of texts inside collections, one family of widgets per file.
// The client runs them after a component's own texts, in its fixed order;
// each answers whether its widget class matched. A handler whose member is
// not in the effective set is not called.

#include "glotta/widgets/glotta_widgets_export.h"
#include "glotta/widgets/client/item_texts.h"

// Status-bar panels and standalone header sections (status_headers.cpp).
GLOTTA_WIDGETS_EXPORT bool StatusPanels(TItemPass &P);
GLOTTA_WIDGETS_EXPORT bool HeaderSections(TItemPass &P);

// Tree-item columns after the first, item and section tooltips, what's-this
// texts and status tips, and table row headers (qt_item_rows.cpp).
void QtItemRows(TItemPass &P);

// Tree nodes, list columns and table cells (item_views.cpp).
GLOTTA_WIDGETS_EXPORT bool TreeNodes(TItemPass &P);
GLOTTA_WIDGETS_EXPORT bool ListColumns(TItemPass &P);
GLOTTA_WIDGETS_EXPORT bool TableItems(TItemPass &P);

// File dialogs and message boxes (dialog_components.cpp).
GLOTTA_WIDGETS_EXPORT bool FileDialogFilters(TItemPass &P);
GLOTTA_WIDGETS_EXPORT bool FileDialogLabels(TItemPass &P);
GLOTTA_WIDGETS_EXPORT bool MessageBoxTexts(TItemPass &P);

// Tray icons (tray_icon.cpp).
GLOTTA_WIDGETS_EXPORT bool TrayIconTexts(TItemPass &P);

// The unnamed actions of named menu bars, toolbars and menus (action_bars.cpp).
GLOTTA_WIDGETS_EXPORT bool ActionBarItems(TItemPass &P);
