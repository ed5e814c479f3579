#pragma once

// The resource paths of the menu and toolbar pictures, for QIcon.
namespace icons {

inline constexpr char about[] = ":/icons/about.svg";                    // i in a circle
inline constexpr char blog[] = ":/icons/blog.svg";                      // page and pencil
inline constexpr char brand[] = ":/icons/brand.svg";                    // house
inline constexpr char calculators[] = ":/icons/calculators.svg";        // calculator
inline constexpr char disclaimer[] = ":/icons/disclaimer.svg";          // shield with !
inline constexpr char exit[] = ":/icons/exit.svg";                      // open door, arrow out
inline constexpr char helpContents[] = ":/icons/help-contents.svg";     // book
inline constexpr char help[] = ":/icons/help.svg";                      // question mark
inline constexpr char inspectionForm[] = ":/icons/inspection-form.svg"; // clipboard with checks
inline constexpr char printPreview[] = ":/icons/print-preview.svg";     // page and magnifier
inline constexpr char printSetup[] = ":/icons/print-setup.svg";         // printer
inline constexpr char reset[] = ":/icons/reset.svg";                    // circular arrow
inline constexpr char suggestion[] = ":/icons/suggestion.svg";          // light bulb
inline constexpr char support[] = ":/icons/support.svg";                // lifebuoy
inline constexpr char todoList[] = ":/icons/todo-list.svg";             // list with tick boxes
inline constexpr char update[] = ":/icons/update.svg";                  // arrow down into a tray
inline constexpr char utilities[] = ":/icons/utilities.svg";            // toolbox
inline constexpr char webInfo[] = ":/icons/web-info.svg";               // globe with i

inline constexpr const char *all[] = {
    about,        blog,    brand,          calculators,  disclaimer, exit,
    helpContents, help,    inspectionForm, printPreview, printSetup, reset,
    suggestion,   support, todoList,       update,       utilities,  webInfo,
};

} // namespace icons
