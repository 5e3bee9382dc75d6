#include "about_dialog.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/resources/art.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace vorlen {

std::string AboutVersionLine(const TProjectRCVersion& version, const std::string& staticText) {
    std::optional<std::string> name = version.Query("ProductName");
    std::optional<std::string> number = version.Query("ProductVersion");
    if (!name || !number)
        return staticText;
    return *name + " " + staticText + " " + *number;
}

TVorlenAboutDlg::TVorlenAboutDlg(wxWindow* parent, const TProjectRCVersion& version)
    : wxDialog(parent, aboutDialog, "About Vorlen") {
    SetIcons(art::ProgramIcons());
    auto* icon = new wxStaticBitmap(this, aboutIcon, art::ProgramIconBitmap());

    auto* versionLine = new wxStaticText(this, aboutVersion, "Version");
    versionLine->SetLabel(
        platform::ToWx(AboutVersionLine(version, platform::FromWx(versionLine->GetLabel()))));
    auto* specialBuild = new wxStaticText(this, aboutSpecialBuild, wxEmptyString);
    if (std::optional<std::string> build = version.Query("SpecialBuild"))
        specialBuild->SetLabel(platform::ToWx(*build));

    auto* texts = new wxBoxSizer(wxVERTICAL);
    auto* product = new wxStaticText(this, aboutProduct, "Tolvane Vorlen for Windows 95/NT");
    product->SetFont(product->GetFont().Bold());
    texts->Add(product, 0, wxBOTTOM, FromDIP(6));
    texts->Add(versionLine, 0, wxBOTTOM, FromDIP(12));
    texts->Add(specialBuild);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(icon, 0, wxRIGHT, FromDIP(12));
    top->Add(texts, 1);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(top, 1, wxEXPAND | wxALL, FromDIP(12));
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    sizer->Add(ok, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    SetSizerAndFit(sizer);
    SetMinSize(GetSize());
}

}  // namespace vorlen
