#include "ui/chartlibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <dlfcn.h>

namespace chartlibrary {

void* entry(const char* name)
{
    if (void* linked = dlsym(RTLD_DEFAULT, name)) return linked;
    static void* const library = [] {
        const QByteArray path =
            QFile::encodeName(QCoreApplication::applicationDirPath() + "/dovanel-chart.so");
        return dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    }();
    return library ? dlsym(library, name) : nullptr;
}

} // namespace chartlibrary
