// Bills printed to PDF files and measured back with poppler.

#include <gtest/gtest.h>

#include "PrintTestSupport.h"
#include "store/MainForm.h"
#include "store/TextBox.h"
#include "store/BoxModel.h"

using namespace bw;
using namespace bw::test;

namespace {

class PdfGeometry : public PrintFixture {};

TEST_F(PdfGeometry, TextBoxLandsAtItsPositionLessTheOffsets) {
    NewFormat("进账单", 200, 100);
    AddBox({.kind = 0, .caption = "收款人", .x = 20, .y = 30, .w = 60, .h = 8});
    Show();
    SetBoxValue(Text(1), "ABC");
    const QString file = PrintToPdf("offsets-10-10");
    ASSERT_FALSE(file.isEmpty());
    auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 1u);
    const PdfWord* w = FindWord(pages, "ABC");
    ASSERT_NE(w, nullptr);
    printf("page %f x %f word %f %f %f %f\n", pages[0].width, pages[0].height, w->xMin, w->yMin, w->xMax, w->yMax);
}

}  // namespace
