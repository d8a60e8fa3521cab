// Saves a picture of a widget for a person to look at, when GLINTRAIL_SCREENSHOT_DIR names a folder.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdlib>

inline void SaveScreenshot(QWidget& widget, const char* name) {
    if (const char* folder = std::getenv("GLINTRAIL_SCREENSHOT_DIR"))
        widget.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name) + ".png");
}
