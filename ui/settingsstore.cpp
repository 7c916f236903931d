#include "ui/settingsstore.h"

#include "ui/settingsmedium.h"

#include <cmath>
#include <limits>

namespace {

// The one place where names lose their case: "Setting" and "setting" are one section.
QString fold(const QString& name)
{
    return name.toCaseFolded();
}

} // namespace

QString SettingsStore::read(const QString& section, const QString& key,
                            const QString& fallback) const
{
    return medium_.value(fold(section), fold(key)).value_or(fallback);
}

void SettingsStore::write(const QString& section, const QString& key, const QString& text)
{
    medium_.setValue(fold(section), fold(key), text);
    if (batches_ == 0) writeOut();
}

void SettingsStore::writeOut()
{
    if (medium_.sync() || failureReported_) return;
    failureReported_ = true;
    if (reportWriteFailure) reportWriteFailure();
}

void SettingsStore::reload()
{
    medium_.reload();
}

bool SettingsStore::tryWrite(const QString& section, const QString& key, const QString& text)
{
    medium_.setValue(fold(section), fold(key), text);
    return medium_.sync();
}

bool SettingsStore::readFlag(const QString& section, const QString& key, bool fallback) const
{
    bool isNumber = false;
    const double number = read(section, key, fallback ? QStringLiteral("1") : QStringLiteral("0"))
                              .trimmed()
                              .toDouble(&isNumber);
    if (!isNumber || std::isnan(number)) return fallback;
    return number != 0.0;
}

void SettingsStore::writeFlag(const QString& section, const QString& key, bool on)
{
    write(section, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

qint16 SettingsStore::readInt16(const QString& section, const QString& key) const
{
    bool ok = false;
    const int value = read(section, key, QString()).trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(value);
}

QString SettingsStore::singleText(float value)
{
    if (value == 0.0f) return QStringLiteral("0");
    if (std::trunc(value) == value && std::fabs(value) < 1e15f)
        return QString::number(static_cast<qint64>(value));
    return QString::number(static_cast<double>(value), 'g', 7);
}
