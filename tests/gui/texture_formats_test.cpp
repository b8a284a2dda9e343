// QImage reads BLP and TGA through the built-in plugin, and the texture editor shows a geoset's
// own texture, says once in the tip box when it is missing, and exports the layout.
#include "editor/qt/FrmUVEditor.h"

#include "common/scripted_dialogs.h"
#include "editor/interaction/editor_state.h"
#include "support/temp_folder.h"
#include "textures/image_file.h"

#include <QAction>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QtTest>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;
using editor::FrmUVEditor;

namespace {

const fs::path corpusTexture = fs::path(MOLDRIN_CORPUS_DIR) / "mdx" / "huangjung.blp";

// One geoset on material 0, whose layer shows texture 0.
std::string modelNaming(const std::string& image) {
    return "Textures 1 {\n\tBitmap {\n\t\tImage \"" + image +
           "\",\n\t}\n}\nMaterials 1 {\n\tMaterial {\n\t\tLayer {\n\t\t\tstatic TextureID 0,\n"
           "\t\t}\n\t}\n}\nGeoset {\n\tMaterialID 0,\n}\n";
}

} // namespace

class TextureFormatsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> mainWindow;
    QLineEdit* tips = nullptr;
    editor::EditorState state;
    common::ScriptedDialogs dialogs;
    testing_support::TempFolder folder;

    FrmUVEditor* openOn(const std::string& modelText) {
        mainWindow = std::make_unique<QWidget>();
        tips = new QLineEdit(mainWindow.get());
        tips->setObjectName("txtTips");
        state = editor::EditorState();
        dialogs.shown.clear();
        state.modelLoaded = true;
        state.modelPath = folder.write("hero.mdl", modelText);
        state.geosetNumber = 1;
        for (auto [u, v] : {std::pair{0.0, 0.0}, {1.0, 0.0}, {0.0, 1.0}}) {
            editor::VertexRecord vertex;
            vertex.u = u;
            vertex.v = v;
            state.vertices.push_back(vertex);
        }
        state.faces.push_back({0, 1, 2});
        auto* window = FrmUVEditor::openFor(state, mainWindow.get());
        window->uvState().dialogs = &dialogs;
        return window;
    }

  private slots:
    void qimageReadsBlpAndTga() {
        QVERIFY(QImageReader::supportedImageFormats().contains("blp"));
        if (!fs::exists(corpusTexture))
            QSKIP("the texture corpus is missing");
        const QImage blp(QString::fromStdString(corpusTexture.string()));
        QCOMPARE(blp.size(), QSize(256, 256));
        const auto ours = textures::readImageFile(corpusTexture);
        const QColor expected(ours.at(100, 80)[0], ours.at(100, 80)[1], ours.at(100, 80)[2],
                              ours.at(100, 80)[3]);
        QCOMPARE(blp.pixelColor(100, 80), expected);

        // A TGA without the 2.0 footer, by extension and by content alone.
        common::RgbaImage picture(3, 2);
        for (std::size_t i = 0; i < picture.pixels.size(); i += 4)
            picture.pixels[i] = picture.pixels[i + 3] = 255;
        textures::writeImageFile(folder.file("red.tga"), picture, 90);
        QCOMPARE(QImage(QString::fromStdString(folder.file("red.tga"))).pixelColor(2, 1),
                 QColor(255, 0, 0));
        fs::copy_file(folder.file("red.tga"), folder.file("red.picture"));
        QCOMPARE(QImage(QString::fromStdString(folder.file("red.picture"))).size(), QSize(3, 2));
    }

    void geosetTextureIsShownAndTheLayoutExported() {
        if (!fs::exists(corpusTexture))
            QSKIP("the texture corpus is missing");
        fs::create_directories(folder.path() / "textures");
        fs::copy_file(corpusTexture, folder.path() / "textures" / "huangjung.blp",
                      fs::copy_options::overwrite_existing);
        auto* window = openOn(modelNaming("Textures\\\\HuangJung.blp"));
        QVERIFY(window->uvState().imageLoaded);
        QCOMPARE(fs::path(window->uvState().imagePath).filename().string(),
                 std::string("huangjung.blp"));
        QVERIFY(tips->text().isEmpty());

        auto* exportItem = window->findChild<QAction*>("mnuExportUVLayout");
        QVERIFY(exportItem);
        dialogs.setAnswers({folder.file("layout.png"), "", "Yes"});
        exportItem->trigger(); // the size left empty is Cancel
        QVERIFY(!fs::exists(folder.file("layout.png")));
        dialogs.setAnswers({folder.file("layout.png"), "128", "Yes"});
        exportItem->trigger();
        const QImage layout(QString::fromStdString(folder.file("layout.png")));
        QCOMPARE(layout.size(), QSize(128, 128));
        QCOMPARE(layout.pixelColor(0, 0), QColor(0, 255, 0)); // a corner of the triangle
        window->close();
    }

    void missingTextureIsSaidInTheTipBox() {
        auto* window = openOn(modelNaming("Textures\\\\Nowhere.blp"));
        QVERIFY(!window->uvState().imageLoaded);
        QVERIFY(tips->text().contains("Nowhere.blp"));
        QVERIFY(dialogs.shown.empty());
        window->close();
    }
};

QTEST_MAIN(TextureFormatsTest)
#include "texture_formats_test.moc"
