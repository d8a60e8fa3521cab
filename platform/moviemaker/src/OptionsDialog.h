// The small options dialog of a compressor: quality and, where the codec has
// them, the key-frame interval. Runs modally on the user-interface thread.
#pragma once

#include <string>

#include "kvxmoviemaker.h"

class QWidget;

namespace kvx {

// Answers true when the user accepted; settings then hold the choice.
bool RunOptionsDialog(QWidget* owner, const std::u16string& compressor, bool keyFrames,
                      KvxCompressorSettings& settings);

}  // namespace kvx
