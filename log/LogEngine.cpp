#include "log/LogEngine.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <vector>

#include "log/FileOutput.h"
#include "log/LogErrors.h"
#include "log/LogText.h"

namespace logengine {
namespace {

uint32_t CurrentThreadId() {
    return uint32_t(::syscall(SYS_gettid));
}

std::string CommandLine() {
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    std::replace(text.begin(), text.end(), '\0', ' ');
    return text;
}

// Any thread may log while another initialises or closes the engine: the channel
// list is read under a shared lock and changed under an exclusive one. Channels
// are never removed, so a channel pointer stays valid as long as its engine.
class LogEngine {
public:
    // Further Initialize calls of the handle, each undone by one Close.
    std::atomic<int> referenceCount{0};

    bool HasChannels() const { return channelCount_.load() != 0; }

    LogOutput* Find(ChannelType type) const {
        std::shared_lock lock(channelsMutex_);
        for (const auto& channel : channels_)
            if (channel->type() == type)
                return channel.get();
        return nullptr;
    }

    void Add(std::unique_ptr<LogOutput> channel) {
        std::unique_lock lock(channelsMutex_);
        channels_.push_back(std::move(channel));
        channelCount_.store(channels_.size());
        UpdateLowestThreshold();
    }

    void SetThreshold(ChannelType type, uint32_t threshold) {
        std::unique_lock lock(channelsMutex_);
        for (const auto& channel : channels_)
            if (channel->type() == type)
                channel->setThreshold(threshold);
        UpdateLowestThreshold();
    }

    bool Passes(uint32_t severity) const { return HasChannels() && severity >= lowest_.load(); }

    // False when no channel was open to take the record, including one that an
    // engine closing on another thread shut after the caller looked.
    bool Write(LogRecord record) {
        for (std::string* text : {&record.timeText, &record.moduleName, &record.componentTag,
                                  &record.functionName, &record.message})
            if (text->empty())
                *text = "undefined";
        record.sourceFile = ShortenSourceFile(record.sourceFile);
        const LineContext context = Context(record.threadId);
        std::shared_lock lock(channelsMutex_);
        bool open = false;
        for (const auto& channel : channels_) {
            if (shut_ || channel->detailLevel() == 0)
                continue;
            open = true;
            if (record.severity >= channel->threshold())
                channel->Write(FormatLine(channel->detailLevel(), record, context), record);
        }
        return open;
    }

    // The engine's own open and close lines.
    void WriteEngineRecord(const char* function, uint32_t line, const char* what) {
        if (!Passes(kEngineRecord))
            return;
        LogRecord record;
        record.timeText = MakeTimeText(record);
        record.processId = uint32_t(::getpid());
        record.threadId = CurrentThreadId();
        record.moduleName = "LogEngine";
        record.componentTag = "( )";
        record.sourceFile = "LogEngine";
        record.functionName = function;
        record.line = line;
        record.severity = kEngineRecord;
        record.code = 0;
        record.message =
            "   " + std::string(what) + " the log channels: " + ChannelNames() + " for: " + CommandLine();
        Write(std::move(record));
    }

    void Shut() {
        WriteEngineRecord("LogEngine::Close", 47, "<<<<<<<<<<<<<<<<< Close");
        {
            // No writer is inside a channel while it closes.
            std::unique_lock lock(channelsMutex_);
            shut_ = true;
            for (const auto& channel : channels_)
                channel->Close();
        }
        std::lock_guard lock(stacksMutex_);
        stacks_.clear();
    }

private:
    // Under channelsMutex_.
    void UpdateLowestThreshold() {
        uint32_t lowest = 5;
        for (const auto& channel : channels_)
            if (channel->detailLevel() != 0)
                lowest = std::min(lowest, channel->threshold());
        lowest_.store(lowest);
    }

    std::string ChannelNames() const {
        std::shared_lock lock(channelsMutex_);
        std::string names;
        for (const auto& channel : channels_)
            names += (names.empty() ? "" : ", ") + channel->name();
        return names.substr(0, 255);
    }

    // The calling thread's stack: its first entry is the time the thread first logged.
    LineContext Context(uint32_t recordThreadId) {
        std::lock_guard lock(stacksMutex_);
        LineContext context;
        auto [entry, created] = stacks_.try_emplace(CurrentThreadId());
        if (created)
            entry->second.push_back(uint32_t(std::time(nullptr)));
        // The stack holds only its time entry here, so the nesting level is 0.
        context.nestingLevel = std::max(0, int(entry->second.size()) - 2);
        context.recordId = (uint64_t(recordThreadId) << 44) + (entry->second.front() & 0x3FFFFu);
        return context;
    }

    mutable std::shared_mutex channelsMutex_;
    std::vector<std::unique_ptr<LogOutput>> channels_;
    bool shut_ = false;  // under channelsMutex_
    std::atomic<size_t> channelCount_{0};
    std::atomic<uint32_t> lowest_{5};
    std::mutex stacksMutex_;
    std::map<uint32_t, std::vector<uint32_t>> stacks_;
};

// Engines are shared so a thread that is logging keeps its engine while another closes it.
class Registry {
public:
    ~Registry() {
        for (auto& [handle, engine] : engines_)
            engine->Shut();
    }

    std::shared_ptr<LogEngine> Find(uint32_t handle) {
        std::lock_guard lock(mutex_);
        const auto it = engines_.find(Normalize(handle));
        return it == engines_.end() ? nullptr : it->second;
    }

    // The engine of `handle`; a new one only for the default handle.
    std::shared_ptr<LogEngine> FindOrCreate(uint32_t handle) {
        std::lock_guard lock(mutex_);
        handle = Normalize(handle);
        if (const auto it = engines_.find(handle); it != engines_.end())
            return it->second;
        if (handle != kDefaultHandle)
            return nullptr;
        return engines_[handle] = std::make_shared<LogEngine>();
    }

    void Remove(uint32_t handle) {
        std::lock_guard lock(mutex_);
        engines_.erase(Normalize(handle));
    }

    static uint32_t Normalize(uint32_t handle) { return handle == 0 ? kDefaultHandle : handle; }

private:
    std::mutex mutex_;
    std::map<uint32_t, std::shared_ptr<LogEngine>> engines_;
};

Registry& registry() {
    static Registry r;
    return r;
}

std::unique_ptr<LogOutput> MakeChannel(ChannelType type, const std::string& baseName,
                                       const std::string& directory, bool createAlways, bool datedName) {
    switch (type) {
        case kSystemChannel:
            return std::make_unique<EventOutput>();
        case kIdeChannel:
            return std::make_unique<IDEOutput>();
        case kFileChannel: {
            auto file = std::make_unique<FileOutput>();
            file->Configure(baseName, ResolveLogDirectory(directory), createAlways, datedName);
            return file;
        }
    }
    return nullptr;
}

const char* OpenFailure(ChannelType type) {
    switch (type) {
        case kSystemChannel:
            return "Can't open system output channel";
        case kIdeChannel:
            return "Can't open IDE output channel";
        case kFileChannel:
            break;
    }
    return nullptr;  // the file channel reports its own failures
}

void CloseEngine(uint32_t handle, const std::shared_ptr<LogEngine>& engine) {
    int count = engine->referenceCount.load();
    while (count > 0 && !engine->referenceCount.compare_exchange_weak(count, count - 1)) {
    }
    if (count > 0)
        return;
    engine->Shut();
    registry().Remove(handle);
}

}  // namespace

std::string ResolveLogDirectory(const std::string& directory) {
    std::error_code error;
    std::filesystem::path path;
    if (!directory.empty() && std::filesystem::is_directory(directory, error))
        path = std::filesystem::canonical(directory, error);
    if (path.empty() || error)
        path = std::filesystem::current_path(error);
    std::string text = path.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

int Initialize(uint32_t handle, const std::string& baseName, const std::string& directory, bool createAlways,
               bool datedName, const DetailLevels& levels) {
    if (auto existing = registry().Find(handle); existing && existing->HasChannels()) {
        ++existing->referenceCount;
        return 0;
    }
    const std::shared_ptr<LogEngine> engine = registry().FindOrCreate(handle);
    if (!engine) {
        ReportError(kEngineCaption, "Can't find Log Engine for log handle: " + std::to_string(handle) + " (" +
                                        CommandLine() + ")");
        return -1;
    }
    const std::pair<ChannelType, uint32_t> wanted[] = {
        {kSystemChannel, levels.system}, {kFileChannel, levels.file}, {kIdeChannel, levels.ide}};
    for (const auto& [type, level] : wanted) {
        if (level == 0 || engine->Find(type) != nullptr)
            continue;
        auto channel = MakeChannel(type, baseName, directory, createAlways, datedName);
        if (channel->Open() != 0) {
            if (const char* failure = OpenFailure(type))
                ReportError(kEngineCaption, failure);
            continue;
        }
        channel->setDetailLevel(level);
        engine->Add(std::move(channel));
    }
    if (engine->HasChannels()) {
        engine->WriteEngineRecord("LogEngine::Initialize", 107, ">>>>>>>>>>>>>>>>> Open");
        return 0;
    }
    ReportError("The Log Engine isn't initialized", "Output Channels are not opened");
    CloseEngine(handle, engine);
    return -1;
}

int SetThreshold(uint32_t handle, uint32_t threshold, ChannelType type) {
    const auto engine = registry().Find(handle);
    if (!engine || !engine->HasChannels())
        return -1;
    engine->SetThreshold(type, threshold < 5 ? threshold : 4);
    return 0;
}

bool IsEnabled(uint32_t handle, uint32_t severity, uint64_t) {
    const auto engine = registry().Find(handle);
    return engine && engine->Passes(severity);
}

int Log(uint32_t handle, const LogRecord& record) {
    const auto engine = registry().Find(handle);
    return engine && engine->Write(record) ? 0 : -1;
}

void Close(uint32_t handle) {
    if (const auto engine = registry().Find(handle))
        CloseEngine(handle, engine);
}

std::string LogFileName(uint32_t handle) {
    const auto engine = registry().Find(handle);
    if (!engine)
        return {};
    auto* file = dynamic_cast<FileOutput*>(engine->Find(kFileChannel));
    return file ? file->FileName() : std::string();
}

}  // namespace logengine
