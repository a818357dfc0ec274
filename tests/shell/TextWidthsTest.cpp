// Texts shown whole, measured in their font's metrics, on the screens clerks use (the build
// runs this again on offscreen screens of 1366 x 768 and 1600 x 1000): the format list's
// names, a message box's title, the history page's columns the first time it shows, the
// column order's names and the import mapping's sample. Pictures of each go to the artifacts.

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "MainWindowFixture.h"
#include "filling/DataEntry.h"
#include "library/ui/FmtList.h"
#include "platform/Dialogs.h"
#include "platform/GridView.h"
#include "platform/XlsWriter.h"
#include "records/History.h"
#include "records/ui/ColOrdSet.h"
#include "records/ui/ImportSheets.h"
#include "records/ui/InputMap.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using ScreenSizeTexts = test::MainWindowTest;

// Every text in sight in the grid stands whole in the part of its cell it is drawn in, on one
// line (a line break shows as a space).
void expectTextsWhole(const GridView* view) {
    const Grid& g = view->grid();
    int seen = 0;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) {
            const QString shown =
                QString(g.TextRef(r, c)).replace(QRegularExpression("[\r\n]"), " ");
            if (shown.isEmpty() || view->TextRect(r, c).isEmpty()) continue;
            ++seen;
            EXPECT_GE(view->TextRect(r, c).width(), view->fontMetrics().horizontalAdvance(shown))
                << view->window()->windowTitle().toStdString() << ": " << shown.toStdString();
        }
    EXPECT_GT(seen, 0);
}

TEST_F(ScreenSizeTexts, GridTextsAndTitlesStandWhole) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    const QSize screen = w->screen()->size();
    const auto picture = [screen](QWidget* window, const char* name) {
        settle();
        window->grab().save(
            test::ArtifactDir() +
            QString("/%1_%2x%3.png").arg(name).arg(screen.width()).arg(screen.height()));
    };
    test::whenShown<FmtList>([&](FmtList* list) {
        expectTextsWhole(list->MSF);
        picture(list, "format_list");
        list->COM_Click(1);
    });
    w->m_FCom[30]->trigger();  // 选择格式

    dlg::SetAnswerer({});  // a real message box, as narrow as its text lets it be
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_GE(box->width(), dlg::TitleBarWidth(box->windowTitle(), box->fontMetrics()));
        picture(box, "message_box_title");
        box->done(QMessageBox::Ok);
    });
    dlg::MsgBox(QStringLiteral("删除完成！"));
    test::InstallDefaultAnswerer();

    // Bills in the history, shown the first time the page opens.
    std::vector<TextBox*> plain;
    for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
        if (BoxDataType(GetBoxByIndex(n)) == 0)
            plain.push_back(static_cast<TextBox*>(GetBoxByIndex(n)));
    ASSERT_GE(plain.size(), 2u);
    for (const char* name : {"张三物流", "赵六运输"}) {
        plain[0]->SetText(QString::fromUtf8(name));
        plain[1]->SetText("￥2,740");
        SaveBillToHistory(MF().CurrentFormat());
    }
    w->SST->SetTab(2);
    expectTextsWhole(w->MSF[2]);
    picture(w, "history_page_first_shown");
    w->COM_Click(27);  // 列顺序
    ColOrdSet* order = test::shownWindow<ColOrdSet>();
    ASSERT_NE(order, nullptr);
    expectTextsWhole(order->MSF);
    picture(order, "column_order");
    order->close();

    // A workbook with a note of two lines in one cell.
    XlsSheetContent sheet;
    sheet.rows = {{"客户", "金额", "备注"}, {"张三物流", "2740", "手续费\n另计"}};
    ASSERT_TRUE(WriteXlsFile(folder_.file("fees.xls"), sheet));
    test::whenShown<Sheets>([](Sheets* d) { d->Img_Click(0); });  // the first worksheet
    test::ScriptedAnswers answers;
    answers << folder_.file("fees.xls");
    w->COM_Click(10);  // 导入
    InputMap* map = test::shownWindow<InputMap>();
    ASSERT_NE(map, nullptr);
    expectTextsWhole(map->M0);
    picture(map, "import_mapping");
    map->close();
}

// Bills of the deposit slip with the capitals of 102 and a long purpose, the history page shown
// the first time: each column as wide as its widest text (the capitals' last character
// whole), a long one too while it needs less than half the grid.
TEST_F(ScreenSizeTexts, TheHistoryColumnsShowTheirWidestTextsTheFirstTime) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    TextBox* amount = test::textBoxCaptioned("小写");
    test::textBoxCaptioned("用途")->SetText("二〇二六年第一季度仓储服务费及代垫运杂费");
    for (const char* value : {"9", "102"}) {
        amount->SetText(value);
        TT_LostFocus(amount);
        SaveBillToHistory(MF().CurrentFormat());
    }
    ASSERT_EQ(test::textBoxCaptioned("人民币(大写)")->Text(), "壹佰零贰元整");
    w->SST->SetTab(2);
    expectTextsWhole(w->MSF[2]);
}

}  // namespace
