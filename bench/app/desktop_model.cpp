// The terrain model through the desktop program, as a user drives it: Open with "Model" ticked, the
// model dialog reads a large drawing, the document appears in the viewer, Save writes it out.
// Every dialog is answered through the modal seam. Prints the wall time of each command and the
// longest time in it during which no window repainted (every window asks for a repaint each 20 ms).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "app/import_dialog.h"
#include "app/main_window.h"
#include "app/modal_seam.h"
#include "app/model_reader_dialog.h"
#include "app/startup.h"
#include "app/xml_viewer.h"

namespace {

// Records the longest stretch without a paint event anywhere while it is armed; a timer asks every
// visible window for a repaint so that an idle window counts as painting.
class RepaintGaps : public QObject {
 public:
  RepaintGaps() {
    QApplication::instance()->installEventFilter(this);
    connect(&ask_, &QTimer::timeout, this, [] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) window->update();
      }
    });
    ask_.start(20);
  }
  void Restart() {
    since_.start();
    longest_ = 0;
    clock_.start();
  }
  double LongestSeconds() const { return static_cast<double>(std::max(longest_, clock_.nsecsElapsed())) / 1e9; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && clock_.isValid()) {
      const qint64 gap = clock_.nsecsElapsed();
      if (gap > 200'000'000)
        std::printf("  (a gap of %.3f s ended at %.3f s)\n", static_cast<double>(gap) / 1e9,
                    static_cast<double>(since_.nsecsElapsed()) / 1e9);
      longest_ = std::max(longest_, gap);
      clock_.restart();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QTimer ask_;
  QElapsedTimer clock_;
  QElapsedTimer since_;
  qint64 longest_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  velkor::app::UseCNumberFormat();
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s ELEMENT_TABLE DRAWING.ncz WORK_DIR OUTPUT.xml\n", argv[0]);
    return 2;
  }
  const QString table = QString::fromLocal8Bit(argv[1]);
  const QString drawing = QString::fromLocal8Bit(argv[2]);
  const QString work = QString::fromLocal8Bit(argv[3]) + QLatin1Char('/');
  const QString output = QString::fromLocal8Bit(argv[4]);

  velkor::app::TForm1 form(work);
  form.show();
  QApplication::processEvents();

  int step = 0;
  velkor::app::ScopedModalHandler answers([&](QDialog& dialog) {
    ++step;
    if (auto* import = dynamic_cast<velkor::app::TFormCksGec*>(&dialog)) {
      import->DosyaKontrol(table);
      import->cb2->setChecked(true);
      import->sBitBtn1->click();
      return import->result();
    }
    if (auto* model = dynamic_cast<velkor::app::TForm2*>(&dialog)) {
      model->ReadBtn->click();
      return model->result();
    }
    if (auto* files = dynamic_cast<QFileDialog*>(&dialog)) {
      files->selectFile(files->acceptMode() == QFileDialog::AcceptSave ? output : drawing);
      return int(QDialog::Accepted);
    }
    std::fprintf(stderr, "unexpected dialog: %s\n", qPrintable(dialog.windowTitle()));
    return int(QDialog::Rejected);
  });

  RepaintGaps gaps;
  QElapsedTimer timer;
  timer.start();
  gaps.Restart();
  form.A1Click();
  const double openGap = gaps.LongestSeconds();
  const double open = static_cast<double>(timer.nsecsElapsed()) / 1e9;
  const long bytes = form.ListBox1->SendScintilla(QsciScintilla::SCI_GETLENGTH);
  std::printf("Open -> OK -> model read, matched, document shown: %7.3f s (%ld bytes, %zu points, %zu faces)\n", open,
              bytes, form.Form2->model().coordinates.size(), form.Form2->model().faces.size());
  std::printf("  longest time without a repaint meanwhile:        %7.3f s (target < 0.5 s)\n", openGap);
  timer.restart();
  form.repaint();
  QApplication::processEvents();
  std::printf("first paint of the document:                       %7.3f s\n",
              static_cast<double>(timer.nsecsElapsed()) / 1e9);
  timer.restart();
  gaps.Restart();
  form.Kaydet1Click();
  const double saveGap = gaps.LongestSeconds();
  std::printf("Save:                                              %7.3f s\n",
              static_cast<double>(timer.nsecsElapsed()) / 1e9);
  std::printf("  longest time without a repaint meanwhile:        %7.3f s (target < 0.5 s)\n", saveGap);
  if (!form.Kaydet1->isEnabled() || form.isVisible()) {
    std::fprintf(stderr, "the conversion or the save did not complete\n");
    return 1;
  }
  return 0;
}
