#include "analysis/LutController.h"

#include <QFile>
#include <QFileInfo>
#include <fstream>

#include "kit/Profile.h"

namespace lut {

LutController::LutController(LutHost host, QString defaultFileName)
    : host_(std::move(host)), defaultFileName_(std::move(defaultFileName)) {}

QString LutController::DefaultFileName(const QString& programFilePath) {
    const auto lastSeparator = [](const QString& text) {
        return std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    };
    const QString folder = programFilePath.left(lastSeparator(programFilePath));
    return folder.left(lastSeparator(folder) + 1) + QStringLiteral("LUT/gamma_45.LUT");
}

bool LutController::LoadLut(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    fileName_ = path;
    tables_.reset();
    if (!QFileInfo(path).isFile())
        return false;  // a folder: nothing to read, nothing to say
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    if (!in)
        return false;
    LutParseResult result = ParseLut(in);
    if (!result.lut) {
        if (!result.error.empty())
            host_.showMessage(QString::fromStdString(result.error));
        return false;
    }
    tables_ = BuildTableSet(*result.lut);
    return true;
}

void LutController::AttachLut() {
    host_.attach(AttachmentFor(host_.imageBitDepth()));
}

LutAttachment LutController::AttachmentFor(uint32_t bitDepth) const {
    const LutTable* table = useLut_ && tables_ ? tables_->Find(int(bitDepth)) : nullptr;
    if (table == nullptr || table->empty())
        return {};
    return {table->levels.data(), table->values.data(), tables_};
}

bool LutController::RunDialogLoop(LutDialogRequest request) {
    while (const auto answer = host_.runDialog(request)) {
        request = *answer;
        useLut_ = request.enable;
        if (LoadLut(request.fileName))
            return request.enable;
        useLut_ = false;
    }
    return false;
}

void LutController::OnLookupTable() {
    RunDialogLoop({fileName_, useLut_});
    AttachLut();
}

void LutController::OnToggleLut() {
    if (useLut_)
        useLut_ = false;
    else if (LoadLut(fileName_))
        useLut_ = true;
    else
        RunDialogLoop({fileName_, useLut_});
    AttachLut();
}

void LutController::StartUp() {
    useLut_ = appkit::Profile::GetInt(kSettingsSection, QStringLiteral("UseLUT"), 0) != 0;
    fileName_ = appkit::Profile::GetString(kSettingsSection, QStringLiteral("LUTFileName"));
    if (fileName_.isEmpty())
        fileName_ = defaultFileName_;
    // A stored table that no longer loads: the user picks another or cancels, and
    // use LUT then says whether a table is in force.
    if (useLut_ && !LoadLut(fileName_))
        useLut_ = RunDialogLoop({fileName_, useLut_});
    AttachLut();
}

void LutController::ShutDown() const {
    appkit::Profile::WriteInt(kSettingsSection, QStringLiteral("UseLUT"), useLut_ ? 1 : 0);
    appkit::Profile::WriteString(kSettingsSection, QStringLiteral("LUTFileName"), fileName_);
}

}  // namespace lut
