// The desktop program's entry point.
#include <QApplication>
#include <cstdio>
#include <exception>
#include <new>

#include "app/error_box.h"
#include "app/startup.h"

namespace {

// An exception must never cross the toolkit's event loop: one that a command did not catch itself
// is shown in the error box and the program goes on.
class VelkorApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
      std::fputs("Velkor: Not enough memory\n", stderr);
    } catch (const std::exception& error) {
      velkor::app::ShowException(nullptr, error);
    } catch (...) {
      std::fputs("Velkor: Unexpected failure\n", stderr);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  try {
    velkor::app::UseCNumberFormat();
    VelkorApplication application(argc, argv);
    return velkor::app::RunVelkor(application);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Velkor: %s\n", error.what());
  } catch (...) {
    std::fputs("Velkor: Unexpected failure\n", stderr);
  }
  return 1;
}
