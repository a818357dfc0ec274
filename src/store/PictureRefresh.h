#pragma once

#include <QString>

namespace bw {

class PictureBox;

// Shows in a picture box what its text names: a ".jpg" picture file, or else the barcode of
// the text in the format's barcode standard at the box's size. The text is kept in the box's
// LinkItem and named in its tooltip. The text is taken by value: a box's own LinkItem may be
// passed to draw it again.
void RefreshPictureBox(PictureBox* box, QString text);

}  // namespace bw
