#pragma once
// The commands of the format tree's menus, acting on the clicked node of MF().TV: add a
// category (gathering the formats of "其他" whose names hold it), delete a format or a
// category with its formats, rename a category or a format.

#include <QString>

namespace bw {

// "添加格式分类": asks for the name; refuses "\ / | ," and a name any node already has.
void mAddClassNode_Click();
// "删除": a format through DeleteFormat; a category after a confirmation, each of its formats
// through DeleteFormat (the first refusal ends the command), then the category itself.
void mDelNode_Click();
// "改名": a category (refused when one of that name exists) or a format (refused when a
// format of that name exists), with its rows, history, defaults, mappings, parameters and
// picture.
void mReName_Click();

// Moves every row and parameter of the format `from` to the name `to` in one transaction
// (Fmt, 历史, 默认, 映射, the parameters "<from>=>..." and "<from>_列顺序") and renames its
// background picture file. False (and nothing changed) when a statement failed.
bool RenameFormat(const QString& from, const QString& to);

}  // namespace bw
