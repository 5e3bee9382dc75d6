#include "gvmain/uninstall/advanced_view.h"

#include "gvmain/resources/dialog_ids.h"

#include <algorithm>
#include <utility>

namespace gvmain {
namespace {

constexpr int stateCount = 5;

HFONT ListFont(HWND window) {
    HDC dc = GetDC(window);
    int height = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(window, dc);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
}

TEXTMETRICA FontMetrics(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics;
}

// Undone records are greyed, failed ones red, so that the list shows how
// the walk went.
COLORREF LineColour(const LogRecord& record, bool selected) {
    if (selected) {
        return GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    switch (record.state) {
    case UndoState::Undone: return GetSysColor(COLOR_GRAYTEXT);
    case UndoState::Failed: return RGB(192, 0, 0);
    default: return GetSysColor(COLOR_WINDOWTEXT);
    }
}

}  // namespace

std::string ListLine(const std::string& text, size_t textWidth, const std::string& label) {
    return text + std::string(textWidth > text.size() ? textWidth - text.size() : 0, ' ') + "  " + label;
}

bool StateChoosable(const LogRecord& record, UndoState state) {
    return record.state == state || CanSwitchUndoState(record, state);
}

AdvancedDialog::AdvancedDialog(UndoWalk& walk, UninstallHost& host, std::string caption)
    : UndoDialog(walk, host, std::move(caption)) {}

AdvancedDialog::~AdvancedDialog() {
    Destroy();
    if (font_) {
        DeleteObject(font_);
    }
}

bool AdvancedDialog::OnInit() {
    font_ = ListFont(Handle());
    SendDlgItemMessageA(Handle(), IDC_UNDO_LIST, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendDlgItemMessageA(Handle(), IDC_UNDO_DETAILS, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    FillList();
    return UndoDialog::OnInit();
}

// The lines hold indexes only; the texts are drawn from the records, so a
// changed state shows on the next redraw.
void AdvancedDialog::FillList() {
    HWND list = Item(IDC_UNDO_LIST);
    MessageSource messages = [this](int number) { return host_.Message(number); };
    size_t labelWidth = 0;
    for (size_t i = 0; i < walk_.Count(); ++i) {
        textWidth_ = std::max(textWidth_, RecordText(walk_.Record(i)).size());
        labelWidth = std::max(labelWidth, walk_.Record(i).Label(messages).size());
        SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    }
    TEXTMETRICA metrics = FontMetrics(list, font_);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
    int characters = static_cast<int>(textWidth_ + 2 + labelWidth);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(characters * metrics.tmAveCharWidth + 8),
                 0);
}

void AdvancedDialog::DrawLine(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= walk_.Count()) {
        return;
    }
    const LogRecord& record = walk_.Record(item.itemID);
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    MessageSource messages = [this](int number) { return host_.Message(number); };
    std::string line = ListLine(RecordText(record), textWidth_, record.Label(messages));
    HGDIOBJ old = SelectObject(item.hDC, font_);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, LineColour(record, selected));
    RECT area = item.rcItem;
    area.left += 2;
    DrawTextA(item.hDC, line.c_str(), static_cast<int>(line.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(item.hDC, old);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

bool AdvancedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    if (message != WM_DRAWITEM || wParam != IDC_UNDO_LIST) {
        return false;
    }
    DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

int AdvancedDialog::Selected() const {
    LRESULT selected = SendDlgItemMessageA(Handle(), IDC_UNDO_LIST, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR || static_cast<size_t>(selected) >= walk_.Count() ? -1
                                                                                : static_cast<int>(selected);
}

void AdvancedDialog::ShowSelected() {
    int selected = Selected();
    if (selected < 0) {
        CheckRadioButton(Handle(), IDC_UNDO_STATE, IDC_UNDO_STATE + stateCount - 1, 0);
        SetItemText(IDC_UNDO_DETAILS, std::string());
    } else {
        const LogRecord& record = walk_.Record(static_cast<size_t>(selected));
        CheckRadioButton(Handle(), IDC_UNDO_STATE, IDC_UNDO_STATE + stateCount - 1,
                         IDC_UNDO_STATE + static_cast<int>(record.state));
        SetItemText(IDC_UNDO_DETAILS, FormatDetails(record.Details()));
    }
    UpdateControls();
}

void AdvancedDialog::UpdateControls() {
    UndoDialog::UpdateControls();
    int selected = Selected();
    for (int state = 0; state < stateCount; ++state) {
        bool enabled =
            selected >= 0 && !walk_.Running() &&
            StateChoosable(walk_.Record(static_cast<size_t>(selected)), static_cast<UndoState>(state));
        EnableWindow(Item(IDC_UNDO_STATE + state), enabled);
    }
    EnableWindow(Item(IDC_UNDO_DETAILS), selected >= 0);
}

void AdvancedDialog::ChooseState(UndoState state) {
    int selected = Selected();
    if (selected < 0 || walk_.Running()) {
        return;
    }
    SwitchUndoState(walk_.Record(static_cast<size_t>(selected)), state);
    InvalidateRect(Item(IDC_UNDO_LIST), nullptr, TRUE);
    ShowSelected();
}

void AdvancedDialog::OnCommand(int id, int notification) {
    if (id == IDC_UNDO_LIST && notification == LBN_SELCHANGE) {
        ShowSelected();
    } else if (id == IDC_UNDO_STATE || id == IDC_UNDO_STATE + 1) {
        ChooseState(static_cast<UndoState>(id - IDC_UNDO_STATE));
    } else {
        UndoDialog::OnCommand(id, notification);
    }
}

void AdvancedDialog::OnRecordStart(size_t index) {
    SendDlgItemMessageA(Handle(), IDC_UNDO_LIST, LB_SETCURSEL, index, 0);
    ShowSelected();
}

void AdvancedDialog::OnRecordDone(size_t) {
    InvalidateRect(Item(IDC_UNDO_LIST), nullptr, TRUE);
    ShowSelected();
}

}  // namespace gvmain
