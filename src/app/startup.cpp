// Start-up. A second copy of the program only says so and ends; the first one holds the mark until
// its process ends, however it ends.
#include "app/startup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <memory>

#include "app/error_box.h"
#include "app/main_window.h"
#include "app/modal_seam.h"
#include "app/qt_translation.h"
#include "platform/platform.h"

namespace velkor::app {

namespace {
// Before the main window exists. Without a screen (the offscreen platform) nobody could close the
// box and the process would never end, so the message goes to the error stream instead.
void StartupBox(BoxIcon icon, const QString& text) {
  if (QGuiApplication::platformName() == QLatin1String("offscreen") && !HasModalHandler()) {
    std::fprintf(stderr, "Velkor: %s\n", text.toUtf8().constData());
    return;
  }
  ShowMessageBox(nullptr, icon, QString::fromUtf8(kProgramTitle), text);
}
}  // namespace

void UseCNumberFormat() {
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

int RunVelkor(QApplication& application) {
  // Qt sets the C library's locale from the environment when it starts; undo that for numbers.
  UseCNumberFormat();
  InstallQtTranslation(application, QLocale::system());

  std::string workFolder;
  try {
    workFolder = platform::PrivateWorkFolder();
  } catch (const std::exception& error) {
    // Without a safe work folder there is nowhere to convert; say why rather than guess.
    StartupBox(BoxIcon::Error, ExceptionText(error));
    return 0;
  }
  std::unique_ptr<platform::SingleInstance> mark;
  try {
    mark = platform::ClaimSingleInstance(kSingleInstanceName, workFolder);
  } catch (const std::exception&) {
    StartupBox(BoxIcon::Error, QStringLiteral("Error memory allocation."));
    return 0;
  }
  if (mark->AlreadyRunning()) {
    StartupBox(BoxIcon::Warning, QStringLiteral("Program running!"));
    return 0;
  }

  application.setApplicationName(QStringLiteral("NetCAD > XML"));
  TForm1 mainWindow(QString::fromStdString(workFolder));
  mainWindow.show();
  return application.exec();
}

}  // namespace velkor::app
