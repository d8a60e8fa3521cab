// "Camera parameters" tool window.
#pragma once

#include "CFloatingDlg.h"

class CCameraParamsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CCameraParamsDlg(QWidget* parent = nullptr);
    int GetID() const override;

    // Cards with old firmware cannot transfer packed pixels.
    void SetPackedAvailable(bool available) { packedAvailable_ = available; }
    bool IsPackedAvailable() const { return packedAvailable_; }

private:
    bool packedAvailable_ = true;
};
