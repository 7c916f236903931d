#include "ui/beep.h"

#include <QApplication>
#include <cstdint>
#include <dlfcn.h>
#include <memory>

namespace {

// libcanberra's C interface, declared here rather than linked: the library is opened at the
// first wrong key, and a system without it still has the platform bell.
struct ca_context;

class EventSound {
public:
    // Null when the library or a sound context cannot be had. The library stays loaded:
    // its sound backends keep threads of their own.
    static std::unique_ptr<EventSound> open()
    {
        void* library = dlopen("libcanberra.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (!library) return nullptr;
        const auto create = reinterpret_cast<Create>(dlsym(library, "ca_context_create"));
        const auto changeProps =
            reinterpret_cast<ChangeProps>(dlsym(library, "ca_context_change_props"));
        std::unique_ptr<EventSound> sound(new EventSound);
        sound->destroy_ = reinterpret_cast<Destroy>(dlsym(library, "ca_context_destroy"));
        sound->play_ = reinterpret_cast<Play>(dlsym(library, "ca_context_play"));
        if (!create || !changeProps || !sound->destroy_ || !sound->play_ ||
            create(&sound->context_) != 0)
            return nullptr;
        changeProps(sound->context_, "application.name", "dovanel", "application.id",
                    "io.github.dovanel", nullptr);
        return sound;
    }

    ~EventSound()
    {
        if (context_) destroy_(context_);
    }

    bool playBell()
    {
        return play_(context_, 0, "event.id", "bell", "event.description", "wrong key", nullptr) ==
               0;
    }

private:
    using Create = int (*)(ca_context**);
    using Destroy = int (*)(ca_context*);
    using ChangeProps = int (*)(ca_context*, ...);
    using Play = int (*)(ca_context*, std::uint32_t, ...);

    EventSound() = default;

    ca_context* context_ = nullptr;
    Destroy destroy_ = nullptr;
    Play play_ = nullptr;
};

void platformBell()
{
    QMetaObject::invokeMethod(
        qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

} // namespace

SoundBeep::~SoundBeep()
{
    if (!player_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    player_.join();
}

void SoundBeep::beep()
{
    {
        std::lock_guard lock(mutex_);
        if (failed_) {
            QApplication::beep();
            return;
        }
        ++pending_;
    }
    if (!player_.joinable()) player_ = std::thread([this] { play(); });
    wake_.notify_one();
}

// The player thread: opens the sound system and plays one bell for every wrong key. Once it
// fails (no library, no server or device, event sounds switched off) the platform bell
// answers instead, without asking the sound system again.
void SoundBeep::play()
{
    std::unique_ptr<EventSound> sound = EventSound::open();
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || pending_ > 0; });
        if (quit_) return;
        --pending_;
        lock.unlock();
        const bool played = sound && sound->playBell();
        lock.lock();
        if (!played) {
            failed_ = true;
            for (int bells = pending_ + 1; bells > 0; --bells)
                platformBell();
            pending_ = 0;
            return;
        }
    }
}
