// The program's own modules (music, speech), loaded when first needed so
// that start-up does not pay for the libraries they bring.
#pragma once

#include <QFunctionPointer>

namespace velmora::qt {

// The symbol of the module named (without "lib" and ".so"), found beside the
// program in a build folder or in the game's library folder once installed
// (games/ and lib/velmora/ are siblings); null when neither holds it.
QFunctionPointer ResolveInModule(const char* module, const char* symbol);

}  // namespace velmora::qt
