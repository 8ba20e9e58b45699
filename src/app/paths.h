// Paths between Qt and the core. Qt writes every path with '/', whatever the system; the core, the
// messages it makes and the user's own system use the system's separator ('\' on Windows). A path
// goes to the core and to the screen in the system's form, and comes back to Qt in Qt's.
#pragma once

#include <QDir>
#include <QString>
#include <filesystem>

#include "base/text_encoding.h"

namespace velkor::app {

inline std::filesystem::path ToPath(const QString& text) {
  return PathFromUtf8(QDir::toNativeSeparators(text).toStdString());
}

inline QString FromPath(const std::filesystem::path& path) {
  return QDir::fromNativeSeparators(QString::fromStdString(PathToUtf8(path)));
}

// As the user's system writes it, for a text field or a message.
inline QString ShownPath(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace velkor::app
