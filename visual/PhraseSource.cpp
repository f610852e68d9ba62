#include "PhraseSource.h"

#include "base/SystemFiles.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"

#include <algorithm>
#include <utility>

namespace umbrascope {

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

namespace {

bool ReadPhraseLinePart(TFile& reader, std::string& text, std::size_t maxCharacters) {
    const auto part =
        reader.ReadLinePart(text, reader.ReadPosition, maxCharacters, PhraseReadSlice);
    reader.ReadPosition = part.next >= reader.Size() ? 0 : part.next;
    return part.finished;
}

} // namespace

bool ReadPhraseLineStart(TFile& reader, std::string& text) {
    return ReadPhraseLinePart(reader, text, PhraseCharacterLimit);
}

bool SkipRestOfPhraseLine(TFile& reader) {
    std::string nothing;
    return ReadPhraseLinePart(reader, nothing, 0);
}

OpenedPhraseFile OpenPhraseFileOrRefuse(const std::string& path) {
    try {
        const FileDescriptor file = OpenUserFileForReading(FileSystemPath(path));
        // Read through the descriptor checked, whatever the name leads to by now.
        return {std::make_unique<TFile>(PathThroughDescriptor(file.get(), FileSystemPath(path))),
                std::nullopt};
    } catch (const SystemFileError&) {
        return {nullptr, UserText(Translatable("umbrascope::PhraseSource",
                                               "Файл фраз «%1» — устройство или системный файл "
                                               "(из /proc, /sys или /dev): его строки не "
                                               "показываются."),
                                  {Cp1251ToUtf8(path)})};
    } catch (const IoError&) {
        return {};
    }
}

std::unique_ptr<TFile> OpenPhraseFile(const std::string& path) {
    return OpenPhraseFileOrRefuse(path).reader;
}

void PhraseSource::Replace(std::unique_ptr<TFile> reader) {
    std::unique_ptr<TFile> previous;
    {
        std::lock_guard lock(mutex_);
        previous = std::move(reader_);
        dropRequested_ = reader == nullptr;
        reader_ = std::move(reader);
        restOfLinePending_ = false;
    }
    // previous closes here, outside the lock; the thread can no longer reach it.
}

void PhraseSource::Close() {
    std::unique_ptr<TFile> previous;
    std::lock_guard lock(mutex_);
    previous = std::move(reader_);
}

bool PhraseSource::HasReader() const {
    std::lock_guard lock(mutex_);
    return reader_ != nullptr;
}

std::uint32_t PhraseSource::ReadPosition() const {
    std::lock_guard lock(mutex_);
    return reader_ ? reader_->ReadPosition : 0;
}

std::optional<std::string> PhraseSource::ReadNextPhrase() {
    std::lock_guard lock(mutex_);
    if (!reader_)
        return std::nullopt;
    if (restOfLinePending_) {
        restOfLinePending_ = !SkipRestOfPhraseLine(*reader_);
        if (restOfLinePending_)
            return std::nullopt;
    }
    std::string text;
    restOfLinePending_ = !ReadPhraseLineStart(*reader_, text);
    return ShownPhrase(std::move(text));
}

bool PhraseSource::TakeDropRequest() {
    std::lock_guard lock(mutex_);
    return std::exchange(dropRequested_, false);
}

bool TakeDuePhrase(PhraseSource& phrases, PhraseLayout& layout, const SessionValuesInForce& values,
                   QSize screen, std::uint32_t frameTime, RandomCells& cells) {
    if (phrases.TakeDropRequest())
        DropPhrase(layout);
    if (!PhraseDue(layout, values, frameTime))
        return false;
    try {
        auto text = phrases.ReadNextPhrase();
        if (!text)
            return false;
        TakePhrase(layout, std::move(*text), values, screen, frameTime, cells);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

} // namespace umbrascope
