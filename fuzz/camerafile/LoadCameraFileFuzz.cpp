// LoadCameraFile on arbitrary bytes, as .cxf and as .cam. A load either fails
// and leaves the record exactly as it was, or fills it; it never crashes.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "zamgrb.h"

namespace {

std::string pathFor(const char* extension) {
    return "/tmp/fuzz-camerafile-" + std::to_string(getpid()) + extension;
}

void loadOnce(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    std::array<std::array<char16_t, 260>, 4> buffers{};
    buffers[0].fill(u'#');
    buffers[3][0] = u'a';
    CameraFileRecord record{};
    record.manufacturer = {buffers[0].data(), 260};
    record.model = {buffers[1].data(), 8};  // a short buffer: long texts are cut
    record.description = {nullptr, 0};
    record.alias = {buffers[3].data(), 1};
    record.baudRate = 1234;
    const CameraFileRecord before = record;
    const auto buffersBefore = buffers;
    if (LoadCameraFile(path.c_str(), &record) != 0) {
        if (std::memcmp(&record, &before, sizeof record) != 0 || buffers != buffersBefore)
            std::abort();
    } else if (buffers[1][7] != 0 || buffers[3][0] != 0 || record.camera.lutLevels ||
               record.camera.lutValues) {
        std::abort();  // texts must end inside their buffers; the table slots come back empty
    }
    std::remove(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string xml = pathFor(".cxf"), cam = pathFor(".cam");
    loadOnce(xml, data, size);
    loadOnce(cam, data, size);
    return 0;
}
