// umbrascope --snapshot FILE.usp --at MS --size WxH [--phrase TEXT] OUT.png: the full-screen
// picture at one session time, drawn without a display.

#include "Cli.h"
#include "CommandWriting.h"
#include "Interruptions.h"
#include "base/FileUtils.h"
#include "base/TerminalText.h"
#include "model/Cp1251.h"
#include "model/MediaPath.h"
#include "model/ProjectFile.h"
#include "model/SessionState.h"
#include "visual/PhraseSource.h"
#include "visual/VideoFunctions.h"

#include <QBuffer>
#include <QImage>

#include <iostream>
#include <memory>

namespace umbrascope {

namespace {

constexpr const char* SnapshotUsage =
    "usage: umbrascope --snapshot FILE.usp --at MS --size WxH [--phrase TEXT] OUT.png";
constexpr int LargestSide = 8192;

struct SnapshotRequest {
    std::string project;
    std::string output;
    std::int32_t at = 0;
    QSize size;
    std::optional<std::string> phrase; // UTF-8
};

// Fills request from the arguments; a message when they are wrong.
std::optional<std::string> ParseRequest(const std::vector<std::string>& arguments,
                                        SnapshotRequest& request) {
    std::vector<std::string> files;
    bool haveTime = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--at" || argument == "--size" || argument == "--phrase") {
            if (i + 1 == arguments.size())
                return argument + " needs a value; " + SnapshotUsage;
            const std::string& value = arguments[++i];
            if (argument == "--at") {
                const auto at = ParseMilliseconds(value);
                if (!at)
                    return std::string("--at takes a time in milliseconds from 0 to 2147483647");
                request.at = *at;
                haveTime = true;
            } else if (argument == "--size") {
                const auto size = ParseSize(value, LargestSide);
                if (!size)
                    return "--size takes WIDTHxHEIGHT, each from 1 to " +
                           std::to_string(LargestSide);
                request.size = *size;
            } else {
                request.phrase = value;
            }
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2 || !haveTime || request.size.isEmpty())
        return std::string(SnapshotUsage);
    request.project = files[0];
    request.output = files[1];
    if (auto refusal = RefuseOutputThatIsInput(request.project, request.output))
        return refusal;
    return RefuseUnknownExtension(request.output, {".png"}, "--snapshot");
}

// The first phrase the presentation would show: the given text, or the first line of the
// phrase file, either read as a line of the phrase file; empty when there is neither.
std::optional<std::string> FirstPhrase(const SnapshotRequest& request,
                                       const SessionValuesInForce& values,
                                       const std::string& projectFolder, std::string& problem) {
    if (request.phrase) {
        auto text = Utf8ToCp1251(*request.phrase);
        if (!text) {
            problem = "--phrase holds a character that Windows-1251 cannot hold";
            return std::nullopt;
        }
        return ShownPhrase(std::move(*text));
    }
    std::string path = values.PhraseFile;
    if (!values.TextEnabled || path.empty() || !ResolveMediaPath(path, projectFolder))
        return std::string();
    const OpenedPhraseFile opened = OpenPhraseFileOrRefuse(path);
    if (opened.refusal)
        std::cerr << "umbrascope: " << EscapedMessage(opened.refusal->Text()) << '\n';
    if (!opened.reader)
        return std::string();
    std::string text;
    ReadPhraseLineStart(*opened.reader, text);
    return ShownPhrase(std::move(text));
}

int WriteSnapshot(const SnapshotRequest& request) {
    // Before the project opens, as a built session's media are unpacked then.
    CatchInterruptions();
    UnpackedMedia media;
    SessionDocument document;
    if (const auto failure = OpenProjectArgument(request.project, document, media))
        return Fail(*failure);
    if (const auto refusal =
            RefuseOutputOverSession(document.Contents(), document.ProjectFileName, request.output))
        return Fail(*refusal);
    const SessionStateAt state = StateAt(document.StartValues, document.Events, request.at);
    if (state.failure)
        Tell(Cp1251ToUtf8(*state.failure) + " (the state up to that event is shown)");
    const SessionValuesInForce& values = state.values;

    std::string problem;
    const auto phrase = FirstPhrase(request, values, document.ProjectFolder(), problem);
    if (!phrase)
        return Fail(problem);
    const auto frameTime = static_cast<std::uint32_t>(request.at);
    PhraseLayout layout;
    layout.PhraseText = *phrase;
    if (!layout.PhraseText.empty())
        LayOutPhrase(layout, values, request.size);
    layout.PhraseStart = frameTime;

    QImage frame(request.size, QImage::Format_RGB32);
    frame.fill(qRgb(0, 0, 0)); // a VideoType without a pattern draws nothing over this
    DrawFrame(frame, values, layout, frameTime);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!frame.save(&buffer, "PNG"))
        return Fail(request.output + ": the picture could not be encoded");
    ThrowIfInterrupted();
    try {
        WriteFileReplacing(request.output, png.toStdString(), CommandWriteOptions(request.output));
    } catch (const IoError& error) {
        return Fail(request.output + ": " + error.what());
    }
    return 0;
}

} // namespace

int RunSnapshotCommand(const std::vector<std::string>& arguments) {
    SnapshotRequest request;
    if (const auto problem = ParseRequest(arguments, request))
        return Fail(*problem);
    const auto application = MakeOffscreenApplication();
    return WriteSnapshot(request);
}

} // namespace umbrascope
