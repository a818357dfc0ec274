// The main window's pages as a clerk uses them: keys that move between the bill's boxes and no
// tab or line break typed into a box of one line, the format tree beside the canvas with the
// export and import menu items, the batch tab importing, stepping through, searching and
// printing records, the history page loading whole bills when shown, its reprint filling the bill
// page or printing several bills into one PDF file, and the label page loading its stored settings,
// its captions, the page of labels above the box property grid and that grid's double click.
// Pictures of each go to the artifacts for people to look at.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "designer/PropertyDialog.h"
#include "designer/PropertyDialogs.h"
#include "library/FormatTree.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/PictureWidget.h"
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "records/BatchRows.h"
#include "records/Defaults.h"
#include "records/History.h"
#include "records/HistoryGrid.h"
#include "records/ui/InputMap.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using Usability = test::MainWindowTest;

TEST_F(Usability, TabMovesBetweenTheBoxesAndNoTabOrLineBreakIsTypedIntoAOneLineBox) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    w->activateWindow();
    MainForm& mf = MF();
    ASSERT_GE(mf.TT.size(), 6u);
    TextBox* first = mf.TT[0];
    TextBox* second = mf.TT[1];
    // Keys and the focus are the editor's of the box.
    const auto focused = [w] { return TextBox::Owning(w->focusWidget()); };
    first->setFocus();
    settle();
    QTest::keyClick(first->Editor(), Qt::Key_Tab);
    EXPECT_EQ(focused(), second);
    EXPECT_EQ(w->focusWidget(), second->Editor());
    QTest::keyClick(second->Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), first);
    // Shift+Tab from the first box goes round to the last one that takes the focus.
    QTest::keyClick(first->Editor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_NE(focused(), first);
    EXPECT_TRUE(focused() || dynamic_cast<BoxControl*>(w->focusWidget()));

    // A box of one line (the payer's name): Enter and Ctrl+Tab type nothing.
    TextBox* name = mf.TT[3];
    ASSERT_FALSE(name->HoldsSeveralLines());
    name->setFocus();
    name->SetText(QString());
    QTextEdit* typing = name->Editor();
    QTest::keyClicks(typing, "ABC");
    QTest::keyClick(typing, Qt::Key_Return);
    QTest::keyClick(typing, Qt::Key_Enter);
    QTest::keyClick(typing, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(typing, "D");
    EXPECT_EQ(name->Text(), "ABCD");
    SaveDefaultData(mf.CurrentFormat());
    const QString stored =
        ValueWhere("默认", "Fmt=? AND ID=?", "Con", {mf.CurrentFormat(), BoxRecordId(name)})
            .toString();
    EXPECT_EQ(stored, "ABCD");
    EXPECT_FALSE(stored.contains('\t') || stored.contains('\r') || stored.contains('\n'));

    // A box twice as high as a line takes Enter as a new line.
    name->resize(name->width(), 3 * QFontMetrics(name->font()).lineSpacing() + 10);
    ASSERT_TRUE(name->HoldsSeveralLines());
    QTest::keyClick(typing, Qt::Key_Return);
    QTest::keyClicks(typing, "E");
    EXPECT_EQ(name->Text(), "ABCD\r\nE");
}

using FormatLibrary = test::MainWindowTest;

TEST_F(FormatLibrary, TheTreeFilesTheReadyFormatsAndTheMenusExchangeFormats) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    QTreeWidgetItem* slip = TreeNodeByKey(w->TV, "F" + kSampleDepositSlip);
    ASSERT_NE(slip, nullptr);
    EXPECT_EQ(slip->parent()->text(0), "进账单");
    EXPECT_EQ(slip->foreground(0).color(), CurrentNodeColour());
    EXPECT_EQ(TreeNodeByKey(w->TV, "F" + kSampleWaybill)->parent()->text(0), "快递");
    EXPECT_FALSE(GetParam(kFormatTreeParam).isEmpty());

    // The tree slid in beside the canvas.
    SetTwLeft(w->TV, 0);
    w->TV->raise();
    settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_format_tree.png"));
    SetTwLeft(w->TV, -TwWidth(w->TV));

    const QString file = folder_.file("运单副本.vfm");
    {
        test::ScriptedAnswers answers;
        answers << file;
        test::answerChooser(kSampleWaybill);
        w->mExportFmt->trigger();
        EXPECT_EQ(answers.lastMessage(), "格式：“" + kSampleWaybill + "”导出完成！");
    }
    {
        test::ScriptedAnswers answers;
        answers << file << int(dlg::Yes);
        w->mImportFmt->trigger();
    }
    EXPECT_EQ(MF().CurrentFormat(), "运单副本");
    QTreeWidgetItem* copy = TreeNodeByKey(w->TV, "F运单副本");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->foreground(0).color(), CurrentNodeColour());
    EXPECT_NE(slip->foreground(0).color(), CurrentNodeColour());
}

using BatchTab = test::MainWindowTest;

InputMap* openMapDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* map = qobject_cast<InputMap*>(w); map && map->isVisible()) return map;
    return nullptr;
}

TEST_F(BatchTab, ImportedRowsAreShownSearchedAndPrinted) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    // A text box of plain text: its value arrives unconverted.
    int plain = 0;
    for (int i = 1; i <= BoxCount[0] && !plain; ++i)
        if (BoxDataType(GetBoxByIndex(i)) == 0) plain = i;
    ASSERT_GT(plain, 0);
    auto shown = [plain] { return static_cast<TextBox*>(GetBoxByIndex(plain))->Text(); };
    const QString path = folder_.file("orders.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("客户,金额\r\n张三,100\r\n李四,200\r\n王五,300\r\n");
    }
    {
        test::ScriptedAnswers answers;
        answers << path;
        w->COM_Click(10);
    }
    InputMap* map = openMapDialog();
    ASSERT_NE(map, nullptr);
    map->M1Grid->SetTextMatrix(plain, 4, "A");
    map->COM_Click(0);
    Grid& g = *mf.MSF[1];
    ASSERT_EQ(BatchRecordCount(g), 3);
    EXPECT_EQ(shown(), "张三");
    EXPECT_TRUE(w->COM[1]->isEnabled());
    EXPECT_EQ(mf.R_Num[0]->text(), "3");

    w->SST->SetTab(1);
    settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/batch_tab_after_import.png"));
    w->SST->SetTab(0);

    mf.HS->setValue(3);
    EXPECT_EQ(shown(), "王五");
    EXPECT_EQ(mf.R_Num[1]->text(), "3");

    w->KW1->setText(" 李四 ");
    w->COM_Click(3);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(w->KW1->text(), " 李四 ");  // the box keeps what was typed
    w->COM_Click(4);                      // the selected record into the boxes
    EXPECT_EQ(shown(), "李四");

    const QString pdf = test::ArtifactDir() + "/batch_print.pdf";
    QFile::remove(pdf);
    test::ChoosePdf(pdf);
    w->COM_Click(1);
    EXPECT_EQ(test::PdfPageCount(pdf), 3);  // a page per record
    Recordset rs;
    OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {mf.CurrentFormat()});
    EXPECT_EQ(rs.RecordCount(), 3);
}

// The labels of the row "position / count" are as wide as their texts and follow one another
// without touching, and the row ends before the print offsets.
void expectRecordRowWhole(MainWindow* w) {
    MainForm& mf = MF();
    QLabel* parts[3] = {mf.R_Num[1], mf.L_K[1], mf.R_Num[0]};
    for (QLabel* l : parts)
        EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text()))
            << l->objectName().toStdString() << " " << l->text().toStdString();
    EXPECT_LT(parts[0]->geometry().right(), parts[1]->geometry().left());
    EXPECT_LT(parts[1]->geometry().right(), parts[2]->geometry().left());
    for (QLabel* next : w->Frm[1]->findChildren<QLabel*>()) {
        if (next->text() == "页边距(毫米)：横") {
            EXPECT_LT(parts[2]->geometry().right(), next->geometry().left());
        }
    }
}

TEST_F(BatchTab, ThirtyThousandImportedRowsShowTheirCountWhole) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    expectRecordRowWhole(w);
    const QString path = folder_.file("many.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray text = "客户\r\n";
        for (int i = 1; i <= 30000; ++i) text += "客户" + QByteArray::number(i) + "\r\n";
        f.write(text);
    }
    {
        test::ScriptedAnswers answers;
        answers << path;
        w->COM_Click(10);
    }
    InputMap* map = openMapDialog();
    ASSERT_NE(map, nullptr);
    map->M1Grid->SetTextMatrix(map->M1Grid->FixedRows(), 4, "A");
    map->T[0]->setText("2");
    map->T[1]->setText("30001");
    map->COM_Click(0);
    ASSERT_EQ(BatchRecordCount(*mf.MSF[1]), 30000);
    EXPECT_EQ(mf.R_Num[0]->text(), "30000");
    EXPECT_EQ(mf.R_Num[1]->text(), "1");
    expectRecordRowWhole(w);

    // Stepping to a record of five digits moves the separator and the count along.
    const int slashBefore = mf.L_K[1]->x();
    mf.HS->setValue(29999);
    EXPECT_EQ(mf.R_Num[1]->text(), "29999");
    EXPECT_GT(mf.L_K[1]->x(), slashBefore);
    expectRecordRowWhole(w);
    settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_30000_records.png"));
}

class HistoryPage : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        format_ = MF().CurrentFormat();
        // Two boxes of plain text, which show a value as it is stored.
        for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
            if (BoxDataType(GetBoxByIndex(n)) == 0 && plain_.size() < 2) plain_.push_back(n);
        ASSERT_EQ(plain_.size(), 2u);
        const QStringList names{"张三", "李四", "王五", "赵六", "钱七", "孙八"};
        for (int bill = 0; bill < names.size(); ++bill) {
            for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
                static_cast<TextBox*>(GetBoxByIndex(n))->SetText("");
            box(0)->SetText(names[bill]);
            box(1)->SetText(QString::number(1000 + bill * 250));
            SaveBillToHistory(format_);
        }
    }
    Grid& grid() { return *MF().MSF[2]; }
    TextBox* box(int i) { return static_cast<TextBox*>(GetBoxByIndex(plain_[i])); }
    std::vector<int> plain_;
    MainWindow* w_ = nullptr;
    QString format_;
};

TEST_F(HistoryPage, ShowingThePageLoadsTheHistoryAndItsButtonsWork) {
    w_->SST->SetTab(2);
    test::MainWindowTest::settle();
    EXPECT_EQ(grid().Tag(), format_ + "|300");
    EXPECT_EQ(grid().Rows() - grid().FixedRows(), 6);
    EXPECT_TRUE(grid().TextMatrix(2, 0) == "6");
    EXPECT_FALSE(w_->COM[25]->isEnabled());  // nothing left out
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_history_page.png"));

    // Reprint one bill: the bill page shows it in the boxes.
    grid().SetRow(3);  // bill 5
    w_->COM[20]->click();
    EXPECT_EQ(w_->SST->Tab(), 0);
    EXPECT_EQ(box(0)->Text(), "钱七");
}

TEST_F(HistoryPage, ReprintingSeveralBillsToAPdfGivesOneFileWithAPageForEach) {
    const QStringList newestFirst{"孙八", "钱七", "赵六", "王五", "李四"};
    for (int count : {2, 5}) {
        w_->SST->SetTab(2);
        test::MainWindowTest::settle();
        const QString pdf = test::ArtifactDir() + QString("/history_reprint_%1.pdf").arg(count);
        QFile::remove(pdf);
        test::ChoosePdf(pdf);
        grid().SetRow(2);
        grid().SetRowSel(1 + count);
        w_->COM[20]->click();
        ASSERT_EQ(test::PdfPageCount(pdf), count);
        const auto pages = test::ReadPdf(pdf);
        for (int p = 1; p <= count; ++p) {
            QString text;
            for (const test::PdfWord& word : pages[p - 1].words) text += word.text;
            EXPECT_TRUE(text.contains(newestFirst[p - 1])) << p;
            EXPECT_TRUE(text.contains(QString::number(1000 + (6 - p) * 250))) << p;
        }
    }
}

TEST_F(HistoryPage, AShiftClickSelectsWholeBillsAndDeleteTakesThoseShown) {
    w_->SST->SetTab(2);
    settle();
    GridView* view = w_->MSF[2];
    Grid& g = grid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), 6);
    const int col = g.FixedCols();
    const auto centre = [&](int row) { return view->CellRect(row, col).center(); };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, centre(3));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(4));
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.RowSel(), 4);

    // Every cell of the two bills is shown highlighted, and no cell of the others.
    settle();
    const QImage shown = view->viewport()->grab().toImage();
    const QColor highlight = view->palette().color(QPalette::Highlight);
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        for (int c = g.FixedCols(); c < g.Cols(); ++c) {
            const QRect cell = view->CellRect(r, c);
            if (cell.isEmpty()) continue;
            const QColor ground = shown.pixelColor(cell.left() + 2, cell.top() + 2);
            EXPECT_EQ(ground == highlight, r == 3 || r == 4) << "row " << r << " col " << c;
        }
    }
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_history_selection.png"));

    // 删除 takes the two bills shown: numbers 5 and 4.
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::Yes);
        w_->COM[21]->click();
        EXPECT_EQ(answers.lastMessage(), "您确定要删除第2至第3行？");
    }
    Recordset rs;
    OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=? ORDER BY ID", {format_});
    QStringList left;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) left << rs.Value(0).toString();
    EXPECT_EQ(left, (QStringList{"1", "2", "3", "6"}));
    EXPECT_EQ(g.Rows() - g.FixedRows(), 4);
}

// More bills than the first view's bound of 300 rows, of a number of boxes that does not
// divide it: the view ends with a whole bill, and so does its export.
TEST_F(HistoryPage, TheFirstViewAndItsExportHoldWholeBillsOnly) {
    QList<HistoryColumn> boxes = FormatInputBoxes(format_);
    if (300 % boxes.size() == 0) boxes.removeLast();
    const int perBill = static_cast<int>(boxes.size());
    const int bills = 300 / perBill + 4;
    {
        Transaction t;
        ExecuteSql("DELETE FROM 历史 WHERE Fmt=?", {format_});
        for (int bill = 1; bill <= bills; ++bill)
            for (int k = 0; k < perBill; ++k)
                ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                           {bill, format_, boxes[k].id, QString("%1-%2").arg(bill).arg(k)});
        ASSERT_TRUE(t.Commit());
    }
    w_->SST->SetTab(2);
    settle();
    Grid& g = grid();
    // The 300th row belongs to this bill, which is shown with all its boxes.
    const int last = bills - 299 / perBill;
    ASSERT_EQ(g.Rows() - g.FixedRows(), bills - last + 1);
    QHash<qint64, int> column;
    for (int c = g.FixedCols(); c < g.Cols(); ++c) column[g.TextMatrix(0, c).toLongLong()] = c;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        const int bill = bills - (r - g.FixedRows());
        ASSERT_EQ(g.TextMatrix(r, 0), QString::number(bill));
        for (int k = 0; k < perBill; ++k)
            EXPECT_EQ(g.TextMatrix(r, column.value(boxes[k].id)), QString("%1-%2").arg(bill).arg(k))
                << "bill " << bill;
    }
    EXPECT_TRUE(w_->COM[25]->isEnabled());

    const QString csv = test::ArtifactDir() + "/history_first_view.csv";
    QFile::remove(csv);
    {
        test::ScriptedAnswers answers;
        answers << csv;
        w_->COM[23]->click();
        EXPECT_TRUE(answers.messages().isEmpty());
    }
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_EQ(text.count("\r\n"), 1 + bills - last + 1);
    for (int bill = last; bill <= bills; ++bill)
        for (int k = 0; k < perBill; ++k)
            EXPECT_TRUE(text.contains(QString(",%1-%2\t").arg(bill).arg(k).toLatin1()))
                << bill << "-" << k;
}

using LabelPage = test::MainWindowTest;

TEST_F(LabelPage, TheTabLoadsTheStoredSettingsAndShowsAPageOfLabels) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    WriteSetting("BWL1", "TagPrintSet", "Index0", "2");
    WriteSetting("BWL1", "TagPrintSet", "Index1", "3");
    SetParam("LabelArrayLine", "1");
    // Twelve records feeding the first three text boxes of the open format.
    MainForm& mf = MF();
    Grid& g = *mf.MSF[1];
    g.SetRows(2 + 12);
    g.SetCols(4);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    const char* names[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊"};
    for (int i = 0; i < 12; ++i) {
        g.SetTextMatrix(2 + i, 0, QString::number(i + 1));
        const QString values[] = {names[i % 6], QStringLiteral("6222 0200 %1").arg(1000 + i),
                                  QStringLiteral("%1.00").arg(1200 + i * 35)};
        for (int c = 1; c <= 3; ++c) {
            g.SetTextMatrix(0, c, QString::number(c));
            g.SetColWidth(c, 1200);
            g.SetTextMatrix(2 + i, c, values[c - 1]);
        }
    }
    mf.R_Num[0]->setText("12");

    w->SST->SetTab(3);
    settle();
    EXPECT_EQ(mf.TNum[0]->text(), "2");
    EXPECT_EQ(mf.TNum[1]->text(), "3");
    EXPECT_TRUE(mf.CK[6]->isChecked());
    EXPECT_EQ(mf.PPS->text(), "1/2");
    EXPECT_TRUE(mf.HS1->isEnabled());
    EXPECT_TRUE(mf.CB[14]->isEnabled());
    // The preview above the box property grid, the settings column beside both.
    EXPECT_TRUE(mf.PTag->isVisible());
    EXPECT_TRUE(w->Frm[3]->isVisible());
    EXPECT_TRUE(w->MSF[3]->isVisible());
    const QPoint centre = mf.LFrm->geometry().center();
    EXPECT_TRUE(mf.LFrm->isAncestorOf(w->Pic[3]->childAt(centre)) ||
                w->Pic[3]->childAt(centre) == mf.LFrm);
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_label_preview.png"));
}

TEST_F(LabelPage, TheSettingsAreCaptionedWholeWithTheirUnits) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    w->SST->SetTab(3);
    settle();
    QGroupBox* frame = w->Frm[3];
    auto label = [frame](const QString& name) { return frame->findChild<QLabel*>(name); };
    // A caption shows its whole text and ends before the next control begins.
    auto whole = [](const QLabel* l) {
        return l->width() >= l->fontMetrics().horizontalAdvance(l->text());
    };
    struct Setting {
        const char *name, *prefix, *unit;
    } settings[] = {{"横向数量", "", "个"},
                    {"纵向数量", "", "个"},
                    {"缩小倍数", "1/", "倍"},
                    {"纸张宽度：", "", "毫米"},
                    {"纸张高度：", "", "毫米"}};
    for (int i = 0; i < 5; ++i) {
        const Setting& s = settings[i];
        QLabel* name = label(QString("TNumName%1").arg(i));
        QLabel* unit = label(QString("TNumUnit%1").arg(i));
        QLabel* prefix = label(QString("TNumPrefix%1").arg(i));
        QLineEdit* box = MF().TNum[i];
        ASSERT_TRUE(name && unit && box) << i;
        EXPECT_EQ(name->text(), QString::fromUtf8(s.name)) << i;
        EXPECT_EQ(unit->text(), QString::fromUtf8(s.unit)) << i;
        EXPECT_EQ(prefix ? prefix->text() : QString(), QString::fromUtf8(s.prefix)) << i;
        for (QLabel* l : {name, unit, prefix}) {
            if (l) {
                EXPECT_TRUE(whole(l)) << l->text().toStdString();
            }
        }
        QWidget* next = prefix ? static_cast<QWidget*>(prefix) : box;
        EXPECT_LE(name->geometry().right(), next->geometry().left()) << i;
        if (prefix) {
            EXPECT_LE(prefix->geometry().right(), box->geometry().left());
        }
        EXPECT_LE(box->geometry().right(), unit->geometry().left()) << i;
        EXPECT_LE(unit->geometry().right(), frame->contentsRect().right()) << i;
    }
    EXPECT_EQ(MF().TagDir->text(), "横向排列标签 ");
    EXPECT_EQ(MF().CK[1]->text(), "连同背景图打印");
    EXPECT_EQ(MF().CK[6]->text(), "打印 标签分隔线");
    EXPECT_EQ(MF().CB[14]->text(), "打  印  当 前 标 签");
    EXPECT_EQ(MF().CB[14]->toolTip(), "只打印当前显示的标签。");
    EXPECT_EQ(MF().CB[15]->text(), "当 前 页 开 始 打 印");
    EXPECT_EQ(MF().CB[15]->toolTip(), "从当前显示的标签开始，打印其后所有标签。");
}

TEST_F(LabelPage, TheBoxGridShowsUnderThePreviewAndADoubleClickOpensTheBoxsSettings) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    w->SST->SetTab(3);
    settle();
    GridView* view = w->MSF[3];
    ASSERT_TRUE(view->isVisible());
    // Under the preview, as wide as the page beside the settings column.
    EXPECT_GE(view->geometry().top(), MF().LFrm->geometry().bottom());
    EXPECT_LE(view->geometry().bottom(), w->Pic[3]->height());
    EXPECT_NEAR(view->geometry().right(), w->Frm[3]->geometry().left(), 3);
    EXPECT_GT(view->height(), 3 * view->fontMetrics().height());
    // Every column as wide as its header.
    const Grid& g = MF().BoxGrid();
    for (int c = g.FixedCols(); c < g.Cols(); ++c)
        EXPECT_GE(TwipsToPixels(g.ColWidth(c)),
                  view->fontMetrics().horizontalAdvance(g.TextMatrix(1, c)))
            << g.TextMatrix(1, c).toStdString();
    ASSERT_GT(BoxCount[kTextBox], 0);
    BoxControl* box = GetBoxByIndex(FirstBoxIndex(kTextBox));
    const int row = BoxRow(box);
    view->EnsureVisible(row, 2);
    const QPoint at = view->CellRect(row, 2).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent e(type, QPointF(at), view->viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &e);
    }
    PropertyDialog* d = OpenPropertyDialog(kTextBox);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->EditedBox(), box);
    EXPECT_EQ(d->CtlRow->text(), QString::number(row));
    d->close();
}

}  // namespace
