#pragma once

class ButtonBar;
class TfrmMain;

// Every command of the main window, made from the tables in Commands.cpp:
// the menu bar MnuMain, the pop-up menus MnuPopup and mnuPopReset, and the
// toolbar's speed buttons. Each table row names the control, its caption or
// hint, its picture, its initial state and the TfrmMain handler it calls;
// that is where to look to find what a menu item or button does.
namespace commands {

void build(TfrmMain &window, ButtonBar &buttonBar);

} // namespace commands
