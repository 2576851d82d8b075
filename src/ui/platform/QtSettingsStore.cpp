#include "ui/platform/QtSettingsStore.h"

#include "core/services/AppTitle.h"

namespace tessary {

namespace {
QString KeyPath(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}
}  // namespace

QtSettingsStore::QtSettingsStore() : settings_(Open()) {}

std::unique_ptr<QSettings> QtSettingsStore::Open() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(kAppTitle),
                                       QString::fromLatin1(kAppTitle));
}

std::optional<std::string> QtSettingsStore::Read(const std::string& section, const std::string& key) const {
    const QVariant value = settings_->value(KeyPath(section, key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& section, const std::string& key, const std::string& value) {
    settings_->setValue(KeyPath(section, key), QString::fromStdString(value));
}

bool QtSettingsStore::Flush() {
    // QSettings keeps its first error for good: after one, a new object over
    // the same unwritten values tells whether they can be written now.
    if (settings_->status() != QSettings::NoError) settings_ = Open();
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

std::string QtSettingsStore::Location() const { return settings_->fileName().toStdString(); }

}  // namespace tessary
