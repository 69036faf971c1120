#include "platform/testing/ReferenceText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/testing/ReferenceImage.h"

namespace quorvel::testing {

void ExpectMatchesTextReference(const std::string& text, const std::string& path) {
    if (UpdatingReferences()) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no reference " << path << "; the text was:\n" << text;
    const std::string expected((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    EXPECT_EQ(text, expected) << "differs from " << path;
}

gdi::Image StackImages(const std::vector<gdi::Image>& images) {
    gdi::Image sheet;
    for (const auto& image : images) sheet.width = std::max(sheet.width, image.width + 4);
    for (const auto& image : images) sheet.height += image.height + 2;
    sheet.height += 2;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0x303030u);
    int top = 2;
    for (const auto& image : images) {
        for (int y = 0; y < image.height; ++y)
            std::copy_n(image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width, image.width,
                        sheet.pixels.begin() + static_cast<ptrdiff_t>(top + y) * sheet.width + 2);
        top += image.height + 2;
    }
    return sheet;
}

}  // namespace quorvel::testing
