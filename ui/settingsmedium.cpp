#include "ui/settingsmedium.h"

#include "ui/programidentity.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

namespace {

QString path(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

QString text(const QVariant& value)
{
    // A hand-edited value with commas reads back as a list; keep it as the user wrote it.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ");
    return value.toString();
}

} // namespace

IniSettingsMedium::IniSettingsMedium(const QString& file)
{
    if (file.isEmpty())
        settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                identity::title, identity::title);
    else
        settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
    // QSettings rewrites a file it could not parse with only what it understood.
    damagedCopyPending_ = settings_->status() == QSettings::FormatError;
}

IniSettingsMedium::~IniSettingsMedium() = default;

QString IniSettingsMedium::fileName() const
{
    return settings_->fileName();
}

std::optional<QString> IniSettingsMedium::value(const QString& section, const QString& key) const
{
    const QVariant v = settings_->value(path(section, key));
    if (!v.isValid()) return std::nullopt;
    return text(v);
}

void IniSettingsMedium::setValue(const QString& section, const QString& key, const QString& text)
{
    if (damagedCopyPending_) keepDamagedCopy();
    settings_->setValue(path(section, key), text);
}

bool IniSettingsMedium::sync()
{
    settings_->sync();
    return written();
}

void IniSettingsMedium::reload()
{
    // QSettings reads the file again when it changed since it was read, and writes nothing
    // when nothing was set.
    sync();
}

bool IniSettingsMedium::written()
{
    // The status keeps its first error for good, and a damaged file's FormatError hides any
    // later AccessError: ask the file itself whether it now reads cleanly.
    if (settings_->status() != QSettings::FormatError)
        return settings_->status() == QSettings::NoError;
    if (QSettings(fileName(), QSettings::IniFormat).status() != QSettings::NoError) return false;
    // Rewritten whole: from here on the status tells the truth again.
    settings_ = std::make_unique<QSettings>(fileName(), QSettings::IniFormat);
    return true;
}

void IniSettingsMedium::keepDamagedCopy()
{
    damagedCopyPending_ = false;
    const QString damaged = fileName() + QStringLiteral(".damaged");
    QFile::remove(damaged);
    QFile::copy(fileName(), damaged);
}
