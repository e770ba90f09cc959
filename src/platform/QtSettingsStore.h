#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

namespace zorvik {

// INI file in the user's configuration folder: $XDG_CONFIG_HOME/Teskaro.conf, section [Zorvik].
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    QString read(const QString& key, const QString& defaultValue) const override;
    void write(const QString& key, const QString& value) override;
    QString fileName() const { return settings_.fileName(); }

private:
    mutable QSettings settings_;
};

} // namespace zorvik
