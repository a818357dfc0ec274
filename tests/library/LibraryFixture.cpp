#include "LibraryFixture.h"

#include <QTreeWidget>

#include "common/Common.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "common/Services.h"
#include "library/LibraryServices.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw::test {

void LibraryTest::SetUp() {
    CloseDatabase();
    ASSERT_TRUE(EnsureDatabase());
    ResetMF(new MainForm);
    MF().SetScreenWidthTwips(15360);
    MF().SetFrameSize(9000, 6000);
    MF().TV = new QTreeWidget(&MF());
    MF().TV->resize(300, 600);
    InitBoxModule();
    SetPauseMillisPerPass(0);
    ChosenItem.clear();
    Doors() = Services();
    InstallLibraryServices();
}

void LibraryTest::TearDown() {
    Doors() = Services();
    UnloadAllBoxes();
    ResetMF();
    CloseDatabase();
    ChosenItem.clear();
}

void LibraryTest::AddFormat(const QString& name, double widthMm, double heightMm) {
    ASSERT_TRUE(ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) "
                                          "VALUES(?, ?, ?, ?, 10, 10, 15360, '')"),
                           {name, kWholeFormatLabel, widthMm, heightMm}));
}

qint64 LibraryTest::AddBox(const QString& format, const QString& label, double rctl, double sumId) {
    ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, X, Y, W, H, fName, fSize, RCtl, SumID) "
                              "VALUES(?, ?, 10, 10, 40, 8, '宋体', 10.5, ?, ?)"),
               {format, label, rctl, sumId});
    return Db()->LastInsertId();
}

int LibraryTest::Count(const QString& table, const QString& where, const Params& params) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + where,
                  params);
    return rs.RecordCount();
}

QString LibraryTest::Param(const QString& name) {
    return ValueWhere(QStringLiteral("参数"), QStringLiteral("Var=?"), QStringLiteral("Con"),
                      {name})
        .toString();
}

QTreeWidget* LibraryTest::Tree() {
    return MF().TV;
}

}  // namespace bw::test
