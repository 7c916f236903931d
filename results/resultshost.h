#pragma once

#include <QtGlobal>

class QAction;
struct Score;

// The run the results window scores, as the main window counted it.
struct FinishedRun {
    float start = 0.0f;  // seconds since midnight
    float finish = 0.0f; // seconds since midnight
    qint16 mojicnt = 0;
    qint16 misscnt = 0;
    qint16 inputcnt = 0;
    quint32 serial = 0; // tells one finished run from the next
};

// What the results window asks of the main window.
class ResultsHost {
public:
    virtual ~ResultsHost() = default;

    virtual FinishedRun finishedRun() const = 0;
    // The chosen level, 1..4; 0 while none was chosen or an opened text is practised.
    virtual int level() const = 0;
    // Once per finished run, as soon as it is scored: the main window keeps the time it
    // took and the run goes into the journal.
    virtual void runScored(const Score& score) = 0;
    // "r": start again as at start-up (Form_Load, colours when cmdcolor shows, focus txtin(0)).
    virtual void restartFromResults() = 0;
    // "q": close the main window, which ends the program, then clear flgresult.
    virtual void quitFromResults() = 0;
    // "l": Timer1 opens the level dialog once the results window has gone.
    virtual void enableTimer1() = 0;
    // The menu's 練習の記録, whose shortcut works in the results window too.
    virtual QAction* journalAction() const = 0;
};
