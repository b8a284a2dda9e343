#include "largest_corpus_model.h"

#include "formats/mdx/mdx_file.h"

#include <fstream>
#include <sstream>

namespace bench {

namespace fs = std::filesystem;

std::size_t vertexCount(const mdx::Model& model) {
    std::size_t count = 0;
    for (const auto& g : model.geosets)
        count += g.vertices.size();
    return count;
}

const CorpusModel& largestCorpusModel() {
    static const CorpusModel largest = [] {
        CorpusModel best;
        const fs::path corpus = fs::path(MOLDRIN_SOURCE_DIR) / ".." / "shared" / "corpus";
        for (const auto& folder : {corpus, corpus / "mdx"}) {
            if (!fs::is_directory(folder))
                continue;
            for (const auto& entry : fs::directory_iterator(folder)) {
                const auto ext = entry.path().extension();
                if (ext != ".mdx" && ext != ".mdl")
                    continue;
                std::ifstream in(entry.path(), std::ios::binary);
                std::stringstream bytes;
                bytes << in.rdbuf();
                try {
                    const auto text = bytes.str();
                    auto read = mdx::hasMdxMagic(text) ? mdx::readMdx(text) : mdx::readMdl(text);
                    if (vertexCount(read) > vertexCount(best.model))
                        best = {std::move(read), folder};
                } catch (const std::exception&) {
                }
            }
        }
        return best;
    }();
    return largest;
}

} // namespace bench
