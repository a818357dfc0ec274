#include "shell/PrintCommands.h"

namespace bw {

bool PrintCommandsReady() {
    return false;
}

bool RunPrintCommand(int) {
    return false;
}

}  // namespace bw
