// Stands in for the screen-saver settings page in the end-to-end tests: a
// top-level window with, in its client area, a black 152 x 112 child like the
// page's little preview monitor. The test hands the child's handle to
// "Zelor2.scr /p" (or the host's own to "/c") and reads from stdout:
//   child <hwnd>
//   rect <left> <top> <right> <bottom>    (the child, screen coordinates)
//   host <hwnd>
//   pid <the host's process id>
// Options:
//   --quit-when <path>   destroy the windows and end once this file exists
//   --report-owner       print "owner ok" once a window titled "Zelor2 - ..."
//                        is owned by the host, else "owner <hwnd>"
//   --report-children    print "preview <hwnd> style <hex> rect <l> <t> <r> <b>
//                        pid <pid>" for each window that appears in the
//                        monitor (rectangle in the monitor's client area);
//                        on quitting, "slowest reply <ms>": the longest the
//                        preview's window took to answer a message sent to it
//                        every 100 ms (its process must look at its messages,
//                        and so at its parent, often, even while it computes);
//                        then "destroyed <ms>" once DestroyWindow
//                        has returned and "preview ended <ms>" once that
//                        window's process has ended, counted from the
//                        destruction of the windows, or "preview running"
//                        after 5 s. A Wine process lingers for a while after
//                        it has ended, so its Linux pid would tell too late.
//   --max-seconds <n>    end anyway after n seconds (default 300), so a lost
//                        test cannot leave the host behind
#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Where the host sits: fixed, so the test knows which screen area is its.
constexpr int kHostX = 200;
constexpr int kHostY = 150;
constexpr int kHostWidth = 400;
constexpr int kHostHeight = 300;
// The settings page's preview monitor.
constexpr int kChildWidth = 152;
constexpr int kChildHeight = 112;

constexpr UINT_PTR kQuitTimer = 1;
constexpr UINT_PTR kOwnerTimer = 2;
constexpr UINT_PTR kDeadlineTimer = 3;
constexpr UINT_PTR kChildrenTimer = 4;

std::wstring g_quit_file;
bool g_report_owner = false;
HWND g_host = nullptr;
HWND g_monitor = nullptr;
HWND g_reported_child = nullptr;
ULONGLONG g_slowest_reply = 0;

unsigned long long Number(HWND hwnd) { return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hwnd)); }

// The test reads each line as soon as it is written.
void Say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::fflush(stdout);
}

BOOL CALLBACK FindOptions(HWND hwnd, LPARAM result) {
  wchar_t title[64] = L"";
  GetWindowTextW(hwnd, title, 64);
  if (IsWindowVisible(hwnd) && std::wcsncmp(title, L"Zelor2 - ", 9) == 0) {
    *reinterpret_cast<HWND*>(result) = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ReportChild(HWND child, LPARAM) {
  // Only the monitor's own children, not theirs.
  if (GetParent(child) != g_monitor || child == g_reported_child) return TRUE;
  g_reported_child = child;
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, g_monitor, reinterpret_cast<POINT*>(&rect), 2);
  DWORD pid = 0;
  GetWindowThreadProcessId(child, &pid);
  Say("preview %llu style %08lx rect %ld %ld %ld %ld pid %lu\n", Number(child),
      static_cast<unsigned long>(GetWindowLongPtrW(child, GWL_STYLE)), rect.left, rect.top, rect.right, rect.bottom,
      static_cast<unsigned long>(pid));
  return FALSE;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kQuitTimer && !g_quit_file.empty() && GetFileAttributesW(g_quit_file.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Say("quitting\n");
        if (g_reported_child) Say("slowest reply %llu\n", g_slowest_reply);
        HANDLE preview = nullptr;
        if (g_reported_child) {
          DWORD pid = 0;
          GetWindowThreadProcessId(g_reported_child, &pid);
          preview = OpenProcess(SYNCHRONIZE, FALSE, pid);
        }
        const ULONGLONG start = GetTickCount64();
        DestroyWindow(hwnd);
        Say("destroyed %llu\n", GetTickCount64() - start);
        if (preview) {
          if (WaitForSingleObject(preview, 5000) == WAIT_OBJECT_0) {
            Say("preview ended %llu\n", GetTickCount64() - start);
          } else {
            Say("preview running\n");
          }
          CloseHandle(preview);
        }
      } else if (wparam == kOwnerTimer) {
        HWND found = nullptr;
        EnumWindows(FindOptions, reinterpret_cast<LPARAM>(&found));
        if (found) {
          KillTimer(hwnd, kOwnerTimer);
          HWND owner = GetWindow(found, GW_OWNER);
          if (owner == g_host) {
            Say("owner ok\n");
          } else {
            Say("owner %llu\n", Number(owner));
          }
        }
      } else if (wparam == kChildrenTimer) {
        EnumChildWindows(g_monitor, ReportChild, 0);
        if (g_reported_child && IsWindow(g_reported_child)) {
          const ULONGLONG sent = GetTickCount64();
          DWORD_PTR result = 0;
          SendMessageTimeoutW(g_reported_child, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
          const ULONGLONG took = GetTickCount64() - sent;
          if (took > g_slowest_reply) g_slowest_reply = took;
        }
      } else if (wparam == kDeadlineTimer) {
        Say("deadline\n");
        DestroyWindow(hwnd);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  UINT max_seconds = 300;
  bool report_children = false;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--quit-when" && i + 1 < argc) {
      g_quit_file = argv[++i];
    } else if (arg == L"--report-owner") {
      g_report_owner = true;
    } else if (arg == L"--report-children") {
      report_children = true;
    } else if (arg == L"--max-seconds" && i + 1 < argc) {
      max_seconds = static_cast<UINT>(std::wcstoul(argv[++i], nullptr, 10));
    } else {
      std::fwprintf(stderr, L"preview_host: unknown argument %ls\n", argv[i]);
      return 2;
    }
  }

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW host_class = {};
  host_class.lpfnWndProc = HostProc;
  host_class.hInstance = instance;
  host_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // Grey, so anything the preview drew outside its monitor would show.
  host_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  host_class.lpszClassName = L"ZelorPreviewHost";
  WNDCLASSW monitor_class = {};
  monitor_class.lpfnWndProc = DefWindowProcW;
  monitor_class.hInstance = instance;
  monitor_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  monitor_class.lpszClassName = L"ZelorPreviewMonitor";
  if (!RegisterClassW(&host_class) || !RegisterClassW(&monitor_class)) return 1;

  // A popup has no frame, so its client area is exactly where it is put
  // (with or without a window manager).
  g_host = CreateWindowExW(0, host_class.lpszClassName, L"Vorschau-Wirt", WS_POPUP | WS_CLIPCHILDREN, kHostX, kHostY,
                           kHostWidth, kHostHeight, nullptr, nullptr, instance, nullptr);
  if (!g_host) return 1;
  HWND monitor = g_monitor = CreateWindowExW(0, monitor_class.lpszClassName, L"Vorschau", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 (kHostWidth - kChildWidth) / 2, (kHostHeight - kChildHeight) / 2, kChildWidth,
                                 kChildHeight, g_host, nullptr, instance, nullptr);
  if (!monitor) return 1;
  ShowWindow(g_host, SW_SHOWNORMAL);
  UpdateWindow(g_host);

  RECT rect;
  GetWindowRect(monitor, &rect);
  Say("child %llu\n", Number(monitor));
  Say("rect %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  Say("host %llu\n", Number(g_host));
  Say("pid %lu\n", static_cast<unsigned long>(GetCurrentProcessId()));

  if (!g_quit_file.empty()) SetTimer(g_host, kQuitTimer, 50, nullptr);
  if (g_report_owner) SetTimer(g_host, kOwnerTimer, 100, nullptr);
  if (report_children) SetTimer(g_host, kChildrenTimer, 100, nullptr);
  if (max_seconds > 0) SetTimer(g_host, kDeadlineTimer, max_seconds * 1000, nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Say("ended\n");
  return 0;
}
