// The install screen: a full-screen background window (class
// "wndclassgvbk") behind the installation's dialogs, showing the script's
// picture, the caption "Grevant Installer" and three picture buttons
// (minimise, help, exit) whose bitmaps come from the language DLL.
#pragma once

#include "gvmain/engine/dialog_window.h"
#include "gvmain/format/install_script.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>

namespace gvmain {

constexpr int screenMinimiseButton = 201;
constexpr int screenHelpButton = 202;
constexpr int screenExitButton = 203;

class InstallScreen {
public:
    InstallScreen() = default;
    ~InstallScreen();
    InstallScreen(const InstallScreen&) = delete;
    InstallScreen& operator=(const InstallScreen&) = delete;

    // `picturePath` is the file of the description's picture; `helpFile`
    // what the help button opens. False when the picture or a button's
    // bitmap cannot be loaded or the window cannot be made; the caller
    // reports "Unable to realize the install screen".
    bool Create(const DialogResources& resources, const ScreenDescription& screen,
                const std::string& picturePath, const std::string& helpFile);
    void Destroy();
    HWND Window() const { return window_; }

    // What the exit button does: the controller asks whether to abandon.
    std::function<void()> onExit;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool LoadPicture(const std::string& path);
    bool MakeButtons(const DialogResources& resources);
    void Paint(HDC dc) const;
    void OnButton(int id);

    ScreenDescription screen_;
    std::string helpFile_;
    HWND window_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HENHMETAFILE metafile_ = nullptr;
    HPALETTE palette_ = nullptr;
    std::array<HBITMAP, 6> buttonBitmaps_ = {};
    HFONT captionFont_ = nullptr;
    HFONT markFont_ = nullptr;
};

}  // namespace gvmain
