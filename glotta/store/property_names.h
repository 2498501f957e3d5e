#pragma once
// The vocabulary of property types: the four enumerations whose ordinals make
// the property-type IDs of line IDs, and the display names of those IDs.
//
// ID ranges: 0-31 TStringProperties, 32-63 TTStringsProperties,
// 64-95 TStructuredProperties, 96-127 TOtherProperties (ID = range start +
// ordinal), 500-521 sub-property names used inside item paths, 1000 and up
// property types of extension modules. The enumerations are plain (unscoped)
// so that a member converts to its ordinal where an ID is computed.

#include "glotta/store/glotta_store_export.h"
#include <QtGlobal>

enum TStringProperties : quint8 {
    pnCaption,
    pnHint,
    pnTextHint,
    pnEditLabelHint,
    pnEditLabelCaption,
    pnText,
    pnTitle,
    pnValueName,
    pnHelpKeyword,
    pnBalloonHint,
    pnBalloonTitle,
    pnSimpleText,
    pnFileNameLabel,
    pnOkButtonLabel,
    pnExpandButtonCaption,
    pnExpandedText,
    pnFooterText,
    pnVerificationText,
    pnDialogCaption,
    pnHeaderTitle,
    pnPrompt,
    pnFieldLabel,
    pnEmptyText
};

enum TTStringsProperties : quint8 {
    pnLines,
    pnItems,
    pnTitleCaptions,
    pnTabs,
    pnPages,
    pnSections,
    pnHeader,
    pnFooter,
    pnInsertList,
    pnItemList,
    pnAutoCompleteList
};

enum TStructuredProperties : quint8 {
    pnPanels,
    pnBands,
    pnButtonCategories,
    pnGrpButtonItems,
    pnTreeItems,
    pnListColumns,
    pnListGroups,
    pnListItems,
    pnHeaderSections,
    pnDBGridTitleCaptions,
    pnOutlineItems,
    pnTabProducerColumns,
    pnFileTypes,
    pnButtons,
    pnRadioButtons,
    pnMessages,
    pnKeyCaptions,
    pnStateCaptions
};

enum TOtherProperties : quint8 {
    pnFilter,
    RvProject_DISABLED,
    RvSystem_DISABLED,
    RvRender_DISABLED,
    RAVE_IS_DISABLED,
    cnTChart,
    cnTActionManager,
    cnTGestureManager,
    cnTScreenTipItem_UNSUPP,
    ScreenMask_UNSUPP,
    UniCalendar_UNSUPP,
    DateFormat_UNSUPP,
    TimeFormat_UNSUPP,
    WebOptions_UNSUPP
};

// First IDs of the ranges.
constexpr quint16 StringPropertiesBase = 0;
constexpr quint16 StringsPropertiesBase = 32;
constexpr quint16 StructuredPropertiesBase = 64;
constexpr quint16 OtherPropertiesBase = 96;
constexpr quint16 PropertyNamesCount = 128;      // IDs 0..127 have an entry in PropertyNames
constexpr quint16 SubPropertyFirstID = 500;
constexpr quint16 SubPropertyLastID = 521;       // also the ID of an unreadable property-type part
constexpr quint16 UnknownPropertyID = 521;
constexpr quint16 AdditionPropertyFirstID = 1000; // extension modules: entry ID - 1000 of LMAdditionNames

// Display names of IDs 0..127; an ID without a name (including IDs past the
// last member of a range) has an empty name. Entries are Latin-1 literals.
extern GLOTTA_STORE_EXPORT const char *const PropertyNames[PropertyNamesCount];
// Display names of IDs 500..521, indexed by ID - 500; 519 is empty, 521 "Unknown".
extern GLOTTA_STORE_EXPORT const char *const SubPropertyNames[SubPropertyLastID - SubPropertyFirstID + 1];
