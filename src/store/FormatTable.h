#pragma once
// A format's box rows: read from table Fmt into the box property grid, and written back.

#include <QString>

namespace bw {

class Grid;

// The record column of each grid column ("" for the serial column) and the headers.
const QStringList& BoxGridFields();
const QStringList& BoxGridCaptions();

// Reads the format's box rows into the grid (empty name = the current format, handed back).
void LoadBoxesIntoGrid(Grid& grid, QString& name);

// Writes the grid as the format's rows, all or nothing: on a failure the stored format and
// the grid stay as they were and the user is told. True when saved.
bool SaveFormat(Grid& grid, QString& name);

}  // namespace bw
