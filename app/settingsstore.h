#pragma once

#include <QString>

class SettingsMedium;

// Per-user text values addressed by section and key, matched without regard to case.
class SettingsStore {
public:
    explicit SettingsStore(SettingsMedium& medium) : medium_(medium) {}

    QString read(const QString& section, const QString& key, const QString& fallback) const;
    void write(const QString& section, const QString& key, const QString& text);

    // "0" is off, any other number on; a text that is no number gives the fallback.
    bool readFlag(const QString& section, const QString& key, bool fallback) const;
    void writeFlag(const QString& section, const QString& key, bool on);

    // A stored 16-bit integer; anything else (absent, not a number, out of range) gives 0.
    qint16 readInt16(const QString& section, const QString& key) const;

    // Decimal text of a single-precision number: no fraction when whole, "-" when negative.
    static QString singleText(float value);

private:
    SettingsMedium& medium_;
};
