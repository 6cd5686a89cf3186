// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/painter_page_target.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPdfWriter>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/common/error.h"
#include "platform/pdf_file.h"

namespace krnz::platform {
namespace {

namespace fs = std::filesystem;

// An image of 144 dpi: ten twips to the pixel.
QImage page144() {
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(144 / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

TEST(PainterPageTarget, TwipsMapOntoTheDevicesPixels) {
    QImage image = page144();
    {
        QPainter painter(&image);
        PainterPageTarget target(painter, QSizeF(2000, 1500));
        target.startDoc();
        EXPECT_DOUBLE_EQ(target.twipsPerPixelX(), 10.0);
        EXPECT_DOUBLE_EQ(target.pageWidth(), 2000.0);
        target.setPenWidth(20);
        target.drawLine(200, 305, 1000, 305);         // pixel row 30, columns 20..100
        target.drawRectangle(1205, 805, 1805, 1405);  // pixels 120..180 by 80..140
        target.endDoc();
    }
    EXPECT_TRUE(dark(image, 60, 30));
    EXPECT_FALSE(dark(image, 60, 34));
    EXPECT_FALSE(dark(image, 110, 30));
    EXPECT_TRUE(dark(image, 120, 110));
    EXPECT_TRUE(dark(image, 150, 80));
    EXPECT_FALSE(dark(image, 150, 110));  // no brush: the inside stays white
}

TEST(PainterPageTarget, TextIsMeasuredInTwipsOfTheFontsPointSize) {
    QImage image = page144();
    QPainter painter(&image);
    PainterPageTarget target(painter, QSizeF(2000, 1500));
    target.setFontSize(10);
    const double x = target.textWidth("X");
    EXPECT_NEAR(target.textWidth("XXXX"), 4 * x, 0.05 * x);
    const double line = target.textHeight("X");
    // A 10 pt line is 10 to 13 points high.
    EXPECT_GT(line, 200);
    EXPECT_LT(line, 260);
    EXPECT_DOUBLE_EQ(target.textHeight("one\r\ntwo\nthree"), 3 * line);
    EXPECT_DOUBLE_EQ(target.textWidth("a\r\nXXXX"), target.textWidth("XXXX"));
    const std::string words = "the quick brown fox jumps over the lazy dog again and again";
    EXPECT_DOUBLE_EQ(target.calcTextHeight(words, 1e6), line);
    EXPECT_GE(target.calcTextHeight(words, target.textWidth(words) / 3), 3 * line);
    target.setFontSize(20);
    EXPECT_NEAR(target.textWidth("XXXX"), 8 * x, 0.1 * x);
}

TEST(PainterPageTarget, PdfPagesAreA4InBothOrientations) {
    QPdfWriter writer(
        QString::fromStdString((fs::temp_directory_path() / "krnz-orientation.pdf").string()));
    writer.setPageSize(QPageSize(QPageSize::A4));
    PainterPageTarget target(writer);
    EXPECT_NEAR(target.pageWidth(), 11906, 10);  // Qt rounds A4 to whole points
    EXPECT_NEAR(target.pageHeight(), 16838, 10);
    target.setOrientation(report::Orientation::Landscape);
    EXPECT_NEAR(target.pageWidth(), 16838, 10);
    EXPECT_NEAR(target.pageHeight(), 11906, 10);
    EXPECT_EQ(target.margins().left, kDefaultMarginTwips);
    fs::remove(fs::temp_directory_path() / "krnz-orientation.pdf");
}

TEST(PdfFile, WritesAWholeFileOrNone) {
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / ("krnz-pdf-" + std::to_string(rd()));
    fs::create_directories(dir);
    const fs::path pdf = dir / "page.pdf";
    writePdfFile(pdf, "title", "KRNZ test", [](report::PageTarget& t) {
        t.startDoc();
        t.textBox("Hello", 1000, 1000, 3000, 300, report::TextAlign::Left);
        t.drawLine(1000, 2000, 5000, 2000);
        t.endDoc();
    });
    std::ifstream in(pdf, std::ios::binary);
    char head[5] = {};
    in.read(head, 5);
    EXPECT_EQ(std::string(head, 5), "%PDF-");
    EXPECT_GT(fs::file_size(pdf), 500u);

    const fs::path missing = dir / "missing" / "page.pdf";
    EXPECT_THROW(writePdfFile(missing, "", "",
                              [](report::PageTarget& t) {
                                  t.startDoc();
                                  t.endDoc();
                              }),
                 Error);
    EXPECT_FALSE(fs::exists(missing));
    fs::remove_all(dir);
}

}  // namespace
}  // namespace krnz::platform
