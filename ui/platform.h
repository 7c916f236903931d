#pragma once

class Clock;
class Beep;
class MessageBoxes;
class Browser;
class RandomSource;
class SettingsMedium;
class Tickers;

// The services the windows take from the system; tests hand in doubles.
struct Platform {
    Clock& clock;
    Beep& beep;
    MessageBoxes& messages;
    Browser& browser;
    RandomSource& random;
    SettingsMedium& settings;
    Tickers& tickers;
};
