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
    <name>umbrascope::MessageBridge</name>
    <message>
        <source>Сообщения, появившиеся во время показа:</source>
        <translation>Messages that came up during the presentation:</translation>
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
        <source>Сессия собрана в файл «%1», но без этих файлов: их нет на месте или их нельзя прочитать.
</source>
        <translation>The session has been built into the file “%1”, but without these files: they are missing or cannot be read.
</translation>
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
        <source>Звук превышал предельную громкость в %1 % отсчётов (%2), впервые около %3. Уменьшите громкость дорожек, чтобы звук не искажался.</source>
        <translation>The sound went past full volume in %1% of the samples (%2), first at about %3. Turn the tracks down so that the sound is not distorted.</translation>
    </message>
    <message>
        <source>Не вошло в экспорт: %1</source>
        <translation>Left out of the export: %1</translation>
    </message>
    <message>
        <source>Звук WAV (*.wav)</source>
        <translation>WAV sound (*.wav)</translation>
    </message>
    <message>
        <source>Видео MP4 (*.mp4)</source>
        <translation>MP4 video (*.mp4)</translation>
    </message>
    <message>
        <source>Звук записывается только в файлы WAV: назовите файл с расширением .wav вместо «%1». Ничего не записано.</source>
        <translation>Sound is written only to WAV files: name the file with the extension .wav instead of “%1”. Nothing has been written.</translation>
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
        <source>&amp;Экспорт звука в WAV...</source>
        <translation>&amp;Export Sound to WAV...</translation>
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
</context>
</TS>
