#include "formats/mdx/mdx_file.h"

namespace mdx {

const std::vector<Tag>& usualChunkOrder() {
    static const std::vector<Tag> order{
        makeTag("VERS"), makeTag("MODL"), makeTag("SEQS"), makeTag("GLBS"), makeTag("MTLS"),
        makeTag("TEXS"), makeTag("TXAN"), makeTag("GEOS"), makeTag("GEOA"), makeTag("BONE"),
        makeTag("LITE"), makeTag("HELP"), makeTag("ATCH"), makeTag("PIVT"), makeTag("PREM"),
        makeTag("PRE2"), makeTag("CORN"), makeTag("RIBB"), makeTag("CAMS"), makeTag("EVTS"),
        makeTag("CLID"), makeTag("FAFX"), makeTag("BPOS")};
    return order;
}

bool hasMdxMagic(std::string_view bytes) {
    return bytes.substr(0, 4) == "MDLX";
}

bool isCutMdxMagic(std::string_view bytes) {
    return !bytes.empty() && bytes.size() < 4 && std::string_view("MDLX").starts_with(bytes);
}

} // namespace mdx
