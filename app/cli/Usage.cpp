#include "Usage.h"

#include "Cli.h"
#include "audio/export/SoundFileFormats.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace umbrascope {

namespace {

// Every way of starting the program, the desktop program first.
constexpr CommandUsage Usages[] = {
    {nullptr, "[FILE.usp]", "the desktop program",
     "Opens the main window. FILE.usp is opened when it names an existing file whose extension "
     "is .usp in any letter case; any other argument is ignored. Needs a display (DISPLAY or "
     "WAYLAND_DISPLAY)."},
    {RunPlayCommand,
     "--play FILE.usp [--from MS] [--sound-only] [--screen N]\n[--frame-log LOG.csv]",
     "play a session and exit: on\nscreen N (1 the primary), with\na line per frame shown in LOG",
     "Plays a session without the main window: full screen with its sound, or with --sound-only "
     "its sound alone, from --from MS (default 0). Play ends at the session's end, on a key in "
     "the full-screen window, or on SIGINT, SIGTERM or SIGHUP. The photosensitivity warning is "
     "printed on standard error before the picture plays.\n\nThe picture covers screen N, "
     "numbered as the main window's menu lists them: 1 the primary screen, then the others; "
     "without --screen, the screen chosen in that menu, or the primary one when that screen is "
     "gone. Frames are drawn at the screen's own resolution.\n\n--frame-log writes one line per "
     "frame shown to LOG.csv: the frame's session time, when it was handed to the screen (ms on "
     "the monotonic clock), the interval since the frame before, and whether it was late (more "
     "than 1.5 refresh intervals); the number of frames, the median and 99th-percentile "
     "interval and the late count are printed on standard error at the end. The environment "
     "variable UMBRASCOPE_FRAME_LOG=LOG.csv does the same for plays from the main window.\n\n"
     "The sound tracks' messages go to standard error, and so do the tracks whose files are not "
     "found; the exit status is 1 when no track could open the sound device or the frame log "
     "could not be written. A sound server that stops during play is reported once, and the "
     "sound comes back by itself when the server does."},
    {RunDumpCommand, "--dump FILE.usp [--at MS]", "print the session as JSON",
     "Prints the session as one JSON object: SessionName, SessionAuthor, SessionDescription, "
     "SessionLength, StartValues (all 33 settings; Waves a list of track texts), Events (each "
     "{EventType, EventTime, EventValue} in list order), CurrentValues (the state in force at "
     "MS, default 0; Waves a list of {Track, AddTime}) and Error (null, or the message that "
     "stopped the state computation). Texts are UTF-8, Booleans true or false, all numbers "
     "integers."},
    {RunImportJsonCommand, "--import-json IN.json OUT.usp", "write a project from JSON",
     "Writes a project from an object of the shape --dump prints; CurrentValues and Error are "
     "ignored, and absent fields keep the defaults of a new project. A value that does not fit "
     "its field, a text that Windows-1251 cannot hold, the characters U+0000 and U+0001, or an "
     "unknown field name is refused with a message that names the field, and nothing is "
     "written. IN.json may hold at most 256 MB."},
    {RunSnapshotCommand, "--snapshot FILE.usp --at MS --size WxH [--phrase TEXT] OUT.png",
     "draw the screen at that time",
     "Draws the full-screen picture at session time MS, WIDTHxHEIGHT pixels, in the state in "
     "force at that time, with TEXT laid out as the presentation lays out its first phrase, and "
     "writes it as a PNG file."},
    // The words in braces come from the table of sound file formats (see WithSoundFormats).
    {RunExportAudioCommand,
     "--export-audio FILE.usp {OUT} [--from MS] [--to MS]\n"
     "[--rate HZ] [--bits {BITS}] [--no-dither]",
     "write the session's sound as a\n{NAMES} file",
     "Writes the session's sound as a stereo file of the format OUT's extension names, in any "
     "letter case: {FORMATS}. Other names are refused. At --rate HZ (default 44100), --bits "
     "{BITS-OR} (default 16), from --from MS to --to MS (default the whole session). Generated "
     "tracks are computed at the export's rate and file tracks at other rates are converted; "
     "the mix is rounded once, with triangular dither of one least significant bit except over "
     "digital silence. --no-dither rounds plainly."},
    {RunExportVideoCommand,
     "--export-video FILE.usp OUT.mp4 [--from MS] [--to MS] [--size WxH]\n"
     "[--fps N] [--crf Q]",
     "write the session as a video:\nH.264 and AAC in MP4, 1920x1080\nat 60 frames a second "
     "(flicker\nup to 30 Hz needs 60 to show\neach half of its period), CRF 18",
     "Draws every frame as the full-screen window would at the frame's session time and "
     "encodes it as H.264 (4:2:0, BT.709) with the session's sound as AAC at 48000 Hz, "
     "192 kbit/s. Defaults: 1920x1080, 60 frames a second (flicker up to 30 Hz needs 60 to show "
     "each half of its period), CRF 18. Sizes must be even; the stretch must lie within the "
     "session."},
    {RunBuildSessionCommand, "--build-session FILE.usp OUT.run",
     "build a session that plays\nitself",
     "Writes a built session: the program with the project and every medium it names appended. "
     "Started as SESSION.run [--from MS] [--sound-only] [--screen N] [--frame-log LOG.csv], it "
     "plays itself as --play does, reading "
     "its media from copies in an owner-only temporary folder that goes when it ends. Every file "
     "bundled is printed on standard output (bundled: PATH); media not found or not readable, "
     "and devices and system files (under /proc, /sys or /dev), are left out and listed on "
     "standard error. At most 4095 media go into one built session."},
    {RunExtractProjectCommand, "--extract-project BUILT OUT.usp",
     "take a built session's project\nand its media back out",
     "Writes the project of the built session BUILT as OUT.usp, and its media beside it. Files "
     "of the media's names already there (links included) are never written over: nothing is "
     "written then."},
    {nullptr, "--help | --version", "print this help, or the version",
     "Prints this summary of the command line, or the version and "
     "license, and exits."},
};

// The text with the sound export's words in braces put in from the table of formats: {OUT}
// "OUT.wav|OUT.flac", {BITS} "16|24", {BITS-OR} "16 or 24", {NAMES} "WAV or FLAC", {FORMATS}
// what each extension writes and what the file can hold.
std::string WithSoundFormats(std::string_view text) {
    std::vector<std::string> names, bits, formats;
    for (const SoundFileFormat& format : SoundFileFormats()) {
        names.emplace_back(format.name);
        std::string what = std::string(format.extension) + " writes " + std::string(format.name);
        if (format.maxDataBytes != 0)
            what += " (at most " + std::to_string(format.maxDataBytes >> 20) + " MiB of sound)";
        formats.push_back(what);
    }
    for (const int width : SoundFileBits())
        bits.push_back(std::to_string(width));
    const std::pair<std::string_view, std::string> words[] = {{"{OUT}", SoundFileNamesSynopsis()},
                                                              {"{BITS}", SoundFileBitsSynopsis()},
                                                              {"{BITS-OR}", JoinedWithOr(bits)},
                                                              {"{NAMES}", JoinedWithOr(names)},
                                                              {"{FORMATS}", JoinedWithOr(formats)}};
    std::string out(text);
    for (const auto& [word, value] : words)
        for (std::size_t at = out.find(word); at != std::string::npos; at = out.find(word, at))
            out.replace(at, word.size(), value);
    return out;
}

constexpr std::string_view Lead = "  umbrascope ";
constexpr std::size_t SummaryColumn = 48;

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos)
            return parts;
        at = end + separator.size();
    }
}

// One line of man text: a backslash and a minus are escaped, and the line may not begin with
// a control character of the macros.
std::string Roff(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return (out.starts_with('.') || out.starts_with('\'')) ? "\\&" + out : out;
}

// A synopsis in the usual type: options in bold, what the user fills in in italics.
std::string RoffSynopsis(std::string_view synopsis) {
    std::string out;
    for (const std::string_view word : Split(synopsis, " ")) {
        const std::size_t first = word.find_first_not_of('[');
        const std::size_t last = word.find_last_not_of(']');
        if (!out.empty())
            out += ' ';
        if (first == std::string_view::npos) {
            out += Roff(word);
            continue;
        }
        const std::string_view core = word.substr(first, last + 1 - first);
        const char* font = core.starts_with("--") || core == "|" ? "\\fB" : "\\fI";
        out +=
            Roff(word.substr(0, first)) + font + Roff(core) + "\\fR" + Roff(word.substr(last + 1));
    }
    return out;
}

// separator: the macro that starts each further paragraph.
std::string Paragraphs(std::string_view text, std::string_view separator) {
    std::string out;
    for (const std::string_view paragraph : Split(text, "\n\n"))
        out += (out.empty() ? "" : std::string(separator) + '\n') + Roff(paragraph) + '\n';
    return out;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

// The manual's description of the program, before its commands.
constexpr std::string_view ProgramDescription =
    "Umbrascope composes and plays timed presentation sessions: a full-screen moving pattern "
    "(flicker, spiral, stripes, circles) with short text phrases flashed over it, while "
    "generated tones, noise and looped WAV and MP3 files play through the sound card, and a "
    "timed event list changes single settings as the session runs. A session is edited in one "
    "main window and saved as a .usp project file.\n\n"
    "Without an option the program opens its main window. Given one of the commands below, "
    "it runs that command without the main window and exits. Times (MS) are milliseconds from "
    "the session's start. The commands that read a session take a built session in place of "
    "FILE.usp. A command that fails prints its message on standard error and exits with "
    "status 1; wrong usage exits with status 2. Files are written to a temporary file beside "
    "the target and put in place only when complete. An output that is the command's input "
    "(also through a link or a hard link) is refused, and so is another user's symbolic link "
    "in a folder that everyone may write, such as /tmp. SIGINT, SIGTERM and SIGHUP end a "
    "command at once, leaving nothing behind.\n\n"
    "Flashing full-screen pictures can cause seizures in people with photosensitive epilepsy.";

} // namespace

std::string SoundFileNamesSynopsis() {
    std::string names;
    for (const std::string& extension : SoundFileExtensions())
        names += (names.empty() ? "OUT" : "|OUT") + extension;
    return names;
}

std::string SoundFileBitsSynopsis() {
    std::string bits;
    for (const int width : SoundFileBits())
        bits += (bits.empty() ? "" : "|") + std::to_string(width);
    return bits;
}

const CommandUsage* FindCommand(std::string_view name) {
    for (const CommandUsage& usage : Usages)
        if (usage.run && usage.synopsis.substr(0, usage.synopsis.find(' ')) == name)
            return &usage;
    return nullptr;
}

std::string UsageText() {
    std::string text = "Umbrascope " UMBRASCOPE_VERSION
                       ": composes and plays timed presentation sessions.\n\nUsage:\n";
    for (const CommandUsage& usage : Usages) {
        // Continuation lines start under the command's first argument.
        const std::string synopsisText = WithSoundFormats(usage.synopsis);
        const std::string summaryText = WithSoundFormats(usage.summary);
        const std::vector<std::string_view> synopsis = Split(synopsisText, "\n");
        const std::string indent(
            Lead.size() + std::min(synopsis[0].find(' '), synopsis[0].size()) + 1, ' ');
        std::string line;
        for (std::size_t n = 0; n < synopsis.size(); ++n) {
            if (n > 0)
                text += line + '\n';
            line = std::string(n == 0 ? Lead : indent) + std::string(synopsis[n]);
        }
        for (const std::string_view part : Split(summaryText, "\n")) {
            if (part.empty())
                continue;
            if (line.size() >= SummaryColumn - 1) {
                text += line + '\n';
                line.clear();
            }
            line.resize(SummaryColumn, ' ');
            line += part;
        }
        text += line + '\n';
    }
    return text;
}

std::string VersionText() {
    return "Umbrascope " UMBRASCOPE_VERSION "\n"
           "License GPLv3+: GNU GPL version 3 or later "
           "<https://www.gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string ManualPage(std::string_view date) {
    std::string page = ".TH UMBRASCOPE 1 \"" + std::string(date) +
                       "\" \"Umbrascope " UMBRASCOPE_VERSION "\" \"User Commands\"\n"
                       ".SH NAME\n"
                       "umbrascope \\- compose and play timed presentation sessions\n"
                       ".SH SYNOPSIS\n";
    for (const CommandUsage& usage : Usages)
        page += ".SY umbrascope\n" + RoffSynopsis(OneLine(WithSoundFormats(usage.synopsis))) +
                "\n.YS\n";
    page += ".SY SESSION.run\n" +
            RoffSynopsis("[--from MS] [--sound-only] [--screen N] [--frame-log LOG.csv]") +
            "\n.YS\n";
    page += ".SH DESCRIPTION\n" + Paragraphs(ProgramDescription, ".PP");
    page += ".SH COMMANDS\n";
    for (const CommandUsage& usage : Usages)
        page += ".TP\n" + RoffSynopsis(OneLine(WithSoundFormats(usage.synopsis))) + '\n' +
                Paragraphs(WithSoundFormats(usage.details), ".IP");
    page += ".SH FILES\n"
            ".TP\n"
            "\\fI~/.config/Umbrascope/Umbrascope.conf\\fR\n" +
            Roff("The user's settings: the recent projects, the screen chosen for the picture "
                 "and the choices that are kept.") +
            "\n.TP\n"
            "\\fI~/.local/share/applications/umbrascope.desktop\\fR, "
            "\\fI~/.local/share/mime/packages/umbrascope\\-project.xml\\fR\n" +
            Roff("Written at every start by a program run from its build folder, so that .usp "
                 "files open with it. An installed program leaves them alone: the installed "
                 "desktop entry and MIME type do the same for every user.") +
            "\n.SH ENVIRONMENT\n"
            ".TP\n"
            "\\fBUMBRASCOPE_FRAME_LOG\\fR=\\fILOG.csv\\fR\n" +
            Roff("Every play with picture from the main window writes its frame log there, as "
                 "--frame-log does.") +
            "\n.TP\n"
            "\\fBUMBRASCOPE_PRESENTATION\\fR=\\fBopengl\\fR|\\fBraster\\fR\n" +
            Roff("How frames reach the screen: through OpenGL, handed over at the display's "
                 "refresh, or painted as they come. Without it, OpenGL where it runs on a "
                 "graphics card.") +
            "\n.SH COPYRIGHT\n" +
            Roff("Umbrascope is free software under the GNU General Public License, version 3 "
                 "or later. There is NO WARRANTY, to the extent permitted by law.") +
            '\n';
    return page;
}

} // namespace umbrascope
