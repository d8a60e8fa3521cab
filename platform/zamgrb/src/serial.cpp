#include "serial.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace zamgrb {

namespace {

const char* const kHelp =
    "COMMANDS: HELP | ID? | FP? | FP <us> | EXP? | EXP <0-100> | TP? | TP MOVING|RAMP | TRIG? | TRIG ON|OFF";

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

// A whole unsigned number within [min, max], or nothing.
bool readNumber(const std::string& text, uint64_t max, uint32_t& out) {
    if (text.empty() || text.size() > 10 || !std::all_of(text.begin(), text.end(), ::isdigit))
        return false;
    const uint64_t v = std::stoull(text);
    if (v > max)
        return false;
    out = uint32_t(v);
    return true;
}

}  // namespace

bool validBaudRate(uint32_t rate) {
    for (uint32_t r : {9600u, 14400u, 19200u, 38400u, 57600u, 115200u, 230400u, 460800u, 921600u})
        if (r == rate)
            return true;
    return false;
}

std::string cameraCommand(SimCamera& camera, const std::string& line, bool& changed) {
    std::istringstream in(line);
    std::string word, argument, extra;
    in >> word >> argument >> extra;
    word = upper(word);
    if (!extra.empty())
        return "ERR too many arguments";
    if (word.empty())
        return "";
    if (word == "HELP" || word == "?")
        return kHelp;
    if (word == "ID?")
        return camera.model;
    if (word == "FP?")
        return std::to_string(camera.framePeriodUs);
    if (word == "EXP?")
        return std::to_string(camera.exposure);
    if (word == "TP?")
        return camera.source.kind == PictureSource::Kind::Ramp ? "RAMP" : "MOVING";
    if (word == "TRIG?")
        return camera.triggerMode ? "ON" : "OFF";
    if (argument.empty())
        return "ERR unknown command " + word;
    if (word == "FP") {
        uint32_t us = 0;
        if (!readNumber(argument, 100'000'000, us))
            return "ERR frame period 0 to 100000000 us";
        camera.framePeriodUs = us;
    } else if (word == "EXP") {
        uint32_t percent = 0;
        if (!readNumber(argument, 100, percent))
            return "ERR exposure 0 to 100";
        camera.exposure = percent;
    } else if (word == "TP") {
        const std::string pattern = upper(argument);
        if (pattern == "MOVING")
            camera.source = {PictureSource::Kind::Moving, {}};
        else if (pattern == "RAMP")
            camera.source = {PictureSource::Kind::Ramp, {}};
        else
            return "ERR test pattern MOVING or RAMP";
    } else if (word == "TRIG") {
        const std::string mode = upper(argument);
        if (mode != "ON" && mode != "OFF")
            return "ERR trigger ON or OFF";
        camera.triggerMode = mode == "ON";
    } else {
        return "ERR unknown command " + word;
    }
    changed = true;
    return "OK";
}

bool cameraHears(SerialPort& port, SimCamera& camera, const uint8_t* bytes, size_t count) {
    bool changed = false;
    for (size_t i = 0; i < count; ++i) {
        const char c = char(bytes[i]);
        if (c != '\r' && c != '\n') {
            if (port.line.size() < 256)
                port.line.push_back(c);  // a runaway line is cut, not grown
            continue;
        }
        if (port.line.empty())
            continue;  // the LF of a CR LF, or an empty line
        const std::string reply = cameraCommand(camera, port.line, changed) + "\r\n";
        port.line.clear();
        for (char r : reply)
            if (port.received.size() < kSerialBufferBytes)
                port.received.push_back(uint8_t(r));
    }
    return changed;
}

}  // namespace zamgrb
