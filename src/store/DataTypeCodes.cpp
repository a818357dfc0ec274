#include "store/DataTypeCodes.h"

#include "platform/VbNumbers.h"

namespace bw {

const QStringList& DataTypeListEntries() {
    static const QStringList entries = {
        QStringLiteral("000｜普通文本"),
        QStringLiteral("100｜年(中文)"),
        QStringLiteral("101｜月(中文)"),
        QStringLiteral("102｜日(中文)"),
        QStringLiteral("103｜大写金额(元)"),
        QStringLiteral("120｜大写金额(圆)"),
        QStringLiteral("104｜小写金额(不对格)(有￥)"),
        QStringLiteral("105｜小写金额(不对格)(无￥)"),
        QStringLiteral("117｜小写金额(不对格)(无￥无逗号)"),
        QStringLiteral("118｜小写金额(不对格)(有￥无逗号)"),
        QStringLiteral("011｜小写金额(对格 有￥)"),
        QStringLiteral("311｜小写金额(对格 无￥)"),
        QStringLiteral("123｜小写金额(XXXX元)"),
        QStringLiteral("211｜数字(对格)"),
        QStringLiteral("106｜年(阿拉伯)"),
        QStringLiteral("107｜月(阿拉伯)"),
        QStringLiteral("108｜日(阿拉伯)"),
        QStringLiteral("109｜邮编"),
        QStringLiteral("110｜日期：YYYY年MM月DD日"),
        QStringLiteral("111｜日期：YYYY-MM-DD"),
        QStringLiteral("112｜日期：MM月DD日"),
        QStringLiteral("113｜日期：MM-DD"),
        QStringLiteral("119｜自定义日期："),
        QStringLiteral("133｜自定义日期："),
        QStringLiteral("114｜大写金额(仅数字)"),
        QStringLiteral("121｜大写金额(仅数字,无角分)"),
        QStringLiteral("115｜只打√"),
        QStringLiteral("116｜百分数"),
        QStringLiteral("122｜自动编号"),
        QStringLiteral("131｜性别"),
        QStringLiteral("132｜发票密码区"),
        QStringLiteral("124｜自定义列表1："),
        QStringLiteral("125｜自定义列表2："),
        QStringLiteral("126｜自定义列表3："),
        QStringLiteral("127｜自定义列表4："),
        QStringLiteral("128｜自定义列表5："),
        QStringLiteral("129｜自定义列表6："),
        QStringLiteral("130｜自定义列表7："),
    };
    return entries;
}

int EntryCode(const QString& entry) {
    return CLng(Val(entry));
}

QString EntryForCode(int code) {
    for (const QString& e : DataTypeListEntries())
        if (EntryCode(e) == code) return e;
    return QString();
}

bool IsCustomEntry(const QString& entry) {
    return entry.contains(QStringLiteral("自定义"));
}

CashKind ClassifyCash(double c) {
    if (c > 0 && c < 100) return CashKind::AmountCells;
    if (c > 200 && c < 300) return CashKind::DigitCells;
    if (c > 300 && c < 400) return CashKind::AmountCellsNoSign;
    if (Fix(c) == 114) return CashKind::CapitalDigits;
    if (Fix(c) == 121) return CashKind::CapitalYuanDigits;
    return CashKind::Plain;
}

UnpackedCash UnpackCash(double c) {
    UnpackedCash u;
    u.countEditable = true;
    switch (ClassifyCash(c)) {
        case CashKind::Plain:
            u.code = CLng(c);
            u.countCaption = QStringLiteral("数据类型代码：");
            u.count = c;
            u.countEditable = false;
            break;
        case CashKind::CapitalYuanDigits:
            u.code = 121;
            u.countCaption = QStringLiteral("大写金额位数：");
            // The 0.0001 absorbs the error of the stored hundredths (121.07 gives 7).
            u.count = Fix(c * 100 + 0.0001 - 12100);
            break;
        case CashKind::CapitalDigits:
            u.code = 114;
            u.countCaption = QStringLiteral("大写金额位数：");
            u.count = Fix(c * 100 + 0.0001 - 11400);
            break;
        case CashKind::AmountCells:
            u.code = 11;
            u.countCaption = QStringLiteral("小写金额格数：");
            u.count = c;
            break;
        case CashKind::DigitCells:
        case CashKind::AmountCellsNoSign:
            u.code = c > 300 ? 311 : 211;
            u.countCaption = QStringLiteral("数字格数：");
            u.count = c > 300 ? c - 300 : c - 200;
            break;
    }
    return u;
}

double PackCash(int code, double v) {
    if (code > 200 && code < 300) return v + 200;
    if (code == 311) return v + 300;
    if (code == 114) return v / 100 + 114;
    if (code == 121) return v / 100 + 121;
    return v;
}

double DefaultCashForCode(int code) {
    switch (code) {
        case 11:
            return 11;
        case 114:
        case 121:
        case 211:
        case 311:
            return PackCash(code, 11);
        default:
            return code;
    }
}

QString BoundedCountText(const QString& text) {
    const double v = Val(text);
    return (v <= 0 || v > 99) ? InitialCountText() : text;
}

QString CustomTypeKey(const QString& formatName, int code) {
    return formatName + QStringLiteral("=>自定义类型") + QString::number(code);
}

QString EntryWithCustomValue(const QString& entry, const QString& value) {
    const int colon = entry.indexOf(u'：');
    const QString head = colon < 0 ? entry : entry.left(colon);
    return head + u'：' + value;
}

QStringList EntriesWithCustomValues(const std::function<QString(int code)>& valueOf) {
    QStringList out;
    for (const QString& e : DataTypeListEntries())
        out << (IsCustomEntry(e) ? EntryWithCustomValue(e, valueOf(EntryCode(e))) : e);
    return out;
}

QString CustomValuePrompt(int code) {
    return QStringLiteral(
               "请输入自定义数据格式信息,时间格式：YYYY-MM-DD HH:MM:SS；列表格式：选项A;选项B;"
               "选项C(类型编号") +
           QString::number(code) + QStringLiteral(")：");
}

}  // namespace bw
