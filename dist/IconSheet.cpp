// Lays icon pictures out side by side for a look at the whole set:
//   nacreform_icon_sheet OUT.png ICON.png... [-- ICON.png...]...
// Each group ("--" starts the next) becomes a row, shown over a light and
// over a dark background, each icon at its own pixel size; then the small
// icons once more, magnified pixel for pixel.
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kGap = 12;
constexpr int kZoom = 4;
constexpr int kZoomUpTo = 32;
const QColor kBackgrounds[] = {QColor(0xF2, 0xF2, 0xF2), QColor(0x30, 0x30, 0x30)};

using Row = std::vector<QImage>;

QSize RowSize(const Row& row)
{
    int width = kGap;
    int height = 0;
    for (const QImage& icon : row) {
        width += icon.width() + kGap;
        height = std::max(height, icon.height());
    }
    return {width, height + 2 * kGap};
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: nacreform_icon_sheet OUT.png ICON.png... [-- ICON.png...]...\n", stderr);
        return 2;
    }
    std::vector<Row> rows(1);
    for (int i = 2; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--") {
            rows.emplace_back();
            continue;
        }
        const QImage icon(QString::fromLocal8Bit(argv[i]));
        if (icon.isNull()) {
            std::fprintf(stderr, "nacreform_icon_sheet: cannot read %s\n", argv[i]);
            return 1;
        }
        rows.back().push_back(icon);
    }

    for (size_t i = 0, count = rows.size(); i < count; ++i) {
        Row zoomed;
        for (const QImage& icon : rows[i]) {
            if (icon.width() <= kZoomUpTo)
                zoomed.push_back(icon.scaled(icon.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
        rows.push_back(zoomed);
    }

    QSize sheet;
    for (const Row& row : rows) {
        const QSize size = RowSize(row);
        sheet = QSize(std::max(sheet.width(), size.width()), sheet.height() + 2 * size.height());
    }
    QImage image(sheet, QImage::Format_ARGB32);
    QPainter painter(&image);
    int y = 0;
    for (const Row& row : rows) {
        const int height = RowSize(row).height();
        for (const QColor& background : kBackgrounds) {
            painter.fillRect(0, y, sheet.width(), height, background);
            int x = kGap;
            for (const QImage& icon : row) {
                painter.drawImage(x, y + height - kGap - icon.height(), icon);
                x += icon.width() + kGap;
            }
            y += height;
        }
    }
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "nacreform_icon_sheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
