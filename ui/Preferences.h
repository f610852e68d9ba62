#pragma once

// What the user's settings hold (not the project's): each setting with its key, its default and
// the values it may take, in one place. Values in the file are never trusted: one of the wrong
// type, out of its bounds or too long reads as if it were not there, and a list is cut to its
// length. The keys and the values written are those earlier versions wrote, so a settings file
// reads the same.
//
// The program owns one (the window's or a command-line mode's) and passes it to what needs it;
// every read looks at the file afresh, and every change is written at once, so two windows of
// the program share what either remembers. User-interface thread only.

#include "Language.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSettings;

namespace umbrascope {

struct SoundFileFormat;

// The kinds of file whose dialogs open in the folder last used for that kind.
enum class FileKind { Project, Audio, Phrases, SoundExport, VideoExport, BuiltSession };

constexpr int MaxRecentProjects = 8;

class Preferences {
public:
    // The user's settings, in the user's configuration folder.
    Preferences();
    // The settings kept in file (INI, as the user's are), for a program that must not touch
    // the user's.
    explicit Preferences(QString file);

    // The projects last opened or saved, newest first: absolute paths, each once, at most
    // MaxRecentProjects.
    QStringList RecentProjects() const;
    // Puts the project first, once, dropping the oldest beyond the limit.
    void RememberRecentProject(const QString& path);

    // The language chosen from the menu «Язык», if one was.
    std::optional<Language> ChosenLanguage() const;
    void ChooseLanguage(Language language);

    // The name of the screen chosen under «Экран показа»; empty when none was (the primary).
    QString PresentationScreen() const;
    void ChoosePresentationScreen(const QString& name);

    // The folder the dialogs for kind last chose a file in; empty while none was.
    QString LastFolder(FileKind kind) const;
    void RememberFolder(FileKind kind, const QString& folder);

    // Whether the warning against flashing pictures shows before a picture plays: yes unless
    // the user said not to show it again.
    bool PhotosensitivityWarningWanted() const;
    void SetPhotosensitivityWarningWanted(bool wanted);

    // The video export's frame size and frames per second as last chosen.
    std::optional<QSize> VideoFrameSize() const;
    std::optional<int> VideoFrameRate() const;
    void RememberVideoChoices(QSize frameSize, int framesPerSecond);

    // The sound export's file format and bits per sample as last chosen, each only while the
    // export still writes it (the format is kept by its extension, ".wav").
    const SoundFileFormat* SoundExportFormat() const;
    std::optional<int> SoundExportBits() const;
    void RememberSoundExportChoices(const SoundFileFormat& format, int bits);

private:
    std::unique_ptr<QSettings> Open() const;
    // The text kept under key, if it is a text of at most maxLength characters.
    std::optional<QString> Text(const QString& key, qsizetype maxLength) const;
    void Write(const QString& key, const QVariant& value);

    QString file_; // empty: the user's own settings
};

} // namespace umbrascope
