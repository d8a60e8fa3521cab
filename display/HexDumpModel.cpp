#include "display/HexDumpModel.h"

namespace display {

HexDumpModel::HexDumpModel(CellSource source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)), font_(QStringLiteral("Courier New")) {
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    boldFont_ = font_;
    boldFont_.setWeight(QFont::Bold);
}

void HexDumpModel::SetImageSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    beginResetModel();
    width_ = width;
    height_ = height;
    endResetModel();
}

void HexDumpModel::Refresh() {
    if (width_ > 0 && height_ > 0)
        emit dataChanged(index(0, 0), index(height_ - 1, width_ - 1));
}

int HexDumpModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : height_;
}

int HexDumpModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : width_;
}

QVariant HexDumpModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return source_(index.column(), index.row()).text;
        case Qt::ToolTipRole: {
            const QString tip = source_(index.column(), index.row()).tip;
            return tip.isEmpty() ? QVariant() : QVariant(tip);
        }
        case Qt::BackgroundRole:
            return source_(index.column(), index.row()).background;
        case Qt::ForegroundRole:
            return source_(index.column(), index.row()).foreground;
        case Qt::FontRole:
            return font_;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case kWidestTextRole:
            return source_(index.column(), index.row()).widest;
        default:
            return {};
    }
}

QVariant HexDumpModel::headerData(int section, Qt::Orientation, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return HeaderText(section);
        case Qt::FontRole:
            return boldFont_;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        default:
            return {};
    }
}

Qt::ItemFlags HexDumpModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace display
