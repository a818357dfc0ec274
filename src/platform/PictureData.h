#pragma once
// Whether a picture file holds the whole of its picture. A JPEG, GIF or BMP file cut off, or
// zeroed from some point on, still decodes: to a picture grey or empty below some line, with
// no error. These tell such a file from a whole one by its structure alone, without decoding
// it. Files of other kinds are left to their decoders, which refuse one cut off.

class QIODevice;

namespace bw {

// True when the file's data is known to stop before its picture does: a JPEG whose scan
// data begins but does not reach its end marker, a GIF whose first image's data does not
// end, a BMP shorter than its rows. False for a whole file, and for one whose kind or header
// is not known here (its decoder judges it). Reads the file from its start and puts its
// position back.
bool PictureCutOff(QIODevice& file);

}  // namespace bw
