// The lock and thread classes against real kernel objects and threads.
#include <gtest/gtest.h>
#include <windows.h>

#include "widgets.h"

namespace {

struct Counter {
    CCriticalSection section;
    long value = 0;
};

DWORD WINAPI AddManyUnderLock(LPVOID parameter) {
    auto* counter = static_cast<Counter*>(parameter);
    for (int i = 0; i < 20000; ++i) {
        CAutoLock lock(&counter->section);
        long seen = counter->value;
        if (i % 1000 == 0) ::Sleep(0);  // invite the other thread in mid-update
        counter->value = seen + 1;
    }
    return 0;
}

DWORD WINAPI SignalEvent(LPVOID parameter) {
    static_cast<CEvent*>(parameter)->SetEvent();
    return 7;
}

DWORD WINAPI TryMutexFromAnotherThread(LPVOID parameter) {
    CSingleLock lock(static_cast<CMutex*>(parameter));
    return lock.Lock(0) ? 1 : 0;
}

DWORD WaitAndGetExitCode(HANDLE thread) {
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 10000));
    DWORD code = 0xFFFF;
    ::GetExitCodeThread(thread, &code);
    return code;
}

}  // namespace

TEST(SyncObjects, SemaphoreCountsAndReportsThePreviousCount) {
    CSemaphore semaphore(2, 3);
    CSingleLock first(&semaphore);
    CSingleLock second(&semaphore);
    CSingleLock third(&semaphore);
    EXPECT_TRUE(first.Lock(0));
    EXPECT_TRUE(second.Lock(0));
    EXPECT_FALSE(third.Lock(0));  // both counts are taken
    EXPECT_TRUE(first.IsLocked());
    EXPECT_FALSE(third.IsLocked());

    EXPECT_TRUE(first.Unlock());
    EXPECT_FALSE(first.IsLocked());
    LONG previous = -1;
    EXPECT_TRUE(semaphore.Unlock(1, &previous));
    EXPECT_EQ(1, previous);
    EXPECT_FALSE(semaphore.Unlock(5, nullptr));  // beyond the maximum of 3
}

TEST(SyncObjects, MutexHeldByOneThreadIsRefusedToAnother) {
    CMutex mutex;
    {
        CSingleLock lock(&mutex, TRUE);
        ASSERT_TRUE(lock.IsLocked());
        CThread probe(TryMutexFromAnotherThread, &mutex);
        EXPECT_EQ(0u, WaitAndGetExitCode(probe.GetHandle()));
    }  // the lock's destructor releases the mutex
    CThread probe(TryMutexFromAnotherThread, &mutex);
    EXPECT_EQ(1u, WaitAndGetExitCode(probe.GetHandle()));
}

TEST(SyncObjects, AutoResetEventWakesOneWaitAndUnlockIsANoOp) {
    CEvent event;
    EXPECT_FALSE(event.Lock(0));
    EXPECT_TRUE(event.SetEvent());
    EXPECT_TRUE(event.Lock(0));
    EXPECT_FALSE(event.Lock(0));  // automatic reset consumed it
    EXPECT_TRUE(event.Unlock());

    CEvent manual(TRUE, TRUE);
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.Lock(0));
    EXPECT_TRUE(manual.ResetEvent());
    EXPECT_FALSE(manual.Lock(0));
}

TEST(SyncObjects, CriticalSectionKeepsTwoThreadsFromLosingUpdates) {
    Counter counter;
    CThread a(AddManyUnderLock, &counter);
    CThread b(AddManyUnderLock, &counter);
    HANDLE both[] = {a.GetHandle(), b.GetHandle()};
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForMultipleObjects(2, both, TRUE, 30000));
    EXPECT_EQ(40000, counter.value);
}

TEST(SyncObjects, MultiLockMarksWhatTheWaitAcquired) {
    CEvent signalled(TRUE, TRUE);
    CEvent quiet(FALSE, TRUE);
    CSyncObject* objects[] = {&quiet, &signalled};
    CMultiLock any(objects, 2);
    EXPECT_EQ(WAIT_OBJECT_0 + 1, any.Lock(0, FALSE));
    EXPECT_FALSE(any.IsLocked(0));
    EXPECT_TRUE(any.IsLocked(1));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), any.Lock(0, TRUE));  // not all are signalled
    EXPECT_TRUE(any.Unlock());
    EXPECT_FALSE(any.IsLocked(1));

    quiet.SetEvent();
    CMultiLock all(objects, 2, TRUE);
    EXPECT_TRUE(all.IsLocked(0));
    EXPECT_TRUE(all.IsLocked(1));
    EXPECT_FALSE(all.IsLocked(2));
}

TEST(SyncObjects, MultiLockTakesEightAdditionsAndLongArraysFromTheConstructor) {
    CEvent events[10];
    CMultiLock added;
    for (int i = 0; i < 8; ++i) EXPECT_TRUE(added.AddObject(events[i])) << i;
    EXPECT_FALSE(added.AddObject(events[8]));
    EXPECT_FALSE(added.AddObject(static_cast<HANDLE>(events[9])));
    EXPECT_EQ(8u, added.GetCount());

    CSyncObject* objects[10];
    for (int i = 0; i < 10; ++i) objects[i] = &events[i];
    CMultiLock longer(objects, 10);
    EXPECT_EQ(10u, longer.GetCount());
    events[9].SetEvent();
    EXPECT_EQ(WAIT_OBJECT_0 + 9, longer.Lock(0, FALSE));
    EXPECT_TRUE(longer.IsLocked(9));
}

TEST(ThreadObject, RunsItsFunctionWithTheParameter) {
    CEvent done;
    CThread thread(SignalEvent, &done);
    ASSERT_NE(nullptr, thread.GetHandle());
    EXPECT_NE(0u, thread.GetThreadID());
    EXPECT_TRUE(done.Lock(10000));
    EXPECT_EQ(7u, WaitAndGetExitCode(thread.GetHandle()));
}

TEST(ThreadObject, RestartingClosesTheEarlierHandleOnce) {
    CEvent done;
    CThread thread;
    ASSERT_TRUE(thread.CreateThread(SignalEvent, &done));
    HANDLE first = thread.GetHandle();
    HANDLE mine = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), first, ::GetCurrentProcess(), &mine, 0, FALSE,
                                  DUPLICATE_SAME_ACCESS));
    ASSERT_TRUE(thread.CreateThread(SignalEvent, &done));
    EXPECT_NE(0, ::CloseHandle(mine));  // our duplicate survived the restart
    // The replaced handle is closed, unless the new thread was given the same value.
    DWORD flags = 0;
    EXPECT_TRUE(thread.GetHandle() == first || !::GetHandleInformation(first, &flags));
    EXPECT_TRUE(done.Lock(10000));
    EXPECT_FALSE(thread.CreateThread(nullptr, nullptr));
    EXPECT_EQ(nullptr, thread.GetHandle());
    EXPECT_EQ(0u, thread.GetThreadID());
}
