#include "shell/MainLinks.h"

namespace bw {

MainWindowLinks& MainLinks() {
    static MainWindowLinks links;
    return links;
}

}  // namespace bw
