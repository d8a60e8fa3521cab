// "Terminal" tool window.
#pragma once

#include "kit/CFloatingDlg.h"

class CTerminalDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CTerminalDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
