#include "app/user_settings.h"

#include <QDir>
#include <QSettings>

namespace velkor::app {
namespace {

constexpr const char* kReportFolder = "folders/reports";
constexpr const char* kSaveFolder = "folders/save";
constexpr const char* kGeometry = "window/geometry";

// An INI file in the user's settings folder on every system (tests point the folder elsewhere).
QSettings Settings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velkor"), QStringLiteral("velkor"));
}

// A remembered folder counts only while it is still there.
QString ExistingFolder(const char* key) {
  const QString folder = Settings().value(QLatin1String(key)).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

}  // namespace

QString LastReportFolder() { return ExistingFolder(kReportFolder); }
void RememberReportFolder(const QString& folder) { Settings().setValue(QLatin1String(kReportFolder), folder); }

QString LastSaveFolder() { return ExistingFolder(kSaveFolder); }
void RememberSaveFolder(const QString& folder) { Settings().setValue(QLatin1String(kSaveFolder), folder); }

QByteArray MainWindowGeometry() { return Settings().value(QLatin1String(kGeometry)).toByteArray(); }
void RememberMainWindowGeometry(const QByteArray& geometry) { Settings().setValue(QLatin1String(kGeometry), geometry); }

}  // namespace velkor::app
