// The tap format list shared by the camera parameters and auto learn dialogs:
// the eighteen standard formats in format-number order, then "Custom".
#pragma once

class QComboBox;
class QWidget;
struct TapConfig;

namespace tapformatlist {

// Fills the list and widens its drop-down to the longest entry.
void Fill(QComboBox& list);
// Selects the entry of a configuration ("Custom" when no format matches).
void Select(QComboBox& list, const TapConfig& config);
// The configuration of a chosen entry: the standard one of a format, or for
// "Custom" the custom dialog run on a copy of `config`. False when the custom
// dialog was cancelled (`config` unchanged).
bool Choose(QWidget* parent, int index, TapConfig& config);

}  // namespace tapformatlist
