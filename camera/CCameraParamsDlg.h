// "Camera parameters" tool window.
#pragma once

#include "CFloatingDlg.h"

class CCameraParamsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CCameraParamsDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
