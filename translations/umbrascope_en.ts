<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>umbrascope::Association</name>
    <message>
        <source>Не удалось связать файлы .usp с программой: в пути к программе есть управляющий символ, которого не может быть в файле рабочего стола</source>
        <translation>Could not associate .usp files with the program: the path to the program holds a control character, which a desktop entry cannot hold</translation>
    </message>
    <message>
        <source>Не удалось связать файлы .usp с программой: папка данных пользователя не найдена</source>
        <translation>Could not associate .usp files with the program: the user&apos;s data folder was not found</translation>
    </message>
    <message>
        <source>Не удалось связать файлы .usp с программой: %1</source>
        <translation>Could not associate .usp files with the program: %1</translation>
    </message>
</context>
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
    <name>umbrascope::DialogControls</name>
    <message>
        <source>обычный</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>курсив</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>жирный</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>жирный курсив</source>
        <translation>Bold Italic</translation>
    </message>
    <message>
        <source> Мерцающий экран</source>
        <translation> Flickering screen</translation>
    </message>
    <message>
        <source> Спираль</source>
        <translation> Spiral</translation>
    </message>
    <message>
        <source> Бегущие полосы</source>
        <translation> Moving stripes</translation>
    </message>
    <message>
        <source> Окружности</source>
        <translation> Circles</translation>
    </message>
    <message>
        <source>Влево</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Вправо</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Вверх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Вниз</source>
        <translation>Down</translation>
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
    <name>umbrascope::ExportOutcome</name>
    <message>
        <source>Звук превышал предельную громкость в %1,%2 % отсчётов (%3), впервые около %4. Уменьшите громкость дорожек, чтобы звук не искажался.</source>
        <translation>The mix went past full scale in %1.%2 % of the samples (%3), first near %4; lower the track volumes so that the sound is not distorted.</translation>
    </message>
</context>
<context>
    <name>umbrascope::ExportRangeFields</name>
    <message>
        <source>&amp;С:</source>
        <translation>Fr&amp;om:</translation>
    </message>
    <message>
        <source>&amp;По:</source>
        <translation>&amp;To:</translation>
    </message>
    <message>
        <source>Конец должен быть позже начала.</source>
        <translation>The end must come after the start.</translation>
    </message>
</context>
<context>
    <name>umbrascope::ExportSoundDialog</name>
    <message>
        <source>Экспорт звука</source>
        <translation>Export Sound</translation>
    </message>
    <message>
        <source>&amp;Формат:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>&amp;Бит на отсчёт:</source>
        <translation>&amp;Bits per sample:</translation>
    </message>
    <message>
        <source>&amp;Далее...</source>
        <translation>&amp;Next...</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>umbrascope::ExportVideoDialog</name>
    <message>
        <source>Экспорт видео</source>
        <translation>Export Video</translation>
    </message>
    <message>
        <source>&amp;Размер кадра:</source>
        <translation>Frame &amp;size:</translation>
    </message>
    <message>
        <source>&amp;Кадров в секунду:</source>
        <translation>&amp;Frames per second:</translation>
    </message>
    <message>
        <source>Мерцание бывает до 30 Гц: только при 60 кадрах в секунду видна каждая светлая и каждая тёмная половина мигания.</source>
        <translation>Flicker goes up to 30 Hz: only at 60 frames per second does every light and every dark half of a flash show.</translation>
    </message>
    <message>
        <source>&amp;Далее...</source>
        <translation>&amp;Next...</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>umbrascope::FontFaceBox</name>
    <message>
        <source>%1 (не установлен)</source>
        <translation>%1 (not installed)</translation>
    </message>
</context>
<context>
    <name>umbrascope::Help</name>
    <message>
        <source>Справка не записана: папку %1 может изменить другой пользователь, и страницы справки в ней могли бы подменить</source>
        <translation>The help has not been written: another user can change the folder %1, and the help pages in it could be replaced</translation>
    </message>
    <message>
        <source>Не удалось открыть справку: рабочий стол не нашёл программы для просмотра страниц.
Справка записана в файл %1</source>
        <translation>Could not open the help: the desktop found no program to show the pages.
The help has been written to the file %1</translation>
    </message>
</context>
<context>
    <name>umbrascope::InPlaceRewrite</name>
    <message>
        <source>Запись в файл %1 была прервана, и его прежнее содержимое не удалось восстановить (%2). Оно сохранено в файле %3.</source>
        <translation>Writing the file %1 was cut off, and its previous contents could not be restored (%2). They are kept in the file %3.</translation>
    </message>
    <message>
        <source>Запись в файл %1 была прервана (программу остановили или отключилось питание). Его прежнее содержимое восстановлено из резервной копии.</source>
        <translation>Writing the file %1 was cut off (the program was stopped or the power failed). Its previous contents have been restored from the backup copy.</translation>
    </message>
    <message>
        <source>Запись в файл %1 была прервана; его прежнее содержимое сохранено в файле %2. Файл с тех пор заменён другим, поэтому копия не восстановлена.</source>
        <translation>Writing the file %1 was cut off; its previous contents are kept in the file %2. The file has been replaced by another since, so the copy was not restored.</translation>
    </message>
</context>
<context>
    <name>umbrascope::MediaItems</name>
    <message>
        <source>%1 (файл не найден)</source>
        <translation>%1 (file not found)</translation>
    </message>
</context>
<context>
    <name>umbrascope::MessageBoxes</name>
    <message>
        <source>&amp;Да</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Нет</source>
        <translation>&amp;No</translation>
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
    <name>umbrascope::PhotosensitivityWarning</name>
    <message>
        <source>Внимание! Мигающие полноэкранные изображения (мерцание экрана с частотой от 3 до 30 Гц, контрастные полосы и спирали) могут вызвать эпилептический припадок у людей со светочувствительной эпилепсией, даже если раньше припадков не было.

Не смотрите и не показывайте такую сессию, если у вас или у ваших родственников были эпилептические припадки или потери сознания. При головокружении, нарушении зрения, подёргивании глаз или мышц, потере ориентации немедленно остановите показ любой клавишей и обратитесь к врачу.</source>
        <translation>Warning! Flashing full-screen images (the screen flickering at 3 to 30 Hz, contrasting stripes and spirals) can cause an epileptic seizure in people with photosensitive epilepsy, even if they have never had a seizure before.

Do not watch or show such a session if you or any of your relatives have had epileptic seizures or lost consciousness. If you feel dizzy, your sight is disturbed, your eyes or muscles twitch or you lose your bearings, stop the presentation at once with any key and see a doctor.</translation>
    </message>
    <message>
        <source>Осторожно: мигающие изображения</source>
        <translation>Caution: flashing images</translation>
    </message>
    <message>
        <source>&amp;Больше не показывать</source>
        <translation>&amp;Don&apos;t show this again</translation>
    </message>
    <message>
        <source>&amp;Продолжить</source>
        <translation>C&amp;ontinue</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
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
    <name>umbrascope::PhraseSource</name>
    <message>
        <source>Файл фраз «%1» — устройство или системный файл (из /proc, /sys или /dev): его строки не показываются.</source>
        <translation>The phrase file “%1” is a device or a file of the system (under /proc, /sys or /dev): its lines are not shown.</translation>
    </message>
</context>
<context>
    <name>umbrascope::PositionGrid</name>
    <message>
        <source>Левый верхний угол</source>
        <translation>Top left corner</translation>
    </message>
    <message>
        <source>Вверху экрана</source>
        <translation>Top of the screen</translation>
    </message>
    <message>
        <source>Правый верхний угол</source>
        <translation>Top right corner</translation>
    </message>
    <message>
        <source>Слева по центру</source>
        <translation>Center left</translation>
    </message>
    <message>
        <source>По центру</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>Справа по центру</source>
        <translation>Center right</translation>
    </message>
    <message>
        <source>Левый нижний угол</source>
        <translation>Bottom left corner</translation>
    </message>
    <message>
        <source>Внизу экрана</source>
        <translation>Bottom of the screen</translation>
    </message>
    <message>
        <source>Правый нижний угол</source>
        <translation>Bottom right corner</translation>
    </message>
    <message>
        <source>Меняется по часовой</source>
        <translation>Moves clockwise</translation>
    </message>
    <message>
        <source>Меняется против часовой</source>
        <translation>Moves counter-clockwise</translation>
    </message>
    <message>
        <source>Случайная</source>
        <translation>Random</translation>
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
    <name>umbrascope::ReplacingFile</name>
    <message>
        <source>Файл %1 записан, но без того, что файловая система или права не позволили перенести на новый файл:</source>
        <translation>The file %1 was written, but without what the file system or the permissions did not allow to carry over to the new file:</translation>
    </message>
    <message>
        <source>список управления доступом (ACL): кому и что разрешено, теперь решают одни права файла</source>
        <translation>the access control list (ACL): who may do what is now decided by the file&apos;s permissions alone</translation>
    </message>
    <message>
        <source>расширенный атрибут %1</source>
        <translation>the extended attribute %1</translation>
    </message>
</context>
<context>
    <name>umbrascope::SaveLockWait</name>
    <message>
        <source>Файл %1 занят другой программой. Проект будет записан, как только она его освободит.</source>
        <translation>The file %1 is held by another program. The project will be saved as soon as it lets go of it.</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
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
    <name>umbrascope::SettingsControls</name>
    <message>
        <source>&amp;100 % от ширины экрана</source>
        <translation>&amp;100 % of the screen width</translation>
    </message>
    <message>
        <source>&amp;50 % от ширины экрана</source>
        <translation>&amp;50 % of the screen width</translation>
    </message>
    <message>
        <source>&amp;33 % от ширины экрана</source>
        <translation>&amp;33 % of the screen width</translation>
    </message>
    <message>
        <source>Выбрать текстовый файл</source>
        <translation>Choose the phrase file</translation>
    </message>
    <message>
        <source>Убрать текстовый файл</source>
        <translation>Remove the phrase file</translation>
    </message>
</context>
<context>
    <name>umbrascope::SoundExport</name>
    <message>
        <source>Файл %1 не может хранить отсчёты по %2 бит</source>
        <translation>A %1 file cannot hold samples of %2 bits</translation>
    </message>
    <message>
        <source>Нечего экспортировать: конец (%1 мс) не позже начала (%2 мс)</source>
        <translation>Nothing to export: the end (%1 ms) does not lie after the start (%2 ms)</translation>
    </message>
    <message>
        <source>Звук слишком длинный для файла %1: экспортируйте более короткий отрезок</source>
        <translation>The sound is too long for a %1 file; export a shorter stretch</translation>
    </message>
    <message>
        <source>Звук записывается только в файлы с расширением %1 (в любом регистре букв), а не в «%2». Ничего не записано.</source>
        <translation>Sound is written only to files with the extension %1 (in any letter case), not to “%2”. Nothing has been written.</translation>
    </message>
</context>
<context>
    <name>umbrascope::StartFailure</name>
    <message>
        <source>Сессию не удалось показать:</source>
        <translation>The session could not be shown:</translation>
    </message>
</context>
<context>
    <name>umbrascope::TAboutForm</name>
    <message>
        <source>сайт не указан</source>
        <translation>no web site given</translation>
    </message>
    <message>
        <source>адрес почты не указан</source>
        <translation>no mail address given</translation>
    </message>
    <message>
        <source>  О программе</source>
        <translation>About Umbrascope</translation>
    </message>
    <message>
        <source>Разработчик</source>
        <translation>Developer</translation>
    </message>
    <message>
        <source>Консультация и внедрение</source>
        <translation>Consulting and deployment</translation>
    </message>
    <message>
        <source>Свободная программа: GNU GPL версии 3 или новее. Библиотеки: %1</source>
        <translation>Free software: GNU GPL version 3 or later. Libraries: %1</translation>
    </message>
    <message>
        <source>&amp;ОК</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>umbrascope::TAddWaveForm</name>
    <message>
        <source> Добавление аудиодорожки</source>
        <translation>Add Audio Track</translation>
    </message>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Громкость:</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>Частота:</source>
        <translation>Frequency:</translation>
    </message>
    <message>
        <source>Несущая:</source>
        <translation>Carrier:</translation>
    </message>
    <message>
        <source>&amp;Аудиофайл</source>
        <translation>&amp;Audio file</translation>
    </message>
    <message>
        <source>Выбрать аудиофайл</source>
        <translation>Choose an audio file</translation>
    </message>
    <message>
        <source>&amp;Бинауральные биения</source>
        <translation>&amp;Binaural beats</translation>
    </message>
    <message>
        <source>&amp;Частотная модуляция</source>
        <translation>&amp;Frequency modulation</translation>
    </message>
    <message>
        <source>Смещение несущей:</source>
        <translation>Carrier offset:</translation>
    </message>
    <message>
        <source>Белый &amp;шум</source>
        <translation>&amp;White noise</translation>
    </message>
    <message>
        <source>&amp;Синусойда</source>
        <translation>&amp;Sine wave</translation>
    </message>
    <message>
        <source>Оба</source>
        <translation>Both</translation>
    </message>
    <message>
        <source>Левый</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Правый</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Канал:</source>
        <translation>Channel:</translation>
    </message>
    <message>
        <source>&amp;Добавить</source>
        <translation>A&amp;dd</translation>
    </message>
    <message>
        <source>Аудиофайл (*.wav; *.mp3)|*.wav;*.mp3|Microsoft PCM (*.wav)|*.wav|MPEG Layer 3 (*.mp3)|*.mp3</source>
        <translation>Audio files (*.wav; *.mp3)|*.wav;*.mp3|Microsoft PCM (*.wav)|*.wav|MPEG Layer 3 (*.mp3)|*.mp3</translation>
    </message>
</context>
<context>
    <name>umbrascope::TEditEventForm</name>
    <message>
        <source> Редактирование события</source>
        <translation>Edit Event</translation>
    </message>
    <message>
        <source>Параметры события</source>
        <translation>Event parameters</translation>
    </message>
    <message>
        <source>&amp;Тип события:</source>
        <translation>Event &amp;type:</translation>
    </message>
    <message>
        <source>В&amp;ремя события:</source>
        <translation>Event t&amp;ime:</translation>
    </message>
    <message>
        <source>мин.</source>
        <translation>min</translation>
    </message>
    <message>
        <source>сек.</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Описание события</source>
        <translation>Event description</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)|*.txt</source>
        <translation>Text files (*.txt)|*.txt</translation>
    </message>
    <message>
        <source>Укажите тип события</source>
        <translation>Choose the event type</translation>
    </message>
    <message>
        <source>Фразы внушения будут включены</source>
        <translation>Text phrases will be turned on</translation>
    </message>
    <message>
        <source>Фразы внушения будут выключены</source>
        <translation>Text phrases will be turned off</translation>
    </message>
    <message>
        <source>Обводка будет включена</source>
        <translation>The outline will be turned on</translation>
    </message>
    <message>
        <source>Обводка будет выключена</source>
        <translation>The outline will be turned off</translation>
    </message>
    <message>
        <source>Аудиосопровождение будет включено</source>
        <translation>Audio will be turned on</translation>
    </message>
    <message>
        <source>Аудиосопровождение будет выключено</source>
        <translation>Audio will be turned off</translation>
    </message>
    <message>
        <source>Видеосопровождение будет включено</source>
        <translation>Video will be turned on</translation>
    </message>
    <message>
        <source>Видеосопровождение будет выключено: экран останется чёрным</source>
        <translation>Video will be turned off: the screen stays black</translation>
    </message>
    <message>
        <source>Прозрачность текстовой фразы:</source>
        <translation>Phrase transparency:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Длительность показа фразы:</source>
        <translation>Phrase duration:</translation>
    </message>
    <message>
        <source>миллисек.</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Интервал между показами:</source>
        <translation>Interval between phrases:</translation>
    </message>
    <message>
        <source>Скорость спирали:</source>
        <translation>Spiral speed:</translation>
    </message>
    <message>
        <source>Толщина спирали:</source>
        <translation>Spiral thickness:</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Толщина:</source>
        <translation>Thickness:</translation>
    </message>
    <message>
        <source>Размер окружностей:</source>
        <translation>Circle size:</translation>
    </message>
    <message>
        <source>точек</source>
        <translation>px</translation>
    </message>
    <message>
        <source>&amp;Цвет сплошной заливки</source>
        <translation>Solid &amp;fill color</translation>
    </message>
    <message>
        <source>&amp;Цвет фона спирали</source>
        <translation>Spiral &amp;background color</translation>
    </message>
    <message>
        <source>&amp;Цвет спирали</source>
        <translation>&amp;Spiral color</translation>
    </message>
    <message>
        <source>&amp;Цвет фона бегущих полос</source>
        <translation>Stripe &amp;background color</translation>
    </message>
    <message>
        <source>&amp;Цвет бегущих полос</source>
        <translation>&amp;Stripe color</translation>
    </message>
    <message>
        <source>&amp;Цвет фона окружностей</source>
        <translation>Circle &amp;background color</translation>
    </message>
    <message>
        <source>&amp;Цвет окружностей</source>
        <translation>&amp;Circle color</translation>
    </message>
    <message>
        <source>Выберите &amp;новый цвет текста</source>
        <translation>Choose a &amp;new text color</translation>
    </message>
    <message>
        <source>Выберите &amp;новый цвет обводки</source>
        <translation>Choose a &amp;new outline color</translation>
    </message>
    <message>
        <source>Новый шрифт:</source>
        <translation>New font:</translation>
    </message>
    <message>
        <source>Новый стиль шрифта:</source>
        <translation>New font style:</translation>
    </message>
    <message>
        <source>Тип видеосопровождения:</source>
        <translation>Video type:</translation>
    </message>
    <message>
        <source>По часовой</source>
        <translation>Clockwise</translation>
    </message>
    <message>
        <source>Против часовой</source>
        <translation>Counter-clockwise</translation>
    </message>
    <message>
        <source>Направление:</source>
        <translation>Direction:</translation>
    </message>
    <message>
        <source>Новая громкость</source>
        <translation>New volume</translation>
    </message>
    <message>
        <source>Новая позиция</source>
        <translation>New position</translation>
    </message>
    <message>
        <source>Новая ширина текста</source>
        <translation>New text width</translation>
    </message>
    <message>
        <source>Новый текстовый файл с фразами</source>
        <translation>New phrase file</translation>
    </message>
    <message>
        <source>&amp;Выбрать</source>
        <translation>&amp;Choose...</translation>
    </message>
    <message>
        <source>Добавляемый аудиотрек</source>
        <translation>Track to add</translation>
    </message>
    <message>
        <source>Выберите удаляемый аудиотрек</source>
        <translation>Choose the track to remove</translation>
    </message>
    <message>
        <source>Частота мерцания:</source>
        <translation>Flicker frequency:</translation>
    </message>
    <message>
        <source>Частота колебаний:</source>
        <translation>Circle frequency:</translation>
    </message>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
</context>
<context>
    <name>umbrascope::TEventsListForm</name>
    <message>
        <source> Управление событиями</source>
        <translation>Manage Events</translation>
    </message>
    <message>
        <source>&amp;Список событий:</source>
        <translation>Event &amp;list:</translation>
    </message>
    <message>
        <source>&amp;Добавить</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Удалить</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>&amp;Изменить</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Добавить событие</source>
        <translation>Add Event</translation>
    </message>
    <message>
        <source>Удалить событие</source>
        <translation>Delete Event</translation>
    </message>
    <message>
        <source>Изменить событие</source>
        <translation>Change Event</translation>
    </message>
</context>
<context>
    <name>umbrascope::TFontSettingsForm</name>
    <message>
        <source>  Настройка шрифта</source>
        <translation>Font Settings</translation>
    </message>
    <message>
        <source>&amp;Начертание шрифта:</source>
        <translation>&amp;Typeface:</translation>
    </message>
    <message>
        <source>&amp;Стиль шрифта:</source>
        <translation>Font &amp;style:</translation>
    </message>
    <message>
        <source>Цвет &amp;текста</source>
        <translation>Te&amp;xt color</translation>
    </message>
    <message>
        <source>Цвет о&amp;бводки</source>
        <translation>O&amp;utline color</translation>
    </message>
    <message>
        <source>&amp;Обводить текст по контуру</source>
        <translation>&amp;Outline the text</translation>
    </message>
    <message>
        <source>&amp;Прозрачность:</source>
        <translation>Tr&amp;ansparency:</translation>
    </message>
    <message>
        <source>Прозрачность</source>
        <translation>Transparency</translation>
    </message>
</context>
<context>
    <name>umbrascope::TMainForm</name>
    <message>
        <source>Новый проект</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>%1 (файл повреждён)</source>
        <translation>%1 (damaged file)</translation>
    </message>
    <message>
        <source>Длительность показа фразы: %1 мс</source>
        <translation>Phrase duration: %1 ms</translation>
    </message>
    <message>
        <source>Интервал между показами: %1 мс</source>
        <translation>Interval between phrases: %1 ms</translation>
    </message>
    <message>
        <source>Громкость аудио: %1 %</source>
        <translation>Audio volume: %1%</translation>
    </message>
    <message>
        <source>Сессия Umbrascope (*.run)</source>
        <translation>Umbrascope session (*.run)</translation>
    </message>
    <message>
        <source>Файл %1 уже существует.
Заменить его?</source>
        <translation>The file %1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>Сборка сессии</source>
        <translation>Building the session</translation>
    </message>
    <message>
        <source>Сессия собрана в файл «%1».</source>
        <translation>The session has been built into the file “%1”.</translation>
    </message>
    <message>
        <source>Проект Umbrascope (*.usp)</source>
        <translation>Umbrascope project (*.usp)</translation>
    </message>
    <message>
        <source>Сохранить изменения в проекте «%1»?</source>
        <translation>Save changes to the project “%1”?</translation>
    </message>
    <message>
        <source>&amp;Да</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Нет</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>%1

Открыто то, что удалось прочитать; недостающие значения равны нулю или пусты. Чтобы не затереть исходный файл, сохраните проект под другим именем.</source>
        <translation>%1

What could be read has been opened; the missing values are zero or empty. To keep the original file as it is, save the project under another name.</translation>
    </message>
    <message>
        <source>Проект был открыт из повреждённого файла %1.
Записать его поверх этого файла?

«Нет» — сохранить проект в другой файл.</source>
        <translation>The project was opened from the damaged file %1.
Write it over that file?

“No” saves the project to another file.</translation>
    </message>
    <message>
        <source>&amp;Отменить</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Отменить «%1»</source>
        <translation>&amp;Undo “%1”</translation>
    </message>
    <message>
        <source>&amp;Повторить</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Повторить «%1»</source>
        <translation>&amp;Redo “%1”</translation>
    </message>
    <message>
        <source>%1:%2
%3

Удалить событие?</source>
        <translation>%1:%2
%3

Delete this event?</translation>
    </message>
    <message>
        <source>%1: готово %2 %</source>
        <translation>%1: %2% done</translation>
    </message>
    <message>
        <source>%1: готово %2 %, осталось %3</source>
        <translation>%1: %2% done, %3 left</translation>
    </message>
    <message>
        <source>Не вошло в экспорт: %1</source>
        <translation>Left out of the export: %1</translation>
    </message>
    <message>
        <source>Видео MP4 (*.mp4)</source>
        <translation>MP4 video (*.mp4)</translation>
    </message>
    <message>
        <source>Экспорт звука</source>
        <translation>Sound export</translation>
    </message>
    <message>
        <source>Звук записан в файл «%1».</source>
        <translation>The sound has been written to the file “%1”.</translation>
    </message>
    <message>
        <source>Экспорт видео</source>
        <translation>Video export</translation>
    </message>
    <message>
        <source>Видео записано в файл «%1».</source>
        <translation>The video has been written to the file “%1”.</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Новый</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Открыть</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Недавние &amp;проекты</source>
        <translation>Recent &amp;Projects</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Сохранить &amp;как..</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Ско&amp;мпилировать сессию</source>
        <translation>&amp;Build Session...</translation>
    </message>
    <message>
        <source>Экспорт &amp;видео...</source>
        <translation>Export &amp;Video...</translation>
    </message>
    <message>
        <source>Вы&amp;ход</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Настройки сессии</source>
        <translation>&amp;Session</translation>
    </message>
    <message>
        <source>&amp;Основные параметры</source>
        <translation>&amp;Parameters...</translation>
    </message>
    <message>
        <source>&amp;Начальные значения</source>
        <translation>&amp;Start Values...</translation>
    </message>
    <message>
        <source>&amp;Экран показа</source>
        <translation>Presentation S&amp;creen</translation>
    </message>
    <message>
        <source>&amp;Редактирование событий</source>
        <translation>E&amp;vents</translation>
    </message>
    <message>
        <source>&amp;Добавить событие</source>
        <translation>&amp;Add Event...</translation>
    </message>
    <message>
        <source>&amp;Удалить событие</source>
        <translation>&amp;Delete Event</translation>
    </message>
    <message>
        <source>&amp;Вывести список событий</source>
        <translation>&amp;Event List...</translation>
    </message>
    <message>
        <source>&amp;Язык</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Помощь</source>
        <translation>Umbrascope &amp;Help</translation>
    </message>
    <message>
        <source>&amp;О программе</source>
        <translation>&amp;About Umbrascope</translation>
    </message>
    <message>
        <source>Создать новый проект</source>
        <translation>Create a new project</translation>
    </message>
    <message>
        <source>Открыть существующий проект</source>
        <translation>Open an existing project</translation>
    </message>
    <message>
        <source>Сохранить проект</source>
        <translation>Save the project</translation>
    </message>
    <message>
        <source>Скомпилировать сессию</source>
        <translation>Build the session</translation>
    </message>
    <message>
        <source>Настроить основные параметры сессии</source>
        <translation>Edit the session parameters</translation>
    </message>
    <message>
        <source>Изменить начальные значения</source>
        <translation>Edit the start values</translation>
    </message>
    <message>
        <source>Добавить событие</source>
        <translation>Add an event</translation>
    </message>
    <message>
        <source>Удалить событие</source>
        <translation>Delete the event nearest to the cursor</translation>
    </message>
    <message>
        <source>Редактировать список событий</source>
        <translation>Edit the event list</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Umbrascope Help</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About Umbrascope</translation>
    </message>
    <message>
        <source>Текстовый файл с фразами</source>
        <translation>Phrase file</translation>
    </message>
    <message>
        <source>Время показа текстовой фразы</source>
        <translation>Phrase timing</translation>
    </message>
    <message>
        <source>Активные аудиодорожки</source>
        <translation>Active audio tracks</translation>
    </message>
    <message>
        <source>Перегрузка</source>
        <translation>Clipping</translation>
    </message>
    <message>
        <source>Звук сеанса превышает предельную громкость и искажается: уменьшите громкость дорожек.</source>
        <translation>The session&apos;s sound goes past full volume and is distorted: turn the tracks down.</translation>
    </message>
    <message>
        <source>Позиция в сессии</source>
        <translation>Position in the session</translation>
    </message>
    <message>
        <source>Начать воспроизведение с текущей позиции</source>
        <translation>Play from the current position</translation>
    </message>
    <message>
        <source>Воспроизводить только звук</source>
        <translation>Play sound only</translation>
    </message>
    <message>
        <source>Остановить воспроизведение</source>
        <translation>Stop playback</translation>
    </message>
    <message>
        <source>%1: файл занят другой программой; запись подождёт, пока она его освободит. «Отмена» прекращает ожидание, и ничего не записывается.</source>
        <translation>%1: the file is held by another program; writing waits until it lets go. Cancel stops waiting, and nothing is written.</translation>
    </message>
    <message>
        <source>%1 — это файл самого проекта. Ничего не записано: выберите другое имя.</source>
        <translation>%1 is the project file itself. Nothing was written: choose another name.</translation>
    </message>
    <message>
        <source>%1 — это файл, который сеанс воспроизводит или показывает. Ничего не записано: выберите другое имя.</source>
        <translation>%1 is a file the session plays or shows. Nothing was written: choose another name.</translation>
    </message>
    <message>
        <source>Программа была завершена, когда изменения в проекте «%1» не были сохранены. Открыть их?

«Нет» — удалить сохранённую копию изменений.</source>
        <translation>The program was ended while the changes to the project “%1” were not saved. Open them?

“No” deletes the copy of the changes that was kept.</translation>
    </message>
    <message>
        <source>Несохранённые изменения</source>
        <translation>Unsaved changes</translation>
    </message>
    <message numerus="yes">
        <source>… и ещё %n</source>
        <translation>
            <numerusform>… and %n more</numerusform>
            <numerusform>… and %n more</numerusform>
        </translation>
    </message>
    <message>
        <source>В неё вошли файлы:</source>
        <translation>It holds these files:</translation>
    </message>
    <message>
        <source>Не вошли файлы, которых нет на месте или которые нельзя прочитать:</source>
        <translation>Left out, because they are missing or cannot be read:</translation>
    </message>
    <message>
        <source>Не вошли устройства и системные файлы (из /proc, /sys или /dev): они в собранную сессию не включаются:</source>
        <translation>Left out, because devices and files of the system (under /proc, /sys or /dev) never go into a built session:</translation>
    </message>
    <message>
        <source>Звук %1 (*%2)</source>
        <translation>%1 sound (*%2)</translation>
    </message>
    <message>
        <source>&amp;Экспорт звука...</source>
        <translation>&amp;Export Sound...</translation>
    </message>
</context>
<context>
    <name>umbrascope::TSessionParametersForm</name>
    <message>
        <source>Основные параметры сессии</source>
        <translation>Session Parameters</translation>
    </message>
    <message>
        <source>&amp;Название:</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>&amp;Автор:</source>
        <translation>&amp;Author:</translation>
    </message>
    <message>
        <source>&amp;Краткое описание сессии:</source>
        <translation>&amp;Short description:</translation>
    </message>
    <message>
        <source>&amp;Длительность сессии:</source>
        <translation>Session &amp;length:</translation>
    </message>
    <message>
        <source>минут</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Длительность бывает от %1 до %2 минут: будет %3.</source>
        <translation>The length can be %1 to %2 minutes: it will be %3.</translation>
    </message>
    <message>
        <source>Время всех событий будет пересчитано пропорционально новой длительности: с %1 на %2 минут.</source>
        <translation>The times of all events will be rescaled in proportion to the new length: from %1 to %2 minutes.</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Автор</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>Краткое описание сессии</source>
        <translation>Short description</translation>
    </message>
</context>
<context>
    <name>umbrascope::TSessionStartValuesForm</name>
    <message>
        <source>  Стартовые значения сессии</source>
        <translation>Session Start Values</translation>
    </message>
    <message>
        <source>Цвет &amp;заливки</source>
        <translation>&amp;Fill color</translation>
    </message>
    <message>
        <source>Цвет &amp;фона</source>
        <translation>&amp;Background color</translation>
    </message>
    <message>
        <source>Цвет &amp;спирали</source>
        <translation>&amp;Spiral color</translation>
    </message>
    <message>
        <source>Цвет ф&amp;она</source>
        <translation>Backgrou&amp;nd color</translation>
    </message>
    <message>
        <source>Цвет &amp;полос</source>
        <translation>Str&amp;ipe color</translation>
    </message>
    <message>
        <source>&amp;Цвет фона</source>
        <translation>Back&amp;ground color</translation>
    </message>
    <message>
        <source>Цвет &amp;линий</source>
        <translation>&amp;Line color</translation>
    </message>
    <message>
        <source> &amp;Текстовые фразы включены</source>
        <translation> &amp;Text phrases enabled</translation>
    </message>
    <message>
        <source> &amp;Настроить вид фразы</source>
        <translation> &amp;Phrase appearance...</translation>
    </message>
    <message>
        <source>Ширина текста</source>
        <translation>Text width</translation>
    </message>
    <message>
        <source>Позиция</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>миллисекунд</source>
        <translation>milliseconds</translation>
    </message>
    <message>
        <source>Длительность показа фразы:</source>
        <translation>Phrase duration:</translation>
    </message>
    <message>
        <source>Интервал между показами:</source>
        <translation>Interval between phrases:</translation>
    </message>
    <message>
        <source>Временные параметры</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Текстовый файл с фразами</source>
        <translation>Phrase file</translation>
    </message>
    <message>
        <source>Текстовые фразы</source>
        <translation>Text phrases</translation>
    </message>
    <message>
        <source> &amp;Аудиосопровождение включено</source>
        <translation> A&amp;udio enabled</translation>
    </message>
    <message>
        <source>&amp;Добавить</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>&amp;Удалить</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Список аудиодорожек</source>
        <translation>Audio tracks</translation>
    </message>
    <message>
        <source>Громкость аудиосопровождения:</source>
        <translation>Audio volume:</translation>
    </message>
    <message>
        <source>Аудиосопровождение</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source> &amp;Видеосопровождение включено</source>
        <translation> &amp;Video enabled</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>видеосопровождения:</source>
        <translation>type:</translation>
    </message>
    <message>
        <source>Видеосопровождение</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Частота:</source>
        <translation>Frequency:</translation>
    </message>
    <message>
        <source>Гц</source>
        <translation>Hz</translation>
    </message>
    <message>
        <source>Мерцающий экран</source>
        <translation>Flickering screen</translation>
    </message>
    <message>
        <source>Скорость:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Толщина:</source>
        <translation>Thickness:</translation>
    </message>
    <message>
        <source>Меняется по часовой</source>
        <translation>Moves clockwise</translation>
    </message>
    <message>
        <source>Меняется против часовой</source>
        <translation>Moves counter-clockwise</translation>
    </message>
    <message>
        <source>Направление</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Спираль</source>
        <translation>Spiral</translation>
    </message>
    <message>
        <source>Бегущие полосы</source>
        <translation>Moving stripes</translation>
    </message>
    <message>
        <source>Размер:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Тч</source>
        <translation>px</translation>
    </message>
    <message>
        <source>Окружности</source>
        <translation>Circles</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)|*.txt</source>
        <translation>Text files (*.txt)|*.txt</translation>
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
    <name>umbrascope::UiText</name>
    <message>
        <source>Текст поля &quot;%1&quot; содержит символы, которые нельзя записать в кодировке Windows-1251.</source>
        <translation>The text of the field &quot;%1&quot; holds characters that cannot be stored in the Windows-1251 encoding.</translation>
    </message>
</context>
<context>
    <name>umbrascope::UpDownArrows</name>
    <message>
        <source>Увеличить частоту</source>
        <translation>Increase frequency</translation>
    </message>
    <message>
        <source>Уменьшить частоту</source>
        <translation>Decrease frequency</translation>
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
