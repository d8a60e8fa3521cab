#include "log/LogSites.h"

#include <sys/syscall.h>
#include <unistd.h>

#include "log/LogEngine.h"
#include "log/LogText.h"

namespace logengine {
namespace {

constexpr uint32_t kHandle = 0;

void Write(const char* module, const char* function, uint32_t severity, std::string message,
           const std::source_location& where) {
    LogRecord record;
    record.timeText = MakeTimeText(record);
    record.message = std::move(message);
    record.processId = uint32_t(::getpid());
    record.threadId = uint32_t(::syscall(SYS_gettid));
    record.moduleName = module;
    record.componentTag = kComponentTag;
    record.sourceFile = where.file_name();
    record.functionName = function;
    record.line = where.line();
    record.severity = severity;
    record.code = 0;
    Log(kHandle, record);
}

}  // namespace

void LogIncorrectSaveType(int saveType, std::source_location where) {
    if (!IsEnabled(kHandle, kError))
        return;
    Write("MainFrame", "CMainFrame::SavingThread", kError, FormatMessage("Incorrect SaveType, %i", saveType),
          where);
}

void LogFrameAdded(int frameNumber, int timeStamp, std::source_location where) {
    if (!IsEnabled(kHandle, kTrace))
        return;
    Write("MainFrame", "CMainFrame::SavingThread", kTrace,
          FormatMessage("Frame #%i, ts=%i added ", frameNumber, timeStamp), where);
}

void LogCaptureFileFailed(const std::string& path, const std::string& reason, std::source_location where) {
    if (!IsEnabled(kHandle, kError))
        return;
    Write("MainFrame", "CMainFrame::SavingThread", kError,
          FormatMessage("Capture file %s not written: %s", path.c_str(), reason.c_str()), where);
}

void LogCaptureSummary(uint64_t taken, uint64_t saved, uint32_t lostCard, uint32_t lostDelivery,
                       uint64_t lostQueue, std::source_location where) {
    if (!IsEnabled(kHandle, kNotice))
        return;
    Write("MainFrame", "CMainFrame::OnCaptureStartStop", kNotice,
          FormatMessage("Capture ended: %llu frames taken, %llu written or queued; lost at the card %u, at "
                        "delivery %u, for want of memory %llu",
                        (unsigned long long)taken, (unsigned long long)saved, lostCard, lostDelivery,
                        (unsigned long long)lostQueue),
          where);
}

void LogUartThread(bool started, std::source_location where) {
    if (!IsEnabled(kHandle, kDebug))
        return;
    Write("MainFrame", "CMainFrame::ThreadReadUART", kDebug,
          FormatMessage(started ? "UART thread started" : "UART thread stopped"), where);
}

void LogFrameNumberOverlap(int previous, int current, std::source_location where) {
    if (!IsEnabled(kHandle, kWarning))
        return;
    Write("AppAVIWriter", "CAVIWriter::AddFrame", kWarning,
          FormatMessage("Framenum overlap!!!, fn_prev=%i, fn=%i", previous, current), where);
}

void LogTimestampOverlap(int previous, int current, std::source_location where) {
    if (!IsEnabled(kHandle, kWarning))
        return;
    Write("AppAVIWriter", "CAVIWriter::AddFrame", kWarning,
          FormatMessage("Timestamp overlap!!!, ts_prev=%i, ts=%i=", previous, current), where);
}

}  // namespace logengine
