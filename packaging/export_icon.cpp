// Writes the program icon as PNG files for the desktop's icon theme: FOLDER/<n>x<n>/apps/velkor.png,
// drawn by the same code as the window's icon so that the two never differ.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "app/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velkor-export-icon FOLDER\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int size : velkor::app::kProgramIconSizes) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
    const QString file = folder + QStringLiteral("/velkor.png");
    if (!QDir().mkpath(folder) || !velkor::app::ProgramIconImage(size).save(file, "PNG")) {
      std::fprintf(stderr, "velkor-export-icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
