#pragma once

#include <QString>

namespace bw {

class PictureBox;

// Shows in a picture box what its text names: a ".jpg" picture file, or else the barcode of
// the text in the format's barcode standard at the box's size. The text is kept in the box's
// LinkItem and named in its tooltip.
void RefreshPictureBox(PictureBox* box, const QString& text);

}  // namespace bw
