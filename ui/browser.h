#pragma once

#include <QUrl>

// Starts the system web browser.
class Browser {
public:
    virtual ~Browser() = default;
    // False when no browser could be started.
    virtual bool open(const QUrl& address) = 0;
};

class DesktopBrowser : public Browser {
public:
    bool open(const QUrl& address) override;
};
