#pragma once
// Working on whole formats: switching to another one, showing one on the canvas, saving the
// open one under another name and deleting one with everything that belongs to it (its
// history, default contents, import mappings, rows and parameters).

#include <QString>

namespace bw {

// The characters a format name may not hold (they would break the lists the name is kept
// in), and what the user is told when he types one.
inline const QString kForbiddenNameChars = QStringLiteral("/\\|,'\"");
inline const QString kForbiddenNameMessage = QStringLiteral("名称不能包含字符： / \\ | , ' ！");
// The longest format name in characters (a character outside the BMP counts as one), and
// what the user is told of a longer one.
inline constexpr int kMaxFormatNameLength = 100;
inline const QString kLongNameMessage = QStringLiteral("格式名称不能超过100个字符！");
// What the user is told of a name too long for the files named after it (its background
// picture, its PDF files, its exported files; FormatFileNamesFit).
inline const QString kFileNameTooLongMessage = QStringLiteral("格式名称太长，无法用作文件名！");
// What is wrong with the name as a format's: one of the messages above, "" when none.
QString FormatNameProblem(const QString& name);
// True when the name holds none of them and is not too long; otherwise the user is told
// and false.
bool FormatNameAllowed(const QString& name);

// Tells the user that the contents of the format's boxes could not be kept as its default
// contents, with the cause.
void TellDefaultsNotSaved(const QString& format);

// Makes the name the current format's (the caption of LFMT(0)); when it changed, the
// format's background picture is loaded and the label's tooltip follows.
void SetFormatCaption(const QString& name);

// Makes the format current and shows it: an empty name asks with the format list first. The
// current format is shown again only when force is set. A loaded batch goes with the format
// being left once the user agrees (No keeps that format open with its batch); a changed
// layout of it is saved or dropped as the user answers (Cancel keeps it open); the contents
// of its boxes become its default contents.
void SelectFormat(QString& name, bool& force);
void SelectFormat(const QString& name, bool force = false);

// Builds the canvas, the box property grid and the boxes of the format from its rows.
void LoadFormatIntoView(QString& name);

// Saves the open format under a name (empty: asked, a new name may be typed) and makes it
// current, with its background picture and parameters. The rows, the copied parameters and
// the default contents are written all or nothing. False when nothing was saved (cancelled,
// a refused name, the overwrite declined, or a failure the user was told of).
bool SaveFormatAs(QString& newName);

// Deletes a format other than the current one (empty: asked) after the user confirmed,
// with its history, default contents, mappings, rows and parameters, all or nothing. True
// when it was deleted. The background picture file stays.
bool DeleteFormat(QString& name);

}  // namespace bw
