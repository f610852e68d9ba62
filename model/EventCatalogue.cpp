#include "EventCatalogue.h"

#include "Cp1251.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <utility>

namespace {

constexpr std::array<std::pair<const char*, const char*>, EventTypeCount> kCatalogueUtf8 = {{
    {"Не определен", "Тип события не определен"},
    {"Текстовые фразы -> Включить", "Включает показ текстовых фраз"},
    {"Текстовые фразы -> Выключить", "Выключает показ текстовых фраз"},
    {"Текстовые фразы -> Шрифт", "Изменяет шрифт текстовых фраз"},
    {"Текстовые фразы -> Стиль шрифта", "Изменяет стиль шрифта текстовых фраз"},
    {"Текстовые фразы -> Цвет", "Изменяет цвет текстовых фраз"},
    {"Текстовые фразы -> Включить обводку", "Включает обводку текстовых фраз на фоне"},
    {"Текстовые фразы -> Выключить обводку", "Выключает обводку текстовых фраз"},
    {"Текстовые фразы -> Цвет обводки", "Изменяет цвет обводки текстовых фраз"},
    {"Текстовые фразы -> Прозрачность", "Изменяет прозрачность текстовой фразы"},
    {"Текстовые фразы -> Позиция", "Изменяет позицию вывода текстовых фраз"},
    {"Текстовые фразы -> Ширина", "Изменяет ширину текстовых фраз"},
    {"Текстовые фразы -> Длительность", "Изменяет длительность показа одной текстовой фразы"},
    {"Текстовые фразы -> Интервал", "Изменяет интервал между показами текстовых фраз"},
    {"Текстовые фразы -> Файл", "Изменяет файл содержащий текстовые фразы"},
    {"Аудиосопровождение -> Включить", "Включает аудиосопровождение"},
    {"Аудиосопровождение -> Выключить", "Выключает аудиосопровождение"},
    {"Аудиосопровождение -> Громкость", "Изменяет громкость аудиосопровождения"},
    {"Аудиосопровождение -> Добавить аудиотрек", "Добавляет аудиодорожку"},
    {"Аудиосопровождение -> Убрать аудиотрек", "Удаляет аудиодорожку"},
    {"Видеосопровождение -> Включить", "Включает видеосопровождение"},
    {"Видеосопровождение -> Выключить", "Выключает видеосопровождение"},
    {"Видеосопровождение -> Тип", "Изменяет тип видеосопровождения"},
    {"Видеосопровождение -> Мерцающий экран - Цвет", "Изменяет цвет мерцающего экрана"},
    {"Видеосопровождение -> Мерцающий экран - Частота", "Изменяет частоту мерцания экрана"},
    {"Видеосопровождение -> Спираль - Цвет", "Изменяет цвет спирали"},
    {"Видеосопровождение -> Спираль - Фон", "Изменяет цвет фона спирали"},
    {"Видеосопровождение -> Спираль - Скорость", "Изменяет скорость вращения спирали"},
    {"Видеосопровождение -> Спираль - Толщина", "Изменяет толщину спирали"},
    {"Видеосопровождение -> Спираль - Направление", "Изменяет направление вращения спирали"},
    {"Видеосопровождение -> Бегущие полосы - Цвет", "Изменяет цвет бегущих полос"},
    {"Видеосопровождение -> Бегущие полосы - Фон", "Изменяет цвет фона бегущих полос"},
    {"Видеосопровождение -> Бегущие полосы - Скорость", "Изменяет скорость бегущих полос"},
    {"Видеосопровождение -> Бегущие полосы - Толщина", "Изменяет размер бегущих полос"},
    {"Видеосопровождение -> Бегущие полосы - Направление", "Изменяет направление бегущих полос"},
    {"Видеосопровождение -> Окружности - Цвет", "Изменяет цвет окружностей"},
    {"Видеосопровождение -> Окружности - Фон", "Изменяет цвет фона окружностей"},
    {"Видеосопровождение -> Окружности - Частота", "Изменяет частоту колебаний окружностей"},
    {"Видеосопровождение -> Окружности - Толщина", "Изменяет размер окружностей"},
}};

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// Integer values stored into a field of this width keep their low bits.
template <typename Field> void StoreCut(Field& field, std::int32_t value) {
    field = static_cast<Field>(static_cast<std::uint32_t>(value));
}

void ApplyRemoval(std::vector<TWaveEntry>& waves, std::string_view descriptor) {
    if (const auto index = FindTrack(waves, descriptor))
        waves.erase(waves.begin() + static_cast<std::ptrdiff_t>(*index));
}

// The field an integer-valued event writes, or nothing for the other kinds.
bool StoreInteger(TCurrentValues& v, EventKind kind, std::int32_t n) {
    switch (kind) {
    case EventKind::TextFontStyle:
        StoreCut(v.FontStyle, n);
        return true;
    case EventKind::TextColor:
        StoreCut(v.TextColor, n);
        return true;
    case EventKind::OutlineColor:
        StoreCut(v.OutlineColor, n);
        return true;
    case EventKind::TextTransparency:
        StoreCut(v.Transparency, n);
        return true;
    case EventKind::TextPosition:
        StoreCut(v.TextPosition, n);
        return true;
    case EventKind::TextWidth:
        StoreCut(v.TextWidth, n);
        return true;
    case EventKind::PhraseDuration:
        StoreCut(v.PhraseDuration, n);
        return true;
    case EventKind::PhraseInterval:
        StoreCut(v.PhraseInterval, n);
        return true;
    case EventKind::AudioVolume:
        StoreCut(v.AudioVolume, n);
        return true;
    case EventKind::VideoType:
        StoreCut(v.VideoType, n);
        return true;
    case EventKind::FlickerColor:
        StoreCut(v.FlickerColor, n);
        return true;
    case EventKind::FlickerFreq:
        StoreCut(v.FlickerFreq, n);
        return true;
    case EventKind::SpiralColor:
        StoreCut(v.SpiralColor, n);
        return true;
    case EventKind::SpiralBackColor:
        StoreCut(v.SpiralBackColor, n);
        return true;
    case EventKind::SpiralSpeed:
        StoreCut(v.SpiralSpeed, n);
        return true;
    case EventKind::SpiralWidth:
        StoreCut(v.SpiralWidth, n);
        return true;
    case EventKind::SpiralDirection:
        StoreCut(v.SpiralDirection, n);
        return true;
    case EventKind::LinesColor:
        StoreCut(v.LinesColor, n);
        return true;
    case EventKind::LinesBackColor:
        StoreCut(v.LinesBackColor, n);
        return true;
    case EventKind::LinesSpeed:
        StoreCut(v.LinesSpeed, n);
        return true;
    case EventKind::LinesWidth:
        StoreCut(v.LinesWidth, n);
        return true;
    case EventKind::LinesDirection:
        StoreCut(v.LinesDirection, n);
        return true;
    case EventKind::CirclesColor:
        StoreCut(v.CirclesColor, n);
        return true;
    case EventKind::CirclesBackColor:
        StoreCut(v.CirclesBackColor, n);
        return true;
    case EventKind::CirclesFreq:
        StoreCut(v.CirclesFreq, n);
        return true;
    case EventKind::CirclesWidth:
        StoreCut(v.CirclesWidth, n);
        return true;
    default:
        return false;
    }
}

bool IsIntegerValued(EventKind kind) {
    switch (kind) {
    case EventKind::Undefined:
    case EventKind::TextOn:
    case EventKind::TextOff:
    case EventKind::TextFont:
    case EventKind::OutlineOn:
    case EventKind::OutlineOff:
    case EventKind::PhraseFile:
    case EventKind::AudioOn:
    case EventKind::AudioOff:
    case EventKind::AddTrack:
    case EventKind::RemoveTrack:
    case EventKind::VideoOn:
    case EventKind::VideoOff:
        return false;
    default:
        return true;
    }
}

// The kinds that switch a flag or take their value as text.
void ApplyNonInteger(TCurrentValues& v, EventKind kind, const TSessionEvent& event) {
    switch (kind) {
    case EventKind::TextOn:
        v.TextEnabled = true;
        break;
    case EventKind::TextOff:
        v.TextEnabled = false;
        break;
    case EventKind::TextFont:
        v.FontName = event.EventValue;
        break;
    case EventKind::OutlineOn:
        v.OutlineEnabled = true;
        break;
    case EventKind::OutlineOff:
        v.OutlineEnabled = false;
        break;
    case EventKind::PhraseFile:
        v.PhraseFile = event.EventValue;
        break;
    case EventKind::AudioOn:
        v.AudioEnabled = true;
        break;
    case EventKind::AudioOff:
        v.AudioEnabled = false;
        break;
    case EventKind::AddTrack:
        v.Waves.push_back({event.EventValue, event.EventTime});
        break;
    case EventKind::RemoveTrack:
        ApplyRemoval(v.Waves, event.EventValue);
        break;
    case EventKind::VideoOn:
        v.VideoEnabled = true;
        break;
    case EventKind::VideoOff:
        v.VideoEnabled = false;
        break;
    default:
        break;
    }
}

} // namespace

const std::vector<TEventTypeInfo>& EventTypes() {
    static const std::vector<TEventTypeInfo> catalogue = [] {
        std::vector<TEventTypeInfo> entries;
        entries.reserve(kCatalogueUtf8.size());
        for (const auto& [name, description] : kCatalogueUtf8)
            entries.push_back({Cp1251Literal(name), Cp1251Literal(description)});
        return entries;
    }();
    return catalogue;
}

std::optional<EventKind> EventKindOf(std::string_view name) {
    static const std::unordered_map<std::string_view, EventKind> byName = [] {
        std::unordered_map<std::string_view, EventKind> map;
        const auto& types = EventTypes();
        for (std::size_t i = 0; i < types.size(); ++i)
            map.emplace(types[i].Name, static_cast<EventKind>(i));
        return map;
    }();
    const auto found = byName.find(name);
    if (found == byName.end())
        return std::nullopt;
    return found->second;
}

const std::string& EventTypeName(EventKind kind) {
    return EventTypes().at(static_cast<std::size_t>(kind)).Name;
}

std::optional<std::int32_t> ParseEventInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' &&
               (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size())
        return std::nullopt;
    // Decimal values must fit the signed range; hexadecimal ones may use all 32 bits.
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const auto digit = HexDigit(text[pos]);
        if (!digit || *digit >= base)
            return std::nullopt;
        magnitude =
            magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(*digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<std::uint32_t>(magnitude);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
}

std::string InvalidIntegerMessage(std::string_view value) {
    return "'" + std::string(value) + "' is not a valid integer value";
}

std::optional<std::string> ApplyEvent(TCurrentValues& values, const TSessionEvent& event) {
    const auto kind = EventKindOf(event.EventType);
    if (!kind)
        return std::nullopt;
    if (IsIntegerValued(*kind)) {
        const auto number = ParseEventInteger(event.EventValue);
        if (!number)
            return InvalidIntegerMessage(event.EventValue);
        StoreInteger(values, *kind, *number);
        return std::nullopt;
    }
    ApplyNonInteger(values, *kind, event);
    return std::nullopt;
}

std::optional<std::size_t> FindTrack(const std::vector<TWaveEntry>& waves,
                                     std::string_view descriptor) {
    for (std::size_t i = 0; i < waves.size(); ++i)
        if (AnsiSameText(waves[i].Track, descriptor))
            return i;
    return std::nullopt;
}
