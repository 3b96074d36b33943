#include "backends/qt/plugin_module.h"

#include <QCoreApplication>
#include <QLibrary>

namespace velmora::qt {

QFunctionPointer ResolveInModule(const char* module, const char* symbol) {
    return QLibrary(QCoreApplication::applicationDirPath() + "/" + module).resolve(symbol);
}

}  // namespace velmora::qt
