#include "filling/ProgramContext.h"

#include "designer/DataTypeCodes.h"
#include "store/Globals.h"
#include "store/Params.h"

namespace bw {

QString ProgramContext::CurrencySign() const {
    return bw::CurrencySign;
}
int ProgramContext::NumCutMethod() const {
    return bw::NumCutMethod;
}

QString ProgramContext::CustomValue(int code) const {
    if (!formatName) return QString();
    return GetParam(CustomTypeKey(formatName(), code));
}

ProgramContext& TheProgramContext() {
    static ProgramContext ctx;
    return ctx;
}

}  // namespace bw
