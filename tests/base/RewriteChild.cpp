// replacingfile_child TARGET MEGABYTES BYTE: writes MEGABYTES of BYTE to TARGET through
// ReplacingFile, writing "c" to standard output just before the bytes are put in place and "d"
// once they are. The kill test kills it somewhere in between.

#include "base/ReplacingFile.h"

#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace umbrascope {

namespace {

int WriteThroughReplacingFile(int argc, char** argv) {
    if (argc != 4)
        return 2;
    try {
        ReplacingFile file(argv[1]);
        const std::vector<char> block(1 << 20, argv[3][0]);
        for (long megabyte = std::atol(argv[2]); megabyte > 0; --megabyte)
            file.Write(block.data(), block.size());
        if (write(STDOUT_FILENO, "c", 1) != 1)
            return 1;
        file.Commit();
        return write(STDOUT_FILENO, "d", 1) == 1 ? 0 : 1;
    } catch (const std::exception&) {
        return 1;
    }
}

} // namespace

} // namespace umbrascope

int main(int argc, char** argv) {
    return umbrascope::WriteThroughReplacingFile(argc, argv);
}
