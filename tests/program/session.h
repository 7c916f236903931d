#pragma once

#include "app/mainwindow.h"
#include "app/program.h"
#include "tests/support/doubles.h"
#include "ui/platform.h"

#include <QTemporaryDir>
#include <memory>

// The whole program with test doubles for the system, in a working directory of its own.
class Session {
public:
    Session();
    ~Session();

    void writeText(const QString& name, const QStringList& lines);
    // The journal file of this session, made only once a run is recorded.
    QString journalPath() const;

    // As at program start, with a text file named on the command line or none: the main
    // window is up, the level dialog not yet.
    void start(const QString& textFile = {});
    // Started, a level chosen and its first tick done: ready for the first key.
    void begin(int level = 2);

    // 100 ms pass: Timer1 ticks if it is on. The only way the tests' timers ever tick.
    void tick();
    // Brings the main window forward as the window manager would; false if it never is.
    bool activate();
    void type(const QString& text);
    QWidget* focused() const;

    mainwindow& main() const { return *program->main; }
    RunState& run() const { return program->main->run; }

    QTemporaryDir dir;
    SettableClock clock;
    CountingBeep beep;
    ScriptedMessageBoxes messages;
    RecordingBrowser browser;
    FixedRandom random;
    MemorySettingsMedium settings;
    ManualTickers tickers{messages};
    Platform platform{clock, beep, messages, browser, random, settings, tickers};
    std::unique_ptr<Program> program;
};
