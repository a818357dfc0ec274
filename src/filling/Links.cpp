#include "filling/Links.h"

#include <cmath>

#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"

namespace bw {

IdentityIndex::IdentityIndex(const Grid& grid) {
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        const QString& t = grid.TextRef(r, col::ID);
        const double id = Val(t);
        if (id == 0) continue;
        const auto key = static_cast<qint64>(std::fabs(id));
        if (!byMagnitude_.contains(key)) byMagnitude_.insert(key, {id, r});
    }
}

LinkRef IdentityIndex::Resolve(double link) const {
    LinkRef ref;
    const double whole = Fix(link);
    if (whole == 0 || std::isnan(whole)) return ref;
    const auto it = byMagnitude_.constFind(static_cast<qint64>(std::fabs(whole)));
    if (it == byMagnitude_.constEnd()) {
        ref.id = std::fabs(whole);
        ref.mode = whole > 0 ? 1 : -1;
        return ref;
    }
    ref.id = it->first;
    ref.row = it->second;
    ref.mode = (whole > 0) == (ref.id > 0) ? 1 : -1;
    return ref;
}

LinkRef ResolveLink(const Grid& grid, double link) {
    return IdentityIndex(grid).Resolve(link);
}

}  // namespace bw
