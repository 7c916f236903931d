#include "ui/ticker.h"

#include "ui/messagebox.h"

#include <QTimer>
#include <algorithm>

Ticker::Ticker(MessageBoxes& boxes, Tick tick)
    : boxes_(boxes), tick_(std::move(tick)), self_(std::make_shared<Ticker*>(this))
{
}

Ticker::~Ticker() = default;

void Ticker::start()
{
    waiting_ = 0;
    restart();
}

void Ticker::elapsed()
{
    if (waiting_ == 0 && boxes_.openBoxes() == 0) {
        tick_();
        return;
    }
    if (waiting_++ > 0) return; // a catch-up is already asked for
    boxes_.afterClose([self = std::weak_ptr<Ticker*>(self_)] {
        if (const auto alive = self.lock()) (*alive)->catchUp();
    });
}

void Ticker::catchUp()
{
    // A tick may stop the timer, or start it afresh, which drops the rest.
    while (waiting_ > 0 && isActive()) {
        --waiting_;
        tick_();
    }
    waiting_ = 0;
}

namespace {

class QtTicker : public Ticker {
public:
    QtTicker(MessageBoxes& boxes, int intervalMs, Tick tick) : Ticker(boxes, std::move(tick))
    {
        timer_.setInterval(intervalMs);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { elapsed(); });
    }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

protected:
    void restart() override { timer_.start(); }

private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<Ticker> QtTickers::make(int intervalMs, Ticker::Tick tick)
{
    return std::make_unique<QtTicker>(boxes_, intervalMs, std::move(tick));
}
