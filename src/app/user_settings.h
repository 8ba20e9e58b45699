// What the desktop program remembers for the user from one run to the next: the folders last used
// and where the main window stood. Each run is one conversion, so without this every run would start
// from scratch.
#pragma once

#include <QByteArray>
#include <QString>

namespace velkor::app {

// The folder the reports were last chosen in, or empty.
QString LastReportFolder();
void RememberReportFolder(const QString& folder);

// The folder the last document was saved in, or empty.
QString LastSaveFolder();
void RememberSaveFolder(const QString& folder);

// The main window's geometry as Qt saves it, or empty before the first run ends.
QByteArray MainWindowGeometry();
void RememberMainWindowGeometry(const QByteArray& geometry);

}  // namespace velkor::app
