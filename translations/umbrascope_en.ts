<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>umbrascope::AudioFileCheck</name>
    <message>
        <source>Файл «%1» не является звуковым файлом WAV.</source>
        <translation>The file “%1” is not a WAV sound file.</translation>
    </message>
    <message>
        <source>Файл «%1» записан не в формате PCM (код формата %2, например A-law или сжатый звук) или в формате PCM, который нельзя воспроизвести; такие файлы не воспроизводятся.</source>
        <translation>The file “%1” is not in PCM format (format code %2, for example A-law or compressed sound) or is in a PCM format that cannot be played; such files are not played.</translation>
    </message>
    <message>
        <source>В файле «%1» нет звуковых данных.</source>
        <translation>The file “%1” holds no sound data.</translation>
    </message>
    <message>
        <source>В файле «%1» нет ни одного кадра MPEG Layer III: это не файл MP3.</source>
        <translation>The file “%1” holds no MPEG Layer III frame: it is not an MP3 file.</translation>
    </message>
    <message>
        <source>Файл «%1» не удаётся раскодировать как MP3.</source>
        <translation>The file “%1” cannot be decoded as MP3.</translation>
    </message>
    <message>
        <source>Файл «%1» не назван как WAV или MP3 (.wav, .mp3).</source>
        <translation>The file “%1” is not named as a WAV or MP3 file (.wav, .mp3).</translation>
    </message>
    <message>
        <source>Файл «%1» не удаётся прочитать: %2</source>
        <translation>The file “%1” cannot be read: %2</translation>
    </message>
</context>
<context>
    <name>umbrascope::EventCatalogue</name>
    <message>
        <source>Не определен</source>
        <translation>Undefined</translation>
    </message>
    <message>
        <source>Тип события не определен</source>
        <translation>The event type is not defined</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Включить</source>
        <translation>Text phrases -&gt; On</translation>
    </message>
    <message>
        <source>Включает показ текстовых фраз</source>
        <translation>Turns the text phrases on</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Выключить</source>
        <translation>Text phrases -&gt; Off</translation>
    </message>
    <message>
        <source>Выключает показ текстовых фраз</source>
        <translation>Turns the text phrases off</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Шрифт</source>
        <translation>Text phrases -&gt; Font</translation>
    </message>
    <message>
        <source>Изменяет шрифт текстовых фраз</source>
        <translation>Changes the font of the text phrases</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Стиль шрифта</source>
        <translation>Text phrases -&gt; Font style</translation>
    </message>
    <message>
        <source>Изменяет стиль шрифта текстовых фраз</source>
        <translation>Changes the font style of the text phrases</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Цвет</source>
        <translation>Text phrases -&gt; Color</translation>
    </message>
    <message>
        <source>Изменяет цвет текстовых фраз</source>
        <translation>Changes the color of the text phrases</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Включить обводку</source>
        <translation>Text phrases -&gt; Outline on</translation>
    </message>
    <message>
        <source>Включает обводку текстовых фраз на фоне</source>
        <translation>Outlines the text phrases against the background</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Выключить обводку</source>
        <translation>Text phrases -&gt; Outline off</translation>
    </message>
    <message>
        <source>Выключает обводку текстовых фраз</source>
        <translation>Turns the outline of the text phrases off</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Цвет обводки</source>
        <translation>Text phrases -&gt; Outline color</translation>
    </message>
    <message>
        <source>Изменяет цвет обводки текстовых фраз</source>
        <translation>Changes the outline color of the text phrases</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Прозрачность</source>
        <translation>Text phrases -&gt; Transparency</translation>
    </message>
    <message>
        <source>Изменяет прозрачность текстовой фразы</source>
        <translation>Changes the transparency of the text phrase</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Позиция</source>
        <translation>Text phrases -&gt; Position</translation>
    </message>
    <message>
        <source>Изменяет позицию вывода текстовых фраз</source>
        <translation>Changes where the text phrases are shown</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Ширина</source>
        <translation>Text phrases -&gt; Width</translation>
    </message>
    <message>
        <source>Изменяет ширину текстовых фраз</source>
        <translation>Changes the width of the text phrases</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Длительность</source>
        <translation>Text phrases -&gt; Duration</translation>
    </message>
    <message>
        <source>Изменяет длительность показа одной текстовой фразы</source>
        <translation>Changes how long one text phrase is shown</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Интервал</source>
        <translation>Text phrases -&gt; Interval</translation>
    </message>
    <message>
        <source>Изменяет интервал между показами текстовых фраз</source>
        <translation>Changes the interval between the text phrases</translation>
    </message>
    <message>
        <source>Текстовые фразы -&gt; Файл</source>
        <translation>Text phrases -&gt; File</translation>
    </message>
    <message>
        <source>Изменяет файл содержащий текстовые фразы</source>
        <translation>Changes the file that holds the text phrases</translation>
    </message>
    <message>
        <source>Аудиосопровождение -&gt; Включить</source>
        <translation>Audio -&gt; On</translation>
    </message>
    <message>
        <source>Включает аудиосопровождение</source>
        <translation>Turns the audio on</translation>
    </message>
    <message>
        <source>Аудиосопровождение -&gt; Выключить</source>
        <translation>Audio -&gt; Off</translation>
    </message>
    <message>
        <source>Выключает аудиосопровождение</source>
        <translation>Turns the audio off</translation>
    </message>
    <message>
        <source>Аудиосопровождение -&gt; Громкость</source>
        <translation>Audio -&gt; Volume</translation>
    </message>
    <message>
        <source>Изменяет громкость аудиосопровождения</source>
        <translation>Changes the audio volume</translation>
    </message>
    <message>
        <source>Аудиосопровождение -&gt; Добавить аудиотрек</source>
        <translation>Audio -&gt; Add track</translation>
    </message>
    <message>
        <source>Добавляет аудиодорожку</source>
        <translation>Adds an audio track</translation>
    </message>
    <message>
        <source>Аудиосопровождение -&gt; Убрать аудиотрек</source>
        <translation>Audio -&gt; Remove track</translation>
    </message>
    <message>
        <source>Удаляет аудиодорожку</source>
        <translation>Removes an audio track</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Включить</source>
        <translation>Video -&gt; On</translation>
    </message>
    <message>
        <source>Включает видеосопровождение</source>
        <translation>Turns the video on</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Выключить</source>
        <translation>Video -&gt; Off</translation>
    </message>
    <message>
        <source>Выключает видеосопровождение</source>
        <translation>Turns the video off</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Тип</source>
        <translation>Video -&gt; Type</translation>
    </message>
    <message>
        <source>Изменяет тип видеосопровождения</source>
        <translation>Changes the video type</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Мерцающий экран - Цвет</source>
        <translation>Video -&gt; Flickering screen - Color</translation>
    </message>
    <message>
        <source>Изменяет цвет мерцающего экрана</source>
        <translation>Changes the color of the flickering screen</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Мерцающий экран - Частота</source>
        <translation>Video -&gt; Flickering screen - Frequency</translation>
    </message>
    <message>
        <source>Изменяет частоту мерцания экрана</source>
        <translation>Changes the flicker frequency of the screen</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Спираль - Цвет</source>
        <translation>Video -&gt; Spiral - Color</translation>
    </message>
    <message>
        <source>Изменяет цвет спирали</source>
        <translation>Changes the color of the spiral</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Спираль - Фон</source>
        <translation>Video -&gt; Spiral - Background</translation>
    </message>
    <message>
        <source>Изменяет цвет фона спирали</source>
        <translation>Changes the background color of the spiral</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Спираль - Скорость</source>
        <translation>Video -&gt; Spiral - Speed</translation>
    </message>
    <message>
        <source>Изменяет скорость вращения спирали</source>
        <translation>Changes the rotation speed of the spiral</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Спираль - Толщина</source>
        <translation>Video -&gt; Spiral - Thickness</translation>
    </message>
    <message>
        <source>Изменяет толщину спирали</source>
        <translation>Changes the thickness of the spiral</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Спираль - Направление</source>
        <translation>Video -&gt; Spiral - Direction</translation>
    </message>
    <message>
        <source>Изменяет направление вращения спирали</source>
        <translation>Changes the rotation direction of the spiral</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Бегущие полосы - Цвет</source>
        <translation>Video -&gt; Moving stripes - Color</translation>
    </message>
    <message>
        <source>Изменяет цвет бегущих полос</source>
        <translation>Changes the color of the moving stripes</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Бегущие полосы - Фон</source>
        <translation>Video -&gt; Moving stripes - Background</translation>
    </message>
    <message>
        <source>Изменяет цвет фона бегущих полос</source>
        <translation>Changes the background color of the moving stripes</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Бегущие полосы - Скорость</source>
        <translation>Video -&gt; Moving stripes - Speed</translation>
    </message>
    <message>
        <source>Изменяет скорость бегущих полос</source>
        <translation>Changes the speed of the moving stripes</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Бегущие полосы - Толщина</source>
        <translation>Video -&gt; Moving stripes - Thickness</translation>
    </message>
    <message>
        <source>Изменяет размер бегущих полос</source>
        <translation>Changes the size of the moving stripes</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Бегущие полосы - Направление</source>
        <translation>Video -&gt; Moving stripes - Direction</translation>
    </message>
    <message>
        <source>Изменяет направление бегущих полос</source>
        <translation>Changes the direction of the moving stripes</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Окружности - Цвет</source>
        <translation>Video -&gt; Circles - Color</translation>
    </message>
    <message>
        <source>Изменяет цвет окружностей</source>
        <translation>Changes the color of the circles</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Окружности - Фон</source>
        <translation>Video -&gt; Circles - Background</translation>
    </message>
    <message>
        <source>Изменяет цвет фона окружностей</source>
        <translation>Changes the background color of the circles</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Окружности - Частота</source>
        <translation>Video -&gt; Circles - Frequency</translation>
    </message>
    <message>
        <source>Изменяет частоту колебаний окружностей</source>
        <translation>Changes the pulse frequency of the circles</translation>
    </message>
    <message>
        <source>Видеосопровождение -&gt; Окружности - Толщина</source>
        <translation>Video -&gt; Circles - Thickness</translation>
    </message>
    <message>
        <source>Изменяет размер окружностей</source>
        <translation>Changes the size of the circles</translation>
    </message>
</context>
<context>
    <name>umbrascope::EventPlayhead</name>
    <message>
        <source>Одновременно звучат не больше 64 аудиодорожек; остальные дорожки не воспроизводятся</source>
        <translation>No more than 64 audio tracks sound at once; the other tracks are not played</translation>
    </message>
</context>
<context>
    <name>umbrascope::ExceptionText</name>
    <message>
        <source>Неизвестная ошибка</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>umbrascope::MessageBridge</name>
    <message>
        <source>Сообщения, появившиеся во время показа:</source>
        <translation>Messages that came up during the presentation:</translation>
    </message>
</context>
<context>
    <name>umbrascope::Mp3Source</name>
    <message>
        <source>Неверный MP3 файл</source>
        <translation>Invalid MP3 file</translation>
    </message>
</context>
<context>
    <name>umbrascope::PhraseSample</name>
    <message>
        <source>Текстовая фраза</source>
        <translation>Text phrase</translation>
    </message>
</context>
<context>
    <name>umbrascope::PresentationScreens</name>
    <message>
        <source>%1: %2 × %3, %4 Гц</source>
        <translation>%1: %2 × %3, %4 Hz</translation>
    </message>
</context>
<context>
    <name>umbrascope::Preview</name>
    <message>
        <source>Текстовая фраза</source>
        <translation>Text phrase</translation>
    </message>
    <message>
        <source>Текстовая фраза. час.</source>
        <translation>Text phrase. cw</translation>
    </message>
    <message>
        <source>Текстовая фраза. п.час.</source>
        <translation>Text phrase. ccw</translation>
    </message>
    <message>
        <source>Текстовая фраза. случ.</source>
        <translation>Text phrase. rand.</translation>
    </message>
</context>
<context>
    <name>umbrascope::ProjectFile</name>
    <message>
        <source>Файл проекта «%1» обрывается в начальных значениях: часть из них и все события утеряны.</source>
        <translation>The project file “%1” ends in the start values: some of them and all events are lost.</translation>
    </message>
    <message>
        <source>Файл проекта «%1» обрывается перед списком аудиотреков: аудиотреки, дальнейшие начальные значения и все события утеряны.</source>
        <translation>The project file “%1” ends before the list of audio tracks: the audio tracks, the remaining start values and all events are lost.</translation>
    </message>
    <message>
        <source>Файл проекта «%1» обрывается в списке аудиотреков: прочитано %2 из %3; дальнейшие начальные значения и все события утеряны.</source>
        <translation>The project file “%1” ends in the list of audio tracks: %2 of %3 were read; the remaining start values and all events are lost.</translation>
    </message>
    <message>
        <source>Файл проекта «%1» обрывается перед списком событий: все события утеряны.</source>
        <translation>The project file “%1” ends before the list of events: all events are lost.</translation>
    </message>
    <message>
        <source>Файл проекта «%1» обрывается в списке событий: прочитано %2 из %3.</source>
        <translation>The project file “%1” ends in the list of events: %2 of %3 were read.</translation>
    </message>
    <message>
        <source>Файл проекта «%1» обрывается в заголовке сеанса: нет начальных значений, аудиотреков и событий.</source>
        <translation>The project file “%1” ends in the session header: the start values, audio tracks and events are missing.</translation>
    </message>
    <message>
        <source>Неверный формат файла: %1</source>
        <translation>Invalid file format: %1</translation>
    </message>
    <message>
        <source>Неверный формат файла</source>
        <translation>Invalid file format</translation>
    </message>
</context>
<context>
    <name>umbrascope::ProjectLoader</name>
    <message>
        <source>Путь к файлу содержит символы, которые нельзя записать в кодировке Windows-1251:
%1</source>
        <translation>The path of the file holds characters that cannot be written in the Windows-1251 encoding:
%1</translation>
    </message>
</context>
<context>
    <name>umbrascope::SessionMedia</name>
    <message>
        <source>Эти файлы сеанса не найдены ни на своём месте, ни в папке проекта; без них сеанс играет беззвучно или без фраз:
%1</source>
        <translation>These files of the session were found neither in their place nor in the project folder; without them the session plays silently or without phrases:
%1</translation>
    </message>
</context>
<context>
    <name>umbrascope::SoundExportJob</name>
    <message>
        <source>Звук сессии слишком длинный для файла WAV</source>
        <translation>The sound of the session is too long for a WAV file</translation>
    </message>
</context>
<context>
    <name>umbrascope::TrackDescriptor</name>
    <message>
        <source>Синусойда: %1 Гц, Оба, %2 %</source>
        <translation>Sine wave: %1 Hz, Both, %2 %</translation>
    </message>
    <message>
        <source>Синусойда: %1 Гц, Левый, %2 %</source>
        <translation>Sine wave: %1 Hz, Left, %2 %</translation>
    </message>
    <message>
        <source>Синусойда: %1 Гц, Правый, %2 %</source>
        <translation>Sine wave: %1 Hz, Right, %2 %</translation>
    </message>
    <message>
        <source>Синусойда: %1 Гц, %2 %</source>
        <translation>Sine wave: %1 Hz, %2 %</translation>
    </message>
    <message>
        <source>Бинауральные биения: %1 Гц, %2 Гц, %3 %</source>
        <translation>Binaural beats: %1 Hz, %2 Hz, %3 %</translation>
    </message>
    <message>
        <source>Частотная модуляция: %1 Гц, %2 Гц, %3 Гц, %4 %</source>
        <translation>Frequency modulation: %1 Hz, %2 Hz, %3 Hz, %4 %</translation>
    </message>
    <message>
        <source>Белый шум: %1 %</source>
        <translation>White noise: %1 %</translation>
    </message>
</context>
<context>
    <name>umbrascope::UserMessages</name>
    <message>
        <source>Ошибка аудиоустройства</source>
        <translation>Audio device error</translation>
    </message>
    <message>
        <source>Ошибка аудиоустройства
Звуковое устройство не приняло звук файла «%1» (%2 Гц, %3 кан., %4 бит).</source>
        <translation>Audio device error
The sound device did not accept the sound of the file “%1” (%2 Hz, %3 ch., %4 bit).</translation>
    </message>
</context>
</TS>
