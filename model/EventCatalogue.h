#pragma once

// The fixed catalogue of event types: one row per type with its name, description, the kind of
// value it carries and the setting it changes; and the effect of one event on the settings in
// force. Types are identified by their Windows-1251 names alone, compared byte for byte.
// Everything here is read-only after first use: any thread may call it.

#include "Session.h"
#include "base/UserText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace umbrascope {

// The catalogue's rows in order; the numbers are the rows' places.
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

// What an event's value holds and how it is written.
enum class EventValueKind {
    None,             // no value and no effect
    Switch,           // empty: the event sets a flag
    FontName,         // text: a font face name
    FontStyle,        // decimal 0 to 3
    Color,            // decimal 0x00BBGGRR
    Percent,          // decimal 0 to 100
    TextPosition,     // decimal 1 to 12
    TextWidth,        // "100", "50" or "33"
    Milliseconds,     // decimal
    PhraseFile,       // text: the phrase file's full path
    TrackToAdd,       // text: a track descriptor
    TrackToRemove,    // text: the descriptor of a track in force
    VideoType,        // decimal 0 to 3
    FlickerFrequency, // decimal thousandths of a hertz, five digits ("08000")
    CirclesFrequency, // decimal thousandths of a hertz, four digits ("2000")
    SpiralSpeed,      // decimal, stored as 208 - the speed shown
    LinesSpeed,       // decimal, stored as 11 - the speed shown
    Thickness,        // decimal pixels
    SpiralDirection,  // "0" clockwise, "1" counter-clockwise
    LinesDirection,   // "0" left, "1" right, "2" up, "3" down
};

// The setting an event changes; none for entry 0 and the two track events, which change the
// track list.
using SettingsField =
    std::variant<std::monostate, bool SessionSettings::*, std::string SessionSettings::*,
                 std::uint8_t SessionSettings::*, std::uint16_t SessionSettings::*,
                 std::int32_t SessionSettings::*, std::uint32_t SessionSettings::*>;

struct EventType {
    EventKind kind = EventKind::Undefined;
    std::string name;        // Windows-1251, as stored in project files
    std::string description; // Windows-1251
    TextSource shownName;    // the name and description as the windows show them
    TextSource shownDescription;
    EventValueKind valueKind = EventValueKind::None;
    SettingsField field;
    bool switchesOn = false; // for switches: the flag's new value
};

// The 39 rows in catalogue order; built once, on first use.
const std::vector<EventType>& EventTypes();

// The row of this kind.
const EventType& EventTypeOf(EventKind kind);

// The row whose name equals this one byte for byte, if any.
const EventType* FindEventType(std::string_view name);

// The kind of the row with this name, if any.
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
std::optional<std::string> ApplyEvent(SessionValuesInForce& values, const TSessionEvent& event);

// The first entry (from the start) whose track equals the descriptor regardless of case.
std::optional<std::size_t> FindTrack(const std::vector<TWaveEntry>& waves,
                                     std::string_view descriptor);

} // namespace umbrascope
