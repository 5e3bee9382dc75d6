// A DDE client conversation held by a hidden window of the class
// "GVDDEHiddenWindowClass": execute strings and text requests, each waiting
// at most the time-out for the server, so that a server that never answers
// fails the call instead of hanging the installation.
#pragma once

#include <windows.h>

#include <string>

namespace gvmain {

constexpr DWORD defaultDdeTimeoutMs = 10000;

class DdeConversation {
public:
    explicit DdeConversation(DWORD timeoutMs = defaultDdeTimeoutMs) : timeoutMs_(timeoutMs) {}
    ~DdeConversation() { Close(); }
    DdeConversation(const DdeConversation&) = delete;
    DdeConversation& operator=(const DdeConversation&) = delete;

    // False when no server of that service answers on the topic.
    bool Open(const std::string& service, const std::string& topic);
    bool IsOpen() const { return server_ != nullptr; }
    void Close();

    // True when the server acknowledged the command positively.
    bool Execute(const std::string& command);
    // The server's CF_TEXT data for the item, without its terminating zero.
    bool Request(const std::string& item, std::string& reply);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Handles messages until `done` holds or the time-out passes.
    template <typename Done>
    bool WaitFor(Done done);

    DWORD timeoutMs_;
    HWND window_ = nullptr;
    HWND server_ = nullptr;
    bool initiating_ = false;
    // Sets what answers the next call: the commands' handle of an execute,
    // the item's atom of a request.
    void Await(UINT_PTR answerKey, bool execute);

    UINT_PTR awaited_ = 0;
    bool awaitingExecute_ = false;
    // The answer to the call awaited: an acknowledgement or data.
    bool answered_ = false;
    bool positive_ = false;
    std::string data_;
    bool terminated_ = false;
    bool closing_ = false;
};

}  // namespace gvmain
