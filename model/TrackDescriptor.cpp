#include "TrackDescriptor.h"

#include "model/Cp1251.h"
#include "model/MediaPath.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace umbrascope {

namespace {

// Generator fields start after the five-character prefix ".&0N%".
constexpr std::size_t FieldsStart = 5;

TrackKind GeneratorKind(std::string_view descriptor) {
    if (descriptor.size() < 4 || !descriptor.starts_with(".&0"))
        return TrackKind::Unknown;
    switch (descriptor[3]) {
    case '1':
        return TrackKind::Binaural;
    case '2':
        return TrackKind::FrequencyModulation;
    case '3':
        return TrackKind::Noise;
    case '4':
        return TrackKind::Sine;
    default:
        return TrackKind::Unknown;
    }
}

// Splits the fields after the prefix: each of the first count - 1 fields ends at the next "@",
// the last one runs to the end. Fewer fields come back when separators are missing, the last
// of them running to the end.
std::vector<std::string_view> SplitFields(std::string_view descriptor, std::size_t count) {
    std::vector<std::string_view> fields;
    if (descriptor.size() < FieldsStart)
        return fields;
    std::string_view rest = descriptor.substr(FieldsStart);
    while (fields.size() + 1 < count) {
        const auto at = rest.find('@');
        if (at == std::string_view::npos)
            break;
        fields.push_back(rest.substr(0, at));
        rest = rest.substr(at + 1);
    }
    fields.push_back(rest);
    return fields;
}

// The sine descriptor's channel is the character right after the first "@" and its volume
// starts two characters further on.
struct SineFields {
    std::string_view Frequency;
    std::optional<char> Channel;
    std::string_view Volume;
};

SineFields SplitSineFields(std::string_view descriptor) {
    SineFields fields;
    if (descriptor.size() < FieldsStart)
        return fields;
    const std::string_view rest = descriptor.substr(FieldsStart);
    const auto at = rest.find('@');
    fields.Frequency = rest.substr(0, at);
    if (at == std::string_view::npos || at + 1 >= rest.size())
        return fields;
    fields.Channel = rest[at + 1];
    if (at + 3 <= rest.size())
        fields.Volume = rest.substr(at + 3);
    return fields;
}

std::optional<double> ParseReal(std::string_view field) {
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> ParseInteger(std::string_view field) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return static_cast<double>(value);
}

std::optional<double> ParseLevel(std::string_view field) {
    const auto volume = ParseInteger(field);
    return volume ? std::optional(*volume / 100.0) : std::nullopt;
}

std::optional<ToneParams> ParseBinaural(std::string_view descriptor) {
    const auto fields = SplitFields(descriptor, 3);
    if (fields.size() != 3)
        return std::nullopt;
    const auto beat = ParseReal(fields[0]);
    const auto carrier = ParseInteger(fields[1]);
    const auto level = ParseLevel(fields[2]);
    if (!beat || !carrier || !level)
        return std::nullopt;
    return ToneParams{
        .Kind = TrackKind::Binaural, .Freq1 = *beat, .Carrier = *carrier, .Level = *level};
}

std::optional<ToneParams> ParseModulation(std::string_view descriptor) {
    const auto fields = SplitFields(descriptor, 4);
    if (fields.size() != 4)
        return std::nullopt;
    const auto modulation = ParseReal(fields[0]);
    const auto carrier = ParseInteger(fields[1]);
    const auto deviation = ParseInteger(fields[2]);
    const auto level = ParseLevel(fields[3]);
    if (!modulation || !carrier || !deviation || !level)
        return std::nullopt;
    return ToneParams{.Kind = TrackKind::FrequencyModulation,
                      .Freq1 = *modulation,
                      .Carrier = *carrier,
                      .Deviation = *deviation,
                      .Level = *level};
}

std::optional<ToneParams> ParseNoise(std::string_view descriptor) {
    // The first field carries no meaning; only the volume after it counts.
    const auto fields = SplitFields(descriptor, 2);
    if (fields.size() != 2)
        return std::nullopt;
    const auto level = ParseLevel(fields[1]);
    if (!level)
        return std::nullopt;
    return ToneParams{.Kind = TrackKind::Noise, .Level = *level};
}

std::optional<ToneParams> ParseSine(std::string_view descriptor) {
    const SineFields fields = SplitSineFields(descriptor);
    const auto frequency = ParseReal(fields.Frequency);
    const auto level = ParseLevel(fields.Volume);
    if (!frequency || !fields.Channel || !level)
        return std::nullopt;
    // A channel that is not a digit plays on neither side, like any channel above 2.
    const char channel = *fields.Channel;
    const auto channelValue =
        static_cast<std::uint8_t>(channel >= '0' && channel <= '9' ? channel - '0' : 255);
    return ToneParams{
        .Kind = TrackKind::Sine, .Freq1 = *frequency, .Channel = channelValue, .Level = *level};
}

// A descriptor's field as text for the user.
std::string FieldText(std::string_view field) {
    return Cp1251ToUtf8(field);
}

std::string FieldAt(const std::vector<std::string_view>& fields, std::size_t index) {
    return index < fields.size() ? FieldText(fields[index]) : std::string();
}

// The sine's channel is part of the sentence, so each has a text of its own.
TextSource SineText(std::optional<char> channel) {
    switch (channel.value_or(' ')) {
    case '0':
        return Translatable("umbrascope::TrackDescriptor", "Синусойда: %1 Гц, Оба, %2 %");
    case '1':
        return Translatable("umbrascope::TrackDescriptor", "Синусойда: %1 Гц, Левый, %2 %");
    case '2':
        return Translatable("umbrascope::TrackDescriptor", "Синусойда: %1 Гц, Правый, %2 %");
    default:
        return Translatable("umbrascope::TrackDescriptor", "Синусойда: %1 Гц, %2 %");
    }
}

} // namespace

TrackKind PlaybackKind(std::string_view descriptor) {
    const std::string extension = AnsiUpperCase(ExtractFileExt(descriptor));
    if (extension == ".WAV")
        return TrackKind::Wav;
    if (extension == ".MP3")
        return TrackKind::Mp3;
    return GeneratorKind(descriptor);
}

bool SameTrack(std::string_view a, std::string_view b) {
    return AnsiSameText(a, b);
}

UserText TrackShownText(std::string_view descriptor) {
    if (!descriptor.starts_with(".&"))
        return UserText::Verbatim(FieldText(ExtractFileName(descriptor)));
    switch (GeneratorKind(descriptor)) {
    case TrackKind::Binaural: {
        const auto f = SplitFields(descriptor, 3);
        return {
            Translatable("umbrascope::TrackDescriptor", "Бинауральные биения: %1 Гц, %2 Гц, %3 %"),
            {FieldAt(f, 0), FieldAt(f, 1), FieldAt(f, 2)}};
    }
    case TrackKind::FrequencyModulation: {
        const auto f = SplitFields(descriptor, 4);
        return {Translatable("umbrascope::TrackDescriptor",
                             "Частотная модуляция: %1 Гц, %2 Гц, %3 Гц, %4 %"),
                {FieldAt(f, 0), FieldAt(f, 1), FieldAt(f, 2), FieldAt(f, 3)}};
    }
    case TrackKind::Noise: {
        const auto at = descriptor.find('@');
        const std::string_view volume =
            at == std::string_view::npos ? std::string_view() : descriptor.substr(at + 1);
        return {Translatable("umbrascope::TrackDescriptor", "Белый шум: %1 %"),
                {FieldText(volume)}};
    }
    case TrackKind::Sine: {
        const SineFields f = SplitSineFields(descriptor);
        return {SineText(f.Channel), {FieldText(f.Frequency), FieldText(f.Volume)}};
    }
    default:
        return UserText::Verbatim(FieldText(descriptor));
    }
}

std::string TrackDisplayText(std::string_view descriptor) {
    return Cp1251Literal(TrackShownText(descriptor).Text());
}

std::optional<ToneParams> ParseToneDescriptor(std::string_view descriptor) {
    switch (GeneratorKind(descriptor)) {
    case TrackKind::Binaural:
        return ParseBinaural(descriptor);
    case TrackKind::FrequencyModulation:
        return ParseModulation(descriptor);
    case TrackKind::Noise:
        return ParseNoise(descriptor);
    case TrackKind::Sine:
        return ParseSine(descriptor);
    default:
        return std::nullopt;
    }
}

} // namespace umbrascope
