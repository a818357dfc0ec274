#pragma once
// The scanned picture of a blank bill that the canvas shows behind a format's boxes: one
// JPEG file per format in the data folder, named after the format.

#include <QString>

namespace bw {

// The data folder's file of the format: the name with * ? < > / \ : | and the double quote
// replaced by the digits 0 to 8, and ".jpg"; and that file's name alone.
QString BackgroundPicturePath(const QString& format);
QString BackgroundPictureFileName(const QString& format);

// Lets the user pick a JPEG file and makes it the format's picture (asking before an
// existing one is replaced); the canvas then shows it. A picture that cannot be read is named
// with its cause (ReadShownPicture) and replaces nothing. The old picture stays until the new
// one is completely copied; when the copy fails the user is told why.
void SetBackgroundPicture(const QString& format);

// Puts the format's picture into the main window's picture holder TP (empty without a file),
// at its own size or, a scan too large to hold, reduced (ReadPicture); one that cannot be
// read is named with its cause in a message (ReadShownPicture) and leaves TP empty.
void LoadBackgroundPicture(const QString& format);

// After the user confirmed, removes the format's picture file and drops it from the canvas.
// False when the file was there and could not be removed (the picture then stays).
bool ClearBackgroundPicture(const QString& format);

}  // namespace bw
