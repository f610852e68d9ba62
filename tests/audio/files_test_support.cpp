#include "files_test_support.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

namespace umbrascope {

namespace fs = std::filesystem;

namespace {

fs::path TestRoot() {
    static const fs::path root = [] {
        const char* build = std::getenv("UMBRASCOPE_BUILD_DIR");
        fs::path base = build ? fs::path(build) / "test-data" : fs::temp_directory_path();
        fs::create_directories(base);
        std::string pattern = (base / "files-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a scratch folder");
        return fs::path(pattern);
    }();
    return root;
}

fs::path SourceDir() {
    const char* source = std::getenv("UMBRASCOPE_SOURCE_DIR");
    return source ? fs::path(source) : fs::path(__FILE__).parent_path().parent_path().parent_path();
}

// Removes the scratch folder when the test program ends.
class ScratchCleanup final : public ::testing::Environment {
public:
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(TestRoot(), ignored);
    }
};
[[maybe_unused]] const auto* cleanup = ::testing::AddGlobalTestEnvironment(new ScratchCleanup);

} // namespace

const fs::path& SoundFixtures() {
    static const fs::path folder = [] {
        const fs::path target = TestRoot() / "fixtures";
        const std::string command =
            (SourceDir() / "tests/fixtures/make-sound-fixtures.sh").string() + " '" +
            target.string() + "'";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("the sound fixture script failed");
        return target;
    }();
    return folder;
}

fs::path ScratchFolder() {
    static int next = 0;
    const fs::path folder = TestRoot() / ("scratch" + std::to_string(++next));
    fs::create_directories(folder);
    return folder;
}

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

void PutText(Bytes& out, const char* text) {
    for (; *text; ++text)
        out.push_back(static_cast<std::uint8_t>(*text));
}

Bytes FormatChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                  std::uint16_t blockAlign, std::uint16_t bits) {
    Bytes payload;
    PutU16(payload, tag);
    PutU16(payload, channels);
    PutU32(payload, rate);
    PutU32(payload, rate * blockAlign);
    PutU16(payload, blockAlign);
    PutU16(payload, bits);
    return Chunk("fmt ", payload);
}

Bytes Chunk(const char* id, const Bytes& payload) {
    Bytes out;
    PutText(out, id);
    PutU32(out, static_cast<std::uint32_t>(payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes RiffWave(const std::vector<Bytes>& chunks) {
    Bytes body;
    PutText(body, "WAVE");
    for (const Bytes& chunk : chunks)
        body.insert(body.end(), chunk.begin(), chunk.end());
    Bytes out;
    PutText(out, "RIFF");
    PutU32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes CountingData(std::size_t bytes) {
    Bytes data(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        data[i] = static_cast<std::uint8_t>(i % 251);
    return data;
}

Bytes PlayBuffers(TrackSource& source, int buffers) {
    const std::size_t size = source.BufferBytes();
    Bytes out(size * static_cast<std::size_t>(buffers));
    for (int i = 0; i < buffers; ++i) {
        source.Fill(out.data() + size * static_cast<std::size_t>(i));
        if (i > 0)
            source.AfterSwitch();
    }
    return out;
}

} // namespace umbrascope
