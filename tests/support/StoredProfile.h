// The viewer's profile as the widget tests see it, with the placements of its windows.
#pragma once

#include <gtest/gtest.h>

#include <QSettings>

#include "kit/CFloatingDlg.h"
#include "kit/Profile.h"
#include "kit/WindowPlacement.h"

inline QSettings StoredProfile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, appkit::kOrganization, appkit::kApplication);
}

// The placement the window of this class finds when it is created.
inline void StorePlacement(const QString& window, int left, int top, int width, int height,
                           uint32_t showCmd) {
    appkit::WindowPlacement p;
    p.showCmd = showCmd, p.left = left, p.top = top, p.right = left + width, p.bottom = top + height;
    appkit::Profile::WriteBinary(appkit::kFloatingWindowsSection, window, p.toBytes());
}

// Cases that start and end with an empty profile, also when a binary runs them all.
class EmptyProfileTest : public ::testing::Test {
protected:
    void SetUp() override { StoredProfile().clear(); }
    void TearDown() override { StoredProfile().clear(); }
};
