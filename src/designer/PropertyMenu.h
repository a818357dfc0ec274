#pragma once
// "设置内容框" of the box menu: the property dialog of the menu's box.

namespace bw {

// Shows the property dialog of the kind of Menus().MenuTarget for that box (without
// blocking). Also what a double click on a row of the box property grid runs, once that row's
// box is the menu's box.
void mCtlset_Click();

// True when this build has the property dialogs (the item is otherwise disabled).
bool PropertyDialogsBuilt();

}  // namespace bw
