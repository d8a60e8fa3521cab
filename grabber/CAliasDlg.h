// "Card Selector" tool window.
#pragma once

#include "CFloatingDlg.h"

class CAliasDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CAliasDlg(QWidget* parent = nullptr);
    int GetID() const override;
};
