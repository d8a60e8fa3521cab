// "Custom tap config": the eleven TapConfig fields as an editable property grid.
#pragma once

#include <QDialog>

#include "camera/PropertySet.h"
#include "zamgrb.h"

class QTableWidget;

class CCustomTapConfig : public QDialog {
    Q_OBJECT
public:
    explicit CCustomTapConfig(QWidget* parent = nullptr);
    ~CCustomTapConfig() override;

    // The configuration being edited: set it before exec(), read it after OK.
    TapConfig tapConfig{};

    // Runs the dialog on a copy of `config`; on OK the edited copy replaces it.
    static bool Edit(QWidget* parent, TapConfig& config);

    QTableWidget* grid() const { return grid_; }
    const CPropertyMap& properties() const { return properties_; }

    // Reads the grid into tapConfig; false, and tapConfig unchanged, when a cell
    // cannot be read or a tap rule is broken (its message shown).
    bool SaveGrid();

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildGrid();
    void LoadGrid();
    QString CellText(int row) const;
    void SetCellText(int row, const QString& text);

    CPropertyMap properties_;
    QTableWidget* grid_ = nullptr;
    bool loaded_ = false;
};
