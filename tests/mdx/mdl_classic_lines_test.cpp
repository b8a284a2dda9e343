// The MDL text written from a binary model reads in other tools as it reads here: only the
// keywords the classic files use, the lines they always have, colours in their channel order,
// and every note on what MDL cannot say in comments at the top, none inside a block.

#include "corpus_files.h"

#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

using mdx_test::corpusFiles;
using mdx_test::readBytes;

// The first word of every item line (after "static"), by the top-level block it stands in.
struct Keywords {
    std::set<std::string> topBlocks, words;
};

Keywords keywordsOf(const std::string& text, const std::set<std::string>* knownTopBlocks) {
    Keywords k;
    std::istringstream in(text);
    std::string line, top;
    int depth = 0;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 2, "//") == 0)
            continue;
        std::string word = line.substr(start, line.find_first_of(" ,{:\r", start) - start);
        if (word == "static")
            word = line.substr(start + 7, line.find_first_of(" ,{\r", start + 7) - start - 7);
        if (depth == 0) {
            top = word;
            k.topBlocks.insert(word);
        }
        // Blocks of a kind no classic file holds cannot be checked against them.
        const bool checked = !knownTopBlocks || knownTopBlocks->count(top);
        if (checked && !word.empty() && std::isalpha(static_cast<unsigned char>(word[0])))
            k.words.insert(word);
        for (char c : line)
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
    }
    return k;
}

// Flag words and counts that are part of the format but that no corpus MDL file happens to use.
const std::set<std::string> wordsBeyondTheCorpus = {"Billboarded", "Unselectable", "NumEvents",
                                                    "NumParticleEmitters2"};

TEST(MdlClassicLines, EveryCorpusMdxAsMdlUsesTheClassicKeywordsAndNoCommentInABlock) {
    const auto classic = corpusFiles(".mdl");
    const auto models = corpusFiles(".mdx");
    if (classic.empty() || models.empty())
        GTEST_SKIP() << "corpus not found at " << MOLDRIN_CORPUS_DIR;
    Keywords known;
    for (const auto& file : classic) {
        const auto k = keywordsOf(readBytes(file), nullptr);
        known.topBlocks.insert(k.topBlocks.begin(), k.topBlocks.end());
        known.words.insert(k.words.begin(), k.words.end());
    }
    ASSERT_TRUE(known.words.count("Bitmap"));
    for (const auto& file : models) {
        SCOPED_TRACE(file.string());
        const std::string text = mdx::writeMdl(mdx::readMdx(readBytes(file))).text;
        for (const auto& word : keywordsOf(text, &known.topBlocks).words)
            EXPECT_TRUE(known.words.count(word) || wordsBeyondTheCorpus.count(word)) << word;
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line))
            EXPECT_FALSE(line.starts_with("\t") && line.find("//") != std::string::npos) << line;
    }
}

mdx::Model modelWithEveryRule() {
    mdx::Model m;
    m.sequences.push_back({"Stand", {0, 0}, 0, 0, 0, 0, {}});
    m.textures.push_back({1, "", 0}); // a replaceable texture
    mdx::Material material;
    material.layers.emplace_back(); // filter mode None, texture 0
    m.materials.push_back(material);
    mdx::GeosetAnimation uses; // the colour bit with the default colour
    uses.flags = 2;
    mdx::GeosetAnimation unused; // a colour stored, its bit clear
    unused.color = {0.5f, 0.25f, 1};
    m.geosetAnimations = {uses, unused};
    mdx::Light light;
    light.node.flags = 0x200 | 0x80000000u; // a bit no word names
    light.color = {0.1f, 0.2f, 0.3f};
    light.ambientColor = {0.4f, 0.5f, 0.6f};
    m.lights.push_back(light);
    mdx::ParticleEmitter2 emitter;
    emitter.node.flags = 0x1000;
    emitter.segmentColor = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 0.5f}}};
    m.particleEmitters2.push_back(emitter);
    mdx::RibbonEmitter ribbon;
    ribbon.node.flags = 0x4000;
    ribbon.color = {0.25f, 0.5f, 0.75f};
    m.ribbonEmitters.push_back(ribbon);
    return m;
}

TEST(MdlClassicLines, TheLinesClassicFilesAlwaysHaveAreWrittenAndReadBack) {
    const auto model = modelWithEveryRule();
    const std::string text = mdx::writeMdl(model).text;
    for (const char* expected :
         {"\t\tInterval { 0, 0 },\n",               // an interval from 0 to 0
          "\t\tImage \"\",\n",                      // a replaceable texture
          "\t\t\tFilterMode None,\n",               // the default filter mode
          "\t\t\tstatic TextureID 0,\n",            // a layer's first texture
          "\tTextureID 0,\n",                       // an emitter's first texture
          "\tstatic Alpha 1,\n",                    // a geoset animation's alpha
          "\tstatic Color { 1, 1, 1 },\n",          // the colour bit, told by its line
          "\tstatic Color { 0.3, 0.2, 0.1 },\n",    // a light's colour,
          "\tstatic AmbColor { 0.6, 0.5, 0.4 },\n", // its ambient colour,
          "\t\tColor { 0, 0, 1 },\n",               // an emitter's segment colour
          "\t\tColor { 0.5, 0, 0 },\n",             // (the last of them),
          "\tstatic Color { 0.75, 0.5, 0.25 },\n",  // a ribbon's: red, green, blue
          "// Flags: GeosetAnim 1 = 0\n",           // a colour whose bit is clear
          "// Flags: Light 0 = 2147484160\n"})      // a bit no word names
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_EQ(text.find("UseColor"), std::string::npos);
    EXPECT_LT(text.find("// Flags:"), text.find('{'));
    EXPECT_EQ(mdx::readMdl(text), model);
}

} // namespace
