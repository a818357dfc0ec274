#pragma once
// The data-type conversion of a text box's value.

#include <QString>

namespace bw {

class TextBox;

// The text converted to the form the box's data type prescribes; the box's border follows
// the data type where the conversion says so.
QString ConvertByDataType(TextBox* box, const QString& text);

}  // namespace bw
