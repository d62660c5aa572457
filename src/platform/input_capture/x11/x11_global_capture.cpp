#include "platform/input_capture/x11/x11_global_capture.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <thread>
#include <utility>

#include "platform/debug_output.h"
#include "platform/input_capture/evdev_scan_codes.h"
#include "platform/input_capture/x11/x11_error_routing.h"
#include "platform/input_capture/x11_button_bits.h"

// What posted events are delivered to. Only the user-interface thread touches it; a task carries
// the run it was captured in and is dropped once that run has ended.
struct CX11GlobalCapture::Delivery {
  IInputCaptureSink* sink = nullptr;
  uint64_t run = 0;
};

// Two connections: the server sends no raw events to the client holding the keyboard grab (it
// counts them delivered through the grab), so the grab lives on a connection of its own.
struct CX11GlobalCapture::Session {
  Display* display = nullptr;
  Display* grabDisplay = nullptr;
  Window root = 0;
  int inputOpcode = 0;
  int stopFd = -1;
  bool grabbed = false;
  std::atomic<bool> failed{false};
  std::atomic<bool> broken{false};
  std::thread reader;

  ~Session() {
    if (grabDisplay) {
      // A broken connection took its grab with it; closing a live one releases the grab too, the
      // explicit ungrab only makes that visible before the close returns.
      if (grabbed && !broken) XUngrabKeyboard(grabDisplay, CurrentTime);
      Close(grabDisplay);
    }
    if (display) Close(display);
    if (stopFd >= 0) close(stopFd);
  }

  void Close(Display* connection) {
    XCloseDisplay(connection);
    UnrouteX11ErrorsOf(connection);
  }
};

namespace {

bool HasRawInput(Display* display, int* opcode) {
  int event = 0, error = 0;
  if (!XQueryExtension(display, "XInputExtension", opcode, &event, &error)) return false;
  int major = 2, minor = 2;
  return XIQueryVersion(display, &major, &minor) == Success && major >= 2;
}

}  // namespace

CX11GlobalCapture::CX11GlobalCapture(PostToUiThreadFn post)
    : post_(std::move(post)), delivery_(std::make_shared<Delivery>()) {}

CX11GlobalCapture::~CX11GlobalCapture() { Stop(); }

bool CX11GlobalCapture::ServerHasRawInput() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  std::atomic<bool> failed{false}, broken{false};
  RouteX11ErrorsOf(display, &failed, &broken);
  int opcode = 0;
  const bool has = HasRawInput(display, &opcode) && !failed;
  XCloseDisplay(display);
  UnrouteX11ErrorsOf(display);
  return has;
}

bool CX11GlobalCapture::IsCapturing() const { return session_ != nullptr; }

bool CX11GlobalCapture::IsKeyboardGrabbed() const { return session_ && session_->grabbed; }

bool CX11GlobalCapture::Begin(IInputCaptureSink& sink, bool grabKeyboard) {
  if (session_ && session_->grabbed == grabKeyboard && !session_->failed) {
    delivery_->sink = &sink;
    return true;
  }
  Stop();

  auto session = std::make_unique<Session>();
  const auto fail = [](const char* why) {
    OutputDebugString(std::string("desktop input capture: ") + why);
    return false;
  };
  session->display = XOpenDisplay(nullptr);
  if (!session->display) return fail("cannot open the display");
  Display* display = session->display;
  RouteX11ErrorsOf(display, &session->failed, &session->broken);
  if (!HasRawInput(display, &session->inputOpcode)) return fail("the server has no X Input 2");
  session->root = DefaultRootWindow(display);

  unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XISetMask(bits, XI_RawButtonRelease);
  XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
  XISelectEvents(display, session->root, &mask, 1);

  XSync(display, False);
  if (grabKeyboard) {
    session->grabDisplay = XOpenDisplay(nullptr);
    if (!session->grabDisplay) return fail("cannot open a second display connection");
    RouteX11ErrorsOf(session->grabDisplay, &session->failed, &session->broken);
    // Lock keys keep working under the grab: their lock state lives in the server's keyboard
    // state, which every key press updates whichever client the event then goes to.
    const int grab = XGrabKeyboard(session->grabDisplay, DefaultRootWindow(session->grabDisplay), False,
                                   GrabModeAsync, GrabModeAsync, CurrentTime);
    if (grab != GrabSuccess) return fail("another program holds the keyboard");
    session->grabbed = true;
  }
  if (session->failed) return fail("the display refused the selection");
  session->stopFd = eventfd(0, EFD_CLOEXEC);
  if (session->stopFd < 0) return fail("no eventfd");

  delivery_->sink = &sink;
  const uint64_t run = ++delivery_->run;
  Session* reading = session.get();
  session->reader = std::thread([this, reading, run, post = post_, delivery = delivery_] {
    Display* connection = reading->display;
    const auto deliver = [&](std::function<void(IInputCaptureSink&)> call) {
      post([delivery, run, call = std::move(call)] {
        if (delivery->run == run && delivery->sink) call(*delivery->sink);
      });
    };
    const auto handle = [&](XEvent& event) {
      if (event.xcookie.type != GenericEvent || event.xcookie.extension != reading->inputOpcode) return;
      if (!XGetEventData(connection, &event.xcookie)) return;
      const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
      const int type = event.xcookie.evtype;
      if ((type == XI_RawKeyPress || type == XI_RawKeyRelease) && !(raw->flags & XIKeyRepeat) &&
          raw->detail >= static_cast<int>(kX11KeycodeOffset)) {
        if (const auto code = ScanCodeOfEvdev(static_cast<uint32_t>(raw->detail) - kX11KeycodeOffset)) {
          const CapturedKey key{code->scan, code->extended, type == XI_RawKeyPress};
          deliver([key](IInputCaptureSink& sink) { sink.OnCapturedKey(key); });
        }
      } else if (type == XI_RawButtonPress || type == XI_RawButtonRelease) {
        if (const uint8_t bit = CaptureBitOfX11Button(static_cast<uint32_t>(raw->detail))) {
          CapturedMouseButton button{bit, type == XI_RawButtonPress, 0, 0};
          Window rootReturn = 0, child = 0;
          int windowX = 0, windowY = 0;
          unsigned int modifiers = 0;
          XQueryPointer(connection, reading->root, &rootReturn, &child, &button.x, &button.y, &windowX, &windowY,
                        &modifiers);
          deliver([button](IInputCaptureSink& sink) { sink.OnCapturedMouseButton(button); });
        }
      }
      XFreeEventData(connection, &event.xcookie);
    };

    Display* grabConnection = reading->grabDisplay;
    // The grab's connection receives the keystrokes it keeps from the others; they are read and
    // dropped, so they cannot pile up in the server.
    pollfd waits[3] = {{reading->stopFd, POLLIN, 0},
                       {ConnectionNumber(connection), POLLIN, 0},
                       {grabConnection ? ConnectionNumber(grabConnection) : -1, POLLIN, 0}};
    for (;;) {
      while (!reading->failed && XPending(connection) > 0) {
        XEvent event;
        XNextEvent(connection, &event);
        handle(event);
      }
      while (grabConnection && !reading->failed && XPending(grabConnection) > 0) {
        XEvent event;
        XNextEvent(grabConnection, &event);
      }
      if (reading->failed) break;
      if (poll(waits, 3, -1) < 0 && errno != EINTR) break;
      if (waits[0].revents) return;  // Stop: the user-interface thread closes the connections
    }
    // A connection failed: let go of the keyboard now rather than when the posted task runs.
    // (On a broken connection these calls return at once; its grab has already gone with it.)
    if (reading->grabbed) {
      XUngrabKeyboard(grabConnection, CurrentTime);
      XFlush(grabConnection);
    }
    OutputDebugString("desktop input capture: the display connection failed; capture stopped");
    // `this` is alive when the task runs with its run still current: the destructor ends the run.
    post([this, delivery, run] {
      if (delivery->run != run) return;
      IInputCaptureSink* sink = delivery->sink;
      Stop();
      if (sink) sink->OnCaptureLost();
    });
  });
  session_ = std::move(session);
  return true;
}

void CX11GlobalCapture::Stop() {
  delivery_->sink = nullptr;
  ++delivery_->run;
  EndSession();
}

void CX11GlobalCapture::EndSession() {
  if (!session_) return;
  const uint64_t wake = 1;
  // An eventfd write only fails on overflow, which one write cannot reach.
  [[maybe_unused]] const ssize_t written = write(session_->stopFd, &wake, sizeof wake);
  if (session_->reader.joinable()) session_->reader.join();
  session_.reset();
}
