// The format store calls up through the doors: the order in which selecting a format asks
// for the default records, the new bill's values and the tree mark.

#include <gtest/gtest.h>

#include "FormatFixture.h"
#include "common/Services.h"
#include "store/FormatOperations.h"
#include "store/SampleFormats.h"

using namespace bw;

namespace {

class StoreDoors : public test::FormatFixture {
protected:
    void SetUp() override {
        FormatFixture::SetUp();
        ASSERT_TRUE(SeedSampleFormats());
        Services& d = Doors();
        d = Services();
        // What the boxes hold when a door is called tells when it was called.
        auto boxes = [] { return QString::number(MF().BoxGrid().Rows()); };
        d.records.loadDefaultData = [this, boxes](const QString& f) {
            calls << "load " + f + " " + boxes();
        };
        d.records.saveDefaultData = [this, boxes](const QString& f) {
            calls << "save " + f + " " + boxes();
            return true;
        };
        d.filling.fillNewBillValues = [this] { calls << "new bill"; };
        d.library.markCurrentFormatNode = [this](const QString& p, const QString& c) {
            calls << "mark " + p + ">" + c;
        };
    }
    void TearDown() override {
        Doors() = Services();
        FormatFixture::TearDown();
    }
    QStringList calls;
};

}  // namespace

TEST_F(StoreDoors, SelectingAFormatSavesTheOldDefaultsBeforeAndLoadsTheNewOnesAfter) {
    SelectFormat(kSampleDepositSlip, true);
    const QString depositRows = QString::number(MF().BoxGrid().Rows());
    calls.clear();
    SelectFormat(kSampleWaybill, false);
    const QString waybillRows = QString::number(MF().BoxGrid().Rows());
    ASSERT_NE(depositRows, waybillRows);
    ASSERT_GE(calls.size(), 4);
    // The deposit slip's values are saved while its boxes are still shown.
    EXPECT_EQ(calls.first(), "save " + kSampleDepositSlip + " " + depositRows);
    // Every load comes after the waybill's boxes are built; the new bill's values and the
    // tree mark come last.
    for (int i = 1; i < calls.size() - 2; ++i)
        EXPECT_EQ(calls[i], "load " + kSampleWaybill + " " + waybillRows) << i;
    EXPECT_EQ(calls[calls.size() - 2], "new bill");
    EXPECT_EQ(calls.last(), "mark " + kSampleDepositSlip + ">" + kSampleWaybill);
}

TEST_F(StoreDoors, WithoutDoorsTheStoreStillOpensAFormat) {
    Doors() = Services();
    SelectFormat(kSampleWaybill, true);
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    EXPECT_GT(MF().BoxGrid().Rows(), MF().BoxGrid().FixedRows());
}
