#include "gvmain/engine/component_selection.h"

#include "gvmain/engine/drive_space.h"
#include "gvmain/engine/gauge.h"
#include "gvmain/resources/dialog_ids.h"

#include <utility>

namespace gvmain {
namespace {

constexpr int messageSelectComponents = 3;

class ComponentDialog : public DialogWindow {
public:
    ComponentDialog(const DialogResources& resources, std::vector<ComponentChoice> components)
        : resources_(resources), components_(std::move(components)) {}
    ~ComponentDialog() override {
        if (drivesFont_) {
            DeleteObject(drivesFont_);
        }
    }

    const std::vector<ComponentChoice>& Components() const { return components_; }

protected:
    bool OnInit() override {
        SetWindowTextA(Handle(), DialogText(resources_, messageSelectComponents).c_str());
        HWND list = Item(IDC_SELCOMPS_LIST);
        for (const ComponentChoice& component : components_) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(component.name.c_str()));
        }
        gauge_.Attach(resources_, Handle(), IDC_SELCOMPS_GAUGE);
        ShowDrives();
        SetItemText(IDC_SELCOMPS_TOTAL, SizeText(SumSizes(components_).total));
        ShowSelection();
        SetFocus(Item(IDOK));
        return false;
    }

    void OnCommand(int id, int notification) override {
        if (id == IDC_SELCOMPS_LIST && notification == LBN_SELCHANGE) {
            TakeListSelection();
            ShowSelection();
        } else {
            DialogWindow::OnCommand(id, notification);
        }
    }

private:
    void ShowDrives() {
        HDC dc = GetDC(Handle());
        int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
        ReleaseDC(Handle(), dc);
        drivesFont_ =
            CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
        SendDlgItemMessageA(Handle(), IDC_SELCOMPS_DRIVES, WM_SETFONT, reinterpret_cast<WPARAM>(drivesFont_),
                            FALSE);
        SetItemText(IDC_SELCOMPS_DRIVES, InstallableDrivesText());
    }

    // The changes are gathered before any is applied: a group's members
    // change with it and must not then be read back from the stale list.
    void TakeListSelection() {
        HWND list = Item(IDC_SELCOMPS_LIST);
        std::vector<std::pair<int, bool>> changes;
        for (size_t i = 0; i < components_.size(); ++i) {
            bool selected = SendMessageA(list, LB_GETSEL, i, 0) > 0;
            if (selected != components_[i].selected) {
                changes.emplace_back(static_cast<int>(i), selected);
            }
        }
        for (const auto& [index, selected] : changes) {
            SelectComponent(components_, index, selected);
        }
    }

    void ShowSelection() {
        HWND list = Item(IDC_SELCOMPS_LIST);
        for (size_t i = 0; i < components_.size(); ++i) {
            SendMessageA(list, LB_SETSEL, components_[i].selected, static_cast<LPARAM>(i));
        }
        ComponentSizes sizes = SumSizes(components_);
        SetItemText(IDC_SELCOMPS_SELECTED, SizeText(sizes.selected));
        gauge_.SetPercent(GaugePercent(sizes.selected, sizes.total));
    }

    const DialogResources& resources_;
    std::vector<ComponentChoice> components_;
    Gauge gauge_;
    HFONT drivesFont_ = nullptr;
};

}  // namespace

ComponentSizes SumSizes(const std::vector<ComponentChoice>& components) {
    ComponentSizes sizes;
    for (const ComponentChoice& component : components) {
        sizes.total += component.sizeKb;
        if (component.selected) {
            sizes.selected += component.sizeKb;
        }
    }
    return sizes;
}

std::string SizeText(uint64_t kb) {
    return std::to_string(kb) + " K";
}

void SelectComponent(std::vector<ComponentChoice>& components, int index, bool selected) {
    if (index < 0 || static_cast<size_t>(index) >= components.size()) {
        return;
    }
    components[static_cast<size_t>(index)].selected = selected;
    if (!selected) {
        return;
    }
    for (int member : components[static_cast<size_t>(index)].members) {
        // A group listed among its own members must not recurse forever.
        if (member != index && member >= 0 && static_cast<size_t>(member) < components.size() &&
            !components[static_cast<size_t>(member)].selected) {
            SelectComponent(components, member, true);
        }
    }
}

bool SelectComponents(const DialogResources& resources, HWND parent,
                      std::vector<ComponentChoice>* components) {
    if (resources.unattended) {
        return true;
    }
    ComponentDialog dialog(resources, *components);
    if (dialog.RunModal(resources.language, "DLGSELCOMPS", parent) != IDOK) {
        return false;
    }
    *components = dialog.Components();
    return true;
}

}  // namespace gvmain
