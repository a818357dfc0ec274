// Formats travel as users send them: every ready format is exported, deleted and imported
// again, and prints the same pages as before.

#include "PrintTestSupport.h"
#include "common/Database.h"
#include "filling/DataTypeConversion.h"
#include "library/FormatFile.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

int LibraryRows(const QString& format) {
    Recordset rs;
    OpenRecordset(rs, "SELECT ID FROM Fmt WHERE Fmt=?", {format});
    return rs.RecordCount();
}

class Exchange : public test::PrintFixture {
protected:
    // Shows the format with the same contents in its boxes and prints it; the first page.
    QImage printed(const QString& name, const QString& file) {
        format_ = name;
        UnloadAllBoxes();
        Show();
        // An amount where the box reads one, text elsewhere.
        for (size_t i = 0; i < MF().TT.size(); ++i)
            MF().TT[i]->SetText(IsAmountDataType(BoxDataType(MF().TT[i]))
                                    ? QString("%1.45").arg(i + 1)
                                    : QString("内容%1 123.45").arg(i + 1));
        const QString pdf = PrintToPdf(file);
        EXPECT_FALSE(pdf.isEmpty()) << file.toStdString();
        return test::RasterisePdf(pdf, 1, 100);
    }
};

}  // namespace

TEST_F(Exchange, ExportedDeletedAndImportedFormatsPrintTheSamePages) {
    ASSERT_TRUE(SeedSampleFormats());
    const QStringList formats = {kSampleDepositSlip, kSampleWaybill};
    QDir(folder_.path()).mkpath("exchange");
    for (const QString& f : formats) {
        const QImage before = printed(f, "exchange_before_" + f);
        ASSERT_FALSE(before.isNull());
        const int rows = LibraryRows(f);

        const QString file = folder_.file("exchange/" + f + ".vfm");
        {
            test::ScriptedAnswers answers;
            answers << file;
            ExportFormatFile(f);
            ASSERT_TRUE(QFileInfo::exists(file));
        }
        MF().SetCurrentFormat(QString());
        {
            QString name = f;
            test::ScriptedAnswers answers;
            answers << int(dlg::Yes);
            ASSERT_TRUE(DeleteFormat(name));
            ASSERT_EQ(LibraryRows(f), 0);
        }
        {
            test::ScriptedAnswers answers;
            answers << int(dlg::No);
            ASSERT_TRUE(ImportFormatFile(file));
        }
        EXPECT_EQ(LibraryRows(f), rows);
        const QImage after = printed(f, "exchange_after_" + f);
        EXPECT_TRUE(after == before) << f.toStdString();
    }
}
