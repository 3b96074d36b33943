// The program's own modules (music, speech), loaded when first needed so
// that start-up does not pay for the libraries they bring.
#pragma once

#include <QFunctionPointer>

namespace velmora::qt {

// The symbol of the module named (without "lib" and ".so"), found beside the
// program (in a build folder, and installed in lib/games/velmora); null when
// it is not there.
QFunctionPointer ResolveInModule(const char* module, const char* symbol);

}  // namespace velmora::qt
