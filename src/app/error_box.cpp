// The program's standard error box.
#include "app/error_box.h"

#include <QStringDecoder>

#include "app/modal_seam.h"
#include "base/error.h"
#include "platform/platform.h"

namespace velkor::app {

QString FromCoreText(const std::string& text) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString decoded = decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!decoder.hasError()) return decoded;
  return QString::fromStdString(Cp1254ToUtf8(text));
}

QString ExceptionText(const std::exception& error) {
  if (const auto* known = dynamic_cast<const velkor::Error*>(&error)) {
    QString text = FromCoreText(known->message());
    const std::string where = known->where();
    if (!where.empty()) text += QLatin1Char('\n') + FromCoreText(where);
    if (!known->reason().empty()) text += QLatin1Char('\n') + FromCoreText(known->reason());
    return text;
  }
  return FromCoreText(error.what());
}

void ShowException(QWidget* parent, const std::exception& error) { ShowErrorBox(parent, ExceptionText(error)); }

}  // namespace velkor::app
