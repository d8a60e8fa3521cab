#include "CAliasDlg.h"

#include "ResourceIds.h"

CAliasDlg::CAliasDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Card Selector"));
}

int CAliasDlg::GetID() const {
    return res::IDD_CARD_SELECTOR;
}
