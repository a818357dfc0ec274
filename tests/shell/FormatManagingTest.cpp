// Managing formats from the main window's menus: the format list's 删除 says it is done only
// once a format went; a name is taken only when the files named after it (its background
// picture, its PDF files, its exported pair and their temporaries) fit in a file name, where
// it is given (另存格式, an imported file, a downloaded one); a web entry keeps a dotted name
// whole, and one whose file path no request can be made of is told so.

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>

#include "HttpTestServer.h"
#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Params.h"
#include "library/FormatListData.h"
#include "library/WebFormats.h"
#include "library/ui/FmtDown.h"
#include "library/ui/FmtList.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "platform/SafeFiles.h"
#include "platform/TextCodec.h"
#include "store/BackgroundPicture.h"
#include "store/FormatFileNames.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"

using namespace bw;

namespace {

class FormatManaging : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
    }
    static int rows(const QString& format) {
        Recordset rs;
        OpenRecordset(rs, "SELECT ID FROM Fmt WHERE Fmt=?", {format});
        return rs.RecordCount();
    }
    // The prompts of the input boxes shown so far.
    static QStringList prompts() {
        QStringList out;
        for (const auto& s : dlg::ShownLog())
            if (s.kind == dlg::Shown::Input) out << s.text;
        return out;
    }
    // The waybill exported through the menu into the test's folder; its bytes.
    QByteArray exportedWaybill() {
        const QString file = folder_.file("运单.vfm");
        test::ScriptedAnswers answers;
        answers << file;
        test::answerChooser(kSampleWaybill);
        w_->mExportFmt->trigger();
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    MainWindow* w_ = nullptr;
};

}  // namespace

TEST_F(FormatManaging, TheFormatListSaysDeletedOnlyWhenAFormatWent) {
    const struct {
        QString format;
        dlg::Answer answer;
        QStringList told;
    } steps[] = {
        {kSampleDepositSlip, dlg::Ok, {"此格式为当前格式，不允许删除！"}},
        {kSampleWaybill, dlg::No, {"您确定要删除格式：“" + kSampleWaybill + "”？"}},
        {kSampleWaybill, dlg::Yes, {"您确定要删除格式：“" + kSampleWaybill + "”？", "删除完成！"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.told.join(" ").toStdString());
        test::ScriptedAnswers answers;
        answers << int(step.answer);
        test::whenShown<FmtList>([&step](FmtList* list) {
            Grid& g = list->grid();
            for (int r = g.FixedRows(); r < g.Rows(); ++r)
                if (g.TextMatrix(r, kFormatListNameCol) == step.format) g.SetRow(r);
            list->COM[4]->click();  // 删除
            list->close();
        });
        w_->mManageFmt->trigger();  // 管理格式
        EXPECT_EQ(answers.messages(), step.told);
    }
    EXPECT_GT(rows(kSampleDepositSlip), 0);
    EXPECT_EQ(rows(kSampleWaybill), 0);
}

TEST_F(FormatManaging, ANameTooLongForItsFilesIsRefusedWhereverItIsGiven) {
    const QString hundred(100, u'票'), longest(70, u'票');
    EXPECT_TRUE(FormatFileNamesFit(longest));
    EXPECT_FALSE(FormatFileNamesFit(longest + u'票'));
    EXPECT_TRUE(FormatFileNamesFit(QString(kMaxFormatNameLength, u'a')));
    // The longest name's PDF temporary is the longest of its files, and the disk takes it.
    const QString pdf = Printer::DefaultOutputName(longest, QDateTime::currentDateTime(), 999);
    EXPECT_EQ(TemporaryFileName(pdf).toUtf8().size(), LongestFormatFileName(longest));
    QFile probe(folder_.file(TemporaryFileName(pdf)));
    EXPECT_TRUE(probe.open(QIODevice::WriteOnly)) << probe.errorString().toStdString();

    // 另存格式: refused as a name with a forbidden character is; the longest is taken, with
    // the picture of the format it was saved from.
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(BackgroundPicturePath(kSampleDepositSlip)));
    {
        test::ScriptedAnswers answers;
        test::answerChooser(hundred);
        w_->m_FCom[32]->trigger();  // 另存格式
        EXPECT_EQ(answers.messages(), QStringList{kFileNameTooLongMessage});
    }
    EXPECT_EQ(rows(hundred), 0);
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    {
        test::ScriptedAnswers answers;
        test::answerChooser(longest);
        w_->m_FCom[32]->trigger();
        EXPECT_EQ(answers.messages(), QStringList());
    }
    EXPECT_EQ(MF().CurrentFormat(), longest);
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(longest)));

    // 导入格式: a file whose name the disk holds but the format's files would not is asked
    // for another name, as a taken one is, and again while the typed one is as long.
    const QByteArray waybill = exportedWaybill();
    ASSERT_FALSE(waybill.isEmpty());
    const QString file = folder_.file(QString(80, u'运') + ".vfm");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(waybill);
    }
    {
        test::ScriptedAnswers answers;
        answers << file << hundred << QString("导入的运单") << int(dlg::No);
        w_->mImportFmt->trigger();  // 导入格式
        EXPECT_EQ(prompts(), QStringList({kFileNameTooLongMessage, kFileNameTooLongMessage}));
    }
    EXPECT_EQ(rows(QString(80, u'运')) + rows(hundred), 0);
    EXPECT_GT(rows("导入的运单"), 1);

    // 下载格式: an entry of a hundred characters is asked for another name before anything
    // is written into Temp under its own.
    test::HttpTestServer server([&](const QByteArray& target) {
        if (target.startsWith("/bwf/fmt.asp"))
            return test::TestReply{200,
                                   ToAnsi("快递|" + hundred + "|/f/a.vfm||2013-4-11<br>Finished")};
        return test::TestReply{200, waybill};
    });
    SaveRegValue("BWF", "Para", "WebRoot", server.url(""));
    {
        test::ScriptedAnswers answers;
        answers << QString("下载的运单") << int(dlg::No);
        w_->DownFmt->trigger();  // 下载格式
        FmtDown* list = FmtDown::Current();
        ASSERT_NE(list, nullptr);
        list->COM[1]->click();  // 导入格式
        EXPECT_EQ(prompts(), QStringList{kFileNameTooLongMessage});
        list->close();
    }
    EXPECT_EQ(rows(hundred), 0);
    EXPECT_GT(rows("下载的运单"), 1);
}

TEST_F(FormatManaging, AWebEntryKeepsItsDottedNameAndAPathNoRequestCanBeMadeOfIsToldSo) {
    const QByteArray waybill = exportedWaybill();
    ASSERT_FALSE(waybill.isEmpty());
    test::HttpTestServer server([&](const QByteArray& target) {
        if (target.startsWith("/bwf/fmt.asp"))
            return test::TestReply{
                200,
                ToAnsi("快递|a.jpg.x|/f/a.vfm||2013-4-11<br>快递|无地址|||2013-4-11<br>Finished")};
        return test::TestReply{200, waybill};
    });
    SaveRegValue("BWF", "Para", "WebRoot", server.url(""));
    w_->DownFmt->trigger();  // 下载格式
    FmtDown* list = FmtDown::Current();
    ASSERT_NE(list, nullptr);
    Grid& g = list->grid();
    ASSERT_EQ(g.Rows() - g.FixedRows(), 2);
    const auto download = [&](const QString& name) {
        for (int r = g.FixedRows(); r < g.Rows(); ++r)
            if (g.TextMatrix(r, kWebNameCol) == name) g.SetRow(r);
        test::ScriptedAnswers answers;
        answers << int(dlg::No);  // not opened now
        const int requests = server.targets().size();
        list->COM[1]->click();  // 导入格式
        return std::make_pair(answers.messages(), server.targets().size() - requests);
    };
    const auto [dotted, dottedRequests] = download("a.jpg.x");
    EXPECT_EQ(dotted, QStringList{"格式“a.jpg.x”导入成功,立即调用此格式？"});
    EXPECT_GT(rows("a.jpg.x"), 1);
    EXPECT_EQ(rows("a.x"), 0);
    const auto [unaddressed, requests] = download("无地址");
    EXPECT_EQ(unaddressed, QStringList{UnrequestablePathText("无地址", "")});
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(rows("无地址"), 0);
    list->close();
}
