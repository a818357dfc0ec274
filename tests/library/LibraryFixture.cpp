#include "LibraryFixture.h"

#include <QBuffer>
#include <QTreeWidget>

#include "common/Common.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "common/Services.h"
#include "library/LibraryServices.h"
#include "platform/TextCodec.h"
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

QByteArray SampleFormatFile() {
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("data/sample.vfm")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WebServiceTest::SetUp() {
    LibraryTest::SetUp();
    server_ = std::make_unique<HttpTestServer>([this](const QByteArray& target) {
        TestReply r;
        const QByteArray path = target.left(target.indexOf('?'));
        if (path == "/bwf/fmt.asp") {
            r.body = ToAnsi(list_);
        } else if (path == "/korvanesoft/downpage/Pro.asp") {
            r.body = page_;
        } else if (path == "/f/样本.vfm" || path == "/f/%E6%A0%B7%E6%9C%AC.vfm") {
            r.body = SampleFormatFile();
        } else if (path.endsWith(".jpg")) {
            r.body = picture_;
        } else {
            r.status = 404;
            r.body = "<html>not found</html>";
        }
        return r;
    });
    SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Para"), QStringLiteral("WebRoot"),
                 server_->url(QString()));
    QImage img(300, 200, QImage::Format_RGB32);
    img.fill(QColor(200, 220, 255));
    QBuffer buffer(&picture_);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPG");
}

void WebServiceTest::TearDown() {
    SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Para"), QStringLiteral("WebRoot"),
                 QString());
    LibraryTest::TearDown();
}

int WebServiceTest::listRequests() const {
    int n = 0;
    for (const QByteArray& t : server_->targets()) n += t.startsWith("/bwf/fmt.asp");
    return n;
}

}  // namespace bw::test
