// Writes the program's icon files from the icon the Qt window draws, so that the Windows
// resource and the Linux desktop icons look the same as the running window's:
//   make_icons OUT_DIR  ->  OUT_DIR/veltrane.ico (16 to 64 pixels, 32-bit) and
//                           OUT_DIR/hicolor/NxN/apps/veltrane.png
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <vector>

#include "widgets/qt/qt_controls.h"

namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64};

void Put16(QByteArray& out, quint16 v) {
  const quint16 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 2);
}
void Put32(QByteArray& out, quint32 v) {
  const quint32 le = qToLittleEndian(v);
  out.append(reinterpret_cast<const char*>(&le), 4);
}

// One icon image as the icon format keeps it: a bottom-up 32-bit DIB of twice the height,
// colour rows first, then the 1-bit mask that marks the transparent pixels.
QByteArray DibImage(const QImage& argb) {
  const int size = argb.width();
  QByteArray out;
  Put32(out, 40);
  Put32(out, quint32(size));
  Put32(out, quint32(size * 2));
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) Put32(out, argb.pixel(x, y));  // 0xAARRGGBB is B, G, R, A in memory
  }
  const int mask_row = ((size + 31) / 32) * 4;
  for (int y = size - 1; y >= 0; --y) {
    QByteArray row(mask_row, '\0');
    for (int x = 0; x < size; ++x) {
      if (qAlpha(argb.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(row);
  }
  return out;
}

bool WriteFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons OUT_DIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString out_dir = QString::fromLocal8Bit(argv[1]);
  const QIcon icon = widgets::qtimpl::ProgramIcon();

  std::vector<QByteArray> images;
  for (int size : kSizes) {
    const QImage image = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
    if (image.width() != size) {
      std::fprintf(stderr, "make_icons: no %d pixel image\n", size);
      return 1;
    }
    images.push_back(DibImage(image));
    const QString png_dir = out_dir + QStringLiteral("/hicolor/%1x%1/apps").arg(size);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    if (!QDir().mkpath(png_dir) || !WriteFile(png_dir + QStringLiteral("/veltrane.png"), png.data())) {
      std::fprintf(stderr, "make_icons: cannot write into %s\n", qPrintable(png_dir));
      return 1;
    }
  }

  // The icon file: a header, one directory entry per image, then the images.
  QByteArray ico;
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, quint16(images.size()));
  quint32 offset = quint32(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    const int size = kSizes[i];
    ico.append(char(size >= 256 ? 0 : size));
    ico.append(char(size >= 256 ? 0 : size));
    ico.append(char(0));
    ico.append(char(0));
    Put16(ico, 1);
    Put16(ico, 32);
    Put32(ico, quint32(images[i].size()));
    Put32(ico, offset);
    offset += quint32(images[i].size());
  }
  for (const QByteArray& image : images) ico.append(image);
  if (!WriteFile(out_dir + QStringLiteral("/veltrane.ico"), ico)) {
    std::fprintf(stderr, "make_icons: cannot write the icon file\n");
    return 1;
  }
  return 0;
}
