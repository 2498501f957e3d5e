#include "glotta/store/property_names.h"

// Positions not listed stay nullptr; a null entry reads as an empty name.
const char *const PropertyNames[PropertyNamesCount] = {
    // TStringProperties, IDs 0..22
    "Caption", "Hint", "TextHint", "EditLabel.Hint", "EditLabel.Caption", "Text", "Title",
    "ValueName", "HelpKeyword", "BalloonHint", "BalloonTitle", "SimpleText", "FileNameLabel",
    "OkButtonLabel", "ExpandButtonCaption", "ExpandedText", "FooterText", "VerificationText",
    "DialogCaption", "HeaderTitle", "Prompt", "FieldLabel", "EmptyText",
    "", "", "", "", "", "", "", "", "", // 23..31
    // TTStringsProperties, IDs 32..42
    "Lines", "Items", "TitleCaptions", "Tabs", "Pages", "Sections", "Header", "Footer",
    "InsertList", "ItemList", "AutoCompleteList",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", // 43..63
    // TStructuredProperties, IDs 64..81
    "Panels", "Bands", "Category", "Items", "Items", "Columns", "Groups", "Items", "Sections",
    "Columns", "Items", "Columns", "FileTypes", "Buttons", "RadioButtons", "Messages",
    "KeyCaptions", "",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", // 82..95
    // TOtherProperties, IDs 96..109
    "Filter", "RV", "RV", "DisplayName", "DocInfo", "TCH", "", "Gestures", "ScreenTip",
    "ScreenMask", "", "DateFormat", "TimeFormat", "WebOptions",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", // 110..127
};

const char *const SubPropertyNames[SubPropertyLastID - SubPropertyFirstID + 1] = {
    "Header", "Footer", "BottomDescription", "SubsetTitle", "SubTitle", "TopDescription",
    "CommandLinkHint", "Author", "Creator", "KeyWords", "Producer", "Subject", "DisplayMessage",
    "Name", "CustomText", "Detail", "Description", "TextPrompt", "Format", "", "ServerMessages",
    "Unknown",
};

static_assert(pnEmptyText == 22 && pnAutoCompleteList == 10 && pnStateCaptions == 17
              && WebOptions_UNSUPP == 13);
