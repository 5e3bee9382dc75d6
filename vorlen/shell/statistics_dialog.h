// The file information dialog ("P&roperties" on the File menu): the open
// data file's name and number of records, and its owner, description and
// archive mark to edit.
#pragma once

#include <wx/dialog.h>

#include <string>

namespace vorlen {

namespace store {
class DataFile;
}

// Control ids of the dialog.
enum StatisticsControl : int {
    statisticsOk = 1,
    statisticsCancel = 2,
    statisticsHelp = 9,
    statisticsOwner = 101,
    statisticsDescription = 105,
    statisticsArchive = 106,
    statisticsCount = 110,
    statisticsFileName = 111,
};

// What ShowModal gives back.
enum StatisticsResult : int {
    statisticsChanged = 1,    // OK: the file was changed and marked unsaved
    statisticsCancelled = 2,  // Cancel, Escape or the close box: nothing changed
};

// The most characters of the owner and the description that the file takes
// from the dialog.
inline constexpr int kMaxHeaderText = 63;

class TStatisticsDlg : public wxDialog {
public:
    // `file` must outlive the dialog; OK changes it.
    TStatisticsDlg(wxWindow* parent, store::DataFile& file, int eventCount);

private:
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    store::DataFile& file;
    wxDECLARE_EVENT_TABLE();
};

// The record count as the dialog shows it: in full, however large.
std::string RecordCountText(int count);

}  // namespace vorlen
