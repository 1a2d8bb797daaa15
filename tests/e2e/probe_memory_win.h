#pragma once

// Memory lent in another process: a window of that process answers a
// message into it, or reads its parameter from it, since it cannot see the
// probe's own memory. Freed when it goes, unless kept for a message that
// may still read it.

#include <windows.h>

class BorrowedMemory {
 public:
  // In the process of window, with the rights to write and read it.
  BorrowedMemory(HWND window, SIZE_T size) : size_(size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    ownsProcess_ = true;
    allocate();
  }
  // In a process already opened with at least those rights.
  BorrowedMemory(HANDLE process, SIZE_T size) : process_(process), size_(size) { allocate(); }
  ~BorrowedMemory() {
    if (there_ && !kept_) VirtualFreeEx(process_, there_, 0, MEM_RELEASE);
    if (process_ && ownsProcess_) CloseHandle(process_);
  }
  BorrowedMemory(const BorrowedMemory&) = delete;
  BorrowedMemory& operator=(const BorrowedMemory&) = delete;

  bool lent() const { return there_ != nullptr; }
  // The address as the other process sees it, for a message's parameter.
  LPARAM address() const { return reinterpret_cast<LPARAM>(there_); }
  void* there() const { return there_; }
  bool write(const void* data, SIZE_T size) {
    return there_ && size <= size_ && WriteProcessMemory(process_, there_, data, size, nullptr);
  }
  bool read(void* data, SIZE_T size) const {
    return there_ && size <= size_ && ReadProcessMemory(process_, there_, data, size, nullptr);
  }
  void keep() { kept_ = true; }

 private:
  void allocate() {
    if (process_) there_ = VirtualAllocEx(process_, nullptr, size_, MEM_COMMIT, PAGE_READWRITE);
  }

  HANDLE process_ = nullptr;
  bool ownsProcess_ = false;
  SIZE_T size_;
  void* there_ = nullptr;
  bool kept_ = false;
};
