#pragma once

#include "common/dialogs.h"
#include "gamedata/game_data.h"
#include "merger/bone_directory.h"
#include "merger/merge_writer.h"
#include "textures/texture_source.h"

#include <string>
#include <vector>

namespace merger {

// The models may be MDL text or binary MDX; the output's extension names its format.
inline constexpr const char* modelOpenFilter =
    "Warcraft models|*.mdl;*.mdx|Warcraft MDL models|*.mdl|Warcraft MDX models|*.mdx";
inline constexpr const char* modelSaveFilter =
    "Warcraft MDL models|*.mdl|Warcraft MDX models|*.mdx";
inline constexpr const char* instructionsTitle = "Instructions";
inline constexpr const char* instructionsText =
    "This program automates the final step of geoset merging. It takes the base model (which "
    "you are merging onto) and the geoset (which are are merging on), and writes it to the "
    "specified file. To set up the texture, simply type in the full path and choose your type. "
    "You must also choose which bone the new geoset is to be attached to. The bones have both "
    "their name and their parent's name listed.";
inline constexpr const char* aboutTitle = "About";
inline constexpr const char* aboutText = "Quellon 1.14\r\nMerges a geoset into a Warcraft III "
                                         "model (MDL or MDX), bound to a bone of the "
                                         "model, with a new texture and material.";
inline constexpr const char* doneText = "Done";
inline constexpr const char* errorTitle = "Error";

// The state and logic of the merger window, without Qt: the window's field values
// and one procedure per control. The Qt window copies its widgets into these fields before a
// handler runs and shows the fields again afterwards; the batch tool sets them from its
// arguments. Every message goes through the dialogs.
class QuellonWorkflow {
  public:
    explicit QuellonWorkflow(common::Dialogs* dialogs = nullptr) : dialogs(dialogs) {}
    QuellonWorkflow(const QuellonWorkflow&) = delete;
    QuellonWorkflow& operator=(const QuellonWorkflow&) = delete;

    common::Dialogs* dialogs;

    // The text boxes, the texture frame and the bone list.
    std::string basePath;
    std::string geosetPath;
    std::string outputPath;
    std::string texturePath;
    bool twoSided = false;
    TextureType textureType = TextureType::Transparent;
    std::vector<BoneEntry> boneList; // the entries of cboBone
    int boneIndex = -1;              // list position of the chosen entry; -1 when none

    // cmdBrowseBase: the open dialog, then fillBoneList. A cancelled dialog changes nothing.
    void browseBase();
    // cmdBrowseGeoset: the open dialog. A cancelled dialog changes nothing.
    void browseGeoset();
    // cmdOutputBrowse: the save dialog, then chooseOutput. A cancelled dialog changes nothing.
    void browseOutput();
    // Puts path into outputPath when it differs from both input paths (exact comparison);
    // otherwise shows the error and keeps outputPath. True when taken.
    bool chooseOutput(const std::string& path);
    // Refills the bone list from the base model; no entry is chosen afterwards. On a base model
    // it cannot read, the list stays empty and one error is shown. True on success.
    bool fillBoneList();
    // cmdMerge: writes the merged model and shows "Done", or shows one error and leaves the
    // output file as it was. True after "Done".
    bool mergeModels();
    void showInstructions();
    void showAbout();

    // The game data the new texture is looked up in after a merge; each source that cannot be
    // used is one warning. With game data, "Done" tells when the texture written is found
    // neither beside the output model nor in the sources.
    void setGameDataSources(const std::vector<std::string>& sources);

    // The settings of the next merge.
    MergeRequest mergeRequest() const;

  private:
    void showError(const std::string& text);
    // The sentence "Done" adds when the new texture cannot be found; empty when it can.
    std::string missingTextureNote() const;

    gamedata::GameData gameData_;
    textures::TextureSource textureSource_{&gameData_};
};

} // namespace merger
