#include "platform/Error.h"
#include "platform/Resource.h"
#include "platform/Strings.h"
#include "resources/StringIds.h"

#include <gtest/gtest.h>

namespace {

// The string table is UTF-8 source; under code page 949 it must arrive as
// the Korean code page's bytes.
TEST(Strings, TableEntriesArriveInTheSystemCodePage) {
    ASSERT_EQ(GetACP(), 949u) << "run under LANG=ko_KR.UTF-8";
    EXPECT_EQ(platform::LoadResString(IDS_INSTALL_ABANDONED),
              "\xBC\xB3\xC4\xA1\xB8\xA6 \xC1\xDF\xB4\xDC\xC7\xDF\xBD\xC0\xB4\xCF\xB4\xD9.");  // 설치를 중단했습니다.
    EXPECT_EQ(platform::LoadResString(1), "");
}

TEST(Strings, FormatCopiesDoubleByteArgumentsUnchanged) {
    // 0x5C as the second byte of a character must come through untouched.
    std::string path = "C:\\\x95\x5C";
    EXPECT_EQ(platform::FormatResString(IDS_FILE_OPEN_ERROR, path.c_str()),
              "\xC6\xC4\xC0\xCF C:\\\x95\x5C \xC0\xBA \xBF\xAD\xC1\xF6 \xBE\xCA\xBD\xC0\xB4\xCF\xB4\xD9");
}

TEST(Errors, OleErrorWithoutSystemTextShowsTheCode) {
    try {
        platform::OleCheck(static_cast<HRESULT>(0x8BADF00Du));
        FAIL() << "no error raised";
    } catch (const platform::OleError& error) {
        EXPECT_EQ(error.Code(), static_cast<HRESULT>(0x8BADF00Du));
        EXPECT_EQ(error.Message(), "OLE \xBF\xA1\xB7\xAF 8badf00d");  // OLE 에러 8badf00d
    }
    EXPECT_EQ(platform::OleCheck(S_FALSE), S_FALSE);
}

TEST(Errors, FileErrorsNameThePath) {
    platform::FileCreateError error("C:\\x.bin");
    EXPECT_NE(error.Message().find("C:\\x.bin"), std::string::npos);
    EXPECT_STREQ(error.what(), error.Message().c_str());
}

TEST(Errors, AMissingProgramResourceIsNamed) {
    try {
        platform::ProgramResource("NOSUCHDATA", RT_RCDATA);
        FAIL() << "no error raised";
    } catch (const platform::ResourceNotFoundError& error) {
        EXPECT_EQ(error.Message(), "\xB8\xAE\xBC\xD2\xBD\xBA NOSUCHDATA \xB8\xA6 \xC3\xA3\xC0\xBB \xBC\xF6 "
                                   "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9");  // 리소스 NOSUCHDATA 를 찾을 수 없습니다
    }
}

}  // namespace
