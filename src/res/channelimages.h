// Bitmap 158: the channel list's row images, three 16 x 16 pictures side by
// side (0 an expanded row, 1 a collapsed row, 2 a leaf), on the mask colour
// RGB(0, 255, 255).
#pragma once

// The strip as an X pixmap.
const char* const* ChannelImagesPixmap();
