// Listing a map of 5,000 files for File > Open from Archive (target under 200 ms): the archive is
// made here with the archive library, 2,000 models and 2,000 textures in its listfile, 1,000
// other files, and a script naming models the listfile leaves out, as imported models often are.
#include "editor/editing/archived_model.h"
#include "gamedata/mpq_archive.h"

#include <StormLib.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string makeMap(const std::filesystem::path& path) {
    HANDLE archive = nullptr;
    SFILE_CREATE_MPQ create{};
    create.cbSize = sizeof(create);
    create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    create.dwFileFlags1 = MPQ_FILE_DEFAULT_INTERNAL;
    create.dwSectorSize = 0x1000;
    create.dwMaxFileCount = 8192;
    if (!SFileCreateArchive2(path.c_str(), &create, &archive))
        return {};
    std::string script;
    const auto add = [&](const std::string& name, const std::string& bytes) {
        HANDLE file = nullptr;
        if (SFileCreateFile(archive, name.c_str(), 0, static_cast<DWORD>(bytes.size()), 0,
                            MPQ_FILE_COMPRESS, &file)) {
            SFileWriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                           MPQ_COMPRESSION_ZLIB);
            SFileFinishFile(file);
        }
    };
    for (int i = 0; i < 2000; ++i) {
        add("war3mapImported\\unit" + std::to_string(i) + ".mdx",
            "MDLX model " + std::to_string(i));
        add("Textures\\skin" + std::to_string(i) + ".blp", "BLP1 texture " + std::to_string(i));
    }
    for (int i = 0; i < 999; ++i)
        add("sounds\\sound" + std::to_string(i) + ".wav", "RIFF sound");
    for (int i = 0; i < 2000; i += 4)
        script += "call AddSpecialEffect(\"war3mapImported\\\\unit" + std::to_string(i) +
                  ".mdx\", 0, 0)\n";
    add("war3map.j", script);
    SFileCloseArchive(archive);
    return path.string();
}

void BM_ListArchiveOf5000Files(benchmark::State& s) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("moldrin_bench_map_" + std::to_string(::getpid()) + ".w3x");
    const auto map = makeMap(path);
    std::string error;
    const auto archive = gamedata::MpqArchive::open(map, error);
    if (!archive) {
        s.SkipWithError(("the map could not be made: " + error).c_str());
        return;
    }
    std::size_t listed = 0;
    for (auto _ : s) {
        const auto entries = editor::archiveEntries(*archive);
        listed = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    s.counters["entries"] = static_cast<double>(listed);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ListArchiveOf5000Files)->Unit(benchmark::kMillisecond);

} // namespace
