#include "store/SampleFormats.h"

#include <initializer_list>
#include <vector>

#include "common/Database.h"
#include "common/Schema.h"
#include "store/BoxControl.h"

namespace bw {

namespace {

// One box of a ready format; lengths in millimetres (a line: its two ends).
struct SampleBox {
    int kind;
    const char* caption;
    int side;  // 0 above, 1 left, 2 right, 3 below
    double x, y, w, h;
    double cash = 0;          // data type (a line: its style)
    const char* sample = "";  // the box's contents at the first start
    double fontSize = 10.5;   // a line: its width
    int align = 0;            // 0 left, 1 right, 2 centre
    bool bold = false;
};

// A link between two boxes of a ready format, by their places in the format's list: the box
// `to` shows the value of `from` (same value), or `from` adds its number into `to`.
struct SampleLink {
    int from, to;
    bool adds = false;
};

// The whole-format options: the printer's paper set to the bill's size, no picture
// printing, rulers shown, the background picture shown, the currency sign, QR codes for the barcode
// boxes.
const char* const kOptions = "True|False|1|0|0|0|1|False|False|￥|False|False||False|False|2|";

bool addFormat(sql::Connection& c, const QString& name, double widthMm, double heightMm,
               std::initializer_list<SampleBox> boxes, std::initializer_list<SampleLink> links) {
    if (!c.Exec(QStringLiteral(
                    "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, ?, ?, 10, 10, "
                    "15360, ?)"),
                {name, kWholeFormatLabel, widthMm, heightMm, QString::fromUtf8(kOptions)}))
        return false;
    std::vector<qint64> ids;
    for (const SampleBox& b : boxes) {
        Recordset rs = c.Query(QStringLiteral("SELECT * FROM Fmt WHERE ID=0"));
        if (!rs.IsOpen()) return false;
        rs.AddNew();
        rs.SetValue(QStringLiteral("Fmt"), name);
        rs.SetValue(QStringLiteral("LBL"), QString::fromUtf8(b.caption));
        rs.SetValue(QStringLiteral("Dir"), b.side);
        rs.SetValue(QStringLiteral("X"), b.x);
        rs.SetValue(QStringLiteral("Y"), b.y);
        rs.SetValue(QStringLiteral("W"), b.w);
        rs.SetValue(QStringLiteral("H"), b.h);
        rs.SetValue(QStringLiteral("S"), 0);
        rs.SetValue(QStringLiteral("L"), b.align * 1000);
        rs.SetValue(QStringLiteral("Color"), 0);
        rs.SetValue(QStringLiteral("fName"), QStringLiteral("宋体"));
        rs.SetValue(QStringLiteral("fSize"), b.fontSize);
        rs.SetValue(QStringLiteral("fBold"), b.bold);
        rs.SetValue(QStringLiteral("fItalic"), false);
        rs.SetValue(QStringLiteral("fUnderline"), false);
        rs.SetValue(QStringLiteral("fStrikethru"), false);
        rs.SetValue(QStringLiteral("Clas"), b.kind);
        rs.SetValue(QStringLiteral("Cash"), b.cash);
        for (const char* link : {"RCtl", "SumID", "SumID1", "RCtl1"})
            rs.SetValue(QLatin1String(link), 0);
        if (!rs.Update()) return false;
        const qint64 id = rs.Value(QStringLiteral("ID")).toLongLong();
        ids.push_back(id);
        const QString sample = QString::fromUtf8(b.sample);
        if (!sample.isEmpty() &&
            !c.Exec(QStringLiteral("INSERT INTO 默认(Fmt, ID, Con) VALUES(?, ?, ?)"),
                    {name, id, sample}))
            return false;
    }
    for (const SampleLink& l : links) {
        const QString sql = l.adds ? QStringLiteral("UPDATE Fmt SET SumID=? WHERE ID=?")
                                   : QStringLiteral("UPDATE Fmt SET RCtl=? WHERE ID=?");
        if (!c.Exec(sql, {ids.at(l.to), ids.at(l.from)})) return false;
    }
    return true;
}

// A bank deposit slip, 210 x 101.6 mm: payer and payee, the amount in capitals and in
// eleven cells, the cheque kind, an urgent tick, today's date and a running slip number with
// its QR code. The capitals follow the amount typed into the cells, the QR code the number.
bool addDepositSlip(sql::Connection& c) {
    return addFormat(c, kSampleDepositSlip, 210, 101.6,
                     {
                         {kLabel, "进 账 单（回 单）", 0, 78, 3, 60, 7, 0, "", 15, 2, true},
                         {kTextBox, "年", 2, 128, 11, 12, 6, 106},
                         {kTextBox, "月", 2, 146, 11, 8, 6, 107},
                         {kTextBox, "日", 2, 160, 11, 8, 6, 108},
                         {kLine, "", 0, 10, 18, 200, 18, 1, "", 1},
                         {kLabel, "出 票 人", 0, 50, 19.5, 30, 5, 0, "", 10.5, 2, true},
                         {kLabel, "收 款 人", 0, 150, 19.5, 30, 5, 0, "", 10.5, 2, true},
                         {kTextBox, "全称", 1, 28, 25, 80, 6, 0, "上海申通物流有限公司"},
                         {kTextBox, "账号", 1, 28, 32, 80, 6, 0, "1001 2345 6789 0123 456"},
                         {kTextBox, "开户银行", 1, 28, 39, 80, 6, 0, "中国工商银行上海市分行"},
                         {kLine, "", 0, 112, 18, 112, 46, 1, "", 1},
                         {kTextBox, "全称", 1, 128, 25, 76, 6, 0, "北京华联商厦股份有限公司"},
                         {kTextBox, "账号", 1, 128, 32, 76, 6, 0, "6222 0200 1234 5678"},
                         {kTextBox, "开户银行", 1, 128, 39, 76, 6, 0, "中国建设银行北京朝阳支行"},
                         {kLine, "", 0, 10, 46, 200, 46, 1, "", 1},
                         {kTextBox, "人民币(大写)", 1, 34, 49, 92, 7, 103, "12345.6"},
                         {kTextBox, "小写", 1, 140, 49, 64, 7, 11, "12345.6"},
                         {kLine, "", 0, 10, 57, 200, 57, 1, "", 1},
                         {kTextBox, "票据种类", 1, 28, 60, 30, 6, 0, "转账支票"},
                         {kTextBox, "票据张数", 1, 82, 60, 12, 6, 0, "1"},
                         {kCheckBox, "加急", 1, 112, 60.5, 5, 5, 0, "1"},
                         {kTextBox, "用途", 1, 28, 68, 98, 6, 0, "货款"},
                         {kPictureBox, "", 0, 176, 60, 26, 26, 0, "BW-JZD-20130411-0001"},
                         {kTextBox, "编号", 1, 22, 11, 50, 6, 122, "BW-JZD-20130411-0001", 9},
                     },
                     // 小写 to 人民币(大写), 编号 to its QR code.
                     {{16, 15}, {23, 22}});
}

// An express waybill, 230 x 127 mm: sender and recipient with their addresses and
// postcodes, the goods, insured value and charges, the collect and insurance ticks, the
// date, and a running waybill number with its QR code. The freight and the insurance fee add
// up into the total, which the capitals follow.
bool addWaybill(sql::Connection& c) {
    return addFormat(
        c, kSampleWaybill, 230, 127,
        {
            {kLabel, "快 递 运 单", 0, 80, 3, 60, 8, 0, "", 16, 2, true},
            {kTextBox, "运单号", 1, 166, 4, 54, 7, 122, "BW130411000128"},
            {kLine, "", 0, 8, 14, 224, 14, 1, "", 1},
            {kLabel, "寄件人", 0, 10, 15.5, 20, 5, 0, "", 10.5, 0, true},
            {kTextBox, "姓名", 1, 30, 22, 34, 6, 0, "张明"},
            {kTextBox, "电话", 1, 76, 22, 36, 6, 0, "021-62345678"},
            {kTextBox, "单位", 1, 30, 30, 82, 6, 0, "上海申通物流有限公司"},
            {kTextBox, "地址", 1, 30, 38, 82, 12, 0, "上海市长宁区延安西路1088号//长峰中心18楼"},
            {kTextBox, "邮编", 1, 30, 53, 24, 6, 109, "200052"},
            {kLine, "", 0, 116, 14, 116, 63, 1, "", 1},
            {kLabel, "收件人", 0, 120, 15.5, 20, 5, 0, "", 10.5, 0, true},
            {kTextBox, "姓名", 1, 140, 22, 34, 6, 0, "李华"},
            {kTextBox, "电话", 1, 186, 22, 36, 6, 0, "010-85671234"},
            {kTextBox, "单位", 1, 140, 30, 82, 6, 0, "北京华联商厦股份有限公司"},
            {kTextBox, "地址", 1, 140, 38, 82, 12, 0, "北京市朝阳区建国路87号//华联大厦5层"},
            {kTextBox, "邮编", 1, 140, 53, 24, 6, 109, "100022"},
            {kLine, "", 0, 8, 63, 224, 63, 1, "", 1},
            {kTextBox, "物品名称", 1, 30, 67, 60, 6, 0, "合同文件"},
            {kTextBox, "件数", 1, 106, 67, 14, 6, 0, "1"},
            {kTextBox, "重量(公斤)", 1, 146, 67, 18, 6, 0, "0.5"},
            {kTextBox, "保价金额", 1, 30, 76, 36, 6, 104, "2000"},
            {kCheckBox, "保价", 1, 86, 76.5, 5, 5, 0, "1"},
            {kCheckBox, "到付", 1, 110, 76.5, 5, 5, 0, ""},
            {kLine, "", 0, 8, 84, 186, 84, 1, "", 1},
            {kTextBox, "运费", 1, 30, 88, 26, 6, 104, "22"},
            {kTextBox, "大写", 1, 30, 97, 80, 6, 120, "24"},
            {kTextBox, "寄件日期", 1, 140, 97, 40, 6, 111, ""},
            {kTextBox, "备注", 1, 30, 106, 150, 6, 0, "工作日送达，请当面签收。"},
            {kPictureBox, "", 0, 194, 90, 28, 28, 0, "BW130411000128"},
            {kTextBox, "保价费", 1, 80, 88, 24, 6, 104, "2"},
            {kTextBox, "费用合计", 1, 130, 88, 30, 6, 104, "24"},
        },
        // 运单号 to its QR code; 运费 and 保价费 add into 费用合计, which 大写 follows.
        {{1, 28}, {24, 30, true}, {29, 30, true}, {30, 25}});
}

}  // namespace

bool WriteSampleFormats(sql::Connection& c) {
    return addDepositSlip(c) && addWaybill(c) &&
           c.Exec(QStringLiteral("UPDATE Fmt SET LBL=? WHERE Fmt=''"), {kSampleDepositSlip});
}

bool SeedSampleFormats() {
    // The look and the writing are one transaction (one that writes from its start): a
    // program seeding the same file meanwhile is waited for, and its formats are seen.
    Transaction t;
    if (!t.Active()) return false;
    const QVariant formats = ValueWhere(QStringLiteral("Fmt"), QStringLiteral("LBL=?"),
                                        QStringLiteral("Fmt"), {kWholeFormatLabel});
    if (!formats.toString().isEmpty() || !WriteSampleFormats(*Db())) return false;
    return t.Commit();
}

}  // namespace bw
