#include "golden/example_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace tindlow {

namespace {

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::filesystem::path exampleDirectory() {
    return (std::filesystem::path(__FILE__).parent_path() / ".." / ".." / ".." / "examples")
        .lexically_normal();
}

bool addExampleFiles(FakeFileSystem& files, const std::wstring& root) {
    const std::filesystem::path examples = exampleDirectory();
    std::vector<std::filesystem::path> relative;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(examples)) {
        if (entry.is_regular_file()) {
            relative.push_back(entry.path().lexically_relative(examples));
        }
    }
    if (relative.empty()) {
        ADD_FAILURE() << "no example files in " << examples;
        return false;
    }
    std::sort(relative.begin(), relative.end());
    for (const auto& path : relative) {
        std::wstring windowsPath = root;
        for (const auto& part : path) {
            const std::string name = part.string();
            if (!std::all_of(name.begin(), name.end(), [](char c) { return c > 0 && c < 0x7F; })) {
                ADD_FAILURE() << "example file names are ASCII: " << path;
                return false;
            }
            windowsPath += L"\\" + std::wstring(name.begin(), name.end());
        }
        files.addFile(windowsPath, readBytes(examples / path));
    }
    return true;
}

}  // namespace tindlow
