// The display effect flags and marker limits shared by the view and the
// histogram tools, kept in the profile's "HistoFrame" section.
#pragma once

namespace display {

struct DisplayEffects {
    bool colorize = false;                           // "bColor"
    bool stretch = false;                            // "bAdjust"
    bool markers = false;                            // "bMarkers"
    int limB0 = 0, limD0 = 0, limB1 = 0, limD1 = 0;  // "s_nLimB_0", "s_nLimD_0", "s_nLimB_1", "s_nLimD_1"
};

// The one process-wide instance; user-interface thread only.
DisplayEffects& Effects();
void LoadDisplayEffects();
void SaveDisplayEffects();

}  // namespace display
