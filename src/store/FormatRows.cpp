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

QString WholeFormatOptions() {
    MainForm& mf = MF();
    QStringList items;
    items << boolText(mf.mSetPaper) << boolText(mf.mDiTuPrint);
    for (int i = 0; i < 5; ++i) items << QString::number(mf.O2Value(i));
    items << boolText(mf.mPrintRulers) << boolText(mf.mMonthZero) << CurrencySign
          << boolText(mf.mPagesAutoJump) << boolText(mf.mClearAfterPrint) << PsdParaString()
          << boolText(mf.mForbidPicClear) << boolText(mf.mAutoFontsize)
          << QString::number(BarcodeStandard());
    QString mem;
    for (const QString& i : items) mem += i + u'|';
    return mem;
}

void ApplyWholeFormatOptions(const QString& mem) {
    MainForm& mf = MF();
    CurrencySign = QStringLiteral("￥");
    LoadPsdPara(QString());
    for (QAction* a :
         {mf.mSetPaper, mf.mDiTuPrint, mf.mPrintRulers, mf.mMonthZero, mf.mPagesAutoJump,
          mf.mClearAfterPrint, mf.mForbidPicClear, mf.mAutoFontsize})
        a->setChecked(false);
    BarcodeStandard() = 0;
    if (mem.isEmpty()) return;
    const QStringList p = mem.split(u'|');
    const int n = p.size();
    if (n >= 8) {
        mf.mSetPaper->setChecked(isTrue(p[0]));
        mf.mDiTuPrint->setChecked(isTrue(p[1]));
        mf.mPrintRulers->setChecked(isTrue(p[7]));
        for (int i = 0; i < 5; ++i) mf.SetO2Value(i, CInt(Val(p[2 + i])));
    }
    if (n >= 9) mf.mMonthZero->setChecked(isTrue(p[8]));
    if (n >= 11) CurrencySign = p[9];
    if (n >= 12) mf.mPagesAutoJump->setChecked(isTrue(p[10]));
    if (n >= 13) mf.mClearAfterPrint->setChecked(isTrue(p[11]));
    LoadPsdPara(n >= 14 ? p[12] : QString());
    if (n >= 15) mf.mForbidPicClear->setChecked(isTrue(p[13]));
    if (n >= 16) mf.mAutoFontsize->setChecked(isTrue(p[14]));
    BarcodeStandard() = BarcodeStandardOfOptions(mem);
}

int BarcodeStandardOfOptions(const QString& mem) {
    const QStringList p = mem.split(u'|');
    return p.size() >= 17 ? CInt(Val(p[15])) : 0;
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
