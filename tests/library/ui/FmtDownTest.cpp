// The web format list window against a service on 127.0.0.1: an empty list is fetched once
// when the window opens, one row is ticked at a time and its picture is previewed.

#include <QApplication>
#include <QLabel>

#include "LibraryFixture.h"
#include "library/WebFormats.h"
#include "library/ui/FmtDown.h"
#include "platform/Grid.h"

using namespace bw;

namespace {
using WebList = test::WebServiceTest;
}  // namespace

TEST_F(WebList, FetchesOnceTicksOneRowAndPreviewsIt) {
    list_ =
        "银行|进账单|/f/a.vfm|/p/a.jpg|2013-4-11<br>银行|电汇单|/f/b.vfm|/p/b.jpg|2013-4-12<br>"
        "快递|运单|/f/c.vfm|/p/c.jpg|2013-5-1<br>Finished";
    FmtDown* w = FmtDown::Show();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(listRequests(), 1);
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
    EXPECT_EQ(listRequests(), 1);
    w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
