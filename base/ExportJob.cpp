#include "ExportJob.h"

#include "ExceptionText.h"

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

void ExportJob::Run(const Work& work) {
    try {
        work(steps_, outcome_);
    } catch (...) {
        outcome_.error = CurrentExceptionUserText();
    }
    finished_ = true;
}

} // namespace umbrascope
