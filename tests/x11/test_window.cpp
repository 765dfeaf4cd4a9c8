// A black window for the end-to-end tests to hand to zelor2 -window-id, as
// a saver daemon would: x11_test_window X Y WIDTH HEIGHT prints its id in hex
// once it is mapped, then waits until it is killed.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), std::atoi(argv[1]),
                                            std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), 0,
                                            BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, "Testfenster");
  XSelectInput(display, window, StructureNotifyMask);
  XMapWindow(display, window);
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) {
      std::printf("0x%lx\n", window);
      std::fflush(stdout);
    }
  }
}
