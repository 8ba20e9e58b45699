// Every modal dialog and message box of the program is shown through here, so the tests can answer
// them without a screen or a person: they install a handler that plays the user's part.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QDialog;
class QFileDialog;
class QWidget;

namespace velkor::app {

// Returns the dialog's result (QDialog::Accepted / Rejected, or a QMessageBox button).
using ModalHandler = std::function<int(QDialog&)>;

// Shows `dialog` modally: exec() normally, the installed handler under test.
int ExecModal(QDialog& dialog);

// True while a test answers the dialogs.
bool HasModalHandler();

// Installs a handler for the lifetime of the returned guard (tests only).
class ScopedModalHandler {
 public:
  explicit ScopedModalHandler(ModalHandler handler);
  ~ScopedModalHandler();
  ScopedModalHandler(const ScopedModalHandler&) = delete;
  ScopedModalHandler& operator=(const ScopedModalHandler&) = delete;

 private:
  ModalHandler previous_;
};

// The system's "information" sound; tests count it instead.
void Beep();
class ScopedBeepHandler {
 public:
  explicit ScopedBeepHandler(std::function<void()> handler);
  ~ScopedBeepHandler();
  ScopedBeepHandler(const ScopedBeepHandler&) = delete;
  ScopedBeepHandler& operator=(const ScopedBeepHandler&) = delete;

 private:
  std::function<void()> previous_;
};

// Empties the file name a file dialog will show (selectFile("") alone keeps the last one typed).
void ClearFileName(QFileDialog& dialog);

// Shows a file dialog; the chosen file, or nothing when the user cancelled.
std::optional<QString> ChooseFile(QFileDialog& dialog);

inline constexpr const char* kProgramTitle = "Velkor";            // our own boxes (About, start-up)
inline constexpr const char* kApplicationTitle = "NetCAD > XML";  // error boxes and plain messages

enum class BoxIcon { None, Information, Warning, Error };

// A message box with an OK button only.
void ShowMessageBox(QWidget* parent, BoxIcon icon, const QString& title, const QString& text);
// The standard error box of a failed command.
void ShowErrorBox(QWidget* parent, const QString& text);

}  // namespace velkor::app
