#include "grabber/CAliasDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "grabber/CEditAliasDlg.h"
#include "grabber/Grabber.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"

namespace {

const QString kNoCard = QStringLiteral("No Glintrail Express card detected!");
const QString kNoFreeCard = QStringLiteral("No free Glintrail Express card detected!");

// The card's alias. A card without one, or whose alias cannot be read, gets its
// location, which is stored as its alias from then on.
QString aliasOrLocation(const grabber::CardEntry& card) {
    const QString location = QString::fromStdString(card.location);
    std::u16string alias;
    const uint32_t status = grabber::GetCardAlias(card.cardId, alias);
    if (status != ZAMGRB_OK || alias.empty()) {
        grabber::SetCardAlias(card.cardId, location.toStdU16String());
        return location;
    }
    return QString::fromStdU16String(alias);
}

bool hasFreeChannel(uint64_t card) {
    for (uint8_t channel : {uint8_t{0}, uint8_t{1}}) {
        if (grabber::OpenChannel(card, channel) == ZAMGRB_OK) {
            grabber::CloseChannel(card, channel);
            return true;
        }
    }
    return false;
}

}  // namespace

CAliasDlg::CAliasDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Card Selector"));
}

int CAliasDlg::GetID() const {
    return res::IDD_CARD_SELECTOR;
}

void CAliasDlg::OnInitDialog() {
    list_ = new QTableWidget(0, 2, this);
    list_->setObjectName(QStringLiteral("1185"));
    list_->setHorizontalHeaderLabels({QStringLiteral("Location"), QStringLiteral("Alias")});
    list_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    list_->verticalHeader()->hide();
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setMinimumSize(420, 160);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { connectRow(row); });

    auto* edit = new QPushButton(QStringLiteral("Edit"), this);
    auto* connectButton = new QPushButton(QStringLiteral("Connect"), this);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(edit, &QPushButton::clicked, this, &CAliasDlg::editAlias);
    connect(connectButton, &QPushButton::clicked, this, [this] { connectRow(list_->currentRow()); });
    connect(cancelButton_, &QPushButton::clicked, this, &CAliasDlg::cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {edit, connectButton, cancelButton_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Available cards:"), this));
    layout->addWidget(list_);
    layout->addLayout(buttons);

    if (refreshOnInit)
        Refresh();
}

void CAliasDlg::showEvent(QShowEvent* event) {
    CFloatingDlg::showEvent(event);
    if (!refreshOnInit && !runningModal_)
        Refresh();
}

uint32_t CAliasDlg::Refresh() {
    cancelButton_->setEnabled(currentCard != 0);
    locations.clear();
    aliases.clear();
    list_->setRowCount(0);

    uint32_t counted = 0;
    for (const grabber::CardEntry& card : grabber::EnumerateCards()) {
        grabber::CardHandle handle = grabber::CardHandle::Open(card.cardId);
        if (!handle)
            continue;  // a card that cannot be opened is not counted
        ++counted;
        if (!hasFreeChannel(handle.get()))
            continue;
        const QString location = QString::fromStdString(card.location);
        const QString alias = aliasOrLocation(card);
        const int row = list_->rowCount();
        list_->insertRow(row);
        list_->setItem(row, 0, new QTableWidgetItem(location));
        list_->setItem(row, 1, new QTableWidgetItem(alias));
        locations << location;
        aliases << alias;
    }
    cardCount = counted;
    if (currentCard == 0)
        selectedIndex = 0;
    if (list_->rowCount() > 0)
        list_->selectRow(0);

    if (counted == 0) {
        appkit::ShowMessage(this, kNoCard);
        endDialog(QDialog::Rejected);
        return 0;
    }
    if (locations.isEmpty()) {
        appkit::ShowMessage(this, kNoFreeCard);
        endDialog(QDialog::Accepted);
        return counted;
    }
    if (currentCard != 0) {
        std::u16string open;
        grabber::GetOpenCardAlias(currentCard, open);
        const QString current = QString::fromStdU16String(open);
        for (int row = 0; row < aliases.size(); ++row) {
            if (aliases[row].compare(current, Qt::CaseInsensitive) == 0) {
                for (int column = 0; column < 2; ++column) {
                    QFont bold = list_->item(row, column)->font();
                    bold.setBold(true);
                    list_->item(row, column)->setFont(bold);
                }
                break;
            }
        }
    }
    NotifyOwner(kSelectorReapply);
    if (counted == 1 && currentCard == 0) {
        // The only card connects without asking.
        NotifyOwner(kSelectorConnect);
        endDialog(QDialog::Accepted);
    }
    return counted;
}

int CAliasDlg::RunModal() {
    earlyResult_ = -1;
    runningModal_ = true;
    if (!IsCreated()) {
        refreshOnInit = true;
        Create(parentWidget());
    } else {
        Refresh();
    }
    int result = earlyResult_;
    if (result < 0)
        result = exec();
    runningModal_ = false;
    return result;
}

void CAliasDlg::endDialog(int result) {
    if (runningModal_ && !isVisible())
        earlyResult_ = result;
    if (runningModal_ && isVisible()) {
        done(result);
        return;
    }
    ending_ = true;
    close();
    ending_ = false;
}

void CAliasDlg::closeEvent(QCloseEvent* event) {
    // While Cancel is offered the channel is released: the window's close button
    // is Cancel then, or the channel would stay released with nothing to take it.
    if (!ending_ && cancelButton_ && cancelButton_->isEnabled()) {
        NotifyOwner(kSelectorCancel);
        if (runningModal_) {
            event->ignore();
            done(QDialog::Rejected);
            return;
        }
    }
    CFloatingDlg::closeEvent(event);
}

void CAliasDlg::connectRow(int row) {
    if (row < 0 || uint32_t(row) >= cardCount || row >= locations.size())
        return;
    selectedIndex = uint32_t(row);
    NotifyOwner(kSelectorConnect);
    endDialog(QDialog::Accepted);
}

void CAliasDlg::cancel() {
    NotifyOwner(kSelectorCancel);
    endDialog(QDialog::Rejected);
}

void CAliasDlg::editAlias() {
    const int row = list_->currentRow();
    if (row < 0 || row >= locations.size())
        return;
    CEditAliasDlg editor(this);
    editor.SetTexts(locations[row], aliases[row]);
    if (editor.exec() != QDialog::Accepted)
        return;
    const QString alias = editor.alias();
    list_->item(row, 1)->setText(alias);
    for (const grabber::CardEntry& card : grabber::EnumerateCards()) {
        if (QString::fromStdString(card.location) == locations[row]) {
            grabber::SetCardAlias(card.cardId, alias.toStdU16String());
            break;
        }
    }
    aliases[row] = alias;
    NotifyOwner(kSelectorReapply);
}
