// The hex dump's table: one cell per pixel, produced on request. Nothing is
// stored per cell, so an image of millions of pixels costs nothing until the
// cells are shown. Row r, column c is pixel (c, r); the headers carry the
// 1-based numbers.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <functional>

#include "display/HexCells.h"

namespace display {

class HexDumpModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using CellSource = std::function<HexCell(int x, int y)>;
    // The widest text of the cells' format (HexCell::widest).
    static constexpr int kWidestTextRole = Qt::UserRole;

    explicit HexDumpModel(CellSource source, QObject* parent = nullptr);

    // Image width and height: the column and row counts.
    void SetImageSize(int width, int height);
    // Every cell changed (a new frame).
    void Refresh();
    const QFont& cellFont() const { return font_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    CellSource source_;
    int width_ = 0;
    int height_ = 0;
    QFont font_;
    QFont boldFont_;
};

}  // namespace display
