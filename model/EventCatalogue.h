#pragma once

// The fixed catalogue of event types and the effect of one event on the settings in force.
// Types are identified by their Windows-1251 names alone, compared byte for byte.

#include "Common.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class EventKind : int {
    Undefined = 0,
    TextOn,
    TextOff,
    TextFont,
    TextFontStyle,
    TextColor,
    OutlineOn,
    OutlineOff,
    OutlineColor,
    TextTransparency,
    TextPosition,
    TextWidth,
    PhraseDuration,
    PhraseInterval,
    PhraseFile,
    AudioOn,
    AudioOff,
    AudioVolume,
    AddTrack,
    RemoveTrack,
    VideoOn,
    VideoOff,
    VideoType,
    FlickerColor,
    FlickerFreq,
    SpiralColor,
    SpiralBackColor,
    SpiralSpeed,
    SpiralWidth,
    SpiralDirection,
    LinesColor,
    LinesBackColor,
    LinesSpeed,
    LinesWidth,
    LinesDirection,
    CirclesColor,
    CirclesBackColor,
    CirclesFreq,
    CirclesWidth,
};

constexpr int EventTypeCount = 39;

struct TEventTypeInfo {
    std::string Name;        // Windows-1251, as stored in project files
    std::string Description; // Windows-1251
};

// The 39 entries in catalogue order; built once, on first use.
const std::vector<TEventTypeInfo>& EventTypes();

// The catalogue entry whose name equals this one byte for byte, if any.
std::optional<EventKind> EventKindOf(std::string_view name);

const std::string& EventTypeName(EventKind kind);

// Integer text as the event values hold it: leading blanks and a sign are accepted, a "$" or
// "0x" prefix reads hexadecimal digits; anything else, an empty text included, is refused.
std::optional<std::int32_t> ParseEventInteger(std::string_view text);

// "'%s' is not a valid integer value" for this value (Windows-1251).
std::string InvalidIntegerMessage(std::string_view value);

// Applies one event to the settings the way the state computation does: an added track is
// appended with the event's time, a removal takes the first entry that matches regardless of
// letter case. Returns the message when the value is not a valid integer; the settings are
// then unchanged. Unknown types and entry 0 change nothing.
std::optional<std::string> ApplyEvent(TCurrentValues& values, const TSessionEvent& event);

// The first entry (from the start) whose track equals the descriptor regardless of case.
std::optional<std::size_t> FindTrack(const std::vector<TWaveEntry>& waves,
                                     std::string_view descriptor);
