// The lookup table in use: loading, attaching to the current image, the two
// commands (settings dialog, toolbar toggle) and the start-up and shut-down
// settings. The main frame owns one and wires its commands to it; everything it
// needs from the main frame comes through LutHost.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/LutTables.h"

namespace lut {

// What the settings dialog starts with and what OK answers.
struct LutDialogRequest {
    QString fileName;
    bool enable = false;
};

// The arrays to attach to the current image, and their owner: whoever holds the
// arrays keeps `owner` as long as it uses them (for example with each frame queued
// for capture).
struct LutAttachment {
    const int32_t* levels = nullptr;
    const int32_t* values = nullptr;
    std::shared_ptr<const LutTableSet> owner;
};

struct LutHost {
    // bitDepth of the current image's description.
    std::function<uint32_t()> imageBitDepth;
    // Sets lutLevels and lutValues of the current image's description (both null:
    // no table) together with their owner, under whatever lock guards that
    // description; the previous owner is released there.
    std::function<void(const LutAttachment&)> attach;
    // Shows the settings dialog modally; no answer on Cancel.
    std::function<std::optional<LutDialogRequest>(const LutDialogRequest&)> runDialog;
    // A plain message box.
    std::function<void(const QString&)> showMessage;
};

inline constexpr const char* kSettingsSection = "Settings";

class LutController {
public:
    LutController(LutHost host, QString defaultFileName);

    // The folder above the program's folder, then "LUT/gamma_45.LUT".
    static QString DefaultFileName(const QString& programFilePath);

    // Loads and resamples a file. False without a message for an empty path or a
    // missing or unreadable file; false after a message for a format error.
    bool LoadLut(const QString& path);
    // Attaches the table for the current image's depth when use LUT is on.
    void AttachLut();
    // What AttachLut would attach to an image of `bitDepth`, for whoever changes
    // the depth and the table together.
    LutAttachment AttachmentFor(uint32_t bitDepth) const;

    // Command "Lookup table" (settings dialog).
    void OnLookupTable();
    // Toolbar toggle.
    void OnToggleLut();
    // Reads "UseLUT" and "LUTFileName" and loads the table in use.
    void StartUp();
    // Writes "UseLUT" and "LUTFileName".
    void ShutDown() const;

    bool useLut() const { return useLut_; }
    const QString& fileName() const { return fileName_; }
    const QString& defaultFileName() const { return defaultFileName_; }
    // The tables of the last successful load (null after a failed one).
    std::shared_ptr<const LutTableSet> tables() const { return tables_; }

private:
    // Shows the dialog until it is cancelled or a file loads; answers whether the
    // dialog's Enable was checked for a loaded file.
    bool RunDialogLoop(LutDialogRequest request);

    LutHost host_;
    QString defaultFileName_;
    QString fileName_;
    bool useLut_ = false;
    std::shared_ptr<const LutTableSet> tables_;
};

}  // namespace lut
