#include "filling/ProgramContext.h"

#include <QAction>

#include "common/Globals.h"
#include "common/Params.h"
#include "store/DataTypeCodes.h"
#include "store/MainForm.h"

namespace bw {

QString ProgramContext::CurrencySign() const {
    return bw::CurrencySign;
}
int ProgramContext::NumCutMethod() const {
    return bw::NumCutMethod;
}

bool ProgramContext::MonthZero() const {
    return MF().mMonthZero->isChecked();
}

QString ProgramContext::CustomValue(int code) const {
    const QString format = MF().CurrentFormat();
    if (format.isEmpty()) return QString();
    return GetParam(CustomTypeKey(format, code));
}

ProgramContext& TheProgramContext() {
    static ProgramContext ctx;
    return ctx;
}

}  // namespace bw
