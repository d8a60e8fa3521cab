#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "TempFolder.h"
#include "zamgrb.h"

namespace fs = std::filesystem;

namespace {

// A record with its own four text buffers, as the viewer hands it to a load.
struct Texts {
    std::array<std::array<char16_t, 260>, 4> buffers{};
    CameraFileRecord record{};
    Texts() {
        CameraFileText* slots[4] = {&record.manufacturer, &record.model, &record.description, &record.alias};
        for (int i = 0; i < 4; ++i)
            *slots[i] = {buffers[i].data(), 260};
    }
    std::u16string text(int i) const { return std::u16string(buffers[i].data()); }
};

CameraFileRecord everyFieldChanged(std::array<std::u16string, 4>& texts) {
    CameraFileRecord r{};
    CameraFileText* slots[4] = {&r.manufacturer, &r.model, &r.description, &r.alias};
    for (int i = 0; i < 4; ++i)
        *slots[i] = {texts[i].data(), uint32_t(texts[i].size() + 1)};
    CameraDescription& d = r.camera;
    const uint8_t header[8] = {1, 2, 0xFE, 4, 0, 6, 7, 0x80};
    std::memcpy(d.header, header, 8);
    CameraConfig& c = d.config;
    c = {11, 2048, 13, 14, 1024, 16, 12, 1, {2, 1, 1, 1, 0, 4, 1, 0, 1, 1, 0}, 0, 1, 1, 1, 1, 1, 0};
    c.reserved = 7;
    d.colorFormat = 4, d.patternStart = 13;
    d.rgbOffsetRed = -128, d.rgbOffsetGreen = 127, d.rgbOffsetBlue = -1;
    d.rgbGainRed = 0.1, d.rgbGainGreen = 1.0 / 3.0, d.rgbGainBlue = 12345.678901234567;
    static const int32_t table[1] = {0};
    d.lutLevels = d.lutValues = table;  // run-time references: not stored
    r.cameraControl = {{1, 2, 9, 4}};
    r.pulseGenerator = {1, 0, 65535, 3, 100, 200, 300, 400};
    r.baudRate = 115200;
    return r;
}

// The values of a record that a camera file carries (texts compared apart).
void expectSameValues(const CameraFileRecord& a, const CameraFileRecord& b) {
    CameraDescription da = a.camera, db = b.camera;
    da.lutLevels = da.lutValues = db.lutLevels = db.lutValues = nullptr;
    EXPECT_EQ(std::memcmp(&da, &db, sizeof da), 0);
    EXPECT_EQ(std::memcmp(&a.cameraControl, &b.cameraControl, sizeof a.cameraControl), 0);
    EXPECT_EQ(std::memcmp(&a.pulseGenerator, &b.pulseGenerator, sizeof a.pulseGenerator), 0);
    EXPECT_EQ(a.baudRate, b.baudRate);
}

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeAll(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// A load that must fail and leave the record, texts included, as it was.
void expectUntouched(const fs::path& file) {
    Texts t;
    t.buffers[1][0] = u'k';
    t.record.baudRate = 42;
    t.record.camera.config.widthValid = 640;
    Texts before = t;
    EXPECT_NE(LoadCameraFile(file.c_str(), &t.record), 0u) << file;
    EXPECT_EQ(t.buffers, before.buffers);
    // The slots point at each object's own buffers; compare everything after them.
    EXPECT_EQ(std::memcmp(&t.record.camera, &before.record.camera, sizeof(CameraFileRecord) - 48), 0);
}

// Switches the process to a locale whose decimal separator is a comma, as a GUI
// does with setlocale(LC_ALL, "") for a German user, and back to "C" after. Uses
// an installed locale, else compiles one from the system's locale sources into
// a private folder; unavailable() when neither can be had.
class CommaLocale {
public:
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR"})
            if (use(name))
                return;
        if (!fs::exists("/usr/share/i18n/locales/de_DE"))
            return;
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (folder_.path / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == -1)
            return;
        setenv("LOCPATH", folder_.path.c_str(), 1);
        use("de_DE.UTF-8");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    bool unavailable() const { return name_.empty(); }
    void enter() const { std::setlocale(LC_ALL, name_.c_str()); }

private:
    bool use(const char* name) {
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",")
            name_ = name;
        else
            std::setlocale(LC_ALL, "C");
        return !name_.empty();
    }
    TempFolder folder_;
    std::string name_;
};

}  // namespace

TEST(CameraFile, GainsDoNotDependOnTheLocale) {
    CommaLocale comma;
    if (comma.unavailable())
        GTEST_SKIP() << "no locale with a decimal comma installed or buildable";
    TempFolder folder;
    std::array<std::u16string, 4> texts = {u"", u"", u"", u""};
    CameraFileRecord saved = everyFieldChanged(texts);
    saved.camera.rgbGainRed = 1.25;
    const auto inC = [&](auto&& step) {
        std::setlocale(LC_ALL, "C");
        step();
        comma.enter();
    };
    struct Case {
        const char* name;
        bool saveInC, loadInC;
    };
    for (const Case c : {Case{"saved and loaded with a decimal comma", false, false},
                         Case{"saved with a decimal comma, loaded in C", false, true},
                         Case{"saved in C, loaded with a decimal comma", true, false}}) {
        SCOPED_TRACE(c.name);
        const fs::path file = folder.path / "gains.cxf";
        const auto save = [&] { ASSERT_EQ(SaveCameraFile(file.c_str(), &saved), 0u); };
        c.saveInC ? inC(save) : save();
        EXPECT_NE(readAll(file).find("<rgbGainRed>1.25</rgbGainRed>"), std::string::npos);
        Texts loaded;
        const auto load = [&] { ASSERT_EQ(LoadCameraFile(file.c_str(), &loaded.record), 0u); };
        c.loadInC ? inC(load) : load();
        expectSameValues(saved, loaded.record);
    }
}

TEST(CameraFile, RoundTripKeepsEveryFieldAndCutsLongTexts) {
    TempFolder folder;
    // Empty, beyond the 259 characters a buffer holds, exactly those, and characters to escape.
    std::array<std::u16string, 4> texts = {u"", std::u16string(400, u'a'), std::u16string(259, u'x'),
                                           u"Ä <&> \"q\" \r\n\t end 😀 "};
    const CameraFileRecord saved = everyFieldChanged(texts);
    const fs::path file = folder.path / "camera.cxf";
    ASSERT_EQ(SaveCameraFile(file.c_str(), &saved), 0u);
    Texts loaded;
    ASSERT_EQ(LoadCameraFile(file.c_str(), &loaded.record), 0u);
    texts[1].resize(259);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(loaded.text(i), texts[i]) << "text " << i;
    expectSameValues(saved, loaded.record);
    EXPECT_EQ(+loaded.record.camera.lutLevels, nullptr);  // + reads the packed field by value
    EXPECT_EQ(+loaded.record.camera.lutValues, nullptr);
    EXPECT_EQ(loaded.record.manufacturer.count, 260u);  // the caller's capacity stays
}

TEST(CameraFile, TruncatedOrMalformedXmlLeavesTheRecordUntouched) {
    TempFolder folder;
    std::array<std::u16string, 4> texts = {u"Maker", u"Model", u"Desc", u"Alias"};
    const CameraFileRecord saved = everyFieldChanged(texts);
    const fs::path good = folder.path / "good.cxf";
    ASSERT_EQ(SaveCameraFile(good.c_str(), &saved), 0u);
    const std::string xml = readAll(good);
    const size_t end = xml.find("</CameraFile>");
    ASSERT_NE(end, std::string::npos);
    const fs::path bad = folder.path / "bad.cxf";
    for (size_t length = 0; length < end; length += 13) {
        writeAll(bad, xml.substr(0, length));
        expectUntouched(bad);
    }
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s = xml;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    const std::string variants[] = {
        replaced("<bitDepth>12</bitDepth>", "<bitDepth>twelve</bitDepth>"),
        replaced("<bitDepth>12</bitDepth>", ""),
        replaced("<channels>2</channels>", "<channels>256</channels>"),
        replaced("<rgbOffsetRed>-128</rgbOffsetRed>", "<rgbOffsetRed>-129</rgbOffsetRed>"),
        replaced("<header>", "<header>0"),
        replaced("<Model>Model</Model>", "<Model>\xC3\x28</Model>"),
        replaced("CameraFile", "OtherFile"),
        "not xml at all",
    };
    for (const std::string& v : variants) {
        writeAll(bad, v);
        expectUntouched(bad);
    }
    expectUntouched(folder.path / "missing.cxf");
}

TEST(CameraFile, OlderTextFormIsReadOnly) {
    TempFolder folder;
    std::ostringstream cam;
    cam << "\xEF\xBB\xBF; written by hand\r\n[Glintrail Camera]\r\n"
        << "Manufacturer = Korvan\\tLabs\nModel=M1\nheader=0001020304050607\n";
    std::istringstream numbers(
        "widthPreValid=1 widthValid=640 widthPostValid=2 heightPreValid=3 heightValid=480 "
        "heightPostValid=4 bitDepth=10 packed=1 channels=1 channelOrder=0 channelOutput=0 "
        "channelDirection0=0 channelDirection1=0 taps=2 tapOutput=0 tapDirection0=0 tapDirection1=1 "
        "tapDirection2=0 tapDirection3=0 swapTaps=0 ignoreDval=1 invertDval=0 invertLval=0 "
        "invertFval=0 reserved=0 colorFormat=1 patternStart=2 rgbOffsetRed=-5 rgbOffsetGreen=0 "
        "rgbOffsetBlue=5 rgbGainRed=1.5 rgbGainGreen=1 rgbGainBlue=0.75 cc1=1 cc2=0 cc3=0 cc4=3 "
        "mode=0 pulseCount=1 granularity=3 masterWidth=1 masterPeriod=2 slaveWidth=1 slaveDelay=1 "
        "baudRate=9600 ");
    for (std::string line; numbers >> line;)
        cam << "  " << line << "  \n";
    const fs::path file = folder.path / "old.CAM";
    writeAll(file, cam.str());
    Texts t;
    ASSERT_EQ(LoadCameraFile(file.c_str(), &t.record), 0u);
    EXPECT_EQ(t.text(0) + u"|" + t.text(1) + u"|" + t.text(2), u"Korvan\tLabs|M1|");
    EXPECT_EQ(t.record.camera.config.widthValid, 640u);
    EXPECT_EQ(t.record.camera.config.tapConfig.tapDirection1, 1);
    EXPECT_EQ(t.record.camera.rgbOffsetRed, -5);
    EXPECT_EQ(+t.record.camera.rgbGainBlue, 0.75);
    EXPECT_EQ(t.record.cameraControl.source[3], 3u);
    EXPECT_EQ(t.record.baudRate, 9600u);
    EXPECT_EQ(t.record.camera.header[7], 7);

    // Saving to a .cam path is refused and creates nothing.
    const fs::path out = folder.path / "new.cam";
    EXPECT_NE(SaveCameraFile(out.c_str(), &t.record), 0u);
    EXPECT_FALSE(fs::exists(out));

    const std::string good = cam.str();
    auto without = [&](const std::string& line) {
        std::string s = good;
        s.erase(s.find(line), line.size());
        return s;
    };
    const std::string variants[] = {
        without("[Glintrail Camera]"),
        without("baudRate=9600"),
        good + "unknown=1\n",
        good + "taps=4\n",
        good + "no equals sign\n",
        good + "Model=bad\\q\n",
        good.substr(0, good.size() / 2),
    };
    for (const std::string& v : variants) {
        writeAll(file, v);
        expectUntouched(file);
    }
}
