#include "ui/keyrepeat.h"

#include <QGuiApplication>
#include <cstdlib>

// The XKB header names a field "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace keyrepeat {

void releaseOnlyWhenLetGo()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* c = x11->connection();
    // Qt has already enabled XKB on its connection; only this one flag changes.
    const auto cookie = xcb_xkb_per_client_flags(
        c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
        XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0);
    std::free(xcb_xkb_per_client_flags_reply(c, cookie, nullptr));
}

} // namespace keyrepeat
