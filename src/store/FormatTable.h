#pragma once
// A format's box rows: read from table Fmt into the box property grid, and written back.

#include <QString>
#include <array>
#include <vector>

namespace bw {

class Grid;

// The record column of each grid column ("" for the serial column) and the headers.
const QStringList& BoxGridFields();
const QStringList& BoxGridCaptions();

// Reads the format's box rows into the grid (empty name = the current format, handed back).
void LoadBoxesIntoGrid(Grid& grid, QString& name);

// The cells of the grid a save writes (record IDs and the links between rows): taken before
// a save and put back when it is undone.
struct BoxGridLinks {
    std::vector<std::array<QString, 5>> cells;
    void take(const Grid& grid);
    void restore(Grid& grid) const;
};

// Writes the grid as the format's rows, all or nothing: on a failure the stored format and
// the grid stay as they were and the user is told. True when saved.
bool SaveFormat(Grid& grid, QString& name);

}  // namespace bw
