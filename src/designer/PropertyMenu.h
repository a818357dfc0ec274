#pragma once
// "设置内容框" of the box menu: the property dialog of the menu's box.

namespace bw {

// Shows the property dialog of the kind of Menus().MenuTarget for that box (without
// blocking).
void mCtlset_Click();

}  // namespace bw
