#include "app/CommandTable.h"

#include <array>

#include "res/ResourceIds.h"

namespace app {
namespace {

using namespace res;
using K = QKeySequence;

const std::array<CommandInfo, 38>& table() {
    static const std::array<CommandInfo, 38> commands = {{
        {ID_CARD_SELECTOR, "Card Selector", "Card Selector", true, {}},
        {ID_CHANNEL_1, "Channel &1", "Channel 1", true, {}},
        {ID_CHANNEL_2, "Channel &2", "Channel 2", true, {}},
        {ID_GRAB_SEQUENCE, "Grab Sequence", "Grab Sequence", true, {}},
        {ID_SNAP_IMAGE, "Snap Image", "Snap Image", false, {}},
        {ID_CAPTURE_START_STOP, "Start/stop capture", "Start/stop capture", true, {}},
        {ID_CAMERA_PARAMETERS, "Ca&mera parameters", "Camera parameters", true, {}},
        {ID_CC_CONTROL, "&CC Control", "CC Control", true, {}},
        {ID_RGB_CONTROL, "&RGB Control", "RGB Control", true, {}},
        {ID_CAPTURE_SETTINGS, "Ca&pture settings", "Capture settings", true, {}},
        {ID_TERMINAL, "T&erminal", "Terminal", true, {}},
        {ID_STATISTICS, "St&atistics", "Statistics", true, {}},
        {ID_HEX_DUMP, "He&x Pixel Dump", "Hex Pixel Dump", true, {}},
        {ID_TOGGLE_LUT, "Lookup table", "Lookup table", true, {}},
        {ID_LOOKUP_TABLE, "&Lookup table", nullptr, true, {}},
        {ID_HISTOGRAM, "Histogram", "Histogram", true, {}},
        {ID_STRETCH, "Stretch between markers", nullptr, true, {}},
        {ID_COLORATION, "Coloration", nullptr, true, {}},
        {ID_POCL, "PoCL", "PoCL", true, {}},
        {ID_ZOOM_IN,
         "Zoom &in",
         "Zoom in",
         false,
         {K(Qt::CTRL | Qt::Key_Plus), K(Qt::CTRL | Qt::Key_Equal),
          K(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))}},
        {ID_ZOOM_OUT,
         "Zoom &out",
         "Zoom out",
         false,
         {K(Qt::CTRL | Qt::Key_Minus),
          K(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))}},
        {ID_ZOOM_25, "25%", nullptr, true, {K(Qt::ALT | Qt::Key_4)}},
        {ID_ZOOM_50, "50%", nullptr, true, {K(Qt::ALT | Qt::Key_2)}},
        {ID_ZOOM_100, "&100%", "100%", true, {K(Qt::CTRL | Qt::Key_1), K(Qt::ALT | Qt::Key_1)}},
        {ID_ZOOM_200, "200%", nullptr, true, {K(Qt::CTRL | Qt::Key_2)}},
        {ID_ZOOM_400, "400%", nullptr, true, {K(Qt::CTRL | Qt::Key_4)}},
        {ID_ZOOM_FIT, "Fit to window", "Fit to window", false, {K(Qt::CTRL | Qt::Key_0)}},
        {ID_GRID, "&Grid", "Grid", true, {K(Qt::CTRL | Qt::Key_G)}},
        {ID_FULL_SCREEN, "&Full screen", "Full screen", true, {K(Qt::Key_F11)}},
        {ID_RESET_DIALOG_POSITION, "Reset dialog position", nullptr, false, {}},
        {ID_PLAY_FILES, "Play Files", nullptr, false, {}},
        {ID_DEBUG, "&Debug", nullptr, true, {}},
        {ID_APP_ABOUT, "&About Glintrail...", "About", false, {}},
        {ID_APP_EXIT, "E&xit", nullptr, false, {}},
        {ID_HELP_MANUAL, "Help Manual", nullptr, false, {K(Qt::Key_F1)}},
        {ID_VIEW_TOOLBAR, "&Toolbar", nullptr, true, {}},
        {ID_VIEW_STATUS_BAR, "&Status Bar", nullptr, true, {}},
        {ID_PLC, "&CC Control", "Programmable Logic Controller", true, {}},
    }};
    return commands;
}

constexpr std::array<int, 27> kToolbar = {
    ID_CARD_SELECTOR,
    ID_CHANNEL_1,
    ID_CHANNEL_2,
    0,
    ID_GRAB_SEQUENCE,
    ID_SNAP_IMAGE,
    ID_CAPTURE_START_STOP,
    0,
    ID_CAMERA_PARAMETERS,
    ID_CC_CONTROL,
    ID_RGB_CONTROL,
    ID_CAPTURE_SETTINGS,
    ID_TERMINAL,
    ID_STATISTICS,
    ID_HEX_DUMP,
    ID_TOGGLE_LUT,
    0,
    ID_HISTOGRAM,
    ID_POCL,
    ID_ZOOM_IN,
    ID_ZOOM_OUT,
    ID_ZOOM_FIT,
    ID_FULL_SCREEN,
    ID_ZOOM_100,
    ID_GRID,
    0,
    ID_APP_ABOUT,
};

constexpr std::array<int, 5> kFileMenu = {ID_CARD_SELECTOR, 0, ID_PLAY_FILES, 0, ID_APP_EXIT};
constexpr std::array<int, 21> kViewMenu = {ID_VIEW_TOOLBAR,
                                           ID_VIEW_STATUS_BAR,
                                           0,
                                           ID_CAMERA_PARAMETERS,
                                           ID_CC_CONTROL,
                                           ID_RGB_CONTROL,
                                           ID_CAPTURE_SETTINGS,
                                           ID_TERMINAL,
                                           ID_STATISTICS,
                                           0,
                                           ID_HEX_DUMP,
                                           ID_HISTOGRAM,
                                           ID_LOOKUP_TABLE,
                                           ID_STRETCH,
                                           ID_COLORATION,
                                           0,
                                           -1,
                                           ID_GRID,
                                           ID_FULL_SCREEN,
                                           0,
                                           ID_RESET_DIALOG_POSITION};
constexpr std::array<int, 2> kChannelMenu = {ID_CHANNEL_1, ID_CHANNEL_2};
constexpr std::array<int, 3> kAcquisitionMenu = {ID_GRAB_SEQUENCE, ID_SNAP_IMAGE, ID_CAPTURE_START_STOP};
constexpr std::array<int, 4> kHelpMenu = {ID_HELP_MANUAL, 0, ID_APP_ABOUT, ID_DEBUG};
constexpr std::array<int, 9> kZoomMenu = {ID_ZOOM_IN,  ID_ZOOM_OUT, 0,           ID_ZOOM_25, ID_ZOOM_50,
                                          ID_ZOOM_100, ID_ZOOM_200, ID_ZOOM_400, ID_ZOOM_FIT};

}  // namespace

std::span<const CommandInfo> Commands() {
    return table();
}

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& c : table())
        if (c.id == id)
            return &c;
    return nullptr;
}

std::span<const int> ToolbarButtons() {
    return kToolbar;
}

std::span<const MenuInfo> Menus() {
    static const std::array<MenuInfo, 5> menus = {{
        {"&File", kFileMenu},
        {"&View", kViewMenu},
        {"&Input Channel", kChannelMenu},
        {"&Acquisition", kAcquisitionMenu},
        {"&Help", kHelpMenu},
    }};
    return menus;
}

std::span<const int> ZoomMenu() {
    return kZoomMenu;
}

}  // namespace app
