#include "backends/qt/plugin_module.h"

#include <QCoreApplication>
#include <QLibrary>

namespace velmora::qt {

QFunctionPointer ResolveInModule(const char* module, const char* symbol) {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& dir : {programDir, programDir + "/../lib/velmora"}) {
        if (QFunctionPointer found = QLibrary(dir + "/" + module).resolve(symbol)) return found;
    }
    return nullptr;
}

}  // namespace velmora::qt
