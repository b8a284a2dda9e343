#pragma once

#include "merger/mdl_lines.h"

#include <string>

namespace merger {

// The four texture types of the window's option buttons.
enum class TextureType { Transparent, TeamColor, None, Additive };

// The texture settings of the window's "Texture" frame.
struct TextureChoice {
    std::string texturePath;
    bool twoSided = false;
    TextureType type = TextureType::Transparent;
};

// What one merge needs: the three paths, the texture settings and the list position of the
// chosen bone entry (-1 when no entry is chosen).
struct MergeRequest {
    std::string basePath;
    std::string geosetPath;
    std::string outputPath;
    TextureChoice texture;
    int boneIndex = -1;
};

inline constexpr const char* outputEqualsInputMessage =
    "Your output file must be different from both your input files.";

// The merge writer. Lines are written without line ends; the file gets CR LF.

// The new texture entries: one image texture, with Team Color a second (team colour) texture.
void writeTextures(Lines& out, const TextureChoice& texture);

// The new material, its layers naming texture textureIndex (and textureIndex + 1 for Team
// Color).
void writeMaterial(Lines& out, const TextureChoice& texture, int textureIndex);

// Every geoset block of the geoset model, with its matrix groups replaced by one group holding
// boneId, every vertex put in group 0 and its material id set to materialId.
void writeGeosets(Lines& out, const Lines& geosetLines, int materialId, int boneId);

// True for a line the geosets are put before: the header of a bone, geoset animation, light,
// helper or pivot point block.
bool isGeosetPlace(const std::string& line);

// The whole merged model: the base model with the texture entries at the end of the textures
// block, the material at the end of the materials block and the geosets just before the first
// bone, geoset animation, light, helper or pivot point header; the counts this changes are
// written anew (merger/merge_counts.h).
Lines mergeLines(const Lines& baseLines, const Lines& geosetLines, const TextureChoice& texture,
                 int boneId);

// True when path names one of the inputs: the same text, or the same existing file.
bool outputIsAnInput(const std::string& outputPath, const std::string& basePath,
                     const std::string& geosetPath);

// mergeModels: checks the paths and the texture path, reads both models in full, refuses a
// geoset model without a whole geoset and a base without a place for it, adds the texture and
// materials blocks a base lacks, binds the geosets to idOfNthBone(boneIndex) + 1 and writes the
// result through a temporary file in the output's folder that replaces the output only when
// everything was written. Both models are read in whatever layout they have; the geosets are
// made fit for the base model's FormatVersion (merger/version_conversion.h), and the value says
// how, in a sentence for the "Done" message (empty when nothing was converted). On failure the
// output is left as it was and the error holds the one message to show. The "Done" message is
// the caller's.
Outcome<std::string> mergeModels(const MergeRequest& request);

} // namespace merger
