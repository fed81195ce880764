#include "x_session.h"

#include <SDL.h>
#include <SDL_image.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>

namespace {
// Xlib's own handler ends the process on any error; a window that vanishes
// between two requests is normal here (the game is quitting).
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// Reads the display number Xvfb writes when it is ready.
std::string readDisplayNumber(int fd, int timeoutMs) {
  std::string text;
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < until) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char buffer[32];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, size_t(n));
    if (text.find('\n') != std::string::npos) break;
  }
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}
}  // namespace

XSession::~XSession() { stop(); }

bool XSession::start(int width, int height) {
  stop();
  width_ = width;
  height_ = height;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    error_ = "no pipe for Xvfb's display number";
    return false;
  }
  ChildOptions options;
  options.extraFd = pipeFds[1];
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  bool started = server_.start({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", screen,
                                "-nolisten", "tcp", "-noreset"},
                               options);
  close(pipeFds[1]);
  std::string number = started ? readDisplayNumber(pipeFds[0], 15000) : "";
  close(pipeFds[0]);
  if (number.empty()) {
    error_ = started ? "Xvfb did not report a display within 15 s" : "Xvfb could not be started: " + server_.error();
    server_.stop(500);
    return false;
  }
  display_ = ":" + number;
  XSetErrorHandler(ignoreXError);
  conn_ = XOpenDisplay(display_.c_str());
  if (!conn_) {
    error_ = "cannot connect to Xvfb on " + display_;
    server_.stop(500);
    return false;
  }
  // A key is held only until the game has taken its press; a slow frame must
  // not turn that into repeats.
  XAutoRepeatOff(conn_);
  XFlush(conn_);
  return startWindowManager();
}

bool XSession::startWindowManager() {
  ChildOptions options;
  options.env = {{"DISPLAY", display_}};
  // Openbox announces itself on the root window (_NET_SUPPORTING_WM_CHECK)
  // before it has finished starting, and a window mapped in between is never
  // managed: it stays unmapped, and SDL waits for its MapNotify for ever. The
  // startup command runs once openbox is up; it marks the root window.
  const char* readyName = "_BRASSWICK_WM_READY";
  const std::string markReady = std::string("xprop -root -f ") + readyName + " 32c -set " + readyName + " 1";
  if (!windowManager_.start({"openbox", "--sm-disable", "--startup", markReady}, options)) {
    error_ = "openbox could not be started: " + windowManager_.error();
    return false;
  }
  Atom check = XInternAtom(conn_, readyName, False);
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < until) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool ready = XGetWindowProperty(conn_, DefaultRootWindow(conn_), check, 0, 1, False, XA_CARDINAL, &type, &format,
                                    &count, &after, &data) == Success &&
                 count == 1;
    if (data) XFree(data);
    if (ready) return windowManagerMaps(until);
    if (!windowManager_.running()) break;
    usleep(20000);
  }
  error_ = "openbox did not come up on " + display_;
  return false;
}

bool XSession::windowManagerMaps(std::chrono::steady_clock::time_point until) {
  // Announced is not yet ready: a window mapped while openbox still sets up
  // can be lost, and the game would wait for its window for good. It is
  // ready once it has mapped a window of ours; a lost one is tried again.
  while (std::chrono::steady_clock::now() < until && windowManager_.running()) {
    Window probe = XCreateSimpleWindow(conn_, DefaultRootWindow(conn_), 0, 0, 8, 8, 0, 0, 0);
    XSelectInput(conn_, probe, StructureNotifyMask);
    XMapWindow(conn_, probe);
    XFlush(conn_);
    bool mapped = false;
    auto attemptEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (!mapped && std::chrono::steady_clock::now() < attemptEnd) {
      XEvent event;
      mapped = XCheckTypedWindowEvent(conn_, probe, MapNotify, &event);
      if (!mapped) usleep(10000);
    }
    XDestroyWindow(conn_, probe);
    XSync(conn_, True);  // the probe's events are of no further use
    if (mapped) return true;
  }
  error_ = "openbox on " + display_ + " maps no window";
  return false;
}

void XSession::stop() {
  if (conn_) XCloseDisplay(conn_);
  conn_ = nullptr;
  windowManager_.stop(1000);
  server_.stop(1000);
  display_.clear();
}

std::optional<WindowInfo> XSession::findWindow(const std::string& title) {
  if (!conn_) return std::nullopt;
  Window root = DefaultRootWindow(conn_);
  // The window manager's frames hold the game's window a level or two down.
  std::function<std::optional<Window>(Window, int)> search = [&](Window parent, int depth) -> std::optional<Window> {
    Window rootReturn = 0, parentReturn = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::optional<Window> found;
    if (!XQueryTree(conn_, parent, &rootReturn, &parentReturn, &children, &count)) return found;
    for (unsigned i = 0; i < count && !found; ++i) {
      char* name = nullptr;
      if (XFetchName(conn_, children[i], &name) && name) {
        bool match = title == name;
        XFree(name);
        XWindowAttributes attrs;
        if (match && XGetWindowAttributes(conn_, children[i], &attrs) && attrs.map_state == IsViewable)
          found = children[i];
      }
      if (!found && depth < 3) found = search(children[i], depth + 1);
    }
    if (children) XFree(children);
    return found;
  };
  std::optional<Window> w = search(root, 0);
  XWindowAttributes attrs;
  if (!w || !XGetWindowAttributes(conn_, *w, &attrs)) return std::nullopt;
  WindowInfo info;
  info.id = *w;
  info.width = attrs.width;
  info.height = attrs.height;
  Window child = 0;
  XTranslateCoordinates(conn_, *w, root, 0, 0, &info.x, &info.y, &child);
  return info;
}

Capture XSession::capture(const WindowInfo& window) {
  Capture out;
  if (!conn_) return out;
  // Read from the root so a window partly off the screen still gives what
  // is visible of it.
  int x0 = std::max(window.x, 0), y0 = std::max(window.y, 0);
  int x1 = std::min(window.x + window.width, width_), y1 = std::min(window.y + window.height, height_);
  if (x1 <= x0 || y1 <= y0) return out;
  XImage* image = XGetImage(conn_, DefaultRootWindow(conn_), x0, y0, unsigned(x1 - x0), unsigned(y1 - y0), AllPlanes,
                            ZPixmap);
  if (!image) return out;
  out.width = x1 - x0;
  out.height = y1 - y0;
  out.pixels.resize(size_t(out.width) * size_t(out.height));
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.pixels[size_t(y) * size_t(out.width) + size_t(x)] =
        std::uint32_t(XGetPixel(image, x, y)) & 0xFFFFFFu;
  XDestroyImage(image);
  return out;
}

std::optional<std::pair<int, int>> XSession::pointer() {
  if (!conn_) return std::nullopt;
  Window rootReturn = 0, child = 0;
  int rx = 0, ry = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  if (!XQueryPointer(conn_, DefaultRootWindow(conn_), &rootReturn, &child, &rx, &ry, &wx, &wy, &mask))
    return std::nullopt;
  return std::make_pair(rx, ry);
}

bool XSession::requestClose(const WindowInfo& window) {
  if (!conn_) return false;
  Atom protocols = XInternAtom(conn_, "WM_PROTOCOLS", False);
  Atom deleteWindow = XInternAtom(conn_, "WM_DELETE_WINDOW", False);
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window.id;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(deleteWindow);
  event.xclient.data.l[1] = CurrentTime;
  bool sent = XSendEvent(conn_, window.id, False, NoEventMask, &event) != 0;
  XFlush(conn_);
  return sent;
}

bool savePng(const Capture& image, const std::string& path) {
  if (image.width <= 0 || image.height <= 0) return false;
  std::vector<std::uint32_t> argb(image.pixels.size());
  std::transform(image.pixels.begin(), image.pixels.end(), argb.begin(),
                 [](std::uint32_t p) { return p | 0xFF000000u; });
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), image.width, image.height, 32,
                                                            image.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return false;
  bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  return ok;
}

Capture loadPicture(const std::string& path) {
  Capture out;
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) return out;
  SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!surface) return out;
  out.width = surface->w;
  out.height = surface->h;
  out.pixels.resize(size_t(out.width) * size_t(out.height));
  for (int y = 0; y < out.height; ++y) {
    auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < out.width; ++x) out.pixels[size_t(y) * size_t(out.width) + size_t(x)] = row[x] & 0xFFFFFFu;
  }
  SDL_FreeSurface(surface);
  return out;
}
