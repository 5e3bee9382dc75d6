// Stands in for gvmain.exe in uninstall mode in the tests that start the
// uninstaller as a process of its own (the hand-over through the drive
// root needs a real program file that ends): the controller's three steps
// and the clean-up of win.ini that the program's entry does after them.
#include "gvmain/uninstall/uninstall_controller.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    gvmain::UninstallController controller(gvmain::DetectUninstallFacts(instance, commandLine));
    if (!controller.Init()) {
        return 1;
    }
    controller.Run();
    controller.Done();
    ::WriteProfileStringA("Grevant Uninstall", nullptr, nullptr);
    return 0;
}
