// The card selector: lists the cards with a free channel, edits their aliases and
// tells the main frame which card to connect.
#pragma once

#include <QStringList>
#include <cstdint>

#include "kit/CFloatingDlg.h"

class QPushButton;
class QTableWidget;

// Notification codes to the main frame.
enum CardSelectorCode { kSelectorConnect = 0, kSelectorReapply = 1, kSelectorCancel = 2 };

class CAliasDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit CAliasDlg(QWidget* parent = nullptr);
    int GetID() const override;

    void SetCurrentCard(uint64_t handle) { currentCard = handle; }
    QString GetSelectedLocation() const { return locations.value(int(selectedIndex)); }

    // Lists the cards again; answers the number of cards counted.
    uint32_t Refresh();
    // Runs the selector modally, as at start-up: QDialog::Accepted or Rejected.
    // When the refresh already decided (no card, none free, the only card) the
    // dialog is never shown.
    int RunModal();

    // The rows as shown, for the alias editor and the tests.
    QTableWidget* list() const { return list_; }

    QStringList locations, aliases;
    uint32_t selectedIndex = 0;
    uint32_t cardCount = 0;
    uint64_t currentCard = 0;
    bool refreshOnInit = false;

protected:
    void OnInitDialog() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectRow(int row);
    void cancel();
    void editAlias();
    // Hides the selector and ends it with a result: a modal run returns it.
    void endDialog(int result);

    QTableWidget* list_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    bool runningModal_ = false;
    bool ending_ = false;   // the selector closes itself after Connect or Cancel
    int earlyResult_ = -1;  // a result reached before the modal run showed the dialog
};
