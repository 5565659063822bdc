#include "documentimages.h"

#include "dbdocument.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

std::vector<uint8_t> TemplateImage() {
    std::ifstream file(QV_DEFAULT_IMAGE, std::ios::binary);
    EXPECT_TRUE(file.good()) << QV_DEFAULT_IMAGE;
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>());
}

std::vector<uint8_t> SavedImage() {
    std::vector<uint8_t> image(DB_IMAGE_SIZE);
    EXPECT_EQ(DB_SaveImage(image.data(), image.size()), DBERR_OK);
    return image;
}

void OpenImageBytes(const std::vector<uint8_t>& image) {
    DB_CloseImage();
    ASSERT_EQ(DB_OpenImage(image.data(), image.size()), DBERR_OK);
}
