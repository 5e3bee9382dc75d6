#include "gvmain/ops/dde_conversation.h"

#include <dde.h>

#include <cstring>

namespace gvmain {
namespace {

constexpr char windowClass[] = "GVDDEHiddenWindowClass";
constexpr WORD positiveAck = 0x8000;

bool RegisterHiddenClass(WNDPROC procedure) {
    WNDCLASSA windowClassInfo{};
    windowClassInfo.lpfnWndProc = procedure;
    windowClassInfo.hInstance = ::GetModuleHandleA(nullptr);
    windowClassInfo.lpszClassName = windowClass;
    return ::RegisterClassA(&windowClassInfo) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The text of a WM_DDE_DATA block, which is a DDEDATA header and the value.
std::string DataText(HGLOBAL handle) {
    auto* data = static_cast<const DDEDATA*>(::GlobalLock(handle));
    if (data == nullptr) {
        return std::string();
    }
    size_t size = ::GlobalSize(handle);
    size_t header = offsetof(DDEDATA, Value);
    const char* value = reinterpret_cast<const char*>(data->Value);
    std::string text = size > header ? std::string(value, strnlen(value, size - header)) : std::string();
    ::GlobalUnlock(handle);
    return text;
}

}  // namespace

bool DdeConversation::Open(const std::string& service, const std::string& topic) {
    Close();
    if (!RegisterHiddenClass(&DdeConversation::WindowProc)) {
        return false;
    }
    window_ = ::CreateWindowA(windowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), this);
    if (window_ == nullptr) {
        return false;
    }
    ATOM application = ::GlobalAddAtomA(service.c_str());
    ATOM subject = ::GlobalAddAtomA(topic.c_str());
    initiating_ = true;
    terminated_ = false;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_),
                          MAKELPARAM(application, subject), SMTO_ABORTIFHUNG, timeoutMs_, &result);
    initiating_ = false;
    ::GlobalDeleteAtom(application);
    ::GlobalDeleteAtom(subject);
    if (server_ == nullptr) {
        Close();
        return false;
    }
    return true;
}

void DdeConversation::Close() {
    closing_ = true;
    if (server_ != nullptr && !terminated_ &&
        ::PostMessageA(server_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0)) {
        WaitFor([this] { return terminated_; });
    }
    server_ = nullptr;
    closing_ = false;
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
        window_ = nullptr;
    }
}

bool DdeConversation::Execute(const std::string& command) {
    if (server_ == nullptr || terminated_) {
        return false;
    }
    HGLOBAL commands = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, command.size() + 1);
    if (commands == nullptr) {
        return false;
    }
    std::memcpy(::GlobalLock(commands), command.c_str(), command.size() + 1);
    ::GlobalUnlock(commands);
    Await(reinterpret_cast<UINT_PTR>(commands), true);
    if (!::PostMessageA(server_, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window_),
                        reinterpret_cast<LPARAM>(commands))) {
        ::GlobalFree(commands);
        return false;
    }
    // Without an answer the server may still read the commands: they stay.
    if (!WaitFor([this] { return answered_ || terminated_; }) || !answered_) {
        return false;
    }
    ::GlobalFree(commands);
    return positive_;
}

bool DdeConversation::Request(const std::string& item, std::string& reply) {
    if (server_ == nullptr || terminated_) {
        return false;
    }
    ATOM name = ::GlobalAddAtomA(item.c_str());
    Await(name, false);
    if (!::PostMessageA(server_, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(window_),
                        MAKELPARAM(CF_TEXT, name))) {
        ::GlobalDeleteAtom(name);
        return false;
    }
    if (!WaitFor([this] { return answered_ || terminated_; }) || !answered_) {
        return false;
    }
    if (!positive_) {
        ::GlobalDeleteAtom(name);
        return false;
    }
    reply = data_;
    return true;
}

void DdeConversation::Await(UINT_PTR answerKey, bool execute) {
    awaited_ = answerKey;
    awaitingExecute_ = execute;
    answered_ = false;
    data_.clear();
}

template <typename Done>
bool DdeConversation::WaitFor(Done done) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs_) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs_ - elapsed, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return false;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return true;
}

LRESULT CALLBACK DdeConversation::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DdeConversation*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message >= WM_DDE_FIRST && message <= WM_DDE_LAST) {
        self->OnMessage(message, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void DdeConversation::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND sender = reinterpret_cast<HWND>(wParam);
    if (message == WM_DDE_ACK && initiating_) {
        // The first server to answer is kept; any other is let go at once.
        ::GlobalDeleteAtom(LOWORD(lParam));
        ::GlobalDeleteAtom(HIWORD(lParam));
        if (server_ == nullptr) {
            server_ = sender;
        } else {
            ::PostMessageA(sender, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
        }
        return;
    }
    if (sender != server_) {
        return;
    }
    UINT_PTR low = 0;
    UINT_PTR high = 0;
    switch (message) {
    case WM_DDE_ACK:
        // An execute is answered by an acknowledgement naming its commands;
        // a request by data, or by a negative acknowledgement naming its
        // item. Wine's servers follow their data with a positive one too,
        // which answers nothing.
        ::UnpackDDElParam(message, lParam, &low, &high);
        ::FreeDDElParam(message, lParam);
        if (high == awaited_ && (awaitingExecute_ || !(low & positiveAck))) {
            positive_ = (low & positiveAck) != 0;
            answered_ = true;
        }
        break;
    case WM_DDE_DATA: {
        ::UnpackDDElParam(message, lParam, &low, &high);
        ::FreeDDElParam(message, lParam);
        auto handle = reinterpret_cast<HGLOBAL>(low);
        auto* header = static_cast<const DDEDATA*>(::GlobalLock(handle));
        bool release = header != nullptr && header->fRelease;
        bool ackWanted = header != nullptr && header->fAckReq;
        if (header != nullptr) {
            ::GlobalUnlock(handle);
        }
        if (!awaitingExecute_ && high == awaited_) {
            data_ = DataText(handle);
            positive_ = true;
            answered_ = true;
        }
        if (ackWanted) {
            ::PostMessageA(server_, WM_DDE_ACK, reinterpret_cast<WPARAM>(window_),
                           ::PackDDElParam(WM_DDE_ACK, positiveAck, high));
        } else {
            ::GlobalDeleteAtom(static_cast<ATOM>(high));
        }
        if (release) {
            ::GlobalFree(handle);
        }
        break;
    }
    case WM_DDE_TERMINATE:
        // A server that ends the conversation itself is answered in kind.
        if (!terminated_ && !closing_) {
            ::PostMessageA(server_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
        }
        terminated_ = true;
        break;
    default: break;
    }
}

}  // namespace gvmain
