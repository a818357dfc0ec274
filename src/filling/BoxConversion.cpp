#include "filling/BoxConversion.h"

#include "filling/DataTypeConversion.h"
#include "filling/ProgramContext.h"
#include "store/BoxAccessors.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw {

namespace {
// The program's context reads the open format and the month-zero menu item of the main
// window unless someone told it otherwise.
ProgramContext& context() {
    ProgramContext& c = TheProgramContext();
    if (!c.monthZero) c.monthZero = [] { return MF().mMonthZero->isChecked(); };
    if (!c.formatName) c.formatName = [] { return MF().CurrentFormat(); };
    return c;
}
}  // namespace

QString ConvertByDataType(TextBox* box, const QString& text) {
    if (!box) return text;
    const ConversionResult r = ConvertValue(BoxDataType(box), text, context());
    if (r.borderStyle) box->SetBorderStyle(*r.borderStyle);
    return r.text;
}

}  // namespace bw
