#include "capture/CCaptureSettingsDlg.h"

#include "res/ResourceIds.h"

CCaptureSettingsDlg::CCaptureSettingsDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Capture settings"));
}

int CCaptureSettingsDlg::GetID() const {
    return res::IDD_CAPTURE_SETTINGS;
}
