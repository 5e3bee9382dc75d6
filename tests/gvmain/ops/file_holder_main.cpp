// file_holder.exe PATH EVENTBASE: opens PATH without sharing, signals
// EVENTBASE_ready and keeps the file open until EVENTBASE_stop is set
// (or a minute has passed, so that a crashed test leaves nothing behind).
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 1;
    }
    std::string base = argv[2];
    HANDLE file = ::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 2;
    }
    HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, (base + "_ready").c_str());
    HANDLE release = ::OpenEventA(SYNCHRONIZE, FALSE, (base + "_stop").c_str());
    if (ready == nullptr || release == nullptr) {
        return 3;
    }
    ::SetEvent(ready);
    ::WaitForSingleObject(release, 60000);
    ::CloseHandle(file);
    return 0;
}
