#include "ExportJob.h"

#include "ExceptionText.h"
#include "TargetLock.h"

#include <chrono>
#include <utility>

namespace umbrascope {

ExportJob::ExportJob(Work work) : worker_([this, work = std::move(work)] { Run(work); }) {}

ExportJob::~ExportJob() {
    Cancel();
    worker_.join();
}

double ExportJob::Progress() const {
    const std::uint64_t total = steps_.total;
    return total == 0 ? 0.0 : static_cast<double>(steps_.done) / static_cast<double>(total);
}

namespace {

// The lock is polled every 50 ms; a wait not seen for longer than this has ended.
constexpr std::int64_t LockWaitGone = 300;

std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

WriteOptions ExportJob::WritingOptions(Steps& steps) {
    WriteOptions options;
    options.whileLocked = [&steps](std::chrono::milliseconds) {
        steps.lockWaitSeen = SteadyMilliseconds();
        return !steps.cancelled;
    };
    options.notice = [&steps](const UserText& notice) { steps.notices.push_back(notice); };
    return options;
}

bool ExportJob::WaitingForLock() const {
    const std::int64_t seen = steps_.lockWaitSeen;
    return seen >= 0 && SteadyMilliseconds() - seen < LockWaitGone;
}

void ExportJob::Run(const Work& work) {
    try {
        work(steps_, outcome_);
    } catch (const LockWaitEnded&) {
        if (steps_.cancelled)
            outcome_.cancelled = true;
        else
            outcome_.error = CurrentExceptionUserText();
    } catch (...) {
        outcome_.error = CurrentExceptionUserText();
    }
    outcome_.problems.insert(outcome_.problems.end(), steps_.notices.begin(), steps_.notices.end());
    finished_ = true;
}

} // namespace umbrascope
