#pragma once

// Archives made at run time for the tests, through the archive library itself.
#include <StormLib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct ArchivedFile {
    std::string name;
    std::string bytes;
    DWORD flags = MPQ_FILE_COMPRESS;
};

// Makes an archive holding the files; with a (listfile) unless told otherwise; signed when
// asked, by a strong signature's block after the archive (its bytes are no real signature: the
// tests check that a signed archive is left alone, not the signature). False when the library
// refused.
inline bool makeArchive(const std::filesystem::path& path, const std::vector<ArchivedFile>& files,
                        bool withListfile = true, bool signedArchive = false) {
    HANDLE archive = nullptr;
    SFILE_CREATE_MPQ create{};
    create.cbSize = sizeof(create);
    create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    create.dwFileFlags1 = withListfile ? MPQ_FILE_DEFAULT_INTERNAL : 0;
    create.dwSectorSize = 0x1000;
    create.dwMaxFileCount = 64;
    if (!SFileCreateArchive2(path.c_str(), &create, &archive))
        return false;
    bool ok = true;
    for (const auto& file : files) {
        HANDLE handle = nullptr;
        ok = ok && SFileCreateFile(archive, file.name.c_str(), 0,
                                   static_cast<DWORD>(file.bytes.size()), 0, file.flags, &handle);
        ok = ok && (file.bytes.empty() ||
                    SFileWriteFile(handle, file.bytes.data(), static_cast<DWORD>(file.bytes.size()),
                                   MPQ_COMPRESSION_ZLIB));
        ok = ok && SFileFinishFile(handle);
    }
    ok = SFileCloseArchive(archive) && ok;
    if (ok && signedArchive) {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << "NGIS" << std::string(256, '\x5A');
        ok = static_cast<bool>(out);
    }
    return ok;
}

} // namespace testing_support
