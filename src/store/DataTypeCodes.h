#pragma once
// The data types of a text box: the list the user chooses from in the box-properties editor,
// how a cell or digit count is packed into the box's code (the column Cash), and the key of
// a format's custom values in the parameters.

#include <QString>
#include <QStringList>
#include <functional>

namespace bw {

// The 38 entries of the data-type list, code "｜" caption, in the order the user sees them.
const QStringList& DataTypeListEntries();

// The code of a list entry: the number of its leading digits ("011｜…" gives 11).
int EntryCode(const QString& entry);

// The entry whose leading number equals the code; "" when there is none.
QString EntryForCode(int code);

// True for the entries of the custom dates and lists (their captions hold "自定义").
bool IsCustomEntry(const QString& entry);

// The kinds of code a box can hold, classified by the ranges of Cash.
enum class CashKind {
    Plain,              // 0 and every single code (100 to 133, and what packing never makes)
    AmountCells,        // 0 < Cash < 100: an amount in Cash cells with the currency symbol
    DigitCells,         // 200 < Cash < 300: a digit string in Cash - 200 cells
    AmountCellsNoSign,  // 300 < Cash < 400: an amount in Cash - 300 cells without the symbol
    CapitalDigits,      // Fix(Cash) = 114: capital digits, the count in hundredths
    CapitalYuanDigits,  // Fix(Cash) = 121: capital digits without jiao and fen
};
CashKind ClassifyCash(double cash);

// What the editor shows for a stored Cash value.
struct UnpackedCash {
    int code = 0;  // the chosen list entry's code
    QString countCaption;  // "小写金额格数：", "数字格数：", "大写金额位数：" or "数据类型代码："
    double count = 0;  // the count field: the cell or digit count, or the code itself
    bool countEditable = false;
};
UnpackedCash UnpackCash(double cash);

// Cash for a chosen code and the count field's value (for a single code the field shows the
// code itself).
double PackCash(int code, double count);

// Cash for a code just chosen in the list: every cell type starts with 11 cells.
double DefaultCashForCode(int code);

// The count field's text after the user leaves it: a count of 0 or less, or above 99,
// becomes "11".
QString BoundedCountText(const QString& text);

// The caption of the count field before any type is shown, and its first text.
inline QString InitialCountCaption() {
    return QStringLiteral("格数：");
}
inline QString InitialCountText() {
    return QStringLiteral("11");
}

// The parameter that holds a format's custom value of a code: the format name,
// "=>自定义类型" and the code ("收据=>自定义类型124").
QString CustomTypeKey(const QString& formatName, int code);

// The entry with its custom value after its first "：" ("124｜自定义列表1：甲;乙").
QString EntryWithCustomValue(const QString& entry, const QString& value);

// Every custom entry of the list with the value `valueOf(code)`; the others as they are.
QStringList EntriesWithCustomValues(const std::function<QString(int code)>& valueOf);

// The prompt of the input box that asks for a custom value of the code.
QString CustomValuePrompt(int code);

}  // namespace bw
