// "Card Register Tester" tool window.
#pragma once

#include "kit/CFloatingDlg.h"

class CCardTesterDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CCardTesterDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
