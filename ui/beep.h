#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// The answer to a wrong key.
class Beep {
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

// The desktop's own "bell" event sound through libcanberra, which follows the desktop's
// event-sound setting on X11 and Wayland alike; the platform bell where that cannot play
// (the bell alone is silent on Wayland and on many desktops). Nothing of the sound system is
// loaded before the first wrong key, and the sound is started on a thread of its own: asking
// a sound server to play takes a millisecond or more, too long for the keystroke path.
class SoundBeep : public Beep {
public:
    SoundBeep() = default;
    ~SoundBeep() override;
    void beep() override;

private:
    void play();

    std::thread player_;
    std::mutex mutex_;
    std::condition_variable wake_;
    int pending_ = 0;
    bool quit_ = false;
    bool failed_ = false;
};
