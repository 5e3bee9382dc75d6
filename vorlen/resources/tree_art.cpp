// The information tree's five node pictures, 20 x 16 each, in the flat
// style of the tool bar buttons (toolbar_art.cpp): a folder for the file and
// its categories (open while selected), a calendar leaf for an event, the
// same leaf with a clock for an appointment, a highlighted leaf while
// selected.
#include "art.h"

#include <string>

namespace vorlen::art {
namespace {

std::string Node(const char* body) {
    return std::string(
               R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="16" viewBox="0 0 20 16">)svg") +
           body + "</svg>";
}

constexpr char folderClosed[] = R"svg(
<path d="M2.5 13.5v-10h5l1.5 1.5h8.5v8.5z" fill="#e0a93a" stroke="#7a5310" stroke-linejoin="round"/>
<path d="M3 6.5h14" stroke="#f7d27a"/>)svg";

constexpr char folderOpen[] = R"svg(
<path d="M2.5 13.5v-10h5l1.5 1.5h7.5v2" fill="#e0a93a" stroke="#7a5310" stroke-linejoin="round"/>
<path d="M2.5 13.5l3-6h13l-3 6z" fill="#f7d27a" stroke="#7a5310" stroke-linejoin="round"/>)svg";

constexpr char leaf[] = R"svg(
<rect x="4.5" y="2.5" width="11" height="12" fill="#fff" stroke="#3b4a5a"/>
<rect x="5" y="3" width="10" height="3" fill="#2f64b0"/>
<path d="M7 8.5h6M7 10.5h6M7 12.5h4" stroke="#9aaabb"/>)svg";

constexpr char leafSelected[] = R"svg(
<rect x="4.5" y="2.5" width="11" height="12" fill="#fff3b0" stroke="#3b4a5a"/>
<rect x="5" y="3" width="10" height="3" fill="#c8372d"/>
<path d="M7 10l2 2 4-4.5" fill="none" stroke="#2e8b3a" stroke-width="1.6" stroke-linecap="round"/>)svg";

constexpr char appointment[] = R"svg(
<rect x="2.5" y="2.5" width="10" height="12" fill="#fff" stroke="#3b4a5a"/>
<rect x="3" y="3" width="9" height="3" fill="#2f64b0"/>
<path d="M5 8.5h5M5 10.5h3" stroke="#9aaabb"/>
<circle cx="14" cy="10.5" r="4.5" fill="#fff" stroke="#3b4a5a"/>
<path d="M14 10.5V7.8M14 10.5l1.8 1.2" stroke="#c8372d" stroke-width="1.2" stroke-linecap="round"/>)svg";

}  // namespace

wxVector<wxBitmapBundle> TreeImages() {
    wxVector<wxBitmapBundle> images;
    for (const char* body : {folderClosed, folderOpen, leaf, leafSelected, appointment})
        images.push_back(wxBitmapBundle::FromSVG(Node(body).c_str(), wxSize(treeImageWidth, treeImageHeight)));
    return images;
}

}  // namespace vorlen::art
