// Writing the model back: the edited geoset's blocks regenerated, deletions dropped and the
// rest renumbered, the one-geoset save, removing a geoset, and saves that fail.

#include "model_fixture.h"

#include "editor/editing/file_open.h"
#include "editor/editing/file_save.h"
#include "editor/model/geoset_reader.h"
#include "editor/model/model_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

namespace {

using model_test::crlf;
using model_test::Editor;
using model_test::fixture;
using model_test::lf;
using model_test::replaced;
using testing_support::fileExists;
using testing_support::readFile;

// The geoset block from "Geoset {" to its closing line, of the n-th geoset (1-based).
std::string geosetBlock(const std::string& text, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i)
        at = text.find("Geoset {\n", i ? at + 1 : 0);
    return text.substr(at, text.find("\n}\n", at) + 3 - at);
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The six-vertex fixture as an unedited save writes it: normals and texture coordinates
// rounded to 6 decimals, the triangles on one line, CR LF line ends.
// Normals and texture coordinates no command changed keep every digit they were read with.
std::string sixAsSaved() {
    auto text = fixture("six_vertices.mdl");
    text = replaced(text, "\t\t\t{ 0, 1, 2, 0, 2, 3 },\n\t\t\t{ 3, 4, 5, 5, 4, 0 },",
                    "\t\t\t{ 0, 1, 2, 0, 2, 3, 3, 4, 5, 5, 4, 0 },");
    return crlf(text);
}

TEST(Writer, UneditedSaveKeepsEveryLineButTheJoinedFaces) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    EXPECT_TRUE(editor::saveModel(e.state, false, false));
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(readFile(path), sixAsSaved());
    EXPECT_EQ(readFile(e.state.tempPath), sixAsSaved());
    // Positions keep all their digits: 0.12345678, 1E-05, 2E+15 and -1.5E-05 stand as they were.
    EXPECT_NE(readFile(path).find("\t\t{ 0.12345678, 1E-05, 2E+15 },\r\n"), std::string::npos);
}

TEST(Writer, PositionsAreWrittenInTheFilesAxisOrder) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    auto& v = e.state.vertices[1];
    v.x = 0.5;
    v.y = -0.25;
    v.z = 1e-7;
    v.normalX = 0.12345678;
    v.normalY = -0.0000004;
    v.normalZ = 0.0078125;
    v.u = 0.00001;
    v.v = 2.0 / 3.0;
    editor::saveCommand(e.state);
    const auto text = readFile(path);
    EXPECT_NE(text.find("\t\t{ 1E-07, 0.5, -0.25 },\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t{ 0.007812, 0.123457, 0 },\r\n"), std::string::npos);
    EXPECT_NE(text.find("\t\t{ 1E-05, 0.666667 },\r\n"), std::string::npos);
}

TEST(Writer, DeletedVerticesAreDroppedAndTheRestRenumbered) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    e.state.vertices[1].deleted = true; // vertices 2 and 5 of 6
    e.state.vertices[4].deleted = true;
    EXPECT_EQ(editor::newVertexIndex(e.state, 1), 0);
    EXPECT_EQ(editor::newVertexIndex(e.state, 3), 1);
    EXPECT_EQ(editor::newVertexIndex(e.state, 4), 2);
    EXPECT_EQ(editor::newVertexIndex(e.state, 6), 3);
    EXPECT_EQ(editor::countWrittenFaces(e.state), 1);
    editor::saveCommand(e.state);

    const auto text = lf(readFile(path));
    EXPECT_NE(text.find("\tVertices 4 {\n\t\t{ -5, 5.5, 10 },\n\t\t{ 0.12345678, 1E-05, 2E+15 },\n"
                        "\t\t{ 4, 5, 6 },\n\t\t{ -1.5E-05, 0, 100 },\n\t}\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tNormals 4 {\n\t\t{ 0.12345678, 0, 1 },\n\t\t{ 0, 1, 0 },\n"),
              std::string::npos);
    EXPECT_NE(text.find("\tTVertices 4 {\n\t\t{ 0.5, 0.25 },\n\t\t{ 1, 0 },\n"), std::string::npos);
    EXPECT_NE(text.find("\tVertexGroup {\n\t\t0,\n\t\t2,\n\t\t3,\n\t\t1,\n\t}\n"),
              std::string::npos);
    // (0, 2, 3) becomes (0, 1, 2); the triangles with a deleted corner are gone.
    EXPECT_NE(text.find("\tFaces 1 3 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 2 },\n\t\t}\n\t}\n"),
              std::string::npos);

    // The saved file reads back with the kept records, and the next save builds on it.
    Editor again;
    again.open(path);
    ASSERT_EQ(again.state.vertices.size(), 4u);
    EXPECT_EQ(again.state.vertices[3].y, 100);
    EXPECT_EQ(again.state.faces, (std::vector<editor::FaceRecord>{{0, 1, 2, false}}));
}

TEST(Writer, DeletedFacesAreDroppedFromTheLineAndTheCount) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    e.state.faces[1].deleted = true;
    EXPECT_EQ(editor::countWrittenFaces(e.state), 3);
    editor::saveCommand(e.state);
    EXPECT_NE(lf(readFile(path))
                  .find("\tFaces 1 9 {\n\t\tTriangles {\n"
                        "\t\t\t{ 0, 1, 2, 3, 4, 5, 5, 4, 0 },\n\t\t}\n\t}\n"),
              std::string::npos);
}

TEST(Writer, EveryFaceDeletedRemovesTheGeosetInsteadOfWritingAnEmptyTriangleList) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    for (auto& face : e.state.faces)
        face.deleted = true;
    e.dialogs.setAnswers({"1"});
    editor::saveCommand(e.state);
    ASSERT_FALSE(e.dialogs.shown.empty());
    EXPECT_EQ(e.dialogs.shown[0].text, "Removing geoset");
    const auto text = lf(readFile(path));
    EXPECT_EQ(countOf(text, "Geoset {\n"), 2u);
    EXPECT_EQ(text.find("\t\tTriangles {\n\t\t}"), std::string::npos);
}

TEST(Writer, MatrixGroupsAreWrittenWithAllTheirIds) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    for (int slot = 1; slot <= 7; ++slot)
        e.state.matrices.at(slot, 4) = 10 + slot;
    editor::saveCommand(e.state);
    EXPECT_NE(lf(readFile(path))
                  .find("\tGroups 4 17 {\n\t\tMatrices { 0 },\n"
                        "\t\tMatrices { 3, 5, 6 },\n"
                        "\t\tMatrices { 0, 1, 2, 3, 4, 5 },\n"
                        "\t\tMatrices { 11, 12, 13, 14, 15, 16, 17 },\n\t}\n"),
              std::string::npos);
    Editor again;
    again.open(path);
    EXPECT_EQ(again.state.matrices, e.state.matrices);
}

TEST(Writer, GroupCountLimitsTheGroupsWritten) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    e.state.groupCount = 2;
    for (auto& v : e.state.vertices)
        v.vertexGroup = 0;
    editor::saveCommand(e.state);
    EXPECT_NE(lf(readFile(path))
                  .find("\tGroups 2 4 {\n\t\tMatrices { 0 },\n"
                        "\t\tMatrices { 3, 5, 6 },\n\t}\n"),
              std::string::npos);
}

TEST(Writer, OnlyTheEditedGeosetIsRegenerated) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    e.state.vertices[0].z = 99;
    editor::saveCommand(e.state);
    const auto original = fixture("three_geosets.mdl");
    const auto text = lf(readFile(path));
    EXPECT_EQ(text, replaced(original, "\t\t{ 20, 0, 0 },", "\t\t{ 99, 0, 0 },"));
}

TEST(Writer, SaveAsMovesTheWorkingCopy) {
    Editor e;
    const auto first = e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto firstCopy = e.state.tempPath;
    e.state.vertices[0].x = 7;
    e.dialogs.setAnswers({e.folder.file("other.mdl")});
    editor::saveAsCommand(e.state);
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(e.dialogs.prompts.back(), editor::modelSaveAsFilter(mdx::FileFormat::Mdl));
    EXPECT_EQ(e.state.modelPath, e.folder.file("other.mdl"));
    EXPECT_EQ(e.state.tempPath, e.folder.file("other_TMP.tdl"));
    EXPECT_FALSE(fileExists(firstCopy));
    EXPECT_EQ(readFile(e.state.tempPath), readFile(e.state.modelPath));
    EXPECT_EQ(readFile(first), fixture("six_vertices.mdl"));
    EXPECT_NE(readFile(e.state.modelPath).find("\t\t{ -5, 7, 10 },"), std::string::npos);
}

TEST(Writer, CancelledSaveAsWritesNothing) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    e.state.vertices[0].x = 7;
    e.dialogs.setAnswers({""});
    editor::saveAsCommand(e.state);
    EXPECT_EQ(e.state.modelPath, path);
    EXPECT_EQ(readFile(path), fixture("six_vertices.mdl"));
    EXPECT_EQ(readFile(e.state.tempPath), fixture("six_vertices.mdl"));
    EXPECT_EQ(e.state.vertices[0].x, 7);
}

TEST(Writer, SaveAsOntoTheWorkingCopyKeepsTheSavedFile) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto copy = e.state.tempPath;
    e.dialogs.setAnswers({copy});
    editor::saveAsCommand(e.state);
    EXPECT_EQ(e.state.modelPath, copy);
    EXPECT_EQ(readFile(copy), sixAsSaved());
    EXPECT_EQ(readFile(e.state.tempPath), sixAsSaved());
}

TEST(Writer, NothingIsSavedWithoutAModel) {
    Editor e;
    EXPECT_FALSE(editor::saveModel(e.state, false, true));
    EXPECT_TRUE(e.dialogs.prompts.empty());
}

// The three-geoset fixture written as the one-geoset, one-bone model of its second geoset.
std::string secondGeosetAlone() {
    const auto original = fixture("three_geosets.mdl");
    auto header = original.substr(0, original.find("Geoset {\n"));
    const auto sequences = header.find("Sequences 2 {");
    const auto sequencesEnd = header.find("\n}\n", sequences) + 3;
    header.replace(sequences, sequencesEnd - sequences,
                   "Sequences 1 {\n\tAnim \"Stand\" {\n\t\tInterval { 0, 3333 },\n\t}\n}\n");
    auto geoset = replaced(geosetBlock(original, 2), "Matrices { 1 }", "Matrices { 0 }");
    return header + geoset +
           "Bone \"Bone0\" {\n\tObjectId 0,\n\tGeosetAnimId None,\n}\n"
           "PivotPoints 1 {\n\t{ 0, 0, 0 },\n}\n";
}

TEST(Writer, SaveGeosetWritesAOneBoneModel) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    const auto oldCopy = e.state.tempPath;
    e.state.vertices[1].vertexGroup = 5; // every vertex goes into the one group
    const auto target = e.folder.file("alone.mdl");
    e.dialogs.setAnswers({target});
    editor::saveGeosetCommand(e.state);
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(readFile(target), crlf(secondGeosetAlone()));
    EXPECT_EQ(e.state.geosetNumber, 1);
    EXPECT_EQ(e.state.modelPath, target);
    EXPECT_EQ(e.state.tempPath, e.folder.file("alone_TMP.tdl"));
    EXPECT_EQ(readFile(e.state.tempPath), readFile(target));
    EXPECT_FALSE(fileExists(oldCopy));
    EXPECT_EQ(readFile(path), fixture("three_geosets.mdl"));

    // Editing goes on in the new file: a plain save now writes its one geoset.
    e.state.vertices[0].z = 25;
    editor::saveCommand(e.state);
    EXPECT_EQ(lf(readFile(target)),
              replaced(secondGeosetAlone(), "\t\t{ 20, 0, 0 },", "\t\t{ 25, 0, 0 },"));
}

// ---- Removing a geoset ----

TEST(RemoveGeoset, FixesTheGeosetAnimationReferences) {
    Editor e;
    const auto path = e.folder.write("three.mdl", fixture("three_geosets.mdl"));
    ASSERT_TRUE(editor::removeGeoset(path, 2));
    const auto original = fixture("three_geosets.mdl");
    auto expected = replaced(original, geosetBlock(original, 2), "");
    expected = replaced(expected, "GeosetAnim {\n\tAlpha 0.75,\n\tGeosetId 1,\n}\n", "");
    expected = replaced(expected, "\tAlpha 0.5,\n\tGeosetId 2,", "\tAlpha 0.5,\n\tGeosetId 1,");
    expected = replaced(expected, "\tObjectId 1,\n\tGeosetId 1,\n\tGeosetAnimId 1,",
                        "\tObjectId 1,\n\tGeosetId Multiple,\n\tGeosetAnimId None,");
    expected = replaced(expected, "\tObjectId 2,\n\tGeosetId 2,\n\tGeosetAnimId 2,",
                        "\tObjectId 2,\n\tGeosetId 1,\n\tGeosetAnimId 1,");
    expected = replaced(expected, "\tGeosetId Multiple,\n\tGeosetAnimId 3,",
                        "\tGeosetId Multiple,\n\tGeosetAnimId 2,");
    // The model's header counts follow.
    expected = replaced(expected, "\tNumGeosets 3,\n\tNumGeosetAnims 4,",
                        "\tNumGeosets 2,\n\tNumGeosetAnims 3,");
    EXPECT_EQ(readFile(path), crlf(expected));
    // Written in place: no scratch file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(e.folder.path()), {}), 1);
}

TEST(RemoveGeoset, HeaderCountsInEitherFormFollowAndNothingElseIsTouched) {
    const std::vector<std::string> model = {"Model \"m\" {",
                                            "\tNumGeosets; 2,",
                                            "\tNumGeosetAnims 1,",
                                            "}",
                                            "Geoset {",
                                            "\tVertices 0 {",
                                            "\t}",
                                            "}",
                                            "Geoset {",
                                            "\tVertices 0 {",
                                            "\t}",
                                            "}",
                                            "Bone \"b\" {",
                                            "\tNumGeosets 7,",
                                            "}"};
    const auto lines = editor::removeGeosetLines(model, 1);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "\tNumGeosets; 1,");
    EXPECT_EQ(lines[2], "\tNumGeosetAnims 1,"); // no animation named the removed geoset
    EXPECT_EQ(lines[9], "\tNumGeosets 7,");     // outside the Model block
}

TEST(RemoveGeoset, TheNotesOnGeosetsAndTheirAnimationsFollowTheirPlaces) {
    const std::vector<std::string> model = {"// FaceGroups: Geoset 0 = 2x4:3",
                                            "// FaceGroups: Geoset 1 = 3x4:3",
                                            "// FaceGroups: Geoset 2 = 4x4:3",
                                            "// Flags: GeosetAnim 0 = 2",
                                            "// Flags: GeosetAnim 1 = 0",
                                            "// Flags: Bone 1 = 9",
                                            "Geoset {",
                                            "}",
                                            "Geoset {",
                                            "}",
                                            "Geoset {",
                                            "}",
                                            "GeosetAnim {",
                                            "\tGeosetId 0,",
                                            "}",
                                            "GeosetAnim {",
                                            "\tGeosetId 1,",
                                            "}"};
    const auto lines = editor::removeGeosetLines(model, 2);
    const std::vector<std::string> notes(lines.begin(), lines.begin() + 4);
    EXPECT_EQ(notes, (std::vector<std::string>{
                         "// FaceGroups: Geoset 0 = 2x4:3", "// FaceGroups: Geoset 1 = 4x4:3",
                         "// Flags: GeosetAnim 0 = 2", "// Flags: Bone 1 = 9"}));
}

TEST(RemoveGeoset, WithoutAnAnimationOfItsOwnTheAnimationIdsStay) {
    Editor e;
    const auto original = replaced(fixture("three_geosets.mdl"), "\tAlpha 0.75,\n\tGeosetId 1,",
                                   "\tAlpha 0.75,\n\tGeosetId 0,");
    const auto path = e.folder.write("three.mdl", original);
    ASSERT_TRUE(editor::removeGeoset(path, 2));
    const auto text = lf(readFile(path));
    EXPECT_EQ(countOf(text, "GeosetAnim {"), 4u);
    for (const char* kept :
         {"\tGeosetAnimId 0,", "\tGeosetAnimId 1,", "\tGeosetAnimId 2,", "\tGeosetAnimId 3,"})
        EXPECT_EQ(countOf(text, kept), 1u) << kept;
    EXPECT_NE(text.find("\tObjectId 1,\n\tGeosetId Multiple,"), std::string::npos);
    EXPECT_NE(text.find("\tObjectId 2,\n\tGeosetId 1,"), std::string::npos);
}

TEST(RemoveGeoset, FirstAndLastGeosets) {
    const auto original = fixture("three_geosets.mdl");
    for (int n : {1, 3}) {
        Editor e;
        const auto path = e.folder.write("three.mdl", original);
        ASSERT_TRUE(editor::removeGeoset(path, n));
        const auto text = lf(readFile(path));
        EXPECT_EQ(countOf(text, "Geoset {\n"), 2u);
        EXPECT_EQ(text.find(geosetBlock(original, n)), std::string::npos);
        EXPECT_EQ(countOf(text, "GeosetAnim {"), 3u);
    }
    Editor e;
    EXPECT_FALSE(editor::removeGeoset(e.folder.file("missing.mdl"), 1));
}

TEST(RemoveGeoset, SavingAGeosetWithNothingLeftRemovesItAndReopens) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"2"});
    for (auto& v : e.state.vertices)
        v.deleted = true;
    e.dialogs.setAnswers({"2"});
    editor::saveCommand(e.state);
    ASSERT_FALSE(e.dialogs.shown.empty());
    EXPECT_EQ(e.dialogs.shown[0].text, "Removing geoset");
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(e.dialogs.inputs.back().prompt, "Geoset to import(1 - 2):");
    const auto text = lf(readFile(path));
    EXPECT_EQ(countOf(text, "Geoset {\n"), 2u);
    EXPECT_EQ(countOf(text, "GeosetAnim {"), 3u);
    EXPECT_EQ(readFile(e.state.tempPath), readFile(path));
    // The old third geoset is now the second, and the one being edited.
    EXPECT_EQ(e.state.geosetNumber, 2);
    ASSERT_EQ(e.state.vertices.size(), 3u);
    EXPECT_EQ(e.state.vertices[0].z, 30);
    EXPECT_TRUE(e.state.modelLoaded);
}

TEST(RemoveGeoset, NoTriangleLeftAlsoRemovesTheGeoset) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"1"});
    e.state.vertices[2].deleted = true;
    e.dialogs.setAnswers({"1"});
    editor::saveCommand(e.state);
    EXPECT_EQ(e.dialogs.shown.at(0).text, "Removing geoset");
    EXPECT_EQ(countOf(lf(readFile(path)), "Geoset {\n"), 2u);
    EXPECT_EQ(e.state.vertices.at(0).z, 20);
}

TEST(RemoveGeoset, RemovingTheLastGeosetLeavesNoModelLoaded) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    for (auto& v : e.state.vertices)
        v.deleted = true;
    editor::saveCommand(e.state);
    EXPECT_EQ(countOf(lf(readFile(path)), "Geoset {"), 0u);
    EXPECT_FALSE(e.state.modelLoaded);
    EXPECT_TRUE(e.state.vertices.empty());
    const auto after = readFile(path);
    EXPECT_FALSE(editor::saveModel(e.state, false, false));
    EXPECT_EQ(readFile(path), after);
}

TEST(RemoveGeoset, AnUnreadableNextGeosetIsNeverSavedOver) {
    // After the removal the remaining geoset cannot be read; the arrays of the removed one
    // must not go on to remove or overwrite it.
    const auto original = fixture("three_geosets.mdl");
    auto broken = geosetBlock(original, 3);
    broken = replaced(broken, "\tVertices 3 {", "\tVertices x {");
    const auto text = replaced(original, geosetBlock(original, 3), broken);
    Editor e;
    const auto path = e.openText("three.mdl", text, {"2"});
    ASSERT_TRUE(e.state.modelLoaded);
    for (auto& v : e.state.vertices)
        v.deleted = true;
    e.dialogs.setAnswers({"2"});
    editor::saveCommand(e.state);
    EXPECT_EQ(e.errorCount(), 1);
    EXPECT_FALSE(e.state.modelLoaded);
    const auto after = readFile(path);
    EXPECT_NE(lf(after).find(broken), std::string::npos);
    editor::saveCommand(e.state);
    EXPECT_EQ(readFile(path), after);
}

// ---- Saves that fail ----

struct Snapshot {
    std::string model, workingCopy, modelPath, tempPath, savePath;
    std::vector<editor::VertexRecord> vertices;
    std::vector<editor::FaceRecord> faces;
    int geosetNumber;

    explicit Snapshot(const Editor& e)
        : model(readFile(e.state.modelPath)), workingCopy(readFile(e.state.tempPath)),
          modelPath(e.state.modelPath), tempPath(e.state.tempPath), savePath(e.state.savePath),
          vertices(e.state.vertices), faces(e.state.faces), geosetNumber(e.state.geosetNumber) {}

    void expectSame(const Editor& e) const {
        EXPECT_EQ(e.state.modelPath, modelPath);
        EXPECT_EQ(e.state.savePath, savePath);
        EXPECT_EQ(e.state.tempPath, tempPath);
        EXPECT_EQ(readFile(modelPath), model);
        EXPECT_EQ(readFile(tempPath), workingCopy);
        EXPECT_EQ(e.state.vertices, vertices);
        EXPECT_EQ(e.state.faces, faces);
        EXPECT_EQ(e.state.geosetNumber, geosetNumber);
        EXPECT_TRUE(e.state.modelLoaded);
    }
};

void expectOneError(const Editor& e, const std::string& naming) {
    ASSERT_EQ(e.errorCount(), 1);
    for (const auto& shown : e.dialogs.shown)
        if (shown.title == "Error") {
            EXPECT_NE(shown.text.find(naming), std::string::npos) << shown.text;
        }
}

TEST(FailedSave, TargetFolderMissingOrNotAFolder) {
    for (const auto* command : {"save-as", "save-geoset", "removing"}) {
        for (const std::string bad : {"missing/out.mdl", "six.mdl/out.mdl"}) {
            Editor e;
            e.openText("six.mdl", fixture("six_vertices.mdl"));
            e.state.vertices[0].x = 1;
            if (std::string(command) == "removing")
                for (auto& v : e.state.vertices)
                    v.deleted = true;
            const Snapshot before(e);
            const auto target = e.folder.file(bad);
            e.dialogs.setAnswers({target});
            std::string(command) == "save-geoset" ? editor::saveGeosetCommand(e.state)
                                                  : editor::saveAsCommand(e.state);
            SCOPED_TRACE(std::string(command) + " " + bad);
            expectOneError(e, target);
            before.expectSame(e);
            EXPECT_FALSE(fileExists(target));
        }
    }
}

TEST(FailedSave, ReadOnlyFolder) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    Editor e;
    const auto locked = e.folder.path() / "locked";
    std::filesystem::create_directory(locked);
    const auto path = (locked / "six.mdl").string();
    e.folder.write("locked/six.mdl", fixture("six_vertices.mdl"));
    e.open(path);
    e.state.vertices[0].x = 1;
    const Snapshot before(e);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    editor::saveCommand(e.state);
    expectOneError(e, path);
    before.expectSame(e);
}

// The model is saved from what the editor holds, not from its working copy on disk: a copy
// deleted under the editor costs no edit, and the save makes it again.
TEST(SaveFromDocument, AWorkingCopyDeletedBeforeSavingIsMadeAgain) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    e.state.vertices[0].x = 1;
    e.state.unsavedChanges = true;
    std::filesystem::remove(e.state.tempPath);
    EXPECT_TRUE(editor::saveModel(e.state, false, false));
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_NE(readFile(path), fixture("six_vertices.mdl"));
    EXPECT_EQ(readFile(e.state.tempPath), readFile(path));
    EXPECT_FALSE(e.state.unsavedChanges);
}

TEST(SaveFromDocument, ARemovalWithoutAWorkingCopyRemovesTheGeoset) {
    Editor e;
    const auto path = e.openText("three.mdl", fixture("three_geosets.mdl"), {"1", "1"});
    for (auto& v : e.state.vertices)
        v.deleted = true;
    std::filesystem::remove(e.state.tempPath);
    editor::saveCommand(e.state);
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(editor::countGeosets(readFile(path)), 2);
    EXPECT_EQ(readFile(e.state.tempPath), readFile(path));
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.geosetNumber, 1);
}

} // namespace

namespace {

TEST(Writer, ANumberThatIsNotFiniteIsNeverSaved) {
    for (int field = 0; field < 3; ++field) {
        Editor e;
        const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
        const auto before = readFile(path);
        auto& vertex = e.state.vertices[2];
        (field == 0   ? vertex.x
         : field == 1 ? vertex.normalY
                      : vertex.u) = field == 1 ? std::nan("") : HUGE_VAL;
        EXPECT_FALSE(editor::saveModel(e.state, false, false));
        ASSERT_EQ(e.errorCount(), 1);
        EXPECT_NE(e.dialogs.shown[0].text.find("vertex 2 has a coordinate, normal or texture "
                                               "coordinate that is not a finite number"),
                  std::string::npos);
        EXPECT_EQ(readFile(path), before);
    }
    // A deleted vertex is not written, so it does not matter.
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    e.state.vertices[5].x = HUGE_VAL;
    e.state.vertices[5].deleted = true;
    EXPECT_FALSE(editor::firstVertexNotFinite(e.state).has_value());
}

} // namespace
