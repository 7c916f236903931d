#pragma once

// Stand-ins for the platform services, for tests, benchmarks and fuzzing: they record what
// the program asked and answer from a script, and their timers tick only when told to.

#include "ui/beep.h"
#include "ui/browser.h"
#include "ui/clock.h"
#include "ui/messagebox.h"
#include "ui/randomsource.h"
#include "ui/settingsmedium.h"
#include "ui/ticker.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <cmath>
#include <functional>
#include <vector>

class SettableClock : public Clock {
public:
    float secondsSinceMidnight() const override { return seconds; }
    QString today() const override { return date; }
    QDateTime dateTime() const override { return when; }
    // Moves with `seconds`, as the two clocks do.
    qint64 steadyMs() const override { return qint64(std::llround(double(seconds) * 1000.0)); }

    float seconds = 0.0f;
    QString date = QStringLiteral("2026/12/06");
    QDateTime when{QDate(2026, 12, 6), QTime(15, 4, 5), Qt::OffsetFromUTC, 9 * 3600};
};

class CountingBeep : public Beep {
public:
    void beep() override { ++count; }
    int count = 0;
};

class RecordingBrowser : public Browser {
public:
    bool open(const QUrl& address) override
    {
        opened.append(address);
        return succeeds;
    }
    QList<QUrl> opened;
    bool succeeds = true;
};

// Plays a fixed sequence, then repeats its last value (0 when empty).
class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(QList<float> values = {}) : values_(std::move(values)) {}
    float next() override
    {
        if (values_.isEmpty()) return 0.0f;
        if (values_.size() == 1) return values_.first();
        return values_.takeFirst();
    }

private:
    QList<float> values_;
};

class MemorySettingsMedium : public SettingsMedium {
public:
    std::optional<QString> value(const QString& section, const QString& key) const override
    {
        const auto it = values.constFind(section + u'/' + key);
        return it == values.constEnd() ? std::nullopt : std::optional<QString>(*it);
    }
    void setValue(const QString& section, const QString& key, const QString& text) override
    {
        values.insert(section + u'/' + key, text);
    }
    bool sync() override
    {
        ++syncs;
        return !failWrites;
    }
    void reload() override {}

    QMap<QString, QString> values; // "section/key" -> text
    bool failWrites = false;       // as a full disk: values are kept, but reported lost
    int syncs = 0;
};

// Records what was shown and answers questions from a script. `whileOpen` stands for the
// time a user takes to read a box: a real box runs the event loop meanwhile.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text, title;
        bool question;
        bool nested; // shown while another box was open
    };
    QList<Shown> shown;
    QList<bool> answers;
    std::function<void()> whileOpen;

protected:
    void showInform(const QString& text, const QString& title) override
    {
        record(text, title, false);
    }
    bool showQuestion(const QString& text, const QString& title) override
    {
        record(text, title, true);
        return !answers.isEmpty() && answers.takeFirst();
    }

private:
    void record(const QString& text, const QString& title, bool question)
    {
        shown.append({text, title, question, openBoxes() > 1});
        if (whileOpen && openBoxes() == 1) whileOpen();
    }
};

// Timers that tick only when a test says so.
class ManualTickers : public Tickers {
public:
    explicit ManualTickers(MessageBoxes& boxes) : boxes_(boxes) {}
    std::unique_ptr<Ticker> make(int intervalMs, Ticker::Tick tick) override;

    // Every active timer of that interval has its interval pass once.
    void elapse(int intervalMs);
    // Every active timer has its interval pass once.
    void elapseAll();

private:
    class Manual;
    MessageBoxes& boxes_;
    std::vector<Manual*> timers_;
};
