#pragma once

// The session model: one open session held in process-wide variables. Every string is the
// exact Windows-1251 bytes a project file holds (see Cp1251.h for the Unicode boundary).
//
// Thread rule: only the user-interface thread writes these variables. Other threads read the
// state in force through CurrentValuesView(), which the writer republishes after each change.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using TColor = std::uint32_t; // 0x00BBGGRR

struct TWaveEntry {
    std::string Track;
    std::int32_t AddTime = 0;

    bool operator==(const TWaveEntry&) const = default;
};

// Every setting but the track list. Project files store them around the track list in the
// order ProjectFile.cpp writes them.
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

// The session header, the two settings records and the event list.
extern std::string SessionName;
extern std::string SessionAuthor;
extern std::string SessionDescription; // lines separated by CR LF
extern std::int32_t SessionLength;     // ms
extern std::string ProjectFileName;    // empty for a new project
extern TSessionValues StartValues;
extern TCurrentValues CurrentValues;
extern std::vector<TSessionEvent> Events; // sorted by time, ties in insertion order
extern std::atomic<bool> IsPlaying;
extern std::int32_t SessionPosition; // ms

// Makes the open session a new, empty project and computes the state at time 0.
void ResetProject();

// Thread safe, non-blocking: the state in force as last published by the user-interface
// thread. Never null.
std::shared_ptr<const TCurrentValues> CurrentValuesView();

// User-interface thread only: makes the present CurrentValues visible to other threads.
void PublishCurrentValues();
