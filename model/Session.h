#pragma once

// A session as values: the settings record, the event record and everything one project holds.
// Every string is the exact Windows-1251 bytes a project file holds (see Cp1251.h for the
// Unicode boundary). Computations take these values, so they can run on any thread.

#include <cstdint>
#include <string>
#include <vector>

namespace umbrascope {

using BgrColor = std::uint32_t; // 0x00BBGGRR

struct TWaveEntry {
    std::string Track;
    std::int32_t AddTime = 0;

    bool operator==(const TWaveEntry&) const = default;
};

// Every setting but the track list. Project files store them around the track list in the
// order SettingsFields.h gives.
struct SessionSettings {
    bool TextEnabled = true;
    std::string FontName = "Arial";
    std::uint8_t FontStyle = 0;
    BgrColor TextColor = 0x000000;
    bool OutlineEnabled = true;
    BgrColor OutlineColor = 0xFFFFFF;
    std::uint8_t Transparency = 0;
    std::uint8_t TextPosition = 5;
    std::uint8_t TextWidth = 100;
    std::int32_t PhraseDuration = 50;
    std::int32_t PhraseInterval = 1000;
    std::string PhraseFile;
    bool AudioEnabled = true;
    std::uint8_t AudioVolume = 100;
    bool VideoEnabled = true;
    std::uint8_t VideoType = 1;
    BgrColor FlickerColor = 0x000080;
    std::int32_t FlickerFreq = 8000;
    BgrColor SpiralColor = 0x0000FF;
    BgrColor SpiralBackColor = 0xFF0000;
    std::uint16_t SpiralSpeed = 88;
    std::uint16_t SpiralWidth = 10;
    std::uint8_t SpiralDirection = 0;
    BgrColor LinesColor = 0x800000;
    BgrColor LinesBackColor = 0xF0CAA6;
    std::uint16_t LinesSpeed = 4;
    std::uint16_t LinesWidth = 15;
    std::uint8_t LinesDirection = 2;
    BgrColor CirclesColor = 0x000080;
    BgrColor CirclesBackColor = 0x00FFFF;
    std::int32_t CirclesFreq = 2000;
    std::uint16_t CirclesWidth = 20;

    bool operator==(const SessionSettings&) const = default;
};

// The settings record. StartValues lists its tracks as descriptors; CurrentValues lists them
// with the session time at which they joined.
template <typename WaveT> struct SessionValuesOf : SessionSettings {
    std::vector<WaveT> Waves;

    bool operator==(const SessionValuesOf&) const = default;
};

using TSessionValues = SessionValuesOf<std::string>;
using SessionValuesInForce = SessionValuesOf<TWaveEntry>;

struct TSessionEvent {
    std::string EventType;
    std::int32_t EventTime = 0;
    std::string EventValue;

    bool operator==(const TSessionEvent&) const = default;
};

constexpr std::int32_t DefaultSessionLength = 1800000;

// The last position in a session of this length: 0 for a length of 0 or less, which only a
// damaged file holds.
constexpr std::int32_t LastPositionIn(std::int32_t sessionLength) {
    return sessionLength > 0 ? sessionLength - 1 : 0;
}

// Everything one project holds: the header, the start values and the event list (sorted by
// time, ties in insertion order).
struct Session {
    std::string SessionName;
    std::string SessionAuthor;
    std::string SessionDescription;                    // lines separated by CR LF
    std::int32_t SessionLength = DefaultSessionLength; // ms
    TSessionValues StartValues;
    std::vector<TSessionEvent> Events;

    bool operator==(const Session&) const = default;
};

} // namespace umbrascope
