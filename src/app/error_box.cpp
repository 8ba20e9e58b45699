// The program's standard error box.
#include "app/error_box.h"

#include "app/modal_seam.h"
#include "base/error.h"

namespace velkor::app {

// The core's messages, places and reasons are UTF-8 from the moment they are made.
QString ExceptionText(const std::exception& error) {
  if (const auto* known = dynamic_cast<const velkor::Error*>(&error)) {
    QString text = QString::fromStdString(known->message());
    const std::string where = known->where();
    if (!where.empty()) text += QLatin1Char('\n') + QString::fromStdString(where);
    if (!known->reason().empty()) text += QLatin1Char('\n') + QString::fromStdString(known->reason());
    return text;
  }
  return QString::fromStdString(error.what());
}

void ShowException(QWidget* parent, const std::exception& error) { ShowErrorBox(parent, ExceptionText(error)); }

}  // namespace velkor::app
