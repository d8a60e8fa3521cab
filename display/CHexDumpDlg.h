// The hex pixel dump: a tool window with one table cell per pixel of the current
// image, in hexadecimal and coloured like the pixel. Its cell selection and the
// view's selection frame follow each other.
#pragma once

#include <QRect>
#include <functional>

#include "display/HexDumpModel.h"
#include "kit/CFloatingDlg.h"

class QTableView;

class CHexDumpDlg : public CFloatingDlg {
    Q_OBJECT
public:
    // `onSelection` receives the selected pixels (inclusive corners), or the
    // rectangle (-1, -1, -1, -1) when the window closes.
    CHexDumpDlg(display::HexDumpModel::CellSource cells, std::function<void(QRect)> onSelection,
                QWidget* parent = nullptr);

    int GetID() const override { return 115; }

    // A new image size (re-layout); a new frame (fitting the cells first when the
    // pixel data block is new).
    void SetImageSize(int width, int height);
    void Refresh(bool fit);
    // Column and row sizes from the text of the widest cells.
    void Fit();
    // Makes pixel p the first visible body cell; the dialog must be shown (a grid
    // not yet laid out has no scroll range).
    void ScrollToPixel(QPoint p);
    // Selects the pixels of `pixels` (inclusive corners), clipped to the image.
    void SelectPixels(const QRect& pixels);
    // The selected pixels' bounding rectangle; null when nothing is selected.
    QRect SelectedPixels() const;

    QTableView* grid() const { return grid_; }
    display::HexDumpModel* model() const { return model_; }

protected:
    void OnInitDialog() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void PassOnSelection();
    // Grows the window (within the screen) to show `cells` x `cells` body cells.
    void GrowToShowCells(int cells);
    static constexpr int kCellsShown = 16;

    display::HexDumpModel* model_;
    QTableView* grid_ = nullptr;
    std::function<void(QRect)> onSelection_;
};
