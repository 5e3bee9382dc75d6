// The component selection "DLGSELCOMPS": the script's components with
// their sizes, the selected total against the whole as a gauge, and the
// free space of every drive an installation can go to.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

struct ComponentChoice {
    std::string name;
    uint32_t sizeKb = 0;
    bool selected = true;
    std::vector<int> members;  // indexes of the components a group holds
};

struct ComponentSizes {
    uint64_t total = 0;
    uint64_t selected = 0;
};

ComponentSizes SumSizes(const std::vector<ComponentChoice>& components);

// "%lu K"
std::string SizeText(uint64_t kb);

// Selecting a group selects its members too (deselecting leaves them).
void SelectComponent(std::vector<ComponentChoice>& components, int index, bool selected);

// True when the user accepted; only then are the selected flags changed.
bool SelectComponents(const DialogResources& resources, HWND parent,
                      std::vector<ComponentChoice>* components);

}  // namespace gvmain
