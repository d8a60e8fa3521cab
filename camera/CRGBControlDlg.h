// "RGB Control" tool window.
#pragma once

#include "kit/CFloatingDlg.h"

class CRGBControlDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CRGBControlDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
