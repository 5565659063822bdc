// Pictures of toolbar 128 that the style's own do not serve well on a light
// toolbar: New File, drawn with a dark outline, and the two deletes in red,
// so that their greyed, disabled forms differ from them at a glance.
#pragma once

// X pixmaps, 16 x 16.
const char* const* NewFileToolPixmap();
const char* const* DeleteChannelToolPixmap();
const char* const* DeleteAllToolPixmap();
