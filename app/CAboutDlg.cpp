#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/AboutTexts.h"
#include "grabber/Grabber.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

// A dialog's frame: a title and a close button, no minimise or maximise.
CAboutDlg::CAboutDlg(uint64_t card, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About ") + res::LoadString(res::IDS_APP_NAME));
    const grabber::Versions v = grabber::GetVersions(card);
    uint32_t image = 0;
    grabber::GetFirmwareImage(card, &image);

    auto* icon = new QLabel;
    icon->setPixmap(res::applicationIcon().pixmap(48, 48));
    auto* title = new QLabel(
        QStringLiteral("<b>%1</b><br>Copyright \u00A9 Korvan").arg(res::LoadString(res::IDS_APP_NAME)));

    auto* form = new QFormLayout;
    auto addRow = [&](int controlId, const QString& label, const QString& text) {
        auto* value = new QLabel(text);
        value->setObjectName(QString::number(controlId));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, value);
    };
    addRow(1137, QStringLiteral("Application version:"),
           app::FormatVersionPair(app::ProductVersionMS(), app::ProductVersionLS()));
    addRow(1138, QStringLiteral("Library version:"),
           app::FormatVersionPair(v.libraryVersion, v.libraryBuild));
    addRow(1139, QStringLiteral("Driver version:"), app::FormatVersionPair(v.driverVersion, v.driverBuild));
    addRow(1140, QStringLiteral("Firmware revision:"), app::FormatFirmware(v.firmware));
    addRow(1141, QStringLiteral("Firmware image:"), app::FormatFirmwareImage(image));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    head->addWidget(title, 1);
    head->setSpacing(12);
    form->setHorizontalSpacing(16);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->setSpacing(14);
    layout->addLayout(head);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // Sized by its contents, and wide enough that the caption shows whole.
    // The window system's caption font is unknown here: a bold application font
    // and room for the close button and the frame's icon stand in for it.
    QFont caption = font();
    caption.setBold(true);
    layout->addStrut(QFontMetrics(caption).horizontalAdvance(windowTitle()) + 120);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
