#pragma once

#include "results/history.h"
#include "results/resultshost.h"
#include "results/scoring.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class Clock;
class SettingsStore;

// The results window: scores the finished run, keeps the last ten results and the
// best score of each level, and waits for r (again), q (quit) or l (level).
// The object lives as long as the program; its controls only while the window is open.
class frmend : public QObject {
    Q_OBJECT
public:
    enum Chart { ScoreChart = 1, MissChart = 2, SpeedChart = 3 };

    frmend(ResultsHost& host, SettingsStore& store, Clock& clock);
    ~frmend() override;

    // Shows the window for the host's finished run; when already open, brings it forward.
    void open();
    void close();
    bool isOpen() const;
    QWidget* window() const { return window_; }

    int chartmode() const { return chartmode_; }
    const History& history() const { return history_; }

    // Set by "l": the main window's Timer1 opens the level dialog when it sees it.
    bool flglevel = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls;

    void build();
    void load();
    void scoreRun(const FinishedRun& run);
    void showChart(int mode);
    void setrow();
    void chartButton(int mode);

    ResultsHost& host_;
    SettingsStore& store_;
    Clock& clock_;
    History history_;
    int chartmode_ = ScoreChart;

    // Figures of the run scored last, shown again when its window is opened again.
    std::optional<quint32> scoredSerial_;
    Score score_;
    std::array<History::Best, History::levels> panel_;

    QPointer<QWidget> window_;
    std::unique_ptr<Controls> controls_;
};
