#include "platform/Handle.h"

#include <gtest/gtest.h>

namespace {

using platform::KernelHandle;

bool IsOpen(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != 0;
}

HANDLE NewEvent() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

TEST(UniqueHandle, ClosesOnScopeExitAndKeepsLastError) {
    HANDLE raw = NewEvent();
    {
        KernelHandle owner(raw);
        ASSERT_TRUE(IsOpen(raw));
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(IsOpen(raw));
}

TEST(UniqueHandle, MoveTransfersOwnershipAndAssignmentClosesTheOld) {
    HANDLE first = NewEvent();
    HANDLE second = NewEvent();
    KernelHandle a(first);
    KernelHandle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Get(), first);

    KernelHandle c(second);
    b = std::move(c);
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(IsOpen(second));
    EXPECT_EQ(b.Get(), second);
}

TEST(UniqueHandle, PutClosesTheOldValueAndReleaseGivesUpOwnership) {
    HANDLE first = NewEvent();
    KernelHandle owner(first);
    *owner.Put() = NewEvent();
    EXPECT_FALSE(IsOpen(first));

    HANDLE kept = owner.Release();
    EXPECT_FALSE(owner);
    owner.Reset();
    EXPECT_TRUE(IsOpen(kept));
    CloseHandle(kept);
}

TEST(UniqueHandle, FileHandleTreatsInvalidHandleValueAsEmpty) {
    platform::FileHandle file(CreateFileA("Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(file);
}

}  // namespace
