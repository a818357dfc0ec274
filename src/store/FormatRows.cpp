#include "store/FormatRows.h"

#include "barcode/BarcodeStandard.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "platform/VbNumbers.h"
#include "store/MainForm.h"
#include "store/PsdPara.h"

namespace bw {

namespace {
QString boolText(const QAction* a) {
    return a->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
}
bool isTrue(const QString& s) {
    return s.toLower() == QLatin1String("true");
}
}  // namespace

double ComputeDisplayScale(double savedWidth, double screenWidth) {
    if (savedWidth == 0) return screenWidth != 15360 ? (screenWidth - 340) / 15020 : 1.0;
    if (screenWidth == savedWidth) return 1.0;
    if (savedWidth == 340) return 1.0;  // no usable design width
    return (screenWidth - 340) / (savedWidth - 340);
}

QStringList WholeFormatOptionItems() {
    MainForm& mf = MF();
    QStringList items;
    items << boolText(mf.mSetPaper) << boolText(mf.mDiTuPrint);
    for (int i = 0; i < 5; ++i) items << QString::number(mf.O2Value(i));
    items << boolText(mf.mPrintRulers) << boolText(mf.mMonthZero) << CurrencySign
          << boolText(mf.mPagesAutoJump) << boolText(mf.mClearAfterPrint) << PsdParaString()
          << boolText(mf.mForbidPicClear) << boolText(mf.mAutoFontsize)
          << QString::number(BarcodeStandard());
    return items;
}

QString WholeFormatOptions() {
    QString mem;
    for (const QString& i : WholeFormatOptionItems()) mem += i + u'|';
    return mem;
}

QStringList OptionItemsOf(const QString& mem, const QStringList& shown) {
    const QStringList p = mem.isEmpty() ? QStringList() : mem.split(u'|');
    const qsizetype n = p.size();
    // Item i of the text, present when the text holds `needed` parts.
    const auto flag = [&](int i, qsizetype needed) {
        return n >= needed && isTrue(p[i]) ? QStringLiteral("True") : QStringLiteral("False");
    };
    QStringList items;
    items << flag(0, 8) << flag(1, 8);
    for (int i = 0; i < 5; ++i) {
        if (n < 8) {
            items << shown.value(2 + i, QStringLiteral("0"));
            continue;
        }
        const int v = CInt(Val(p[2 + i]));  // a check box is ticked, greyed or clear
        items << QString::number(v == 1 || v == 2 ? v : 0);
    }
    items << flag(7, 8) << flag(8, 9) << (n >= 11 ? p[9] : QStringLiteral("￥")) << flag(10, 12)
          << flag(11, 13) << PsdParaText(ParsePsdPara(n >= 14 ? p[12] : QString())) << flag(13, 15)
          << flag(14, 16) << QString::number(n >= 17 ? CInt(Val(p[15])) : 0);
    return items;
}

void ApplyWholeFormatOptions(const QString& mem) {
    MainForm& mf = MF();
    const QStringList items = OptionItemsOf(mem, WholeFormatOptionItems());
    const auto ticked = [&items](int i) { return items[i] == QLatin1String("True"); };
    mf.mSetPaper->setChecked(ticked(0));
    mf.mDiTuPrint->setChecked(ticked(1));
    mf.mPrintRulers->setChecked(ticked(7));
    for (int i = 0; i < 5; ++i) mf.SetO2Value(i, items[2 + i].toInt());
    mf.mMonthZero->setChecked(ticked(8));
    CurrencySign = items[9];
    mf.mPagesAutoJump->setChecked(ticked(10));
    mf.mClearAfterPrint->setChecked(ticked(11));
    LoadPsdPara(items[12]);
    mf.mForbidPicClear->setChecked(ticked(13));
    mf.mAutoFontsize->setChecked(ticked(14));
    BarcodeStandard() = items[15].toInt();
}

void LoadWholeFormatRow(QString& name) {
    MainForm& mf = MF();
    CurrencySign = QStringLiteral("￥");
    if (name.isEmpty()) name = mf.CurrentFormat();
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT * FROM Fmt WHERE Fmt=? AND LBL=?"),
                  {name, kWholeFormatLabel});
    if (rs.RecordCount() < 1) return;
    mf.Wid->setText(rs.Text(QStringLiteral("W")));
    mf.Hie->setText(rs.Text(QStringLiteral("H")));
    mf.M_X->setText(rs.Text(QStringLiteral("X")));
    mf.M_Y->setText(rs.Text(QStringLiteral("Y")));
    DisplayScale = ComputeDisplayScale(rs.Number(QStringLiteral("Color")), mf.ScreenWidthTwips());
    ApplyWholeFormatOptions(rs.Text(QStringLiteral("Mem")));
}

bool SaveWholeFormatRow(const QString& w, const QString& h, const QString& x, const QString& y,
                        QString& name) {
    MainForm& mf = MF();
    if (name.isEmpty()) name = mf.CurrentFormat();
    const QString mem = WholeFormatOptions();
    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT * FROM Fmt WHERE Fmt=? AND LBL=?"),
                       {name, kWholeFormatLabel}))
        return false;
    if (rs.RecordCount() == 0) rs.AddNew();
    rs.SetValue(QStringLiteral("Fmt"), name);
    rs.SetValue(QStringLiteral("LBL"), kWholeFormatLabel);
    rs.SetValue(QStringLiteral("W"), Val(w));
    rs.SetValue(QStringLiteral("H"), Val(h));
    rs.SetValue(QStringLiteral("X"), Val(x));
    rs.SetValue(QStringLiteral("Y"), Val(y));
    rs.SetValue(QStringLiteral("Color"), static_cast<qlonglong>(mf.ScreenWidthTwips()));
    rs.SetValue(QStringLiteral("Mem"), mem);
    return rs.Update();
}

QString LoadAppOptionsRow() {
    MainForm& mf = MF();
    const QString name =
        ValueWhere(QStringLiteral("Fmt"), QStringLiteral("Fmt=''"), QStringLiteral("LBL"))
            .toString();
    const QString options =
        ValueWhere(QStringLiteral("Fmt"), QStringLiteral("Fmt=''"), QStringLiteral("fName"))
            .toString();
    if (!options.isEmpty()) {
        const QStringList p = options.split(QStringLiteral("§☆§"));
        for (int i = 0; i < 3 && i < p.size(); ++i) mf.SetO2Value(i, CInt(Val(p[i])));
    }
    return name;
}

void SaveAppOptionsRow(QString& name) {
    MainForm& mf = MF();
    const QString s = QString::number(mf.O2Value(0)) + QStringLiteral("§☆§") +
                      QString::number(mf.O2Value(1)) + QStringLiteral("§☆§") +
                      QString::number(mf.O2Value(2));
    if (name.isEmpty()) name = mf.CurrentFormat();
    ExecuteSql(QStringLiteral("UPDATE Fmt SET LBL=?, fName=? WHERE Fmt=''"), {name, s});
}

}  // namespace bw
