// The main frame's side of the lookup-table commands, for the table tests.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <deque>

#include "LutTestFiles.h"
#include "analysis/LutController.h"
#include "grabber/Grabber.h"
#include "kit/Profile.h"

// One description, a scripted settings dialog, recorded messages.
class LutCommands : public ::testing::Test {
protected:
    void SetUp() override {
        appkit::Profile::WriteInt(lut::kSettingsSection, "UseLUT", 0);
        appkit::Profile::WriteString(lut::kSettingsSection, "LUTFileName", {});
        good_ = files_.Write("good.lut", luttest::Table(":Table", 0, 4095, [](int i) { return 4095 - i; }));
        other_ = files_.Write("other.lut", luttest::Table(":Table", 0, 4095, [](int i) { return i / 2; }));
        bad_ = files_.Write("bad.lut", {":Table", "1,2"});
    }

    lut::LutController Make(const QString& defaultFile = {}) {
        lut::LutHost host;
        host.imageBitDepth = [this] { return description_.config.bitDepth; };
        host.attach = [this](const lut::LutAttachment& attachment) {
            description_.lutLevels = attachment.levels;
            description_.lutValues = attachment.values;
            owner_ = attachment.owner;
        };
        host.runDialog =
            [this](const lut::LutDialogRequest& request) -> std::optional<lut::LutDialogRequest> {
            shown_.push_back(request);
            if (answers_.empty())
                return std::nullopt;
            const auto answer = answers_.front();
            answers_.pop_front();
            return answer;
        };
        host.showMessage = [this](const QString& text) { messages_ << text; };
        return lut::LutController(std::move(host), defaultFile);
    }

    // The record is packed: its pointers are read by value, never bound by reference.
    const int32_t* levels() const { return description_.lutLevels; }
    const int32_t* values() const { return description_.lutValues; }

    luttest::LutFiles files_;
    QString good_, other_, bad_;
    CameraDescription description_ = [] {
        CameraDescription d = grabber::DefaultCameraDescription();
        d.config.bitDepth = 12;
        return d;
    }();
    std::shared_ptr<const void> owner_;                         // what the image keeps beside the description
    std::deque<std::optional<lut::LutDialogRequest>> answers_;  // nullopt: Cancel
    std::vector<lut::LutDialogRequest> shown_;
    QStringList messages_;
};
