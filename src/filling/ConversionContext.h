#pragma once
// What the value conversions need to know of the program around them: the open format's
// currency symbol and custom values, the program's rounding method, the month-zero menu
// option and the clock. The conversions never reach for these themselves, so that they run
// the same in a text box, in the print engine, in a batch and in a test.

#include <QDateTime>
#include <QHash>
#include <QString>

namespace bw {

class ConversionContext {
public:
    virtual ~ConversionContext() = default;
    // The currency symbol of the open format; any text, the empty text included.
    virtual QString CurrencySign() const = 0;
    // Decimals beyond the second: 0 cut off, 1 half up, 2 up; any other value cuts off.
    virtual int NumCutMethod() const = 0;
    // The menu option "中文月加“零”": months 3 to 9 in capitals get a leading "零".
    virtual bool MonthZero() const = 0;
    // The current date and time.
    virtual QDateTime Now() const = 0;
    // The open format's custom value of a data type: the date pattern of 119 and 133, the
    // ";"-separated items of 124 to 130; "" when there is none.
    virtual QString CustomValue(int code) const = 0;
};

// A context that holds its values. Tests set the clock; callers that take a snapshot of the
// program's settings fill it once. An invalid `now` reads the system clock.
struct FixedContext : ConversionContext {
    QString currencySign = QStringLiteral("￥");
    int numCutMethod = 0;
    bool monthZero = false;
    QDateTime now;
    QHash<int, QString> customValues;

    QString CurrencySign() const override { return currencySign; }
    int NumCutMethod() const override { return numCutMethod; }
    bool MonthZero() const override { return monthZero; }
    QDateTime Now() const override { return now.isValid() ? now : QDateTime::currentDateTime(); }
    QString CustomValue(int code) const override { return customValues.value(code); }
};

}  // namespace bw
