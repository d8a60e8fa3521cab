#include "CCardTesterDlg.h"

#include "ResourceIds.h"

CCardTesterDlg::CCardTesterDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Card Register Tester"));
}

int CCardTesterDlg::GetID() const {
    return res::IDD_CARD_TESTER;
}
