// What both database fuzz targets do with an image: open it from a cold
// library and, when it opens, commit it and open it again. A fault ends the
// process (std::abort), which the fuzzer reports as a crash; the sanitizers
// catch any access outside a buffer on the way.
#pragma once
#include <cstddef>
#include <cstdint>

// Puts the first `size` bytes at `data` into g_FlashImage, the rest erased
// (0xFF), after a reset of the whole library, and sets the flash map to six
// service sectors as the document does.
void FuzzLoadImage(const uint8_t* data, size_t size);

// Opens the image in g_FlashImage and answers whether it opened. One that
// opened is committed and opened again; an open that answers other than 0
// or 1, a commit that fails, or a reopen that fails or finds another count
// of services is a fault.
bool FuzzOpenCommitOpen();
