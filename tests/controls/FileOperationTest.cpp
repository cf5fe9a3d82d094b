#include "controls/FileOperation.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "tests/support/WindowAnswerer.h"
#include "tests/support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

using namespace controls;
using testsupport::ScratchFolder;

TEST(MakeFileList, EndsEveryPathAndTheListWithANul) {
    using namespace std::string_literals;
    EXPECT_EQ(MakeFileList({}), "\0"s);
    EXPECT_EQ(MakeFileList({"C:\\A.001"}), "C:\\A.001\0\0"s);
    EXPECT_EQ(MakeFileList({"a", "", "b"}), "a\0\0b\0\0"s);
}

TEST(ShellFlags, EachOptionGivesItsShellFlag) {
    struct Case {
        TFileOperationOptions options;
        FILEOP_FLAGS flags;
    } cases[] = {
        {{}, 0},
        {{foMultiDestFiles}, 0x0001},
        {{foSilent}, 0x0004},
        {{foRenameOnCollision}, 0x0008},
        {{foNoConfirmation}, 0x0010},
        {{foAllowUndo}, 0x0040},
        {{foFilesOnly}, 0x0080},
        {{foNoConfirmMkdir}, 0x0200},
        {{foNoErrorUI}, 0x0400},
        {{foMultiDestFiles, foSilent, foRenameOnCollision, foNoConfirmation, foAllowUndo, foFilesOnly,
          foNoConfirmMkdir, foNoErrorUI},
         0x06DD},
    };
    for (const Case& c : cases) EXPECT_EQ(ShellFlags(c.options), c.flags) << int(c.options.Bits());
}

TEST(TFileOperation, SourceAndDestinationReplaceTheirListsWhole) {
    TFileOperation operation(nullptr);
    EXPECT_TRUE(operation.SourceList().empty());
    EXPECT_EQ(operation.Options(), TFileOperationOptions{});
    operation.SetSource("A:\\GAME.001");
    operation.SetSource("A:\\GAME.002");
    operation.SetDestination("C:\\WORK");
    EXPECT_EQ(operation.SourceList(), std::vector<std::string>{"A:\\GAME.002"});
    EXPECT_EQ(operation.DestList(), std::vector<std::string>{"C:\\WORK"});
}

TEST(TFileOperation, CopyGoesThroughExecute) {
    struct Recording : TFileOperation {
        using TFileOperation::TFileOperation;
        bool Execute(UINT operation) override {
            seen = operation;
            return false;
        }
        UINT seen = 0;
    } operation(nullptr);
    EXPECT_FALSE(operation.Copy());
    EXPECT_EQ(operation.seen, static_cast<UINT>(FO_COPY));
}

class ShellCopy : public ::testing::Test {
protected:
    ShellCopy() : scratch_("FileOperation") {}
    void SetUp() override {
        platform::Application::Instance().Initialize();
        source_ = scratch_ / "GAME.001";
        target_ = scratch_ / "WORK";
        testsupport::WriteFileBytes(source_, "volume one");
        ASSERT_TRUE(CreateDirectoryA(target_.c_str(), nullptr));
    }
    void TearDown() override { platform::Application::Instance().Shutdown(); }

    ScratchFolder scratch_;
    std::string source_;
    std::string target_;
};

TEST_F(ShellCopy, CopiesTheFileIntoTheFolder) {
    TFileOperation operation(nullptr);
    operation.SetOptions({foNoConfirmation});
    operation.SetSource(source_);
    operation.SetDestination(target_);
    EXPECT_TRUE(operation.Copy());
    EXPECT_EQ(testsupport::ReadFileBytes(target_ + "\\GAME.001"), "volume one");
}

TEST_F(ShellCopy, AFailureTheShellDoesNotRecordAsAnAbortStillGivesFalse) {
    TFileOperation operation(nullptr);
    operation.SetOptions({foNoConfirmation});
    operation.SetSource(scratch_ / "GAME.002");
    operation.SetDestination(target_);
    // The shell answers a missing source with an error code and no abort.
    EXPECT_FALSE(operation.Copy());
    EXPECT_EQ(GetFileAttributesA((target_ + "\\GAME.002").c_str()), INVALID_FILE_ATTRIBUTES);
}

// An overwrite question shows whose window owns the shell's boxes; cancelling
// it aborts the copy.
struct OverwriteQuestion {
    OverwriteQuestion()
        : answerer({"", L""}, [this](HWND box) {
              owner = GetWindow(box, GW_OWNER);
              testsupport::ClickButton(IDCANCEL)(box);
          }) {}
    HWND owner = nullptr;
    testsupport::WindowAnswerer answerer;
};

class PlainForm : public platform::Form {
public:
    using Form::Form;
    std::string ClassName() const override { return "TPlainForm"; }
};

TEST_F(ShellCopy, TheOwnersWindowOrElseTheApplicationWindowOwnsTheShellsBoxes) {
    testsupport::WriteFileBytes(target_ + "\\GAME.001", "older");
    platform::Form& form = platform::Application::Instance().CreateForm<PlainForm>();
    TFileOperation& owned = form.Create<TFileOperation>();
    TFileOperation unowned(nullptr);
    struct Case {
        TFileOperation* operation;
        HWND owner;
    } cases[] = {
        {&owned, form.Handle()},
        {&unowned, platform::Application::Instance().Handle()},
    };
    for (const Case& c : cases) {
        c.operation->SetSource(source_);
        c.operation->SetDestination(target_);
        OverwriteQuestion question;
        EXPECT_FALSE(c.operation->Copy());
        ASSERT_TRUE(question.answerer.Wait());
        EXPECT_EQ(question.owner, c.owner);
        EXPECT_EQ(testsupport::ReadFileBytes(target_ + "\\GAME.001"), "older");
    }
}

}  // namespace
