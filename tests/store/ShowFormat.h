#pragma once
// A stored format shown on the canvas as the main window shows it (without its default
// values), for the fixtures of the store and the floors above it.

#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw::test {

inline void ShowFormat(const QString& format) {
    MainForm& mf = MF();
    mf.SetCurrentFormat(format);
    QString name = format;
    LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    mf.PG->SetHeight(mf.FrameWidth() * mf.PaperHeightMm() / mf.PaperWidthMm());
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    ReloadFormatBoxes(mf.BoxGrid(), false);
}

}  // namespace bw::test
