#pragma once

#include <QString>
#include <functional>

class SettingsMedium;

// Per-user text values addressed by section and key, matched without regard to case.
class SettingsStore {
public:
    explicit SettingsStore(SettingsMedium& medium) : medium_(medium) {}

    QString read(const QString& section, const QString& key, const QString& fallback) const;
    // Written out at once, or with the batch it belongs to. A write that could not be kept
    // calls the failure report, once per program execution.
    void write(const QString& section, const QString& key, const QString& text);
    // For writes nobody needs to hear about; false when the value could not be kept.
    bool tryWrite(const QString& section, const QString& key, const QString& text);
    std::function<void()> reportWriteFailure;
    // Sees what another running copy of the program stored since.
    void reload();

    // The writes made while a batch lives reach the file together when it ends: one result
    // sets some thirty values, each of which would otherwise rewrite and sync the file.
    class Batch {
    public:
        explicit Batch(SettingsStore& store) : store_(store) { ++store_.batches_; }
        ~Batch()
        {
            if (--store_.batches_ == 0) store_.writeOut();
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SettingsStore& store_;
    };

    // "0" is off, any other number on; a text that is no number gives the fallback.
    bool readFlag(const QString& section, const QString& key, bool fallback) const;
    void writeFlag(const QString& section, const QString& key, bool on);

    // A stored 16-bit integer; anything else (absent, not a number, out of range) gives 0.
    qint16 readInt16(const QString& section, const QString& key) const;

    // Decimal text of a single-precision number: no fraction when whole, "-" when negative.
    static QString singleText(float value);

private:
    void writeOut();

    SettingsMedium& medium_;
    int batches_ = 0;
    bool failureReported_ = false;
};
