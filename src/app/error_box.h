// How a failed command reaches the user: the error's message, and where it happened on the line under it.
#pragma once

#include <QString>
#include <exception>
#include <string>

class QWidget;

namespace velkor::app {

// The error box for an exception that ended a command (velkor::Error or anything else).
void ShowException(QWidget* parent, const std::exception& error);
// The text that box shows.
QString ExceptionText(const std::exception& error);

}  // namespace velkor::app
