// The hex dump window: its table, its cells, and the selection it shares with
// the view.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <tuple>

#include "ViewSupport.h"
#include "display/CHexDumpDlg.h"
#include "res/ResourceIds.h"

TEST(HexDump, VirtualTableOverAMillionsOfPixelsImage) {
    ViewFixture f;
    f.image.description = testimages::Description(2048, 2048, 8);
    f.view->OnUpdate(nullptr, 0, nullptr);
    testimages::Fill(f.image, f.image.description, 1, 1, [](int x, int, int) { return uint32_t(x) & 0xFF; });
    f.view->OnCommand(res::ID_HEX_DUMP);
    CHexDumpDlg* hex = f.view->hexDump();
    ASSERT_TRUE(hex);
    EXPECT_TRUE(hex->isVisible());
    const display::HexDumpModel& m = *hex->model();
    EXPECT_EQ(m.rowCount(), 2048);
    EXPECT_EQ(m.columnCount(), 2048);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("1"));
    EXPECT_EQ(m.headerData(2047, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("2048"));
    EXPECT_TRUE(m.headerData(0, Qt::Vertical, Qt::FontRole).value<QFont>().bold());

    const QModelIndex a5 = m.index(3, 0xA5);  // the cell's texts and colours are HexCellTest's
    EXPECT_EQ(m.data(a5, Qt::DisplayRole).toString(), QStringLiteral("A5"));
    EXPECT_TRUE(m.data(a5, Qt::FontRole).value<QFont>().fixedPitch());

    // Every body column is as wide as the widest text it may hold.
    const int width = hex->grid()->horizontalHeader()->sectionSize(1000);
    EXPECT_EQ(width, hex->grid()->horizontalHeader()->sectionSize(0));
    EXPECT_GE(width, QFontMetrics(m.cellFont()).horizontalAdvance(QStringLiteral("2048")));

    hex->ScrollToPixel(QPoint(700, 900));
    EXPECT_EQ(hex->grid()->columnAt(0), 700);
    EXPECT_EQ(hex->grid()->rowAt(0), 900);
}

TEST(HexDump, SelectionFollowsBothWaysAndCloseClearsTheFrame) {
    ViewFixture f(64, 48);
    f.view->OnCommand(res::ID_HEX_DUMP);
    CHexDumpDlg* hex = f.view->hexDump();
    ASSERT_TRUE(hex);
    hex->SelectPixels(QRect(QPoint(3, 4), QPoint(6, 9)));
    EXPECT_EQ(f.view->selectionAnchor(), QPoint(3, 4));
    EXPECT_EQ(f.view->selectionEnd(), QPoint(6, 9));

    hex->close();
    EXPECT_FALSE(hex->isVisible());
    EXPECT_EQ(f.view->selectionAnchor(), QPoint(-1, -1));
    EXPECT_EQ(f.view->selectionEnd(), QPoint(-1, -1));
    const QImage shot = f.Render();
    for (int x = 0; x < 40; ++x)
        ASSERT_NE(shot.pixel(x, 8), qRgb(255, 255, 0)) << "no yellow frame after close at " << x;

    // The toggle shows it again and, when shown, hides it and drops the anchor.
    f.view->OnCommand(res::ID_HEX_DUMP);
    EXPECT_TRUE(hex->isVisible());
    f.view->OnCommand(res::ID_HEX_DUMP);
    EXPECT_FALSE(hex->isVisible());
}

TEST(HexDump, CellsFollowTheFormatAndTheFrames) {
    ViewFixture f;
    f.image.description = testimages::Description(3, 2, 24);
    f.view->OnUpdate(nullptr, 0, nullptr);
    f.view->OnCommand(res::ID_HEX_DUMP);
    const display::HexDumpModel& m = *f.view->hexDump()->model();
    EXPECT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.data(m.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("R   \nG   \nB   "));
    testimages::Fill(f.image, f.image.description, 4, 1, [](int, int, int c) {
        return c == 0 ? 0xFFu : c == 1 ? 0x80u : c == 2 ? 0x10u : 0u;
    });
    EXPECT_EQ(m.data(m.index(1, 2), Qt::DisplayRole).toString(), QStringLiteral("R 10\nG 80\nB FF"));
    EXPECT_EQ(m.data(m.index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(0x10, 0x80, 0xFF));
}

// Every cell's text shows whole (colour on three lines) after any change of format.
TEST(HexDump, CellsFitTheirTextForEveryFormat) {
    ViewFixture f;
    for (const auto& [bits, colour, channels, bytes, sample] : {std::tuple{8, ZAMGRB_COLOR_NONE, 1, 1, 0xFFu},
                                                                {16, ZAMGRB_COLOR_NONE, 1, 2, 0xFFFFu},
                                                                {24, ZAMGRB_COLOR_NONE, 4, 1, 0xFFu},
                                                                {12, ZAMGRB_COLOR_BAYER, 4, 2, 0xFFFu}}) {
        f.image.description = testimages::Description(64, 48, bits, uint8_t(colour));
        f.view->OnUpdate(nullptr, 0, nullptr);
        testimages::Fill(f.image, f.image.description, channels, bytes,
                         [&](int, int, int) { return sample; });
        f.view->OnCommand(res::ID_HEX_DUMP);
        QTableView& grid = *f.view->hexDump()->grid();
        const QString text = grid.model()->index(5, 5).data().toString();
        const QSize needed = QFontMetrics(f.view->hexDump()->model()->cellFont())
                                 .boundingRect(QRect(0, 0, 999, 999), 0, text)
                                 .size();
        EXPECT_TRUE(grid.columnWidth(5) >= needed.width() && grid.rowHeight(5) >= needed.height()) << bits;
        f.view->OnCommand(res::ID_HEX_DUMP);  // hidden: the next format opens it anew
    }
}
