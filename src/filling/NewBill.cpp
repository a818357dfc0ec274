#include "filling/NewBill.h"

#include <QAction>
#include <QRegularExpression>

#include "common/Database.h"
#include "filling/AutoValues.h"
#include "filling/BoxConversion.h"
#include "filling/DataEntry.h"
#include "filling/DataTypeConversion.h"
#include "filling/Dates.h"
#include "filling/ProgramContext.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/DataTypeCodes.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw {

void NextRunningNumber(TextBox* box, int ahead) {
    Recordset rs;
    OpenRecordset(rs,
                  QStringLiteral("SELECT Con FROM 历史 WHERE Fmt=? AND CID=? "
                                 "ORDER BY ID DESC LIMIT 1"),
                  {MF().CurrentFormat(), BoxRecordId(box)});
    QString number;
    if (rs.RecordCount() >= 1) {
        rs.MoveFirst();
        number = IncrementCode(rs.Text(QStringLiteral("Con")));
    } else if (ahead > 0) {
        number = box->Text();
    } else {
        return;
    }
    for (int i = 0; i < ahead; ++i) number = IncrementCode(number);
    box->SetText(number);
    TT_LostFocus(box);
}

void AutoNumberBoxes() {
    MainForm& mf = MF();
    const QString format = mf.CurrentFormat();
    const std::vector<TextBox*> boxes = mf.TT;
    for (TextBox* box : boxes) {
        const double type = BoxDataType(box);
        const int code = int(Fix(type));
        if (code == 122) {
            NextRunningNumber(box);
        } else if (code >= 124 && code <= 130 && type <= 130) {
            const QString list =
                ValueWhere(QStringLiteral("参数"), QStringLiteral("Var=?"), QStringLiteral("Con"),
                           {format + QStringLiteral("=>自定义类型") + NumText(type)})
                    .toString();
            box->SetText(list.section(u';', 0, 0));
            TT_LostFocus(box);
        }
    }
}

void AutoFillDates(const ConversionContext& ctx) {
    const QDateTime now = ctx.Now();
    const QDate today = now.date();
    for (TextBox* box : MF().TT) {
        const double type = BoxDataType(box);
        QString v;
        switch (int(Fix(type))) {
            case 100:
            case 106:
                v = QString::number(today.year());
                break;
            case 101:
            case 107:
                v = QString::number(today.month());
                break;
            case 102:
            case 108:
                v = QString::number(today.day());
                break;
            case 110:
            case 111:
            case 112:
            case 113:
                v = ShortDateText(today);
                break;
            case 119:
            case 133:
                v = CustomDateText(now, int(Fix(type)), ctx);
                break;
            default:
                v = box->Text();
                break;
        }
        const ConversionResult r = ConvertValue(type, v, ctx);
        if (r.borderStyle) box->SetBorderStyle(*r.borderStyle);
        box->SetText(r.text);
    }
}

void AutoFillDates() {
    AutoFillDates(TheProgramContext());
}

void AutoFillPsdBoxes() {
    for (TextBox* box : MF().TT)
        if (BoxDataType(box) == 132) box->SetText(CreateRandomPsd());
}

void FillNewBillValues() {
    AutoNumberBoxes();
    AutoFillDates();
    AutoFillPsdBoxes();
}

int PageNumber(const QString& name) {
    const int p = name.lastIndexOf(u'_');
    return p < 0 ? 0 : CLng(Val(name.mid(p + 1)));
}

QStringList ListFormatPages(const QString& name) {
    QStringList pages{name};
    const int p = name.lastIndexOf(u'_');
    if (p < 0) return pages;
    const QString base = name.left(p);
    Recordset rs;
    OpenRecordset(rs,
                  QStringLiteral("SELECT Fmt FROM Fmt WHERE Fmt LIKE ? ESCAPE '\\' AND Fmt<>? "
                                 "GROUP BY Fmt ORDER BY Fmt"),
                  {LikeLiteral(base + u'_') + u'%', name});
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString other = rs.Text(QStringLiteral("Fmt"));
        if (digits.match(other.mid(base.size() + 1)).hasMatch()) pages << other;
    }
    return pages;
}

bool JumpToNextPage(const QString& format) {
    MainForm& mf = MF();
    if (!mf.mPagesAutoJump || !mf.mPagesAutoJump->isChecked()) return true;
    const QStringList pages = ListFormatPages(format);
    if (pages.size() < 2) return true;
    const int current = PageNumber(pages[0]);
    int highest = -1, lowest = 9999999, lowestAt = 0;
    for (int i = 0; i < pages.size(); ++i) {
        const int n = PageNumber(pages[i]);
        if (n > highest) highest = n;
        if (n < lowest) {
            lowest = n;
            lowestAt = i;
        }
    }
    bool complete = true;
    int target = lowestAt;
    if (current < highest) {
        complete = false;
        int best = -1;
        for (int j = 1; j < pages.size(); ++j) {
            const int n = PageNumber(pages[j]);
            if (n > current && (best < 0 || n < PageNumber(pages[best]))) best = j;
        }
        target = best;
    }
    SelectFormat(pages[target], false);
    return complete;
}

}  // namespace bw
