#include "charts/chartlibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <dlfcn.h>

namespace chartlibrary {

void* entry(const char* name)
{
    if (void* linked = dlsym(RTLD_DEFAULT, name)) return linked;
    static void* const library = [] {
        const QByteArray path =
            QFile::encodeName(QCoreApplication::applicationDirPath() + "/dovanel-chart.so");
        void* opened = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        if (!opened) qWarning("dovanel: no charts: %s", dlerror());
        return opened;
    }();
    return library ? dlsym(library, name) : nullptr;
}

QLabel* unavailableNotice(QWidget* parent)
{
    auto* notice = new QLabel(unavailableText, parent);
    notice->setAlignment(Qt::AlignCenter);
    return notice;
}

} // namespace chartlibrary
