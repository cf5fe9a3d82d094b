// setup.exe as the build made it: it carries the uninstaller of the same build
// and the programs' one application manifest.

#include "platform/Handle.h"
#include "tests/setup/Registration.h"

#include <gtest/gtest.h>

namespace registrationtest {
namespace {

using testsupport::BuiltFile;
using testsupport::ReadFileBytes;

std::string ResourceOf(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return "(missing)";
    const void* data = LockResource(LoadResource(module, found));
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}

TEST(SetupProgram, CarriesTheUninstallerAndTheManifestOfItsBuild) {
    platform::ModuleHandle setup(
        LoadLibraryExA(BuiltFile(QELVAR_SETUP_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(setup);
    EXPECT_EQ(ResourceOf(setup.Get(), "GAMEDELETE", RT_RCDATA), ReadFileBytes(BuiltFile(QELVAR_GAMEDELETE_EXE)));
    EXPECT_EQ(ResourceOf(setup.Get(), MAKEINTRESOURCEA(1), RT_MANIFEST), ReadFileBytes(BuiltFile(QELVAR_APP_MANIFEST)));
}

}  // namespace
}  // namespace registrationtest
