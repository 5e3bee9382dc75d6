// Another X client in the test's own process: it takes the CLIPBOARD from
// the toolkit and answers for it from a thread of its own, as another
// program would. Apart, as Xlib's macros clash with other headers.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace vorlen::test {

class ForeignClipboardOwner {
public:
    // Offers `bytes` under the format `format` (and the list of targets).
    ForeignClipboardOwner(const std::string& format, std::string bytes);
    ~ForeignClipboardOwner();
    ForeignClipboardOwner(const ForeignClipboardOwner&) = delete;
    ForeignClipboardOwner& operator=(const ForeignClipboardOwner&) = delete;

    // It could open the display and owns the clipboard.
    bool Owns() const { return owns_; }
    // Answers nothing for `time` from now, as a program that hangs.
    void Hang(std::chrono::milliseconds time) { answerFrom_ = std::chrono::steady_clock::now() + time; }

private:
    struct X;
    void Serve();

    std::unique_ptr<X> x_;
    std::string bytes_;
    bool owns_ = false;
    std::atomic<bool> stop_{false};
    std::atomic<std::chrono::steady_clock::time_point> answerFrom_{};
    std::thread server_;
};

}  // namespace vorlen::test
