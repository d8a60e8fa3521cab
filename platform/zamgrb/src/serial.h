// The serial link to the emulated camera and the ASCII commands the camera answers
// (listed in README.md). Commands end with CR or LF; replies end with CR LF.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "machine.h"

namespace zamgrb {

struct SerialPort {
    bool open = false;
    uint32_t baudRate = 9600;
    std::deque<uint8_t> received;  // from the camera, not read yet
    std::string line;              // to the camera, up to the next CR or LF
};

inline constexpr size_t kSerialBufferBytes = 4096;  // received bytes beyond it are lost, as on a UART

bool validBaudRate(uint32_t rate);

// The camera hears bytes: each complete command is carried out on the camera and its
// reply queued on the port. Answers true when the camera changed.
bool cameraHears(SerialPort& port, SimCamera& camera, const uint8_t* bytes, size_t count);

// One command line (without its terminator) and the reply (without CR LF).
std::string cameraCommand(SimCamera& camera, const std::string& line, bool& changed);

}  // namespace zamgrb
