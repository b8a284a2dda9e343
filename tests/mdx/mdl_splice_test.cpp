// Whole-model edits written back into the text a model was read from: every block the edit did
// not change keeps its bytes.

#include "corpus_files.h"

#include "formats/mdx/mdl_splice.h"
#include "formats/mdx/mdx_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace mdx;

// A model as another program writes it: extra spaces, numbers such as 0.50000, a comment
// between blocks, CR LF line ends.
const std::string classicText = "// made by hand\r\n"
                                "Version {\r\n"
                                "\tFormatVersion  800,\r\n"
                                "}\r\n"
                                "Model \"Tiny\" {\r\n"
                                "\tBlendTime 150,\r\n"
                                "}\r\n"
                                "Textures 2 {\r\n"
                                "\tBitmap {\r\n"
                                "\t\tImage \"a.blp\",\r\n"
                                "\t}\r\n"
                                "\tBitmap {  Image \"b.blp\", }\r\n"
                                "}\r\n"
                                "\r\n"
                                "// the materials\r\n"
                                "Materials 2 {\r\n"
                                "\tMaterial {\r\n"
                                "\t\tLayer {\r\n"
                                "\t\t\tFilterMode None,\r\n"
                                "\t\t\tstatic TextureID 0,\r\n"
                                "\t\t\tstatic Alpha 0.50000,\r\n"
                                "\t\t}\r\n"
                                "\t}\r\n"
                                "\tMaterial { Layer { FilterMode Blend, static TextureID 1, } }\r\n"
                                "}\r\n"
                                "Geoset {\r\n"
                                "\tVertices 1 { { 0.0, 1.0, 2.0 }, }\r\n"
                                "\tNormals 1 { { 0, 0, 1 }, }\r\n"
                                "\tTVertices 1 { { 0.25, 0.75 }, }\r\n"
                                "\tVertexGroup { 0, }\r\n"
                                "\tFaces 1 3 { Triangles { { 0, 0, 0 }, } }\r\n"
                                "\tGroups 1 1 { Matrices { 0 }, }\r\n"
                                "\tMaterialID 0,\r\n"
                                "}\r\n"
                                "Geoset {\r\n"
                                "\tVertices 1 { { 5.0, 1.0, 2.0 }, }\r\n"
                                "\tNormals 1 { { 0, 0, 1 }, }\r\n"
                                "\tTVertices 1 { { 0.5, 0.5 }, }\r\n"
                                "\tVertexGroup { 0, }\r\n"
                                "\tFaces 1 3 { Triangles { { 0, 0, 0 }, } }\r\n"
                                "\tGroups 1 1 { Matrices { 0 }, }\r\n"
                                "\tMaterialID 1,\r\n"
                                "}\r\n"
                                "Bone \"Root\" {\r\n"
                                "\tObjectId 0,\r\n"
                                "}\r\n"
                                "Wobble {\r\n"
                                "\tUnheard 1,\r\n"
                                "}\r\n"
                                "PivotPoints 1 {\r\n"
                                "\t{ 0.0, 0.0, 0.0 },\r\n"
                                "}\r\n";

// The text of a whole-model edit of text.
std::string spliced(const std::string& text, const std::function<void(Model&)>& edit) {
    Model model = readMdl(text);
    const auto before = writeMdl(model).text;
    edit(model);
    return spliceModelText(text, before, writeMdl(model).text);
}

TEST(ModelTextSplice, AnEditKeepsTheBytesOfEveryBlockItDidNotChange) {
    const auto text =
        spliced(classicText, [](Model& m) { m.materials[1].layers[0].filterMode = 3; });
    // The Materials block is the writer's, with the comment before it and CR LF line ends.
    const auto materials = text.find("// the materials\r\nMaterials 2 {\r\n\tMaterial {\r\n");
    ASSERT_NE(materials, std::string::npos) << text;
    EXPECT_NE(text.find("\t\t\tFilterMode Additive,\r\n", materials), std::string::npos);
    EXPECT_EQ(text.substr(0, materials), classicText.substr(0, materials));
    EXPECT_EQ(text.substr(text.find("Geoset {")), classicText.substr(classicText.find("Geoset {")));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << "at byte " << i;
        }
    }
    Model edited = readMdl(classicText);
    edited.materials[1].layers[0].filterMode = 3;
    EXPECT_EQ(readMdl(text), edited);
}

TEST(ModelTextSplice, RemovedAddedAndUnknownBlocks) {
    struct Case {
        const char* name;
        std::function<void(Model&)> edit;
        std::vector<std::string> kept;   // lines of the original still there
        std::vector<std::string> absent; // lines of the original gone
    };
    const Case cases[] = {
        // Geosets are known by their place: the second takes the first's, in the writer's text.
        {"removed geoset",
         [](Model& m) { m.geosets.erase(m.geosets.begin()); },
         {"\tUnheard 1,\r\n", "\tFormatVersion  800,\r\n", "\t\t\tstatic Alpha 0.50000,\r\n"},
         {"\tVertices 1 { { 0.0, 1.0, 2.0 }, }\r\n", "\tVertices 1 { { 5.0, 1.0, 2.0 }, }\r\n"}},
        {"added geoset",
         [](Model& m) { m.geosets.push_back(m.geosets[0]); },
         {"\tVertices 1 { { 0.0, 1.0, 2.0 }, }\r\n", "\tVertices 1 { { 5.0, 1.0, 2.0 }, }\r\n",
          "\tUnheard 1,\r\n"},
         {}},
        {"renamed bone",
         [](Model& m) { m.bones[0].node.name = "Spine"; },
         {"\tUnheard 1,\r\n", "\tFormatVersion  800,\r\n", "\t\t\tstatic Alpha 0.50000,\r\n"},
         {"Bone \"Root\" {\r\n"}},
    };
    for (const auto& c : cases) {
        Model edited = readMdl(classicText);
        c.edit(edited);
        const auto text = spliced(classicText, c.edit);
        EXPECT_EQ(readMdl(text), edited) << c.name;
        for (const auto& line : c.kept)
            EXPECT_NE(text.find(line), std::string::npos) << c.name << ": " << line;
        for (const auto& line : c.absent)
            EXPECT_EQ(text.find(line), std::string::npos) << c.name << ": " << line;
    }
}

TEST(ModelTextSplice, AnAddedGeosetFollowsTheLastGeoset) {
    const auto text = spliced(classicText, [](Model& m) { m.geosets.push_back(m.geosets[0]); });
    const auto second = text.find("\tVertices 1 { { 5.0, 1.0, 2.0 }, }");
    const auto added = text.find("Geoset {", second);
    ASSERT_NE(added, std::string::npos);
    EXPECT_LT(added, text.find("Bone \"Root\""));
    // From the Textures to the added geoset, the original's bytes (the Model block counts anew).
    const auto textures = text.find("Textures 2 {");
    EXPECT_EQ(text.substr(textures, added - textures),
              classicText.substr(classicText.find("Textures 2 {"), added - textures));
    EXPECT_EQ(text.substr(text.find("Bone \"Root\"")),
              classicText.substr(classicText.find("Bone \"Root\"")));
}

TEST(ModelTextSplice, TheFirstGeosetOfAModelWithoutOneGoesBeforeTheNodes) {
    const std::string original = "Version {\n\tFormatVersion 800,\n}\n"
                                 "Bone \"Root\" {\n\tObjectId 0,\n}\n";
    Model model = readMdl(original);
    const auto before = writeMdl(model).text;
    model.geosets.emplace_back();
    model.geosets[0].vertices = {{1, 2, 3}};
    const auto text = spliceModelText(original, before, writeMdl(model).text);
    EXPECT_LT(text.find("Geoset {"), text.find("Bone \"Root\""));
    EXPECT_EQ(readMdl(text).geosets, model.geosets);
}

TEST(ModelTextSplice, BlocksThatShareALineOrEndTheTextWithoutALineEnd) {
    const std::string original = "Version { FormatVersion 800, } Bone \"A\" { ObjectId 0, }\n"
                                 "Helper \"B\" { ObjectId 1, }";
    const auto text = spliced(original, [](Model& m) { m.bones[0].node.name = "C"; });
    Model edited = readMdl(original);
    edited.bones[0].node.name = "C";
    EXPECT_EQ(readMdl(text), edited);
    // The changed block starts a line of its own; the last keeps its missing line end.
    EXPECT_EQ(text.substr(0, 42), "Version { FormatVersion 800, }\nBone \"C\" {\n");
    EXPECT_EQ(text.substr(text.size() - 28), "}\nHelper \"B\" { ObjectId 1, }");
}

TEST(ModelTextSplice, ThePreambleIsTheOriginalsUnlessTheEditChangedIt) {
    const std::string before = "// Chunks: VERS\nVersion {\n\tFormatVersion 800,\n}\n";
    const std::string original = "// mine\nVersion {\n\tFormatVersion 800,\n}\n";
    EXPECT_EQ(spliceModelText(original, before, before), original);
    const std::string after = "// Chunks: VERS MODL\nVersion {\n\tFormatVersion 800,\n}\n";
    EXPECT_EQ(spliceModelText(original, before, after), after);
}

// The property that matters, on every corpus MDL: the spliced text reads as the edited model.
TEST(ModelTextSplice, CorpusTextsReadAsTheEditedModel) {
    const auto files = mdx_test::corpusFiles(".mdl");
    if (files.empty())
        GTEST_SKIP() << "no corpus MDL files beside the checkout";
    const std::vector<std::pair<const char*, std::function<bool(Model&)>>> edits = {
        {"filter mode",
         [](Model& m) {
             if (m.materials.empty() || m.materials.back().layers.empty())
                 return false;
             auto& mode = m.materials.back().layers.front().filterMode;
             mode = mode == 2 ? 1 : 2;
             return true;
         }},
        {"remove geoset",
         [](Model& m) {
             if (m.geosets.size() < 2)
                 return false;
             m.geosets.erase(m.geosets.begin() + static_cast<long>(m.geosets.size() / 2));
             return true;
         }},
        {"append geoset copy",
         [](Model& m) {
             if (m.geosets.empty())
                 return false;
             m.geosets.push_back(m.geosets.front());
             return true;
         }},
        {"bone name",
         [](Model& m) {
             if (m.bones.empty())
                 return false;
             m.bones.back().node.name += "_renamed";
             return true;
         }},
    };
    // Each file takes every other edit, in turn, to keep the test short.
    for (std::size_t f = 0; f < files.size(); ++f) {
        const auto original = mdx_test::readBytes(files[f]);
        const Model model = readMdl(original);
        const auto before = writeMdl(model).text;
        EXPECT_EQ(spliceModelText(original, before, before), original) << files[f];
        for (std::size_t e = f % 2; e < edits.size(); e += 2) {
            Model edited = model;
            if (!edits[e].second(edited))
                continue;
            const auto text = spliceModelText(original, before, writeMdl(edited).text);
            EXPECT_TRUE(readMdl(text) == edited) << files[f] << ": " << edits[e].first;
        }
    }
}

} // namespace
