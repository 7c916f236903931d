#pragma once

#include <functional>
#include <memory>
#include <vector>

class MessageBoxes;

// An interval timer of a window. Its ticks come on the window thread between other events
// and never while one of the program's message boxes is open: a tick due then waits until
// the box has closed and the procedure that showed it has finished. Missed ticks are caught
// up, so a seconds display does not fall behind.
class Ticker {
public:
    using Tick = std::function<void()>;
    Ticker(MessageBoxes& boxes, Tick tick);
    virtual ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

    // Starts the interval afresh; ticks still waiting from before are dropped.
    void start();
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

protected:
    virtual void restart() = 0;
    // The implementation calls this each time an interval has passed.
    void elapsed();

private:
    void catchUp();

    MessageBoxes& boxes_;
    Tick tick_;
    int waiting_ = 0;
    std::shared_ptr<Ticker*> self_; // a pending catch-up finds out whether the ticker is gone
};

// Makes the program's timers.
class Tickers {
public:
    virtual ~Tickers() = default;
    virtual std::unique_ptr<Ticker> make(int intervalMs, Ticker::Tick tick) = 0;
};

class QtTickers : public Tickers {
public:
    explicit QtTickers(MessageBoxes& boxes) : boxes_(boxes) {}
    std::unique_ptr<Ticker> make(int intervalMs, Ticker::Tick tick) override;

private:
    MessageBoxes& boxes_;
};
