// The output channels of a log engine.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "log/LogRecord.h"

namespace logengine {

class LogOutput {
public:
    LogOutput(std::string name, ChannelType type, uint32_t threshold = 0)
        : name_(std::move(name)), type_(type), threshold_(threshold) {}
    virtual ~LogOutput() = default;
    LogOutput(const LogOutput&) = delete;
    LogOutput& operator=(const LogOutput&) = delete;

    // Bytes written so far.
    virtual uint64_t GetSize() { return 0; }
    // 0, or the error number of the step that failed.
    virtual int Open() = 0;
    virtual void Close() = 0;
    // One formatted line, without its line end.
    virtual void Write(std::string_view text, const LogRecord& record) = 0;

    const std::string& name() const { return name_; }
    ChannelType type() const { return type_; }
    uint32_t detailLevel() const { return detailLevel_.load(std::memory_order_relaxed); }
    void setDetailLevel(uint32_t level) { detailLevel_.store(level, std::memory_order_relaxed); }
    uint32_t threshold() const { return threshold_.load(std::memory_order_relaxed); }
    void setThreshold(uint32_t threshold) { threshold_.store(threshold, std::memory_order_relaxed); }

private:
    std::string name_;
    ChannelType type_;
    std::atomic<uint32_t> detailLevel_{0};
    std::atomic<uint32_t> threshold_;
};

// The system channel: accepts records and keeps none.
class EventOutput final : public LogOutput {
public:
    EventOutput() : LogOutput("System_Output_Stub", kSystemChannel) {}
    int Open() override { return 0; }
    void Close() override {}
    void Write(std::string_view, const LogRecord&) override {}
};

// The debugger channel: standard error, one line per record.
class IDEOutput final : public LogOutput {
public:
    IDEOutput() : LogOutput("IDE_Output", kIdeChannel, kError) {}
    int Open() override { return 0; }
    void Close() override {}
    void Write(std::string_view text, const LogRecord& record) override;
};

}  // namespace logengine
