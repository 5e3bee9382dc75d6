// test_server.dll: a self-registering server for the tests. Registering
// sets HKCU\Software\GvmainTests\Server "Registered" to 1; unregistering
// removes the value again.
#include <windows.h>

namespace {

constexpr char keyPath[] = "Software\\GvmainTests\\Server";

HRESULT SetRegistered(bool registered) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return E_FAIL;
    }
    DWORD one = 1;
    LONG result = registered ? ::RegSetValueExA(key, "Registered", 0, REG_DWORD,
                                                reinterpret_cast<const BYTE*>(&one), sizeof one)
                             : ::RegDeleteValueA(key, "Registered");
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS ? S_OK : E_FAIL;
}

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
    return SetRegistered(true);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return SetRegistered(false);
}
