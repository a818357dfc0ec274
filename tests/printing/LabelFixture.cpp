#include "LabelFixture.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "common/TwipGeometry.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Settings.h"
#include "printing/LabelSettings.h"
#include "store/MainForm.h"

namespace bw::test {

void LabelFixture::SetUp() {
    PrintFixture::SetUp();
    SetSettingsFolder(folder_.file(QStringLiteral("settings")));
}

void LabelFixture::BuildLabelPage(double frameW, double frameH) {
    MainForm& mf = MF();
    const char* defaults[5] = {"2", "4", "1.5", "205", "290"};
    for (int i = 0; i < 5; ++i) mf.TNum[i] = new QLineEdit(QString::fromUtf8(defaults[i]), &mf);
    mf.TagDir = new QCheckBox(&mf);
    mf.CK[1] = new QCheckBox(&mf);
    mf.CK[6] = new QCheckBox(&mf);
    mf.PPS = new QLabel(QStringLiteral("1/1"), &mf);
    mf.CB[14] = new QPushButton(&mf);
    mf.CB[15] = new QPushButton(&mf);
    mf.HS1 = new QScrollBar(Qt::Horizontal, &mf);
    mf.VS1 = new QScrollBar(Qt::Vertical, &mf);
    for (QScrollBar* s : {mf.HS1, mf.VS1}) {
        s->setRange(0, 0);
        s->setEnabled(false);
    }
    mf.LFrm = new QFrame(&mf);
    SetTwGeometry(mf.LFrm, 0, 0, frameW, frameH);
    mf.PTag = new PictureWidget(mf.LFrm);
    SetTwGeometry(mf.PTag, 0, 0, frameW, frameH);
    ConnectLabelPage();
}

void LabelFixture::FillBatch(const std::vector<int>& boxIndexes,
                             const std::vector<QStringList>& records) {
    Grid& g = *MF().MSF[1];
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetCols(int(boxIndexes.size()) + 1);
    g.SetRows(2 + int(records.size()));
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    for (int c = 0; c < int(boxIndexes.size()); ++c) {
        g.SetTextMatrix(0, c + 1, QString::number(boxIndexes[c]));
        g.SetColWidth(c + 1, 1200);
    }
    for (int r = 0; r < int(records.size()); ++r) {
        g.SetTextMatrix(2 + r, 0, QString::number(r + 1));
        for (int c = 0; c < records[r].size(); ++c) g.SetTextMatrix(2 + r, c + 1, records[r][c]);
    }
    MF().R_Num[0]->setText(QString::number(records.size()));
}

void LabelFixture::SetSheet(int cols, int rows, double areaW, double areaH) {
    MainForm& mf = MF();
    mf.TNum[3]->setText(QString::number(areaW));
    mf.TNum[4]->setText(QString::number(areaH));
    mf.TNum[0]->setText(QString::number(cols));
    mf.TNum[1]->setText(QString::number(rows));
}

}  // namespace bw::test
