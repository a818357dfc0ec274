#pragma once
// The parts of the program that need a large library of their own (the network, the printers)
// live in modules loaded when first used, so that a start which needs neither does not load
// those libraries. A module is a shared object named libbw_<name>.so in the program's module
// folder: beside the executable, or the build's module folder.

namespace bw {

// The address of `symbol` in the module `name` ("network"), loading the module on first use;
// null when the module or the symbol cannot be found (the reason goes to the debug log once).
void* ModuleSymbol(const char* name, const char* symbol);

}  // namespace bw
