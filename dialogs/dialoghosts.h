#pragma once

// What the dialogs ask of the main window. The main window implements these so the dialogs
// can be built and tested without it.

class LevelHost {
public:
    virtual ~LevelHost() = default;
    // A level was chosen: load a new practice block, recolour the finger tag if it is shown,
    // put the focus in the first input box and start Timer1, whose tick guides the first key.
    // The clock starts only with the first key typed.
    virtual void startLevelRun() = 0;
};

class OptionHost {
public:
    virtual ~OptionHost() = default;
    // Show the finger tag (recoloured first) or hide it.
    virtual void applyColourTag(bool show) = 0;
};
