#pragma once

// The picture of a session frame by frame on the session clock, as the presentation thread
// shows it live: each frame is one pass at its frame time. Events take effect from the first
// frame at or after their time, through the same event playhead as play and the sound export;
// the next phrase is read in the first frame more than PhraseInterval after the current one
// began and shows for PhraseDuration, and random cells come from a generator of the export's
// own, so the same session always gives the same frames.
//
// Thread rule: works on its own copy of the session; one thread at a time.

#include "PhraseRenderer.h"
#include "PhraseSource.h"
#include "model/EventPlayhead.h"
#include "model/Session.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

namespace umbrascope {

class SessionPicture final : private PlaybackActions {
public:
    // The session from `from` ms on a screen of this size; moved media are looked for in
    // projectFolder. The state at `from` is computed as for Play.
    SessionPicture(Session session, std::string projectFolder, std::int32_t from, QSize size);
    ~SessionPicture() override;
    SessionPicture(const SessionPicture&) = delete;
    SessionPicture& operator=(const SessionPicture&) = delete;

    // Draws the frame at frameTime (ms, never before the previous frame's) into frame, which
    // has the screen's size (Format_RGB32). False, leaving frame untouched, when the pattern
    // in force draws nothing: the screen keeps showing the frame before.
    bool Draw(std::uint32_t frameTime, QImage& frame);

    // The phrase in force after the last frame drawn.
    const PhraseLayout& CurrentPhrase() const { return layout_; }

    // What the user is told (Windows-1251), each once: events whose values could not be
    // applied.
    const std::vector<UserText>& Problems() const { return problems_; }

private:
    void StartTrack(const std::string&, std::int32_t, std::uint32_t) override {}
    void StopTrack(std::uint32_t) override {}
    void SwitchPhraseFile(const std::optional<std::string>& path) override;
    void Report(const UserText& message) override;

    Session session_;
    SessionValuesInForce state_;
    EventPlayhead playhead_;
    QSize size_;
    PhraseSource phrases_;
    PhraseLayout layout_;
    RandomCells cells_;
    std::vector<UserText> problems_;
};

} // namespace umbrascope
