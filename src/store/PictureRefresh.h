#pragma once

#include <QString>

namespace bw {

class PictureBox;

// True when a picture box's text names a picture rather than a barcode: any text ending in
// ".jpg" (any case), and an existing file ending in ".jpeg", ".bmp", ".gif", ".png" or ".ico"
// (the kinds the picture dialog offers).
bool IsPictureFileText(const QString& text);

// Shows in a picture box what its text names: a picture file (IsPictureFileText), or else the
// barcode of the text in the format's barcode standard at the box's size. A picture is read at
// the box's size when its own is larger (ReadShownPicture: one that cannot be read is named in
// a message and the box stays blank). The text is kept in the
// box's LinkItem and named in its tooltip. The text is taken by value: a box's own LinkItem may be
// passed to draw it again.
void RefreshPictureBox(PictureBox* box, QString text);

}  // namespace bw
