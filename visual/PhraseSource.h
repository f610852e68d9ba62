#pragma once

// The phrase file and its hand-over from the playback controller to the presentation thread.
//
// The controller owns the reader: it opens one at Play, may replace it when the phrase file
// changes during play, and closes it at Stop. The thread reads the next line under the same
// lock, so a reader is never closed or replaced while a line is being read from it, and no
// read starts on a reader once the controller has taken it away. A phrase file that is gone
// (Replace with none) also asks the thread to drop its current phrase, which the thread does
// on its next pass: the controller never writes the thread's phrase state itself.

#include "PhraseRenderer.h"
#include "base/FileUtils.h"
#include "base/UserText.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace umbrascope {

// Shown in place of a line that is empty or holds only blanks and control characters.
inline constexpr const char* BlankPhrase = "#####";

// The phrase a line of the file shows: the line itself, or BlankPhrase when it is empty or
// holds only blanks and control characters.
std::string ShownPhrase(std::string line);

// How many bytes of the phrase file one read looks at, at most: a file of zeros or one without
// line feeds is one line of any length, which must not hold the presentation or Stop up.
inline constexpr std::uint32_t PhraseReadSlice = 1u << 20;

// Reads the start of the line at reader.ReadPosition into text, cut at the characters a phrase
// shows, and moves ReadPosition past what it looked at (back to the first line after the
// last). False when the line goes on past PhraseReadSlice bytes: ReadPosition then lies inside
// it, and SkipRestOfPhraseLine passes over the rest. Throws IoError when the file cannot be
// read. Call from one thread at a time per reader.
bool ReadPhraseLineStart(TFile& reader, std::string& text);

// Passes over at most PhraseReadSlice more bytes of a line that ReadPhraseLineStart left
// unfinished; true once the line's end has been passed.
bool SkipRestOfPhraseLine(TFile& reader);

// A phrase file opened for reading from its first line, or not.
struct OpenedPhraseFile {
    std::unique_ptr<TFile> reader; // null when the file cannot be opened or is refused
    // Why a system file (base/SystemFiles.h) is refused: its lines are never drawn, so that
    // /proc/self/environ cannot show the environment's secrets in a picture or a video.
    std::optional<UserText> refusal;
};
OpenedPhraseFile OpenPhraseFileOrRefuse(const std::string& path); // a Windows-1251 path

// The reader alone; null when the file cannot be opened or is a system file.
std::unique_ptr<TFile> OpenPhraseFile(const std::string& path);

class PhraseSource {
public:
    // User-interface thread: phrases come from this reader from now on (null: no phrase file,
    // and the current phrase is to be dropped). The previous reader is closed after a read in
    // progress has finished. Blocks for at most one line read.
    void Replace(std::unique_ptr<TFile> reader);

    // User-interface thread (Stop): closes the reader after a read in progress has finished;
    // no read starts afterwards. Does not drop the current phrase. Blocks for at most one
    // line read.
    void Close();

    // Thread safe: whether a reader is open.
    bool HasReader() const;

    // Thread safe: where the next line starts (0 without a reader).
    std::uint32_t ReadPosition() const;

    // Presentation thread: the next phrase, or empty when no reader is open or the rest of an
    // over-long line is still being passed over (one slice per call). Throws IoError when
    // the file cannot be read.
    std::optional<std::string> ReadNextPhrase();

    // Presentation thread: true once after the phrase file went away.
    bool TakeDropRequest();

private:
    mutable std::mutex mutex_;
    std::unique_ptr<TFile> reader_;
    bool restOfLinePending_ = false;
    bool dropRequested_ = false;
};

// The phrase work of one pass of the presentation, live or exported: drops the phrase when its
// file went away, and reads and lays out the next one when it is due. True when a new phrase
// was taken. An unreadable phrase file takes nothing (the next pass tries again).
bool TakeDuePhrase(PhraseSource& phrases, PhraseLayout& layout, const SessionValuesInForce& values,
                   QSize screen, std::uint32_t frameTime, RandomCells& cells = SharedRandomCells());

} // namespace umbrascope
