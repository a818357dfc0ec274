#include "store/RecordNumbers.h"

#include <QLabel>

#include "common/TwipGeometry.h"
#include "platform/Twips.h"
#include "store/MainForm.h"

namespace bw {

namespace {
// The gap between the parts of the row, in twips.
constexpr double kGap = 30;
}  // namespace

void FitLabelToText(QLabel* label) {
    if (!label) return;
    const QMargins m = label->contentsMargins();
    const int px = label->fontMetrics().horizontalAdvance(label->text()) + m.left() + m.right() +
                   2 * label->margin();
    SetTwWidth(label, PixelsToTwips(px));
}

void R_Num_Change(int index) {
    MainForm& mf = MF();
    if (index < 0 || index > 1 || !mf.R_Num[index]) return;
    FitLabelToText(mf.R_Num[index]);
    if (index != 1) return;
    const auto sep = mf.L_K.find(1);
    if (sep == mf.L_K.end() || !sep->second) return;
    QLabel* position = mf.R_Num[1];
    QLabel* slash = sep->second;
    SetTwLeft(slash, TwLeft(position) + TwWidth(position) + kGap);
    SetTwLeft(mf.R_Num[0], TwLeft(slash) + TwWidth(slash) + kGap);
}

}  // namespace bw
