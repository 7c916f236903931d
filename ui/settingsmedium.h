#pragma once

#include <QString>
#include <memory>
#include <optional>

class QSettings;

// The settings file's name, as messages about it name it.
inline const QString settingsFileName = QStringLiteral("dovanel.ini");

// Where settings values live. Names reach the medium already folded by the store.
class SettingsMedium {
public:
    virtual ~SettingsMedium() = default;
    virtual std::optional<QString> value(const QString& section, const QString& key) const = 0;
    // Kept at once for this session; for good only once written out.
    virtual void setValue(const QString& section, const QString& key, const QString& text) = 0;
    // Writes out what was set; false when it could not be kept for good.
    virtual bool sync() = 0;
    // Sees what another running copy stored since: reads the file again, after writing out
    // what was set here.
    virtual void reload() = 0;
};

// The user's INI file: $XDG_CONFIG_HOME/dovanel/dovanel.ini.
class IniSettingsMedium : public SettingsMedium {
public:
    // An empty path means the user's standard location.
    explicit IniSettingsMedium(const QString& path = {});
    ~IniSettingsMedium() override;

    std::optional<QString> value(const QString& section, const QString& key) const override;
    void setValue(const QString& section, const QString& key, const QString& text) override;
    bool sync() override;
    void reload() override;

    QString fileName() const;

private:
    void keepDamagedCopy();
    bool written();

    std::unique_ptr<QSettings> settings_;
    bool damagedCopyPending_ = false;
};
