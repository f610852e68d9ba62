#include "SoundExport.h"

#include "SoundFileFormats.h"

#include <string>
#include <vector>

namespace umbrascope {

namespace {

// A cancel is seen within a tenth of a second.
constexpr std::size_t BlockFrames = 16384;

const SoundFileFormat& FormatFor(const std::filesystem::path& target,
                                 const SoundExportSettings& settings) {
    const SoundFileFormat* format = SoundFileFormatOf(target);
    if (!format)
        throw UserTextError(UnknownSoundFileName(target));
    if (!format->Takes(settings.format.bits))
        throw UserTextError(
            {Translatable("umbrascope::SoundExport", "Файл %1 не может хранить отсчёты по %2 бит"),
             {std::string(format->name), std::to_string(settings.format.bits)}});
    if (settings.to <= settings.from)
        throw UserTextError(
            {Translatable("umbrascope::SoundExport", "Нечего экспортировать: конец (%1 мс) не "
                                                     "позже начала (%2 мс)"),
             {std::to_string(settings.to), std::to_string(settings.from)}});
    return *format;
}

void RefuseWhatDoesNotFit(const SoundFileFormat& format, const SoundExportSettings& settings,
                          std::uint64_t frames) {
    const std::uint64_t bytesPerFrame = static_cast<std::uint64_t>(settings.format.bits / 8) * 2;
    if (format.maxDataBytes != 0 && frames * bytesPerFrame > format.maxDataBytes)
        throw UserTextError(
            {Translatable("umbrascope::SoundExport", "Звук слишком длинный для файла %1: "
                                                     "экспортируйте более короткий отрезок"),
             {std::string(format.name)}});
}

// Renders into samples of the type the bits need and hands them to the writer; false when the
// progress cancelled.
template <typename Sample>
bool WriteAll(SessionRenderer& renderer, SoundFileWriter& writer,
              const SoundExportProgress& progress) {
    std::vector<Sample> block(BlockFrames * 2);
    if (!progress(0, renderer.TotalFrames()))
        return false;
    while (const std::size_t frames = renderer.Render(block.data(), BlockFrames)) {
        writer.Write(block.data(), frames);
        if (!progress(renderer.RenderedFrames(), renderer.TotalFrames()))
            return false;
    }
    return true;
}

} // namespace

UserText UnknownSoundFileName(const std::filesystem::path& target) {
    std::string extensions;
    for (const std::string& extension : SoundFileExtensions())
        extensions += (extensions.empty() ? "" : ", ") + extension;
    return {Translatable("umbrascope::SoundExport",
                         "Звук записывается только в файлы с расширением %1 (в любом "
                         "регистре букв), а не в «%2». Ничего не записано."),
            {extensions, target.filename().string()}};
}

ExportOutcome ExportSound(Session session, std::string projectFolder,
                          const std::filesystem::path& target, const SoundExportSettings& settings,
                          const SoundExportProgress& progress) {
    const SoundFileFormat& format = FormatFor(target, settings);
    ExportFormat samples = settings.format;
    samples.dither = samples.dither && format.dither;
    SessionRenderer renderer(std::move(session), std::move(projectFolder), settings.from,
                             settings.to, settings.rate, samples);
    RefuseWhatDoesNotFit(format, settings, renderer.TotalFrames());
    const auto writer =
        format.open(target, settings.rate, samples.bits, renderer.TotalFrames(), settings.writing);
    ExportOutcome outcome;
    // 16-bit samples go to the file as the renderer makes them, without widening.
    const bool complete = samples.bits == 16 ? WriteAll<std::int16_t>(renderer, *writer, progress)
                                             : WriteAll<std::int32_t>(renderer, *writer, progress);
    if (complete) {
        writer->Finish();
        outcome.written = true;
    }
    outcome.cancelled = !complete;
    outcome.clippedSamples = renderer.ClippedSamples();
    outcome.renderedSamples = renderer.RenderedFrames() * 2;
    outcome.firstClipTime = renderer.FirstClipTime();
    outcome.problems = renderer.Problems();
    outcome.leftOut = renderer.LeftOut();
    return outcome;
}

} // namespace umbrascope
