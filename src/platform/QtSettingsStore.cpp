#include "platform/QtSettingsStore.h"

#include <QStringList>
#include <QtDebug>

namespace zorvik {

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Teskaro"), QString()) {
    settings_.beginGroup(QStringLiteral("Zorvik"));
}

QString QtSettingsStore::read(const QString& key, const QString& defaultValue) const {
    const QVariant value = settings_.value(key);
    if (!value.isValid())
        return defaultValue;
    // A hand-edited, unquoted value with commas comes back as a list; keep its text as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

void QtSettingsStore::write(const QString& key, const QString& value) {
    settings_.setValue(key, value);
    settings_.sync();
    if (settings_.status() != QSettings::NoError)
        qWarning("Zorvik: could not write the settings file %s", qPrintable(settings_.fileName()));
}

} // namespace zorvik
