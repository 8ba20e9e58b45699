// The desktop program's entry point.
#include <QApplication>

#include "app/startup.h"

int main(int argc, char** argv) {
  velkor::app::UseCNumberFormat();
  QApplication application(argc, argv);
  return velkor::app::RunVelkor(application);
}
