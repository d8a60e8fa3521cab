// "Capture settings" tool window.
#pragma once

#include "kit/CFloatingDlg.h"

class CCaptureSettingsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CCaptureSettingsDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
