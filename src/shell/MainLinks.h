#pragma once
// What the shell's grid functions and dialogs need of the main window. The main window fills
// these in when it is built; until then they stay empty and the routines that use them do
// without (the application font measures text, no batch rows are set up, no format is open).

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace bw {

class Grid;

struct MainWindowLinks {
    QPointer<QWidget> window;   // the main window; its font measures the grids' text
    Grid* batchGrid = nullptr;  // MSF(1), the batch grid
    Grid* boxGrid = nullptr;    // MSF(3), the box property grid
    // SetupBatchRows(MSF(1), HS): brings the batch record scroll bar and labels up to date
    // after the batch grid was cleared.
    std::function<void(Grid&)> setupBatchRows;
    // The name of the open format (the caption of LFMT(0)).
    std::function<QString()> currentFormatName;
};

MainWindowLinks& MainLinks();

}  // namespace bw
