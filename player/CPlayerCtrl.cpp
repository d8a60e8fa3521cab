#include "player/CPlayerCtrl.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "kit/MessageBox.h"
#include "player/PlayerFiles.h"
#include "player/PlayerSteps.h"

using namespace player;

namespace {

struct Transport {
    int id;
    const char* text;
    const char* tip;
    bool checkable;
};
constexpr Transport kTransport[] = {
    {IDC_REWIND, "<<", "Rewind", true},
    {IDC_STEP_BACK, "<|", "Step Back", false},
    {IDC_PLAY, ">", "Play", true},
    {IDC_STEP_FORWARD, "|>", "Step Forward", false},
    {IDC_FAST_FORWARD, ">>", "Fast Forward", true},
    {IDC_STOP, "Stop", "Stop", false},
};

struct SizeChoice {
    int id;
    const char* text;
};
constexpr SizeChoice kSizes[] = {
    {IDC_FULL_FRAME, "Full frame"}, {IDC_HALF_FRAME, "1/2 frame"}, {IDC_QUARTER_FRAME, "1/4 frame"}};

QSettings playerProfile() {
    return QSettings(kPlayerOrganization, kPlayerApplication);
}

// Controls without a tip of their own show their identifier.
template <typename W>
W* named(W* widget, int id) {
    widget->setObjectName(QString::number(id));
    widget->setToolTip(QStringLiteral("Control %1").arg(id));
    return widget;
}

}  // namespace

CPlayerCtrl::CPlayerCtrl(int sizeChoice, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Player Control"));
    auto* layout = new QVBoxLayout(this);
    auto* folderRow = new QHBoxLayout;
    folder_ = named(new QLineEdit(this), IDC_FOLDER);
    auto* browseButton = named(new QPushButton(QStringLiteral("..."), this), IDC_BROWSE);
    browseButton->setAutoDefault(false);
    folderRow->addWidget(folder_);
    folderRow->addWidget(browseButton);
    layout->addLayout(folderRow);
    list_ = named(new QListWidget(this), IDC_FILE_LIST);
    layout->addWidget(list_);

    auto* sizeRow = new QHBoxLayout;
    auto* sizeGroup = new QButtonGroup(this);
    for (const SizeChoice& s : kSizes) {
        auto* radio = named(new QRadioButton(QString::fromLatin1(s.text), this), s.id);
        radio->setChecked(s.id == sizeChoice);
        sizeGroup->addButton(radio, s.id);
        sizeRow->addWidget(radio);
        buttons_.insert(s.id, radio);
    }
    layout->addLayout(sizeRow);
    connect(sizeGroup, &QButtonGroup::idClicked, this, [this](int id) { emit command(id, true); });

    auto* transportRow = new QHBoxLayout;
    for (const Transport& t : kTransport) {
        auto* button = new QPushButton(QString::fromLatin1(t.text), this);
        button->setObjectName(QString::number(t.id));
        button->setToolTip(QString::fromLatin1(t.tip));
        button->setCheckable(t.checkable);
        button->setAutoDefault(false);
        transportRow->addWidget(button);
        buttons_.insert(t.id, button);
        connect(button, &QPushButton::clicked, this,
                [this, id = t.id](bool checked) { emit command(id, checked); });
    }
    layout->addLayout(transportRow);

    connect(browseButton, &QPushButton::clicked, this, &CPlayerCtrl::browse);
    connect(folder_, &QLineEdit::textChanged, this, &CPlayerCtrl::fillList);
    connect(list_, &QListWidget::currentRowChanged, this, &CPlayerCtrl::select);

    QString folder = playerProfile().value(QLatin1String(kPlayerFolderValue)).toString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    SetFolder(folder);
}

CPlayerCtrl::~CPlayerCtrl() {
    playerProfile().setValue(QLatin1String(kPlayerFolderValue), Folder());
}

QString CPlayerCtrl::Folder() const {
    return folder_->text();
}

void CPlayerCtrl::SetFolder(const QString& folder) {
    if (folder_->text() == folder)
        fillList();  // the same folder is listed again
    else
        folder_->setText(folder);
}

void CPlayerCtrl::fillList() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    list_->addItems(ListPlayableFiles(Folder()));
    list_->setCurrentRow(-1);
}

void CPlayerCtrl::browse() {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Browse for folder"), Folder());
    if (chosen.isEmpty())
        return;  // cancelled
    if (!QFileInfo(chosen).isDir()) {
        appkit::ShowMessage(this, QStringLiteral("Unacceptable folder selected."));
        return;
    }
    SetFolder(chosen);
}

void CPlayerCtrl::select(int row) {
    if (row >= 0)
        emit showFile(PathInFolder(Folder(), list_->item(row)->text()));
}

int CPlayerCtrl::OnRequest(int request) {
    if (request != kNext && request != kPrevious)
        return 1;
    const int count = list_->count(), selected = list_->currentRow();
    const Step step = request == kNext ? NextStep(count, selected) : PreviousStep(count, selected);
    if (step.row >= 0)
        list_->setCurrentRow(step.row);  // shows the entry
    return step.answer;
}

void CPlayerCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPlayerCtrl::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}
