#pragma once
// Doors: what a lower floor asks of a higher one. Each subsystem that answers such calls
// fills its struct once, in its Install...Services(); the main window installs them all
// when it is built. A caller finds an empty door when nothing above it is linked in (the
// tests of a lower floor) and then does without, as each call site says.
//
// Notifications that need no answer are Qt signals on MainForm instead.

#include <QString>
#include <QStringList>
#include <functional>

class QTreeWidget;

namespace bw {

namespace sql {
class Connection;
}

class BoxControl;
class Grid;
class TextBox;

// The format store: the open format and the grids of the main window's state, for the grid
// routines and the chooser below it; the ready formats for the start-up check's new data file.
struct StoreServices {
    std::function<QString()> currentFormat;  // the name of the open format ("" when none)
    std::function<Grid*()> batchGrid;        // MSF(1)
    std::function<Grid*()> boxGrid;          // MSF(3), the box property grid
    // Writes the ready formats into a new data file, on its connection, before the file takes
    // its name. False when they could not be written.
    std::function<bool(sql::Connection& newFile)> readyFormats;
};

// Bill filling.
struct FillingServices {
    // The text converted by the box's data type; may set the box's border.
    std::function<QString(TextBox* box, const QString& text)> convertByDataType;
    // Running numbers and list items, dates and random codes of a new bill.
    std::function<void()> fillNewBillValues;
    // Gives a box just put on the canvas its data-entry handlers (keys, clicks, focus).
    std::function<void(BoxControl* box)> attachBox;
};

// Records and batch data.
struct RecordsServices {
    // The format's default record into the boxes, and the boxes' values into it (false when
    // they could not be written).
    std::function<void(const QString& format)> loadDefaultData;
    std::function<bool(const QString& format)> saveDefaultData;
    // Brings the batch scroll bar, record labels and batch print button up to date after the
    // batch grid changed.
    std::function<void(Grid& batchGrid)> setupBatchRows;
};

// Format library.
struct LibraryServices {
    // The format list window: the chosen format's name, "" when left without a choice.
    std::function<QString()> formatList;
    std::function<void(QTreeWidget* tree, const QString& format)> addFormatNode;
    std::function<void(QTreeWidget* tree, const QString& key)> removeTreeNode;
    std::function<void(const QString& previous, const QString& current)> markCurrentFormatNode;
};

struct Services {
    StoreServices store;
    FillingServices filling;
    RecordsServices records;
    LibraryServices library;
};

// The program's doors.
Services& Doors();

// The names of the doors nobody has filled ("filling.convertByDataType", ...); empty when
// every door is filled.
QStringList UnfilledDoors();

}  // namespace bw
