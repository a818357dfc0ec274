#include "filling/BoxConversion.h"

#include "filling/DataTypeConversion.h"
#include "filling/ProgramContext.h"
#include "store/BoxAccessors.h"
#include "store/TextBox.h"

namespace bw {

QString ConvertByDataType(TextBox* box, const QString& text) {
    if (!box) return text;
    const ConversionResult r = ConvertValue(BoxDataType(box), text, TheProgramContext());
    if (r.borderStyle) box->SetBorderStyle(*r.borderStyle);
    return r.text;
}

}  // namespace bw
