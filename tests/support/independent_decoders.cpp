#include "support/independent_decoders.h"

#include "support/run_program.h"
#include "support/temp_folder.h"

#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

// Debian's interpreter, which has the packaged Pillow (not one on a private PATH).
const char* const python = "/usr/bin/python3";

const char* const pillowScript = R"(import sys
from PIL import Image
im = Image.open(sys.argv[1])
im.load()
if im.mode not in ("RGB", "RGBA"):
    im = im.convert("RGBA" if "A" in im.mode or "transparency" in im.info else "RGB")
open(sys.argv[2], "wb").write(im.tobytes())
print(im.size[0], im.size[1], len(im.mode))
)";

} // namespace

std::optional<OtherDecoding> decodeWithPillow(const std::filesystem::path& file) {
    if (!std::filesystem::exists(python) ||
        runProgram(python, {"-c", "import PIL.Image"}).status != 0)
        return std::nullopt;
    TempFolder folder;
    const auto raw = folder.file("pixels.raw");
    const auto run = runProgram(python, {"-c", pillowScript, file.string(), raw});
    if (run.status != 0)
        throw std::runtime_error("Pillow refused " + file.string() + ": " + run.err);
    OtherDecoding decoded;
    std::istringstream(run.out) >> decoded.width >> decoded.height >> decoded.channels;
    const auto bytes = readFile(raw);
    decoded.pixels.assign(bytes.begin(), bytes.end());
    return decoded;
}

bool imageMagickAvailable() {
    return runProgram("/usr/bin/convert", {"-version"}).status == 0;
}

void runImageMagick(const std::vector<std::string>& arguments) {
    const auto run = runProgram("/usr/bin/convert", arguments);
    if (run.status != 0)
        throw std::runtime_error("convert failed: " + run.err);
}

} // namespace testing_support
