#pragma once
#include <filesystem>
#include <string>

#include "fakes/fake_file_system.h"

namespace tindlow {

// examples/ of this source tree: the example program directory.
std::filesystem::path exampleDirectory();

// Puts every file of examples/ with its bytes below `root` into the fake, in the order of its
// relative path, so that the fake lists the directories the same way on every machine. Answers
// false (with a test failure) when there are none or a name is not ASCII.
bool addExampleFiles(FakeFileSystem& files, const std::wstring& root);

}  // namespace tindlow
