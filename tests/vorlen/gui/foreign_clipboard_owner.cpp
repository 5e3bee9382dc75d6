#include "foreign_clipboard_owner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>

namespace vorlen::test {

// Only the server thread uses the connection once it runs.
struct ForeignClipboardOwner::X {
    Display* display = nullptr;
    Window window = 0;
    Atom clipboard = 0;
    Atom targets = 0;
    Atom format = 0;
};

ForeignClipboardOwner::ForeignClipboardOwner(const std::string& format, std::string bytes)
    : x_(std::make_unique<X>()), bytes_(std::move(bytes)) {
    X& x = *x_;
    x.display = XOpenDisplay(nullptr);
    if (!x.display)
        return;
    x.window = XCreateSimpleWindow(x.display, DefaultRootWindow(x.display), 0, 0, 1, 1, 0, 0, 0);
    x.clipboard = XInternAtom(x.display, "CLIPBOARD", False);
    x.targets = XInternAtom(x.display, "TARGETS", False);
    x.format = XInternAtom(x.display, format.c_str(), False);
    XSetSelectionOwner(x.display, x.clipboard, x.window, CurrentTime);
    // Once the server has done it, the old owner's notice is on its way.
    XSync(x.display, False);
    owns_ = XGetSelectionOwner(x.display, x.clipboard) == x.window;
    server_ = std::thread([this] { Serve(); });
}

ForeignClipboardOwner::~ForeignClipboardOwner() {
    stop_ = true;
    if (server_.joinable())
        server_.join();
    if (x_->display)
        XCloseDisplay(x_->display);
}

void ForeignClipboardOwner::Serve() {
    X& x = *x_;
    while (!stop_) {
        while (std::chrono::steady_clock::now() >= answerFrom_.load() && XPending(x.display) > 0) {
            XEvent event;
            XNextEvent(x.display, &event);
            if (event.type != SelectionRequest)
                continue;
            const XSelectionRequestEvent& request = event.xselectionrequest;
            XSelectionEvent reply{};
            reply.type = SelectionNotify;
            reply.display = request.display;
            reply.requestor = request.requestor;
            reply.selection = request.selection;
            reply.target = request.target;
            reply.time = request.time;
            reply.property = request.property;
            if (request.target == x.targets) {
                Atom offered[] = {x.targets, x.format};
                XChangeProperty(x.display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<unsigned char*>(offered), 2);
            } else if (request.target == x.format) {
                XChangeProperty(x.display, request.requestor, request.property, x.format, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(bytes_.data()),
                                static_cast<int>(bytes_.size()));
            } else {
                reply.property = None;
            }
            XSendEvent(x.display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
            XFlush(x.display);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace vorlen::test
