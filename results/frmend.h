#pragma once

#include "charts/resultschart.h"
#include "results/resultrecord.h"
#include "ui/formsupport.h"

#include <QObject>
#include <QWidget>
#include <array>
#include <memory>

class Clock;
class QKeyEvent;
class QLabel;
class QPushButton;

// The controls of one opening of the results window; discarded when it closes.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    ResultsWindow();
    ~ResultsWindow() override;

    QLabel* lblsetumei;
    std::array<QLabel*, 4> figures;                  // time, miss rate, speed, points
    std::array<QLabel*, History::levels> lbltokuten; // the best-score panel, level 1 first
    std::array<QLabel*, History::levels> lbldate;
    std::unique_ptr<ResultsChart> chart;      // none when its library cannot be loaded
    std::array<QPushButton*, 3> chartButtons; // cmdtokuten, cmdmiss, cmdsokudo
};

// The results window: shows the finished run's figures, the last ten results and the best
// score of each level, and waits for r (again), q (quit) or l (level). The object lives as
// long as the program; its controls only while the window is open.
class frmend : public QObject, public FormHolder<ResultsWindow> {
    Q_OBJECT
public:
    enum Chart { ScoreChart = 1, MissChart = 2, SpeedChart = 3 };

    frmend(ResultsHost& host, SettingsStore& store, Clock& clock);

    // Shows the window for the host's finished run; when already open, brings it forward.
    void open();

    int chartmode() const { return chartmode_; }
    const History& history() const { return record_.history(); }

    // Set by "l": the main window's Timer1 opens the level dialog when it sees it.
    bool flglevel = false;

private:
    void load();
    void showChart(int mode);
    void setrow();
    void chartButton(int mode);
    bool key(QKeyEvent* event);

    ResultsHost& host_;
    Clock& clock_;
    ResultRecord record_;
    int chartmode_ = ScoreChart;
};
