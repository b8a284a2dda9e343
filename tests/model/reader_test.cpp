// Reading one geoset of an MDL file: choosing the geoset, the block grammar, and input the
// reader refuses without touching the model in memory.

#include "editor/editing/file_open.h"
#include "editor/interaction/window_controls.h"
#include "model_fixture.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>

namespace {

using editor::FaceRecord;
using editor::MatrixTable;
using model_test::Editor;
using model_test::fixture;
using model_test::replaced;
using testing_support::fileExists;
using testing_support::readFile;

// A geoset block of the form the writer produces, with n vertices at (i, i, i).
std::string geosetText(int n, const std::string& faces) {
    std::string text = "Geoset {\n\tVertices " + std::to_string(n) + " {\n";
    for (int i = 0; i < n; ++i)
        text += "\t\t{ " + std::to_string(i) + ", " + std::to_string(i) + ", " + std::to_string(i) +
                " },\n";
    text += "\t}\n" + faces + "}\n";
    return text;
}

const std::string oneTriangle = "\tFaces 1 3 {\n\t\tTriangles {\n\t\t\t{ 0, 1, 2 },\n\t\t}\n\t}\n";

MatrixTable::Column column(std::initializer_list<int> ids) {
    auto c = MatrixTable::emptyColumn();
    std::size_t i = 0;
    for (int id : ids)
        c[i++] = id;
    return c;
}

TEST(Reader, StartsWithAndCountChar) {
    EXPECT_TRUE(editor::startsWith("\tVertices 8 {", "\tVertices"));
    EXPECT_TRUE(editor::startsWith("x", ""));
    EXPECT_FALSE(editor::startsWith("\tvertices 8 {", "\tVertices"));
    EXPECT_FALSE(editor::startsWith("    Vertices 8 {", "\tVertices"));
    EXPECT_FALSE(editor::startsWith("\tVert", "\tVertices"));
    EXPECT_EQ(editor::countChar("{ 3, 5, 6 },", ','), 3);
    EXPECT_EQ(editor::countChar("", ','), 0);
}

TEST(Reader, OneGeosetOpensWithoutAQuestion) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    EXPECT_TRUE(e.dialogs.inputs.empty());
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(e.dialogs.prompts, std::vector<std::string>{editor::modelOpenFilter});
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.geosetNumber, 1);
    EXPECT_EQ(e.state.modelPath, path);
    EXPECT_EQ(e.state.savePath, path);
    EXPECT_EQ(e.state.tempPath, e.folder.file("six_TMP.tdl"));
    EXPECT_EQ(readFile(e.state.tempPath), readFile(path));
    EXPECT_TRUE(editor::menuState(e.state).mnuSaveEnabled);
    EXPECT_TRUE(editor::menuState(e.state).viewsEnabled);
    EXPECT_FALSE(e.state.mouseArmed); // disarmed until the arming timer fires
}

TEST(Reader, SeveralGeosetsAskUntilTheAnswerIsInRange) {
    Editor e;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"0", "4", "x", "-1", "2"});
    ASSERT_EQ(e.dialogs.inputs.size(), 5u);
    for (const auto& asked : e.dialogs.inputs) {
        EXPECT_EQ(asked.prompt, "Geoset to import(1 - 3):");
        EXPECT_EQ(asked.title, "Geoset to open");
        EXPECT_EQ(asked.defaultText, "1");
    }
    EXPECT_EQ(e.state.geosetNumber, 2);
    ASSERT_EQ(e.state.vertices.size(), 3u);
    EXPECT_EQ(e.state.vertices[0].z, 20);
    EXPECT_EQ(e.state.matrices.columns(), std::vector{column({1})});
}

TEST(Reader, FractionalGeosetAnswersRoundHalfToEven) {
    for (const auto& [answer, expected] :
         std::vector<std::pair<std::string, int>>{{"2.5", 2}, {"1.5", 2}, {" 3 ", 3}, {"1.4", 1}}) {
        Editor e;
        e.openText("three.mdl", fixture("three_geosets.mdl"), {answer});
        EXPECT_EQ(e.state.geosetNumber, expected) << answer;
        EXPECT_EQ(e.dialogs.inputs.size(), 1u) << answer;
    }
}

TEST(Reader, GeosetLineWithTrailingBlanksIsStillAGeoset) {
    // Trailing blanks are layout: both geosets count, and the first can be opened.
    Editor e;
    auto text = geosetText(3, oneTriangle) + geosetText(4, oneTriangle);
    text = replaced(text, "Geoset {\n", "Geoset { \n");
    e.openText("m.mdl", text, {"1"});
    EXPECT_EQ(e.dialogs.inputs.size(), 1u);
    EXPECT_EQ(e.state.vertices.size(), 3u);
}

TEST(Reader, VerticesHeaderSizesTheArray) {
    for (int n : {8, 12}) {
        Editor e;
        e.openText("m.mdl", geosetText(n, oneTriangle));
        EXPECT_EQ(e.state.vertices.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(e.state.vertices.back().x, n - 1);
    }
}

TEST(Reader, PositionTripleIsHeldInEditorAxes) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    ASSERT_EQ(e.state.vertices.size(), 6u);
    const auto& v = e.state.vertices[0];
    EXPECT_EQ(v.x, 5.5);
    EXPECT_EQ(v.y, 10);
    EXPECT_EQ(v.z, -5);
    EXPECT_EQ(e.state.vertices[2].z, 0.12345678);
    EXPECT_EQ(e.state.vertices[2].x, 1e-5);
    EXPECT_EQ(e.state.vertices[2].y, 2e15);
    EXPECT_EQ(e.state.vertices[5].z, -1.5e-5);
    // Normals take the same axes; texture coordinates and groups keep their order.
    EXPECT_EQ(e.state.vertices[4].normalZ, -0.707107);
    EXPECT_EQ(e.state.vertices[4].normalX, 0.707107);
    EXPECT_EQ(e.state.vertices[4].normalY, 0);
    EXPECT_EQ(e.state.vertices[3].u, 0.12345678);
    EXPECT_EQ(e.state.vertices[3].v, 0.875);
    EXPECT_EQ(e.state.vertices[3].vertexGroup, 3);
    EXPECT_EQ(e.state.vertices[5].vertexGroup, 1);
    EXPECT_TRUE(editor::samePosition(e.state, 1, 1));
    EXPECT_FALSE(editor::samePosition(e.state, 1, 3));
}

TEST(Reader, FaceLinesMakeTrianglesInOrderOverSeveralLines) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    EXPECT_EQ(e.state.faces,
              (std::vector<FaceRecord>{
                  {0, 1, 2, false}, {0, 2, 3, false}, {3, 4, 5, false}, {5, 4, 0, false}}));
}

TEST(Reader, FacesHeaderCountsIndices) {
    std::string indices;
    for (int i = 0; i < 36; ++i)
        indices += (i ? ", " : "") + std::to_string(i % 12);
    Editor e;
    e.openText("m.mdl", geosetText(12, "\tFaces 1 36 {\n\t\tTriangles {\n\t\t\t{ " + indices +
                                           " },\n\t\t}\n\t}\n"));
    ASSERT_EQ(e.state.faces.size(), 12u);
    EXPECT_EQ(e.state.faces[11], (FaceRecord{9, 10, 11, false}));
}

TEST(Reader, MatrixGroupsFillSlotsAndMinusOneAfterTheLastId) {
    Editor e;
    e.openText("six.mdl", replaced(fixture("six_vertices.mdl"), "\t\tMatrices { 7 },",
                                   "\t\tMatrices { 0, 1, 2, 3, 4, 5, 6 },"));
    EXPECT_EQ(e.state.groupCount, 4);
    EXPECT_EQ(e.state.matrices.columns(),
              (std::vector{column({0}), column({3, 5, 6}), column({0, 1, 2, 3, 4, 5}),
                           column({0, 1, 2, 3, 4, 5, 6})}));
    EXPECT_EQ(e.state.matrices.at(1, 1), 0);
    EXPECT_EQ(e.state.matrices.at(2, 1), -1);
    EXPECT_EQ(e.state.matrices.at(3, 2), 6);
}

TEST(Reader, BlocksOutsideTheWantedGeosetAreIgnored) {
    // The collision shape's one-tab Vertices block comes after the geoset and must not count.
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    EXPECT_EQ(e.state.vertices.size(), 6u);
    EXPECT_EQ(e.state.vertices[5].y, 100);

    Editor before;
    before.openText("m.mdl", "CollisionShape \"Box\" {\n\tVertices 2 {\n\t\t{ 9, 9, 9 },\n"
                             "\t\t{ 8, 8, 8 },\n\t}\n}\n" +
                                 geosetText(3, oneTriangle));
    EXPECT_EQ(before.state.vertices.size(), 3u);
    EXPECT_EQ(before.state.vertices[0].x, 0);
}

TEST(Reader, ReadingStopsAtTheWantedGeosetsClosingLine) {
    Editor e;
    e.openText("m.mdl",
               geosetText(3, oneTriangle) + "Geoset {\n\tVertices 2 {\n\t\t{ not a number },\n",
               {"1"});
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.vertices.size(), 3u);
}

TEST(Reader, GeosetRunningToTheEndOfTheFileReads) {
    // As the starter model of File -> New does: no closing line, only blank lines after it.
    const auto text = fixture("six_vertices.mdl");
    const auto end = text.find("\tBoundsRadius 50,\n") + 17;
    Editor e;
    e.openText("open.mdl", text.substr(0, end) + "\n\n");
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(e.state.vertices.size(), 6u);
    EXPECT_EQ(e.state.groupCount, 4);
}

TEST(Reader, LfAndCrLfFilesReadIdentically) {
    Editor lf, crlf;
    lf.openText("lf.mdl", fixture("six_vertices.mdl"));
    crlf.openText("crlf.mdl", model_test::crlf(fixture("six_vertices.mdl")));
    EXPECT_TRUE(lf.state.modelLoaded);
    EXPECT_TRUE(crlf.state.modelLoaded);
    EXPECT_EQ(lf.state.vertices, crlf.state.vertices);
    EXPECT_EQ(lf.state.faces, crlf.state.faces);
    EXPECT_EQ(lf.state.matrices, crlf.state.matrices);
    EXPECT_EQ(lf.state.groupCount, crlf.state.groupCount);
}

TEST(Reader, DataLinesWithoutInnerBlanksReadTheSame) {
    Editor tight;
    auto text = fixture("six_vertices.mdl");
    text = replaced(text, "\t\t{ -5, 5.5, 10 },", "\t\t{-5,5.5,10},");
    text = replaced(text, "\t\t{ 0.5, 0.25 },", "\t\t{0.5, 0.25}");
    text = replaced(text, "\t\t\t{ 0, 1, 2, 0, 2, 3 },", "\t\t\t{0,1,2,0,2,3},");
    text = replaced(text, "\t\tMatrices { 3, 5, 6 },", "\t\tMatrices {3,5,6},");
    tight.openText("six.mdl", text);
    Editor plain;
    plain.openText("six.mdl", fixture("six_vertices.mdl"));
    EXPECT_EQ(tight.errorCount(), 0);
    EXPECT_EQ(tight.state.vertices, plain.state.vertices);
    EXPECT_EQ(tight.state.faces, plain.state.faces);
    EXPECT_EQ(tight.state.matrices, plain.state.matrices);
}

TEST(Reader, BlocksTheGeosetLacksKeepOrClearAsTheyShould) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto matrices = e.state.matrices;
    // Only positions and faces: normals, texture coordinates and groups are zero; the matrix
    // groups stay those of before.
    e.openText("bare.mdl", geosetText(3, oneTriangle));
    ASSERT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.vertices[1].normalX, 0);
    EXPECT_EQ(e.state.vertices[1].u, 0);
    EXPECT_EQ(e.state.vertices[1].vertexGroup, 0);
    EXPECT_EQ(e.state.matrices, matrices);
    EXPECT_EQ(e.state.groupCount, 4);
    // No Faces block: no triangles rather than those of another geoset.
    e.openText("nofaces.mdl", geosetText(3, ""));
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_TRUE(e.state.faces.empty());
}

TEST(Reader, NewRecordsAreNeitherSelectedNorDeleted) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    for (auto& v : e.state.vertices)
        v.selected = v.deleted = true;
    for (auto& f : e.state.faces)
        f.deleted = true;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    for (const auto& v : e.state.vertices)
        EXPECT_FALSE(v.selected || v.deleted);
    for (const auto& f : e.state.faces)
        EXPECT_FALSE(f.deleted);
}

TEST(Reader, OpeningAnotherModelReplacesTheWorkingCopy) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto firstCopy = e.state.tempPath;
    e.openText("three.mdl", fixture("three_geosets.mdl"), {"3"});
    EXPECT_FALSE(fileExists(firstCopy));
    EXPECT_EQ(e.state.tempPath, e.folder.file("three_TMP.tdl"));
    EXPECT_TRUE(fileExists(e.state.tempPath));
    EXPECT_EQ(e.state.geosetNumber, 3);
}

TEST(Reader, CancelledFileDialogChangesNothing) {
    Editor e;
    e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto before = e.state.vertices;
    e.dialogs.setAnswers({""});
    editor::openModel(e.state, e.state.vertices, e.state.faces, e.state.matrices, true, true);
    EXPECT_TRUE(e.dialogs.shown.empty());
    EXPECT_EQ(e.state.modelPath, e.folder.file("six.mdl"));
    EXPECT_EQ(e.state.vertices, before);
}

TEST(Reader, BadFileNameKeepsThePreviousModel) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto before = e.state.vertices;
    for (const auto& bad : {e.folder.file("missing.mdl"), e.folder.path().string()}) {
        e.dialogs.shown.clear();
        e.open(bad);
        ASSERT_EQ(e.dialogs.shown.size(), 1u);
        EXPECT_EQ(e.dialogs.shown[0].title, "Error");
        EXPECT_EQ(e.dialogs.shown[0].text, "Bad file name");
        EXPECT_EQ(e.state.modelPath, path);
        EXPECT_EQ(e.state.tempPath, e.folder.file("six_TMP.tdl"));
        EXPECT_EQ(e.state.geosetNumber, 1);
        EXPECT_EQ(e.state.vertices, before);
        EXPECT_TRUE(fileExists(e.state.tempPath));
    }
}

TEST(Reader, MergeReadKeepsThePathsOfTheEditedModel) {
    Editor e;
    const auto path = e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto other = e.folder.write("three.mdl", fixture("three_geosets.mdl"));
    std::vector<editor::VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    MatrixTable matrices;
    e.dialogs.setAnswers({other, "3"});
    editor::openModel(e.state, vertices, faces, matrices, false, false);
    EXPECT_EQ(vertices.size(), 3u);
    EXPECT_EQ(vertices[0].z, 30);
    EXPECT_EQ(e.state.modelPath, path);
    EXPECT_EQ(e.state.savePath, path);
    EXPECT_EQ(e.state.groupCount, 4);
    EXPECT_EQ(e.state.vertices.size(), 6u);
    EXPECT_FALSE(fileExists(e.folder.file("three_TMP.tdl")));
}

// ---- Input the reader refuses ----

struct Malformed {
    const char* name;
    std::string text;
    // The line the message must name: that of the first occurrence of this text (plus
    // linesAfter), or the last line of the file when empty.
    std::string faultyLine;
    int linesAfter = 0;
    // No geoset at all: no line is at fault, and the message says so in words.
    bool noGeoset = false;
};

void PrintTo(const Malformed& c, std::ostream* out) {
    *out << c.name;
}

std::string six() {
    return fixture("six_vertices.mdl");
}

std::string cutAfter(const std::string& text, const std::string& line) {
    const auto at = text.find(line);
    EXPECT_NE(at, std::string::npos) << line;
    return text.substr(0, at + line.size() + 1);
}

std::string manyMatrixGroups(int n) {
    std::string lines;
    for (int i = 1; i < n; ++i)
        lines += "\t\tMatrices { 0 },\n";
    lines += "\t\tMatrices { 1 },\n";
    return replaced(six(), "\t\tMatrices { 0 },\n", lines);
}

std::vector<Malformed> malformedCases() {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    return {
        {"NumberFieldNotANumber", replaced(six(), "{ 4, 5, 6 }", "{ 4, five, 6 }"),
         "{ 4, five, 6 }"},
        {"NormalNotANumber", replaced(six(), "{ 0, 0, -1 }", "{ 0, 0, -1x }"), "-1x"},
        {"TextureCoordinateNotANumber", replaced(six(), "{ 0.5, 0.25 }", "{ 0.5, }"), "{ 0.5, }"},
        {"TooFewValues", replaced(six(), "{ 4, 5, 6 }", "{ 4, 5 }"), "{ 4, 5 }"},
        {"TooManyValues", replaced(six(), "{ 4, 5, 6 }", "{ 4, 5, 6, 7 }"), "{ 4, 5, 6, 7 }"},
        {"DataLineWithoutBrace", replaced(six(), "\t\t{ 4, 5, 6 },", "\t\t14, 5, 6 },"),
         "\t\t14, 5"},
        {"VertexGroupNotANumber", replaced(six(), "\t\t3,\n", "\t\tthree,\n"), "three"},
        {"VertexGroupNegative", replaced(six(), "\t\t3,\n", "\t\t-1,\n"), "\t\t-1,"},
        {"MoreVertexLinesThanTheHeader", replaced(six(), "Vertices 6 {", "Vertices 5 {"),
         "{ -1.5E-05, 0, 100 }"},
        {"FewerVertexLinesThanTheHeader", replaced(six(), "Vertices 6 {", "Vertices 7 {"),
         "Vertices 7 {"},
        {"MoreNormalLinesThanTheHeader", replaced(six(), "Normals 6 {", "Normals 5 {"),
         "Normals 5 {"},
        {"MoreNormalsThanVertices",
         replaced(replaced(six(), "Normals 6 {", "Normals 7 {"), "\t\t{ 0, 0, -1 },\n",
                  "\t\t{ 0, 0, -1 },\n\t\t{ 0, 0, -2 },\n"),
         "{ 0, 0, -2 }"},
        {"MoreTextureLinesThanTheHeader", replaced(six(), "TVertices 6 {", "TVertices 4 {"),
         "TVertices 4 {"},
        {"MoreVertexGroupLinesThanVertices", replaced(six(), "\t\t1,\n\t}", "\t\t1,\n\t\t0,\n\t}"),
         "\t\t1,\n\t\t0,\n\t}", 1},
        {"CornerNamesNoVertex", replaced(six(), "{ 3, 4, 5, 5, 4, 0 }", "{ 3, 4, 6, 5, 4, 0 }"),
         "\tFaces 1 12 {"},
        {"NegativeCorner", replaced(six(), "{ 3, 4, 5, 5, 4, 0 }", "{ 3, 4, -1, 5, 4, 0 }"),
         "\tFaces 1 12 {"},
        {"CornerBeyondSixteenBits",
         replaced(six(), "{ 3, 4, 5, 5, 4, 0 }", "{ 3, 4, 40000, 5, 4, 0 }"), "40000"},
        {"IndicesNotInThrees", replaced(six(), "{ 3, 4, 5, 5, 4, 0 }", "{ 3, 4, 5, 5, 4 }"),
         "{ 3, 4, 5, 5, 4 }"},
        {"MoreTrianglesThanTheHeader", replaced(six(), "Faces 1 12 {", "Faces 1 9 {"),
         "{ 3, 4, 5, 5, 4, 0 }"},
        {"FewerTrianglesThanTheHeader", replaced(six(), "Faces 1 12 {", "Faces 1 15 {"),
         "Faces 1 15 {"},
        {"IndexCountNotInThrees", replaced(six(), "Faces 1 12 {", "Faces 1 13 {"), "Faces 1 13 {"},
        {"IndexCountNotANumber", replaced(six(), "Faces 1 12 {", "Faces 1 many {"),
         "Faces 1 many {"},
        {"EmptyTriangleLine", replaced(six(), "{ 3, 4, 5, 5, 4, 0 },", "{ },"), "{ },"},
        {"EightIdsInAMatrixGroup",
         replaced(six(), "Matrices { 7 }", "Matrices { 0, 1, 2, 3, 4, 5, 6, 7 }"),
         "Matrices { 0, 1, 2, 3, 4, 5, 6, 7 }"},
        {"MatrixIdNotANumber", replaced(six(), "Matrices { 7 }", "Matrices { seven }"),
         "Matrices { seven }"},
        {"EmptyMatrixGroup", replaced(six(), "Matrices { 7 }", "Matrices { }"), "Matrices { }"},
        {"MoreThan32767Vertices", replaced(six(), "Vertices 6 {", "Vertices 32768 {"),
         "Vertices 32768 {"},
        {"MoreThan32767Triangles", replaced(six(), "Faces 1 12 {", "Faces 1 98304 {"),
         "Faces 1 98304 {"},
        {"MoreThan32767MatrixGroups", manyMatrixGroups(32768), "Matrices { 1 }"},
        {"EndsInsideVertices", cutAfter(six(), "\t\t{ 1, 2, 3 },"), ""},
        {"EndsInsideTriangles", cutAfter(six(), "\t\t\t{ 0, 1, 2, 0, 2, 3 },"), ""},
        {"EndsAfterTrianglesHeader", cutAfter(six(), "\t\tTriangles {"), ""},
        {"EndsInsideGroups", cutAfter(six(), "\t\tMatrices { 3, 5, 6 },"), ""},
        {"EndsInsideNormals", cutAfter(six(), "\t\t{ 1, 0, 0 },"), ""},
        {"EndsInsideVertexGroups", cutAfter(six(), "\t\t3,"), ""},
        {"EmptyFile", "", "", 0, true},
        {"CutInTheMiddleOfALine", cutAfter(six(), "\tMinimumExtent { -5, 0, 3 },") + "\tMaxim", ""},
        {"CutInsideTheGeosetsAnimBlock", cutAfter(six(), "\t\tMaximumExtent { 7, 8, 100 },"), ""},
        {"BinaryGarbage", garbage, "", 0, true},
        {"GarbageInsideAGeoset", "Geoset {\n\tVertices 2 {\n\t\t" + garbage + "\n\t}\n}\n", "\t\t"},
        {"NoGeoset", "Version {\n\tFormatVersion 800,\n}\n", "", 0, true},
        {"GeosetWithoutVertices", "Geoset {\n" + oneTriangle + "}\n", ""},
    };
}

std::size_t lineOf(const std::string& text, const std::string& marker) {
    if (marker.empty()) {
        auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        return text.empty() || text.back() == '\n' ? lines : lines + 1;
    }
    const auto at = text.find(marker);
    EXPECT_NE(at, std::string::npos) << marker;
    return static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n')) + 1;
}

class MalformedInput : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedInput, OneErrorNamingFileAndLineAndTheModelStaysAsItWas) {
    const auto& c = GetParam();
    Editor e;
    const auto good = e.openText("six.mdl", fixture("six_vertices.mdl"));
    const auto vertices = e.state.vertices;
    const auto faces = e.state.faces;
    const auto matrices = e.state.matrices;
    const auto workingCopy = readFile(e.state.tempPath);
    e.state.vertices[0].selected = true; // in-memory edits must survive too
    const auto edited = e.state.vertices;

    const auto bad = e.openText("bad.mdl", c.text);
    ASSERT_EQ(e.dialogs.shown.size(), 1u);
    const auto& shown = e.dialogs.shown[0];
    EXPECT_EQ(shown.title, "Error");
    EXPECT_NE(shown.text.find(bad), std::string::npos) << shown.text;
    const auto line = lineOf(c.text, c.faultyLine) + static_cast<std::size_t>(c.linesAfter);
    // An empty file, or bytes that are no model text (an unclosed quote before any block), are
    // no model at all, which is said before any geoset is looked for.
    const std::string noGeosetWords = c.text.empty() ? ": the file is empty"
                                      : std::string(c.name) == "BinaryGarbage"
                                          ? ": the file is neither"
                                          : " has no geoset";
    if (c.noGeoset)
        EXPECT_NE(shown.text.find(bad + noGeosetWords), std::string::npos) << shown.text;
    else
        EXPECT_NE(shown.text.find(", line " + std::to_string(line) + ":"), std::string::npos)
            << shown.text;

    EXPECT_EQ(e.state.vertices, edited);
    EXPECT_EQ(e.state.faces, faces);
    EXPECT_EQ(e.state.matrices, matrices);
    EXPECT_EQ(e.state.groupCount, 4);
    EXPECT_TRUE(e.state.modelLoaded);
    EXPECT_EQ(e.state.geosetNumber, 1);
    EXPECT_EQ(e.state.modelPath, good);
    EXPECT_EQ(e.state.savePath, good);
    EXPECT_EQ(e.state.tempPath, e.folder.file("six_TMP.tdl"));
    EXPECT_EQ(readFile(e.state.tempPath), workingCopy);
    EXPECT_FALSE(fileExists(e.folder.file("bad_TMP.tdl")));
}

TEST_P(MalformedInput, TheReaderSaysWhatAndWhereInMemory) {
    const auto& c = GetParam();
    const auto result = editor::readGeosetText(c.text, 1);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(result.noGeoset, c.noGeoset);
    EXPECT_EQ(result.errorLine,
              c.noGeoset ? 0
                         : lineOf(c.text, c.faultyLine) + static_cast<std::size_t>(c.linesAfter));
}

TEST_P(MalformedInput, NothingLoadsIntoAFreshEditor) {
    Editor e;
    e.openText("bad.mdl", GetParam().text);
    EXPECT_EQ(e.errorCount(), 1);
    EXPECT_FALSE(e.state.modelLoaded);
    EXPECT_TRUE(e.state.vertices.empty());
    EXPECT_TRUE(e.state.modelPath.empty());
    EXPECT_TRUE(e.state.tempPath.empty());
    EXPECT_FALSE(editor::menuState(e.state).mnuSaveEnabled);
}

INSTANTIATE_TEST_SUITE_P(Reader, MalformedInput, ::testing::ValuesIn(malformedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Reader, SeveralItemsOnALineAreSeveralItems) {
    Editor e;
    auto text = replaced(six(), "{ 4, 5, 6 },", "{ 4, 5, 6 }, { 7, 8, 9 },");
    e.openText("two.mdl", replaced(text, "Vertices 6 {", "Vertices 7 {"));
    EXPECT_EQ(e.errorCount(), 0);
    ASSERT_EQ(e.state.vertices.size(), 7u);
    EXPECT_EQ(e.state.vertices[4].z, 7);

    // One too many for the header: the error names the line of the one too many.
    Editor over;
    over.openText("over.mdl", text);
    ASSERT_EQ(over.errorCount(), 1);
    EXPECT_NE(over.dialogs.shown[0].text.find(", line 29: more vertex lines"), std::string::npos)
        << over.dialogs.shown[0].text;
}

TEST(Reader, SpaceIndentedModelReadsAsItsTabOriginal) {
    Editor spaced, tabbed;
    std::string spaces = fixture("six_vertices.mdl");
    for (std::size_t at; (at = spaces.find('\t')) != std::string::npos;)
        spaces.replace(at, 1, "  ");
    spaced.openText("spaces.mdl", spaces);
    tabbed.openText("tabs.mdl", fixture("six_vertices.mdl"));
    EXPECT_EQ(spaced.errorCount(), 0);
    EXPECT_EQ(spaced.state.vertices, tabbed.state.vertices);
    EXPECT_EQ(spaced.state.faces, tabbed.state.faces);
    EXPECT_EQ(spaced.state.matrices, tabbed.state.matrices);
}

TEST(Reader, MissingGeosetIsNamed) {
    Editor e;
    e.folder.write("three.mdl", fixture("three_geosets.mdl"));
    std::vector<editor::VertexRecord> vertices;
    std::vector<FaceRecord> faces;
    MatrixTable matrices;
    EXPECT_FALSE(editor::readGeosetFile(e.state, e.folder.file("three.mdl"), vertices, faces,
                                        matrices, 4, true));
    ASSERT_EQ(e.dialogs.shown.size(), 1u);
    EXPECT_NE(e.dialogs.shown[0].text.find("no geoset 4"), std::string::npos);
    EXPECT_TRUE(vertices.empty());
}

TEST(Reader, LargestGeosetReads) {
    // 32,767 vertices and triangles: the Faces header holds 98,301 indices.
    std::string text = "Geoset {\n\tVertices 32767 {\n";
    for (int i = 0; i < 32767; ++i)
        text += "\t\t{ " + std::to_string(i) + ", 0, 0 },\n";
    text += "\t}\n\tFaces 1 98301 {\n\t\tTriangles {\n\t\t\t{ ";
    for (int i = 0; i < 32767; ++i)
        text += std::string(i ? ", " : "") + "0, " + std::to_string(i) + ", 32766";
    text += " },\n\t\t}\n\t}\n}\n";
    Editor e;
    e.openText("big.mdl", text);
    EXPECT_EQ(e.errorCount(), 0);
    EXPECT_EQ(e.state.vertices.size(), 32767u);
    ASSERT_EQ(e.state.faces.size(), 32767u);
    EXPECT_EQ(e.state.faces.back(), (FaceRecord{0, 32766, 32766, false}));
}

} // namespace

namespace {

// countGeosets searches the text; it must count exactly the lines the line reader gives as
// "Geoset {", whatever the line ends around them.
TEST(CountGeosets, CountsTheLinesTheLineReaderGives) {
    const std::array<std::string, 8> pieces = {"Geoset {", "\n", "\r",        "\r\n",
                                               "x",        " ",  "Geoset {x", "\tGeoset {"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < length; ++i)
            text +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        int expected = 0;
        common::LineReader reader(common::LineReader::OfText{}, text);
        for (std::string_view line; reader.next(line);)
            expected += line == "Geoset {" ? 1 : 0;
        ASSERT_EQ(editor::countGeosets(text), expected) << testing::PrintToString(text);
    }
}

} // namespace
