// The main window's command buttons and menus: what is offered, the option prompts, the
// layout lock, and the two tools.

#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "barcode/StrCodeStand.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "common/Services.h"
#include "designer/PropertyDialog.h"
#include "designer/PropertyDialogs.h"
#include "platform/AppFolder.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/Printer.h"
#include "platform/Settings.h"
#include "platform/VbNumbers.h"
#include "printing/SelPrinter.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class Commands : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
    }
    MainWindow* w_ = nullptr;
};

}  // namespace

TEST_F(Commands, EveryDoorIsFilledOnceTheWindowIsBuilt) {
    EXPECT_EQ(UnfilledDoors(), QStringList());
    EXPECT_EQ(Doors().store.currentFormat(), MF().CurrentFormat());
    EXPECT_EQ(Doors().store.boxGrid(), &MF().BoxGrid());
}

TEST_F(Commands, EveryCommandIsOfferedButTheHelpItemsAndTheLockDisablesTheLayout) {
    // Every button of the four pages is there and enabled; the batch print waits for batch
    // records.
    for (int i : {0, 1, 2, 3, 4, 5, 10, 11, 12, 20, 21, 22, 23, 24, 25, 26, 27, 36}) {
        ASSERT_TRUE(w_->COM.count(i)) << i;
        EXPECT_EQ(MF().COM[i], w_->COM[i]) << i;
        EXPECT_EQ(w_->COM[i]->isEnabled(), i != 1) << i;
    }
    EXPECT_EQ(w_->mCtlSame->menuAction()->isEnabled(), MF().O2Value(2) == 0);
    for (QAction* a :
         {w_->m_PCom[0], w_->m_PCom[1], w_->DownFmt, w_->mNewFmt, w_->mExportFmt, w_->mImportFmt,
          w_->mAddTable, w_->m_FCom[30], w_->m_FCom[31], w_->m_FCom[32], w_->mManageFmt,
          w_->mSetCashChr, w_->mSetCrlfChr, w_->mStrBarCodeStand, w_->mNumCut, w_->mPSDSet,
          w_->mTool[0], w_->mTool[1], w_->mAbout})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    // No help file is shipped and no contact links are kept, also when a help file is there.
    QFile help(AppFile("BWF.CHM"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    QMenu* menu = w_->menuBar()->findChild<QMenu*>("mHelp");
    ASSERT_NE(menu, nullptr);
    Q_EMIT menu->aboutToShow();
    for (QAction* a : {w_->mMoreHelp, w_->mQQOnline1, w_->mQQOnline2, w_->mWizard, w_->mModeFmt})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();

    // The layout lock disables the layout commands; unlocking enables them again.
    MainForm& mf = MF();
    mf.SetO2Value(2, 0);
    mf.SetO2Value(2, 1);
    EXPECT_FALSE(mf.COM[2]->isEnabled());
    EXPECT_FALSE(w_->mCtlSame->menuAction()->isEnabled());
    mf.SetO2Value(2, 0);
    EXPECT_TRUE(mf.COM[2]->isEnabled());
    EXPECT_TRUE(w_->mCtlSame->menuAction()->isEnabled());
}

TEST_F(Commands, ThePrintButtonPrintsTheBillShownAndRecordsIt) {
    const QString file = test::ArtifactDir() + "/main_window_print.pdf";
    QFile::remove(file);
    auto history = [] {
        Recordset rs;
        OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {MF().CurrentFormat()});
        return rs.RecordCount();
    };
    // Cancelled in the printer dialog: nothing printed, nothing recorded, buttons back.
    test::InDialog([](SelPrinter* d) { d->COM_Click(1); });
    w_->COM_Click(0);
    EXPECT_EQ(history(), 0);
    EXPECT_TRUE(w_->COM[0]->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(file));

    test::ChoosePdf(file);
    w_->COM_Click(0);
    EXPECT_TRUE(QFileInfo(file).size() > 0);
    EXPECT_EQ(history(), 1);
    EXPECT_TRUE(w_->COM[0]->isEnabled());
    EXPECT_FALSE(w_->COM[1]->isEnabled());  // no batch records
}

// The currency sign takes any answer but Cancel; the line-break marker only one that is
// not empty, and remembers it.
TEST_F(Commands, TheCurrencySignAndLineBreakPromptsKeepTheirValueOnCancel) {
    CurrencySign = "￥";
    WriteSetting("BWF", "Para", "CrlfChr", "");
    const struct {
        QAction* action;
        QString* value;
        QString prompt, preset;
        QVariant answer;
        QString after;
    } cases[] = {
        {w_->mSetCashChr, &CurrencySign, "请输入本单据的货币符号：", "￥", QVariant(), "￥"},
        {w_->mSetCashChr, &CurrencySign, "", "", QString("US$"), "US$"},
        {w_->mSetCashChr, &CurrencySign, "", "", QString(""), ""},
        {w_->mSetCrlfChr, &LineBreakMark, "请输入表示回车的表示字符串", "//", QString(""), "//"},
        {w_->mSetCrlfChr, &LineBreakMark, "", "", QVariant(), "//"},
        {w_->mSetCrlfChr, &LineBreakMark, "", "", QString("##"), "##"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer.toString().toStdString());
        test::ScriptedAnswers answers;
        answers << c.answer;
        c.action->trigger();
        EXPECT_EQ(*c.value, c.after);
        ASSERT_FALSE(dlg::ShownLog().isEmpty());
        if (!c.prompt.isEmpty()) {
            EXPECT_EQ(dlg::ShownLog()[0].text, c.prompt);
            EXPECT_EQ(dlg::ShownLog()[0].preset, c.preset);
        }
    }
    EXPECT_EQ(ReadSetting("BWF", "Para", "CrlfChr", "?"), "##");
    WriteSetting("BWF", "Para", "CrlfChr", "");
    LineBreakMark = "//";
    CurrencySign = "￥";
}

TEST_F(Commands, ThePrintRulersToggleIsRemembered) {
    MainForm& mf = MF();
    mf.mPrintRulers->setChecked(false);
    mf.mPrintRulers->trigger();
    EXPECT_TRUE(mf.mPrintRulers->isChecked());
    EXPECT_EQ(ReadSetting("BWF", "Validate", "mPrintRulers", "?"), "1");
    mf.mPrintRulers->trigger();
    EXPECT_EQ(ReadSetting("BWF", "Validate", "mPrintRulers", "?"), "?");  // written empty
}

TEST_F(Commands, CheckingForBoxesOutsideTheBillPullsThemBack) {
    MainForm& mf = MF();
    Grid& g = mf.BoxGrid();
    TextBox* a = mf.TT[0];
    TextBox* b = mf.TT[1];
    Line* line = mf.LN[0];
    a->Move(-50, -80);
    b->Move(-50, 200);
    const int w = static_cast<int>(mf.PG->Width());
    line->SetEnds(-10, 5, w + 40, 5);
    w_->mTool[0]->trigger();
    EXPECT_EQ(a->Left(), 0);
    EXPECT_EQ(a->Top(), 300);
    EXPECT_EQ(b->Left(), 0);
    EXPECT_EQ(b->Top(), 200);
    EXPECT_EQ(line->X1(), 0);
    EXPECT_EQ(line->X2(), w);
    EXPECT_EQ(line->Y1(), 5);
    // The grid follows, in millimetres.
    EXPECT_NEAR(Val(g.TextMatrix(BoxRow(a), col::X)), 0, 1e-9);
    EXPECT_NEAR(Val(g.TextMatrix(BoxRow(a), col::Y)),
                CanvasToMm(300, mf.PG->Width(), mf.PaperWidthMm()), 0.01);
    EXPECT_NEAR(Val(g.TextMatrix(BoxRow(line), col::W)), mf.PaperWidthMm(), 0.01);
    // A box too far right or down ends at the edge.
    b->Move(w + 100, static_cast<int>(mf.PG->Height()) + 50);
    w_->mTool_Click(0);
    EXPECT_EQ(b->Left(), w - b->Width());
    EXPECT_EQ(b->Top(), static_cast<int>(mf.PG->Height()) - b->Height());
}

TEST_F(Commands, TidyingTheDatabaseDropsOrphansAndCompacts) {
    // Box rows of a format that lost its whole-format row, and defaults of a vanished format.
    ExecuteSql("INSERT INTO Fmt(Fmt, LBL, Clas) VALUES('孤儿格式', '框', 0)");
    ExecuteSql("INSERT INTO 默认(Fmt, ID, Con) VALUES('不存在', 1, 'x')");
    const int slipDefaults = [] {
        Recordset rs;
        OpenRecordset(rs, "SELECT * FROM 默认 WHERE Fmt=?", {kSampleDepositSlip});
        return rs.RecordCount();
    }();
    test::ScriptedAnswers answers;
    answers << int(dlg::Yes);
    w_->mTool[1]->trigger();
    EXPECT_EQ(answers.messages().value(0), "您确定要删除格式：“孤儿格式”？");
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=?", "ID", {"孤儿格式"}).toString(), "");
    EXPECT_EQ(ValueWhere("默认", "Fmt=?", "Con", {"不存在"}).toString(), "");
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM 默认 WHERE Fmt=?", {kSampleDepositSlip});
    EXPECT_EQ(rs.RecordCount(), slipDefaults);
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=''", "LBL").toString(), kSampleDepositSlip);
    EXPECT_TRUE(QFileInfo::exists(DatabasePath()));
    // With nothing orphaned it only compacts, asking nothing.
    answers << int(dlg::Yes);
    const int shown = dlg::ShownLog().size();
    w_->mTool_Click(1);
    EXPECT_EQ(dlg::ShownLog().size(), shown);
}

TEST_F(Commands, ANewBarcodeStandardRedrawsThePictureBoxesWithTheirText) {
    PictureBox* qr = MF().II[0];
    const QString text = qr->LinkItem;
    ASSERT_FALSE(text.isEmpty());
    w_->mStrBarCodeStand->trigger();
    StrCodeStand* d = StrCodeStand::Current();
    ASSERT_NE(d, nullptr);
    d->OP(0)->setChecked(true);
    d->Command1_Click();
    EXPECT_EQ(BarcodeStandard(), 0);
    EXPECT_EQ(qr->LinkItem, text);
    EXPECT_GT(test::darkShare(qr), 0.05);
}
