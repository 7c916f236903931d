#include "tests/support/doubles.h"

#include <algorithm>

class ManualTickers::Manual : public Ticker {
public:
    Manual(ManualTickers& owner, int intervalMs, Tick tick)
        : Ticker(owner.boxes_, std::move(tick)), owner_(owner), interval(intervalMs)
    {
        owner_.timers_.push_back(this);
    }
    ~Manual() override { std::erase(owner_.timers_, this); }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    void pass()
    {
        if (active_) elapsed();
    }

    ManualTickers& owner_;
    const int interval;

protected:
    void restart() override { active_ = true; }

private:
    bool active_ = false;
};

std::unique_ptr<Ticker> ManualTickers::make(int intervalMs, Ticker::Tick tick)
{
    return std::make_unique<Manual>(*this, intervalMs, std::move(tick));
}

void ManualTickers::elapse(int intervalMs)
{
    for (Manual* timer : std::vector(timers_))
        if (timer->interval == intervalMs) timer->pass();
}

void ManualTickers::elapseAll()
{
    for (Manual* timer : std::vector(timers_))
        timer->pass();
}
