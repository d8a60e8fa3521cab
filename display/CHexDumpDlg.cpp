#include "display/CHexDumpDlg.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The size of a cell's text in `font`, with the margins a cell draws around it.
QSize CellExtent(const QFont& font, const QString& text) {
    const QRect box = QFontMetrics(font).boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignCenter, text);
    return box.size() + QSize(10, 6);
}

// Selected cells keep their pixel colour and text colour under a translucent
// highlight, so the selection never hides what it selects.
class PixelCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (option.state & QStyle::State_Selected)
            painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
        QStyledItemDelegate::paint(painter, option, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->palette.setColor(QPalette::HighlightedText, index.data(Qt::ForegroundRole).value<QColor>());
        option->palette.setColor(QPalette::Highlight, QColor(0, 120, 215, 90));
    }
};

}  // namespace

CHexDumpDlg::CHexDumpDlg(display::HexDumpModel::CellSource cells, std::function<void(QRect)> onSelection,
                         QWidget* parent)
    : CFloatingDlg(parent),
      model_(new display::HexDumpModel(std::move(cells), this)),
      onSelection_(std::move(onSelection)) {}

void CHexDumpDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("Hex dump"));
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("1103"));
    grid_->setModel(model_);
    grid_->setItemDelegate(new PixelCellDelegate(grid_));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setMinimumSectionSize(1);
    grid_->verticalHeader()->setMinimumSectionSize(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid_);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CHexDumpDlg::PassOnSelection);
    resize(567, 434);  // the dialog template's 378 x 267 units
    Fit();
}

void CHexDumpDlg::SetImageSize(int width, int height) {
    model_->SetImageSize(width, height);
    // A new format may have wider cells (colour takes three lines).
    Fit();
    if (isVisible())
        model_->Refresh();
}

void CHexDumpDlg::Refresh(bool fit) {
    if (fit)
        Fit();
    model_->Refresh();
}

void CHexDumpDlg::Fit() {
    if (!grid_)
        return;
    const int columns = model_->columnCount();
    const int rows = model_->rowCount();
    QFont bold = model_->cellFont();
    bold.setWeight(QFont::Bold);
    const QSize lastColumn = CellExtent(bold, display::HeaderText(std::max(columns - 1, 0)));
    const QSize lastRow = CellExtent(bold, display::HeaderText(std::max(rows - 1, 0)));
    const QSize body = CellExtent(
        model_->cellFont(),
        rows && columns ? model_->data(model_->index(0, 0), display::HexDumpModel::kWidestTextRole).toString()
                        : QString());
    grid_->horizontalHeader()->setFixedHeight(lastColumn.height());
    grid_->verticalHeader()->setFixedWidth(lastRow.width());
    grid_->horizontalHeader()->setDefaultSectionSize(std::max(body.width(), lastColumn.width()));
    grid_->verticalHeader()->setDefaultSectionSize(std::max(body.height(), lastRow.height()));
    PassOnSelection();
}

// It opens on a useful block of pixels; while shown, its size is the user's.
void CHexDumpDlg::showEvent(QShowEvent* event) {
    GrowToShowCells(kCellsShown);
    CFloatingDlg::showEvent(event);
}

void CHexDumpDlg::GrowToShowCells(int cells) {
    if (!grid_)
        return;
    const int frame = 2 * grid_->frameWidth();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize wanted(grid_->verticalHeader()->minimumWidth() +
                     cells * grid_->horizontalHeader()->defaultSectionSize() + frame + bar,
                 grid_->horizontalHeader()->minimumHeight() +
                     cells * grid_->verticalHeader()->defaultSectionSize() + frame + bar);
    if (const QScreen* s = screen())
        wanted = wanted.boundedTo(s->availableGeometry().size() * 9 / 10);
    resize(size().expandedTo(wanted));
}

void CHexDumpDlg::ScrollToPixel(QPoint p) {
    if (!grid_)
        return;
    // The grid scrolls by whole cells: the scroll value is the first visible one.
    grid_->horizontalScrollBar()->setValue(p.x());
    grid_->verticalScrollBar()->setValue(p.y());
    grid_->viewport()->update();
}

void CHexDumpDlg::SelectPixels(const QRect& pixels) {
    if (!grid_)
        return;
    const QRect clipped =
        pixels.normalized().intersected(QRect(0, 0, model_->columnCount(), model_->rowCount()));
    if (clipped.isEmpty()) {
        grid_->selectionModel()->clearSelection();
        return;
    }
    const QItemSelection range(model_->index(clipped.top(), clipped.left()),
                               model_->index(clipped.bottom(), clipped.right()));
    grid_->selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
}

QRect CHexDumpDlg::SelectedPixels() const {
    if (!grid_)
        return {};
    QRect bounds;
    for (const QItemSelectionRange& r : grid_->selectionModel()->selection())
        bounds |= QRect(QPoint(r.left(), r.top()), QPoint(r.right(), r.bottom()));
    return bounds;
}

void CHexDumpDlg::PassOnSelection() {
    const QRect selected = SelectedPixels();
    if (!selected.isNull() && onSelection_)
        onSelection_(selected);
}

void CHexDumpDlg::resizeEvent(QResizeEvent* event) {
    CFloatingDlg::resizeEvent(event);
    PassOnSelection();
}

void CHexDumpDlg::closeEvent(QCloseEvent* event) {
    CFloatingDlg::closeEvent(event);
    if (onSelection_)
        onSelection_(QRect(QPoint(-1, -1), QPoint(-1, -1)));
}
