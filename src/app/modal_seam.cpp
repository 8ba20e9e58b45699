// The single place where modal dialogs run.
#include "app/modal_seam.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "platform/platform.h"

namespace velkor::app {

namespace {
ModalHandler& CurrentHandler() {
  static ModalHandler handler;
  return handler;
}
std::function<void()>& CurrentBeepHandler() {
  static std::function<void()> handler;
  return handler;
}
}  // namespace

void Beep() {
  if (const auto& handler = CurrentBeepHandler()) return handler();
  if (!platform::InformationBeep()) QApplication::beep();
}

ScopedBeepHandler::ScopedBeepHandler(std::function<void()> handler) : previous_(std::move(CurrentBeepHandler())) {
  CurrentBeepHandler() = std::move(handler);
}

ScopedBeepHandler::~ScopedBeepHandler() { CurrentBeepHandler() = std::move(previous_); }

int ExecModal(QDialog& dialog) {
  if (const ModalHandler& handler = CurrentHandler()) {
    // Shown while the test answers, so the dialog's show-time handlers run as they would for a user.
    dialog.show();
    const int result = handler(dialog);
    dialog.hide();
    return result;
  }
  return dialog.exec();
}

bool HasModalHandler() { return static_cast<bool>(CurrentHandler()); }

ScopedModalHandler::ScopedModalHandler(ModalHandler handler) : previous_(std::move(CurrentHandler())) {
  CurrentHandler() = std::move(handler);
}

ScopedModalHandler::~ScopedModalHandler() { CurrentHandler() = std::move(previous_); }

void ClearFileName(QFileDialog& dialog) {
  dialog.selectFile(QString());
  if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) edit->clear();
}

std::optional<QString> ChooseFile(QFileDialog& dialog) {
  if (ExecModal(dialog) != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty() || files.front().isEmpty()) return std::nullopt;
  return files.front();
}

void ShowMessageBox(QWidget* parent, BoxIcon icon, const QString& title, const QString& text) {
  static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Information, QMessageBox::Warning,
                                                 QMessageBox::Critical};
  QMessageBox box(kIcons[static_cast<int>(icon)], title, text, QMessageBox::Ok, parent);
  ExecModal(box);
}

void ShowErrorBox(QWidget* parent, const QString& text) {
  ShowMessageBox(parent, BoxIcon::Error, QString::fromUtf8(kApplicationTitle), text);
}

}  // namespace velkor::app
