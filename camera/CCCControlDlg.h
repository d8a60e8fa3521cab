// "CC Control" tool window.
#pragma once

#include "kit/CFloatingDlg.h"

class CCCControlDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CCCControlDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
