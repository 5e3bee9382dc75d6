// The tool bar buttons and the program icon, drawn as 16-unit SVG
// documents in one flat style: a dark outline one unit wide on half-unit
// coordinates (so that lines fall on whole pixels at 16 and 32 pixels),
// light fills, one strong colour per button.
#include "art.h"

#include "vorlen/resources/program_icon_svg.h"

#include <wx/image.h>

#include <string>

namespace vorlen::art {
namespace {

// Every button draws into the same frame.
std::string Button(const char* body) {
    return std::string(
               R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">)svg") +
           body + "</svg>";
}

constexpr char pageNew[] = R"svg(
<path d="M2.5 1.5h6l3 3v10h-9z" fill="#fff" stroke="#3b4a5a"/>
<path d="M8.5 1.5v3h3" fill="#d5dee8" stroke="#3b4a5a"/>
<path d="M12.5 8.5l.9 1.9 2.1.3-1.5 1.4.4 2.1-1.9-1-1.9 1 .4-2.1-1.5-1.4 2.1-.3z" fill="#f2b705" stroke="#8a6000" stroke-width=".8" stroke-linejoin="round"/>)svg";

constexpr char folderOpen[] = R"svg(
<path d="M1.5 13.5v-10h4l1.5 1.5h5.5v2" fill="#e0a93a" stroke="#7a5310" stroke-linejoin="round"/>
<path d="M1.5 13.5l2.5-6h11l-2.5 6z" fill="#f7d27a" stroke="#7a5310" stroke-linejoin="round"/>)svg";

constexpr char diskSave[] = R"svg(
<path d="M1.5 1.5h11l2 2v11h-13z" fill="#2f64b0" stroke="#183668" stroke-linejoin="round"/>
<rect x="4.5" y="1.5" width="7" height="4" fill="#d8dee6" stroke="#183668"/>
<rect x="9" y="2.5" width="1.5" height="2" fill="#183668"/>
<rect x="3.5" y="8.5" width="9" height="6" fill="#fff" stroke="#183668"/>
<path d="M5 10.5h6M5 12.5h6" stroke="#9aaabb"/>)svg";

constexpr char calendarPlus[] = R"svg(
<rect x="1.5" y="2.5" width="11" height="11" fill="#fff" stroke="#3b4a5a"/>
<rect x="2" y="3" width="10" height="2.5" fill="#c8372d"/>
<path d="M1.5 5.5h11" stroke="#3b4a5a"/>
<path d="M4.5 1v3M9.5 1v3" stroke="#3b4a5a"/>
<path d="M3 7h2v2H3zM6 7h2v2H6zM3 10h2v2H3z" fill="#a9b8c8"/>
<circle cx="11.5" cy="11.5" r="4" fill="#2e8b3a"/>
<path d="M11.5 9v5M9 11.5h5" stroke="#fff" stroke-width="1.6"/>)svg";

constexpr char redCross[] = R"svg(
<path d="M3 3l10 10M13 3L3 13" stroke="#7a1010" stroke-width="4" stroke-linecap="round"/>
<path d="M3 3l10 10M13 3L3 13" stroke="#e03a2f" stroke-width="2.4" stroke-linecap="round"/>)svg";

constexpr char twoPages[] = R"svg(
<path d="M1.5 1.5h5l2 2v7h-7z" fill="#fff" stroke="#3b4a5a" stroke-linejoin="round"/>
<path d="M3 5.5h4M3 7.5h4" stroke="#9aaabb"/>
<path d="M6.5 5.5h6l2 2v7h-8z" fill="#fff" stroke="#3b4a5a" stroke-linejoin="round"/>
<path d="M8 9.5h5M8 11.5h5" stroke="#2f64b0"/>)svg";

constexpr char clipboard[] = R"svg(
<rect x="1.5" y="2.5" width="10" height="12" rx="1" fill="#b8823f" stroke="#5e3d12"/>
<rect x="3.5" y="4.5" width="6" height="8" fill="#f4eee2"/>
<rect x="4.5" y="1.5" width="4" height="3" rx=".8" fill="#c9d1da" stroke="#3b4a5a"/>
<path d="M8.5 7.5h4l2 2v5h-6z" fill="#fff" stroke="#3b4a5a" stroke-linejoin="round"/>
<path d="M10 11.5h3" stroke="#2f64b0"/>)svg";

constexpr char curvedArrow[] = R"svg(
<path d="M5 6h5a3.5 3.5 0 0 1 0 7H6" fill="none" stroke="#2f64b0" stroke-width="2.2" stroke-linecap="round"/>
<path d="M1 6l5-4.5v9z" fill="#2f64b0"/>)svg";

constexpr char magnifier[] = R"svg(
<path d="M9.5 9.5l4.5 4.5" stroke="#5e3d12" stroke-width="3" stroke-linecap="round"/>
<circle cx="6.5" cy="6.5" r="4.5" fill="#dcefff" stroke="#3b4a5a" stroke-width="1.5"/>
<path d="M4.5 5a2.5 2.5 0 0 1 2-1.5" fill="none" stroke="#fff" stroke-width="1.2"/>)svg";

constexpr char magnifierArrow[] = R"svg(
<path d="M7.5 7.5l2.5 2.5" stroke="#5e3d12" stroke-width="2.6" stroke-linecap="round"/>
<circle cx="5" cy="5" r="3.5" fill="#dcefff" stroke="#3b4a5a" stroke-width="1.4"/>
<path d="M7 13h4.5" stroke="#2e8b3a" stroke-width="2.2"/>
<path d="M11 9.5l4.5 3.5-4.5 3.5z" fill="#2e8b3a"/>)svg";

constexpr char house[] = R"svg(
<path d="M3.5 7.5v7h9v-7" fill="#f3e3c3" stroke="#5e3d12"/>
<path d="M8 1.5L.8 8.2h14.4z" fill="#c8372d" stroke="#7a1010" stroke-linejoin="round"/>
<rect x="6.5" y="10.5" width="3" height="4" fill="#8a5a2a" stroke="#5e3d12"/>)svg";

constexpr char tree[] = R"svg(
<path d="M4.5 5v8.5h4M4.5 8.5h4" fill="none" stroke="#3b4a5a"/>
<rect x="1.5" y="1.5" width="7" height="3.5" fill="#e0a93a" stroke="#7a5310"/>
<rect x="8.5" y="6.5" width="6" height="3.5" fill="#fff" stroke="#3b4a5a"/>
<rect x="8.5" y="11.5" width="6" height="3.5" fill="#fff" stroke="#3b4a5a"/>
<path d="M10 8.2h3M10 13.2h3" stroke="#2f64b0"/>)svg";

constexpr char calendarGrid[] = R"svg(
<rect x="1.5" y="2.5" width="13" height="12" fill="#fff" stroke="#3b4a5a"/>
<rect x="2" y="3" width="12" height="2.5" fill="#c8372d"/>
<path d="M1.5 5.5h13M5.5 5.5v9M8 5.5v9M10.5 5.5v9M1.5 8.5h13M1.5 11.5h13" stroke="#8796a8"/>
<rect x="8.5" y="9" width="2" height="2" fill="#f2b705"/>
<path d="M4.5 1v3M11.5 1v3" stroke="#3b4a5a"/>)svg";

constexpr char eventList[] = R"svg(
<rect x="1.5" y="1.5" width="13" height="13" fill="#fff" stroke="#3b4a5a"/>
<path d="M3 4h2v2H3zM3 7h2v2H3zM3 10h2v2H3z" fill="#c8372d"/>
<path d="M6.5 5h6.5M6.5 8h6.5M6.5 11h6.5" stroke="#2f64b0" stroke-width="1.2"/>)svg";

constexpr char clock[] = R"svg(
<circle cx="8" cy="8" r="6.5" fill="#fff" stroke="#3b4a5a" stroke-width="1.4"/>
<path d="M8 2.8v1.4M13.2 8h-1.4M8 13.2v-1.4M2.8 8h1.4" stroke="#8796a8"/>
<path d="M8 8V4.6M8 8l2.6 1.8" stroke="#c8372d" stroke-width="1.4" stroke-linecap="round"/>
<circle cx="8" cy="8" r=".9" fill="#3b4a5a"/>)svg";

constexpr char questionMark[] = R"svg(
<circle cx="8" cy="8" r="7" fill="#2f64b0" stroke="#183668"/>
<path d="M5.8 6.2a2.2 2.2 0 1 1 3.2 2c-.8.4-1 .9-1 1.7" fill="none" stroke="#fff" stroke-width="1.7" stroke-linecap="round"/>
<circle cx="8" cy="12.2" r="1.05" fill="#fff"/>)svg";

const char* ButtonBody(int bitmapId) {
    switch (bitmapId) {
    case bitmapNew: return pageNew;
    case bitmapOpen: return folderOpen;
    case bitmapSave: return diskSave;
    case bitmapAddNewEvent: return calendarPlus;
    case bitmapDelete: return redCross;
    case bitmapCopy: return twoPages;
    case bitmapPaste: return clipboard;
    case bitmapUndo: return curvedArrow;
    case bitmapFind: return magnifier;
    case bitmapFindNext: return magnifierArrow;
    case bitmapTitleScreen: return house;
    case bitmapInformationTree: return tree;
    case bitmapCalendarDisplay: return calendarGrid;
    case bitmapEventList: return eventList;
    case bitmapTodaysReminders: return clock;
    case bitmapHelpContents: return questionMark;
    default: return nullptr;
    }
}

// An icon of `size` pixels. The bundle marks a bitmap of another size than
// its own as scaled; an icon of 16 pixels must not count as 32 of them.
wxIcon IconFrom(const wxBitmapBundle& bundle, int size) {
    wxBitmap bitmap = bundle.GetBitmap(wxSize(size, size));
    bitmap.SetScaleFactor(1);
    wxIcon icon;
    icon.CopyFromBitmap(bitmap);
    return icon;
}

constexpr char documentPage[] =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
<path d="M5.5 1.5h14l7 7v22h-21z" fill="#fff" stroke="#3b4a5a" stroke-linejoin="round"/>
<path d="M19.5 1.5v7h7" fill="#d5dee8" stroke="#3b4a5a" stroke-linejoin="round"/>
<path d="M9 7.5h7M9 11.5h5" stroke="#9aaabb" stroke-width="1.5"/>
<path d="M16 13c-3.5 0-5.5 2.6-5.5 6v3.5l-2.2 3h15.4l-2.2-3V19c0-3.4-2-6-5.5-6z" fill="#f2b705" stroke="#7a5200" stroke-width="1.4" stroke-linejoin="round"/>
<circle cx="16" cy="27.3" r="1.8" fill="#7a5200"/>
</svg>)svg";

}  // namespace

wxBitmapBundle ToolbarBitmap(int bitmapId) {
    const char* body = ButtonBody(bitmapId);
    if (!body)
        return wxBitmapBundle();
    return wxBitmapBundle::FromSVG(Button(body).c_str(), wxSize(16, 16));
}

wxIconBundle ProgramIcons() {
    wxBitmapBundle bundle = ProgramIconBitmap();
    wxIconBundle icons;
    for (int size : {16, 24, 32, 48})
        icons.AddIcon(IconFrom(bundle, size));
    return icons;
}

wxBitmapBundle ProgramIconBitmap() {
    return wxBitmapBundle::FromSVG(programIconSvg, wxSize(32, 32));
}

wxIcon DocumentIcon() {
    return IconFrom(wxBitmapBundle::FromSVG(documentPage, wxSize(32, 32)), 32);
}

}  // namespace vorlen::art
