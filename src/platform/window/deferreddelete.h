// Deleting a window object once the event loop runs again: a window whose
// handler ends its own life (an in-place editor closing itself) must not be
// deleted while that handler, or the code that sent its message, still runs.
#pragma once

namespace platform {

class Window;

// Deletes window when the event loop next runs deferred deletions; a null
// window does nothing. Left undone at exit, it is done when the application
// object goes, so nothing leaks.
void DeleteWindowLater(Window* window);

} // namespace platform
