// Playing the user's part in the GUI tests: scripted answers for every modal dialog and message box.
#pragma once

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <filesystem>
#include <functional>

#include "app/modal_seam.h"

namespace velkor::test {

// A path as the user's system writes it: as the windows show it and the messages name it.
inline QString Q(const std::filesystem::path& p) {
  return QDir::toNativeSeparators(QString::fromStdU16String(p.u16string()));
}

struct ShownBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the dialogs in the order they come; what was shown is kept for the checks.
class DialogScript {
 public:
  using Answer = std::function<int(QDialog&)>;

  DialogScript() : guard_([this](QDialog& dialog) { return Next(dialog); }) {}

  DialogScript& Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
  }
  // A file dialog answered with `path`.
  DialogScript& ChooseFile(const QString& path) {
    return Then([path](QDialog& dialog) {
      auto& files = dynamic_cast<QFileDialog&>(dialog);
      files.selectFile(path);
      return int(QDialog::Accepted);
    });
  }
  DialogScript& Cancel() {
    return Then([](QDialog&) { return int(QDialog::Rejected); });
  }
  // A message box, acknowledged with OK.
  DialogScript& AcknowledgeBox() {
    return Then([](QDialog&) { return int(QMessageBox::Ok); });
  }

  const std::vector<ShownBox>& boxes() const { return boxes_; }
  const QStringList& titles() const { return titles_; }
  // Dialogs that came when no answer was left (each answered with Cancel).
  int unexpected() const { return unexpected_; }
  bool allAnswered() const { return answers_.empty(); }

 private:
  int Next(QDialog& dialog) {
    titles_ << dialog.windowTitle();
    if (auto* box = dynamic_cast<QMessageBox*>(&dialog))
      boxes_.push_back({box->windowTitle(), box->text(), box->icon()});
    if (answers_.empty()) {
      ++unexpected_;
      return QDialog::Rejected;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer(dialog);
  }

  std::deque<Answer> answers_;
  std::vector<ShownBox> boxes_;
  QStringList titles_;
  int unexpected_ = 0;
  app::ScopedModalHandler guard_;
};

// What the program remembers for its user goes to a folder of this object's own, empty at first, so
// a test neither reads nor changes the settings of whoever runs it.
class ScratchSettings {
 public:
  ScratchSettings() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path()); }

 private:
  QTemporaryDir dir_;
};

}  // namespace velkor::test
