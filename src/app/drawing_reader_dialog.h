// The frame both drawing readers share: a line saying which drawing to pick, "NetCAD oku" / "İptal"
// side by side and an open dialog for .ncz drawings titled after it. Reading closes the dialog with OK
// whatever happened; a failure is shown first.
#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

class QFileDialog;
class QLabel;
class QPushButton;

namespace velkor::app {

class DrawingReaderDialog : public QDialog {
  Q_OBJECT

 public:
  DrawingReaderDialog(const QString& caption, const QString& hint, const QString& fileTitle, QWidget* parent);

  QLabel* Hint;
  QPushButton* ReadBtn;
  QPushButton* BitBtn1;
  QFileDialog* OpenDialog1;

  // The drawing the lists were read from; empty while they hold none.
  const std::filesystem::path& drawing() const { return drawing_; }

 protected:
  // Asks for a drawing; when one is chosen, runs `read` on it under the wait cursor, and `forget`
  // when reading failed (after the error box). A cancelled choice leaves the lists as they were.
  void ReadChosenDrawing(const std::function<void(const std::filesystem::path&)>& read,
                         const std::function<void()>& forget);

 private:
  std::filesystem::path drawing_;
};

}  // namespace velkor::app
