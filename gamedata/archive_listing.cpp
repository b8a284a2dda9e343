#include "gamedata/archive_listing.h"

#include "gamedata/archive_path.h"

#include <algorithm>
#include <set>

namespace gamedata {

namespace {

constexpr std::string_view extensions[] = {".mdx", ".mdl", ".blp", ".tga", ".dds"};

// The map's files that name models and textures.
constexpr const char* mapFilesNamingOthers[] = {
    "war3map.imp", "war3map.j",       "war3map.lua", "war3map.w3u",    "war3map.w3t",
    "war3map.w3a", "war3map.w3b",     "war3map.w3d", "war3map.w3h",    "war3map.w3q",
    "war3map.doo", "war3mapSkin.txt", "war3map.wts", "war3mapMisc.txt"};

bool isNameCharacter(unsigned char c) {
    return c >= 0x20 && c < 0x7F && c != '"' && c != '\'' && c != ',' && c != ';' && c != '=' &&
           c != '(' && c != ')' && c != '|' && c != '<' && c != '>' && c != '*' && c != '?';
}

} // namespace

bool isModelOrTextureName(std::string_view name) {
    if (name.size() < 5)
        return false;
    const std::string tail = foldedName(name.substr(name.size() - 4));
    return std::find(std::begin(extensions), std::end(extensions), tail) != std::end(extensions);
}

std::vector<std::string> mentionedNames(std::string_view bytes) {
    std::vector<std::string> names;
    std::size_t position = 0;
    while (position < bytes.size()) {
        while (position < bytes.size() &&
               !isNameCharacter(static_cast<unsigned char>(bytes[position])))
            ++position;
        const std::size_t start = position;
        while (position < bytes.size() &&
               isNameCharacter(static_cast<unsigned char>(bytes[position])))
            ++position;
        std::string_view run = bytes.substr(start, position - start);
        // Leading blanks are not part of a name.
        while (!run.empty() && run.front() == ' ')
            run.remove_prefix(1);
        if (isModelOrTextureName(run))
            names.emplace_back(run);
    }
    return names;
}

std::vector<std::string> modelsAndTextures(const MpqArchive& archive) {
    std::set<std::string> seen; // folded names
    std::vector<std::string> names;
    auto add = [&](const std::string& name) {
        const std::string inner = innerName(name);
        if (!inner.empty() && seen.insert(foldedName(inner)).second)
            names.push_back(inner);
    };
    for (const auto& name : archive.listedNames())
        if (isModelOrTextureName(name))
            add(name);
    for (const char* mapFile : mapFilesNamingOthers) {
        if (!archive.has(mapFile))
            continue;
        std::string error;
        const auto bytes = archive.read(mapFile, error);
        if (!bytes)
            continue;
        for (const auto& mentioned : mentionedNames(*bytes)) {
            const std::string inner = innerName(mentioned);
            // Object data names models .mdl where the archive holds .mdx.
            std::string asMdx = inner;
            if (foldedName(inner.substr(inner.size() - 4)) == ".mdl")
                asMdx.replace(asMdx.size() - 4, 4, ".mdx");
            for (const std::string& candidate :
                 {inner, asMdx, "war3mapImported\\" + inner, "war3mapImported\\" + asMdx})
                if (!seen.contains(foldedName(candidate)) && archive.has(candidate))
                    add(candidate);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return foldedName(a) < foldedName(b);
    });
    return names;
}

} // namespace gamedata
