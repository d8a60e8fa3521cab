#include "camera/TapFormatList.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <algorithm>

#include "camera/CCustomTapConfig.h"
#include "camera/CameraParamsRules.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace tapformatlist {

void Fill(QComboBox& list) {
    list.clear();
    int widest = 0;
    for (int id = res::IDS_TAP_FORMAT_FIRST; id <= res::IDS_TAP_FORMAT_CUSTOM; ++id) {
        const QString text = res::LoadString(id);
        list.addItem(text);
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(text + QStringLiteral(" :")));
    }
    list.view()->setMinimumWidth(widest);
}

void Select(QComboBox& list, const TapConfig& config) {
    list.setCurrentIndex(cameraparams::TapFormatIndexOf(config));
}

bool Choose(QWidget* parent, int index, TapConfig& config) {
    if (index == cameraparams::kCustomTapIndex)
        return CCustomTapConfig::Edit(parent, config);
    grabber::SetTapFormat(uint32_t(index) + 1, config);
    return true;
}

}  // namespace tapformatlist
