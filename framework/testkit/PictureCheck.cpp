#include "framework/testkit/PictureCheck.h"

#include <QImage>
#include <set>

int PictureColours(const String& pngFile, int upTo) {
    QImage image;
    if (!image.load(QString::fromStdString(pngFile))) return 0;
    image = image.convertToFormat(QImage::Format_RGB32);
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seen.insert(line[x]);
            if (static_cast<int>(seen.size()) >= upTo) return upTo;
        }
    }
    return static_cast<int>(seen.size());
}
