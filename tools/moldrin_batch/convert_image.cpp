#include "batch_context.h"

#include "common/number_text.h"
#include "textures/blp_codec.h"
#include "textures/image_file.h"
#include "textures/texture_error.h"

namespace batch {

int convertImage(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    // --convert-image IN OUT [--quality Q]
    int quality = textures::defaultBlpQuality;
    const bool withQuality = arguments.size() == 5 && arguments[3] == "--quality";
    if (arguments.size() != 3 && !withQuality) {
        err << convertImageUsageLine << "\n";
        return 2;
    }
    if (withQuality) {
        const auto value = common::parseInteger32(arguments[4]);
        if (!value || *value < 1 || *value > 100) {
            err << "moldrin-batch: --quality needs a whole number from 1 to 100, not \""
                << arguments[4] << "\"\n";
            return 2;
        }
        quality = *value;
    }
    try {
        const auto image = textures::readImageFile(arguments[1]);
        textures::writeImageFile(arguments[2], image, quality);
        out << arguments[2] << ": " << image.width << " x " << image.height << "\n";
        return 0;
    } catch (const textures::TextureError& error) {
        err << "moldrin-batch: " << error.what() << "\n";
        return 1;
    }
}

} // namespace batch
