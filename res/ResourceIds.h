// Resource ids shared between the main frame, its tools and the stored settings.
#pragma once

namespace res {

// Commands of menu 100, the toolbar and the accelerators.
enum Command : int {
    ID_ZOOM_IN = 32772,
    ID_ZOOM_OUT = 32773,
    ID_ZOOM_25 = 32774,
    ID_ZOOM_50 = 32775,
    ID_ZOOM_100 = 32776,
    ID_ZOOM_200 = 32777,
    ID_ZOOM_400 = 32778,
    ID_ZOOM_FIT = 32779,
    ID_GRID = 32780,
    ID_CAPTURE_SETTINGS = 32801,
    ID_CAMERA_PARAMETERS = 32802,
    ID_CC_CONTROL = 32803,
    ID_RGB_CONTROL = 32804,
    ID_STATISTICS = 32805,
    ID_HEX_DUMP = 32806,
    ID_TERMINAL = 32807,
    ID_DEBUG = 32808,
    ID_CHANNEL_1 = 32810,
    ID_CHANNEL_2 = 32811,
    ID_SNAP_IMAGE = 32812,
    ID_GRAB_SEQUENCE = 32813,
    ID_LOOKUP_TABLE = 32822,
    ID_HISTOGRAM = 32823,
    ID_STRETCH = 32825,
    ID_COLORATION = 32826,
    ID_PLAY_FILES = 32830,
    ID_TOGGLE_LUT = 32834,
    ID_CAPTURE_START_STOP = 32835,
    ID_FULL_SCREEN = 32836,
    ID_RESET_DIALOG_POSITION = 32840,
    ID_CARD_SELECTOR = 32842,
    ID_POCL = 32900,
    ID_PLC = 153,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_MANUAL = 57670,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    // Sent by the histogram window: rebuild the palette; the window closed.
    ID_REBUILD_PALETTE = 33101,
    ID_HISTOGRAM_CLOSED = 33102,
};

// Cursors.
enum Cursor : int {
    IDC_IMAGE_CURSOR = 110,
};

// Dialog ids: the control id of their notifications to the main frame.
enum Dialog : int {
    IDD_ABOUTBOX = 111,
    IDD_CAPTURE_SETTINGS = 112,
    IDD_CAMERA_PARAMETERS = 113,
    IDD_CC_CONTROL = 114,
    IDD_HEX_DUMP = 115,
    IDD_AUTO_LEARN = 116,
    IDD_CUSTOM_TAP_CONFIG = 117,
    IDD_RGB_CONTROL = 118,
    IDD_STATISTICS = 119,
    IDD_TERMINAL = 120,
    IDD_FLUSHING = 143,
    IDD_LOOKUP_TABLE = 144,
    IDD_CARD_SELECTOR = 145,
    IDD_EDIT_ALIAS = 146,
    IDD_CARD_TESTER = 147,
    IDD_PLAYER = 151,
    IDD_PLAYER_CONTROL = 152,
};

// Status bar panes, left to right.
enum Pane : int {
    ID_PANE_CAMERA_RATE = 49111,
    ID_PANE_GRABBING_RATE = 49110,
    ID_PANE_GRABBING_COUNT = 49109,
    ID_PANE_POSITION = 49101,
    ID_PANE_VALUE = 49102,
    ID_PANE_DMA = 49103,
    ID_PANE_CAMERA = 49105,
};

// Strings of the string table.
enum String : int {
    IDS_HISTOGRAM = 101,
    // The histogram window's graphs.
    IDS_AVG_TAP1 = 38000,
    IDS_AVG_TAP2 = 38001,
    IDS_PIXELS = 38002,
    IDS_SIGNAL_ADU = 38003,
    IDS_HORIZONTAL_AVERAGE = 38004,
    IDS_VERTICAL_AVERAGE = 38005,
    IDS_UNLIMITED = 103,
    IDS_OLE_INIT_FAILED = 125,
    // Corners of the stamped text block, Position 0..5 in order.
    IDS_POSITION_FIRST = 126,
    IDS_POSITION_LAST = 131,
    IDS_FPS_NOT_POSITIVE = 132,
    IDS_EMPTY_FILE_NAME = 133,
    IDS_CHANGE_BAUD_RATE = 137,
    IDS_SERIAL_PORT_FAILED = 138,
    // The player's file messages, each with the file's path for %s.
    IDS_CANT_READ_FILE = 146,
    IDS_CANT_OPEN_FILE = 147,
    IDS_INVALID_FILE = 148,
    IDS_OUT_OF_MEMORY = 149,
    IDS_OLD_FIRMWARE = 150,
    IDS_GRABBING_NEEDED = 152,
    IDS_PLC = 153,
    IDS_TAP_GEOMETRY = 154,
    IDS_APP_NAME = 57344,
    // Tap format list: 18 standard formats in format-number order, then "Custom".
    IDS_TAP_FORMAT_FIRST = 49001,
    IDS_TAP_FORMAT_CUSTOM = 49019,
    IDS_MORE = 50001,
    IDS_LESS = 50002,
    IDS_START_GRAB = 50003,
    IDS_STOP_GRAB = 50004,
    IDS_PULSE_START = 50005,
    IDS_PULSE_STOP = 50006,
    IDS_START_CAPTURE = 50007,
    IDS_STOP_CAPTURE = 50008,
    IDS_MASTER_WIDTH_TOO_LONG = 50100,
    IDS_SLAVE_WIDTH_TOO_LONG = 50101,
    IDS_SLAVE_DELAY_TOO_LONG = 50102,
    IDS_MEAN_RGB = 1173,
};

// Property sets (text resources read by the property grid).
enum PropertySet : int {
    IDR_TAP_PROPERTY_SET = 103,
};

}  // namespace res
