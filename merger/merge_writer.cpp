#include "merger/merge_writer.h"

#include "common/text_file.h"
#include "formats/format_version.h"
#include "formats/mdx/model_conversion.h"
#include "merger/bone_directory.h"
#include "merger/merge_checks.h"
#include "merger/merge_counts.h"
#include "merger/version_conversion.h"

#include <filesystem>
#include <system_error>

namespace merger {

namespace {

std::string imageLine(const std::string& path) {
    return "\t\tImage \"" + path + "\",";
}

void writeImageTexture(Lines& out, const std::string& path) {
    out.push_back("\tBitmap {");
    out.push_back(imageLine(path));
    out.push_back("\t}");
}

void writeReplaceableTexture(Lines& out, int replaceableId) {
    out.push_back("\tBitmap {");
    out.push_back(imageLine(""));
    out.push_back("\t\tReplaceableId " + std::to_string(replaceableId) + ",");
    out.push_back("\t}");
}

std::string textureIdLine(int index) {
    return "\t\t\tstatic TextureID " + std::to_string(index) + ",";
}

// An output named .mdx gets the binary model of the merged lines.
Outcome<std::string> writeBinaryOutput(const std::string& path, const Lines& merged,
                                       std::string note) {
    std::string text;
    for (const auto& line : merged)
        text.append(line).push_back('\n');
    const auto result = mdx::writeMdxFile(path, text);
    if (!result.conversionError.empty())
        return {{},
                "Cannot write the merged model as MDX (" + result.conversionError +
                    "). The output file \"" + path + "\" was left as it was."};
    if (!result.refusal.empty())
        return {{},
                "Cannot write the output file \"" + path + "\": " + result.refusal +
                    ". It was left as it was."};
    if (!result.written)
        return {{}, "Cannot write the output file \"" + path + "\". It was left as it was."};
    return {std::move(note), {}};
}

} // namespace

void writeTextures(Lines& out, const TextureChoice& texture) {
    switch (texture.type) {
    case TextureType::Additive:
        writeReplaceableTexture(out, 2);
        break;
    case TextureType::TeamColor:
        writeImageTexture(out, texture.texturePath);
        writeReplaceableTexture(out, 1);
        break;
    case TextureType::None:
    case TextureType::Transparent:
        writeImageTexture(out, texture.texturePath);
        break;
    }
}

void writeMaterial(Lines& out, const TextureChoice& texture, int textureIndex) {
    out.push_back("\tMaterial {");
    switch (texture.type) {
    case TextureType::TeamColor:
        out.push_back("\t\tLayer {");
        out.push_back("\t\t\tFilterMode None,");
        out.push_back("\t\t\tUnshaded,");
        out.push_back(textureIdLine(textureIndex + 1));
        out.push_back("\t\t}");
        out.push_back("\t\tLayer {");
        out.push_back("\t\t\tFilterMode Blend,");
        out.push_back(textureIdLine(textureIndex));
        out.push_back("\t\t}");
        break;
    case TextureType::Additive:
        out.push_back("\t\tLayer {");
        out.push_back("\t\t\tFilterMode Additive,");
        out.push_back("\t\t\tUnshaded,");
        out.push_back("\t\t\tTwoSided,");
        out.push_back(textureIdLine(textureIndex));
        out.push_back("\t\t}");
        break;
    case TextureType::None:
    case TextureType::Transparent:
        out.push_back("\t\tLayer {");
        out.push_back(texture.type == TextureType::None ? "\t\t\tFilterMode None,"
                                                        : "\t\t\tFilterMode Transparent,");
        if (texture.twoSided)
            out.push_back("\t\t\tTwoSided,");
        out.push_back(textureIdLine(textureIndex));
        out.push_back("\t\t}");
        break;
    }
    out.push_back("\t}");
}

void writeGeosets(Lines& out, const Lines& geosetLines, int materialId, int boneId) {
    bool inGeoset = false;
    bool inVertexGroup = false;
    for (std::size_t i = 0; i < geosetLines.size(); ++i) {
        const auto& line = geosetLines[i];
        if (line == "Geoset {")
            inGeoset = true;
        if (inGeoset) {
            if (line == "\t}")
                inVertexGroup = false;
            if (inVertexGroup) {
                out.push_back("\t\t0,");
            } else if (startsWith(line, "\tGroups")) {
                out.push_back("\tGroups 1 1 {");
                out.push_back("\t\tMatrices { " + std::to_string(boneId) + " },");
                out.push_back("\t}");
                // The old matrix groups, up to and including their closing line, are dropped.
                while (i + 1 < geosetLines.size()) {
                    ++i;
                    if (geosetLines[i] == "\t}")
                        break;
                }
            } else if (startsWith(line, "\tMaterialID")) {
                out.push_back("\tMaterialID " + std::to_string(materialId) + ",");
            } else {
                out.push_back(line);
            }
            if (startsWith(line, "\tVertexGroup"))
                inVertexGroup = true;
        }
        if (line == "}")
            inGeoset = false;
    }
}

bool isGeosetPlace(const std::string& line) {
    return startsWith(line, "Bone") || startsWith(line, "GeosetAnim") ||
           startsWith(line, "Light") || startsWith(line, "Helper") ||
           startsWith(line, "PivotPoint");
}

Lines mergeLines(const Lines& baseLines, const Lines& geosetLines, const TextureChoice& texture,
                 int boneId) {
    Lines out;
    out.reserve(baseLines.size() + geosetLines.size() + 32);
    // The new texture follows the base's own; counted first, as the Materials block may come
    // before the Textures block (binary models store them in that order).
    int textureCount = 0;
    bool inTextures = false;
    for (const auto& line : baseLines) {
        if (startsWith(line, "Textures"))
            inTextures = true;
        else if (line == "}")
            inTextures = false;
        else if (inTextures && startsWith(line, "\tBitmap"))
            ++textureCount;
    }
    bool inMaterials = false;
    int materialCount = 0;
    bool geosetWritten = false;
    for (const auto& line : baseLines) {
        if (startsWith(line, "Textures"))
            inTextures = true;
        if (startsWith(line, "Materials"))
            inMaterials = true;
        if (inMaterials && startsWith(line, "\tMaterial"))
            ++materialCount;
        if (line == "}" && inTextures) {
            inTextures = false;
            writeTextures(out, texture);
        }
        if (line == "}" && inMaterials) {
            inMaterials = false;
            writeMaterial(out, texture, textureCount);
        }
        if (!geosetWritten && isGeosetPlace(line)) {
            writeGeosets(out, geosetLines, materialCount, boneId);
            geosetWritten = true;
        }
        out.push_back(line);
    }
    writeChangedCounts(out);
    return out;
}

bool outputIsAnInput(const std::string& outputPath, const std::string& basePath,
                     const std::string& geosetPath) {
    if (outputPath == basePath || outputPath == geosetPath)
        return true;
    std::error_code error;
    for (const auto* input : {&basePath, &geosetPath}) {
        if (input->empty() || outputPath.empty())
            continue;
        if (std::filesystem::equivalent(outputPath, *input, error) && !error)
            return true;
    }
    return false;
}

Outcome<std::string> mergeModels(const MergeRequest& request) {
    if (request.basePath.empty())
        return {{}, "Choose a base model first."};
    if (request.geosetPath.empty())
        return {{}, "Choose a geoset model first."};
    if (request.outputPath.empty())
        return {{}, "Choose an output file first."};
    if (outputIsAnInput(request.outputPath, request.basePath, request.geosetPath))
        return {{}, outputEqualsInputMessage};

    if (auto problem = textureProblem(request.texture); !problem.empty())
        return {{}, problem};

    auto base = readBaseModel(request.basePath);
    if (!base.ok())
        return {{}, base.error};
    std::string problem;
    auto geoset = readModelLines(request.geosetPath, problem);
    if (!geoset)
        return {{}, cannotReadMessage("the geoset model", request.geosetPath)};
    if (!problem.empty())
        return {{},
                "Cannot read the geoset model \"" + request.geosetPath + "\", " + problem + "."};
    if (auto problem = geosetProblem(*geoset, request.geosetPath); !problem.empty())
        return {{}, problem};
    if (auto problem = placeProblem(base.value, request.basePath); !problem.empty())
        return {{}, problem};

    auto nthBoneId = idOfNthBone(base.value, request.boneIndex, request.basePath);
    if (!nthBoneId.ok())
        return {{}, nthBoneId.error};
    const int boneId = nthBoneId.value + 1;

    const int baseVersion = formats::formatVersion(base.value);
    const auto conversion = convertGeosets(*geoset, baseVersion);
    const auto merged = mergeLines(withTextureAndMaterialBlocks(base.value, request.texture),
                                   conversion.lines, request.texture, boneId);

    const std::string cannotWrite =
        "Cannot write the output file \"" + request.outputPath + "\". It was left as it was.";
    if (mdx::formatNamedBy(request.outputPath) == mdx::FileFormat::Mdx)
        return writeBinaryOutput(request.outputPath, merged,
                                 conversionNote(conversion, baseVersion));
    common::AtomicFileWriter writer(request.outputPath);
    if (!writer.refusal().empty())
        return {{},
                "Cannot write the output file \"" + request.outputPath + "\": " + writer.refusal() +
                    ". It was left as it was."};
    if (!writer.isOpen())
        return {{}, cannotWrite};
    for (const auto& line : merged)
        writer.writeLine(line);
    if (!writer.commit())
        return {{}, cannotWrite};
    return {conversionNote(conversion, baseVersion), {}};
}

} // namespace merger
