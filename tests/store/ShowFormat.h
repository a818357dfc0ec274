#pragma once
// The fixtures of the store and the floors above it: the fresh state they start from and end
// with, and a stored format shown on the canvas as the main window shows it (without its
// default values).

#include "common/Database.h"
#include "common/Schema.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw::test {

// A database (made when missing) and a new main form on a screen 15360 twips wide, with the
// box module ready; the canvas frame 9000 × 6000 twips unless `sizedFrame` is false. False
// when the database could not be made.
inline bool StartFresh(bool sizedFrame = true) {
    CloseDatabase();
    if (!EnsureDatabase()) return false;
    ResetMF(new MainForm);
    MF().SetScreenWidthTwips(15360);
    if (sizedFrame) MF().SetFrameSize(9000, 6000);
    InitBoxModule();
    return true;
}

// Unloads the boxes, drops the main form and closes the database.
inline void EndFresh() {
    UnloadAllBoxes();
    ResetMF();
    CloseDatabase();
}

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
