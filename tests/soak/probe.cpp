// Prints, in one line, what a long run could leak in the process named on the
// command line (Zelor2.scr by default): committed and private bytes, working
// set, kernel handles and GDI and USER objects. The soak test samples it
// again and again.
//
// Wine answers PrivateUsage, GetProcessHandleCount and GetGuiResources with 0,
// so two counts are also taken the long way, which works on both: the
// handles from the system's handle list, and the GDI objects from the GDI
// handle table that the process's PEB points to.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

DWORD FindProcess(const wchar_t* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, name) == 0) {
      found = entry.th32ProcessID;
      break;
    }
  }
  CloseHandle(snapshot);
  return found;
}

// One entry of the GDI handle table on 64-bit systems (24 bytes): the owning
// process id sits at offset 8, the object type at offset 14; a free entry has
// type 0. Windows shares one table among all processes and marks the owner;
// Wine gives each process a table of its own and leaves the owner 0, as
// Windows does for the stock objects, which never change in number.
constexpr std::size_t kGdiEntrySize = 24;
constexpr std::size_t kGdiEntries = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;

// -1 when the table cannot be read.
long CountGdiTableEntries(HANDLE process, DWORD pid) {
  using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (!query) return -1;
  PROCESS_BASIC_INFORMATION basic{};
  if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  ULONG_PTR table = 0;
  SIZE_T got = 0;
  const auto* tableField = reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset;
  if (!ReadProcessMemory(process, tableField, &table, sizeof table, &got) || got != sizeof table || !table)
    return -1;
  std::vector<unsigned char> entries(kGdiEntrySize * kGdiEntries);
  if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), entries.size(), &got))
    return -1;
  long count = 0;
  for (std::size_t k = 0; k + kGdiEntrySize <= got; k += kGdiEntrySize) {
    unsigned short owner;
    std::memcpy(&owner, &entries[k + 8], sizeof owner);
    if (entries[k + 14] != 0 && (owner == static_cast<unsigned short>(pid) || owner == 0)) ++count;
  }
  return count;
}

// SystemExtendedHandleInformation: every open handle in the system with its
// owner. -1 when the list cannot be had.
long CountHandlesInSystemList(DWORD pid) {
  using QueryFn = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  struct Entry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT backTrace, typeIndex;
    ULONG attributes, reserved;
  };
  struct List {
    ULONG_PTR count, reserved;
    Entry entries[1];
  };
  constexpr ULONG kSystemExtendedHandleInformation = 64;
  constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
  std::vector<unsigned char> buffer(1 << 20);
  NTSTATUS status;
  for (;;) {
    ULONG needed = 0;
    status = query(kSystemExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status != kLengthMismatch || buffer.size() >= (1u << 30)) break;
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
  }
  if (status != 0) return -1;
  const auto* list = reinterpret_cast<const List*>(buffer.data());
  long count = 0;
  for (ULONG_PTR k = 0; k < list->count; ++k)
    if (list->entries[k].processId == pid) ++count;
  return count;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* name = argc > 1 ? argv[1] : L"Zelor2.scr";
  const DWORD pid = FindProcess(name);
  if (!pid) {
    std::printf("no process\n");
    return 2;
  }
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) {
    std::printf("cannot open process %lu\n", pid);
    return 3;
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  const long handleList = CountHandlesInSystemList(pid);
  const long gdiTable = CountGdiTableEntries(process, pid);
  std::printf("pid=%lu commit=%llu private=%llu workingset=%llu handles=%lu handlelist=%ld gdi=%lu user=%lu "
              "gditable=%ld\n",
              pid, static_cast<unsigned long long>(memory.PagefileUsage),
              static_cast<unsigned long long>(memory.PrivateUsage),
              static_cast<unsigned long long>(memory.WorkingSetSize), handles, handleList, gdi, user, gdiTable);
  CloseHandle(process);
  return 0;
}
