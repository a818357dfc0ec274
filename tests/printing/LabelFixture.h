#pragma once
// A format shown on the main window with the label page's controls built as the main
// window builds them, a batch grid filled directly, and the label settings set in one call.

#include <QStringList>
#include <vector>

#include "PrintTestSupport.h"

namespace bw::test {

class LabelFixture : public PrintFixture {
protected:
    void SetUp() override;
    // The label-page controls on MF(), tied to their handlers; the preview frame is
    // frameW x frameH twips.
    void BuildLabelPage(double frameW = 6000, double frameH = 4000);
    // The batch grid: row 0 holds the box index each column feeds, one record per entry of
    // `records` (a value per column), R_Num(0) the number of records.
    void FillBatch(const std::vector<int>& boxIndexes, const std::vector<QStringList>& records);
    // Columns, rows and the label area's size (millimetres).
    void SetSheet(int cols, int rows, double areaW, double areaH);
};

}  // namespace bw::test
