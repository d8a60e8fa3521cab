// "Statistics" tool window.
#pragma once

#include "CFloatingDlg.h"

class CStatisticsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CStatisticsDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
