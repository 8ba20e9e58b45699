// The Windows icon file the programs carry (packaging/velkor.ico) is the icon the window draws, at
// every size: after a change to the drawing, `velkor-export-icon --ico packaging/velkor.ico` makes it anew.
#include <QFile>
#include <QImage>
#include <QtTest>
#include <cstdlib>
#include <map>

#include "app/pictures.h"
#include "test_paths.h"

namespace {

unsigned LittleEndian(const QByteArray& data, qsizetype at, int bytes) {
  unsigned value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
  return value;
}

// Largest difference of one colour channel; the sizes must agree.
int LargestDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  int largest = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      for (int shift : {0, 8, 16, 24}) {
        largest = std::max(largest, std::abs(int((p[col] >> shift) & 0xFF) - int((q[col] >> shift) & 0xFF)));
      }
    }
  }
  return largest;
}

}  // namespace

class ProgramIconTest : public QObject {
  Q_OBJECT

 private slots:
  void iconFileHoldsTheDrawnIconAtEverySize() {
    QFile file(QStringLiteral("%1/packaging/velkor.ico").arg(QString::fromUtf8(velkor::test::kSourceDir)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray ico = file.readAll();
    QVERIFY(ico.size() >= 6);
    QCOMPARE(LittleEndian(ico, 0, 2), 0u);
    QCOMPARE(LittleEndian(ico, 2, 2), 1u);
    const unsigned count = LittleEndian(ico, 4, 2);
    QVERIFY(ico.size() >= qsizetype(6 + 16 * count));
    std::map<int, QImage> images;
    for (unsigned i = 0; i < count; ++i) {
      const qsizetype entry = 6 + 16 * i;
      const int width = LittleEndian(ico, entry, 1) == 0 ? 256 : int(LittleEndian(ico, entry, 1));
      const unsigned bytes = LittleEndian(ico, entry + 8, 4);
      const unsigned offset = LittleEndian(ico, entry + 12, 4);
      QVERIFY(qsizetype(offset) + bytes <= ico.size());
      QImage image;
      QVERIFY(image.loadFromData(ico.mid(offset, bytes), "PNG"));
      QCOMPARE(image.width(), width);
      QCOMPARE(image.height(), width);
      images[width] = image;
    }
    QCOMPARE(images.size(), std::size(velkor::app::kProgramIconSizes));
    for (int size : velkor::app::kProgramIconSizes) {
      QVERIFY2(images.count(size), qPrintable(QStringLiteral("no %1-pixel image").arg(size)));
      // Anti-aliased edges may come out a step apart on another system's drawing code.
      QVERIFY2(LargestDifference(images[size], velkor::app::ProgramIconImage(size)) <= 2,
               qPrintable(QStringLiteral("the %1-pixel image is not the drawn icon").arg(size)));
    }
  }
};

QTEST_MAIN(ProgramIconTest)
#include "program_icon_test.moc"
