#pragma once
// What the main window and the format operations call in parts of the program that plug
// into the window from outside the shell: the new-version check, the history completion
// while typing, the pop-up menu form, the page jump of multi-page formats, emptying the
// bill, the automatic values of a new bill, the label preview and the format list. Each
// part sets its entry when it is linked in; an entry left empty is skipped (the format
// list falls back to the format chooser).

#include <QString>
#include <functional>

namespace bw {

class PictureWidget;

struct MainWindowHooks {
    // Clears the new-version state so that the check may run (main window load).
    std::function<void()> resetNewVersion;
    // The one new-version check, 10 s after the main window loaded.
    std::function<void()> checkNewVersion;
    // A tick of the typing-completion timer (it is disarmed after the tick).
    std::function<void()> autoFindTick;
    // The pop-up menu form: loaded with the main window, unloaded with it.
    std::function<void()> loadPopupMenu;
    std::function<void()> unloadPopupMenu;
    // After a printed bill: moves a multi-page format to its next page; true when the bill
    // is complete (after the last page, or for a format without pages).
    std::function<bool(const QString& format)> jumpToNextPage;
    // Empties the boxes of the bill (all of them, or the selected ones).
    std::function<void()> clearBill;
    // Running numbers and list items, dates and random codes of a new bill.
    std::function<void()> fillNewBillValues;
    // Draws the label-sheet preview with the given columns and rows.
    std::function<void(PictureWidget* preview, int columns, int rows)> drawLabelPreview;
    // The format list window: the chosen format's name, "" when left without a choice.
    std::function<QString()> formatList;
};

MainWindowHooks& MainHooks();

}  // namespace bw
