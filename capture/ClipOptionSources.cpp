#include "capture/ClipOptionSources.h"

namespace capture {

CaptureOptionsSources ClipOptionSources(CAVIWriter& writer, std::function<bool(int32_t)> report) {
    CaptureOptionsSources sources;
    sources.listCompressors = [&writer] {
        QStringList names;
        return writer.GetCompressors(names) < 0 ? QStringList() : names;
    };
    sources.useCompressor = [&writer, report](const QString& name) {
        bool hasOptions = false;
        return !report(writer.SetCompressor(name, hasOptions)) && hasOptions;
    };
    sources.showCompressorOptions = [&writer](QWidget* page, CaptureOptionsRecord& record) {
        writer.ShowCompressorDlg(page, record);
    };
    return sources;
}

}  // namespace capture
