#include "shell/MainHooks.h"

namespace bw {

MainWindowHooks& MainHooks() {
    static MainWindowHooks hooks;
    return hooks;
}

}  // namespace bw
