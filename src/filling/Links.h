#pragma once
// How a link cell of the box property grid names its box. RCtl, RCtl1, SumID and SumID1 name
// the linked box by its identity (column 0) and carry a mode in their sign: same value or
// add when the link has the sign of the identity, history fill or multiply when it has the
// opposite sign. Saved boxes have positive identities, so for them a positive link is the
// same-value (add) mode; a box not yet saved has a negative identity, and its plain identity
// is still the same-value mode. Saving rewrites both the same way, so a link means the same
// before and after.

#include <QHash>

namespace bw {

class Grid;

// A decoded link: the identity of the named box as the grid holds it (the link's own whole
// part when no row has it) and its mode.
struct LinkRef {
    double id = 0;  // 0: no link
    int mode = 0;   // +1 same value / add, -1 history fill / multiply, 0 no link
    int row = 0;    // the named row of the grid; 0 when no row has that identity
};

// The identities of the grid's rows by their magnitude, for decoding many links at once.
class IdentityIndex {
public:
    explicit IdentityIndex(const Grid& grid);
    // The link cell's value decoded (only its whole part counts).
    LinkRef Resolve(double link) const;

private:
    QHash<qint64, std::pair<double, int>> byMagnitude_;  // |id| -> (id, row)
};

// One link decoded against the grid.
LinkRef ResolveLink(const Grid& grid, double link);

}  // namespace bw
