#pragma once
// The conversion context of the running program: the format store's currency symbol and
// rounding method, the open format's custom values from the parameters, the system clock.
// The month-zero option is the main window's menu item "中文月加“零”"; the custom values are
// those of the open format.

#include "filling/ConversionContext.h"

namespace bw {

class ProgramContext : public ConversionContext {
public:
    QString CurrencySign() const override;
    int NumCutMethod() const override;
    bool MonthZero() const override;
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    QString CustomValue(int code) const override;
};

// The one context of the program.
ProgramContext& TheProgramContext();

}  // namespace bw
