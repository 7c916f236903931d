#pragma once

#include <memory>

class QSoundEffect;

// The answer to a wrong key.
class Beep {
public:
    virtual ~Beep() = default;
    virtual void beep() = 0;
};

// A short tone of our own: the platform bell is silent on Wayland and on many desktops.
class SoundBeep : public Beep {
public:
    SoundBeep();
    ~SoundBeep() override;
    void beep() override;
    // Opens the sound device ahead of the first wrong key, off the start-up path.
    void preload();

private:
    std::unique_ptr<QSoundEffect> effect_;
    bool failed_ = false;
};

class CountingBeep : public Beep {
public:
    void beep() override { ++count; }
    int count = 0;
};
