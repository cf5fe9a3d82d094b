#include "platform/Error.h"
#include "platform/Registry.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace {

constexpr char kScratch[] = "Software\\QelvarTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, kScratch); }

    void Put(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
};

TEST_F(RegistryTest, MissingKeyOrValueReadsEmptyAndOpenWithoutCreateFails) {
    platform::Registry registry;
    EXPECT_FALSE(registry.OpenKey(kScratch, false));
    EXPECT_EQ(registry.ReadString("Anything"), "");
    EXPECT_FALSE(registry.ValueExists("Anything"));

    ASSERT_TRUE(registry.OpenKey(std::string("\\") + kScratch, true));
    EXPECT_EQ(registry.ReadString("Missing"), "");
}

TEST_F(RegistryTest, StringTypesAreReadAsStoredAndOtherTypesRaiseNamingTheValue) {
    Put("Plain", REG_SZ, "C:\\Games", 9);
    Put("Expand", REG_EXPAND_SZ, "%ProgramFiles%", 15);
    Put("Unterminated", REG_SZ, "abc", 3);
    DWORD five = 5;
    Put("Number", REG_DWORD, &five, sizeof five);

    platform::Registry registry;
    ASSERT_TRUE(registry.OpenKey(kScratch, false));
    EXPECT_EQ(registry.ReadString("Plain"), "C:\\Games");
    EXPECT_EQ(registry.ReadString("Expand"), "%ProgramFiles%");
    EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
    EXPECT_EQ(registry.ReadDword("Number"), 5u);
    try {
        registry.ReadString("Number");
        FAIL() << "no error";
    } catch (const platform::RegistryError& error) {
        // '%s' 의 데이터 형이 부정합니다
        EXPECT_EQ(error.Message(), "'Number' \xC0\xC7 \xB5\xA5\xC0\xCC\xC5\xCD \xC7\xFC\xC0\xCC \xBA\xCE\xC1\xA4\xC7\xD5\xB4\xCF\xB4\xD9");
    }
    EXPECT_THROW(registry.ReadDword("Plain"), platform::RegistryError);
}

TEST_F(RegistryTest, WriteStringStoresRegSzAndFailsNamingTheValueWithoutAKey) {
    platform::Registry registry;
    ASSERT_TRUE(registry.OpenKey(kScratch, true));
    registry.WriteString("RegisterProgramOption", "1");
    EXPECT_EQ(registry.ValueType("RegisterProgramOption"), std::optional<DWORD>(REG_SZ));
    EXPECT_EQ(registry.ReadString("RegisterProgramOption"), "1");

    registry.CloseKey();
    try {
        registry.WriteString("DisplayName", "x");
        FAIL() << "no error";
    } catch (const platform::RegistryError& error) {
        EXPECT_EQ(error.Message().rfind("'DisplayName'", 0), 0u);
    }
}

}  // namespace
