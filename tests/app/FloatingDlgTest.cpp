#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include "StoredProfile.h"
#include "kit/CFloatingDlg.h"

using appkit::WindowPlacement;

class ProbeDlg : public CFloatingDlg {
    Q_OBJECT
public:
    explicit ProbeDlg(int startShown = 0) {
        shown = startShown;
        setMinimumSize(200, 120);
    }
    int GetID() const override { return 999; }
};

namespace {

using FloatingDlgTest = EmptyProfileTest;

// The override beats a stored show state; without one the dialog's own state decides.
TEST_F(FloatingDlgTest, ShowOverrideStoredStateAndOwnState) {
    constexpr uint32_t kNone = 99;
    struct Case {
        uint32_t stored;
        int startShown, showOverride;
        bool visible;
    };
    for (const Case& c :
         {Case{kNone, 0, 0, false}, Case{kNone, 1, 0, true}, Case{kNone, 0, 1, true}, Case{kNone, 0, 2, true},
          Case{kNone, 1, -1, false}, Case{WindowPlacement::kShow, 0, 0, true},
          Case{WindowPlacement::kHide, 0, 0, false}, Case{WindowPlacement::kHide, 0, 1, true},
          Case{WindowPlacement::kShow, 0, -1, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "stored " << c.stored << " shown " << c.startShown << " override " << c.showOverride);
        StoredProfile().clear();
        if (c.stored != kNone)
            StorePlacement("ProbeDlg", 10, 10, 100, 100, c.stored);
        ProbeDlg dlg(c.startShown);
        dlg.showOverride = c.showOverride;
        ASSERT_TRUE(dlg.Create(nullptr));
        EXPECT_EQ(dlg.isVisible(), c.visible);
        EXPECT_EQ(dlg.shown, c.visible ? 1 : 0);
    }
}

TEST_F(FloatingDlgTest, StoredPlacementMovesButNeverResizes) {
    ProbeDlg reference;
    reference.Create(nullptr);
    const QSize templateSize = reference.size();
    StoredProfile().clear();

    StorePlacement("ProbeDlg", 40, 50, 999, 777, WindowPlacement::kShow);
    ProbeDlg dlg;
    dlg.Create(nullptr);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.pos(), QPoint(40, 50));
    EXPECT_EQ(dlg.size(), templateSize);
}

TEST_F(FloatingDlgTest, ShowingMovesTheDialogIntoTheWorkArea) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    StorePlacement("ProbeDlg", work.right() + 500, work.bottom() + 500, 100, 100, WindowPlacement::kShow);
    ProbeDlg dlg;
    dlg.Create(nullptr);
    ASSERT_TRUE(dlg.isVisible());
    EXPECT_TRUE(work.contains(dlg.frameGeometry())) << "left " << dlg.frameGeometry().left();
}

TEST(WorkArea, MoveIntoWorkAreaKeepsTheWindowWhole) {
    const QRect work(0, 0, 1000, 800);
    struct Case {
        QRect frame;
        QPoint expected;
    };
    for (const Case& c : {Case{{100, 100, 200, 100}, {100, 100}}, Case{{900, 750, 200, 100}, {800, 700}},
                          Case{{-50, -20, 200, 100}, {0, 0}}, Case{{100, 100, 1200, 900}, {0, 0}}})
        EXPECT_EQ(appkit::MoveIntoWorkArea(c.frame, work), c.expected) << c.frame.x() << "," << c.frame.y();
}

// Two screens side by side, the second lower and smaller.
TEST(WorkArea, NearestWorkAreaOfAFrame) {
    const QRect left(0, 0, 1000, 800), right(1000, 200, 800, 600);
    struct Case {
        const char* name;
        QRect frame;
        QRect expected;
    };
    for (const Case& c : {Case{"inside the second", {1200, 300, 100, 100}, right},
                          Case{"mostly on the first", {900, 300, 200, 100}, left},
                          Case{"mostly on the second", {950, 300, 200, 100}, right},
                          Case{"beyond the right edge", {2500, 500, 100, 100}, right},
                          Case{"below the first only", {100, 1500, 100, 100}, left},
                          Case{"far above, nearer the first", {-400, -900, 100, 100}, left}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(appkit::NearestWorkArea(c.frame, {left, right}), c.expected);
    }
    EXPECT_TRUE(appkit::NearestWorkArea({0, 0, 10, 10}, {}).isNull()) << "no screen";
}

TEST_F(FloatingDlgTest, ClosingHidesAndTheKeysDoNothing) {
    ProbeDlg dlg(1);
    dlg.Create(nullptr);
    ASSERT_TRUE(dlg.isVisible());
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &press);
        EXPECT_TRUE(dlg.isVisible()) << key;
    }
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.shown, 0);
    dlg.show();
    EXPECT_EQ(dlg.shown, 1);
}

TEST_F(FloatingDlgTest, GoingAwayStoresThePlacementWithTheShowState) {
    for (bool visible : {true, false}) {
        StoredProfile().clear();
        {
            ProbeDlg dlg(visible ? 1 : 0);
            dlg.Create(nullptr);
            dlg.move(30, 40);
        }
        const auto stored = WindowPlacement::fromBytes(
            appkit::Profile::GetBinary(appkit::kFloatingWindowsSection, QStringLiteral("ProbeDlg")));
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->showCmd, visible ? WindowPlacement::kShow : WindowPlacement::kHide);
        EXPECT_EQ(QPoint(stored->left, stored->top), QPoint(30, 40));
    }
}

TEST(WindowPlacementRecord, RoundTripsAndRejectsOtherSizes) {
    WindowPlacement p;
    p.showCmd = 5, p.left = -10, p.top = 20, p.right = 300, p.bottom = 400;
    const QByteArray bytes = p.toBytes();
    ASSERT_EQ(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4), QByteArray("\x2c\0\0\0", 4));
    const auto back = WindowPlacement::fromBytes(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->left, -10);
    EXPECT_EQ(back->bottom, 400);
    EXPECT_EQ(back->showCmd, 5u);
    EXPECT_FALSE(WindowPlacement::fromBytes(bytes.left(40)));
    EXPECT_FALSE(WindowPlacement::fromBytes(QByteArray(44, '\0')));
}

}  // namespace

#include "FloatingDlgTest.moc"
