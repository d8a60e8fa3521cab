// The outcome of writing one file, with a text the caller can show and log.
#pragma once

#include <cstdint>
#include <string>

namespace capture {

struct WriteResult {
    bool ok = true;
    int systemError = 0;      // errno of the failing call, 0 when unknown
    uint32_t cardStatus = 0;  // status of the card library call that failed, 0 when none
    std::string error;        // why it failed, naming the file

    static WriteResult Failure(std::string error, int systemError = 0, uint32_t cardStatus = 0) {
        return {false, systemError, cardStatus, std::move(error)};
    }
};

}  // namespace capture
