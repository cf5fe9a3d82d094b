#include "platform/Error.h"
#include "platform/FileStream.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using platform::FileMode;
using platform::FileStream;
using testsupport::ScratchFolder;

TEST(FileStream, CreateCutsAnExistingFileAndWritesAtThePosition) {
    ScratchFolder scratch("FileStreamCreate");
    std::string path = scratch / "out.bin";
    testsupport::WriteFileBytes(path, "an older and longer content");
    {
        FileStream stream(path, FileMode::Create);
        EXPECT_EQ(stream.Size(), 0u);
        stream.WriteBuffer("abcdef", 6);
        EXPECT_EQ(stream.Position(), 6u);
        stream.Seek(2);
        EXPECT_EQ(stream.Write("XY", 2), 2u);
        EXPECT_EQ(stream.Size(), 6u);
    }
    EXPECT_EQ(testsupport::ReadFileBytes(path), "abXYef");
}

TEST(FileStream, ReadsUpToTheEndAndHoldsTheFileForItself) {
    ScratchFolder scratch("FileStreamRead");
    std::string path = scratch / "in.bin";
    testsupport::WriteFileBytes(path, "0123456789");
    FileStream stream(path, FileMode::OpenRead);
    char buffer[8];
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 8u);
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(stream.Position(), stream.Size());
    // No sharing: a second reader is refused while the stream is open.
    EXPECT_THROW(FileStream(path, FileMode::OpenRead), platform::FileOpenError);
}

TEST(FileStream, OpeningErrorsNameTheFile) {
    ScratchFolder scratch("FileStreamErrors");
    std::string missing = scratch / "missing\\out.bin";
    try {
        FileStream(missing, FileMode::Create);
        FAIL() << "no error";
    } catch (const platform::FileCreateError& error) {
        // 파일 %s 을 작성할 수 없습니다
        EXPECT_EQ(error.Message(), "\xC6\xC4\xC0\xCF " + missing +
                                       " \xC0\xBB \xC0\xDB\xBC\xBA\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9");
    }
    try {
        FileStream(missing, FileMode::OpenRead);
        FAIL() << "no error";
    } catch (const platform::FileOpenError& error) {
        // 파일 %s 은 열지 않습니다
        EXPECT_EQ(error.Message(),
                  "\xC6\xC4\xC0\xCF " + missing + " \xC0\xBA \xBF\xAD\xC1\xF6 \xBE\xCA\xBD\xC0\xB4\xCF\xB4\xD9");
    }
}

}  // namespace
