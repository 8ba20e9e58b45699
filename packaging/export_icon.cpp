// Writes the program icon, drawn by the same code as the window's icon so that the two never differ:
//   velkor-export-icon FOLDER        PNG files for the desktop's icon theme, FOLDER/<n>x<n>/apps/velkor.png
//   velkor-export-icon --ico FILE    one Windows icon file holding every size (packaging/velkor.ico,
//                                    which the Windows programs carry as their resource)
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>
#include <vector>

#include "app/pictures.h"

namespace {

void PutLittleEndian(QByteArray& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An icon directory whose entries are PNG images (what Windows reads since Vista, at every size).
bool WriteIco(const QString& file) {
  std::vector<QByteArray> images;
  for (int size : velkor::app::kProgramIconSizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!velkor::app::ProgramIconImage(size).save(&buffer, "PNG")) return false;
    images.push_back(png);
  }
  QByteArray ico;
  PutLittleEndian(ico, 0, 2);  // reserved
  PutLittleEndian(ico, 1, 2);  // an icon, not a cursor
  PutLittleEndian(ico, static_cast<unsigned>(images.size()), 2);
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = velkor::app::kProgramIconSizes[i];
    PutLittleEndian(ico, size >= 256 ? 0 : size, 1);  // width, 0 meaning 256
    PutLittleEndian(ico, size >= 256 ? 0 : size, 1);  // height
    PutLittleEndian(ico, 0, 1);                       // no palette
    PutLittleEndian(ico, 0, 1);                       // reserved
    PutLittleEndian(ico, 1, 2);                       // colour planes
    PutLittleEndian(ico, 32, 2);                      // bits per pixel
    PutLittleEndian(ico, static_cast<unsigned>(images[i].size()), 4);
    PutLittleEndian(ico, offset, 4);
    offset += static_cast<unsigned>(images[i].size());
  }
  for (const QByteArray& png : images) ico += png;
  QFile out(file);
  return out.open(QIODevice::WriteOnly) && out.write(ico) == ico.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--ico") {
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (WriteIco(file)) return 0;
    std::fprintf(stderr, "velkor-export-icon: cannot write %s\n", qPrintable(file));
    return 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: velkor-export-icon FOLDER | --ico FILE\n");
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
