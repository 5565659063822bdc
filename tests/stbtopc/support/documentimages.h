// Whole images for the tests of the document road: the template the build
// puts beside the editor, the open list as Save writes it, and an image's
// bytes opened in place of the list.
#pragma once

#include <cstdint>
#include <vector>

// "Default.dat" as the build made it; empty, and the test failed, when it
// cannot be read.
std::vector<uint8_t> TemplateImage();

// Save Channel Data: the commit, then the whole image. The test fails when
// the save does.
std::vector<uint8_t> SavedImage();

// Closes the loaded list, then opens image; the test fails when it does not
// open.
void OpenImageBytes(const std::vector<uint8_t>& image);
