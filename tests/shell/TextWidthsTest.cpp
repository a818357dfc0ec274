// Texts shown whole, measured in their font's metrics, on the screens clerks use (the build
// runs these tests again on offscreen screens of 1366 x 768 and 1600 x 1000): the format list's
// names, the history page's columns the first time the page shows, the column order
// dialog's names, the import mapping's sample and a message box's title. Pictures of each go
// to the artifacts.

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

#include "MainWindowFixture.h"
#include "library/ui/FmtList.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
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

class ScreenSizeTexts : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        const QRect screen = w_->screen()->geometry();
        size_ = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());
    }
    void picture(QWidget* window, const QString& name) {
        settle();
        ASSERT_TRUE(window->grab().save(test::ArtifactDir() + "/" + name + "_" + size_ + ".png"));
    }
    MainWindow* w_ = nullptr;
    QString size_;
};

// Every text in sight in the grid stands whole in the part of its cell the text is drawn in.
void expectTextsWhole(const GridView* view, const char* what) {
    const Grid& g = view->grid();
    const QFontMetrics metrics(view->font());
    int seen = 0;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) {
            const QString& text = g.TextRef(r, c);
            const QRect room = view->TextRect(r, c);
            if (text.isEmpty() || room.isEmpty()) continue;
            ++seen;
            // One line: a line break shows as a space.
            const QString shown = QString(text).replace(QRegularExpression("[\r\n\t]"), " ");
            EXPECT_GE(room.width(), metrics.horizontalAdvance(shown))
                << what << ": " << shown.toStdString();
        }
    EXPECT_GT(seen, 0) << what;
}

TEST_F(ScreenSizeTexts, TheFormatListAndAMessageBoxTitle) {
    test::whenShown<FmtList>([this](FmtList* list) {
        expectTextsWhole(list->MSF, "格式名称");
        picture(list, "format_list");
        list->COM_Click(1);
    });
    w_->m_FCom[30]->trigger();  // 选择格式

    // A real message box, as narrow as its text allows.
    dlg::SetAnswerer({});
    QTimer::singleShot(0, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_GE(box->width(), dlg::TitleBarWidth(box->windowTitle(), box->fontMetrics()))
            << box->windowTitle().toStdString();
        picture(box, "message_box_title");
        box->done(QMessageBox::Ok);
    });
    dlg::MsgBox(QStringLiteral("删除完成！"));
    test::InstallDefaultAnswerer();
}

TEST_F(ScreenSizeTexts, TheHistoryPageAndItsColumnOrderTheFirstTimeTheyShow) {
    MainForm& mf = MF();
    std::vector<TextBox*> plain;
    for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
        if (BoxDataType(GetBoxByIndex(n)) == 0)
            plain.push_back(static_cast<TextBox*>(GetBoxByIndex(n)));
    ASSERT_GE(plain.size(), 2u);
    const QStringList names{"张三物流", "李四货运", "王五快递", "赵六运输"};
    for (int bill = 0; bill < names.size(); ++bill) {
        plain[0]->SetText(names[bill]);
        plain[1]->SetText("￥" + QLocale(QLocale::English).toString(1990 + bill * 250));
        SaveBillToHistory(mf.CurrentFormat());
    }
    w_->SST->SetTab(2);
    settle();
    expectTextsWhole(w_->MSF[2], "历史记录");
    picture(w_, "history_page_first_shown");

    w_->COM_Click(27);  // 列顺序
    ColOrdSet* order = test::shownWindow<ColOrdSet>();
    ASSERT_NE(order, nullptr);
    expectTextsWhole(order->MSF, "列顺序");
    picture(order, "column_order");
    order->close();
}

TEST_F(ScreenSizeTexts, TheImportMappingsSample) {
    // A workbook with a note of two lines in one cell: the sample shows it on one.
    const QString path = folder_.file("fees.xls");
    XlsSheetContent sheet;
    sheet.name = QStringLiteral("费用");
    sheet.rows = {
        {"客户", "金额", "备注"}, {"张三物流", "100", "手续费\n另计"}, {"李四货运", "2740", ""}};
    ASSERT_TRUE(WriteXlsFile(path, sheet));
    test::whenShown<Sheets>([](Sheets* d) { d->Img_Click(0); });  // the first worksheet
    {
        test::ScriptedAnswers answers;
        answers << path;
        w_->COM_Click(10);  // 导入
    }
    InputMap* map = test::shownWindow<InputMap>();
    ASSERT_NE(map, nullptr);
    expectTextsWhole(map->M0, "样式");
    expectTextsWhole(map->M1, "对应列号");
    picture(map, "import_mapping");
    map->close();
}

}  // namespace
