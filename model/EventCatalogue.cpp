#include "EventCatalogue.h"

#include "Cp1251.h"

#include <array>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace umbrascope {

namespace {

using S = SessionSettings;

// A catalogue row as written here, in UTF-8. The windows show the name and the description
// translated; project files keep the Russian bytes.
struct Row {
    EventKind kind;
    TextSource name;
    TextSource description;
    EventValueKind valueKind;
    SettingsField field;
    bool switchesOn = false;
};

const std::array<Row, EventTypeCount> Rows = {{
    {EventKind::Undefined, Translatable("umbrascope::EventCatalogue", "Не определен"),
     Translatable("umbrascope::EventCatalogue", "Тип события не определен"), EventValueKind::None,
     std::monostate{}},
    {EventKind::TextOn, Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Включить"),
     Translatable("umbrascope::EventCatalogue", "Включает показ текстовых фраз"),
     EventValueKind::Switch, &S::TextEnabled, true},
    {EventKind::TextOff, Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Выключить"),
     Translatable("umbrascope::EventCatalogue", "Выключает показ текстовых фраз"),
     EventValueKind::Switch, &S::TextEnabled, false},
    {EventKind::TextFont, Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Шрифт"),
     Translatable("umbrascope::EventCatalogue", "Изменяет шрифт текстовых фраз"),
     EventValueKind::FontName, &S::FontName},
    {EventKind::TextFontStyle,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Стиль шрифта"),
     Translatable("umbrascope::EventCatalogue", "Изменяет стиль шрифта текстовых фраз"),
     EventValueKind::FontStyle, &S::FontStyle},
    {EventKind::TextColor, Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Цвет"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет текстовых фраз"),
     EventValueKind::Color, &S::TextColor},
    {EventKind::OutlineOn,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Включить обводку"),
     Translatable("umbrascope::EventCatalogue", "Включает обводку текстовых фраз на фоне"),
     EventValueKind::Switch, &S::OutlineEnabled, true},
    {EventKind::OutlineOff,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Выключить обводку"),
     Translatable("umbrascope::EventCatalogue", "Выключает обводку текстовых фраз"),
     EventValueKind::Switch, &S::OutlineEnabled, false},
    {EventKind::OutlineColor,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Цвет обводки"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет обводки текстовых фраз"),
     EventValueKind::Color, &S::OutlineColor},
    {EventKind::TextTransparency,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Прозрачность"),
     Translatable("umbrascope::EventCatalogue", "Изменяет прозрачность текстовой фразы"),
     EventValueKind::Percent, &S::Transparency},
    {EventKind::TextPosition,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Позиция"),
     Translatable("umbrascope::EventCatalogue", "Изменяет позицию вывода текстовых фраз"),
     EventValueKind::TextPosition, &S::TextPosition},
    {EventKind::TextWidth, Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Ширина"),
     Translatable("umbrascope::EventCatalogue", "Изменяет ширину текстовых фраз"),
     EventValueKind::TextWidth, &S::TextWidth},
    {EventKind::PhraseDuration,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Длительность"),
     Translatable("umbrascope::EventCatalogue",
                  "Изменяет длительность показа одной текстовой фразы"),
     EventValueKind::Milliseconds, &S::PhraseDuration},
    {EventKind::PhraseInterval,
     Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Интервал"),
     Translatable("umbrascope::EventCatalogue", "Изменяет интервал между показами текстовых фраз"),
     EventValueKind::Milliseconds, &S::PhraseInterval},
    {EventKind::PhraseFile, Translatable("umbrascope::EventCatalogue", "Текстовые фразы -> Файл"),
     Translatable("umbrascope::EventCatalogue", "Изменяет файл содержащий текстовые фразы"),
     EventValueKind::PhraseFile, &S::PhraseFile},
    {EventKind::AudioOn,
     Translatable("umbrascope::EventCatalogue", "Аудиосопровождение -> Включить"),
     Translatable("umbrascope::EventCatalogue", "Включает аудиосопровождение"),
     EventValueKind::Switch, &S::AudioEnabled, true},
    {EventKind::AudioOff,
     Translatable("umbrascope::EventCatalogue", "Аудиосопровождение -> Выключить"),
     Translatable("umbrascope::EventCatalogue", "Выключает аудиосопровождение"),
     EventValueKind::Switch, &S::AudioEnabled, false},
    {EventKind::AudioVolume,
     Translatable("umbrascope::EventCatalogue", "Аудиосопровождение -> Громкость"),
     Translatable("umbrascope::EventCatalogue", "Изменяет громкость аудиосопровождения"),
     EventValueKind::Percent, &S::AudioVolume},
    {EventKind::AddTrack,
     Translatable("umbrascope::EventCatalogue", "Аудиосопровождение -> Добавить аудиотрек"),
     Translatable("umbrascope::EventCatalogue", "Добавляет аудиодорожку"),
     EventValueKind::TrackToAdd, std::monostate{}},
    {EventKind::RemoveTrack,
     Translatable("umbrascope::EventCatalogue", "Аудиосопровождение -> Убрать аудиотрек"),
     Translatable("umbrascope::EventCatalogue", "Удаляет аудиодорожку"),
     EventValueKind::TrackToRemove, std::monostate{}},
    {EventKind::VideoOn,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Включить"),
     Translatable("umbrascope::EventCatalogue", "Включает видеосопровождение"),
     EventValueKind::Switch, &S::VideoEnabled, true},
    {EventKind::VideoOff,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Выключить"),
     Translatable("umbrascope::EventCatalogue", "Выключает видеосопровождение"),
     EventValueKind::Switch, &S::VideoEnabled, false},
    {EventKind::VideoType, Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Тип"),
     Translatable("umbrascope::EventCatalogue", "Изменяет тип видеосопровождения"),
     EventValueKind::VideoType, &S::VideoType},
    {EventKind::FlickerColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Мерцающий экран - Цвет"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет мерцающего экрана"),
     EventValueKind::Color, &S::FlickerColor},
    {EventKind::FlickerFreq,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Мерцающий экран - Частота"),
     Translatable("umbrascope::EventCatalogue", "Изменяет частоту мерцания экрана"),
     EventValueKind::FlickerFrequency, &S::FlickerFreq},
    {EventKind::SpiralColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Спираль - Цвет"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет спирали"), EventValueKind::Color,
     &S::SpiralColor},
    {EventKind::SpiralBackColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Спираль - Фон"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет фона спирали"),
     EventValueKind::Color, &S::SpiralBackColor},
    {EventKind::SpiralSpeed,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Спираль - Скорость"),
     Translatable("umbrascope::EventCatalogue", "Изменяет скорость вращения спирали"),
     EventValueKind::SpiralSpeed, &S::SpiralSpeed},
    {EventKind::SpiralWidth,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Спираль - Толщина"),
     Translatable("umbrascope::EventCatalogue", "Изменяет толщину спирали"),
     EventValueKind::Thickness, &S::SpiralWidth},
    {EventKind::SpiralDirection,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Спираль - Направление"),
     Translatable("umbrascope::EventCatalogue", "Изменяет направление вращения спирали"),
     EventValueKind::SpiralDirection, &S::SpiralDirection},
    {EventKind::LinesColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Бегущие полосы - Цвет"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет бегущих полос"),
     EventValueKind::Color, &S::LinesColor},
    {EventKind::LinesBackColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Бегущие полосы - Фон"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет фона бегущих полос"),
     EventValueKind::Color, &S::LinesBackColor},
    {EventKind::LinesSpeed,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Бегущие полосы - Скорость"),
     Translatable("umbrascope::EventCatalogue", "Изменяет скорость бегущих полос"),
     EventValueKind::LinesSpeed, &S::LinesSpeed},
    {EventKind::LinesWidth,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Бегущие полосы - Толщина"),
     Translatable("umbrascope::EventCatalogue", "Изменяет размер бегущих полос"),
     EventValueKind::Thickness, &S::LinesWidth},
    {EventKind::LinesDirection,
     Translatable("umbrascope::EventCatalogue",
                  "Видеосопровождение -> Бегущие полосы - Направление"),
     Translatable("umbrascope::EventCatalogue", "Изменяет направление бегущих полос"),
     EventValueKind::LinesDirection, &S::LinesDirection},
    {EventKind::CirclesColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Окружности - Цвет"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет окружностей"), EventValueKind::Color,
     &S::CirclesColor},
    {EventKind::CirclesBackColor,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Окружности - Фон"),
     Translatable("umbrascope::EventCatalogue", "Изменяет цвет фона окружностей"),
     EventValueKind::Color, &S::CirclesBackColor},
    {EventKind::CirclesFreq,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Окружности - Частота"),
     Translatable("umbrascope::EventCatalogue", "Изменяет частоту колебаний окружностей"),
     EventValueKind::CirclesFrequency, &S::CirclesFreq},
    {EventKind::CirclesWidth,
     Translatable("umbrascope::EventCatalogue", "Видеосопровождение -> Окружности - Толщина"),
     Translatable("umbrascope::EventCatalogue", "Изменяет размер окружностей"),
     EventValueKind::Thickness, &S::CirclesWidth},
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

// Integer values stored into a setting of this width keep their low bits.
template <typename Field> void StoreCut(Field& field, std::int32_t value) {
    field = static_cast<Field>(static_cast<std::uint32_t>(value));
}

// Sets the row's setting from the event: a switch sets its flag, a text is taken unchanged,
// an integer is converted and cut to the setting's width.
std::optional<std::string> ApplyToSetting(SessionValuesInForce& values, const EventType& type,
                                          const std::string& value) {
    return std::visit(
        [&](auto field) -> std::optional<std::string> {
            using Field = decltype(field);
            if constexpr (std::is_same_v<Field, std::monostate>) {
                return std::nullopt;
            } else if constexpr (std::is_same_v<Field, bool S::*>) {
                values.*field = type.switchesOn;
                return std::nullopt;
            } else if constexpr (std::is_same_v<Field, std::string S::*>) {
                values.*field = value;
                return std::nullopt;
            } else {
                const auto number = ParseEventInteger(value);
                if (!number)
                    return InvalidIntegerMessage(value);
                StoreCut(values.*field, *number);
                return std::nullopt;
            }
        },
        type.field);
}

} // namespace

const std::vector<EventType>& EventTypes() {
    static const std::vector<EventType> catalogue = [] {
        std::vector<EventType> types;
        types.reserve(Rows.size());
        for (const Row& row : Rows)
            types.push_back({row.kind, Cp1251Literal(row.name.source),
                             Cp1251Literal(row.description.source), row.name, row.description,
                             row.valueKind, row.field, row.switchesOn});
        return types;
    }();
    return catalogue;
}

const EventType& EventTypeOf(EventKind kind) {
    return EventTypes().at(static_cast<std::size_t>(kind));
}

const EventType* FindEventType(std::string_view name) {
    static const std::unordered_map<std::string_view, const EventType*> byName = [] {
        std::unordered_map<std::string_view, const EventType*> map;
        for (const EventType& type : EventTypes())
            map.emplace(type.name, &type);
        return map;
    }();
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

std::optional<EventKind> EventKindOf(std::string_view name) {
    if (const EventType* type = FindEventType(name))
        return type->kind;
    return std::nullopt;
}

const std::string& EventTypeName(EventKind kind) {
    return EventTypeOf(kind).name;
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

std::optional<std::string> ApplyEvent(SessionValuesInForce& values, const TSessionEvent& event) {
    const EventType* type = FindEventType(event.EventType);
    if (!type)
        return std::nullopt;
    switch (type->valueKind) {
    case EventValueKind::TrackToAdd:
        values.Waves.push_back({event.EventValue, event.EventTime});
        return std::nullopt;
    case EventValueKind::TrackToRemove:
        if (const auto index = FindTrack(values.Waves, event.EventValue))
            values.Waves.erase(values.Waves.begin() + static_cast<std::ptrdiff_t>(*index));
        return std::nullopt;
    default:
        return ApplyToSetting(values, *type, event.EventValue);
    }
}

std::optional<std::size_t> FindTrack(const std::vector<TWaveEntry>& waves,
                                     std::string_view descriptor) {
    for (std::size_t i = 0; i < waves.size(); ++i)
        if (AnsiSameText(waves[i].Track, descriptor))
            return i;
    return std::nullopt;
}

} // namespace umbrascope
