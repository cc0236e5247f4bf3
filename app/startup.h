#ifndef STARTUP_H
#define STARTUP_H

#include <functional>

class Reriruvozive;

// The program's start: application object, language, single instance, device
// watcher, splash screen, main window and event loop.
namespace startup {

// Unless the user chose an OpenGL integration for the X11 platform, it starts
// without one: the program draws nothing with OpenGL, and loading the
// software renderer at start costs about half the program's memory.
void avoidOpenGlIntegration();

struct Hooks
{
    // Called once the main window is built, right before it is shown.
    std::function<void(Reriruvozive &)> windowBuilt;
};

// Runs the program; returns the event loop's exit code (1 when another
// instance already runs).
int run(int &argc, char **argv, const Hooks &hooks = {});

} // namespace startup

#endif // STARTUP_H
