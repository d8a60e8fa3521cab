#include "camera/CCustomTapConfig.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "camera/TapConfigFields.h"
#include "grabber/Grabber.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"

CCustomTapConfig::CCustomTapConfig(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Custom tap config"));
    grabber::SetTapFormat(1, tapConfig);
    // Whatever rows were read are shown, even when the set is incomplete.
    LoadPropertySet(res::IDR_TAP_PROPERTY_SET, properties_);

    grid_ = new QTableWidget(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomTapConfig::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCustomTapConfig::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(buttons);
    BuildGrid();
    resize(420, 400);
}

CCustomTapConfig::~CCustomTapConfig() = default;

bool CCustomTapConfig::Edit(QWidget* parent, TapConfig& config) {
    CCustomTapConfig dialog(parent);
    dialog.tapConfig = config;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    config = dialog.tapConfig;
    return true;
}

void CCustomTapConfig::BuildGrid() {
    const auto rows = properties_.ByRow();
    grid_->setColumnCount(int(properties_.Columns().size()));
    grid_->setHorizontalHeaderLabels(properties_.Columns());
    grid_->setRowCount(int(rows.size()));
    grid_->verticalHeader()->hide();
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    if (grid_->columnCount() < 2)
        return;
    for (int r = 0; r < int(rows.size()); ++r) {
        auto* label = new QTableWidgetItem(rows[r]->label);
        label->setFlags(Qt::ItemIsEnabled);
        grid_->setItem(r, 0, label);
        if (rows[r]->type == PROPERTY_NUMERIC) {
            grid_->setItem(r, 1, new QTableWidgetItem());
        } else {
            auto* list = new QComboBox(grid_);
            list->addItems(static_cast<const CListProperty*>(rows[r])->options);
            grid_->setCellWidget(r, 1, list);
        }
    }
    grid_->resizeColumnToContents(0);
    grid_->horizontalHeader()->setStretchLastSection(true);
}

QString CCustomTapConfig::CellText(int row) const {
    if (auto* list = qobject_cast<QComboBox*>(grid_->cellWidget(row, 1)))
        return list->currentText();
    const QTableWidgetItem* item = grid_->item(row, 1);
    return item ? item->text() : QString();
}

void CCustomTapConfig::SetCellText(int row, const QString& text) {
    if (auto* list = qobject_cast<QComboBox*>(grid_->cellWidget(row, 1)))
        list->setCurrentIndex(list->findText(text));
    else if (QTableWidgetItem* item = grid_->item(row, 1))
        item->setText(text);
}

void CCustomTapConfig::LoadGrid() {
    TapConfig working = tapConfig;
    for (size_t i = 0; i < tapconfig::kFieldKeys.size(); ++i)
        if (const CPropertyObject* p = properties_.Find(QLatin1String(tapconfig::kFieldKeys[i])))
            SetCellText(p->row - 1, tapconfig::CellText(*p, tapconfig::Field(working, i)));
    if (const auto broken = tapconfig::BrokenTapRule(working))
        appkit::ShowMessage(this, *broken);
}

bool CCustomTapConfig::SaveGrid() {
    TapConfig working = tapConfig;
    for (size_t i = 0; i < tapconfig::kFieldKeys.size(); ++i) {
        const CPropertyObject* p = properties_.Find(QLatin1String(tapconfig::kFieldKeys[i]));
        if (!p)
            continue;
        const auto value = tapconfig::CellValue(*p, CellText(p->row - 1));
        if (!value)
            return false;
        tapconfig::Field(working, i) = *value;
    }
    if (const auto broken = tapconfig::BrokenTapRule(working)) {
        appkit::ShowMessage(this, *broken);
        return false;
    }
    tapConfig = working;
    return true;
}

void CCustomTapConfig::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The grid shows the configuration the opener set after construction.
    if (!loaded_) {
        loaded_ = true;
        LoadGrid();
    }
}

void CCustomTapConfig::accept() {
    if (SaveGrid())
        QDialog::accept();
}
