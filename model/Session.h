#pragma once

// A session as values: the settings record, the event record and everything one project holds.
// Every string is the exact Windows-1251 bytes a project file holds (see Cp1251.h for the
// Unicode boundary). Computations take these values, so they can run on any thread.

#include <cstdint>
#include <string>
#include <vector>

using TColor = std::uint32_t; // 0x00BBGGRR

struct TWaveEntry {
    std::string Track;
    std::int32_t AddTime = 0;

    bool operator==(const TWaveEntry&) const = default;
};

// Every setting but the track list. Project files store them around the track list in the
// order SettingsFields.h gives.
struct TSessionSettings {
    bool TextEnabled = true;
    std::string FontName = "Arial";
    std::uint8_t FontStyle = 0;
    TColor TextColor = 0x000000;
    bool OutlineEnabled = true;
    TColor OutlineColor = 0xFFFFFF;
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
    TColor FlickerColor = 0x000080;
    std::int32_t FlickerFreq = 8000;
    TColor SpiralColor = 0x0000FF;
    TColor SpiralBackColor = 0xFF0000;
    std::uint16_t SpiralSpeed = 88;
    std::uint16_t SpiralWidth = 10;
    std::uint8_t SpiralDirection = 0;
    TColor LinesColor = 0x800000;
    TColor LinesBackColor = 0xF0CAA6;
    std::uint16_t LinesSpeed = 4;
    std::uint16_t LinesWidth = 15;
    std::uint8_t LinesDirection = 2;
    TColor CirclesColor = 0x000080;
    TColor CirclesBackColor = 0x00FFFF;
    std::int32_t CirclesFreq = 2000;
    std::uint16_t CirclesWidth = 20;

    bool operator==(const TSessionSettings&) const = default;
};

// The settings record. StartValues lists its tracks as descriptors; CurrentValues lists them
// with the session time at which they joined.
template <typename WaveT> struct TSessionValuesOf : TSessionSettings {
    std::vector<WaveT> Waves;

    bool operator==(const TSessionValuesOf&) const = default;
};

using TSessionValues = TSessionValuesOf<std::string>;
using TCurrentValues = TSessionValuesOf<TWaveEntry>;

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
