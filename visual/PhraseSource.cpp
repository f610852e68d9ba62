#include "PhraseSource.h"

#include "model/MediaPath.h"

#include <algorithm>
#include <utility>

namespace {

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string ShownPhrase(std::string line) {
    if (std::all_of(line.begin(), line.end(), IsBlankOrControl))
        return BlankPhrase;
    return line;
}

std::string ReadNextPhraseLine(TFile& reader) {
    std::string text;
    const std::uint32_t next = reader.ReadLine(text, reader.ReadPosition);
    reader.ReadPosition = next >= reader.Size() ? 0 : next;
    return ShownPhrase(std::move(text));
}

std::unique_ptr<TFile> OpenPhraseFile(const std::string& path) {
    try {
        return std::make_unique<TFile>(FileSystemPath(path));
    } catch (const EInOutError&) {
        return nullptr;
    }
}

void TPhraseSource::Replace(std::unique_ptr<TFile> reader) {
    std::unique_ptr<TFile> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::move(reader_);
        dropRequested_ = reader == nullptr;
        reader_ = std::move(reader);
    }
    // previous closes here, outside the lock; the thread can no longer reach it.
}

void TPhraseSource::Close() {
    std::unique_ptr<TFile> previous;
    std::lock_guard lock(mutex_);
    previous = std::move(reader_);
}

bool TPhraseSource::HasReader() const {
    std::lock_guard lock(mutex_);
    return reader_ != nullptr;
}

std::uint32_t TPhraseSource::ReadPosition() const {
    std::lock_guard lock(mutex_);
    return reader_ ? reader_->ReadPosition : 0;
}

std::optional<std::string> TPhraseSource::ReadNextPhrase() {
    std::lock_guard lock(mutex_);
    if (!reader_)
        return std::nullopt;
    return ReadNextPhraseLine(*reader_);
}

bool TPhraseSource::TakeDropRequest() {
    std::lock_guard lock(mutex_);
    return std::exchange(dropRequested_, false);
}
