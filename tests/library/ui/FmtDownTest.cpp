// The web format list window against a service on 127.0.0.1: an empty list is fetched once
// when the window opens, one row is ticked at a time and its picture is previewed.

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>

#include "HttpTestServer.h"
#include "LibraryFixture.h"
#include "common/Params.h"
#include "library/WebFormats.h"
#include "library/ui/FmtDown.h"
#include "platform/Grid.h"
#include "platform/TextCodec.h"

using namespace bw;

namespace {
class WebList : public test::LibraryTest {};
}  // namespace

TEST_F(WebList, FetchesOnceTicksOneRowAndPreviewsIt) {
    QByteArray picture;
    QImage img(300, 200, QImage::Format_RGB32);
    img.fill(QColor(200, 220, 255));
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPG");
    int lists = 0;
    test::HttpTestServer server([&](const QByteArray& target) {
        test::TestReply r;
        if (target.startsWith("/bwf/fmt.asp")) {
            ++lists;
            r.body = ToAnsi(
                "银行|进账单|/f/a.vfm|/p/a.jpg|2013-4-11<br>银行|电汇单|/f/b.vfm|/p/b.jpg|"
                "2013-4-12<br>快递|运单|/f/c.vfm|/p/c.jpg|2013-5-1<br>Finished");
        } else {
            r.body = picture;
        }
        return r;
    });
    SaveRegValue("BWF", "Para", "WebRoot", server.url(""));
    FmtDown* w = FmtDown::Show();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "可供下载的格式模板");
    EXPECT_EQ(lists, 1);
    Grid& g = w->grid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), 3);
    g.SetRow(4);
    for (int r = 2; r < 5; ++r) EXPECT_EQ(g.TextMatrix(r, kWebTickCol), r == 4 ? "√" : "") << r;
    EXPECT_EQ(g.TextMatrix(4, kWebPicPathCol), "/p/a.jpg");  // the path stays
    EXPECT_FALSE(w->LBL->isVisible());
    EXPECT_FALSE(w->Img->pixmap().isNull());
    w->grab().save(QDir(test::ArtifactDir()).filePath("fmtdown_preview.png"));
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The list is kept: opening again asks the service nothing.
    w = FmtDown::Show();
    EXPECT_EQ(lists, 1);
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SaveRegValue("BWF", "Para", "WebRoot", "");
}
