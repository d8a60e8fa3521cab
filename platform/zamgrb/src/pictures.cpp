#include "pictures.h"

#include <tiffio.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zamgrb {

namespace {

bool readTiff(const std::string& path, Picture& out) {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    std::unique_ptr<TIFF, void (*)(TIFF*)> tif(TIFFOpen(path.c_str(), "r"), TIFFClose);
    if (!tif)
        return false;
    uint32_t w = 0, h = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &h);
    if (w == 0 || h == 0 || uint64_t(w) * h > (1ull << 28))
        return false;
    std::vector<uint32_t> rgba(size_t(w) * h);
    if (!TIFFReadRGBAImageOriented(tif.get(), w, h, rgba.data(), ORIENTATION_TOPLEFT, 0))
        return false;
    out.width = w;
    out.height = h;
    out.rgb.resize(rgba.size() * 3);
    for (size_t i = 0; i < rgba.size(); ++i) {
        out.rgb[3 * i] = uint8_t(TIFFGetR(rgba[i]));
        out.rgb[3 * i + 1] = uint8_t(TIFFGetG(rgba[i]));
        out.rgb[3 * i + 2] = uint8_t(TIFFGetB(rgba[i]));
    }
    return true;
}

bool readJpeg(const std::string& path, Picture& out) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.empty())
        return false;
    std::unique_ptr<void, int (*)(tjhandle)> tj(tjInitDecompress(), tjDestroy);
    int w = 0, h = 0, subsampling = 0, colourspace = 0;
    if (!tj ||
        tjDecompressHeader3(tj.get(), bytes.data(), bytes.size(), &w, &h, &subsampling, &colourspace) != 0)
        return false;
    if (w <= 0 || h <= 0 || uint64_t(w) * uint64_t(h) > (1ull << 28))
        return false;
    out.width = uint32_t(w);
    out.height = uint32_t(h);
    out.rgb.resize(size_t(w) * h * 3);
    return tjDecompress2(tj.get(), bytes.data(), bytes.size(), out.rgb.data(), w, 0, h, TJPF_RGB, 0) == 0;
}

bool readPicture(const std::filesystem::path& file, Picture& out) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".tif" || ext == ".tiff")
        return readTiff(file.string(), out);
    if (ext == ".jpg" || ext == ".jpeg")
        return readJpeg(file.string(), out);
    return false;
}

}  // namespace

std::shared_ptr<const PictureSet> loadPictures(const std::string& path) {
    auto set = std::make_shared<PictureSet>();
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        for (const auto& entry : std::filesystem::directory_iterator(path, ec))
            if (entry.is_regular_file(ec))
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else {
        files.emplace_back(path);
    }
    for (const auto& file : files) {
        Picture picture;
        if (readPicture(file, picture))
            set->push_back(std::move(picture));
    }
    if (set->empty())
        std::fprintf(stderr, "zamgrb: no readable TIFF or JPEG picture at %s\n", path.c_str());
    return set;
}

}  // namespace zamgrb
