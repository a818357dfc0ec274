#pragma once
// The conversion context of the running program: the format store's currency symbol and
// rounding method, the open format's custom values from the parameters, the system clock.
// The main window tells it the state of its month-zero menu item and the open format.

#include <functional>

#include "filling/ConversionContext.h"

namespace bw {

class ProgramContext : public ConversionContext {
public:
    std::function<bool()> monthZero;      // the menu item "中文月加“零”" is checked
    std::function<QString()> formatName;  // the name of the open format

    QString CurrencySign() const override;
    int NumCutMethod() const override;
    bool MonthZero() const override { return monthZero && monthZero(); }
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    QString CustomValue(int code) const override;
};

// The one context of the program.
ProgramContext& TheProgramContext();

}  // namespace bw
